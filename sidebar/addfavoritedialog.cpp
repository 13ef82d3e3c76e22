#include "sidebar/addfavoritedialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

AddFavoriteDialog::AddFavoriteDialog(const QString &title, const QStringList &folders, QWidget *parent)
    : QDialog(parent)
    , m_name(new QLineEdit(title, this))
    , m_folder(new QComboBox(this))
{
    setObjectName(QStringLiteral("AddFavoriteDialog"));
    setWindowTitle(QStringLiteral("お気に入りに追加"));
    m_name->setObjectName(QStringLiteral("favoriteName"));
    m_folder->setObjectName(QStringLiteral("favoriteFolder"));
    m_folder->addItems(folders);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("名前(&N):"), m_name);
    form->addRow(QStringLiteral("作成先(&I):"), m_folder);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto enable = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_name->text().trimmed().isEmpty());
    };
    connect(m_name, &QLineEdit::textChanged, this, enable);
    enable();
}

QString AddFavoriteDialog::name() const
{
    return m_name->text();
}

QString AddFavoriteDialog::folder() const
{
    return m_folder->currentText();
}
