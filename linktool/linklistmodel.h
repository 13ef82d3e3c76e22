#pragma once

#include "linktool/linkanalysis.h"

#include <QAbstractTableModel>
#include <QList>

// The link list: column 0 "リンク先" (the link text), column 1 "URL". Rows come in page
// order; once sorted, the list stays sorted by its key and direction, also when it is
// filled again. Sorting compares as text, letter case aside, and keeps the page order of
// equal rows.
class LinkListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    void clear();
    void setEntries(QList<linktool::LinkEntry> entries);
    // The entry shown at row, in the current order.
    const linktool::LinkEntry &entry(int row) const;
    int count() const { return int(m_entries.size()); }

    bool isSorted() const { return m_sorted; }
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

private:
    void applySort();

    QList<linktool::LinkEntry> m_entries; // page order
    QList<int> m_order;                   // shown row -> entry
    bool m_sorted = false;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
