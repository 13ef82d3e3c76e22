#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace platform {

class WindowServices
{
public:
    virtual ~WindowServices() = default;
    // A shown window stays shown.
    virtual void setAlwaysOnTop(QWidget *window, bool onTop) = 0;
    // 255 opaque, 0 fully transparent; values outside are clamped.
    virtual void setOpacity(QWidget *window, int alpha) = 0;
    // The window's contents as an image; null for no window.
    virtual QImage capture(QWidget *window) = 0;
    // Writes the image as a BMP file, atomically; false on failure.
    virtual bool saveBitmap(const QImage &image, const QString &path) = 0;
    // Why always-on-top and opacity cannot work on this display; "" where they do.
    virtual QString windowEffectsLimit() const = 0;
};

// The reason for windowEffectsLimit on a Qt platform plugin ("xcb", "wayland", ...).
QString windowEffectsLimitFor(const QString &platformName);

class QtWindowServices : public WindowServices
{
public:
    void setAlwaysOnTop(QWidget *window, bool onTop) override;
    void setOpacity(QWidget *window, int alpha) override;
    QImage capture(QWidget *window) override;
    bool saveBitmap(const QImage &image, const QString &path) override;
    QString windowEffectsLimit() const override;
};

} // namespace platform
