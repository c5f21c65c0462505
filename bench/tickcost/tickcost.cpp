// bench-tickcost: what one tick costs at the fastest choice (time step 1, amount 5, 4 ms), with
// the repaint it causes, and how much of a core a real-time run takes.
//
//   bench-tickcost [--ticks N] [--seconds S] [--size WIDTHxHEIGHT]
// N rising ticks delivered by hand (default 3000); S seconds of real-time run (default 3); the
// window at the given size with the lesson filling it (default the design's 1024x768).

#include "benchwindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPaintEvent>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr bench::Choice kFastest{1, 5};

// What the window's own painting covered since the last take(), and how many other widgets painted.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window)
        : window_(window)
    {
    }
    struct Tally {
        int windowPaints = 0;
        int otherPaints = 0;
        long long area = 0; // window pixels in the painted regions
        int rects = 0;
        QRect bounding;
        QRegion region;
    };
    Tally take() { return std::exchange(tally_, Tally{}); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        if (watched != window_) {
            ++tally_.otherPaints;
            return false;
        }
        const QRegion& region = static_cast<QPaintEvent*>(event)->region();
        ++tally_.windowPaints;
        tally_.rects += region.rectCount();
        tally_.bounding = tally_.bounding.united(region.boundingRect());
        tally_.region += region;
        for (const QRect& rect : region)
            tally_.area += static_cast<long long>(rect.width()) * rect.height();
        return false;
    }

private:
    QWidget* window_;
    Tally tally_;
};

// This thread's CPU time: unlike the wall clock it leaves out the time other processes on a busy
// machine take from us.
double threadMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

template <typename T>
T percentile(std::vector<T> values, double p)
{
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p / 100.0 * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

void measureTicks(MainWindow& window, PaintCounter& paints, int wanted)
{
    std::vector<double> costs;
    std::vector<double> cpuCosts;
    std::vector<long long> areas;
    std::vector<int> rects;
    std::vector<int> others;
    std::map<std::tuple<int, int, int, int>, int> boundings;
    QRegion sample; // what the window painted at the middle rising tick of the first run
    int runs = 0;
    window.timer().setManual(true);
    while (static_cast<int>(costs.size()) < wanted) {
        if (bench::runEnded(window)) {
            bench::startAfresh(window, kFastest);
            QCoreApplication::processEvents();
            ++runs;
        }
        const float before = window.state().KeikaTick;
        paints.take();
        const double cpuStart = threadMicroseconds();
        const Clock::time_point start = Clock::now();
        window.program().tick();
        QCoreApplication::processEvents();
        const Clock::time_point end = Clock::now();
        const double cpuEnd = threadMicroseconds();
        const PaintCounter::Tally tally = paints.take();
        if (window.state().KeikaTick == before)
            continue; // the stream is still falling
        costs.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        cpuCosts.push_back(cpuEnd - cpuStart);
        areas.push_back(tally.area);
        rects.push_back(tally.rects);
        others.push_back(tally.otherPaints);
        if (runs == 1 && window.state().KeikaTick == 250)
            sample = tally.region;
        const QRect& b = tally.bounding;
        ++boundings[{b.x(), b.y(), b.width(), b.height()}];
    }
    window.timer().setManual(false);
    bench::click(window, sim::Item::btnMizuTome);

    std::printf("(a) Cost of one rising tick with its repaint, %zu ticks over %d runs, manual ticks\n", costs.size(),
                runs);
    const auto printCosts = [](const char* label, const std::vector<double>& values) {
        std::printf("    %-11s median %8.1f us   p90 %8.1f us   p99 %8.1f us   max %8.1f us\n", label,
                    percentile(values, 50), percentile(values, 90), percentile(values, 99), percentile(values, 100));
    };
    printCosts("wall clock", costs);
    printCosts("thread CPU", cpuCosts);
    const double windowArea = static_cast<double>(window.width()) * window.height();
    std::printf("    window painted per tick: median %lld px (%.1f %% of %dx%d), max %lld px; "
                "median %d rects; median %d child widgets painted\n",
                percentile(areas, 50), percentile(areas, 50) / windowArea * 100.0, window.width(), window.height(),
                percentile(areas, 100), percentile(rects, 50), percentile(others, 50));
    std::vector<std::pair<int, std::tuple<int, int, int, int>>> common;
    for (const auto& [rect, count] : boundings)
        common.emplace_back(count, rect);
    std::sort(common.rbegin(), common.rend());
    common.resize(std::min<std::size_t>(common.size(), 3));
    for (const auto& [count, rect] : common) {
        const auto [x, y, w, h] = rect;
        std::printf("    bounding rect x %d y %d  %d x %d  in %d ticks\n", x, y, w, h, count);
    }
    std::printf("    rectangles painted at rising tick 250:");
    for (const QRect& r : sample)
        std::printf("  (%d,%d %dx%d)", r.x(), r.y(), r.width(), r.height());
    std::printf("\n");
}

void measureCpuShare(MainWindow& window, double seconds)
{
    bench::startAfresh(window, kFastest);
    int rising = 0;
    int runs = 1;
    float last = 0;
    const double cpuStart = cpuSeconds();
    const Clock::time_point start = Clock::now();
    double wall = 0;
    while (wall < seconds) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const float tick = window.state().KeikaTick;
        if (tick > last)
            ++rising;
        last = tick;
        if (bench::runEnded(window)) {
            bench::startAfresh(window, kFastest);
            last = 0;
            ++runs;
        }
        wall = std::chrono::duration<double>(Clock::now() - start).count();
    }
    const double cpu = cpuSeconds() - cpuStart;
    bench::click(window, sim::Item::btnMizuTome);
    std::printf("(b) Real timer, %.2f s wall, %d runs, %d rising ticks (%.0f per s)\n", wall, runs, rising,
                rising / wall);
    std::printf("    process CPU %.3f s = %.1f %% of one core\n", cpu, cpu / wall * 100.0);
}

} // namespace

int main(int argc, char* argv[])
{
    bench::Program program = bench::openProgram(argc, argv);
    int ticks = 3000;
    double seconds = 3.0;
    QSize size(1024, 768);
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        bool ok = i + 1 < arguments.size();
        if (ok && arguments[i] == QLatin1String("--ticks"))
            ticks = arguments[++i].toInt(&ok);
        else if (ok && arguments[i] == QLatin1String("--seconds"))
            seconds = arguments[++i].toDouble(&ok);
        else if (ok && arguments[i] == QLatin1String("--size")) {
            const QStringList parts = arguments[++i].split(QLatin1Char('x'));
            bool heightOk = false;
            ok = parts.size() == 2;
            if (ok)
                size = QSize(parts[0].toInt(&ok), parts[1].toInt(&heightOk));
            ok = ok && heightOk;
        } else
            ok = false;
        if (!ok || ticks < 1 || seconds <= 0 || size.width() < 1 || size.height() < 1) {
            std::fprintf(stderr, "usage: bench-tickcost [--ticks N] [--seconds S] [--size WIDTHxHEIGHT]\n");
            return 2;
        }
    }
    program.window->resize(size);
    QCoreApplication::processEvents();
    const core::Stage& stage = program.window->staging().stage;
    std::printf("Window %dx%d, device pixel ratio %.2f: the lesson at s = %.5f, %dx%d at (%d, %d)\n",
                program.window->width(), program.window->height(), program.window->devicePixelRatioF(),
                stage.scale.factor(), stage.width, stage.height, stage.left, stage.top);

    PaintCounter paints(program.window.get());
    QCoreApplication::instance()->installEventFilter(&paints);
    std::printf("Fastest choice: Jikan %d, Suiryo %d, interval %d ms\n\n", kFastest.jikan, kFastest.suiryo,
                kFastest.interval());
    measureTicks(*program.window, paints, ticks);
    std::printf("\n");
    measureCpuShare(*program.window, seconds);
    return 0;
}
