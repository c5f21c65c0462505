#include "periodictimer.h"

#include <QTest>

#include <gtest/gtest.h>

#include <limits>

namespace {

// Which ticks are due is the program's business; the platform timer only has to prompt while the
// program's timer ticks, and never with an interval Qt would wrap.
TEST(PeriodicTimer, PromptsOnlyWhileFollowingATickingTimerWithinQtsRange)
{
    struct Step {
        const char* what;
        bool manual;
        bool ticking;
        std::uint32_t interval;
        bool running;
    };
    const Step steps[] = {
        {"ticking", false, true, 50, true},
        {"stopped", false, false, 50, false},
        {"interval 0", false, true, 0, false},
        {"beyond an int", false, true, std::numeric_limits<std::uint32_t>::max(), false},
        {"back in range", false, true, 40, true},
        {"manual", true, true, 40, false},
        {"manual off again", false, true, 40, true},
    };
    int prompts = 0;
    PeriodicTimer timer([&prompts] { ++prompts; });
    EXPECT_FALSE(timer.isRunning());
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        timer.setManual(step.manual);
        timer.follow(step.ticking, step.interval);
        EXPECT_EQ(timer.isRunning(), step.running);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return prompts > 1; }, 2000));
    timer.setManual(true);
    const int before = prompts;
    QTest::qWait(100);
    EXPECT_EQ(prompts, before) << "no prompt in manual mode";
}

} // namespace
