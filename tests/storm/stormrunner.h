#pragma once

#include "stormevent.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace storm {

// Where a storm first broke a rule: after events[step], and inside a tick burst after its
// tick-th tick (from 1; 0 for other events).
struct StormFailure {
    std::size_t step = 0;
    int tick = 0;
    std::vector<std::string> problems;
};

struct StormStats {
    long long events = 0;
    long long ticks = 0;
    long long fullTanks = 0;
    long long timesBeyond100 = 0; // events after which the time shown read more than 100.0
};

// Drives a fresh main window of the program through a list of events, as a learner would: real
// mouse clicks on the visible buttons (a hidden one cannot be clicked), list selections, and
// manual ticks with the full-tank message dismissed at once. After every event and every tick it
// checks the invariants, and counts as a failure as well: an error box, a warning from Qt, and a
// division by zero, invalid operation or overflow in floating-point arithmetic.
class StormRunner {
public:
    std::optional<StormFailure> run(const std::vector<StormEvent>& events);
    const StormStats& stats() const { return stats_; }

    // Names the storm in the line printed should the process die of a signal.
    static void setLabel(const std::string& label);

private:
    StormStats stats_;
};

// The events up to the failure, a failing tick burst cut at the failing tick: as the program is
// deterministic, the shortest prefix of the storm that fails.
std::vector<StormEvent> failingPrefix(const std::vector<StormEvent>& events, const StormFailure& failure);

// What to print for a failed seed: the problems, the shortest failing prefix as a replay script
// (confirmed by running it again on a fresh window) and a shorter script with every event left
// out that the failure does not need.
std::string explainFailure(std::uint64_t seed, const std::vector<StormEvent>& events, const StormFailure& failure);

} // namespace storm
