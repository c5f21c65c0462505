#pragma once

#include "modelwindow.h"
#include "replayscript.h"
#include "simulation.h"
#include "tickclock.h"

#include <cstdint>
#include <functional>

namespace core {

// The whole program on the model window, for a front end that draws it itself (the browser page)
// or for none (the replay tool under node): the simulation, its window, its timer by the clock,
// and the presses of the buttons as their bindings say.
class Lesson : public ReplayTarget {
public:
    // `now` reads a monotonic clock in microseconds; it is read whenever the timer changes and
    // whenever the front end asks for due ticks.
    explicit Lesson(std::function<std::int64_t()> now);

    ModelWindow& window() { return window_; }
    const ModelWindow& window() const { return window_; }
    const sim::State& state() const { return simulation_.state(); }

    // The window's first activation: the reset, once.
    void activate();
    // A press of a shown button: its handler, a toggle flipped first.
    void press(sim::Item button);
    // The user picks a row of a list.
    void choose(sim::Item list, int row) { window_.setSelectedIndex(list, row); }
    // Runs every tick due by the clock (none while the timer is held); returns how many ran.
    // A full tank ends the batch: the timer is off by then.
    int runDueTicks();
    // Ticks come only from tick() while held (a replay drives the page).
    void holdClock(bool held);

    // Called after a toggle has flipped and before its handler runs, so the graph can show the
    // new state first.
    std::function<void()> onToggleFlipped;
    // Shows the full-tank message and returns once it is dismissed.
    std::function<void(std::string_view)> onMessage;

    // ReplayTarget
    bool isShown(sim::Item item) const override { return window_.isVisible(item); }
    void click(sim::Item button) override { press(button); }
    void select(sim::Item list, int row) override { choose(list, row); }
    bool tick() override;
    std::string dump() override;
    bool render(const std::string& file, std::string& problem) override;
    bool quitRequested() const override { return window_.quitRequested(); }

private:
    void restartClock();
    void settle();

    std::function<std::int64_t()> now_;
    ModelWindow window_;
    sim::Simulation simulation_{window_};
    TickClock clock_;
    std::uint64_t timerChanges_ = 0;
    bool activated_ = false;
    bool held_ = false;
};

} // namespace core
