#pragma once

#include "platform/dialogs.h"

#include <QDialog>
#include <QPointer>

class QAction;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The block-list editor. The switch is the check mark of the menu item that opens it;
// the list is blacklist.ini, read when the editor opens and written when it saves.
class BlockListEditor : public QDialog
{
    Q_OBJECT
public:
    BlockListEditor(platform::Dialogs &dialogs, QAction *blockingSwitch, QWidget *parent = nullptr);

    QStringList entries() const;

private:
    void loadList();
    void switchBlocking();
    void addEntry();
    void deleteEntry();
    void saveAndClose();

    platform::Dialogs &m_dialogs;
    QPointer<QAction> m_switch;
    QCheckBox *m_check = nullptr;    // Check1
    QListWidget *m_list = nullptr;   // ListView1
    QLineEdit *m_text = nullptr;     // Text1
    QPushButton *m_add = nullptr;    // Command1
    QPushButton *m_delete = nullptr; // Command2
};
