#pragma once

#include "moments.h"
#include "platform.h"
#include "simulation.h"
#include "tickclock.h"

#include <cstdint>
#include <string>
#include <vector>

namespace core {

// The program around the simulation, once for every front end: it runs the handlers as the
// event loop would, keeps the timer by the clock, and asks its platform for the rest. A front
// end forwards clicks, selections and timer prompts here and carries out what the platform
// interface asks; the rules between those moments live here:
//   - a toggle flips before its handler runs, and the window shows the flip first;
//   - the record table is written after every handler and every batch of ticks, and before the
//     full-tank message, so the table always shows the records;
//   - a prompt runs every tick due by the clock, and a tick that switches the timer or changes
//     its interval ends the batch (the rest of it is not due any more);
//   - a held clock (a hidden browser tab) delivers no ticks, and its count starts afresh when
//     it is released, so nothing happens unseen;
//   - the lesson's moments are told to screen readers, politely and at most about once a
//     second (core/moments.h says which, and in what words).
class Program {
public:
    // `scene` is the front end's window items; both must outlive the program.
    Program(sim::Scene& scene, Platform& platform);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const sim::State& state() const { return simulation_.state(); }
    const sim::Scene& scene() const { return scene_; }
    // The window as the simulation moves it: the scene and the program's timer, message and quit.
    // Tests plant faults through it.
    sim::Window& simulationWindow() { return window_; }

    // The window's first activation runs the reset; later ones do nothing.
    void activate();
    bool hasStarted() const { return started_; }
    // A press of a shown button: its handler, a toggle flipped first.
    void press(sim::Item button);
    // The user picks a row of a list.
    void choose(sim::Item list, int row);
    // A prompt of the platform's timer or an animation frame: runs every tick due by the clock
    // (none while held); returns how many ran.
    int prompt();
    // One tick now, if the timer ticks (a replay's "tick"); whether one ran.
    bool tick();
    // While held, prompts deliver nothing; released, the count starts afresh.
    void hold(bool held);
    // Puts the record table on the clipboard, as text and as an HTML table, and says so.
    void copyRecords();

    // Whether a switch (an item whose role is Switch) is on: its flag, or the toggle's state.
    bool isSwitchOn(sim::Item item) const;

    bool timerEnabled() const { return timerEnabled_; }
    std::uint32_t timerInterval() const { return timerInterval_; }
    // Enabled with an interval: a timer of interval 0 counts as enabled but never ticks.
    bool isTicking() const { return timerEnabled_ && timerInterval_ != 0; }
    // How long the water has run, by the timer: each tick counts the interval it was due at. A
    // pace kept by this clock is the same on every machine and in a replay, which runs its ticks
    // at once.
    std::int64_t runMilliseconds() const { return runMilliseconds_; }
    int messagesShown() const { return messagesShown_; }
    bool quitRequested() const { return quitRequested_; }
    std::string decimalSeparator() const { return platform_.decimalSeparator(); }
    // The state as one line of JSON, as a replay's "dump" prints it.
    std::string dump() const;

private:
    // The simulation's window: the front end's items, with the services of the window system
    // handled by the program.
    class Window : public sim::Window {
    public:
        explicit Window(Program& program)
            : p_(program)
        {
        }
        sim::Bounds bounds(sim::Item item) const override { return p_.scene_.bounds(item); }
        void setBounds(sim::Item item, const sim::Bounds& b) override { p_.scene_.setBounds(item, b); }
        std::string caption(sim::Item item) const override { return p_.scene_.caption(item); }
        void setCaption(sim::Item item, std::string_view text) override { p_.scene_.setCaption(item, text); }
        sim::Colour fontColour(sim::Item item) const override { return p_.scene_.fontColour(item); }
        void setFontColour(sim::Item item, sim::Colour c) override { p_.scene_.setFontColour(item, c); }
        bool isVisible(sim::Item item) const override { return p_.scene_.isVisible(item); }
        void setVisible(sim::Item item, bool visible) override { p_.scene_.setVisible(item, visible); }
        int selectedIndex(sim::Item list) const override { return p_.scene_.selectedIndex(list); }
        void setSelectedIndex(sim::Item list, int row) override { p_.scene_.setSelectedIndex(list, row); }
        bool isPressed(sim::Item toggle) const override { return p_.scene_.isPressed(toggle); }
        void setPressed(sim::Item toggle, bool pressed) override { p_.scene_.setPressed(toggle, pressed); }
        void setTimerEnabled(bool enabled) override { p_.setTimer(enabled, p_.timerInterval_); }
        void setTimerInterval(std::uint32_t milliseconds) override { p_.setTimer(p_.timerEnabled_, milliseconds); }
        void showMessage(std::string_view text) override { p_.showMessage(text); }
        void requestQuit() override { p_.requestQuit(); }
        std::string decimalSeparator() const override { return p_.platform_.decimalSeparator(); }

    private:
        Program& p_;
    };

    // Past this gap a record taken during a run is said at once; within it, it waits.
    static constexpr std::int64_t kAnnouncementGapMicroseconds = 1'000'000;

    void setTimer(bool enabled, std::uint32_t interval);
    void runTick();
    void showMessage(std::string_view text);
    void requestQuit();
    Moment moment() const;
    // What every handler and batch of ticks ends with: the table, the change shown, what happened
    // told.
    void settle(Change change, const Moment& before, Cause cause);
    void say(const std::vector<Said>& said);

    sim::Scene& scene_;
    Platform& platform_;
    Window window_{*this};
    sim::Simulation simulation_{window_};
    TickClock clock_;
    std::uint64_t timerChanges_ = 0;
    std::int64_t runMilliseconds_ = 0;
    bool timerEnabled_ = false;
    std::uint32_t timerInterval_ = 1000;
    int messagesShown_ = 0;
    bool quitRequested_ = false;
    bool started_ = false;
    bool held_ = false;
    std::string waiting_;                                   // records not yet told
    std::int64_t lastSaid_ = -kAnnouncementGapMicroseconds; // when the last announcement went out
};

} // namespace core
