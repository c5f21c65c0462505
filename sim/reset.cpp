#include "simulation.h"

namespace sim {

// Back to the starting condition. Also the program's initialisation: the window's first
// activation runs it. Suii, Jikan, Suiryo and SyokiRyo are left alone: only a fresh start sets
// them, and a resume after a reset continues from the remembered level.
void Simulation::btnSaishikoClick()
{
    State& s = state_;
    s.Nagare = 0;
    s.KeikaTick = 0.0F;
    s.SyokiY = 500;
    s.Kankaku = kBaseInterval;

    window_.setCaption(Item::stxKJHyoji, "0.0");
    window_.setCaption(Item::stxKSHyoji, "0.0");

    window_.setSelectedIndex(Item::lbxJikan, 0);
    window_.setSelectedIndex(Item::lbxSuiryo, 0);
    window_.setSelectedIndex(Item::lbxSyokiRyo, 0);

    // A shape one pixel high or wide shows nothing, so these empty the tank and both bars.
    const Bounds tank = bounds(Item::ShpWaku);
    setTop(Item::shpScale, tank.top + tank.height);
    setHeight(Item::shpScale, 1);
    setWidth(Item::ShpScaleX, 1);
    setHeight(Item::ShpScaleY, 1);
    setHeight(Item::shpMizu, 1);

    window_.setTimerEnabled(false);

    window_.setVisible(Item::btnTenki, false);
    window_.setVisible(Item::btnMusubu, false);
    window_.setVisible(Item::LblTenkiFlg, false);
    window_.setVisible(Item::LblMusubuFlg, false);

    s.TomeFlg = false;
    s.TenkiFlg = false;
    s.MusubuFlg = false;
    s.KirokuAutoFlg = false;

    window_.setFontColour(Item::bbtnKirokuAuto, clNavy);
    window_.setCaption(Item::bbtnKirokuAuto, "自動記録オフ");

    s.Ten[0] = {0, 500};
    for (int k = 1; k <= kMaxRecords; ++k) {
        s.KirokuX[k].clear();
        s.KirokuY[k].clear();
    }
    KirokuHyoji();
    s.KirokuSu = 0;
}

} // namespace sim
