#pragma once

#include "modelwindow.h"
#include "simulation.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// What the model window holds, under the plain name of a field, so a test reads
// `window.timerEnabled` as it would a variable...
template <typename T>
class Reading {
public:
    explicit Reading(std::function<T()> read)
        : read_(std::move(read))
    {
    }
    operator T() const { return read_(); }

private:
    std::function<T()> read_;
};

// ...and writes `window.pressed = true` through the window's own setter.
template <typename T>
class Setting : public Reading<T> {
public:
    Setting(std::function<T()> read, std::function<void(T)> write)
        : Reading<T>(std::move(read))
        , write_(std::move(write))
    {
    }
    Setting& operator=(T value)
    {
        write_(std::move(value));
        return *this;
    }

private:
    std::function<void(T)> write_;
};

// The model window the page runs on, with what the simulation's tests read and set by hand: the
// toggle's state, the timer, the quit request, the decimal separator and the messages' texts.
class FakeWindow : public core::ModelWindow {
public:
    FakeWindow();
    FakeWindow(const FakeWindow&) = delete;
    FakeWindow& operator=(const FakeWindow&) = delete;

    Setting<bool> pressed;
    Setting<bool> timerEnabled;
    Setting<std::uint32_t> timerInterval;
    Reading<bool> quitRequested;
    Setting<std::string> separator;
    std::vector<std::string> messages;
    std::function<void()> onMessage; // runs while the message is "open"
};

// A simulation on a fake window, already through the start-up reset.
struct Rig {
    FakeWindow window;
    sim::Simulation sim{window};

    Rig() { sim.btnSaishikoClick(); }
    const sim::State& s() const { return sim.state(); }

    // Selects the three lists as a learner would: initial amount, time step, water per step.
    void choose(int initial, int jikan, int suiryo);
    // Ticks while the timer is on, at most `limit` times; returns the ticks run.
    int tick(int limit);
    // Runs the stream phase to its end; returns how many ticks it took.
    int fallStream();
    // The learner's choices, "水を入れる", and the stream's fall: the next tick raises the water.
    void startRun(int initial, int jikan, int suiryo);
    std::string shown(sim::Item item) const { return window.caption(item); }
};
