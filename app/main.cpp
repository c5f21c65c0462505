#include "mainwindow.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const auto app = startApplication(argc, argv, "ichijikansu");
    if (!app)
        return 1;
    MainWindow window;
    window.showAsProgram();
    return app->exec();
}
