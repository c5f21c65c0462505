#include "periodictimer.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace {

struct Counting {
    int ticks = 0;
    PeriodicTimer timer{[this] { ++ticks; }};
};

TEST(PeriodicTimer, StartsDisabledAtOneSecond)
{
    Counting c;
    EXPECT_FALSE(c.timer.isEnabled());
    EXPECT_EQ(c.timer.interval(), 1000U);
    EXPECT_FALSE(c.timer.isRunning());
}

TEST(PeriodicTimer, RunsAPlatformTimerOnlyWhenEnabledWithANonZeroInterval)
{
    struct Step {
        const char* what;
        bool enable;
        std::uint32_t interval;
        bool ticking;
    };
    const Step steps[] = {
        {"enabled", true, 50, true},
        {"interval 0 stalls it", true, 0, false},
        {"disable and enable again stays stalled", false, 0, false},
        {"still stalled", true, 0, false},
        {"a non-zero interval brings the ticks back", true, 30, true},
        {"disabled", false, 30, false},
        // Qt's timers take an int; such an interval must never tick rather than wrap.
        {"beyond the platform's range", true, std::numeric_limits<std::uint32_t>::max(), false},
        {"back in range", true, 40, true},
    };
    Counting c;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        c.timer.setEnabled(step.enable);
        c.timer.setInterval(step.interval);
        EXPECT_EQ(c.timer.isEnabled(), step.enable);
        EXPECT_EQ(c.timer.interval(), step.interval);
        EXPECT_EQ(c.timer.isRunning(), step.ticking);
        EXPECT_EQ(c.timer.isTicking(), step.enable && step.interval != 0);
    }
}

TEST(PeriodicTimer, SettingWhatItHasDoesNotRestartTheCountdown)
{
    Counting c;
    c.timer.setInterval(1000);
    c.timer.setEnabled(true);
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(600);
    c.timer.setEnabled(true);
    c.timer.setInterval(1000);
    // A restart would put the first tick at 1600 ms or later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return c.ticks > 0; }, 1400));
    EXPECT_LT(clock.elapsed(), 1550);
}

TEST(PeriodicTimer, ANewIntervalStartsAFullOne)
{
    Counting c;
    c.timer.setInterval(300);
    c.timer.setEnabled(true);
    QTest::qWait(200);
    QElapsedTimer clock;
    clock.start();
    c.timer.setInterval(400);
    EXPECT_TRUE(QTest::qWaitFor([&] { return c.ticks > 0; }, 2000));
    EXPECT_GE(clock.elapsed(), 395);
}

// Ticks go by the clock: a tick that takes far longer than the interval delays the ones after it
// but does not lose them, and the window repaints once per batch, not once per tick.
TEST(PeriodicTimer, KeepsRealTimeAcrossASlowTickAndRepaintsOncePerBatch)
{
    int ticks = 0;
    int batches = 0;
    bool slow = true;
    PeriodicTimer timer(
        [&] {
            ++ticks;
            if (std::exchange(slow, false))
                QTest::qSleep(60);
        },
        [&] { ++batches; });
    timer.setInterval(5);
    QElapsedTimer clock;
    clock.start();
    timer.setEnabled(true);
    while (clock.elapsed() < 400)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const qint64 elapsed = clock.elapsed();
    timer.setEnabled(false);
    EXPECT_GE(ticks, elapsed / 5 - 3);
    EXPECT_LE(ticks, elapsed / 5 + 1);
    EXPECT_LT(batches, ticks) << "the ticks missed during the slow one come as one batch";
}

// A machine waking from sleep: the run goes on from where it stood instead of racing through
// everything it missed.
TEST(PeriodicTimer, ALongStallIsNotMadeUp)
{
    Counting c;
    c.timer.setInterval(5);
    c.timer.setEnabled(true);
    QTest::qSleep(1500);
    QTest::qWait(20);
    EXPECT_LE(c.ticks, 250 / 5 + 20 / 5 + 2) << "at most a quarter of a second is caught up";
    EXPECT_GE(c.ticks, 250 / 5);
}

TEST(PeriodicTimer, ManualModeTicksOnlyOnRequestAndOnlyWhileTicking)
{
    Counting c;
    c.timer.setManual(true);
    c.timer.setInterval(1);
    EXPECT_FALSE(c.timer.deliverTick()) << "disabled";
    c.timer.setEnabled(true);
    EXPECT_FALSE(c.timer.isRunning());
    QTest::qWait(30);
    EXPECT_EQ(c.ticks, 0) << "no tick by itself";
    EXPECT_TRUE(c.timer.deliverTick());
    c.timer.setInterval(0);
    EXPECT_FALSE(c.timer.deliverTick()) << "stalled";
    EXPECT_EQ(c.ticks, 1);
}

} // namespace
