#include "periodictimer.h"

#include <QTimerEvent>

#include <limits>

PeriodicTimer::PeriodicTimer(std::function<void()> onPrompt, QObject* parent)
    : QObject(parent)
    , onPrompt_(std::move(onPrompt))
{
}

void PeriodicTimer::follow(bool ticking, std::uint32_t intervalMilliseconds)
{
    ticking_ = ticking;
    interval_ = intervalMilliseconds;
    restart();
}

void PeriodicTimer::setManual(bool manual)
{
    manual_ = manual;
    restart();
}

void PeriodicTimer::restart()
{
    timer_.stop();
    // Qt's timers take an int; an interval beyond it would wrap, so such a timer never prompts.
    constexpr auto kLongest = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
    if (ticking_ && !manual_ && interval_ != 0 && interval_ <= kLongest)
        timer_.start(static_cast<int>(interval_), Qt::PreciseTimer, this);
}

void PeriodicTimer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer_.timerId())
        onPrompt_();
    else
        QObject::timerEvent(event);
}
