#pragma once

#include "state.h"
#include "window.h"

#include <string>
#include <vector>

namespace core {

// What a screen reader needs to know of the lesson, before and after a handler or a batch of
// ticks: the rest it reads on demand.
struct Moment {
    int records = 0;
    bool running = false; // the timer is enabled
    bool dots = false;
    bool joined = false;
    bool liveLine = false;
};

Moment momentOf(const sim::State& state, const sim::Scene& scene, bool timerEnabled);

// What led from one moment to the next.
enum class Cause { Press, Reset, Ticks };

// One thing to tell. A record taken by a tick may wait (several records a second are
// more than anybody can listen to); everything else is said at once.
struct Said {
    std::string text;
    bool mayWait = false;
};

// What changed between two moments, in words, in the order it is said:
//   start        "水を入れます。"
//   reset        "はじめにもどしました。"  (a press of はじめから, not the first activation)
//   dots, join, live line: what the graph now shows
//   each record  "記録 3: 時間 2.0、水の量 7.0。"
//   a stop       "水が止まりました。経過時間 4.5、水の容量 12.0。"
std::vector<Said> momentsBetween(const Moment& before, const Moment& after, const sim::State& state,
                                 const sim::Scene& scene, Cause cause);

} // namespace core
