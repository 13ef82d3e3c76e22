#include "tests/support/scripteddialogs.h"

#include <QPrinter>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace platform;

namespace {

QString kindName(ScriptedDialogs::Kind kind)
{
    switch (kind) {
    case ScriptedDialogs::Kind::Message:
        return u"message box"_s;
    case ScriptedDialogs::Kind::OpenFile:
        return u"open dialog"_s;
    case ScriptedDialogs::Kind::SaveFile:
        return u"save dialog"_s;
    case ScriptedDialogs::Kind::Font:
        return u"font dialog"_s;
    case ScriptedDialogs::Kind::Print:
        return u"print dialog"_s;
    case ScriptedDialogs::Kind::PageSetup:
        return u"page setup dialog"_s;
    case ScriptedDialogs::Kind::Folder:
        return u"folder dialog"_s;
    }
    return {};
}

} // namespace

void ScriptedDialogs::answerMessage(MessageAnswer answer)
{
    Answer a({Kind::Message}, true);
    a.message = answer;
    m_script.enqueue(a);
}

void ScriptedDialogs::answerFile(const QString &path, int filterIndex)
{
    Answer a({Kind::OpenFile, Kind::SaveFile}, true);
    a.path = path;
    a.filterIndex = filterIndex;
    m_script.enqueue(a);
}

void ScriptedDialogs::answerOpenFile(const QString &path, int filterIndex)
{
    answerFile(path, filterIndex);
    m_script.last().kinds = {Kind::OpenFile};
}

void ScriptedDialogs::answerSaveFile(const QString &path, int filterIndex)
{
    answerFile(path, filterIndex);
    m_script.last().kinds = {Kind::SaveFile};
}

void ScriptedDialogs::cancelOpenFile()
{
    m_script.enqueue(Answer({Kind::OpenFile}));
}

void ScriptedDialogs::cancelSaveFile()
{
    m_script.enqueue(Answer({Kind::SaveFile}));
}

void ScriptedDialogs::answerFont(const FontChoice &choice)
{
    Answer a({Kind::Font}, true);
    a.font = choice;
    m_script.enqueue(a);
}

void ScriptedDialogs::cancelFont()
{
    m_script.enqueue(Answer({Kind::Font}));
}

void ScriptedDialogs::answerPrint(bool accepted, std::function<void(QPrinter &)> edit)
{
    Answer a({Kind::Print});
    a.accepted = accepted;
    a.edit = std::move(edit);
    m_script.enqueue(a);
}

void ScriptedDialogs::answerPageSetup(bool accepted, std::function<void(QPrinter &)> edit)
{
    Answer a({Kind::PageSetup});
    a.accepted = accepted;
    a.edit = std::move(edit);
    m_script.enqueue(a);
}

void ScriptedDialogs::answerFolder(const QString &path)
{
    Answer a({Kind::Folder}, true);
    a.path = path;
    m_script.enqueue(a);
}

void ScriptedDialogs::cancelFolder()
{
    m_script.enqueue(Answer({Kind::Folder}));
}

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const Request &request : m_requests) {
        if (request.kind == Kind::Message)
            texts.append(request.text);
    }
    return texts;
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::take(const Request &request)
{
    m_requests.append(request);
    if (!m_script.isEmpty() && m_script.head().kinds.contains(request.kind))
        return m_script.dequeue();

    QString what = kindName(request.kind);
    if (!request.title.isEmpty())
        what += u" \""_s + request.title + u'"';
    if (!request.text.isEmpty())
        what += u": "_s + request.text;
    what += m_script.isEmpty() ? u" (script empty)"_s
                               : u" (next answer is for a "_s + kindName(m_script.head().kinds.first()) + u')';
    m_unexpected.append(what);
    if (m_failOnUnexpected)
        QTest::qFail(qPrintable(u"unexpected "_s + what), __FILE__, __LINE__);
    return std::nullopt;
}

MessageAnswer ScriptedDialogs::message(QWidget *, const QString &text, const QString &title, MessageButtons buttons,
                                       MessageIcon icon)
{
    Request request {Kind::Message};
    request.text = text;
    request.title = title;
    request.buttons = buttons;
    request.icon = icon;
    const auto answer = take(request);
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    // Any answer but Yes counts as No, as with a box closed by its title bar.
    return answer && answer->message == MessageAnswer::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

FileDialogResult ScriptedDialogs::file(Kind kind, const FileDialogRequest &fileRequest)
{
    Request request {kind};
    request.title = fileRequest.title;
    request.file = fileRequest;
    const auto answer = take(request);
    FileDialogResult result;
    if (!answer || !answer->accepted)
        return result;
    result.accepted = true;
    result.path = withDefaultExtension(answer->path, fileRequest.defaultExtension);
    result.filterIndex = answer->filterIndex;
    return result;
}

FileDialogResult ScriptedDialogs::openFile(QWidget *, const FileDialogRequest &request)
{
    return file(Kind::OpenFile, request);
}

FileDialogResult ScriptedDialogs::saveFile(QWidget *, const FileDialogRequest &request)
{
    return file(Kind::SaveFile, request);
}

std::optional<FontChoice> ScriptedDialogs::chooseFont(QWidget *, const QString &title, const FontChoice &initial,
                                                      bool withColor)
{
    Request request {Kind::Font};
    request.title = title;
    request.font = initial;
    request.withColor = withColor;
    const auto answer = take(request);
    if (!answer || !answer->accepted)
        return std::nullopt;
    FontChoice choice = answer->font;
    if (!withColor)
        choice.color = initial.color;
    return choice;
}

bool ScriptedDialogs::print(QWidget *, QPrinter &printer)
{
    const auto answer = take(Request(Kind::Print));
    if (!answer || !answer->accepted)
        return false;
    if (answer->edit)
        answer->edit(printer);
    return true;
}

bool ScriptedDialogs::pageSetup(QWidget *, QPrinter &printer)
{
    const auto answer = take(Request(Kind::PageSetup));
    if (!answer || !answer->accepted)
        return false;
    if (answer->edit)
        answer->edit(printer);
    return true;
}

std::optional<QString> ScriptedDialogs::chooseFolder(QWidget *, const QString &title, const QString &initialFolder)
{
    Request request {Kind::Folder};
    request.title = title;
    request.folder = initialFolder;
    const auto answer = take(request);
    if (!answer || !answer->accepted)
        return std::nullopt;
    return answer->path;
}
