// The checker itself: it must pass every state the program can reach (even the odd ones) and
// catch each kind of fault it is there for.

#include "common/windowfixture.h"
#include "invariants.h"
#include "invariantwatch.h"
#include "numbertexts.h"
#include "stormevent.h"
#include "stormrunner.h"

#include "mainwindow.h"
#include "periodictimer.h"
#include "replay.h"

#include <QApplication>

#include <QMessageBox>
#include <QTimer>
#include <cfenv>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <sstream>

using sim::Item;

namespace {

bool mentions(const std::vector<std::string>& problems, const std::string& part)
{
    for (const std::string& p : problems) {
        if (p.find(part) != std::string::npos)
            return true;
    }
    return false;
}

std::string joined(const std::vector<std::string>& problems)
{
    std::string text;
    for (const std::string& p : problems)
        text += "  " + p + "\n";
    return text;
}

class CheckedWindow : public WindowTest {
protected:
    void play(const std::string& script)
    {
        std::istringstream in(script);
        std::ostringstream out, err;
        ASSERT_EQ(Replay(*window, out, err).run(in), 0) << err.str();
    }
};

// ---------------------------------------------------------------------------------------------
// Reachable states, also the surprising ones, pass every rule after every event and tick.

struct Reachable {
    const char* name;
    const char* script;
    std::function<bool(const MainWindow&)> reached; // the odd state the script is about
};

const Reachable kReachable[] = {
    {"ResetMidRunKeepsTheLevelButEmptiesTheTank",
     "select lbxSyokiRyo 4\nclick btnMizuDasu\ntick 200\nclick btnSaishiko\n",
     [](const MainWindow& w) { return w.state().Suii > 100 && w.scene().bounds(Item::shpScale).height == 1; }},
    {"ResumeAfterResetRisesFromTheOldLevel",
     "select lbxSyokiRyo 4\nclick btnMizuDasu\ntick 200\nclick btnSaishiko\nclick btnMizuTome\nclick btnMizuDasu\n"
     "tick 90\n",
     [](const MainWindow& w) { return w.program().timerEnabled() && w.scene().bounds(Item::shpScale).height == 1; }},
    {"StopBeforeAnyStartThenStartStartsAfresh", "click btnMizuTome\nclick btnMizuDasu\ntick 150\n",
     [](const MainWindow& w) { return w.state().TomeFlg && w.program().timerInterval() == 20 && w.state().Suii > 0; }},
    {"TimeBarOvershootsItsFrameForOneTick", "select lbxJikan 2\nclick btnMizuDasu\ntick 270\n",
     [](const MainWindow& w) { return w.scene().bounds(Item::ShpScaleX).width == 501 && w.state().Ten[0].x == 501; }},
    {"TimeBarComesBackToItsFrame", "select lbxJikan 2\nclick btnMizuDasu\ntick 271\n",
     [](const MainWindow& w) { return w.scene().bounds(Item::ShpScaleX).width == 500; }},
    {"StartPressedAgainWithOtherChoicesWhileRunning",
     "click btnMizuDasu\ntick 150\nselect lbxJikan 4\nselect lbxSyokiRyo 7\nclick btnMizuDasu\nclick btnMizuDasu\n"
     "tick 40\n",
     [](const MainWindow& w) { return w.program().timerInterval() == 100 && w.state().Suii == 215; }},
    {"ResumeAtAFullTankReportsItAgain",
     "select lbxSyokiRyo 10\nclick btnMizuDasu\ntick 700\nclick btnMizuDasu\ntick 200\n",
     [](const MainWindow& w) { return w.messagesShown() == 2 && w.state().Suii == 500; }},
    {"ElevenRecordsWithAutomaticRecording",
     "click bbtnKirokuAuto\nclick btnMizuDasu\ntick 700\nclick btnKiroku\nclick btnTenki\nclick btnMusubu\n",
     [](const MainWindow& w) { return w.state().KirokuSu == 10 && w.state().MusubuFlg; }},
    {"LiveLineToggledAcrossAReset", "click spbGraphFlg\nclick btnMizuDasu\ntick 120\nclick btnSaishiko\n",
     [](const MainWindow& w) {
         return w.scene().isPressed(Item::spbGraphFlg) && w.scene().caption(Item::spbGraphFlg) == "ON";
     }},
    // A fresh start does not clear the elapsed time: started again and again without a reset,
    // the time shown passes 100 units.
    {"TimeKeepsCountingOverRepeatedFreshStarts",
     "select lbxJikan 4\nclick btnMizuDasu\ntick 500\nclick btnMizuDasu\ntick 300\n",
     [](const MainWindow& w) { return w.scene().caption(Item::stxKJHyoji) == "139.0"; }},
};

void PrintTo(const Reachable& row, std::ostream* out)
{
    *out << row.name;
}

class ReachableState : public ::testing::TestWithParam<Reachable> { };

TEST_P(ReachableState, PassesEveryRuleAfterEveryEvent)
{
    const Reachable& row = GetParam();
    const std::vector<storm::StormEvent> events = storm::parseScript(row.script);
    storm::StormRunner runner;
    const auto failure = runner.run(events);
    EXPECT_FALSE(failure.has_value()) << storm::explainFailure(0, events, *failure);

    // The same script once more, on a window of our own, to look at the state it ends in.
    auto window = std::make_unique<MainWindow>();
    Replay::takeControl(*window);
    window->FormCreate();
    window->show();
    std::istringstream in(row.script);
    std::ostringstream out, err;
    ASSERT_EQ(Replay(*window, out, err).run(in), 0) << err.str();
    EXPECT_TRUE(row.reached(*window)) << "the script did not reach the state it is about";
    EXPECT_TRUE(storm::checkInvariants(*window).empty()) << joined(storm::checkInvariants(*window));
}

INSTANTIATE_TEST_SUITE_P(Storm, ReachableState, ::testing::ValuesIn(kReachable),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Faults planted into the window after a short run are each caught by the rule made for them.

struct Planted {
    const char* name;
    const char* script; // brings the window into a state first
    std::function<void(MainWindow&)> plant;
    const char* reported; // part of the line that must report it
};

const Planted kPlanted[] = {
    {"WaterOnePixelShort", "click btnMizuDasu\ntick 150\n",
     [](MainWindow& w) {
         w.scene().setBounds(Item::shpScale, {56, 645, 377, 46});
     },
     "shpScale"},
    {"WaterNotEmptiedByReset", "click btnMizuDasu\ntick 150\nclick btnSaishiko\n",
     [](MainWindow& w) {
         w.scene().setBounds(Item::shpScale, {56, 645, 377, 47});
     },
     "shpScale"},
    {"LevelBarTopAfterFreshStart", "select lbxSyokiRyo 2\nclick btnMizuDasu\n",
     [](MainWindow& w) {
         w.scene().setBounds(Item::ShpScaleY, {477, 627, 7, 50});
     },
     "ShpScaleY"},
    {"LevelBarTopNotKeptByReset", "select lbxSyokiRyo 2\nclick btnMizuDasu\nclick btnSaishiko\n",
     [](MainWindow& w) {
         w.scene().setBounds(Item::ShpScaleY, {477, 673, 7, 1});
     },
     "ShpScaleY"},
    {"TimeBarNotEmptiedByReset", "click btnMizuDasu\ntick 150\nclick btnSaishiko\n",
     [](MainWindow& w) {
         w.scene().setBounds(Item::ShpScaleX, {497, 689, 47, 7});
     },
     "ShpScaleX"},
    {"TimeBarApartFromTheLivePoint", "click btnMizuDasu\ntick 150\n",
     [](MainWindow& w) {
         w.scene().setBounds(Item::ShpScaleX, {497, 689, 48, 7});
     },
     "Ten[0].x"},
    {"StreamLongerThanNagare", "click btnMizuDasu\ntick 10\n",
     [](MainWindow& w) {
         w.scene().setBounds(Item::shpMizu, {96, 177, 17, 55});
     },
     "shpMizu"},
    {"StreamLeftAfterStop", "click btnMizuDasu\ntick 10\nclick btnMizuTome\n",
     [](MainWindow& w) {
         w.scene().setBounds(Item::shpMizu, {96, 177, 17, 0});
     },
     "shpMizu"},
    {"VolumeTextWrong", "click btnMizuDasu\ntick 150\n",
     [](MainWindow& w) { w.scene().setCaption(Item::stxKSHyoji, "1.8"); }, "volume shown"},
    {"VolumeTextTwoDecimals", "click btnMizuDasu\ntick 150\n",
     [](MainWindow& w) { w.scene().setCaption(Item::stxKSHyoji, "1.88"); }, "volume shown"},
    {"TimeTextNotANumber", "click btnMizuDasu\ntick 150\n",
     [](MainWindow& w) { w.scene().setCaption(Item::stxKJHyoji, "1.8e0"); }, "time shown"},
    {"TimeTextBeyond100InOneFill", "click btnMizuDasu\ntick 150\n",
     [](MainWindow& w) { w.scene().setCaption(Item::stxKJHyoji, "100.1"); }, "beyond 100.0"},
    {"TimeTextNotClearedByReset", "click btnMizuDasu\ntick 150\nclick btnSaishiko\n",
     [](MainWindow& w) { w.scene().setCaption(Item::stxKJHyoji, "1.9"); }, "time shown"},
    {"TableCellNotTheStoredText", "click btnMizuDasu\ntick 150\nclick btnKiroku\n",
     [](MainWindow& w) { w.scene().setCaption(sim::volumeCell(1), "9.9"); }, "record table column 1"},
    {"TableCellFilledBeyondTheRecords", "click btnKiroku\n",
     [](MainWindow& w) { w.scene().setCaption(sim::timeCell(2), "0.0"); }, "record table column 2"},
    {"ListWithoutSelection", "", [](MainWindow& w) { w.scene().setSelectedIndex(Item::lbxSuiryo, -1); },
     "selects row -1"},
    {"IntervalCompounded", "select lbxJikan 4\nclick btnMizuDasu\n",
     [](MainWindow& w) { w.program().simulationWindow().setTimerInterval(500); }, "timer interval"},
    {"IntervalOutsideTheTable", "click btnMizuDasu\n",
     [](MainWindow& w) { w.program().simulationWindow().setTimerInterval(7); }, "interval table"},
    {"TimerRunningWithoutARate", "", [](MainWindow& w) { w.program().simulationWindow().setTimerEnabled(true); },
     "before any fresh start"},
    {"RecordButtonShownWithoutRecords", "", [](MainWindow& w) { w.scene().setVisible(Item::btnTenki, true); },
     "btnTenki"},
    {"DotsMarkShownWhileOff", "click btnKiroku\n", [](MainWindow& w) { w.scene().setVisible(Item::LblTenkiFlg, true); },
     "LblTenkiFlg"},
    {"AutoButtonRedWhileOff", "", [](MainWindow& w) { w.scene().setFontColour(Item::bbtnKirokuAuto, sim::clRed); },
     "bbtnKirokuAuto"},
    {"ToggleCaptionAgainstItsState", "", [](MainWindow& w) { w.scene().setCaption(Item::spbGraphFlg, "ON"); },
     "spbGraphFlg"},
    {"ErrorBoxOpen", "",
     [](MainWindow& w) {
         auto* box = new QMessageBox(QMessageBox::Critical, "ichijikansu", "Floating point division by zero.",
                                     QMessageBox::Ok, &w);
         box->setAttribute(Qt::WA_DeleteOnClose);
         box->setWindowModality(Qt::ApplicationModal);
         box->show();
     },
     "modal window"},
};

void PrintTo(const Planted& row, std::ostream* out)
{
    *out << row.name;
}

class PlantedFault : public CheckedWindow, public ::testing::WithParamInterface<Planted> { };

TEST_P(PlantedFault, IsReported)
{
    const Planted& row = GetParam();
    play(row.script);
    ASSERT_TRUE(storm::checkInvariants(*window).empty()) << "before the fault:\n"
                                                         << joined(storm::checkInvariants(*window));
    // Checked before the window paints again: its painting rewrites the record table.
    row.plant(*window);
    const std::vector<std::string> problems = storm::checkInvariants(*window);
    EXPECT_TRUE(mentions(problems, row.reported)) << "want a line with '" << row.reported << "', got:\n"
                                                  << joined(problems);
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
}

INSTANTIATE_TEST_SUITE_P(Storm, PlantedFault, ::testing::ValuesIn(kPlanted),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Faults that only show against the state before the event.

using Watch = CheckedWindow;

TEST_F(Watch, TimeShownThatDidNotMoveWithARisingTick)
{
    play("click btnMizuDasu\ntick 130\n");
    storm::InvariantWatch watch(*window);
    const std::string before = window->scene().caption(Item::stxKJHyoji);
    window->program().tick();
    EXPECT_TRUE(watch.afterEvent(storm::Cause::Tick).empty());
    window->program().tick();
    window->scene().setCaption(Item::stxKJHyoji, before);
    EXPECT_TRUE(mentions(watch.afterEvent(storm::Cause::Tick), "time shown"));
}

TEST_F(Watch, TimeBarMovedWithoutATick)
{
    play("click btnMizuDasu\ntick 130\n");
    storm::InvariantWatch watch(*window);
    const sim::Bounds bar = window->scene().bounds(Item::ShpScaleX);
    window->scene().setSelectedIndex(Item::lbxJikan, 3);
    EXPECT_TRUE(watch.afterEvent(storm::Cause::Selection, Item::lbxJikan).empty());
    window->scene().setBounds(Item::ShpScaleX, {bar.left, bar.top, bar.width + 1, bar.height});
    EXPECT_TRUE(mentions(watch.afterEvent(storm::Cause::Selection, Item::lbxJikan), "time bar"));
}

TEST_F(Watch, SelectionThatMovedAnotherList)
{
    storm::InvariantWatch watch(*window);
    window->scene().setSelectedIndex(Item::lbxJikan, 2);
    window->scene().setSelectedIndex(Item::lbxSuiryo, 2);
    EXPECT_TRUE(mentions(watch.afterEvent(storm::Cause::Selection, Item::lbxJikan), "lbxSuiryo changed"));
}

TEST_F(Watch, ResumeThatKeptTheChangedLists)
{
    play("select lbxJikan 1\nclick btnMizuDasu\ntick 5\nclick btnMizuTome\nselect lbxJikan 3\n");
    storm::InvariantWatch watch(*window);
    play("click btnMizuDasu\n");
    EXPECT_TRUE(watch.afterEvent(storm::Cause::Click, Item::btnMizuDasu).empty());
    // Planted: the list is not put back.
    play("click btnMizuTome\nselect lbxJikan 3\n");
    storm::InvariantWatch again(*window);
    play("click btnMizuDasu\n");
    window->scene().setSelectedIndex(Item::lbxJikan, 3);
    EXPECT_TRUE(mentions(again.afterEvent(storm::Cause::Click, Item::btnMizuDasu), "resume"));
}

// ---------------------------------------------------------------------------------------------
// The runner's other channels: a fault planted into the event loop during the first event of a
// storm is reported as a failure of that event.

struct LoopFault {
    const char* name;
    std::function<void()> plant;
    const char* reported;
};

void PrintTo(const LoopFault& row, std::ostream* out)
{
    *out << row.name;
}

const LoopFault kLoopFaults[] = {
    {"ErrorBoxFromAHandler", [] { QMessageBox::critical(nullptr, "ichijikansu", "Floating point division by zero."); },
     "error box 'ichijikansu': Floating point division by zero."},
    {"QtWarning", [] { qWarning("QWidget::repaint: Recursive repaint detected"); }, "Qt says: QWidget::repaint"},
    {"DivisionByZero",
     [] {
         volatile double zero = 0.0;
         volatile double quotient = 1.0 / zero;
         (void)quotient;
     },
     "division by zero"},
    {"InvalidOperation",
     [] {
         volatile double zero = 0.0;
         volatile double quotient = zero / zero;
         (void)quotient;
     },
     "invalid operation"},
};

class EventLoopFault : public ::testing::TestWithParam<LoopFault> { };

TEST_P(EventLoopFault, FailsTheEventItHappenedIn)
{
    const LoopFault& row = GetParam();
    QTimer::singleShot(0, row.plant);
    storm::StormRunner runner;
    const auto failure = runner.run(storm::parseScript("click btnKiroku\nclick btnMizuDasu\n"));
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(mentions(failure->problems, row.reported)) << joined(failure->problems);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The planted fault must not outlive this test in the shared process.
    QCoreApplication::processEvents();
    std::feclearexcept(FE_ALL_EXCEPT);
}

INSTANTIATE_TEST_SUITE_P(Storm, EventLoopFault, ::testing::ValuesIn(kLoopFaults),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StormFailureReport, CutsTheStormAtTheFailingTick)
{
    const std::vector<storm::StormEvent> events =
        storm::parseScript("select lbxJikan 2\nclick btnMizuDasu\ntick 40\nclick btnKiroku\ntick 5\n");
    storm::StormFailure failure{2, 7, {"planted"}};
    EXPECT_EQ(storm::script(storm::failingPrefix(events, failure)), "select lbxJikan 2\nclick btnMizuDasu\ntick 7\n");
    failure = {1, 0, {"planted"}};
    EXPECT_EQ(storm::script(storm::failingPrefix(events, failure)), "select lbxJikan 2\nclick btnMizuDasu\n");
}

TEST(StormFailureReport, RerunsThePrefixAndSaysWhenItDoesNotFailAgain)
{
    // The planted warning comes once only, so the re-run of the prefix passes.
    QTimer::singleShot(0, [] { qWarning("planted once"); });
    const std::vector<storm::StormEvent> events = storm::parseScript("click btnMizuDasu\ntick 3\nclick btnKiroku\n");
    storm::StormRunner runner;
    const auto failure = runner.run(events);
    ASSERT_TRUE(failure.has_value());
    const std::string report = storm::explainFailure(42, events, *failure);
    EXPECT_NE(report.find("storm seed 42 broke a rule after event 1 of 3"), std::string::npos) << report;
    EXPECT_NE(report.find("Qt says: planted once"), std::string::npos) << report;
    EXPECT_NE(report.find("did NOT fail when re-run"), std::string::npos) << report;
    EXPECT_NE(report.find("\nclick btnMizuDasu\n"), std::string::npos) << report;
}

// ---------------------------------------------------------------------------------------------

struct TextCase {
    double value;
    const char* text;
};

TEST(NumberTexts, OneDecimalRoundsOnceHalvesAwayFromZero)
{
    const TextCase cases[] = {
        {0.0, "0.0"},     {0.04, "0.0"},     {0.25, "0.3"},      {0.35F, "0.3"},      {0.15F, "0.2"},
        {2.44, "2.4"},    {12.34, "12.3"},   {99.96F, "100.0"},  {100.0, "100.0"},    {100.2F, "100.0"},
        {123.4, "123.0"}, {999.4F, "999.0"}, {999.6F, "1000.0"}, {1579.4F, "1580.0"}, {20.0, "20.0"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(storm::oneDecimalText(c.value, "."), c.text) << c.value;
    EXPECT_EQ(storm::oneDecimalText(2.44, ","), "2,4");
}

TEST(NumberTexts, VolumeOfEveryLevelMatchesTheGeneralRule)
{
    for (int level = 0; level <= 500; ++level) {
        const float v = static_cast<float>(level / 25.0L);
        EXPECT_EQ(storm::volumeText(level, "."), storm::oneDecimalText(v, ".")) << level;
    }
}

TEST(NumberTexts, OnlyOneDecimalFormsParse)
{
    EXPECT_EQ(storm::parseOneDecimal("12.3", "."), 12.3);
    EXPECT_EQ(storm::parseOneDecimal("0.0", "."), 0.0);
    EXPECT_EQ(storm::parseOneDecimal("4,5", ","), 4.5);
    for (const char* bad : {"", "1", ".5", "1.", "1.23", "01.0", "-1.0", "1,5", "1.0 ", "1.2e3", "NAN"})
        EXPECT_FALSE(storm::parseOneDecimal(bad, ".").has_value()) << bad;
}

// ---------------------------------------------------------------------------------------------

TEST(StormEvents, SameSeedSameStormAndEveryKindOfEvent)
{
    EXPECT_EQ(storm::script(storm::generateStorm(7, 200)), storm::script(storm::generateStorm(7, 200)));
    EXPECT_NE(storm::script(storm::generateStorm(7, 200)), storm::script(storm::generateStorm(8, 200)));

    std::set<std::string> seen;
    int longBursts = 0, owariNotLast = 0;
    for (std::uint64_t seed = 0; seed < 100; ++seed) {
        const auto events = storm::generateStorm(seed, 60);
        EXPECT_EQ(events.size(), 60U);
        for (std::size_t i = 0; i < events.size(); ++i) {
            const std::string line = storm::scriptLine(events[i]);
            seen.insert(line.substr(0, line.find(' ', line.find(' ') + 1)));
            if (events[i].kind == storm::StormEvent::Kind::Tick && events[i].value > 150)
                ++longBursts;
            if (events[i].item == Item::btnOwari && i + 1 != events.size())
                ++owariNotLast;
        }
        EXPECT_EQ(storm::parseScript(storm::script(events)).size(), events.size());
    }
    for (const char* kind : {"click btnMizuDasu", "click btnMizuTome", "click btnSaishiko", "click btnKiroku",
                             "click btnTenki", "click btnMusubu", "click bbtnKirokuAuto", "click spbGraphFlg",
                             "click btnOwari", "select lbxJikan", "select lbxSuiryo", "select lbxSyokiRyo"})
        EXPECT_TRUE(seen.count(kind)) << kind;
    EXPECT_GT(longBursts, 100);
    EXPECT_EQ(owariNotLast, 0);
}

} // namespace
