#pragma once

#include <iosfwd>

class MainWindow;

// Drives the real main window from a script on a stream, as a user would: the commands of
// core::ReplayRunner (click, select, tick, dump, render). Ticks never come by themselves, and a
// full-tank message is dismissed at once (and counted in the dump).
class Replay {
public:
    Replay(MainWindow& window, std::ostream& out, std::ostream& err);

    // Runs the script to its end (0), to "click btnOwari" (prints "quit", 0) or to the first bad
    // line (prints "error: LINE: MESSAGE" to err, 2). Output is flushed line by line.
    int run(std::istream& script);

    // Prepares a window made by the program's own code for driving: manual ticks and messages
    // that are dismissed as soon as they open.
    static void takeControl(MainWindow& window);

private:
    MainWindow& window_;
    std::ostream& out_;
    std::ostream& err_;
};
