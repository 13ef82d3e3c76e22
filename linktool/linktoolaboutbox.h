#pragma once

#include <QColor>
#include <QDialog>

class QLabel;

// The link tool's about box "バージョン情報", shown modeless. Its label "OK" (Label7) acts
// as a link-styled close button: pink while the mouse moves over it, black again when the
// mouse moves over the rest of the box, and a click on it closes the box.
class LinkToolAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit LinkToolAboutBox(QWidget *parent = nullptr);

    static constexpr QRgb kHoverColor = 0xFFFF99FF; // RGB(255, 153, 255)
    static constexpr QRgb kPlainColor = 0xFF000000; // RGB(0, 0, 0)
    QColor okColor() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void setOkColor(QRgb color);

    QLabel *m_ok = nullptr; // Label7
};
