#include "simulation.h"

#include "roundoff.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr const char* kFullTankMessage = "だれじゃ！水をこぼすのは(^_^;)";
constexpr std::int32_t kStreamStepPx = 5;

} // namespace

// "水を入れる". A stopped run resumes with the choices it began with; otherwise the run starts
// afresh from the three selections. Jikan is 0 only before the first fresh start: a stop pressed
// before any start must not lead to a resume, which would have no rate to run at.
void Simulation::btnMizuDasuClick()
{
    if (state_.TomeFlg && state_.Jikan != 0)
        resume();
    else
        freshStart();
}

void Simulation::resume()
{
    // Choices changed while the run was stopped jump back to the ones it runs with.
    window_.setSelectedIndex(Item::lbxSyokiRyo, state_.SyokiRyo);
    window_.setSelectedIndex(Item::lbxJikan, state_.Jikan - 1);
    window_.setSelectedIndex(Item::lbxSuiryo, state_.Suiryo - 1);
    window_.setTimerEnabled(true);
}

void Simulation::freshStart()
{
    State& s = state_;
    // Before the first reset a list may have no selection; read that as its first row.
    const auto row = [this](Item list) { return std::max(0, window_.selectedIndex(list)); };

    s.SyokiRyo = row(Item::lbxSyokiRyo);
    s.Suii = s.SyokiRyo * kUnitPx;

    const Bounds tank = bounds(Item::ShpWaku);
    setTop(Item::shpScale, tank.top + tank.height - s.Suii);
    setHeight(Item::shpScale, s.Suii);

    const Bounds graph = bounds(Item::PaintBox1);
    setTop(Item::ShpScaleY, graph.top + graph.height - s.Suii);
    setHeight(Item::ShpScaleY, s.Suii);

    s.SyokiY = tank.height - bounds(Item::ShpScaleY).height;
    s.Ten[0].y = s.SyokiY;
    window_.setCaption(Item::stxKSHyoji, numberText(static_cast<long double>(s.Suii) / kUnitPx));

    s.Jikan = row(Item::lbxJikan) + 1;
    s.Suiryo = row(Item::lbxSuiryo) + 1;

    // Always from the base interval, so that pressing start twice cannot compound it: one unit of
    // time takes about half a second at every choice.
    s.Kankaku = (kBaseInterval * s.Jikan) / s.Suiryo;
    window_.setTimerInterval(static_cast<std::uint32_t>(s.Kankaku));
    window_.setTimerEnabled(true);
}

// "水を止める", and the end of a run at a full tank. The next start resumes.
void Simulation::btnMizuTomeClick()
{
    State& s = state_;
    window_.setTimerEnabled(false);
    s.TomeFlg = true;
    setHeight(Item::shpMizu, 1);
    s.Nagare = 0;
    s.Kankaku = kBaseInterval;
}

// One tick: first the stream falls from the faucet to the water surface, then the water rises.
void Simulation::Timer1Timer()
{
    State& s = state_;
    const Bounds stream = bounds(Item::shpMizu);
    if (stream.top + stream.height < bounds(Item::shpScale).top) {
        s.Nagare += kStreamStepPx;
        setHeight(Item::shpMizu, s.Nagare);
        return;
    }
    s.KeikaTick += 1.0F;
    s.Suii += 1;
    MizuTameru();
}

// The fill step: one pixel more water, the time by Jikan / Suiryo pixels, and everything that
// shows them.
void Simulation::MizuTameru()
{
    State& s = state_;
    const Bounds tank = bounds(Item::ShpWaku);
    const Bounds graph = bounds(Item::PaintBox1);

    if (tank.height < s.Suii)
        s.Suii = tank.height;
    setTop(Item::shpScale, tank.top + tank.height - s.Suii);
    setHeight(Item::shpScale, s.Suii);
    setTop(Item::ShpScaleY, graph.top + graph.height - s.Suii);
    setHeight(Item::ShpScaleY, s.Suii);

    // The bar is compared before it is recomputed, so it may overshoot its frame for one tick;
    // the next fill step brings it back to the frame's width, where it stays.
    const long double elapsedPx = elapsedPixels(s.KeikaTick);
    const std::int32_t frameWidth = bounds(Item::ShpWakuX).width;
    const std::int32_t barWidth = bounds(Item::ShpScaleX).width;
    if (frameWidth > barWidth)
        setWidth(Item::ShpScaleX, roundoff(elapsedPx));
    else if (frameWidth < barWidth)
        setWidth(Item::ShpScaleX, frameWidth);

    const float t = elapsedTime(s.KeikaTick);
    window_.setCaption(Item::stxKJHyoji, numberText(t));
    const std::int32_t levelPx = bounds(Item::ShpScaleY).height;
    const float v = static_cast<float>(static_cast<long double>(levelPx) / kUnitPx);
    window_.setCaption(Item::stxKSHyoji, numberText(v));

    s.Ten[0].x = bounds(Item::ShpScaleX).width;
    // Past 20 units of time the graph has no room left; the live point keeps its last height.
    if (!(t > 20.0F))
        s.Ten[0].y = tank.height - levelPx;

    // Automatic recording takes a record at every tick that reaches a new whole unit of time,
    // under that unit ("3.0", though the tick may show 3.1 at a coarse rate). Compared with the
    // tick before at the present rate, it also works when switched on late or after records
    // taken by hand, and never records the unit it was switched on in.
    const float whole = std::trunc(t);
    if (s.KirokuAutoFlg && whole >= 1.0F && whole > std::trunc(elapsedTime(s.KeikaTick - 1.0F)))
        record(numberText(whole));

    if (tank.height == s.Suii) {
        // Off before the box opens: the box's own loop would deliver ticks as well.
        window_.setTimerEnabled(false);
        window_.showMessage(kFullTankMessage);
        btnMizuTomeClick();
    }
}

// The time bar's length after `keikaTick` rising ticks at the present rate: Jikan / Suiryo pixels
// a tick.
long double Simulation::elapsedPixels(float keikaTick) const
{
    return static_cast<long double>(state_.Jikan) * keikaTick / state_.Suiryo;
}

// The elapsed time in units after `keikaTick` rising ticks, held in single precision as it is
// shown.
float Simulation::elapsedTime(float keikaTick) const
{
    return static_cast<float>(elapsedPixels(keikaTick) / kUnitPx);
}

} // namespace sim
