#include "replay.h"

#include "mainwindow.h"
#include "periodictimer.h"
#include "statedump.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <algorithm>
#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

using sim::Item;

namespace {

constexpr Item kClickable[] = {Item::btnMizuDasu, Item::btnMizuTome, Item::btnSaishiko,
                               Item::btnKiroku,   Item::btnTenki,    Item::btnMusubu,
                               Item::bbtnKirokuAuto, Item::spbGraphFlg, Item::btnOwari};
constexpr Item kSelectable[] = {Item::lbxJikan, Item::lbxSuiryo, Item::lbxSyokiRyo};

template <std::size_t N>
const Item* findByName(const Item (&items)[N], const std::string& name)
{
    const auto* found = std::find_if(std::begin(items), std::end(items),
                                     [&](Item item) { return name == ui::layoutOf(item).name; });
    return found == std::end(items) ? nullptr : found;
}

bool parseCount(const std::string& text, long long& value)
{
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && rest == end && value >= 0;
}

std::vector<std::string> wordsOf(const std::string& line)
{
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

void settle()
{
    QCoreApplication::processEvents();
}

} // namespace

Replay::Replay(MainWindow& window, std::ostream& out, std::ostream& err)
    : window_(window)
    , out_(out)
    , err_(err)
{
}

void Replay::takeControl(MainWindow& window)
{
    window.timer().setManual(true);
    window.setMessagePresenter([](const QString&, const QString&) {});
}

int Replay::run(std::istream& script)
{
    std::string line;
    for (int number = 1; std::getline(script, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string problem;
        switch (runLine(line, problem)) {
        case Outcome::Next:
            break;
        case Outcome::Quit:
            out_ << "quit\n" << std::flush;
            return 0;
        case Outcome::Error:
            out_ << std::flush;
            err_ << "error: " << number << ": " << problem << '\n' << std::flush;
            return 2;
        }
    }
    out_ << std::flush;
    return 0;
}

Replay::Outcome Replay::runLine(const std::string& line, std::string& problem)
{
    const std::vector<std::string> words = wordsOf(line);
    if (words.empty() || words.front().front() == '#')
        return Outcome::Next;
    const std::string& command = words.front();
    const std::size_t arguments = words.size() - 1;
    const auto expect = [&](std::size_t count) {
        if (arguments == count)
            return true;
        problem = command + " takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s");
        return false;
    };

    if (command == "click")
        return expect(1) ? click(words[1], problem) : Outcome::Error;
    if (command == "select")
        return expect(2) ? select(words[1], words[2], problem) : Outcome::Error;
    if (command == "tick")
        return expect(1) ? tick(words[1], problem) : Outcome::Error;
    if (command == "dump") {
        if (!expect(0))
            return Outcome::Error;
        settle();
        out_ << dumpState(window_) << '\n';
        return Outcome::Next;
    }
    if (command == "render") {
        // The file name is the rest of the line, so it may hold spaces.
        if (arguments == 0) {
            problem = "render takes a file name";
            return Outcome::Error;
        }
        const std::size_t start = line.find_first_not_of(" \t", line.find("render") + 6);
        std::string file = line.substr(start);
        file.erase(file.find_last_not_of(" \t") + 1);
        return render(file, problem);
    }
    problem = "unknown command '" + command + "'";
    return Outcome::Error;
}

Replay::Outcome Replay::click(const std::string& name, std::string& problem)
{
    const Item* item = findByName(kClickable, name);
    if (item == nullptr) {
        problem = "unknown button '" + name + "'";
        return Outcome::Error;
    }
    QWidget* widget = window_.item(*item);
    if (widget->isHidden())
        return Outcome::Next; // nobody can click what is not there
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    return window_.quitWasRequested() ? Outcome::Quit : Outcome::Next;
}

Replay::Outcome Replay::select(const std::string& name, const std::string& row, std::string& problem)
{
    const Item* list = findByName(kSelectable, name);
    if (list == nullptr) {
        problem = "unknown list '" + name + "'";
        return Outcome::Error;
    }
    long long index = 0;
    const int rows = ui::layoutOf(*list).listRows;
    if (!parseCount(row, index) || index >= rows) {
        problem = "bad row '" + row + "' for " + name + " (0 to " + std::to_string(rows - 1) + ")";
        return Outcome::Error;
    }
    window_.setSelectedIndex(*list, static_cast<int>(index));
    return Outcome::Next;
}

Replay::Outcome Replay::tick(const std::string& count, std::string& problem)
{
    long long ticks = 0;
    if (!parseCount(count, ticks)) {
        problem = "bad number '" + count + "'";
        return Outcome::Error;
    }
    for (long long i = 0; i < ticks; ++i) {
        if (!window_.timer().deliverTick())
            continue;
        settle();
    }
    return Outcome::Next;
}

Replay::Outcome Replay::render(const std::string& file, std::string& problem)
{
    settle();
    const QPixmap picture = window_.grab(QRect(0, 0, ui::kClientWidth, ui::kClientHeight));
    if (!picture.save(QString::fromStdString(file), "PNG")) {
        problem = "cannot write '" + file + "'";
        return Outcome::Error;
    }
    return Outcome::Next;
}
