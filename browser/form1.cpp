#include "browser/form1.h"

Form1::Form1(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ゆらぎね"));
    resize(1024, 720);
}
