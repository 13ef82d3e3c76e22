#include "tools/languagedialog.h"

#include "platform/registry.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace languages {

namespace {
const QString kKey = QStringLiteral("Software\\Microsoft\\Internet Explorer\\International");
const QString kValue = QStringLiteral("AcceptLanguage");
} // namespace

QString acceptLanguageHeader(const QStringList &list)
{
    QStringList parts;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i == 0) {
            parts.append(list[i]);
            continue;
        }
        const int tenths = std::max(1, 10 - int(i));
        parts.append(list[i] + QStringLiteral(";q=0.%1").arg(tenths));
    }
    return parts.join(u',');
}

bool isLanguageTag(const QString &tag)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9]+(-[A-Za-z0-9]+)*$"));
    return !tag.isEmpty() && tag.size() <= 35 && pattern.match(tag).hasMatch();
}

QStringList languagesFromHeader(const QString &header)
{
    QStringList list;
    for (const QString &part : header.split(u',')) {
        const QString tag = part.section(u';', 0, 0).trimmed();
        if (isLanguageTag(tag) && !list.contains(tag, Qt::CaseInsensitive))
            list.append(tag);
    }
    return list;
}

QStringList defaultLanguages()
{
    return {QStringLiteral("ja"), QStringLiteral("en")};
}

QString headerToSend(const QString &stored)
{
    const QStringList list = languagesFromHeader(stored);
    return acceptLanguageHeader(list.isEmpty() ? defaultLanguages() : list);
}

QString stored(platform::RegistryGateway &registry)
{
    return registry.readStringValue(platform::registry::CurrentUser, kKey, kValue);
}

bool store(platform::RegistryGateway &registry, const QString &header)
{
    return registry.writeStringValue(platform::registry::CurrentUser, kKey, kValue, header);
}

} // namespace languages

LanguageDialog::LanguageDialog(const QStringList &list, QWidget *parent)
    : QDialog(parent)
    , m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("LanguageDialog"));
    setWindowTitle(QStringLiteral("言語の優先順位"));
    m_list->setObjectName(QStringLiteral("languageList"));
    m_list->addItems(list);
    auto *up = new QPushButton(QStringLiteral("上へ(&U)"), this);
    up->setObjectName(QStringLiteral("up"));
    auto *down = new QPushButton(QStringLiteral("下へ(&D)"), this);
    down->setObjectName(QStringLiteral("down"));
    auto *addButton = new QPushButton(QStringLiteral("追加(&A)..."), this);
    addButton->setObjectName(QStringLiteral("add"));
    auto *remove = new QPushButton(QStringLiteral("削除(&R)"), this);
    remove->setObjectName(QStringLiteral("remove"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto *side = new QVBoxLayout;
    for (QPushButton *button : {up, down, addButton, remove})
        side->addWidget(button);
    side->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    row->addLayout(side);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("ページを表示する言語を優先する順に並べてください。"), this));
    layout->addLayout(row);
    layout->addWidget(buttons);

    connect(up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { move(1); });
    connect(addButton, &QPushButton::clicked, this, &LanguageDialog::add);
    connect(remove, &QPushButton::clicked, this, [this] { delete m_list->currentItem(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QStringList LanguageDialog::languages() const
{
    QStringList list;
    for (int i = 0; i < m_list->count(); ++i)
        list.append(m_list->item(i)->text());
    return list;
}

void LanguageDialog::move(int step)
{
    const int row = m_list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_list->count())
        return;
    m_list->insertItem(target, m_list->takeItem(row));
    m_list->setCurrentRow(target);
}

void LanguageDialog::add()
{
    bool ok = false;
    const QString tag = QInputDialog::getText(this, QStringLiteral("言語の追加"),
                                              QStringLiteral("言語タグ (例: ja, en-US):"), QLineEdit::Normal, {}, &ok)
                            .trimmed();
    if (ok && languages::isLanguageTag(tag) && languages().indexOf(tag) < 0)
        m_list->addItem(tag);
}
