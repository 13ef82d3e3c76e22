#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

QString SystemClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
}

void SystemClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QImage SystemClipboard::image() const
{
    return QGuiApplication::clipboard()->image();
}

void SystemClipboard::setImage(const QImage &image)
{
    QGuiApplication::clipboard()->setImage(image);
}

} // namespace platform
