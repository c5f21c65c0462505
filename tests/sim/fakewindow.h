#pragma once

#include "simulation.h"
#include "window.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// A window without a display: it keeps what the simulation sets and gives it back, starting from
// the layout table as the real window does.
class FakeWindow : public sim::Window {
public:
    FakeWindow();

    sim::Bounds bounds(sim::Item item) const override { return bounds_[index(item)]; }
    void setBounds(sim::Item item, const sim::Bounds& b) override { bounds_[index(item)] = b; }
    std::string caption(sim::Item item) const override { return captions_[index(item)]; }
    void setCaption(sim::Item item, std::string_view text) override { captions_[index(item)] = text; }
    sim::Colour fontColour(sim::Item item) const override { return colours_[index(item)]; }
    void setFontColour(sim::Item item, sim::Colour c) override { colours_[index(item)] = c; }
    bool isVisible(sim::Item item) const override { return visible_[index(item)]; }
    void setVisible(sim::Item item, bool visible) override { visible_[index(item)] = visible; }
    int selectedIndex(sim::Item list) const override { return selected_[index(list)]; }
    void setSelectedIndex(sim::Item list, int row) override { selected_[index(list)] = row; }
    bool isPressed(sim::Item) const override { return pressed; }
    void setPressed(sim::Item, bool down) override { pressed = down; }
    void setTimerEnabled(bool enabled) override { timerEnabled = enabled; }
    void setTimerInterval(std::uint32_t ms) override { timerInterval = ms; }
    void showMessage(std::string_view text) override;
    void requestQuit() override { quitRequested = true; }
    std::string decimalSeparator() const override { return separator; }

    bool pressed = false;
    bool timerEnabled = false;
    std::uint32_t timerInterval = 1000;
    bool quitRequested = false;
    std::string separator = ".";
    std::vector<std::string> messages;
    std::function<void()> onMessage; // runs while the message is "open"

private:
    static std::size_t index(sim::Item item) { return static_cast<std::size_t>(sim::indexOf(item)); }

    std::array<sim::Bounds, sim::kItemCount> bounds_{};
    std::array<std::string, sim::kItemCount> captions_{};
    std::array<sim::Colour, sim::kItemCount> colours_{};
    std::array<bool, sim::kItemCount> visible_{};
    std::array<int, sim::kItemCount> selected_{};
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
