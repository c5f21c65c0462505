// The program's start-up, line for line as app/main.cpp, stamped at its first painted frame.

#include "firstpaint.h"
#include "mainwindow.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const auto app = startApplication(argc, argv, "bench-startup-program");
    if (!app)
        return 1;
    MainWindow window;
    new FirstPaintStamp(&window);
    window.showAsProgram();
    return app->exec();
}
