// soak: a whole lesson and more on the real main window. Each fill chooses the three lists at
// random, starts, ticks until the full-tank message, takes records on the way and after, flips
// the switches and resets. Prints the resident memory as it goes and its growth from the first
// tenth of the fills to the end, so that a leak shows as a steady rise above the noise.
//   soak [--fills N] [--seed S]      (defaults: 10000 fills, seed 1)
// Exit code 1 if any fill broke a rule of the storm checks or never filled the tank.

#include "invariants.h"
#include "residentmemory.h"
#include "testapplication.h"

#include "layout.h"
#include "mainwindow.h"
#include "periodictimer.h"
#include "replay.h"

#include <QTest>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using sim::Item;

namespace {

constexpr int kMostTicksPerFill = 2000; // a fill needs at most 103 stream and 500 rising ticks
constexpr int kTicksBetweenPaints = 64;

struct Options {
    long fills = 10000;
    unsigned long seed = 1;
};

bool readOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        char* end = nullptr;
        const unsigned long value = std::strtoul(argv[i + 1], &end, 10);
        if (*end != '\0')
            return false;
        if (flag == "--fills")
            options.fills = static_cast<long>(value);
        else if (flag == "--seed")
            options.seed = value;
        else
            return false;
    }
    return argc % 2 == 1 && options.fills > 0;
}

class Lesson {
public:
    Lesson(MainWindow& window, unsigned long seed)
        : window_(window)
        , dice_(seed)
    {
    }

    // One fill from the choice of the lists to the reset; false if the tank never got full.
    bool fill()
    {
        for (const Item list : {Item::lbxJikan, Item::lbxSuiryo, Item::lbxSyokiRyo})
            window_.scene().setSelectedIndex(list, below(core::layoutOf(list).listRows));
        if (below(4) == 0)
            click(Item::bbtnKirokuAuto);
        click(Item::btnMizuDasu);

        const int messages = window_.messagesShown();
        std::vector<int> recordAt;
        for (int i = below(4); i > 0; --i)
            recordAt.push_back(below(600));
        for (int tick = 0; tick < kMostTicksPerFill && window_.program().isTicking(); ++tick) {
            window_.program().tick();
            ticks_ += 1;
            for (const int at : recordAt) {
                if (at == tick)
                    click(Item::btnKiroku);
            }
            if (tick % kTicksBetweenPaints == 0)
                QCoreApplication::processEvents();
        }
        const bool filled = window_.messagesShown() == messages + 1;

        click(Item::btnKiroku);
        click(Item::btnTenki);
        if (below(2) == 0)
            click(Item::btnMusubu);
        if (below(3) == 0)
            click(Item::spbGraphFlg);
        QCoreApplication::processEvents();
        problems_ += static_cast<long>(report(storm::checkInvariants(window_), "before the reset"));
        click(Item::btnSaishiko);
        QCoreApplication::processEvents();
        problems_ += static_cast<long>(report(storm::checkInvariants(window_), "after the reset"));
        return filled;
    }

    long ticks() const { return ticks_; }
    long problems() const { return problems_; }

private:
    int below(int n) { return static_cast<int>(dice_() % static_cast<unsigned long>(n)); }

    void click(Item button)
    {
        QWidget* widget = window_.item(button);
        if (!widget->isHidden())
            QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    }

    std::size_t report(const std::vector<std::string>& problems, const char* when)
    {
        for (std::size_t i = 0; i < problems.size() && problems_ < 20; ++i)
            std::printf("  rule broken %s: %s\n", when, problems[i].c_str());
        return problems.size();
    }

    MainWindow& window_;
    std::mt19937_64 dice_;
    long ticks_ = 0;
    long problems_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    const auto app = storm::makeTestApplication(argc, argv);
    Options options;
    if (!readOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: soak [--fills N] [--seed S]\n");
        return 2;
    }

    MainWindow window;
    Replay::takeControl(window);
    window.FormCreate();
    window.show();
    QCoreApplication::processEvents();

    Lesson lesson(window, options.seed);
    const long reportEvery = std::max(1L, options.fills / 20);
    const long tenth = std::max(1L, options.fills / 10);
    long rssAtTenth = -1;
    long heapAtTenth = -1;
    long unfilled = 0;
    const long rssAtStart = residentKilobytes();
    const auto start = std::chrono::steady_clock::now();
    std::printf("%8s %10s %10s %12s %9s\n", "fills", "VmRSS kB", "heap kB", "ticks", "seconds");
    std::printf("%8d %10ld %10ld %12d %9.1f\n", 0, rssAtStart, heapInUseKilobytes(), 0, 0.0);
    for (long fill = 1; fill <= options.fills; ++fill) {
        if (!lesson.fill())
            ++unfilled;
        if (fill == tenth) {
            rssAtTenth = residentKilobytes();
            heapAtTenth = heapInUseKilobytes();
        }
        if (fill % reportEvery == 0 || fill == options.fills) {
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("%8ld %10ld %10ld %12ld %9.1f\n", fill, residentKilobytes(), heapInUseKilobytes(),
                        lesson.ticks(), seconds);
            std::fflush(stdout);
        }
    }
    const long rssAtEnd = residentKilobytes();
    const long heapAtEnd = heapInUseKilobytes();
    std::printf("VmRSS: %ld kB at the start, %ld kB after %ld fills (a tenth), %ld kB after %ld fills: "
                "growth %+ld kB over the last nine tenths\n",
                rssAtStart, rssAtTenth, tenth, rssAtEnd, options.fills, rssAtEnd - rssAtTenth);
    std::printf("heap in use: %ld kB after a tenth, %ld kB at the end: growth %+ld kB (%+.1f bytes a fill)\n",
                heapAtTenth, heapAtEnd, heapAtEnd - heapAtTenth,
                1024.0 * static_cast<double>(heapAtEnd - heapAtTenth) / static_cast<double>(options.fills - tenth));
    std::printf("%ld fills, %ld ticks, %ld without a full tank, %ld broken rules\n", options.fills, lesson.ticks(),
                unfilled, lesson.problems());
    return unfilled == 0 && lesson.problems() == 0 ? 0 : 1;
}
