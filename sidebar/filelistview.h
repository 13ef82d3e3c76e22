#pragma once

#include <QListWidget>

// The file list beside the folder tree: the files of one folder matching one or more
// ";"-separated wildcard patterns. It reports key releases and non-right presses as
// requests to open the selected file, and right presses as requests for its menu.
class FileListView : public QListWidget
{
    Q_OBJECT
public:
    explicit FileListView(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &path); // a folder that cannot be listed keeps the old one
    QString pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);
    QString fileName() const;

    // "*.*" means every file, as users of these lists expect, not only names with a dot.
    static QStringList nameFilters(const QString &pattern);
    // The address of a file: the folder, one separator, the name.
    static QString fileAddress(const QString &folder, const QString &name);

Q_SIGNALS:
    void openRequested();
    void menuRequested(const QPoint &globalPosition);

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void refresh();
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
};
