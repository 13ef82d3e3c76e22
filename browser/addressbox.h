#pragma once

#include <QLineEdit>

#include <functional>

// The address box. Enter navigates unless an input method is still composing (the
// composition is committed instead, so half-typed Japanese never goes out); a double
// click selects everything; the tooltip follows the input method's state.
class AddressBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit AddressBox(QWidget *parent = nullptr);

    void setTooltipSource(std::function<QString()> source) { m_tooltip = std::move(source); }
    bool composing() const { return m_composing; }
    // The user is typing in it: what the page does meanwhile leaves the text alone.
    bool beingEdited() const { return hasFocus() && (isModified() || m_composing); }

Q_SIGNALS:
    void enterPressed();
    void escapePressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    std::function<QString()> m_tooltip;
    bool m_composing = false;
};
