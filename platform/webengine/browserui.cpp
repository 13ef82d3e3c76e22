#include "platform/webengine/browserui.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace platform {

namespace {

// A dialog on the heap: if its parent window is destroyed while it runs, the dialog goes
// with it and exec() returns, instead of a second delete at the end of a stack frame.
template <typename QtDialog, typename... Args> int runDialog(Args &&...args)
{
    QPointer<QtDialog> dialog = new QtDialog(std::forward<Args>(args)...);
    const int result = dialog->exec();
    delete dialog.data();
    return result;
}

void showPropertiesDialog(QWidget *parent, const PageProperties &properties)
{
    QPointer<QDialog> owner = new QDialog(parent);
    QDialog &dialog = *owner;
    dialog.setWindowTitle(QStringLiteral("プロパティ"));
    auto *form = new QFormLayout(&dialog);
    auto addRow = [&](const QString &label, const QString &value) {
        auto *text = new QLabel(&dialog);
        text->setTextFormat(Qt::PlainText);
        text->setText(value);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->setWordWrap(true);
        form->addRow(label, text);
    };
    addRow(QStringLiteral("タイトル:"), properties.title);
    addRow(QStringLiteral("アドレス (URL):"), properties.address);
    addRow(QStringLiteral("プロトコル:"), properties.protocol);
    addRow(QStringLiteral("エンコード:"), properties.encoding);
    addRow(QStringLiteral("サイズ:"),
           properties.size < 0 ? QStringLiteral("不明")
                               : QLocale().toString(properties.size) + QStringLiteral(" バイト"));
    addRow(QStringLiteral("更新日時:"), properties.lastModified);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    form->addRow(buttons);
    dialog.exec();
    delete owner.data();
}

} // namespace

BrowserUi defaultBrowserUi()
{
    BrowserUi ui;
    ui.printDialog = [](QPrinter &printer, QWidget *parent) {
        return runDialog<QPrintDialog>(&printer, parent) == QDialog::Accepted;
    };
    ui.pageSetupDialog = [](QPrinter &printer, QWidget *parent) {
        return runDialog<QPageSetupDialog>(&printer, parent) == QDialog::Accepted;
    };
    ui.printPreview = [](QPrinter &printer, QWidget *parent, const std::function<bool(QPrinter *)> &paint) {
        QPointer<QPrintPreviewDialog> dialog = new QPrintPreviewDialog(&printer, parent);
        QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                         [paint](QPrinter *target) { paint(target); });
        dialog->exec();
        delete dialog.data();
    };
    ui.saveFileName = [](QWidget *parent, const QString &suggestedPath) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("名前を付けて保存"), suggestedPath,
                                            QStringLiteral("Web ページ (*.htm *.html);;すべてのファイル (*)"));
    };
    ui.showProperties = &showPropertiesDialog;
    ui.openExternally = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    ui.homePage = [] { return QString(); };
    return ui;
}

} // namespace platform
