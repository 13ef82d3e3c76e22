#pragma once

#include <QImage>
#include <QString>

namespace platform {

class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    // A null image when the clipboard holds none.
    virtual QImage image() const = 0;
    virtual void setImage(const QImage &image) = 0;
};

// The system clipboard of the running QGuiApplication.
class SystemClipboard : public Clipboard
{
public:
    QString text() const override;
    void setText(const QString &text) override;
    QImage image() const override;
    void setImage(const QImage &image) override;
};

} // namespace platform
