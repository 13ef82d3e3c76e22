#include "tools/cookieeditordialog.h"

#include "tools/cookieeditor.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPushButton *button(const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

CookieEditorDialog::CookieEditorDialog(platform::Platform services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
{
    setObjectName(u"Form5"_s);
    setWindowTitle(u"Cookie編集"_s);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(u"クッキー編集"_s);
    heading->setObjectName(u"Label3"_s);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    auto *warning = new QLabel(
        u"『全削除』はＰＣ内の全てのCookieデータを削除します。パソコンの動作に特に不都合は起きないと思われますが、自己責任の元で行ってください。"_s);
    warning->setObjectName(u"Label1"_s);
    warning->setWordWrap(true);
    QPushButton *deleteAll = m_deleteAll = button(u"Command1"_s, u"全削除"_s);
    QPushButton *explore = button(u"Command2"_s, u"ウィンドウにCookieフォルダを開く"_s);
    QPushButton *cancel = button(u"Command3"_s, u"キャンセル"_s);
    for (QWidget *widget : std::initializer_list<QWidget *> {heading, warning, deleteAll, explore, cancel})
        layout->addWidget(widget);
    setMinimumWidth(360);

    connect(deleteAll, &QPushButton::clicked, this, &CookieEditorDialog::deleteAllCookies);
    connect(explore, &QPushButton::clicked, this, &CookieEditorDialog::openCookieFolder);
    connect(cancel, &QPushButton::clicked, this, &CookieEditorDialog::close);
}

void CookieEditorDialog::deleteAllCookies()
{
    QPointer<CookieEditorDialog> alive(this);
    if (!m_services.dialogs.askYesNo(this, u"ホントに全削除してよろしいですか？"_s, u"全削除"_s,
                                     platform::MessageIcon::None)
        || !alive)
        return;
    // The engine answers later; the button waits for it.
    m_deleteAll->setEnabled(false);
    m_services.browsers.deleteAllCookies([alive](bool deleted) {
        if (alive)
            alive->finishDeletion(deleted);
    });
}

void CookieEditorDialog::finishDeletion(bool cookiesDeleted)
{
    const bool files = cookies::deleteTextFiles(m_services.browsers.cookieFolder());
    QPointer<CookieEditorDialog> alive(this);
    if (cookiesDeleted && files) {
        m_services.dialogs.message(this, u"全削除が終了しました。"_s, u"全削除終了"_s, platform::MessageButtons::Ok,
                                   platform::MessageIcon::None);
    } else {
        m_services.dialogs.message(this, u"削除できませんでした。"_s, u"全削除"_s, platform::MessageButtons::Ok,
                                   platform::MessageIcon::Warning);
    }
    if (alive)
        m_deleteAll->setEnabled(true);
}

void CookieEditorDialog::openCookieFolder()
{
    m_services.shell.openFolder(m_services.browsers.cookieFolder());
}
