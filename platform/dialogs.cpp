#include "platform/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// Keeps the user's input away from the window behind a dialog, as modality would, but lets
// a request to close it through.
class ClosableDialogGuard : public QObject
{
public:
    ClosableDialogGuard(QDialog *dialog, QWidget *window)
        : m_dialog(dialog)
        , m_window(window)
    { }
    bool closeWanted() const { return m_closeWanted; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Close:
            if (watched != m_window || !m_window)
                return false;
            m_closeWanted = true;
            event->ignore();
            if (m_dialog)
                m_dialog->reject();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::DragEnter:
        case QEvent::Drop: {
            auto *widget = qobject_cast<QWidget *>(watched);
            return widget && m_window && widget->window() == m_window;
        }
        default:
            return false;
        }
    }

private:
    QPointer<QDialog> m_dialog;
    QPointer<QWidget> m_window;
    bool m_closeWanted = false;
};

} // namespace

int execClosable(QDialog *dialog)
{
    QPointer<QDialog> shown(dialog);
    QPointer<QWidget> window = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    dialog->setWindowModality(Qt::NonModal);
    ClosableDialogGuard guard(dialog, window);
    qApp->installEventFilter(&guard);
    QEventLoop loop;
    QObject::connect(dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    QObject::connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    loop.exec(QEventLoop::DialogExec);
    qApp->removeEventFilter(&guard);
    if (shown)
        shown->hide();
    if (guard.closeWanted() && window)
        QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
    return shown ? shown->result() : QDialog::Rejected;
}

bool Dialogs::askYesNo(QWidget *parent, const QString &text, const QString &title, MessageIcon icon,
                       MessageButtons buttons)
{
    return message(parent, text, title, buttons == MessageButtons::Ok ? MessageButtons::YesNo : buttons, icon)
        == MessageAnswer::Yes;
}

QStringList qtNameFilters(const QString &filter)
{
    QStringList parts = filter.split(u'|');
    if (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (QString pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            if (pattern == u"*.*"_s)
                pattern = u"*"_s;
            if (!pattern.isEmpty() && !patterns.contains(pattern))
                patterns.append(pattern);
        }
        if (patterns.isEmpty())
            patterns.append(u"*"_s);
        // Qt reads the patterns from the last parentheses of the name, so whatever the
        // name shows there is replaced by the real ones.
        static const QRegularExpression trailingGroup(u"\\s*\\([^()]*\\)\\s*$"_s);
        QString name = parts[i].trimmed();
        name.remove(trailingGroup);
        if (name.isEmpty())
            name = patterns.join(u' ');
        filters.append(name + u" ("_s + patterns.join(u' ') + u')');
    }
    return filters;
}

QString withDefaultExtension(const QString &path, const QString &extension)
{
    QString ext = extension.trimmed();
    while (ext.startsWith(u'.'))
        ext.remove(0, 1);
    const QString name = QFileInfo(path).fileName();
    if (ext.isEmpty() || name.isEmpty() || name.contains(u'.'))
        return path;
    return path + u'.' + ext;
}

MessageAnswer QtDialogs::message(QWidget *parent, const QString &text, const QString &title, MessageButtons buttons,
                                 MessageIcon icon)
{
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::Question:
        qtIcon = QMessageBox::Question;
        break;
    case MessageIcon::Information:
        qtIcon = QMessageBox::Information;
        break;
    case MessageIcon::Warning:
        qtIcon = QMessageBox::Warning;
        break;
    case MessageIcon::None:
        break;
    }
    const bool yesNo = buttons != MessageButtons::Ok;
    QMessageBox box(qtIcon, title, text, yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    if (yesNo) {
        box.setDefaultButton(buttons == MessageButtons::YesNoDefaultNo ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    }
    box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return box.standardButton(box.clickedButton()) == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

bool QtDialogs::askAboutPage(QWidget *parent, const QString &text, const QString &title)
{
    QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    execClosable(box);
    const bool yes = box && box->standardButton(box->clickedButton()) == QMessageBox::Yes;
    delete box.data();
    return yes;
}

namespace {

FileDialogResult runFileDialog(QWidget *parent, const FileDialogRequest &request, bool save)
{
    // On the heap behind a guard: the parent may close while the dialog runs.
    QPointer<QFileDialog> dialog = new QFileDialog(parent, request.title, request.folder);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(!save && request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    QString suffix = request.defaultExtension.trimmed();
    while (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    dialog->setDefaultSuffix(suffix);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog->setNameFilters(filters);
        dialog->selectNameFilter(filters.value(qBound(1, request.filterIndex, int(filters.size())) - 1));
    }
    if (!request.fileName.isEmpty())
        dialog->selectFile(request.fileName);

    const bool accepted = dialog->exec() == QDialog::Accepted;
    FileDialogResult result;
    if (dialog && accepted && !dialog->selectedFiles().isEmpty()) {
        result.accepted = true;
        result.path = withDefaultExtension(dialog->selectedFiles().constFirst(), suffix);
        result.filterIndex = int(filters.indexOf(dialog->selectedNameFilter())) + 1;
    }
    delete dialog.data();
    return result;
}

} // namespace

FileDialogResult QtDialogs::openFile(QWidget *parent, const FileDialogRequest &request)
{
    return runFileDialog(parent, request, false);
}

FileDialogResult QtDialogs::saveFile(QWidget *parent, const FileDialogRequest &request)
{
    return runFileDialog(parent, request, true);
}

std::optional<FontChoice> QtDialogs::chooseFont(QWidget *parent, const QString &title, const FontChoice &initial,
                                                bool withColor)
{
    QFont font(initial.name);
    if (initial.pointSize > 0)
        font.setPointSizeF(initial.pointSize);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setStrikeOut(initial.strikeOut);
    font.setUnderline(initial.underline);

    QPointer<QFontDialog> dialog = new QFontDialog(font, parent);
    dialog->setWindowTitle(title);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    if (!accepted) {
        delete dialog.data();
        return std::nullopt;
    }
    const QFont chosen = dialog->selectedFont();
    delete dialog.data();

    FontChoice choice;
    choice.name = chosen.family();
    choice.pointSize = chosen.pointSizeF();
    choice.bold = chosen.bold();
    choice.italic = chosen.italic();
    choice.strikeOut = chosen.strikeOut();
    choice.underline = chosen.underline();
    choice.color = initial.color;
    if (withColor) {
        // Qt's font dialog has no colour; a colour dialog follows it. Cancelling only the
        // colour keeps the font the user already chose.
        QPointer<QColorDialog> colors = new QColorDialog(initial.color, parent);
        if (colors->exec() == QDialog::Accepted && colors)
            choice.color = colors->selectedColor();
        delete colors.data();
    }
    return choice;
}

bool QtDialogs::print(QWidget *parent, QPrinter &printer)
{
    QPointer<QPrintDialog> dialog = new QPrintDialog(&printer, parent);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    delete dialog.data();
    return accepted;
}

bool QtDialogs::pageSetup(QWidget *parent, QPrinter &printer)
{
    QPointer<QPageSetupDialog> dialog = new QPageSetupDialog(&printer, parent);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    delete dialog.data();
    return accepted;
}

std::optional<QString> QtDialogs::chooseFolder(QWidget *parent, const QString &title, const QString &initialFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(parent, title, initialFolder);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

} // namespace platform
