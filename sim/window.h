#pragma once

#include "colours.h"
#include "items.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sim {

// Left, top, width, height in client pixels of the main window.
struct Bounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend constexpr bool operator==(const Bounds&, const Bounds&) = default;
};

// The items of the main window as the simulation sees them. The simulation keeps part of its
// state in the bounds of the moving shapes and reads it back from here, so an implementation must
// return exactly what was last set. Setting a value to what it already is must change nothing.
class Scene {
public:
    virtual ~Scene() = default;

    virtual Bounds bounds(Item item) const = 0;
    virtual void setBounds(Item item, const Bounds& bounds) = 0;

    // Captions are UTF-8.
    virtual std::string caption(Item item) const = 0;
    virtual void setCaption(Item item, std::string_view text) = 0;
    virtual Colour fontColour(Item item) const = 0;
    virtual void setFontColour(Item item, Colour colour) = 0;
    virtual bool isVisible(Item item) const = 0;
    virtual void setVisible(Item item, bool visible) = 0;

    // Selection lists: the selected row from 0, or -1 for none.
    virtual int selectedIndex(Item list) const = 0;
    virtual void setSelectedIndex(Item list, int index) = 0;

    // Whether the toggle button is down. Only the user flips it (the program carries the flip
    // out before the toggle's handler runs); the simulation only reads it.
    virtual bool isPressed(Item toggle) const = 0;
    virtual void setPressed(Item toggle, bool pressed) = 0;
};

// What the simulation needs from the main window: its items, and the services of the window
// system around them.
class Window : public Scene {
public:
    // The periodic timer that calls Simulation::Timer1Timer.
    virtual void setTimerEnabled(bool enabled) = 0;
    virtual void setTimerInterval(std::uint32_t milliseconds) = 0;

    // Shows text in a modal box and returns once the user has dismissed it.
    virtual void showMessage(std::string_view text) = 0;

    // Asks the application to end once the running handler has returned.
    virtual void requestQuit() = 0;

    // The locale's decimal separator (UTF-8).
    virtual std::string decimalSeparator() const = 0;
};

} // namespace sim
