#pragma once

#include "mainwindow.h"
#include "periodictimer.h"

#include <QApplication>

#include <memory>

namespace bench {

// One choice of the two rate lists, as the learner reads them (1 to 5).
struct Choice {
    int jikan = 1;
    int suiryo = 1;
    // The interval a fresh start sets, in milliseconds.
    int interval() const { return 20 * jikan / suiryo; }
    // Real seconds one unit of time should take: 25 × Suiryo / Jikan ticks of the interval.
    double intendedSecondsPerUnit() const { return interval() * 25.0 * suiryo / jikan / 1000.0; }
};

// The application and the main window, made and shown by the program's own start-up code (the
// window at the layout's size, as the offscreen screen is smaller). The full-tank message is
// replaced by one that returns at once. Ends the process when the start-up code reports a problem.
struct Program {
    std::unique_ptr<QApplication> app;
    std::unique_ptr<MainWindow> window;
};
Program openProgram(int& argc, char** argv);

// A real mouse click on one of the window's buttons.
void click(MainWindow& window, sim::Item button);

// はじめから, then the choice with initial amount 0, then 水を入れる.
void startAfresh(MainWindow& window, Choice choice);

// The run stopped at a full tank (or was never started).
inline bool runEnded(MainWindow& window)
{
    return !window.program().timerEnabled();
}

} // namespace bench
