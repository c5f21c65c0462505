#include "lesson.h"

#include "bindings.h"
#include "statedump.h"

namespace core {

Lesson::Lesson(std::function<std::int64_t()> now)
    : now_(std::move(now))
{
    window_.onTimerChanged = [this] { restartClock(); };
    window_.onMessage = [this](std::string_view text) {
        // The box is drawn over a window that shows the state which led to it.
        simulation_.KirokuHyoji();
        if (onMessage)
            onMessage(text);
    };
}

// What every handler's change brings onto the table at once, as the desktop's repaint does.
void Lesson::settle()
{
    simulation_.KirokuHyoji();
}

void Lesson::restartClock()
{
    ++timerChanges_;
    clock_.restart(now_());
}

void Lesson::activate()
{
    if (activated_)
        return;
    activated_ = true;
    simulation_.btnSaishikoClick();
    settle();
}

void Lesson::press(sim::Item button)
{
    const ButtonBinding* binding = bindingOf(button);
    if (binding == nullptr || !window_.isVisible(button))
        return;
    if (binding->press == Press::Toggle) {
        window_.setPressed(button, !window_.isPressed(button));
        if (onToggleFlipped)
            onToggleFlipped();
    }
    (simulation_.*binding->handler)();
    settle();
}

int Lesson::runDueTicks()
{
    if (held_ || !window_.isTicking())
        return 0;
    const int due = clock_.take(now_(), window_.timerInterval());
    const std::uint64_t changes = timerChanges_;
    int ran = 0;
    // A tick that stops the timer or changes its interval ends the batch: the count starts anew.
    while (ran < due && changes == timerChanges_) {
        simulation_.Timer1Timer();
        ++ran;
    }
    settle();
    return ran;
}

void Lesson::holdClock(bool held)
{
    held_ = held;
    if (!held_)
        restartClock();
}

bool Lesson::tick()
{
    if (!window_.isTicking())
        return false;
    simulation_.Timer1Timer();
    settle();
    return true;
}

std::string Lesson::dump()
{
    return dumpState(simulation_.state(), window_, {window_.timerEnabled(), window_.timerInterval()},
                     window_.messagesShown());
}

bool Lesson::render(const std::string&, std::string& problem)
{
    problem = "render is not available here";
    return false;
}

} // namespace core
