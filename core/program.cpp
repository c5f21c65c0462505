#include "program.h"

#include "bindings.h"
#include "layout.h"
#include "moments.h"
#include "recordcopy.h"
#include "statedump.h"

#include <utility>

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
    const Moment before = moment();
    simulation_.btnSaishikoClick();
    settle(Change::Handler, before, Cause::Press);
}

void Program::press(sim::Item button)
{
    const ButtonBinding* binding = bindingOf(button);
    if (binding == nullptr || !scene_.isVisible(button))
        return;
    const Moment before = moment();
    if (binding->press == Press::Toggle) {
        scene_.setPressed(button, !scene_.isPressed(button));
        platform_.show(Change::ToggleFlipped);
    }
    (simulation_.*binding->handler)();
    settle(Change::Handler, before, button == sim::Item::btnSaishiko ? Cause::Reset : Cause::Press);
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
    const Moment before = moment();
    const std::uint64_t changes = timerChanges_;
    int ran = 0;
    // A tick that stops the timer or changes its interval ends the batch: what was due at the
    // old setting is due no more, and the count starts anew from that tick.
    while (ran < due && changes == timerChanges_) {
        runTick();
        ++ran;
    }
    if (ran > 0)
        settle(Change::Ticks, before, Cause::Ticks);
    return ran;
}

bool Program::tick()
{
    if (!isTicking())
        return false;
    const Moment before = moment();
    runTick();
    settle(Change::Ticks, before, Cause::Ticks);
    return true;
}

void Program::runTick()
{
    runMilliseconds_ += timerInterval_;
    simulation_.Timer1Timer();
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
    say({{"記録をコピーしました"}});
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

Moment Program::moment() const
{
    return momentOf(state(), scene_, timerEnabled_);
}

void Program::settle(Change change, const Moment& before, Cause cause)
{
    simulation_.KirokuHyoji();
    platform_.show(change);
    say(momentsBetween(before, moment(), state(), scene_, cause));
}

// Says what happened as one polite announcement. Records taken automatically come up to a few
// times a second at a fast rate: they wait until a second has passed since the last
// announcement, and then go out together, or with the next thing that is said at once.
void Program::say(const std::vector<Said>& said)
{
    // Most batches of ticks tell nothing: they need not read the clock.
    if (said.empty() && waiting_.empty())
        return;
    std::string now;
    for (const Said& s : said)
        (s.mayWait ? waiting_ : now) += s.text;
    const std::int64_t at = platform_.nowMicroseconds();
    const bool waitedEnough = at - lastSaid_ >= kAnnouncementGapMicroseconds;
    if (now.empty() && (waiting_.empty() || !waitedEnough))
        return;
    platform_.announce(std::exchange(waiting_, {}) + now);
    lastSaid_ = at;
}

} // namespace core
