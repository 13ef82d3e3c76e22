#pragma once

#include <QFrame>

class AddressBox;
class QTimer;
class QToolButton;

// The button bar (Frame1): back, forward, stop, home, reload and the sidebar button
// (Command1 to Command4, Command7, Command8), the activity lamp (Shape1, blinking by
// Timer1 while a page loads) and the address box (txtURL).
class NavigationBar : public QFrame
{
    Q_OBJECT
public:
    enum class Button { Back, Forward, Stop, Home, Reload, Sidebar };

    explicit NavigationBar(QWidget *parent);

    QToolButton *button(Button which) const;
    AddressBox *addressBox() const { return m_address; }

    // The lamp blinks, every 500 ms, until switched off; it is on from the start, since
    // the window opens with its first page on the way.
    void setLamp(bool on);
    bool lampOn() const;

    // Widths for the window's layout, in pixels.
    int buttonWidth() const;
    int lampWidth() const;
    void setAddressWidth(int width);

Q_SIGNALS:
    // Each blink of the lamp; the status area's bar grows with it.
    void lampTicked();

private:
    void blink();

    QList<QToolButton *> m_buttons;
    QFrame *m_lamp;
    AddressBox *m_address;
    QTimer *m_lampTimer;
    bool m_lampGreen = false;
};
