// The computer against a player 1 who stands still in his base, on both generated arenas:
// every death of the computer is then its own doing, and every cube it brings home is its
// own work. A map that lets it walk into Hell's lava, or hides London's ladders from its
// path nodes, fails here. Each bout is played in a child of its own (the same start whatever
// ran before); under the sanitizers, whose ticks are many times slower, one level each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/world.h"
#include "support/test_env.h"
#include "tools/aireport/standing_bout.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
const int LEVELS[] = {2};
#else
const int LEVELS[] = {1, 2, 3};
#endif
const int SEEDS_PER_LEVEL = 2;
// A bout ends when a pool runs dry; against a player who stands still that is his, within
// his 200 s of power.
const int MAX_TICKS = 200 * 60;

class StandingOpponent : public HarnessTest, public ::testing::WithParamInterface<int> {};

TEST_P(StandingOpponent, StaysAliveCarriesCubesHomeAndWinsAtEveryLevel)
{
    const int arena = GetParam();
    std::vector<StandingBoutJob> jobs;
    for (int level : LEVELS)
        for (int k = 0; k < SEEDS_PER_LEVEL; k++)
            jobs.push_back(StandingBoutJob{arena, level, 24000u + (unsigned)(level * 10 + k)});
    std::vector<StandingBout> res(jobs.size());
    ASSERT_TRUE(playStandingBoutsForked(jobs.data(), (int)jobs.size(), 1, MAX_TICKS, NULL, res.data()));
    int deaths = 0;
    for (size_t i = 0; i < jobs.size(); i += SEEDS_PER_LEVEL) {
        int cashed = 0;
        for (int k = 0; k < SEEDS_PER_LEVEL; k++) {
            const StandingBout &r = res[i + k];
            deaths += r.ownDeaths;
            cashed += r.cubesCashed;
            EXPECT_TRUE(r.won) << "level " << jobs[i].level << " seed " << jobs[i + k].seed;
        }
        // At least four cubes home a bout at every level.
        EXPECT_GE(cashed, 4 * SEEDS_PER_LEVEL) << "level " << jobs[i].level;
        RecordProperty("level" + std::to_string(jobs[i].level) + "_cubes_cashed", cashed);
    }
    // At most one death in two bouts.
    EXPECT_LE(deaths * 2, (int)jobs.size());
    RecordProperty("deaths", deaths);
}

INSTANTIATE_TEST_SUITE_P(BothArenas, StandingOpponent, ::testing::Values(ARENA_HELL, ARENA_LONDON),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return std::string(info.param == ARENA_HELL ? "Hell" : "London");
                         });

}  // namespace
