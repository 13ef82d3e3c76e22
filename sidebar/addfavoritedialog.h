#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

// Names a new favorite and chooses its folder.
class AddFavoriteDialog : public QDialog
{
    Q_OBJECT
public:
    AddFavoriteDialog(const QString &title, const QStringList &folders, QWidget *parent = nullptr);
    QString name() const;
    QString folder() const;

private:
    QLineEdit *m_name;
    QComboBox *m_folder;
};
