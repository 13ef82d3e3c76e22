// The bare engine: one view opening the page given on the command line. Start-up of the
// browser is measured against this.
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QWebEngineView view;
    QObject::connect(&view, &QWebEngineView::titleChanged, &view, &QWidget::setWindowTitle);
    view.resize(1024, 720);
    view.load(QUrl::fromUserInput(app.arguments().value(1)));
    view.show();
    return app.exec();
}
