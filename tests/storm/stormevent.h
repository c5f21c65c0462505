#pragma once

#include "items.h"

#include <cstdint>
#include <string>
#include <vector>

namespace storm {

// One thing a learner does: click a button, pick a row of a list, or let the timer tick a number
// of times. A tick burst ends early once the timer no longer ticks, exactly as "tick N" of the
// replay tool does, so every event prints as one line that ichijikansu-replay can run.
struct StormEvent {
    enum class Kind { Click, Select, Tick };
    Kind kind = Kind::Tick;
    sim::Item item = sim::Item::Timer1; // the button or the list
    int value = 0;                      // the row, or the number of ticks
};

// "click btnMizuDasu", "select lbxJikan 3", "tick 57"
std::string scriptLine(const StormEvent& event);
std::string script(const std::vector<StormEvent>& events);
// The reverse, for the clicks, selections and ticks above; blank lines and lines starting with
// # are skipped. Throws std::invalid_argument on anything else.
std::vector<StormEvent> parseScript(const std::string& text);

// A long random lesson from one seed: every control in any order, start pressed again and again,
// stop before any start, resets in the middle of a run, bursts of 1 to 700 ticks and full tanks.
// "お　わ　る" comes, if at all, as the last event. The same seed always gives the same events.
std::vector<StormEvent> generateStorm(std::uint64_t seed, int length);

} // namespace storm
