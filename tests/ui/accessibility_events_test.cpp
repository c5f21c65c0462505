// What a screen reader is told, as it is told: the events Qt sends for the switches, the two
// numbers and the record table, step by step through a short lesson.
#include "common/windowfixture.h"

#include "itemwidgets.h"
#include "layout.h"

#include <QAccessible>

#include <algorithm>
#include <sstream>

namespace {

std::vector<std::string> heard;

const core::ItemLayout* entryOf(const QObject* object)
{
    for (const core::ItemLayout& entry : core::layout()) {
        if (object != nullptr && object->objectName() == QLatin1String(entry.name))
            return &entry;
    }
    return nullptr;
}

// Writes down the events of three kinds, each with what its item shows when it is sent: a
// switch's checked state, a number's value, a record cell's text.
void listen(QAccessibleEvent* event)
{
    const core::ItemLayout* entry = entryOf(event->object());
    if (entry == nullptr)
        return;
    const std::string name = entry->name;
    switch (event->type()) {
    case QAccessible::StateChanged:
        if (static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked)
            heard.push_back(name + (event->accessibleInterface()->state().checked ? " on" : " off"));
        break;
    case QAccessible::ValueChanged:
        heard.push_back(name + " "
                        + QString::number(static_cast<QAccessibleValueChangeEvent*>(event)->value().toDouble(), 'f', 2)
                              .toStdString());
        break;
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
        if (entry->role == core::Role::RecordCell)
            heard.push_back(name + " '" + static_cast<ui::StaticText*>(event->object())->text().toStdString() + "'");
        break;
    default:
        break;
    }
}

// Accessibility is on before the window exists, as when a screen reader runs at login. Qt turns
// it on only where a screen reader can listen: an accessibility bus (tests/atspi/onbus.sh).
class AccessibilityEvents : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QTest::qWaitFor(QAccessible::isActive, 10000)) << "no accessibility bus: run under onbus.sh";
        QAccessible::installUpdateHandler(listen);
        WindowTest::SetUp();
        heard.clear();
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        QAccessible::installUpdateHandler(nullptr);
    }
};

// Each flip of a switch, each record's two cells, what a button's handler changed: once each, in
// the step that caused it. While the water runs, a number is told when its whole part changes, and
// at most once a second of the run (both numbers together): what changed meanwhile is told at the
// first batch of ticks past that second, or by the next handler, as it stands then.
TEST_F(AccessibilityEvents, EachChangeIsToldOnceInTheStepThatMadeIt)
{
    struct Step {
        const char* line;
        std::vector<std::string> heard;
    };
    // Time step 1 and water 2 from an empty tank: a tick every 10 ms; the stream falls for 103
    // ticks, then each tick adds 0.02 to the time and 0.04 to the volume, shown in tenths (0.96
    // shows as 1.0).
    const Step lesson[] = {
        {"select lbxSuiryo 1", {}},
        {"click btnMizuDasu", {}},
        {"tick 126", {}},
        {"tick 1", {"stxKSHyoji 1.00"}}, // 1.27 s into the run
        {"tick 25", {}},                 // the time at 1.0, the volume at 2.0: within the second
        {"tick 74", {}},
        {"tick 1", {"stxKJHyoji 2.50", "stxKSHyoji 5.00"}}, // a second after the last: as they stand
        {"click bbtnKirokuAuto", {"bbtnKirokuAuto on"}},
        {"tick 26", {"stxZahyoX1 '3.0'", "stxZahyoY1 '6.0'"}}, // a record is told at once
        // A handler tells the numbers as they stand, held or not.
        {"click btnKiroku", {"stxZahyoX2 '3.0'", "stxZahyoY2 '6.0'", "stxKJHyoji 3.00", "stxKSHyoji 6.00"}},
        {"click spbGraphFlg", {"spbGraphFlg on"}},
        {"tick 12", {}},
        {"click btnMizuTome", {"stxKJHyoji 3.20", "stxKSHyoji 6.50"}},
        {"click spbGraphFlg", {"spbGraphFlg off"}},
        {"click spbGraphFlg", {"spbGraphFlg on"}},
        {"click btnSaishiko",
         {"stxZahyoX1 ''", "stxZahyoY1 ''", "stxZahyoX2 ''", "stxZahyoY2 ''", "bbtnKirokuAuto off", "stxKJHyoji 0.00",
          "stxKSHyoji 0.00"}},
        {"click bbtnKirokuAuto", {"bbtnKirokuAuto on"}},
    };
    for (const Step& step : lesson) {
        std::istringstream line(step.line);
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(Replay(*window, out, err).run(line), 0) << step.line << ": " << err.str();
        QCoreApplication::processEvents();
        // The order within a step is not told to anybody: each event stands alone.
        std::vector<std::string> wanted = step.heard;
        std::sort(wanted.begin(), wanted.end());
        std::sort(heard.begin(), heard.end());
        EXPECT_EQ(heard, wanted) << step.line;
        heard.clear();
    }
}

} // namespace
