#pragma once

#include "tickclock.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>

#include <cstdint>
#include <functional>

// The window's periodic timer. Setting the enabled flag or the interval to the value it already
// has changes nothing (the count is not restarted); any other change starts a full interval.
// An enabled timer with interval 0 stays enabled but does not tick.
//
// Ticks go by the clock: each prompt of the platform timer delivers every tick due since the
// count started (see TickClock), one after another, and then reports the batch as done, so the
// window repaints once for all of them. A tick that stops the timer or changes its interval
// ends the batch. In manual mode no platform timer runs; deliverTick() stands in for one.
class PeriodicTimer : public QObject {
public:
    explicit PeriodicTimer(std::function<void()> onTick, std::function<void()> onBatchDone = {},
                           QObject* parent = nullptr);

    bool isEnabled() const { return enabled_; }
    std::uint32_t interval() const { return interval_; }
    void setEnabled(bool enabled);
    void setInterval(std::uint32_t milliseconds);

    // Enabled with a non-zero interval.
    bool isTicking() const { return enabled_ && interval_ != 0; }
    // A platform timer is prompting.
    bool isRunning() const { return timer_.isActive(); }

    void setManual(bool manual);
    // Runs one tick if the timer is ticking; returns whether it did.
    bool deliverTick();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void restart();
    std::int64_t nowMicroseconds() const { return clock_.nsecsElapsed() / 1000; }

    std::function<void()> onTick_;
    std::function<void()> onBatchDone_;
    QBasicTimer timer_;
    QElapsedTimer clock_;
    core::TickClock ticks_;
    std::uint64_t restarts_ = 0;
    bool enabled_ = false;
    std::uint32_t interval_ = 1000;
    bool manual_ = false;
};
