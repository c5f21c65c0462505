// ichijikansu-replay: the program's own window, driven headless by a script on standard input.

#include "mainwindow.h"
#include "replay.h"
#include "startup.h"

#include <QApplication>

#include <iostream>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto app = startApplication(argc, argv, "ichijikansu-replay");
    if (!app)
        return 1;
    MainWindow window;
    Replay::takeControl(window);
    window.FormCreate();
    // Shown at the layout's own size: the offscreen screen is smaller than the layout.
    window.show();
    window.activateWindow();
    QCoreApplication::processEvents();
    return Replay(window, std::cout, std::cerr).run(std::cin);
}
