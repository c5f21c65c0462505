#pragma once

#include "platform.h"

// A platform with nothing to show and a clock that stands still: a replay's ticks come only from
// the script.
struct QuietPlatform : core::Platform {
    std::int64_t nowMicroseconds() const override { return 0; }
    std::string decimalSeparator() const override { return "."; }
    void timerSwitched(bool, std::uint32_t) override { }
    void showMessage(std::string_view) override { }
    void quit() override { }
    void announce(std::string_view) override { }
    void putOnClipboard(std::string_view, std::string_view) override { }
    void show(core::Change) override { }
};
