#include "mainwindow.h"
#include "startup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    const auto app = createApplication(argc, argv);
    const QString problem = prepareApplication(*app, QCoreApplication::applicationFilePath());
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "ichijikansu: %s\n", qPrintable(problem));
        return 1;
    }
    MainWindow window;
    QObject::connect(&window, &MainWindow::quitRequested, app.get(), &QCoreApplication::quit, Qt::QueuedConnection);
    window.FormCreate();
    window.showMaximized();
    return app->exec();
}
