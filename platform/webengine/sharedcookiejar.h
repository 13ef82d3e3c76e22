#pragma once

#include "platform/cookiefile.h"

#include <QByteArray>
#include <QFutureWatcher>
#include <QHash>
#include <QList>
#include <QNetworkCookie>
#include <QObject>
#include <QString>

#include <functional>

class QFileSystemWatcher;
class QTimer;
class QWebEngineCookieStore;

namespace platform {

// Every process of the program browses in one profile, but the engine's cookie database
// belongs to whichever process opened it first, and the others' cookies would be lost.
// So the engine keeps cookies in memory and this jar keeps the lasting ones in one text
// file: read at start, changed under a lock shared by all processes, and read again when
// another process changes it. Changes are collected and written together, a few times a
// second at most, away from the UI thread: a page that sets cookies in a loop must not
// hold the window, nor make every other process read the file thousands of times. Deleting every cookie leaves a new clearing mark in the
// file; each process that finds a mark it has not followed yet empties its engine's store
// too, and keeps the file as it is until the engine has reported everything from before
// (a marker cookie set after the deletion comes back last), so nothing deleted returns.
class SharedCookieJar : public QObject
{
    Q_OBJECT
public:
    SharedCookieJar(QWebEngineCookieStore *store, const QString &filePath, QObject *parent = nullptr);

    QString filePath() const { return m_path; }
    // Whether this engine tells a cookie's SameSite rule; false until it has shown it does.
    bool engineReportsSameSite() const { return m_reportsSameSite; }

    // Deletes every cookie of the engine and of the file, for every process of the
    // program; done runs once this engine has deleted its own: false when the file could
    // not be changed or the engine did not answer.
    void clearAll(std::function<void(bool)> done);

    // Writes everything reported so far, waiting for it. Done on its own at the end.
    void flush();

    ~SharedCookieJar() override;

private:
    void importFile();
    void added(const QNetworkCookie &cookie);
    void removed(const QNetworkCookie &cookie);
    void queue(cookiefile::Change change);
    // Starts writing the collected changes on a worker thread.
    void writePending();
    void written(bool stale);
    // Empties the engine and holds the file until the engine has caught up.
    void deleteEngineCookies(std::function<void(bool)> done);
    void endFence(bool answered);

    QWebEngineCookieStore *m_store;
    bool m_reportsSameSite = false;
    QString m_path;
    QFileSystemWatcher *m_watcher;
    QByteArray m_clearMark; // the last clearing this process followed
    QByteArray m_fence;     // the marker cookie awaited, "" when none is
    QList<std::function<void(bool)>> m_fenceDone;
    QTimer *m_fenceTimeout;
    // What the engine holds or has been given, name, domain and path to the raw form:
    // the file's cookies that it already has are not set again.
    QHash<QByteArray, QByteArray> m_engine;
    QList<cookiefile::Change> m_pending;
    QTimer *m_writeDelay;
    QFutureWatcher<bool> *m_writing; // true: the file had a newer clearing, nothing written
};

} // namespace platform
