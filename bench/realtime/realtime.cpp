// bench-realtime: how long one unit of time really takes on the program's window with its own
// timer, for every choice of the two rate lists.
//
//   bench-realtime [--seconds S] [J:S ...]
// measures at least S seconds (default 2) of rising ticks per choice; J:S picks choices
// (Jikan:Suiryo), all 25 when none is given.

#include "benchwindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    double seconds = 2.0;
    std::vector<bench::Choice> choices;
};

bool parseOptions(const QStringList& arguments, Options& options)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        bool ok = false;
        if (word == QLatin1String("--seconds") && i + 1 < arguments.size()) {
            options.seconds = arguments[++i].toDouble(&ok);
            if (!ok || options.seconds <= 0)
                return false;
            continue;
        }
        const QStringList parts = word.split(QLatin1Char(':'));
        bool okSuiryo = false;
        const bench::Choice choice{parts.value(0).toInt(&ok), parts.value(1).toInt(&okSuiryo)};
        if (parts.size() != 2 || !ok || !okSuiryo || choice.jikan < 1 || choice.jikan > 5 || choice.suiryo < 1
            || choice.suiryo > 5)
            return false;
        options.choices.push_back(choice);
    }
    if (options.choices.empty()) {
        for (int jikan = 1; jikan <= 5; ++jikan)
            for (int suiryo = 1; suiryo <= 5; ++suiryo)
                options.choices.push_back({jikan, suiryo});
    }
    return true;
}

// Rising ticks seen and the real time between the first and the last of them, summed over runs.
struct Span {
    double milliseconds = 0;
    double ticks = 0;
    int late = 0; // gaps between two rising ticks longer than 1.5 intervals
};

// Runs the event loop as the program's own loop would, starting afresh whenever the tank fills,
// until the rising ticks cover the wanted time. A rising tick is told by KeikaTick going up.
Span measure(MainWindow& window, bench::Choice choice, double seconds)
{
    Span total;
    bench::startAfresh(window, choice);
    float firstTick = 0;
    float lastTick = 0;
    Clock::time_point firstTime;
    Clock::time_point lastTime;
    const auto spanOfRun = [&] {
        return Span{std::chrono::duration<double, std::milli>(lastTime - firstTime).count(),
                    static_cast<double>(lastTick - firstTick)};
    };
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const Clock::time_point now = Clock::now();
        const float tick = window.state().KeikaTick;
        if (tick != lastTick) {
            if (lastTick == 0) {
                firstTick = tick;
                firstTime = now;
            } else if (std::chrono::duration<double, std::milli>(now - lastTime).count() > 1.5 * choice.interval()) {
                ++total.late;
            }
            lastTick = tick;
            lastTime = now;
        }
        const Span run = spanOfRun();
        if (total.milliseconds + run.milliseconds >= seconds * 1000.0 || bench::runEnded(window)) {
            total.milliseconds += run.milliseconds;
            total.ticks += run.ticks;
            if (total.milliseconds >= seconds * 1000.0)
                break;
            bench::startAfresh(window, choice);
            firstTick = lastTick = 0;
            firstTime = lastTime = Clock::time_point{};
        }
    }
    bench::click(window, sim::Item::btnMizuTome);
    return total;
}

// The same clock on a bare precise Qt timer that does no work: what the platform's timer gives by
// itself, to tell its own error from the one the window's work adds.
double bareTimerMsPerTick(int interval, double seconds)
{
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(interval);
    int ticks = 0;
    Clock::time_point first;
    Clock::time_point last;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        last = Clock::now();
        if (ticks++ == 0)
            first = last;
    });
    timer.start();
    const auto elapsed = [&] { return std::chrono::duration<double, std::milli>(last - first).count(); };
    while (elapsed() < seconds * 1000.0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return elapsed() / (ticks - 1);
}

} // namespace

int main(int argc, char* argv[])
{
    bench::Program program = bench::openProgram(argc, argv);
    Options options;
    if (!parseOptions(QCoreApplication::arguments(), options)) {
        std::fprintf(stderr, "usage: bench-realtime [--seconds S] [JIKAN:SUIRYO ...]\n");
        return 2;
    }

    std::printf("Real time per unit of time, real timer, at least %.1f s of rising ticks per choice\n\n",
                options.seconds);
    std::printf("Jikan Suiryo  interval ms  ticks  late  ms/tick  s/unit measured  s/unit intended  error %%\n");
    double worst = 0;
    bench::Choice worstChoice;
    for (const bench::Choice choice : options.choices) {
        const Span span = measure(*program.window, choice, options.seconds);
        const double perTick = span.milliseconds / span.ticks;
        const double measured = perTick * 25.0 * choice.suiryo / choice.jikan / 1000.0;
        const double intended = choice.intendedSecondsPerUnit();
        const double error = (measured - intended) / intended * 100.0;
        std::printf("%5d %6d %12d %6.0f %5d %8.3f %16.4f %16.4f %+8.2f\n", choice.jikan, choice.suiryo,
                    choice.interval(), span.ticks, span.late, perTick, measured, intended, error);
        std::fflush(stdout);
        if (std::abs(error) >= std::abs(worst)) {
            worst = error;
            worstChoice = choice;
        }
    }
    const bench::Choice fastest{1, 5};
    const double bare = bareTimerMsPerTick(fastest.interval(), options.seconds);
    std::printf("\nBare precise Qt timer, no work, %d ms: %.3f ms per tick (%+.2f %%)\n", fastest.interval(), bare,
                (bare / fastest.interval() - 1.0) * 100.0);
    std::printf("Worst error: %+.2f %% (Jikan %d, Suiryo %d); target within 2 %%: %s\n", worst, worstChoice.jikan,
                worstChoice.suiryo, std::abs(worst) <= 2.0 ? "met" : "missed");
    return 0;
}
