#include "stormevent.h"

#include "bindings.h"
#include "layout.h"

#include <algorithm>
#include <random>
#include <sstream>
#include <stdexcept>

using sim::Item;

namespace storm {

namespace {

// Enough ticks to fill the tank from any state: the stream falls at most 103 ticks, the water
// rises at most 500.
constexpr int kFillTicks = 1000;

class Dice {
public:
    explicit Dice(std::uint64_t seed)
        : engine_(seed)
    {
    }
    // 0 to n - 1; the engine's output is fixed by the standard, unlike the distributions'.
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }

private:
    std::mt19937_64 engine_;
};

StormEvent click(Item button)
{
    return {StormEvent::Kind::Click, button, 0};
}

StormEvent ticks(int count)
{
    return {StormEvent::Kind::Tick, Item::Timer1, count};
}

StormEvent randomSelection(Dice& dice)
{
    constexpr Item lists[] = {Item::lbxJikan, Item::lbxSuiryo, Item::lbxSyokiRyo};
    const Item list = lists[dice.below(3)];
    return {StormEvent::Kind::Select, list, dice.below(core::layoutOf(list).listRows)};
}

Item anyButtonButTheEnd(Dice& dice)
{
    const auto buttons = core::buttonBindings();
    for (;;) {
        const core::ButtonBinding& button =
            buttons[static_cast<std::size_t>(dice.below(static_cast<int>(buttons.size())))];
        if (button.handler != &sim::Simulation::btnOwariClick)
            return button.item;
    }
}

int burstLength(Dice& dice)
{
    const int kind = dice.below(100);
    if (kind < 45)
        return dice.between(1, 10);
    if (kind < 80)
        return dice.between(11, 150);
    return dice.between(151, 700);
}

} // namespace

std::string scriptLine(const StormEvent& event)
{
    const std::string name = core::layoutOf(event.item).name;
    switch (event.kind) {
    case StormEvent::Kind::Click:
        return "click " + name;
    case StormEvent::Kind::Select:
        return "select " + name + " " + std::to_string(event.value);
    case StormEvent::Kind::Tick:
        break;
    }
    return "tick " + std::to_string(event.value);
}

std::string script(const std::vector<StormEvent>& events)
{
    std::string text;
    for (const StormEvent& event : events)
        text += scriptLine(event) + "\n";
    return text;
}

std::vector<StormEvent> parseScript(const std::string& text)
{
    const auto itemNamed = [](const std::string& name) {
        const auto& items = core::layout();
        const auto* found =
            std::find_if(items.begin(), items.end(), [&](const auto& entry) { return name == entry.name; });
        if (found == items.end())
            throw std::invalid_argument("no item named '" + name + "'");
        return found->item;
    };
    std::vector<StormEvent> events;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string command, name;
        if (!(words >> command) || command.front() == '#')
            continue;
        int value = 0;
        if (command == "click" && words >> name)
            events.push_back(click(itemNamed(name)));
        else if (command == "select" && words >> name >> value)
            events.push_back({StormEvent::Kind::Select, itemNamed(name), value});
        else if (command == "tick" && words >> value)
            events.push_back(ticks(value));
        else
            throw std::invalid_argument("cannot read '" + line + "'");
    }
    return events;
}

std::vector<StormEvent> generateStorm(std::uint64_t seed, int length)
{
    Dice dice(seed);
    std::vector<StormEvent> events;
    events.reserve(static_cast<std::size_t>(length) + 4);
    if (dice.below(100) < 15)
        events.push_back(click(Item::btnMizuTome)); // stop before any start
    const bool endsWithOwari = dice.below(100) < 10;
    const auto room = [&] { return static_cast<int>(events.size()) < length - (endsWithOwari ? 1 : 0); };

    while (room()) {
        const int pick = dice.below(100);
        if (pick < 16) {
            // Impatient learners press start again and again.
            const int presses = dice.below(4) == 0 ? dice.between(2, 4) : 1;
            for (int i = 0; i < presses && room(); ++i)
                events.push_back(click(Item::btnMizuDasu));
        } else if (pick < 57) {
            // Any button of the window but the end button, which ends the storm.
            events.push_back(click(anyButtonButTheEnd(dice)));
        } else if (pick < 72) {
            events.push_back(randomSelection(dice));
        } else if (pick < 94) {
            events.push_back(ticks(burstLength(dice)));
        } else {
            events.push_back(ticks(kFillTicks));
        }
    }
    if (endsWithOwari)
        events.push_back(click(Item::btnOwari));
    return events;
}

} // namespace storm
