#include "program.h"

#include "bindings.h"
#include "layout.h"
#include "recordcopy.h"
#include "statedump.h"

namespace core {

Program::Program(sim::Scene& scene, Platform& platform)
    : scene_(scene)
    , platform_(platform)
{
}

void Program::activate()
{
    if (started_)
        return;
    started_ = true;
    const bool wasEnabled = timerEnabled_;
    simulation_.btnSaishikoClick();
    settle(Change::Handler, wasEnabled);
}

void Program::press(sim::Item button)
{
    const ButtonBinding* binding = bindingOf(button);
    if (binding == nullptr || !scene_.isVisible(button))
        return;
    const bool wasEnabled = timerEnabled_;
    if (binding->press == Press::Toggle) {
        scene_.setPressed(button, !scene_.isPressed(button));
        platform_.show(Change::ToggleFlipped);
    }
    (simulation_.*binding->handler)();
    settle(Change::Handler, wasEnabled);
}

void Program::choose(sim::Item list, int row)
{
    scene_.setSelectedIndex(list, row);
    platform_.show(Change::Handler);
}

int Program::prompt()
{
    if (held_ || !isTicking())
        return 0;
    const int due = clock_.take(platform_.nowMicroseconds(), timerInterval_);
    const std::uint64_t changes = timerChanges_;
    int ran = 0;
    // A tick that stops the timer or changes its interval ends the batch: what was due at the
    // old setting is due no more, and the count starts anew from that tick.
    while (ran < due && changes == timerChanges_) {
        simulation_.Timer1Timer();
        ++ran;
    }
    if (ran > 0)
        settle(Change::Ticks, true);
    return ran;
}

bool Program::tick()
{
    if (!isTicking())
        return false;
    simulation_.Timer1Timer();
    settle(Change::Ticks, true);
    return true;
}

void Program::hold(bool held)
{
    held_ = held;
    if (!held_)
        clock_.restart(platform_.nowMicroseconds());
}

void Program::copyRecords()
{
    const RecordsCopy copy = copyOfRecords(scene_);
    platform_.putOnClipboard(copy.text, copy.html);
    platform_.announce("記録をコピーしました");
}

bool Program::isSwitchOn(sim::Item item) const
{
    const ItemLayout& entry = layoutOf(item);
    return entry.switchFlag != nullptr ? state().*entry.switchFlag : scene_.isPressed(item);
}

std::string Program::dump() const
{
    return dumpState(state(), scene_, {timerEnabled_, timerInterval_}, messagesShown_);
}

// As a real timer: setting what it has changes nothing and does not restart its count.
void Program::setTimer(bool enabled, std::uint32_t interval)
{
    if (enabled == timerEnabled_ && interval == timerInterval_)
        return;
    timerEnabled_ = enabled;
    timerInterval_ = interval;
    ++timerChanges_;
    clock_.restart(platform_.nowMicroseconds());
    platform_.timerSwitched(isTicking(), timerInterval_);
}

void Program::showMessage(std::string_view text)
{
    ++messagesShown_;
    // The box opens over a window that shows the state which led to it.
    simulation_.KirokuHyoji();
    platform_.show(Change::Message);
    platform_.showMessage(text);
}

void Program::requestQuit()
{
    quitRequested_ = true;
    platform_.quit();
}

void Program::settle(Change change, bool wasEnabled)
{
    simulation_.KirokuHyoji();
    platform_.show(change);
    // A run that stopped (not one that a reset ended) is told with where it stopped.
    if (wasEnabled && !timerEnabled_ && state().TomeFlg) {
        platform_.announce("水が止まりました。経過時間 " + scene_.caption(sim::Item::stxKJHyoji) + "、水の容量 "
                           + scene_.caption(sim::Item::stxKSHyoji) + "。");
    }
}

} // namespace core
