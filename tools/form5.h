#pragma once

#include "platform/platform.h"

#include <QDialog>

class QPushButton;

// The cookie editor: deletes every cookie of the browser profile, or shows the folder the
// profile keeps its files in.
class Form5 : public QDialog
{
    Q_OBJECT
public:
    explicit Form5(platform::Platform services, QWidget *parent = nullptr);

    void Command1_Click(); // 全削除
    void Command2_Click(); // the cookie folder in the file manager

private:
    void finishDeletion(bool cookiesDeleted);

    platform::Platform m_services;
    QPushButton *m_deleteAll = nullptr; // Command1
};
