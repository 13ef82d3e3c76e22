#pragma once

#include "platform/platform.h"

#include <QDialog>

class QPushButton;

// The cookie editor: deletes every cookie of the browser profile, or shows the folder the
// profile keeps its files in.
class CookieEditorDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CookieEditorDialog(platform::Platform services, QWidget *parent = nullptr);

    void deleteAllCookies(); // 全削除
    void openCookieFolder(); // the cookie folder in the file manager

private:
    void finishDeletion(bool cookiesDeleted);

    platform::Platform m_services;
    QPushButton *m_deleteAll = nullptr; // Command1
};
