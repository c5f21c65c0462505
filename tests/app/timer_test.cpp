#include "periodictimer.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>

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

TEST(PeriodicTimer, TicksDoNotPileUpBehindABusyHandler)
{
    int ticks = 0;
    PeriodicTimer timer([&] {
        ++ticks;
        QTest::qSleep(60); // a handler far longer than the interval
    });
    timer.setInterval(5);
    timer.setEnabled(true);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 600)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    timer.setEnabled(false);
    EXPECT_LE(ticks, 11);
    EXPECT_GE(ticks, 3);
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
