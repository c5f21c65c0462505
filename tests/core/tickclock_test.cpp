#include "tickclock.h"

#include <gtest/gtest.h>

namespace {

using core::TickClock;

constexpr std::int64_t ms(std::int64_t milliseconds)
{
    return milliseconds * 1000;
}

// Each row: prompts at these times after a restart at 0, and the ticks each one delivers.
struct Prompt {
    std::int64_t at;
    int ticks;
};
struct Case {
    const char* what;
    std::uint32_t interval;
    std::vector<Prompt> prompts;
};

TEST(TickClock, DeliversWhatIsDueByTheClockAndCapsACatchUp)
{
    const Case cases[] = {
        {"on time", 4, {{ms(4), 1}, {ms(8), 1}, {ms(12), 1}}},
        {"early prompts wait for their tick", 10, {{ms(9), 0}, {ms(10), 1}, {ms(19), 0}, {ms(20), 1}}},
        {"a late prompt brings every missed tick", 4, {{ms(4), 1}, {ms(21), 4}, {ms(24), 1}}},
        {"a fraction of an interval is not lost", 6, {{ms(5), 0}, {ms(7), 1}, {ms(17), 1}, {ms(18), 1}}},
        {"a quarter second at most, then the count starts afresh", 4, {{ms(1000), 62}, {ms(1003), 0}, {ms(1004), 1}}},
        {"a slow interval catches up at least one tick", 1000, {{ms(5000), 1}, {ms(5999), 0}, {ms(6000), 1}}},
        {"interval 0 never ticks", 0, {{ms(1), 0}, {ms(100000), 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TickClock clock;
        clock.restart(0);
        for (const Prompt& p : c.prompts)
            EXPECT_EQ(clock.take(p.at, c.interval), p.ticks) << "at " << p.at << " us";
    }
}

TEST(TickClock, ARestartCountsAFullIntervalFromThen)
{
    TickClock clock;
    clock.restart(0);
    EXPECT_EQ(clock.take(ms(30), 20), 1);
    clock.restart(ms(35));
    EXPECT_EQ(clock.take(ms(54), 20), 0);
    EXPECT_EQ(clock.take(ms(55), 20), 1);
}

} // namespace
