// The bare engine: one view opening the page given on the command line. Start-up of the
// browser is measured against this. With a profile name as the second argument the view
// keeps its data on disk, as the browser does, which separates the cost of that storage
// from the cost of the browser itself.
#include <QApplication>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <memory>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString storage = app.arguments().value(2);
    std::unique_ptr<QWebEngineProfile> profile; // declared first: it must outlive the page
    if (!storage.isEmpty())
        profile = std::make_unique<QWebEngineProfile>(storage);
    QWebEngineView view;
    if (profile)
        view.setPage(new QWebEnginePage(profile.get(), &view));
    QObject::connect(&view, &QWebEngineView::titleChanged, &view, &QWidget::setWindowTitle);
    view.resize(1024, 720);
    view.load(QUrl::fromUserInput(app.arguments().value(1)));
    view.show();
    return app.exec();
}
