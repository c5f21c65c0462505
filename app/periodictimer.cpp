#include "periodictimer.h"

#include <QTimerEvent>

#include <limits>

PeriodicTimer::PeriodicTimer(std::function<void()> onTick, std::function<void()> onBatchDone, QObject* parent)
    : QObject(parent)
    , onTick_(std::move(onTick))
    , onBatchDone_(std::move(onBatchDone))
{
    clock_.start();
}

void PeriodicTimer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void PeriodicTimer::setInterval(std::uint32_t milliseconds)
{
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    restart();
}

void PeriodicTimer::setManual(bool manual)
{
    manual_ = manual;
    restart();
}

bool PeriodicTimer::deliverTick()
{
    if (!isTicking())
        return false;
    onTick_();
    if (onBatchDone_)
        onBatchDone_();
    return true;
}

void PeriodicTimer::restart()
{
    ++restarts_;
    timer_.stop();
    ticks_.restart(nowMicroseconds());
    // Qt's timers take an int; an interval beyond it would wrap, so such a timer never ticks.
    constexpr auto kLongest = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
    if (isTicking() && !manual_ && interval_ <= kLongest)
        timer_.start(static_cast<int>(interval_), Qt::PreciseTimer, this);
}

void PeriodicTimer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    const int due = ticks_.take(nowMicroseconds(), interval_);
    const std::uint64_t restarts = restarts_;
    int ran = 0;
    for (; ran < due && restarts == restarts_; ++ran)
        onTick_();
    if (ran > 0 && onBatchDone_)
        onBatchDone_();
}
