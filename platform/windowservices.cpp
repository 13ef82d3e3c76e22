#include "platform/windowservices.h"

#include "platform/files.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QWidget>

namespace platform {

QString windowEffectsLimitFor(const QString &platformName)
{
    // A Wayland compositor alone decides stacking and opacity; a client cannot ask.
    if (platformName.startsWith(QLatin1String("wayland")))
        return QStringLiteral("Wayland ではウィンドウを常に手前に置くことも半透明にすることも"
                              "プログラムからはできないため、使えません。");
    return {};
}

QString QtWindowServices::windowEffectsLimit() const
{
    return windowEffectsLimitFor(QGuiApplication::platformName());
}

void QtWindowServices::setAlwaysOnTop(QWidget *window, bool onTop)
{
    if (!window)
        return;
    window = window->window();
    if (!window->isVisible()) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        return;
    }
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Changing the flags of a shown window hides it and may lose its place.
    const QRect geometry = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window->setGeometry(geometry);
    window->show();
}

void QtWindowServices::setOpacity(QWidget *window, int alpha)
{
    if (window)
        window->window()->setWindowOpacity(qBound(0, alpha, 255) / 255.0);
}

QImage QtWindowServices::capture(QWidget *window)
{
    if (!window)
        return {};
    return window->window()->grab().toImage();
}

bool QtWindowServices::saveBitmap(const QImage &image, const QString &path)
{
    if (image.isNull() || path.isEmpty())
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // A picture the user saves where they chose: theirs to share.
    return image.save(&buffer, "BMP") && writeFileAtomically(path, bytes, nullptr, {.access = FileAccess::Document});
}

} // namespace platform
