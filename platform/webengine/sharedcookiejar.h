#pragma once

#include <QList>
#include <QNetworkCookie>
#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QWebEngineCookieStore;

namespace platform {

// Every process of the program browses in one profile, but the engine's cookie database
// belongs to whichever process opened it first, and the others' cookies would be lost.
// So the engine keeps cookies in memory and this jar keeps the lasting ones in one text
// file: read at start, changed under a lock shared by all processes, and read again when
// another process changes it.
class SharedCookieJar : public QObject
{
    Q_OBJECT
public:
    SharedCookieJar(QWebEngineCookieStore *store, const QString &filePath, QObject *parent = nullptr);

    QString filePath() const { return m_path; }

    // The jar's cookies as stored; expired ones are dropped on reading.
    static QList<QNetworkCookie> parse(const QByteArray &bytes);
    static QByteArray serialize(const QList<QNetworkCookie> &cookies);

private:
    void importFile();
    void added(const QNetworkCookie &cookie);
    void removed(const QNetworkCookie &cookie);
    // Changes the file under the lock: re-read, edit, replace atomically. The edit
    // returns whether anything changed.
    void update(const std::function<bool(QList<QNetworkCookie> &)> &edit);

    QWebEngineCookieStore *m_store;
    QString m_path;
    QFileSystemWatcher *m_watcher;
};

} // namespace platform
