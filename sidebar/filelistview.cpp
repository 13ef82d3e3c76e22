#include "sidebar/filelistview.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

FileListView::FileListView(QWidget *parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("FileView1"));
}

QStringList FileListView::nameFilters(const QString &pattern)
{
    QStringList filters;
    for (const QString &part : pattern.split(u';', Qt::SkipEmptyParts)) {
        const QString filter = part.trimmed();
        filters.append(filter == u"*.*" ? QStringLiteral("*") : filter);
    }
    return filters;
}

QString FileListView::fileAddress(const QString &folder, const QString &name)
{
    const QString separator = QDir::separator();
    return folder.endsWith(separator) ? folder + name : folder + separator + name;
}

void FileListView::setPath(const QString &path)
{
    const QDir dir(path);
    if (!dir.exists() || !dir.isReadable())
        return;
    m_path = path;
    refresh();
}

void FileListView::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    refresh();
}

QString FileListView::fileName() const
{
    const QListWidgetItem *item = currentItem();
    return item ? item->text() : QString();
}

void FileListView::refresh()
{
    clear();
    if (m_path.isEmpty())
        return;
    addItems(QDir(m_path).entryList(nameFilters(m_pattern), QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void FileListView::keyReleaseEvent(QKeyEvent *event)
{
    QListWidget::keyReleaseEvent(event);
    Q_EMIT openRequested();
}

void FileListView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        Q_EMIT menuRequested(event->globalPosition().toPoint());
        return;
    }
    QListWidget::mousePressEvent(event);
    Q_EMIT openRequested();
}
