#pragma once

#include "items.h"
#include "state.h"
#include "window.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class MainWindow;

namespace storm {

// What just happened to the window.
enum class Cause { Tick, Click, Selection };

// Follows one window event by event. After each event it runs checkInvariants() and adds the
// rules that need the state before the event: a tick is either a stream tick or a rising tick and
// moves exactly what that tick moves (the time shown and the time bar follow the rate, the bar
// overshoots its frame by at most one tick, a full tank shows one message and stops the run); a
// start resumes or starts afresh from the lists; a record stores the shown texts; records are
// never changed; nothing else moves the time.
class InvariantWatch {
public:
    explicit InvariantWatch(const MainWindow& window);

    // item: the clicked button or the selected list.
    std::vector<std::string> afterEvent(Cause cause, sim::Item item = sim::Item::Timer1);

private:
    struct Snapshot {
        sim::State state;
        bool timerEnabled = false;
        std::uint32_t interval = 0;
        sim::Bounds water, level, time, stream;
        std::string timeShown, volumeShown;
        std::array<int, 3> selected{};
        int messages = 0;
        bool quit = false;
        bool pressed = false;
    };
    Snapshot take() const;

    const MainWindow& window_;
    Snapshot before_;
};

} // namespace storm
