#pragma once

#include "items.h"
#include "scale.h"

#include <string>
#include <string_view>

namespace core {

// What a replay script drives: the window of a front end, used as a user would use it.
class ReplayTarget {
public:
    virtual ~ReplayTarget() = default;

    virtual bool isShown(sim::Item item) const = 0;
    // A left click inside a button that is shown.
    virtual void click(sim::Item button) = 0;
    // The user selects a row of a list.
    virtual void select(sim::Item list, int row) = 0;
    // One tick, if the timer is enabled with an interval; whether one ran.
    virtual bool tick() = 0;
    // The state as one line of JSON, once everything pending has been shown.
    virtual std::string dump() = 0;
    // Writes the lesson as PNG, in device pixels, shown at `scale` (1: the design's 1024 by 768);
    // false, with the reason, when it cannot.
    virtual bool render(const std::string& file, const Scale& scale, std::string& problem) = 0;
    virtual bool quitRequested() const = 0;
};

// Runs a script, one command a line, the same on every front end:
//   click NAME         a left click inside a button (nothing if it is hidden)
//   select LIST ROW    the user selects row ROW (from 0) of a selection list
//   tick N             N ticks of the timer, each only while it is enabled with an interval
//   dump               the state as one line of JSON
//   render FILE        the 1024 by 768 client area as PNG, in device pixels
//   render FILE S      the same with the lesson shown S times as large (2, 1.5; above 0, at most
//                      4): a last word that is such a number is the scale, not part of the name
// Blank lines and lines starting with # are skipped. Ticks never come by themselves.
class ReplayRunner {
public:
    explicit ReplayRunner(ReplayTarget& target);

    // Runs the next line and appends what it prints to `out` and `err`. Returns false once the
    // script is over: after "click btnOwari" ("quit" on out, exit code 0) or at the first bad
    // line ("error: LINE: MESSAGE" on err, exit code 2).
    bool runLine(std::string_view line, std::string& out, std::string& err);
    int exitCode() const { return exitCode_; }

private:
    enum class Outcome { Next, Quit, Error };
    Outcome run(std::string_view line, std::string& out, std::string& problem);

    ReplayTarget& target_;
    int lineNumber_ = 0;
    int exitCode_ = 0;
    bool over_ = false;
};

// A whole script at once; returns the exit code.
int runReplay(ReplayTarget& target, std::string_view script, std::string& out, std::string& err);

} // namespace core
