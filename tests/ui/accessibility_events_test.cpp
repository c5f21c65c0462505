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

// Each flip of a switch, each whole unit of a number while the water runs (not every tick), what
// a button's handler changed, and each record's two cells: once each, in the step that caused it.
TEST_F(AccessibilityEvents, EachChangeIsToldOnceInTheStepThatMadeIt)
{
    struct Step {
        const char* line;
        std::vector<std::string> heard;
    };
    // Time step 1 and water 2 from an empty tank: the stream falls for 103 ticks, then each tick
    // adds 0.02 to the time and 0.04 to the volume, shown in tenths (0.96 shows as 1.0).
    const Step lesson[] = {
        {"select lbxSuiryo 1", {}},
        {"click btnMizuDasu", {}},
        {"tick 126", {}},
        {"tick 1", {"stxKSHyoji 1.00"}},
        {"tick 23", {}},
        {"tick 1", {"stxKJHyoji 1.00"}},
        {"tick 1", {"stxKSHyoji 2.00"}},
        {"click bbtnKirokuAuto", {"bbtnKirokuAuto on"}},
        {"tick 1", {"stxZahyoX1 '1.0'", "stxZahyoY1 '2.0'"}},
        {"tick 49", {"stxKSHyoji 3.00", "stxKJHyoji 2.00", "stxKSHyoji 4.00"}},
        {"tick 1", {"stxZahyoX2 '2.0'", "stxZahyoY2 '4.0'"}},
        {"tick 12", {}},
        // A handler tells the numbers as they stand.
        {"click btnKiroku", {"stxZahyoX3 '2.2'", "stxZahyoY3 '4.5'", "stxKJHyoji 2.20", "stxKSHyoji 4.50"}},
        {"click spbGraphFlg", {"spbGraphFlg on"}},
        {"tick 12", {"stxKSHyoji 5.00"}},
        {"click btnMizuTome", {"stxKJHyoji 2.50"}},
        {"click spbGraphFlg", {"spbGraphFlg off"}},
        {"click spbGraphFlg", {"spbGraphFlg on"}},
        {"click btnSaishiko",
         {"stxZahyoX1 ''", "stxZahyoY1 ''", "stxZahyoX2 ''", "stxZahyoY2 ''", "stxZahyoX3 ''", "stxZahyoY3 ''",
          "bbtnKirokuAuto off", "stxKJHyoji 0.00", "stxKSHyoji 0.00"}},
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
