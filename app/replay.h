#pragma once

#include <iosfwd>
#include <string>

class MainWindow;

// Drives the real main window from a script, one command a line, as a user would:
//   click NAME         a left click inside a button (nothing if it is hidden)
//   select LIST ROW    the user selects row ROW (from 0) of a selection list
//   tick N             N ticks of the timer, each only while it is enabled with an interval
//   dump               the state as one line of JSON
//   render FILE        the 1024 by 768 client area as PNG, in device pixels
// Blank lines and lines starting with # are skipped. Ticks never come by themselves, and a
// full-tank message is dismissed at once (and counted in the dump).
class Replay {
public:
    Replay(MainWindow& window, std::ostream& out, std::ostream& err);

    // Runs the script to its end (0), to "click btnOwari" (prints "quit", 0) or to the first bad
    // line (prints "error: LINE: MESSAGE" to err, 2).
    int run(std::istream& script);

    // Prepares a window made by the program's own code for driving: manual ticks and messages
    // that are dismissed as soon as they open.
    static void takeControl(MainWindow& window);

private:
    enum class Outcome { Next, Quit, Error };
    Outcome runLine(const std::string& line, std::string& problem);
    Outcome click(const std::string& name, std::string& problem);
    Outcome select(const std::string& name, const std::string& row, std::string& problem);
    Outcome tick(const std::string& count, std::string& problem);
    Outcome render(const std::string& file, std::string& problem);

    MainWindow& window_;
    std::ostream& out_;
    std::ostream& err_;
};
