// The program's start-up, line for line as app/main.cpp, stamped at its first painted frame.

#include "firstpaint.h"
#include "mainwindow.h"
#include "startup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    const auto app = createApplication(argc, argv);
    const QString problem = prepareApplication(*app, QCoreApplication::applicationFilePath());
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "bench-startup-program: %s\n", qPrintable(problem));
        return 1;
    }
    MainWindow window;
    new FirstPaintStamp(&window);
    QObject::connect(&window, &MainWindow::quitRequested, app.get(), &QCoreApplication::quit, Qt::QueuedConnection);
    window.FormCreate();
    window.showMaximized();
    return app->exec();
}
