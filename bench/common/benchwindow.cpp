#include "benchwindow.h"

#include "startup.h"

#include <QTest>

#include <cstdlib>

namespace bench {

Program openProgram(int& argc, char** argv)
{
    Program program;
    program.app = startApplication(argc, argv, argv[0]);
    if (!program.app)
        std::exit(1);
    program.window = std::make_unique<MainWindow>();
    program.window->setMessagePresenter([](const QString&, const QString&) {});
    program.window->FormCreate();
    program.window->show();
    program.window->activateWindow();
    QCoreApplication::processEvents();
    return program;
}

void click(MainWindow& window, sim::Item button)
{
    QWidget* target = window.item(button);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
}

void startAfresh(MainWindow& window, Choice choice)
{
    click(window, sim::Item::btnSaishiko);
    window.scene().setSelectedIndex(sim::Item::lbxSyokiRyo, 0);
    window.scene().setSelectedIndex(sim::Item::lbxJikan, choice.jikan - 1);
    window.scene().setSelectedIndex(sim::Item::lbxSuiryo, choice.suiryo - 1);
    click(window, sim::Item::btnMizuDasu);
}

} // namespace bench
