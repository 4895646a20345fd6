// The pick-up block of one game frame (spawner, cubes, box) and the mines on Hell with every
// cube record and mine live and on the move: the most tile probes these updates can make.
//
// Needs the generated data: GOR_GAME_DIR, else build/game relative to the current folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "arena/effects.h"
#include "arena/forcefields.h"
#include "arena/levels.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "core/settings.h"
#include "fighters/fighter.h"
#include "shell/harness.h"

namespace {

void BM_PickupFrame(benchmark::State &state)
{
    if (!harnessGameDataPresent()) {
        state.SkipWithError("no generated data in the game folder");
        return;
    }
    harnessStart(13);
    p2cpu = 0;
    setupPlayer();
    setupPlayer2();
    setupEffects();
    setupForcefields();
    setupcubespawner();
    setupMines();
    setupHell();
    long frame = 0;
    for (auto _ : state) {
        // Every second throw everything up into the air again.
        if (frame++ % 60 == 0) {
            for (int i = 0; i < CUBE_COUNT; i++)
                spawncube(100 + i * 90, 100, 0, rand() % 21 - 10, -10);
            for (int i = 0; i < MINE_COUNT; i++)
                spawnGreenmine(100 + i * 55, 100);
            spawnpowerup(800, 100);
            for (Mine *m : mine)
                m->xVel = rand() % 21 - 10;
        }
        cubespawnerroutine();
        updatecube();
        updatepowerup();
        updatemines();
    }
    benchmark::DoNotOptimize(cube[0]->x);
    harnessStop();
}
BENCHMARK(BM_PickupFrame);

} // namespace
