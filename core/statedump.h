#pragma once

#include "state.h"
#include "window.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// What the timer holds, as the window's timer reports it.
struct TimerReading {
    bool enabled = false;
    std::uint32_t interval = 0;
};

// The state of the window as one line of JSON, keys in a fixed order: the simulation's variables,
// then what the window itself shows (bounds, captions, colour, visibility, selections, pressed
// state) and how many messages were shown. Scenario tests compare these lines byte for byte, on
// every front end.
std::string dumpState(const sim::State& state, const sim::Scene& window, TimerReading timer, int messagesShown);

// Appends `text` (UTF-8) as a JSON string: quotes and backslashes escaped, control characters as
// \u00XX, everything else as it is.
void appendJsonString(std::string& json, std::string_view text);

} // namespace core
