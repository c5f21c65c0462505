#include "fakewindow.h"

#include <gtest/gtest.h>

using sim::Item;

namespace {

TEST(Switches, VisibilityChainFromFirstRecordToPolyline)
{
    Rig rig;
    rig.sim.btnKirokuClick();
    EXPECT_TRUE(rig.window.isVisible(Item::btnTenki));
    EXPECT_FALSE(rig.window.isVisible(Item::btnMusubu));
    rig.sim.btnTenkiClick();
    EXPECT_TRUE(rig.s().TenkiFlg);
    EXPECT_TRUE(rig.window.isVisible(Item::LblTenkiFlg));
    EXPECT_TRUE(rig.window.isVisible(Item::btnMusubu));
    EXPECT_FALSE(rig.window.isVisible(Item::LblMusubuFlg));
    rig.sim.btnMusubuClick();
    EXPECT_TRUE(rig.s().MusubuFlg);
    EXPECT_TRUE(rig.window.isVisible(Item::LblMusubuFlg));

    // Second clicks switch nothing off.
    rig.sim.btnTenkiClick();
    rig.sim.btnMusubuClick();
    EXPECT_TRUE(rig.s().TenkiFlg && rig.s().MusubuFlg);
    EXPECT_TRUE(rig.window.isVisible(Item::LblTenkiFlg) && rig.window.isVisible(Item::LblMusubuFlg));
}

TEST(Switches, AutomaticRecordingButtonTogglesCaptionAndColourAndKeepsRecords)
{
    Rig rig;
    rig.sim.btnKirokuClick();
    struct Expected {
        bool on;
        const char* caption;
        sim::Colour colour;
    };
    for (const Expected e : {Expected{true, "自動記録オン", sim::clRed}, Expected{false, "自動記録オフ", sim::clNavy},
                             Expected{true, "自動記録オン", sim::clRed}}) {
        rig.sim.bbtnKirokuAutoClick();
        EXPECT_EQ(rig.s().KirokuAutoFlg, e.on);
        EXPECT_EQ(rig.window.caption(Item::bbtnKirokuAuto), e.caption);
        EXPECT_EQ(rig.window.fontColour(Item::bbtnKirokuAuto), e.colour);
    }
    EXPECT_EQ(rig.s().KirokuSu, 1);
    rig.sim.btnSaishikoClick();
    EXPECT_FALSE(rig.s().KirokuAutoFlg);
    EXPECT_EQ(rig.window.fontColour(Item::bbtnKirokuAuto), sim::clNavy);
}

TEST(Switches, LiveLineCaptionFollowsThePressedStateAcrossResets)
{
    Rig rig;
    rig.window.pressed = true;
    rig.sim.spbGraphFlgClick();
    EXPECT_EQ(rig.window.caption(Item::spbGraphFlg), "ON");
    rig.sim.btnSaishikoClick();
    EXPECT_EQ(rig.window.caption(Item::spbGraphFlg), "ON");
    rig.window.pressed = false;
    rig.sim.spbGraphFlgClick();
    EXPECT_EQ(rig.window.caption(Item::spbGraphFlg), "OFF");
}

TEST(Switches, EndButtonAsksToQuit)
{
    Rig rig;
    rig.sim.btnOwariClick();
    EXPECT_TRUE(rig.window.quitRequested);
}

} // namespace
