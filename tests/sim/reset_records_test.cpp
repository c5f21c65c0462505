#include "fakewindow.h"
#include "numbertext.h"

#include <gtest/gtest.h>

using sim::Item;

namespace {

TEST(Reset, BringsTheStartingCondition)
{
    FakeWindow window;
    sim::Simulation sim(window);
    window.timerEnabled = true;
    sim.btnSaishikoClick();
    const sim::State& s = sim.state();

    EXPECT_EQ(s.Nagare, 0);
    EXPECT_EQ(s.KeikaTick, 0.0F);
    EXPECT_EQ(s.SyokiY, 500);
    EXPECT_EQ(s.Kankaku, 20);
    EXPECT_EQ(window.caption(Item::stxKJHyoji), "0.0");
    EXPECT_EQ(window.caption(Item::stxKSHyoji), "0.0");
    for (Item list : {Item::lbxJikan, Item::lbxSuiryo, Item::lbxSyokiRyo})
        EXPECT_EQ(window.selectedIndex(list), 0);
    EXPECT_EQ(window.bounds(Item::shpScale), (sim::Bounds{56, 692, 377, 1}));
    EXPECT_EQ(window.bounds(Item::ShpScaleX), (sim::Bounds{497, 689, 1, 7}));
    EXPECT_EQ(window.bounds(Item::ShpScaleY), (sim::Bounds{477, 673, 7, 1}));
    EXPECT_EQ(window.bounds(Item::shpMizu), (sim::Bounds{96, 177, 17, 1}));
    EXPECT_FALSE(window.timerEnabled);
    EXPECT_EQ(window.timerInterval, 1000U) << "the reset leaves the interval alone";
    for (Item hidden : {Item::btnTenki, Item::btnMusubu, Item::LblTenkiFlg, Item::LblMusubuFlg})
        EXPECT_FALSE(window.isVisible(hidden));
    EXPECT_FALSE(s.TomeFlg || s.TenkiFlg || s.MusubuFlg || s.KirokuAutoFlg);
    EXPECT_EQ(window.fontColour(Item::bbtnKirokuAuto), sim::clNavy);
    EXPECT_EQ(window.caption(Item::bbtnKirokuAuto), "自動記録オフ");
    EXPECT_EQ(s.Ten[0], (sim::Point{0, 500}));
    EXPECT_EQ(s.KirokuSu, 0);
}

TEST(Reset, MidRunEmptiesTheSceneButKeepsLevelChoicesAndLevelBarTop)
{
    Rig rig;
    rig.startRun(4, 2, 3);
    rig.tick(30);
    rig.sim.btnKirokuClick();
    rig.sim.btnTenkiClick();
    rig.sim.btnMusubuClick();
    const int levelBarTop = rig.window.bounds(Item::ShpScaleY).top;

    rig.sim.btnSaishikoClick();
    EXPECT_FALSE(rig.window.timerEnabled);
    EXPECT_EQ(rig.s().Suii, 130) << "the level stays until a resume";
    EXPECT_EQ(rig.s().Jikan, 2);
    EXPECT_EQ(rig.s().Suiryo, 3);
    EXPECT_EQ(rig.s().SyokiRyo, 4);
    EXPECT_EQ(rig.window.bounds(Item::ShpScaleY).top, levelBarTop);
    EXPECT_EQ(rig.window.bounds(Item::ShpScaleY).height, 1);
    EXPECT_EQ(rig.s().KirokuSu, 0);
    EXPECT_EQ(rig.window.caption(Item::stxZahyoX1), "");
    EXPECT_EQ(rig.window.caption(Item::stxZahyoY1), "");
    EXPECT_FALSE(rig.window.isVisible(Item::btnTenki));
    EXPECT_FALSE(rig.window.isVisible(Item::LblMusubuFlg));
}

TEST(Records, BeforeAnyStartStoreTheStartingPoint)
{
    Rig rig;
    rig.sim.btnKirokuClick();
    EXPECT_EQ(rig.s().KirokuSu, 1);
    EXPECT_EQ(rig.s().Ten[1], (sim::Point{0, 500}));
    EXPECT_EQ(rig.s().KirokuX[1], "0.0");
    EXPECT_EQ(rig.s().KirokuY[1], "0.0");
    EXPECT_TRUE(rig.window.isVisible(Item::btnTenki));
    EXPECT_EQ(rig.window.caption(Item::stxZahyoX1), "") << "the record operation itself does not refresh the table";
    rig.sim.KirokuHyoji();
    EXPECT_EQ(rig.window.caption(Item::stxZahyoX1), "0.0");
}

TEST(Records, TenFillTheColumnsInOrderAndTheEleventhChangesNothing)
{
    Rig rig;
    rig.startRun(0, 1, 1);
    for (int k = 1; k <= 10; ++k) {
        rig.tick(10);
        rig.sim.btnKirokuClick();
    }
    const sim::State before = rig.s();
    rig.tick(10);
    rig.sim.btnKirokuClick();
    EXPECT_EQ(rig.s().KirokuSu, 10);
    EXPECT_EQ(rig.s().KirokuX, before.KirokuX);
    rig.sim.KirokuHyoji();
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        const std::string time = sim::numberText(10.0L * k / 25.0L, ".");
        EXPECT_EQ(rig.s().KirokuX[k], time);
        EXPECT_EQ(rig.s().KirokuY[k], time);
        EXPECT_EQ(rig.s().Ten[k], (sim::Point{10 * k, 500 - 10 * k}));
        EXPECT_EQ(rig.window.caption(sim::timeCell(k)), time);
        EXPECT_EQ(rig.window.caption(sim::volumeCell(k)), time);
    }
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(rig.s().Ten[k], before.Ten[k]);
}

TEST(Records, ByTheButtonTakeTheTimeShownAlsoUnderAutomaticRecording)
{
    for (const bool automatic : {false, true}) {
        Rig rig;
        rig.startRun(0, 1, 1);
        rig.tick(10); // time 0.4
        if (automatic)
            rig.sim.bbtnKirokuAutoClick();
        rig.sim.btnKirokuClick();
        EXPECT_EQ(rig.s().KirokuX[1], "0.4");
        EXPECT_EQ(rig.s().KirokuY[1], "0.4");
        EXPECT_EQ(rig.s().Ten[1], (sim::Point{10, 490}));
    }
}

} // namespace
