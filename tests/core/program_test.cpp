// The rules around the simulation, once for every front end, on the model window: what a front
// end sees of a press, a batch of ticks, a held clock and the full-tank message.
#include "modelwindow.h"
#include "program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using sim::Item;

// A platform that writes down what it is asked, in order, with what the window showed then.
struct Recorder : core::Platform {
    core::ModelWindow* window = nullptr;
    std::int64_t now = 0;
    std::vector<std::string> log;

    std::int64_t nowMicroseconds() const override { return now; }
    std::string decimalSeparator() const override { return "."; }
    void timerSwitched(bool ticking, std::uint32_t interval) override
    {
        log.push_back((ticking ? "ticking " : "still ") + std::to_string(interval));
    }
    void showMessage(std::string_view) override
    {
        log.push_back("message over table '" + window->caption(sim::timeCell(1)) + "'");
    }
    void quit() override { log.emplace_back("quit"); }
    void announce(std::string_view text) override { log.push_back("said " + std::string(text)); }
    void putOnClipboard(std::string_view text, std::string_view) override { log.emplace_back(text); }
    void show(core::Change change) override
    {
        if (change == core::Change::ToggleFlipped)
            log.push_back("flipped " + std::to_string(window->isPressed(Item::spbGraphFlg)) + " caption "
                          + window->caption(Item::spbGraphFlg));
        else if (change == core::Change::Ticks)
            log.emplace_back("ticks shown");
    }
};

struct Lesson {
    Recorder platform;
    core::ModelWindow window;
    core::Program program{window, platform};

    Lesson()
    {
        platform.window = &window;
        program.activate();
        platform.log.clear();
    }
    // A fresh start at the given rate, with its stream run to the water.
    void start(int jikan, int suiryo)
    {
        program.choose(Item::lbxJikan, jikan - 1);
        program.choose(Item::lbxSuiryo, suiryo - 1);
        program.press(Item::btnMizuDasu);
        while (program.state().KeikaTick == 0.0F && program.tick()) { }
    }
    // `ms` of real time pass, then the platform prompts.
    int promptAfter(std::int64_t ms)
    {
        platform.now += ms * 1000;
        return program.prompt();
    }
};

TEST(Program, AToggleFlipsAndIsShownBeforeItsHandlerRuns)
{
    Lesson lesson;
    lesson.program.press(Item::spbGraphFlg);
    ASSERT_FALSE(lesson.platform.log.empty());
    EXPECT_EQ(lesson.platform.log.front(), "flipped 1 caption OFF");
    EXPECT_EQ(lesson.window.caption(Item::spbGraphFlg), "ON");
    lesson.program.press(Item::spbGraphFlg);
    EXPECT_FALSE(lesson.window.isPressed(Item::spbGraphFlg));
}

TEST(Program, TheTableShowsEveryRecordAfterEachHandlerAndBeforeTheFullTankMessage)
{
    Lesson lesson;
    lesson.program.press(Item::btnKiroku);
    EXPECT_EQ(lesson.window.caption(sim::timeCell(1)), "0.0") << "a record shows at once";
    lesson.program.press(Item::btnSaishiko);
    lesson.program.press(Item::bbtnKirokuAuto);
    lesson.start(1, 1);
    lesson.platform.log.clear();
    while (lesson.program.tick()) { }
    const std::vector<std::string> wanted = {"still 20", "message over table '1.0'", "ticks shown"};
    ASSERT_GE(lesson.platform.log.size(), 4U);
    EXPECT_EQ(std::vector<std::string>(lesson.platform.log.end() - 4, lesson.platform.log.end() - 1), wanted);
    EXPECT_TRUE(lesson.platform.log.back().ends_with("水が止まりました。経過時間 20.0、水の容量 20.0。"));
    EXPECT_EQ(lesson.program.messagesShown(), 1);
}

// A fast rate after a stall: more ticks are due than the run has left. The tick that fills the
// tank stops the timer; the rest of the batch must do nothing.
TEST(Program, ATickThatStopsTheTimerEndsItsBatch)
{
    Lesson lesson;
    lesson.start(1, 5); // 4 ms a tick
    while (lesson.program.state().Suii < 481)
        lesson.program.tick();
    const std::string before = lesson.program.dump();
    EXPECT_EQ(lesson.promptAfter(200), 19) << "19 ticks fill the tank of the 50 due";
    EXPECT_EQ(lesson.program.state().Suii, 500);
    EXPECT_EQ(lesson.program.state().KeikaTick, 500.0F);
    EXPECT_FALSE(lesson.program.timerEnabled());
    EXPECT_EQ(lesson.program.messagesShown(), 1);
    EXPECT_EQ(lesson.promptAfter(200), 0);
    EXPECT_NE(lesson.program.dump(), before);
}

TEST(Program, PromptsRunTheTicksDueByTheClockAndTimerChangesStartTheCountAfresh)
{
    struct Step {
        const char* what;
        std::int64_t ms;
        int ran;
    };
    Lesson lesson;
    lesson.start(1, 1); // 20 ms a tick
    const Step steps[] = {
        {"not yet due", 19, 0},
        {"one due", 1, 1},
        {"a slow frame brings three", 60, 3},
        {"none twice", 0, 0},
        {"a long stall makes up a quarter of a second only", 5000, 12},
        {"then on from there", 20, 1},
    };
    const std::int64_t runBefore = lesson.program.runMilliseconds();
    for (const Step& step : steps)
        EXPECT_EQ(lesson.promptAfter(step.ms), step.ran) << step.what;
    // The run clock counts the ticks that ran, each at its interval: not the stall's dropped ticks.
    EXPECT_EQ(lesson.program.runMilliseconds() - runBefore, 17 * 20);

    lesson.program.hold(true);
    EXPECT_EQ(lesson.promptAfter(500), 0) << "held";
    lesson.program.hold(false);
    EXPECT_EQ(lesson.promptAfter(19), 0) << "released: the count starts afresh";
    EXPECT_EQ(lesson.promptAfter(1), 1);

    lesson.promptAfter(10);
    lesson.program.press(Item::btnMizuDasu); // the same interval: the count goes on
    EXPECT_EQ(lesson.promptAfter(10), 1);
    lesson.program.choose(Item::lbxJikan, 1);
    lesson.promptAfter(10);
    lesson.program.press(Item::btnMizuDasu); // 40 ms: a full new interval from the press
    EXPECT_EQ(lesson.promptAfter(39), 0);
    EXPECT_EQ(lesson.promptAfter(1), 1);
    // Nothing while held; one tick at 20 twice, then one at 40.
    EXPECT_EQ(lesson.program.runMilliseconds() - runBefore, 17 * 20 + 20 + 20 + 40);
}

TEST(Program, TellsTheFrontEndWhenTheTimerStartsAndStops)
{
    Lesson lesson;
    lesson.program.press(Item::btnMizuDasu);
    lesson.program.press(Item::btnMizuDasu);
    lesson.program.press(Item::btnMizuTome);
    lesson.program.press(Item::btnMizuTome);
    lesson.program.press(Item::btnMizuDasu);
    lesson.program.press(Item::btnSaishiko);
    std::vector<std::string> timer;
    for (const std::string& entry : lesson.platform.log) {
        if (!entry.starts_with("said "))
            timer.push_back(entry);
    }
    const std::vector<std::string> wanted = {"still 20", "ticking 20", "still 20", "ticking 20", "still 20"};
    EXPECT_EQ(timer, wanted);
}

// The lesson's moments, each told once; records taken during a run wait until a second has passed
// since the last announcement and then go out together.
TEST(Program, TellsTheLessonsMomentsAndRecordsDuringARunAtMostOnceASecond)
{
    struct Step {
        std::int64_t atMs; // the clock when the step runs
        char what;         // 'p' press, 't' rising ticks
        Item button;
        int ticks;
        std::vector<std::string> said;
    };
    const std::string r1 = "記録 1: 時間 1.0、水の量 1.0。";
    const std::string r2 = "記録 2: 時間 2.0、水の量 2.0。";
    const std::string r3 = "記録 3: 時間 3.0、水の量 3.0。";
    const Step steps[] = {
        {0, 'p', Item::bbtnKirokuAuto, 0, {}},
        {0, 'p', Item::btnMizuDasu, 0, {"水を入れます。"}},
        {0, 't', {}, 25, {}}, // record 1 waits: the start was just told
        {1200, 't', {}, 1, {r1}},
        {1200, 't', {}, 49, {}},
        {2300, 't', {}, 1, {r2 + r3}},
        {2300, 't', {}, 24, {}},
        {2400,
         'p',
         Item::btnMizuTome,
         0,
         {"記録 4: 時間 4.0、水の量 4.0。水が止まりました。経過時間 4.0、水の容量 4.0。"}},
        {2400, 'p', Item::btnTenki, 0, {"グラフに記録の点をかきました。"}},
        {2400, 'p', Item::btnMusubu, 0, {"グラフの点を線で結びました。"}},
        {2400, 'p', Item::spbGraphFlg, 0, {"はじめの点から今の点までの線をかきます。"}},
        {2400, 'p', Item::spbGraphFlg, 0, {"はじめの点から今の点までの線を消しました。"}},
        {2400, 'p', Item::btnKiroku, 0, {"記録 5: 時間 4.0、水の量 4.0。"}},
        {2400, 'p', Item::btnSaishiko, 0, {"はじめにもどしました。"}},
    };
    Lesson lesson;
    for (const Step& step : steps) {
        lesson.platform.log.clear();
        lesson.platform.now = step.atMs * 1000;
        if (step.what == 'p') {
            lesson.program.press(step.button);
            // The stream falls first; its ticks tell nothing.
            if (step.button == Item::btnMizuDasu)
                while (lesson.program.state().KeikaTick == 0.0F && lesson.program.tick()) { }
        } else {
            for (int i = 0; i < step.ticks; ++i)
                lesson.program.tick();
        }
        std::vector<std::string> said;
        for (const std::string& entry : lesson.platform.log) {
            if (entry.starts_with("said "))
                said.push_back(entry.substr(5));
        }
        EXPECT_EQ(said, step.said) << "at " << step.atMs << " ms";
    }
}

TEST(Program, ButtonsThatAreHiddenDoNothingAndTheEndButtonQuits)
{
    Lesson lesson;
    lesson.program.press(Item::btnTenki);
    EXPECT_FALSE(lesson.program.state().TenkiFlg);
    lesson.program.press(Item::btnOwari);
    EXPECT_TRUE(lesson.program.quitRequested());
    EXPECT_EQ(lesson.platform.log.back(), "quit");
}

} // namespace
