// The least a Qt Widgets program does to show a window of the program's size, stamped at its first
// painted frame.

#include "firstpaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    new FirstPaintStamp(&window);
    window.move(0, 0);
    window.resize(1024, 768);
    window.showMaximized();
    return app.exec();
}
