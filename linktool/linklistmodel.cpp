#include "linktool/linklistmodel.h"

#include <QTextDocument>

#include <algorithm>
#include <numeric>

using linktool::LinkEntry;

int LinkListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int LinkListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant LinkListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_order.size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const LinkEntry &e = entry(index.row());
    const QString &text = index.column() == 0 ? e.text : e.url;
    // A tool tip that looks like markup is drawn as rich text; the page wrote this one.
    if (role == Qt::ToolTipRole)
        return text.isEmpty() ? QVariant() : Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
    return text;
}

QVariant LinkListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return QStringLiteral("リンク先");
    if (section == 1)
        return QStringLiteral("URL");
    return {};
}

const LinkEntry &LinkListModel::entry(int row) const
{
    return m_entries.at(m_order.at(row));
}

void LinkListModel::clear()
{
    setEntries({});
}

void LinkListModel::setEntries(QList<LinkEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_order.resize(m_entries.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    if (m_sorted)
        applySort();
    endResetModel();
}

void LinkListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column > 1)
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> entriesBefore;
    entriesBefore.reserve(before.size());
    for (const QModelIndex &index : before)
        entriesBefore.append(m_order.at(index.row()));

    m_sorted = true;
    m_sortColumn = column;
    m_sortOrder = order;
    applySort();

    if (!before.isEmpty()) {
        QList<int> rowOf(m_entries.size());
        for (int row = 0; row < m_order.size(); ++row)
            rowOf[m_order[row]] = row;
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            after.append(index(rowOf[entriesBefore[i]], before[i].column()));
        changePersistentIndexList(before, after);
    }
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void LinkListModel::applySort()
{
    std::iota(m_order.begin(), m_order.end(), 0);
    const bool byUrl = m_sortColumn == 1;
    const auto text = [this, byUrl](int i) -> const QString & { return byUrl ? m_entries[i].url : m_entries[i].text; };
    // Folded once rather than in every comparison.
    QList<QString> folded;
    folded.reserve(m_entries.size());
    for (int i = 0; i < m_entries.size(); ++i)
        folded.append(text(i).toCaseFolded());
    // Letter case aside first, then exactly, so the order does not depend on the page's.
    const auto compare = [&](int a, int b) {
        const int loose = QString::compare(folded[a], folded[b]);
        return loose != 0 ? loose : QString::compare(text(a), text(b));
    };
    if (m_sortOrder == Qt::AscendingOrder)
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) { return compare(a, b) < 0; });
    else
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) { return compare(a, b) > 0; });
}
