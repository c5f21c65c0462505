#pragma once

#include <QBasicTimer>
#include <QObject>

#include <cstdint>
#include <functional>

// The window system's side of the program's timer: it prompts the program at the timer's
// interval while the timer ticks. A prompt only wakes the program, which works out by its clock
// which ticks are due, so a late or skipped prompt (a busy X server) loses no time. In manual
// mode nothing prompts: replays and tests tick by hand.
class PeriodicTimer : public QObject {
public:
    explicit PeriodicTimer(std::function<void()> onPrompt, QObject* parent = nullptr);

    // Prompts every `intervalMilliseconds` from now on while `ticking`, none otherwise.
    void follow(bool ticking, std::uint32_t intervalMilliseconds);
    void setManual(bool manual);
    // A platform timer is prompting.
    bool isRunning() const { return timer_.isActive(); }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void restart();

    std::function<void()> onPrompt_;
    QBasicTimer timer_;
    bool ticking_ = false;
    std::uint32_t interval_ = 0;
    bool manual_ = false;
};
