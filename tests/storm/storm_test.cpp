// Random lessons: a few hundred seeded storms of clicks, selections and ticks on the real window,
// every rule checked after every event and every tick. storm-long runs the same with more seeds.

#include "stormevent.h"
#include "stormrunner.h"

#include <gtest/gtest.h>

#include <iostream>

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kSeedsPerBlock = 8; // the sanitizers make every event ten times dearer
#else
constexpr int kSeedsPerBlock = 32;
#endif
constexpr int kBlocks = 8;
constexpr int kEventsPerStorm = 60;

class StormSeeds : public ::testing::TestWithParam<int> { };

TEST_P(StormSeeds, NoSeedBreaksARule)
{
    const std::uint64_t first = static_cast<std::uint64_t>(GetParam()) * kSeedsPerBlock;
    storm::StormRunner runner;
    int failed = 0;
    for (std::uint64_t seed = first; seed < first + kSeedsPerBlock; ++seed) {
        const std::vector<storm::StormEvent> events = storm::generateStorm(seed, kEventsPerStorm);
        storm::StormRunner::setLabel("storm seed " + std::to_string(seed));
        if (const auto failure = runner.run(events)) {
            ADD_FAILURE() << storm::explainFailure(seed, events, *failure);
            if (++failed == 3)
                break;
        }
    }
    const storm::StormStats& stats = runner.stats();
    std::cout << "seeds " << first << ".." << first + kSeedsPerBlock - 1 << ": " << stats.events << " events, "
              << stats.ticks << " ticks, " << stats.fullTanks << " full tanks, time beyond 100.0 after "
              << stats.timesBeyond100 << " events\n";
    // The storms must reach the interesting places, not just click around an idle window.
    EXPECT_GT(stats.fullTanks, 0);
    EXPECT_GT(stats.ticks, 300 * kSeedsPerBlock);
}

INSTANTIATE_TEST_SUITE_P(Storm, StormSeeds, ::testing::Range(0, kBlocks));

} // namespace
