#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// What a front end shows again after a change of the scene.
enum class Change {
    ToggleFlipped, // at once, before the toggle's handler goes on: the graph follows the click
    Handler,       // a button's handler or a selection has run
    Ticks,         // a batch of ticks has run
    Message,       // the full-tank message is about to open over the window
};

// What the program asks of the front end it runs in: the desktop's window system, the browser,
// or nothing at all under node and in tests. Everything about the lesson itself is decided by the
// program; a platform only carries it out.
class Platform {
public:
    virtual ~Platform() = default;

    // A monotonic clock in microseconds.
    virtual std::int64_t nowMicroseconds() const = 0;
    // The decimal separator of the user's language (UTF-8).
    virtual std::string decimalSeparator() const = 0;
    // The timer started or stopped ticking, or ticks at a new interval: a front end starts or
    // stops what prompts the program (a platform timer, the animation frames).
    virtual void timerSwitched(bool ticking, std::uint32_t intervalMilliseconds) = 0;
    // Shows the text in a modal box over the window and returns once it is dismissed.
    virtual void showMessage(std::string_view text) = 0;
    // Ends the program once the running handler has returned.
    virtual void quit() = 0;
    // Tells screen readers, politely, without moving the focus.
    virtual void announce(std::string_view text) = 0;
    // The same records as tab-separated text and as an HTML table.
    virtual void putOnClipboard(std::string_view text, std::string_view html) = 0;
    // The scene has changed and should be shown.
    virtual void show(Change change) = 0;
};

} // namespace core
