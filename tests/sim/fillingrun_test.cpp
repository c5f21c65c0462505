#include "fakewindow.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using sim::Item;

namespace {

TEST(FillingRun, StreamFallsFromTheFaucetToTheFloorIn103Ticks)
{
    Rig rig;
    rig.choose(0, 1, 1);
    rig.sim.btnMizuDasuClick();
    EXPECT_EQ(rig.fallStream(), 103);
    EXPECT_EQ(rig.s().Nagare, 515);
    EXPECT_EQ(rig.s().KeikaTick, 0.0F);
    EXPECT_EQ(rig.s().Suii, 0);
}

TEST(FillingRun, AfterTwentyFiveRisingTicksOneUnitOfTimeAndVolume)
{
    Rig rig;
    rig.startRun(0, 1, 1);
    rig.tick(25);
    EXPECT_EQ(rig.shown(Item::stxKJHyoji), "1.0");
    EXPECT_EQ(rig.shown(Item::stxKSHyoji), "1.0");
    EXPECT_EQ(rig.window.bounds(Item::shpScale), (sim::Bounds{56, 667, 377, 25}));
    EXPECT_EQ(rig.window.bounds(Item::ShpScaleY), (sim::Bounds{477, 651, 7, 25}));
    EXPECT_EQ(rig.window.bounds(Item::ShpScaleX).width, 25);
    EXPECT_EQ(rig.s().Ten[0], (sim::Point{25, 475}));
}

TEST(FillingRun, FullTankSwitchesTheTimerOffBeforeItsMessageThenStops)
{
    Rig rig;
    rig.startRun(0, 1, 1);
    bool timerWasOn = true;
    std::string timeShown;
    rig.window.onMessage = [&] {
        timerWasOn = rig.window.timerEnabled;
        timeShown = rig.shown(Item::stxKJHyoji);
    };
    EXPECT_EQ(rig.tick(1000), 500);
    ASSERT_EQ(rig.window.messages.size(), 1U);
    EXPECT_EQ(rig.window.messages[0], "だれじゃ！水をこぼすのは(^_^;)");
    EXPECT_FALSE(timerWasOn);
    EXPECT_EQ(timeShown, "20.0");
    EXPECT_TRUE(rig.s().TomeFlg);
    EXPECT_EQ(rig.s().Suii, 500);
    EXPECT_EQ(rig.window.bounds(Item::shpMizu).height, 1);
    EXPECT_EQ(rig.window.bounds(Item::shpScale), (sim::Bounds{56, 192, 377, 500}));
    EXPECT_EQ(rig.shown(Item::stxKSHyoji), "20.0");
}

TEST(FillingRun, ResumeAfterAFullTankReportsItAgainAfterTheStreamFalls)
{
    Rig rig;
    rig.startRun(0, 1, 1);
    rig.tick(1000);
    rig.sim.btnMizuDasuClick();
    EXPECT_TRUE(rig.window.timerEnabled);
    EXPECT_EQ(rig.fallStream(), 3) << "from the faucet to the full tank's surface at y 192";
    EXPECT_EQ(rig.tick(10), 1);
    EXPECT_EQ(rig.window.messages.size(), 2U);
    EXPECT_EQ(rig.s().Suii, 500);
}

TEST(FillingRun, SlowTimeStepFillsTheBarFirstAndKeepsCounting)
{
    Rig rig;
    rig.startRun(0, 5, 1);
    rig.tick(100);
    EXPECT_EQ(rig.window.bounds(Item::ShpScaleX).width, 500);
    EXPECT_EQ(rig.shown(Item::stxKJHyoji), "20.0");
    EXPECT_EQ(rig.shown(Item::stxKSHyoji), "4.0");
    EXPECT_EQ(rig.s().Ten[0], (sim::Point{500, 400}));
    rig.tick(1);
    EXPECT_EQ(rig.window.bounds(Item::ShpScaleX).width, 500);
    EXPECT_EQ(rig.s().Ten[0], (sim::Point{500, 400})) << "past 20 units the live point stays";
    rig.tick(1000);
    EXPECT_EQ(rig.shown(Item::stxKJHyoji), "100.0");
    EXPECT_EQ(rig.shown(Item::stxKSHyoji), "20.0");
}

TEST(FillingRun, TimeBarOvershootsForOneTickThenHoldsAtTheFrame)
{
    // Three pixels a tick: 498 after 166 ticks, 501 after 167, back to 500 after 168.
    Rig rig;
    rig.startRun(0, 3, 1);
    rig.tick(166);
    EXPECT_EQ(rig.window.bounds(Item::ShpScaleX).width, 498);
    EXPECT_EQ(rig.s().Ten[0], (sim::Point{498, 334}));
    rig.tick(1);
    EXPECT_EQ(rig.window.bounds(Item::ShpScaleX).width, 501);
    EXPECT_EQ(rig.shown(Item::stxKJHyoji), "20.0"); // 20.04
    EXPECT_EQ(rig.s().Ten[0], (sim::Point{501, 334})) << "y held once the time passes 20";
    rig.tick(1);
    EXPECT_EQ(rig.window.bounds(Item::ShpScaleX).width, 500);
    rig.tick(50);
    EXPECT_EQ(rig.window.bounds(Item::ShpScaleX).width, 500);
}

TEST(FillingRun, InitialAmountTenStartsHalfFull)
{
    Rig rig;
    rig.choose(10, 1, 1);
    rig.sim.btnMizuDasuClick();
    EXPECT_EQ(rig.s().Suii, 250);
    EXPECT_EQ(rig.s().SyokiY, 250);
    EXPECT_EQ(rig.s().Ten[0], (sim::Point{0, 250}));
    EXPECT_EQ(rig.shown(Item::stxKSHyoji), "10.0");
    EXPECT_EQ(rig.window.bounds(Item::shpScale), (sim::Bounds{56, 442, 377, 250}));
    EXPECT_EQ(rig.window.bounds(Item::ShpScaleY), (sim::Bounds{477, 426, 7, 250}));
    rig.fallStream();
    const sim::Bounds stream = rig.window.bounds(Item::shpMizu);
    EXPECT_EQ(stream.top + stream.height, 442);
}

TEST(FillingRun, StopChangeTheChoicesStartResumesWithTheOldOnes)
{
    Rig rig;
    rig.startRun(2, 3, 4);
    rig.tick(40);
    rig.sim.btnMizuTomeClick();
    EXPECT_FALSE(rig.window.timerEnabled);
    EXPECT_EQ(rig.window.bounds(Item::shpMizu).height, 1);
    EXPECT_EQ(rig.s().Nagare, 0);
    EXPECT_EQ(rig.window.timerInterval, 15U) << "the stop leaves the interval";
    const int level = rig.s().Suii;
    const float ticks = rig.s().KeikaTick;

    rig.choose(7, 1, 5);
    rig.sim.btnMizuDasuClick();
    EXPECT_EQ(rig.window.selectedIndex(Item::lbxSyokiRyo), 2);
    EXPECT_EQ(rig.window.selectedIndex(Item::lbxJikan), 2);
    EXPECT_EQ(rig.window.selectedIndex(Item::lbxSuiryo), 3);
    EXPECT_TRUE(rig.window.timerEnabled);
    EXPECT_EQ(rig.window.timerInterval, 15U);
    EXPECT_EQ(rig.s().Suii, level);
    EXPECT_GT(rig.fallStream(), 0) << "every resume begins with a new stream";
    rig.tick(1);
    EXPECT_EQ(rig.s().Suii, level + 1);
    EXPECT_EQ(rig.s().KeikaTick, ticks + 1);
}

// The interval for every choice, at the first fresh start and again at a second one without a
// stop between: pressing start twice must not compound it.
class Interval : public testing::TestWithParam<std::tuple<int, int>> { };

TEST_P(Interval, FollowsTheTableAtEveryFreshStart)
{
    constexpr std::uint32_t kTable[5][5] = {{20, 10, 6, 5, 4},
                                            {40, 20, 13, 10, 8},
                                            {60, 30, 20, 15, 12},
                                            {80, 40, 26, 20, 16},
                                            {100, 50, 33, 25, 20}};
    const auto [jikan, suiryo] = GetParam();
    const std::uint32_t expected = kTable[jikan - 1][suiryo - 1];
    Rig rig;
    rig.choose(0, jikan, suiryo);
    for (int press = 1; press <= 3; ++press) {
        rig.sim.btnMizuDasuClick();
        EXPECT_EQ(rig.window.timerInterval, expected) << "press " << press;
        EXPECT_EQ(rig.s().Kankaku, static_cast<int>(expected));
        EXPECT_TRUE(rig.window.timerEnabled);
    }
}

INSTANTIATE_TEST_SUITE_P(AllChoices, Interval, testing::Combine(testing::Range(1, 6), testing::Range(1, 6)));

TEST(FillingRun, PressingStartAgainWhileRunningStartsAfreshFromTheInitialAmount)
{
    Rig rig;
    rig.startRun(3, 1, 1);
    rig.tick(20);
    EXPECT_EQ(rig.s().Suii, 95);
    rig.sim.btnMizuDasuClick();
    EXPECT_EQ(rig.s().Suii, 75);
    EXPECT_EQ(rig.s().KeikaTick, 20.0F) << "a fresh start does not clear the elapsed ticks";
}

TEST(FillingRun, StopBeforeAnyStartThenStartRunsAFreshStart)
{
    Rig rig;
    rig.choose(1, 2, 1);
    rig.sim.btnMizuTomeClick();
    EXPECT_TRUE(rig.s().TomeFlg);
    rig.sim.btnMizuDasuClick();
    EXPECT_EQ(rig.s().Jikan, 2);
    EXPECT_EQ(rig.s().Suiryo, 1);
    EXPECT_EQ(rig.s().Suii, 25);
    EXPECT_EQ(rig.window.timerInterval, 40U);
    EXPECT_EQ(rig.window.selectedIndex(Item::lbxJikan), 1);
    rig.fallStream();
    rig.tick(25);
    EXPECT_EQ(rig.shown(Item::stxKJHyoji), "2.0");
    // The run is now a normal one: a stop and a start resume it.
    rig.sim.btnMizuTomeClick();
    rig.choose(0, 1, 1);
    rig.sim.btnMizuDasuClick();
    EXPECT_EQ(rig.s().Suii, 50);
    EXPECT_EQ(rig.window.selectedIndex(Item::lbxJikan), 1);
}

TEST(FillingRun, AutomaticRecordingAtWholeUnitsUpToTheTenth)
{
    Rig rig;
    rig.choose(0, 1, 1);
    rig.sim.bbtnKirokuAutoClick();
    rig.sim.btnMizuDasuClick();
    rig.fallStream();
    for (int k = 1; k <= 10; ++k) {
        rig.tick(24);
        EXPECT_EQ(rig.s().KirokuSu, k - 1);
        rig.tick(1);
        ASSERT_EQ(rig.s().KirokuSu, k);
        EXPECT_EQ(rig.s().KirokuX[k], std::to_string(k) + ".0");
        EXPECT_EQ(rig.s().KirokuY[k], std::to_string(k) + ".0");
        EXPECT_EQ(rig.s().Ten[k], (sim::Point{25 * k, 500 - 25 * k}));
    }
    rig.tick(1000);
    EXPECT_EQ(rig.s().KirokuSu, 10);
    EXPECT_EQ(rig.window.messages.size(), 1U);
}

TEST(FillingRun, AutomaticRecordTakesTheRecordNumberWhenTheShownTimeIsFurther)
{
    // Time step 3, amount 1: the first whole unit is reached at 1.08.
    Rig rig;
    rig.choose(0, 3, 1);
    rig.sim.bbtnKirokuAutoClick();
    rig.sim.btnMizuDasuClick();
    rig.fallStream();
    rig.tick(9);
    ASSERT_EQ(rig.s().KirokuSu, 1);
    EXPECT_EQ(rig.shown(Item::stxKJHyoji), "1.1");
    EXPECT_EQ(rig.s().KirokuX[1], "1.0");
    EXPECT_EQ(rig.s().KirokuY[1], "0.4");
}

// A lesson as a list of steps, and the records it must leave: (time text, volume text) in order.
struct RecordingCase {
    const char* name;
    std::vector<std::pair<char, int>> steps; // 't' rising ticks, 'a' the automatic switch, 'k' the
                                             // record button, 'r' a fresh start at Jikan 2 while running
    std::vector<std::pair<std::string, std::string>> records;
};

TEST(FillingRun, AutomaticRecordingTakesEveryWholeUnitReachedWhileOn)
{
    const std::vector<RecordingCase> cases = {
        {"SwitchedOnLate",
         {{'t', 60}, {'a', 0}, {'t', 1000}},
         {{"3.0", "3.0"}, {"4.0", "4.0"}, {"5.0", "5.0"}, {"6.0", "6.0"}, {"7.0", "7.0"},
          {"8.0", "8.0"}, {"9.0", "9.0"}, {"10.0", "10.0"}, {"11.0", "11.0"}, {"12.0", "12.0"}}},
        {"ButtonRecordKeepsTheTimeShown", {{'a', 0}, {'t', 10}, {'k', 0}, {'t', 40}}, {{"0.4", "0.4"}, {"1.0", "1.0"}, {"2.0", "2.0"}}},
        {"NeverTheUnitItWasSwitchedOnIn", {{'t', 30}, {'a', 0}, {'t', 19}}, {}},
        {"NextUnitAfterSwitchedOnIn", {{'t', 30}, {'a', 0}, {'t', 20}}, {{"2.0", "2.0"}}},
        {"OffAndOnAgain", {{'a', 0}, {'t', 88}, {'a', 0}, {'t', 67}, {'a', 0}, {'t', 20}}, {{"1.0", "1.0"}, {"2.0", "2.0"}, {"3.0", "3.0"}, {"7.0", "7.0"}}},
        // KeikaTick 30 at twice the rate is 2.4 units: the jump from 1.2 records nothing, the
        // next whole unit at the new rate does, with the water that started afresh.
        {"FreshStartAtANewRate", {{'a', 0}, {'t', 30}, {'r', 0}, {'t', 8}}, {{"1.0", "1.0"}, {"3.0", "0.3"}}},
    };
    for (const RecordingCase& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.startRun(0, 1, 1);
        for (const auto& [step, count] : c.steps) {
            if (step == 't')
                rig.tick(count);
            else if (step == 'a')
                rig.sim.bbtnKirokuAutoClick();
            else if (step == 'k')
                rig.sim.btnKirokuClick();
            else if (step == 'r')
                rig.startRun(0, 2, 1);
        }
        std::vector<std::pair<std::string, std::string>> taken;
        for (int k = 1; k <= rig.s().KirokuSu; ++k)
            taken.emplace_back(rig.s().KirokuX[k], rig.s().KirokuY[k]);
        EXPECT_EQ(taken, c.records);
    }
}

} // namespace
