#pragma once

#include "state.h"
#include "window.h"

#include <string>

namespace sim {

// The program's logic: every handler of the main window, run one at a time by the event loop.
// It works on the State below and moves the scene through the Window; it never draws.
//
// The story of a run, file by file:
//   reset.cpp      btnSaishikoClick: back to the starting condition (also at the first activation)
//   records.cpp    btnKirokuClick, KirokuHyoji: ten recorded (time, volume) pairs and their table
//   fillingrun.cpp btnMizuDasuClick, btnMizuTomeClick, Timer1Timer, MizuTameru: the water runs
//   switches.cpp   btnTenkiClick, btnMusubuClick, bbtnKirokuAutoClick, spbGraphFlgClick, btnOwariClick
class Simulation {
public:
    explicit Simulation(Window& window);

    const State& state() const { return state_; }

    void btnSaishikoClick();
    void btnKirokuClick();
    void KirokuHyoji();

    void btnMizuDasuClick();
    void btnMizuTomeClick();
    void Timer1Timer();

    void btnTenkiClick();
    void btnMusubuClick();
    void bbtnKirokuAutoClick();
    void spbGraphFlgClick();
    void btnOwariClick();

private:
    void freshStart();
    void resume();
    void MizuTameru();
    void record(const std::string& timeText);
    long double elapsedPixels(float keikaTick) const;
    float elapsedTime(float keikaTick) const;

    std::string numberText(long double value) const;
    void setTop(Item shape, std::int32_t top);
    void setWidth(Item shape, std::int32_t width);
    void setHeight(Item shape, std::int32_t height);
    Bounds bounds(Item item) const { return window_.bounds(item); }

    Window& window_;
    State state_;
};

} // namespace sim
