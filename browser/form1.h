#pragma once

#include <QMainWindow>

// The main browser window. For now only the frame the rest of the shell will fill.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
};
