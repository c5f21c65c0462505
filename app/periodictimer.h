#pragma once

#include <QBasicTimer>
#include <QObject>

#include <cstdint>
#include <functional>

// The window's periodic timer. Setting the enabled flag or the interval to the value it already
// has changes nothing (the countdown is not restarted); any other change starts a full interval.
// An enabled timer with interval 0 stays enabled but does not tick. Ticks come from a precise
// platform timer and never pile up: a tick that falls due while a handler runs comes after it.
//
// In manual mode no platform timer runs; deliverTick() stands in for one (the replay tool).
class PeriodicTimer : public QObject {
public:
    explicit PeriodicTimer(std::function<void()> onTick, QObject* parent = nullptr);

    bool isEnabled() const { return enabled_; }
    std::uint32_t interval() const { return interval_; }
    void setEnabled(bool enabled);
    void setInterval(std::uint32_t milliseconds);

    // Enabled with a non-zero interval.
    bool isTicking() const { return enabled_ && interval_ != 0; }
    // A platform timer is counting down.
    bool isRunning() const { return timer_.isActive(); }

    void setManual(bool manual);
    // Runs one tick if the timer is ticking; returns whether it did.
    bool deliverTick();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void restart();

    std::function<void()> onTick_;
    QBasicTimer timer_;
    bool enabled_ = false;
    std::uint32_t interval_ = 1000;
    bool manual_ = false;
};
