#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QPageLayout>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

// Dialogs that answer from a script the test fills, in order, and record every request.
// A request with no answer of its kind next in the script is "unexpected": it is recorded,
// fails the running test (unless failOnUnexpected is off) and is answered as cancelled
// (No for a message box).
class ScriptedDialogs : public platform::Dialogs
{
public:
    enum class Kind { Message, OpenFile, SaveFile, Font, Print, PageSetup, Folder };

    struct Request
    {
        explicit Request(Kind k)
            : kind(k)
        { }
        Kind kind;
        QString text;  // message text
        QString title; // message, folder title or file request title
        platform::MessageButtons buttons = platform::MessageButtons::Ok;
        platform::MessageIcon icon = platform::MessageIcon::None;
        platform::FileDialogRequest file;
        platform::FontChoice font; // initial choice
        bool withColor = false;
        QString folder; // initial folder of a folder request
    };

    // Answers, consumed in order.
    void answerMessage(platform::MessageAnswer answer);
    // The default extension of the request is added as the real dialog would.
    void answerFile(const QString &path, int filterIndex = 1); // open or save
    void answerOpenFile(const QString &path, int filterIndex = 1);
    void answerSaveFile(const QString &path, int filterIndex = 1);
    void cancelOpenFile();
    void cancelSaveFile();
    void answerFont(const platform::FontChoice &choice);
    void cancelFont();
    // edit may change the printer as the user would (page size, orientation, ...).
    void answerPrint(bool accepted, std::function<void(QPrinter &)> edit = {});
    void answerPageSetup(bool accepted, std::function<void(QPrinter &)> edit = {});
    void answerFolder(const QString &path);
    void cancelFolder();

    const QList<Request> &requests() const { return m_requests; }
    QStringList messageTexts() const;
    int unansweredCount() const { return int(m_script.size()); }
    bool hadUnexpected() const { return !m_unexpected.isEmpty(); }
    QStringList unexpected() const { return m_unexpected; }
    void setFailOnUnexpected(bool fail) { m_failOnUnexpected = fail; }

    platform::MessageAnswer message(QWidget *parent, const QString &text, const QString &title,
                                    platform::MessageButtons buttons, platform::MessageIcon icon) override;
    platform::FileDialogResult openFile(QWidget *parent, const platform::FileDialogRequest &request) override;
    platform::FileDialogResult saveFile(QWidget *parent, const platform::FileDialogRequest &request) override;
    std::optional<platform::FontChoice> chooseFont(QWidget *parent, const QString &title,
                                                   const platform::FontChoice &initial, bool withColor) override;
    bool print(QWidget *parent, QPrinter &printer) override;
    bool pageSetup(QWidget *parent, QPrinter &printer) override;
    std::optional<QString> chooseFolder(QWidget *parent, const QString &title, const QString &initialFolder) override;

private:
    struct Answer
    {
        explicit Answer(QList<Kind> k, bool a = false)
            : kinds(std::move(k))
            , accepted(a)
        { }
        QList<Kind> kinds; // the kinds of request it answers
        bool accepted = false;
        platform::MessageAnswer message = platform::MessageAnswer::No;
        QString path;
        int filterIndex = 1;
        platform::FontChoice font;
        std::function<void(QPrinter &)> edit;
    };

    // The next answer when it fits the request, else nullopt after reporting.
    std::optional<Answer> take(const Request &request);
    platform::FileDialogResult file(Kind kind, const platform::FileDialogRequest &request);

    QQueue<Answer> m_script;
    QList<Request> m_requests;
    QStringList m_unexpected;
    bool m_failOnUnexpected = true;
};
