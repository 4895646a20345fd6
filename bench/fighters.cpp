// The fighter block of one game frame (gravity, movement, tile collision and gun anchor of
// both fighters) on Hell, both running to and fro along the mid floor. Each frame makes a
// few hundred tile probes per fighter; this is their cost.
//
// Needs the generated data: GOR_GAME_DIR, else build/game relative to the current folder.
#include <benchmark/benchmark.h>

#include "arena/effects.h"
#include "arena/forcefields.h"
#include "arena/levels.h"
#include "core/fighter.h"
#include "core/settings.h"
#include "fighters/fighter.h"
#include "shell/harness.h"
#include "shell/loop.h"

namespace {

void bringOut(Fighter *f, int x)
{
    f->alive = 1;
    f->respawning = 0;
    f->health = 12;
    f->x = f->prevX = x;
    f->y = f->prevY = 654;
}

void BM_FighterFrame(benchmark::State &state)
{
    if (!harnessGameDataPresent()) {
        state.SkipWithError("no generated data in the game folder");
        return;
    }
    static bool started = false;
    if (!started) {
        harnessStart(11);
        started = true;
    }
    p2cpu = 0;
    setupPlayer();
    setupPlayer2();
    setupEffects();
    setupForcefields();
    setupHell();
    bringOut(player, 150);
    bringOut(player2, 1400);
    long frame = 0;
    for (auto _ : state) {
        int phase = (frame++ / 60) % 2;
        d2 = pd1 = phase == 0;
        d1 = pd2 = phase == 1;
        harnessFighterSteps();
    }
    benchmark::DoNotOptimize(player->x);
}
BENCHMARK(BM_FighterFrame);

} // namespace
