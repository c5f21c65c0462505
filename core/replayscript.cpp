#include "replayscript.h"

#include "bindings.h"
#include "layout.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

namespace core {

namespace {

using sim::Item;

const Item* listNamed(std::string_view name)
{
    const auto* found =
        std::find_if(kLists.begin(), kLists.end(), [&](Item item) { return name == layoutOf(item).name; });
    return found == kLists.end() ? nullptr : found;
}

bool parseCount(std::string_view text, long long& value)
{
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && rest == end && value >= 0;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

std::vector<std::string_view> wordsOf(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

// A scale as a script writes it: digits with at most one decimal point, "2" or "1.5".
bool looksLikeScale(std::string_view word)
{
    int points = 0;
    int digits = 0;
    for (const char c : word) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

// The largest scale a render takes: beyond it the picture outgrows any screen.
constexpr int kLargestRenderScale = 4;

// The scale a word like "1.5" writes, exactly (15/10); nothing for one outside 0 to the largest,
// or with more decimals than a scale needs.
std::optional<Scale> scaleWritten(std::string_view word)
{
    constexpr std::int64_t kFinest = 1'000'000; // six decimals
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
    bool afterPoint = false;
    for (const char c : word) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (afterPoint && denominator == kFinest)
            return std::nullopt;
        numerator = numerator * 10 + (c - '0');
        if (afterPoint)
            denominator *= 10;
        if (numerator > kLargestRenderScale * kFinest)
            return std::nullopt;
    }
    if (numerator == 0 || numerator > std::int64_t{kLargestRenderScale} * denominator)
        return std::nullopt;
    return Scale::ratio(numerator, denominator);
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

ReplayRunner::ReplayRunner(ReplayTarget& target)
    : target_(target)
{
}

bool ReplayRunner::runLine(std::string_view line, std::string& out, std::string& err)
{
    if (over_)
        return false;
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::string problem;
    switch (run(line, out, problem)) {
    case Outcome::Next:
        return true;
    case Outcome::Quit:
        out += "quit\n";
        exitCode_ = 0;
        break;
    case Outcome::Error:
        err += "error: " + std::to_string(lineNumber_) + ": " + problem + '\n';
        exitCode_ = 2;
        break;
    }
    over_ = true;
    return false;
}

ReplayRunner::Outcome ReplayRunner::run(std::string_view line, std::string& out, std::string& problem)
{
    const std::vector<std::string_view> words = wordsOf(line);
    if (words.empty() || words.front().front() == '#')
        return Outcome::Next;
    const std::string command(words.front());
    const std::size_t arguments = words.size() - 1;
    const auto expect = [&](std::size_t count) {
        if (arguments == count)
            return true;
        problem = command + " takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s");
        return false;
    };

    if (command == "click") {
        if (!expect(1))
            return Outcome::Error;
        const ButtonBinding* button = buttonNamed(words[1]);
        if (button == nullptr) {
            problem = "unknown button '" + std::string(words[1]) + "'";
            return Outcome::Error;
        }
        if (!target_.isShown(button->item))
            return Outcome::Next; // nobody can click what is not there
        target_.click(button->item);
        return target_.quitRequested() ? Outcome::Quit : Outcome::Next;
    }
    if (command == "select") {
        if (!expect(2))
            return Outcome::Error;
        const Item* list = listNamed(words[1]);
        if (list == nullptr) {
            problem = "unknown list '" + std::string(words[1]) + "'";
            return Outcome::Error;
        }
        long long row = 0;
        const int rows = layoutOf(*list).listRows;
        if (!parseCount(words[2], row) || row >= rows) {
            problem = "bad row '" + std::string(words[2]) + "' for " + std::string(words[1]) + " (0 to "
                      + std::to_string(rows - 1) + ")";
            return Outcome::Error;
        }
        target_.select(*list, static_cast<int>(row));
        return Outcome::Next;
    }
    if (command == "tick") {
        if (!expect(1))
            return Outcome::Error;
        long long ticks = 0;
        if (!parseCount(words[1], ticks)) {
            problem = "bad number '" + std::string(words[1]) + "'";
            return Outcome::Error;
        }
        // Only a click starts the timer again, so once it stops the rest of the burst is idle.
        for (long long i = 0; i < ticks && target_.tick(); ++i) { }
        return Outcome::Next;
    }
    if (command == "dump") {
        if (!expect(0))
            return Outcome::Error;
        out += target_.dump();
        out += '\n';
        return Outcome::Next;
    }
    if (command == "render") {
        // The file name is the rest of the line, so it may hold spaces; a last word that is a
        // number is the scale.
        if (arguments == 0) {
            problem = "render takes a file name";
            return Outcome::Error;
        }
        const std::size_t at = line.find("render") + 6;
        std::string_view file = trimmed(line.substr(at));
        Scale scale;
        if (arguments >= 2 && looksLikeScale(words.back())) {
            const std::optional<Scale> written = scaleWritten(words.back());
            if (!written) {
                problem = "bad scale '" + std::string(words.back()) + "' (above 0, at most "
                          + std::to_string(kLargestRenderScale) + ")";
                return Outcome::Error;
            }
            scale = *written;
            file = trimmed(file.substr(0, file.size() - words.back().size()));
        }
        return target_.render(std::string(file), scale, problem) ? Outcome::Next : Outcome::Error;
    }
    problem = "unknown command '" + command + "'";
    return Outcome::Error;
}

int runReplay(ReplayTarget& target, std::string_view script, std::string& out, std::string& err)
{
    ReplayRunner runner(target);
    while (!script.empty()) {
        const std::size_t end = script.find('\n');
        const std::string_view line = script.substr(0, end);
        if (!runner.runLine(line, out, err))
            break;
        script = end == std::string_view::npos ? std::string_view{} : script.substr(end + 1);
    }
    return runner.exitCode();
}

} // namespace core
