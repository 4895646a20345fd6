// The game tick with the computer driving player 2 (level 2), on Hell and on London, against
// the tick of the same bout with two people at the keys. Both play the whole tick (logic,
// drawing, the stretch onto the screen); the two kinds of tick are taken turn about so both
// see the same machine. Counters: "ratio_to_humans" (median computer tick over median
// two-person tick, target <= 1.2) and "allocs_per_1000_ticks" (target 0; -1 under
// AddressSanitizer).
//
// Needs the generated data: GOR_GAME_DIR, else build/game relative to the current folder.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include "bench/floor.h"
#include "core/fighter.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "core/settings.h"
#include "tools/recorder/allocations.h"

namespace {

void press(int slot)
{
    int index = keyIndexOfCode(keyBindings[slot].code);
    if (index >= 0)
        key[index] = 1;
}

// Player 1 runs two thirds of a second one way, then back, firing all the time; with two
// people, player 2 does the same the other way round.
void pressKeys(long tick, int person2)
{
    harnessReleaseInput();
    const int phase = (tick / 40) % 2;
    press(phase == 0 ? BIND_P1_RIGHT : BIND_P1_LEFT);
    press(BIND_P1_FIRE);
    if (person2)
        press(phase == 0 ? BIND_P2_LEFT : BIND_P2_RIGHT);
}

long tickNumber = 0;

void computerTick()
{
    p2cpu = 1;
    pressKeys(tickNumber++, 0);
    harnessTick();
}

void humanTick()
{
    p2cpu = 0;
    pressKeys(tickNumber++, 1);
    harnessTick();
}

void startBout(int arena)
{
    static bool started = false;
    if (!started) {
        harnessStart(5);
        started = true;
    }
    musicOn = 0;
    p2cpu = 1;
    AIcomp = 2;
    harnessNewBout(arena);
    harnessLeaveBooth(player, booth, FACING_RIGHT);
    player->hasSpawned = 1;
    harnessLeaveBooth(player2, booth2, FACING_LEFT);
    playersActive = 1;
}

void BM_ComputerTick(benchmark::State &state)
{
    if (!harnessGameDataPresent()) {
        state.SkipWithError("no generated data (gor.dat and tile maps) in the game folder");
        return;
    }
    startBout((int)state.range(0));
    for (int i = 0; i < 600; i++)
        computerTick();
    startCountingAllocations();
    for (int i = 0; i < 1000; i++)
        computerTick();
    const long allocations = stopCountingAllocations();
    for (auto _ : state)
        computerTick();

    state.counters["ratio_to_humans"] = medianRatio(computerTick, humanTick, 401);
    state.counters["allocs_per_1000_ticks"] = (double)allocations;
    p2cpu = 0;
}
BENCHMARK(BM_ComputerTick)->Arg(ARENA_HELL)->Arg(ARENA_LONDON)->Unit(benchmark::kMillisecond);

}  // namespace
