#include "platform/shellservices.h"

#include "platform/files.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

std::optional<QString> lookUp(const QString &name, const QProcessEnvironment &environment)
{
    if (environment.contains(name))
        return environment.value(name);
    const QStringList keys = environment.keys();
    for (const QString &key : keys) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return environment.value(key);
    }
    return std::nullopt;
}

} // namespace

QString expandEnvironmentStrings(const QString &text, const QProcessEnvironment &environment)
{
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(u'%', i);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'%', open + 1);
        if (close < 0) {
            out += text.sliced(i);
            break;
        }
        out += text.sliced(i, open - i);
        const QString name = text.sliced(open + 1, close - open - 1);
        const auto value = name.isEmpty() ? std::nullopt : lookUp(name, environment);
        if (value) {
            out += *value;
            i = close + 1;
        } else {
            // The closing "%" may open the next name.
            out += u'%' + name;
            i = close;
        }
    }
    return out;
}

std::optional<QByteArray> internetShortcutBytes(const QString &address)
{
    if (address.isEmpty())
        return std::nullopt;
    for (const QChar c : address) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return std::nullopt;
    }
    QByteArray url;
    qsizetype i = 0;
    while (i < address.size()) {
        const qsizetype width =
            (address[i].isHighSurrogate() && i + 1 < address.size() && address[i + 1].isLowSurrogate()) ? 2 : 1;
        const QString one = address.sliced(i, width);
        QStringEncoder encoder("CP932", QStringEncoder::Flag::Stateless);
        const QByteArray bytes = encoder.encode(one);
        url += encoder.hasError() || bytes.isEmpty() ? one.toUtf8().toPercentEncoding() : bytes;
        i += width;
    }
    return QByteArray("[InternetShortcut]\r\nURL=") + url + "\r\n";
}

ShortcutResult writeInternetShortcutFile(const QString &path, const QString &address, bool overwrite,
                                         const AtomicWriteOptions &options)
{
    const auto bytes = internetShortcutBytes(address);
    if (!bytes)
        return ShortcutResult::BadAddress;
    const QFileInfo info(path);
    if (!overwrite && (info.exists() || info.isSymLink()))
        return ShortcutResult::Exists;
    if (info.isDir())
        return ShortcutResult::WriteFailed;
    return writeFileAtomically(path, *bytes, nullptr, options) ? ShortcutResult::Written : ShortcutResult::WriteFailed;
}

bool isBrowsableAddress(const QUrl &address)
{
    const QString scheme = address.scheme().toLower();
    return address.isValid() && !address.host().isEmpty() && (scheme == u"http"_s || scheme == u"https"_s);
}

SystemShell::SystemShell(const QString &favoritesFolder)
    : m_favoritesFolder(favoritesFolder.isEmpty() ? defaultFavoritesFolder() : favoritesFolder)
{ }

QString SystemShell::defaultFavoritesFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(u"Favorites"_s);
}

bool SystemShell::openFolder(const QString &path)
{
    // Folders only: handing a file to the file manager's opener could run it.
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool SystemShell::openInBrowser(const QUrl &address)
{
    return isBrowsableAddress(address) && QDesktopServices::openUrl(address);
}

bool SystemShell::openMail(const QString &address)
{
    QUrl mail;
    mail.setScheme(QStringLiteral("mailto"));
    mail.setPath(address);
    return !address.isEmpty() && QDesktopServices::openUrl(mail);
}

QString SystemShell::desktopFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString SystemShell::favoritesFolder() const
{
    return m_favoritesFolder;
}

QString SystemShell::expandEnvironment(const QString &text) const
{
    return expandEnvironmentStrings(text, QProcessEnvironment::systemEnvironment());
}

ShortcutResult SystemShell::writeInternetShortcut(const QString &path, const QString &address, bool overwrite)
{
    return writeInternetShortcutFile(path, address, overwrite);
}

} // namespace platform
