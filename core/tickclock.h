#pragma once

#include <cstdint>

namespace core {

// Which ticks of a periodic timer are due, by the clock. A platform timer is only a prompt: it
// may fire late or skip (a busy X server, a browser between frames), so each prompt delivers
// every tick that has fallen due since the count started, and the run keeps real time.
//
//   restart(0); take(9'000, 4)  -> 2  (ticks at 4 and 8 ms)
//               take(12'500, 4) -> 1  (the tick at 12 ms)
class TickClock {
public:
    // At most this much real time is made up in one prompt. A quarter of a second covers any
    // stall of painting or scheduling a classroom machine shows; a longer gap is a suspended
    // laptop, a hidden browser tab or a debugger, and the learner should see the run go on from
    // where it stood, not race through what was missed (at 4 ms that would be 250 ticks a second
    // of sleep, all in one frame).
    static constexpr std::int64_t kCatchUpLimitMicroseconds = 250'000;

    // The count starts again at `nowMicroseconds`: the timer was enabled or given a new interval.
    void restart(std::int64_t nowMicroseconds);

    // The ticks of `intervalMilliseconds` due at `nowMicroseconds` and not yet taken, capped at
    // the catch-up limit (always at least one when any is due). Past the cap the count starts
    // again from now, so what was missed is dropped. An interval of 0 has no ticks.
    int take(std::int64_t nowMicroseconds, std::uint32_t intervalMilliseconds);

private:
    std::int64_t start_ = 0;
    std::int64_t taken_ = 0;
};

} // namespace core
