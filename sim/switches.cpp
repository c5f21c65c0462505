#include "simulation.h"

namespace sim {

// "点をグラフへ": the records show as dots. Only a reset switches them off again.
void Simulation::btnTenkiClick()
{
    state_.TenkiFlg = true;
    window_.setVisible(Item::LblTenkiFlg, true);
    window_.setVisible(Item::btnMusubu, true);
}

// "点を線で結ぶ": the records are joined in the order they were taken.
void Simulation::btnMusubuClick()
{
    state_.MusubuFlg = true;
    window_.setVisible(Item::LblMusubuFlg, true);
}

void Simulation::bbtnKirokuAutoClick()
{
    State& s = state_;
    if (s.KirokuAutoFlg) {
        window_.setFontColour(Item::bbtnKirokuAuto, clNavy);
        window_.setCaption(Item::bbtnKirokuAuto, "自動記録オフ");
        s.KirokuAutoFlg = false;
    } else {
        window_.setFontColour(Item::bbtnKirokuAuto, clRed);
        window_.setCaption(Item::bbtnKirokuAuto, "自動記録オン");
        s.KirokuAutoFlg = true;
    }
}

// The live line has no variable of its own: the toggle button's pressed state is the switch, and
// it has already flipped when this runs.
void Simulation::spbGraphFlgClick()
{
    window_.setCaption(Item::spbGraphFlg, window_.isPressed(Item::spbGraphFlg) ? "ON" : "OFF");
}

// "お　わ　る"
void Simulation::btnOwariClick()
{
    window_.requestQuit();
}

} // namespace sim
