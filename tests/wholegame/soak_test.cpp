// Soak: whole matches played headless, one bout after another, the computer against random
// input on both arenas at every computer level, each bout through the pre-screen and its
// Space, the play, and the result screen and its go button into the next bout. Nothing may
// crash or trip a sanitizer, the heap may not grow from bout to bout, and play itself may
// not allocate.
//
// The soak runs as several shards, one seed each, so the test runner spreads them over the
// cores. Each shard's length is counted in ticks: GOR_SOAK_TICKS, else a default sized to
// stay well inside the test budget (shorter under the sanitizers, whose ticks are many times
// slower): six shards of 60,000 ticks are 100 minutes of game time.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <string>
#include <vector>

#include "core/fighter.h"
#include "randominput.h"
#include "core/assets.h"
#include "shell/harness.h"
#include "core/match.h"
#include "frontend/premap.h"
#include "core/settings.h"
#include "shell/startup.h"
#include "core/unlocks.h"
#include "tools/recorder/allocations.h"
#include "tools/recorder/record.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
const int DEFAULT_SOAK_TICKS = 2000;
#else
const int DEFAULT_SOAK_TICKS = 60000;
#endif

int soakTicks()
{
    const char *env = getenv("GOR_SOAK_TICKS");
    return env && atoi(env) > 0 ? atoi(env) : DEFAULT_SOAK_TICKS;
}

int isArena(int screen) { return screen == ARENA_HELL || screen == ARENA_LONDON; }

// One bout as the soak saw it.
struct BoutRecord {
    int arena, level;
    long liveAtStart;   // heap blocks live when its first tick of play began
    long playAllocations;
    int ticks;
};

struct SoakRun {
    explicit SoakRun(unsigned seed) : input(seed) {}
    RandomInput input;
    RecordScript spawns;   // both fighters leave their booths early in every bout
    std::vector<BoutRecord> bouts;
    int matches = 0, screenTicks = 0, boutTick = 0;

    void startMatch()
    {
        // Matches start on either arena in turn; the arenas alternate within a match.
        const int first = matches % 2 ? ARENA_LONDON : ARENA_HELL;
        const int second = first == ARENA_HELL ? ARENA_LONDON : ARENA_HELL;
        GLarena1 = GLarena3 = GLarena5 = first;
        GLarena2 = GLarena4 = second;
        GameLength = 5;
        GameLengthCurrent = 0;
        playerOnePower = playerTwoPower = playerOneFrags = playerTwoFrags = 0;
        matches++;
        setupPreMap(GLarena1);
        screenTicks = 0;
    }

    // Input for the tick about to run, by the screen showing.
    void pressInput()
    {
        screenTicks++;
        if (map == SCREEN_PREMAP) {
            harnessReleaseInput();
            // The computer's level changes from bout to bout: 1, 2, 3, 1, ...
            AIcomp = 1 + (int)bouts.size() % 3;
            key[KEY_SPACE] = screenTicks > 30;
        } else if (isArena(map)) {
            if (boutTick == 0) {
                bouts.push_back({map, AIcomp, liveAllocations(), 0, 0});
                screenTicks = 0;
            }
            prepareRecordTick(spawns, boutTick);
            pressRandomKeys(input, boutTick, 0);
            // Short pools, so many bouts end by the drain within the run; a bout the
            // carried cubes keep going is ended after three minutes.
            if (boutTick == 11)
                player->power = player2->power = 10 + input.roll(30);
            if (boutTick == 3 * 60 * 60)
                player2->power = 0;
        } else if (map == SCREEN_RESULT) {
            harnessReleaseInput();
            if (screenTicks > 60 && GameLengthCurrent < GameLength) {
                mouse_x = ((textGox + textGo->w / 2) * displayW() + PLAYFIELD_W - 1) / PLAYFIELD_W;
                mouse_y = ((textGoy + textGo->h / 2) * displayH() + PLAYFIELD_H - 1) / PLAYFIELD_H;
                mouse_b = 1;
            }
        }
    }

    void tick()
    {
        if (map == SCREEN_RESULT && screenTicks > 60 && GameLengthCurrent >= GameLength)
            startMatch();
        const int before = map;
        pressInput();
        const bool play = isArena(before);
        if (play)
            startCountingAllocations();
        harnessTick();
        if (!play)
            return;
        const long made = stopCountingAllocations();
        BoutRecord &b = bouts.back();
        if (map == before) {
            b.playAllocations += made;   // the tick that ends the bout opens the result screen
            b.ticks++;
            boutTick++;
        } else {
            boutTick = 0;
            screenTicks = 0;
        }
    }
};

std::string describe(const std::vector<BoutRecord> &bouts)
{
    std::string text;
    for (size_t i = 0; i < bouts.size(); i++) {
        char line[160];
        snprintf(line, sizeof line,
                 "  bout %zu: arena %d, level %d, %d ticks, %ld live blocks at start, %ld "
                 "allocations in play\n",
                 i + 1, bouts[i].arena, bouts[i].level, bouts[i].ticks, bouts[i].liveAtStart,
                 bouts[i].playAllocations);
        text += line;
    }
    return text;
}

class Soak : public ::testing::TestWithParam<unsigned> {};

TEST_P(Soak, MatchAfterMatchAgainstTheComputerNeitherGrowsNorAllocatesInPlay)
{
    if (!harnessGameDataPresent())
        GTEST_SKIP() << "no generated gor.dat and tile maps in " << harnessGameDir();
    static SoakRun soak(GetParam());
    char err[200];
    ASSERT_EQ(parseRecordScript("spawn 10 p1\nspawn 10 p2\n", &soak.spawns, err, sizeof err), 0);
    harnessStart(GetParam());
    // The unlock store lives in the library's configuration cache, which takes one entry more
    // for every arena unlocked for the first time: start with all of them unlocked, so that
    // a heap that grows from bout to bout means a leak.
    for (int n = 1; n <= ARENA_COUNT; n++)
        set_mapdata(n);
    musicOn = 0;
    p2cpu = 1;
    soak.startMatch();

    const int ticks = soakTicks();
    const clock_t start = clock();
    for (int t = 0; t < ticks; t++)
        soak.tick();
    const double seconds = double(clock() - start) / CLOCKS_PER_SEC;
    printf("%d ticks (%.1f minutes of game time) in %.1f s: %.0f ticks a second, %d matches\n%s",
           ticks, ticks / 3600.0, seconds, ticks / seconds, soak.matches,
           describe(soak.bouts).c_str());

    const std::vector<BoutRecord> &bouts = soak.bouts;
    ASSERT_GE(bouts.size(), 2u) << "the soak never got through a bout";
    // The first bout on each arena cuts that level's pictures and sizes the library's
    // buffers; from the next bout on the heap must hold still.
    size_t settled = 0;
    while (settled < bouts.size() && bouts[settled].arena == bouts[0].arena)
        settled++;
    settled++;
    std::string grew, allocated;
    for (size_t i = settled + 1; i < bouts.size(); i++)
        if (bouts[i].liveAtStart > bouts[settled].liveAtStart)
            grew += " " + std::to_string(i + 1);
    for (size_t i = 0; i < bouts.size(); i++)
        if (bouts[i].playAllocations != 0)
            allocated += " " + std::to_string(i + 1);
    EXPECT_EQ(grew, "") << "the heap grew by these bouts";
    EXPECT_EQ(allocated, "") << "these bouts allocated during play";
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(20u, 21u, 22u, 23u, 24u, 25u));

}  // namespace
