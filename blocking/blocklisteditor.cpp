#include "blocking/blocklisteditor.h"

#include "blocking/blocklist.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

QPushButton *button(QWidget *parent, const char *name, const char *caption, const char *tip)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromUtf8(tip));
    return b;
}

QLabel *label(QWidget *parent, const char *name, const char *caption)
{
    auto *l = new QLabel(QString::fromUtf8(caption), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

BlockListEditor::BlockListEditor(platform::Dialogs &dialogs, QAction *blockingSwitch, QWidget *parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_switch(blockingSwitch)
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("ページ、ウィンドウ非表示機能"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *heading = label(this, "Label3", "ページ、ウィンドウ非表示機能");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    m_check = new QCheckBox(QStringLiteral("ページ、ウィンドウ非表示機能"), this);
    m_check->setObjectName(QStringLiteral("Check1"));
    m_check->setToolTip(QStringLiteral("非表示機能のON,OFF"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setToolTip(QStringLiteral("追加したい文字列を入力してください。"));
    m_add = button(this, "Command1", "↑ 追加", "追加文字列をリストに追加");
    m_delete = button(this, "Command2", "× 削除", "指定の文字列をリストから削除");
    auto *ok = button(this, "OKButton", "設定して終了", "現在の設定を保存して閉じる");
    auto *cancel = button(this, "ChButton", "キャンセル", "保存せずに閉じる");

    auto *grid = new QGridLayout(this);
    grid->addWidget(heading, 0, 0, 1, 3);
    grid->addWidget(m_check, 1, 0, 1, 3);
    grid->addWidget(label(this, "Label1", "■URL内に以下の文字列がある場合ページを読み込まない"), 2, 0, 1, 3);
    grid->addWidget(m_list, 3, 0, 1, 3);
    grid->addWidget(label(this, "Label2", "追加文字列："), 4, 0);
    grid->addWidget(m_text, 4, 1, 1, 2);
    grid->addWidget(m_add, 5, 1);
    grid->addWidget(m_delete, 5, 2);
    grid->addWidget(ok, 6, 1);
    grid->addWidget(cancel, 6, 2);

    connect(m_check, &QCheckBox::clicked, this, &BlockListEditor::switchBlocking);
    connect(m_text, &QLineEdit::textChanged, this, [this] { m_add->setEnabled(!m_text->text().isEmpty()); });
    // The entry under the cursor, however it got there; a click on it again after a
    // deletion chooses it anew.
    connect(m_list, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *current) { m_delete->setEnabled(current != nullptr); });
    connect(m_list, &QListWidget::itemClicked, this, [this] { m_delete->setEnabled(true); });
    connect(m_add, &QPushButton::clicked, this, &BlockListEditor::addEntry);
    connect(m_delete, &QPushButton::clicked, this, &BlockListEditor::deleteEntry);
    connect(ok, &QPushButton::clicked, this, &BlockListEditor::saveAndClose);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    loadList();
}

void BlockListEditor::loadList()
{
    const bool on = m_switch && m_switch->isChecked();
    m_check->setChecked(on);
    m_list->setEnabled(on);
    m_text->setEnabled(on);
    m_add->setEnabled(false);
    m_delete->setEnabled(false);
    m_list->addItems(blocklist::read(blocklist::filePath()));
}

void BlockListEditor::switchBlocking()
{
    const bool on = m_check->isChecked();
    m_list->setEnabled(on);
    m_text->setEnabled(on);
    m_add->setEnabled(false);
    m_delete->setEnabled(false);
}

void BlockListEditor::addEntry()
{
    if (const auto refused = blocklist::firstUnstorableCharacter(m_text->text())) {
        const bool lineBreak = *refused == u"\r" || *refused == u"\n";
        const QString code = QString::number(refused->toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
        m_dialogs.message(this,
                          QStringLiteral("「%1」（U+%2）はリストに保存できない文字のため、追加できません。")
                              .arg(lineBreak ? QStringLiteral("改行") : *refused, code),
                          QStringLiteral("追加"), platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        return;
    }
    if (!m_dialogs.askYesNo(this, QStringLiteral("文字列リストに追加しますか？"), QStringLiteral("追加")))
        return;
    m_list->addItem(m_text->text());
    m_add->setEnabled(false);
    m_text->clear();
    m_add->setEnabled(false);
}

void BlockListEditor::deleteEntry()
{
    if (!m_dialogs.askYesNo(this, QStringLiteral("選択文字列を削除していいですか？"), QStringLiteral("削除")))
        return;
    delete m_list->currentItem();
    m_delete->setEnabled(false);
}

void BlockListEditor::saveAndClose()
{
    const QString path = blocklist::filePath();
    QString reason;
    if (!blocklist::write(path, entries(), &reason)) {
        // Nothing is applied; the entries stay here for another try.
        m_dialogs.message(this,
                          QStringLiteral("設定を保存できませんでした。\r\n\r\n") + QDir::toNativeSeparators(path)
                              + QStringLiteral("\r\n") + reason,
                          QStringLiteral("設定エラー"), platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        return;
    }
    if (m_switch)
        m_switch->setChecked(m_check->isChecked());
    m_dialogs.message(this,
                      QStringLiteral("設定が完了しました。\r\n\r\n登録する文字列には気をつけてください。\r\n"
                                     "必要以上に登録すると、ページを見れなくなるなどの不都合が生じます。"),
                      QStringLiteral("設定完了"), platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    accept();
}

QStringList BlockListEditor::entries() const
{
    QStringList list;
    for (int i = 0; i < m_list->count(); ++i)
        list.append(m_list->item(i)->text());
    return list;
}
