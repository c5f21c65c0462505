#include "stormrunner.h"

#include "invariants.h"
#include "invariantwatch.h"
#include "numbertexts.h"

#include "mainwindow.h"
#include "periodictimer.h"
#include "replay.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cfenv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <unistd.h>

using sim::Item;

namespace storm {

namespace {

// Painting every tick would make the storms ten times slower; the window paints after every
// event and every so many ticks, which still runs the painting on every kind of state.
constexpr int kTicksBetweenPaints = 64;
constexpr int kArithmeticFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

// Written before every event; printed by the signal handler if the process dies.
char g_position[512] = "storm: not started\n";
char g_label[256] = "";

extern "C" void reportFatalSignal(int signal)
{
    const char* name = signal == SIGFPE    ? "SIGFPE"
                       : signal == SIGSEGV ? "SIGSEGV"
                       : signal == SIGBUS  ? "SIGBUS"
                                           : "SIGABRT";
    const ssize_t a = write(STDERR_FILENO, name, std::strlen(name));
    const ssize_t b = write(STDERR_FILENO, " during ", 8);
    const ssize_t c = write(STDERR_FILENO, g_position, std::strlen(g_position));
    (void)a, (void)b, (void)c;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void installSignalReport()
{
    static const bool installed = [] {
        for (const int s : {SIGFPE, SIGSEGV, SIGBUS, SIGABRT})
            std::signal(s, reportFatalSignal);
        return true;
    }();
    (void)installed;
}

// Collects what Qt warns about while a storm runs.
std::vector<std::string>* g_warnings = nullptr;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || g_warnings == nullptr)
        return;
    g_warnings->push_back("Qt says: " + message.toStdString());
}

// Any modal window is an error box: the full-tank message does not open one under takeControl.
// A box opened inside a handler runs its own loop, in which this timer closes it.
class ErrorBoxGuard {
public:
    ErrorBoxGuard()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { closeBoxes(); });
        timer_.start();
    }
    std::vector<std::string> take() { return std::exchange(seen_, {}); }
    void closeBoxes()
    {
        while (QWidget* modal = QApplication::activeModalWidget()) {
            const auto* box = qobject_cast<QMessageBox*>(modal);
            seen_.push_back("error box '" + modal->windowTitle().toStdString()
                            + "': " + (box ? box->text().toStdString() : std::string("(not a message box)")));
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
            QCoreApplication::processEvents();
        }
    }

private:
    QTimer timer_;
    std::vector<std::string> seen_;
};

void setPosition(std::size_t step, const StormEvent& event)
{
    std::snprintf(g_position, sizeof g_position, "%s event %zu: %s\n", g_label, step + 1, scriptLine(event).c_str());
}

} // namespace

void StormRunner::setLabel(const std::string& label)
{
    std::snprintf(g_label, sizeof g_label, "%s", label.c_str());
}

std::optional<StormFailure> StormRunner::run(const std::vector<StormEvent>& events)
{
    installSignalReport();
    std::vector<std::string> warnings;
    g_warnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    struct Restore {
        QtMessageHandler handler;
        ~Restore()
        {
            qInstallMessageHandler(handler);
            g_warnings = nullptr;
        }
    } restore{previous};

    // Only faults of this run count, not flags left over from earlier work in the process.
    std::feclearexcept(FE_ALL_EXCEPT);
    ErrorBoxGuard guard;
    auto window = std::make_unique<MainWindow>();
    Replay::takeControl(*window);
    window->FormCreate();
    window->show();
    QCoreApplication::processEvents();

    InvariantWatch watch(*window);
    std::optional<StormFailure> failure;
    const auto check = [&](std::size_t step, int tick, std::vector<std::string> problems) {
        if (std::fetestexcept(kArithmeticFaults) != 0) {
            problems.push_back(std::string("floating-point fault:")
                               + (std::fetestexcept(FE_DIVBYZERO) ? " division by zero" : "")
                               + (std::fetestexcept(FE_INVALID) ? " invalid operation" : "")
                               + (std::fetestexcept(FE_OVERFLOW) ? " overflow" : ""));
        }
        for (std::string& box : guard.take())
            problems.push_back(std::move(box));
        for (std::string& warning : warnings)
            problems.push_back(std::move(warning));
        warnings.clear();
        if (!problems.empty() && !failure)
            failure = StormFailure{step, tick, std::move(problems)};
        return !failure;
    };

    if (!check(0, 0, checkInvariants(*window)))
        return failure;
    for (std::size_t step = 0; step < events.size(); ++step) {
        const StormEvent& event = events[step];
        setPosition(step, event);
        std::feclearexcept(FE_ALL_EXCEPT);
        ++stats_.events;
        switch (event.kind) {
        case StormEvent::Kind::Click: {
            QWidget* button = window->item(event.item);
            if (button->isHidden())
                break; // nobody can click what is not there
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
            QCoreApplication::processEvents();
            if (!check(step, 0, watch.afterEvent(Cause::Click, event.item)))
                return failure;
            break;
        }
        case StormEvent::Kind::Select:
            window->scene().setSelectedIndex(event.item, event.value);
            QCoreApplication::processEvents();
            if (!check(step, 0, watch.afterEvent(Cause::Selection, event.item)))
                return failure;
            break;
        case StormEvent::Kind::Tick:
            for (int tick = 1; tick <= event.value && window->program().isTicking(); ++tick) {
                const int messages = window->messagesShown();
                window->program().tick();
                ++stats_.ticks;
                stats_.fullTanks += window->messagesShown() - messages;
                if (tick % kTicksBetweenPaints == 0)
                    QCoreApplication::processEvents();
                if (!check(step, tick, watch.afterEvent(Cause::Tick)))
                    return failure;
            }
            QCoreApplication::processEvents();
            if (!check(step, 0, checkInvariants(*window)))
                return failure;
            break;
        }
        const auto shown =
            parseOneDecimal(window->scene().caption(Item::stxKJHyoji), window->program().decimalSeparator());
        if (shown && *shown > 100.0)
            ++stats_.timesBeyond100;
    }
    return failure;
}

std::vector<StormEvent> failingPrefix(const std::vector<StormEvent>& events, const StormFailure& failure)
{
    std::vector<StormEvent> prefix(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(failure.step) + 1);
    if (failure.tick > 0)
        prefix.back().value = failure.tick;
    return prefix;
}

std::string explainFailure(std::uint64_t seed, const std::vector<StormEvent>& events, const StormFailure& failure)
{
    std::ostringstream out;
    out << "storm seed " << seed << " broke a rule after event " << failure.step + 1 << " of " << events.size();
    if (failure.tick > 0)
        out << " (tick " << failure.tick << " of its burst)";
    out << ":\n";
    for (const std::string& problem : failure.problems)
        out << "  " << problem << '\n';

    std::vector<StormEvent> prefix = failingPrefix(events, failure);
    StormRunner again;
    const bool confirmed = again.run(prefix).has_value();
    out << "shortest failing prefix (" << prefix.size() << " events, "
        << (confirmed ? "fails again when re-run" : "did NOT fail when re-run: the run is not deterministic")
        << "), as a script for ichijikansu-replay:\n"
        << script(prefix);

    if (confirmed) {
        // Leave out one event at a time while the storm still fails, pass after pass until no
        // event can go. The failing event itself stays.
        constexpr int kMostReruns = 200;
        int reruns = 0;
        for (bool shrunk = true; shrunk && reruns < kMostReruns;) {
            shrunk = false;
            for (std::size_t i = prefix.size() - 1; i-- > 0 && reruns < kMostReruns;) {
                if (i + 1 >= prefix.size())
                    continue;
                std::vector<StormEvent> shorter = prefix;
                shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(i));
                ++reruns;
                StormRunner trial;
                if (const auto f = trial.run(shorter)) {
                    prefix = failingPrefix(shorter, *f);
                    shrunk = true;
                }
            }
        }
        out << "reduced to " << prefix.size() << " events:\n" << script(prefix);
    }
    return out.str();
}

} // namespace storm
