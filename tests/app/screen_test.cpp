// What the screen really holds, not a fresh render: after every step of a lesson, and after a
// batch of ticks that fills the tank part-way through.
#include "common/quietplatform.h"
#include "common/windowfixture.h"

#include "layout.h"
#include "modelwindow.h"
#include "program.h"

#include <sstream>

using sim::Item;

namespace {

using Screen = WindowTest;

// The items lying over an area, to say where a repaint was missed.
std::string itemsOver(const MainWindow& window, const QRect& area)
{
    std::string names;
    for (const core::ItemLayout& entry : core::layout()) {
        const QWidget* w = window.item(entry.item);
        if (w != nullptr && !w->isHidden() && w->geometry().intersects(area))
            names += std::string(names.empty() ? "" : " ") + entry.name;
    }
    return names.empty() ? "the window" : names;
}

// An area that changed and was never asked to repaint stays as it was on the screen only: a full
// render (what every other render test looks at) paints it afresh.
TEST_F(Screen, AfterEveryStepOfALessonShowsWhatAFullRenderShows)
{
    const char* const lesson[] = {
        "select lbxSyokiRyo 2",
        "click btnMizuDasu",
        "tick 40",
        "tick 70",
        "tick 10",
        "click btnKiroku",
        "tick 25",
        "click btnKiroku",
        "click btnTenki",
        "click btnMusubu",
        "click spbGraphFlg",
        "tick 7",
        "click bbtnKirokuAuto",
        "tick 30",
        "click btnMizuTome",
        "click spbGraphFlg",
        "click btnTenki",
        "click btnSaishiko",
    };
    ASSERT_TRUE(staleArea().isEmpty()) << "at start";
    for (const char* step : lesson) {
        std::istringstream line(step);
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(Replay(*window, out, err).run(line), 0) << step << ": " << err.str();
        const QRect stale = staleArea();
        EXPECT_TRUE(stale.isEmpty()) << step << ": not repainted at (" << stale.x() << "," << stale.y() << ") "
                                     << stale.width() << "x" << stale.height() << ", over "
                                     << itemsOver(*window, stale);
    }
}

// At the fastest rate the event loop stalls near the full tank, so one prompt of the platform's
// timer finds more ticks due than the tank has room for.
TEST_F(Screen, AStalledRunEndsItsBatchAtTheFullTankAndShowsIt)
{
    const auto nearlyFull = [](auto&& choose, auto&& press, auto&& tick, auto&& state) {
        choose(Item::lbxSyokiRyo, 0);
        choose(Item::lbxJikan, 0);
        choose(Item::lbxSuiryo, 4); // 4 ms a tick
        press(Item::btnMizuDasu);
        while (state().Suii < 481)
            tick();
        press(Item::btnMizuTome);
    };
    // The model: the same lesson, ticked to its end by hand.
    core::ModelWindow modelWindow;
    QuietPlatform unseen;
    core::Program model(modelWindow, unseen);
    model.activate();
    nearlyFull([&](Item list, int row) { model.choose(list, row); }, [&](Item button) { model.press(button); },
               [&] { model.tick(); }, [&]() -> const sim::State& { return model.state(); });
    model.press(Item::btnMizuDasu);
    while (model.tick()) { }

    nearlyFull([&](Item list, int row) { window->scene().setSelectedIndex(list, row); },
               [&](Item button) { click(button); }, [&] { tick(1); },
               [&]() -> const sim::State& { return window->state(); });
    struct PromptCount : QObject {
        int prompts = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            prompts += event->type() == QEvent::Timer;
            return false;
        }
    } count;
    window->timer().installEventFilter(&count);
    window->timer().setManual(false);
    QWidget* start = widget(Item::btnMizuDasu);
    QTest::mouseClick(start, Qt::LeftButton, Qt::NoModifier, start->rect().center());
    QTest::qSleep(200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->timer().isRunning(); }, 5000));
    window->timer().removeEventFilter(&count);

    EXPECT_EQ(count.prompts, 1) << "one prompt held every tick the tank had room for";
    EXPECT_EQ(window->messagesShown(), 1);
    EXPECT_FALSE(window->program().timerEnabled());
    EXPECT_EQ(window->program().dump(), model.dump());
    const QRect stale = staleArea();
    EXPECT_TRUE(stale.isEmpty()) << "not repainted at (" << stale.x() << "," << stale.y() << ") " << stale.width()
                                 << "x" << stale.height() << ", over " << itemsOver(*window, stale);
}

} // namespace
