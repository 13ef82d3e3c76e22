#include "app/startup.h"
#include "browser/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("yuragine"));
    QApplication::setApplicationDisplayName(QStringLiteral("ゆらぎね"));

    const bool firstRunDue = RunStartup();
    Q_UNUSED(firstRunDue); // the first-run dialog is not built yet

    Form1 window;
    window.show();
    return application.exec();
}
