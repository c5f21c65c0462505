#pragma once

#include "window.h"

#include <array>
#include <functional>
#include <string>

namespace core {

// The main window without a toolkit: it keeps what the simulation sets, starting from the layout
// table, and gives it back. The browser page draws and describes itself from it, and the replay
// tool runs on it under node; what a front end must do when something changes reaches it
// through the hooks.
class ModelWindow : public sim::Window {
public:
    ModelWindow();

    sim::Bounds bounds(sim::Item item) const override { return items_[index(item)].bounds; }
    void setBounds(sim::Item item, const sim::Bounds& bounds) override;
    std::string caption(sim::Item item) const override { return items_[index(item)].caption; }
    void setCaption(sim::Item item, std::string_view text) override;
    sim::Colour fontColour(sim::Item item) const override { return items_[index(item)].fontColour; }
    void setFontColour(sim::Item item, sim::Colour colour) override;
    bool isVisible(sim::Item item) const override { return items_[index(item)].visible; }
    void setVisible(sim::Item item, bool visible) override;
    int selectedIndex(sim::Item list) const override { return items_[index(list)].selected; }
    void setSelectedIndex(sim::Item list, int row) override;
    bool isPressed(sim::Item toggle) const override { return items_[index(toggle)].pressed; }
    void setTimerEnabled(bool enabled) override;
    void setTimerInterval(std::uint32_t milliseconds) override;
    void showMessage(std::string_view text) override;
    void requestQuit() override { quitRequested_ = true; }
    std::string decimalSeparator() const override { return decimalSeparator_; }

    // The user flips the toggle button.
    void setPressed(sim::Item toggle, bool pressed) override;
    void setDecimalSeparator(std::string separator) { decimalSeparator_ = std::move(separator); }

    bool timerEnabled() const { return timerEnabled_; }
    std::uint32_t timerInterval() const { return timerInterval_; }
    // Enabled with an interval: a stalled timer (interval 0) counts as enabled but never ticks.
    bool isTicking() const { return timerEnabled_ && timerInterval_ != 0; }
    int messagesShown() const { return messagesShown_; }
    bool quitRequested() const { return quitRequested_; }

    // Something an item shows has changed.
    std::function<void(sim::Item)> onItemChanged;
    // The timer was switched or given a new interval: a real timer starts its count again.
    std::function<void()> onTimerChanged;
    // Shows the message and returns once it is dismissed; without it a message is only counted.
    std::function<void(std::string_view)> onMessage;

private:
    struct ItemState {
        sim::Bounds bounds;
        std::string caption;
        sim::Colour fontColour;
        bool visible = true;
        bool pressed = false;
        int selected = -1;
    };
    static std::size_t index(sim::Item item) { return static_cast<std::size_t>(sim::indexOf(item)); }
    template <typename T>
    void change(sim::Item item, T ItemState::*field, const T& value);
    template <typename T>
    void changeTimer(T& field, T value);

    std::array<ItemState, sim::kItemCount> items_{};
    bool timerEnabled_ = false;
    std::uint32_t timerInterval_ = 1000;
    int messagesShown_ = 0;
    bool quitRequested_ = false;
    std::string decimalSeparator_ = ".";
};

} // namespace core
