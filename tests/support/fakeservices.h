#pragma once

#include "platform/clipboard.h"
#include "platform/drives.h"
#include "platform/inputmethod.h"
#include "platform/processlauncher.h"
#include "platform/shellservices.h"
#include "platform/systeminfo.h"
#include "platform/windowservices.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <optional>

// Test doubles of the small system services. Each records what it was asked.

class FakeClipboard : public platform::Clipboard
{
public:
    QString text() const override { return m_text; }
    void setText(const QString &text) override
    {
        m_text = text;
        m_image = {};
    }
    QImage image() const override { return m_image; }
    void setImage(const QImage &image) override
    {
        m_image = image;
        m_text.clear();
    }

private:
    QString m_text;
    QImage m_image;
};

class FakeProcessLauncher : public platform::ProcessLauncher
{
public:
    struct Start
    {
        bool self = false;
        QString program; // "" for the program itself
        QStringList arguments;
    };

    bool startSelf(const QStringList &arguments) override;
    bool start(const QString &program, const QStringList &arguments) override;

    void setFailing(bool failing) { m_failing = failing; }
    const QList<Start> &starts() const { return m_starts; }

private:
    QList<Start> m_starts;
    bool m_failing = false;
};

// Folders and the environment are set by the test; shortcuts are written for real to
// the paths given (tests pass temp folders).
class FakeShell : public platform::ShellServices
{
public:
    bool openFolder(const QString &path) override;
    bool openInBrowser(const QUrl &address) override;
    bool openMail(const QString &address) override
    {
        m_mailedTo.append(address);
        return true;
    }
    QString desktopFolder() const override { return m_desktop; }
    QString favoritesFolder() const override { return m_favorites; }
    QString expandEnvironment(const QString &text) const override;
    platform::ShortcutResult writeInternetShortcut(const QString &path, const QString &address,
                                                   bool overwrite) override;

    void setDesktopFolder(const QString &path) { m_desktop = path; }
    void setFavoritesFolder(const QString &path) { m_favorites = path; }
    void setEnvironment(const QProcessEnvironment &environment) { m_environment = environment; }

    const QStringList &openedFolders() const { return m_openedFolders; }
    const QList<QUrl> &openedAddresses() const { return m_openedAddresses; }
    const QStringList &mailedTo() const { return m_mailedTo; }
    // Path and address of every shortcut asked for, written or not.
    const QList<QPair<QString, QString>> &shortcuts() const { return m_shortcuts; }

private:
    QString m_desktop;
    QString m_favorites;
    QProcessEnvironment m_environment;
    QStringList m_openedFolders;
    QList<QUrl> m_openedAddresses;
    QStringList m_mailedTo;
    QList<QPair<QString, QString>> m_shortcuts;
};

class FakeSystemFacts : public platform::SystemFacts
{
public:
    platform::OsVersion version {6, 1, 0, 2};
    QSize screen {1024, 768};
    QString host = QStringLiteral("testhost");
    QString address = QStringLiteral("192.0.2.10");

    platform::OsVersion osVersion() const override { return version; }
    QSize screenSize() const override { return screen; }
    QString hostName() const override { return host; }
    QString ipv4Address() const override { return address; }
};

class FakeWindowServices : public platform::WindowServices
{
public:
    void setAlwaysOnTop(QWidget *window, bool onTop) override;
    void setOpacity(QWidget *window, int alpha) override;
    QImage capture(QWidget *window) override;
    bool saveBitmap(const QImage &image, const QString &path) override;
    QString windowEffectsLimit() const override { return m_effectsLimit; }
    void setWindowEffectsLimit(const QString &reason) { m_effectsLimit = reason; }

    // The last value set for a window; absent when never set.
    std::optional<bool> alwaysOnTop(QWidget *window) const;
    std::optional<int> opacity(QWidget *window) const;
    QStringList savedBitmaps() const { return m_saved; }
    int captureCount() const { return m_captures; }
    void setSaveFails(bool fails) { m_saveFails = fails; }

private:
    QHash<QWidget *, bool> m_onTop;
    QHash<QWidget *, int> m_opacity;
    QStringList m_saved;
    int m_captures = 0;
    bool m_saveFails = false;
    QString m_effectsLimit;
};

class FakeInputMethodState : public platform::InputMethodState
{
public:
    platform::ImeState current = platform::ImeState::Other;
    platform::ImeState state() const override { return current; }
};

class FakeDriveList : public platform::DriveList
{
public:
    QList<platform::Drive> list;
    QList<platform::Drive> drives() const override { return list; }
};
