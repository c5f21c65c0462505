// storm-long: the storms of the test suite, with more seeds and longer lessons.
//   storm-long [--from N] [--to N] [--length EVENTS] [--script FILE]
// Seeds run from --from up to but not including --to (default 0 to 1000), each a lesson of
// --length events (default 400). --script checks one replay script instead. Prints the seed and
// the shortest failing prefix of every failing storm; exit code 1 if any failed.

#include "stormevent.h"
#include "stormrunner.h"
#include "testapplication.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

struct Options {
    std::uint64_t from = 0;
    std::uint64_t to = 1000;
    int length = 400;
    std::string script;
};

bool readOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (flag == "--from")
            options.from = std::stoull(value);
        else if (flag == "--to")
            options.to = std::stoull(value);
        else if (flag == "--length")
            options.length = std::stoi(value);
        else if (flag == "--script")
            options.script = value;
        else
            return false;
    }
    return options.from < options.to && options.length > 0;
}

int checkScript(const std::string& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<storm::StormEvent> events;
    try {
        events = storm::parseScript(text.str());
    } catch (const std::invalid_argument& error) {
        std::cerr << file << ": " << error.what() << '\n';
        return 2;
    }
    storm::StormRunner runner;
    storm::StormRunner::setLabel(file);
    if (const auto failure = runner.run(events)) {
        std::cout << storm::explainFailure(0, events, *failure);
        return 1;
    }
    std::cout << file << ": " << events.size() << " events, " << runner.stats().ticks << " ticks, no rule broken\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const auto app = storm::makeTestApplication(argc, argv);
    Options options;
    try {
        if (!readOptions(argc, argv, options))
            throw std::invalid_argument("bad arguments");
    } catch (const std::exception&) {
        std::cerr << "usage: storm-long [--from N] [--to N] [--length EVENTS] [--script FILE]\n";
        return 2;
    }
    if (!options.script.empty())
        return checkScript(options.script);

    const auto start = std::chrono::steady_clock::now();
    storm::StormRunner runner;
    int failed = 0;
    const std::uint64_t count = options.to - options.from;
    for (std::uint64_t seed = options.from; seed < options.to; ++seed) {
        const std::vector<storm::StormEvent> events = storm::generateStorm(seed, options.length);
        storm::StormRunner::setLabel("storm seed " + std::to_string(seed));
        if (const auto failure = runner.run(events)) {
            ++failed;
            std::cout << storm::explainFailure(seed, events, *failure) << std::flush;
        }
        const std::uint64_t done = seed - options.from + 1;
        if (done % std::max<std::uint64_t>(1, count / 10) == 0 || done == count) {
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const storm::StormStats& s = runner.stats();
            std::printf("%llu/%llu seeds, %d failed, %lld events, %lld ticks, %lld full tanks, time beyond 100.0 "
                        "after %lld events, %.1f s\n",
                        static_cast<unsigned long long>(done), static_cast<unsigned long long>(count), failed, s.events,
                        s.ticks, s.fullTanks, s.timesBeyond100, seconds);
            std::fflush(stdout);
        }
    }
    return failed == 0 ? 0 : 1;
}
