// A game tick on Hell with every effect pool full: before each tick every pool is topped up
// to its last record (and, for the second case, all ten explosions are live), then the whole
// tick runs, logic and drawing. Reported as a multiple of the frame floor (counter
// "ratio_to_floor"), as the plain tick benchmark does; the filling is inside the measured
// time.
//
// Needs the generated data: GOR_GAME_DIR, else build/game relative to the current folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/forcefields.h"
#include "arena/pickups.h"
#include "bench/floor.h"
#include "shell/harness.h"
#include "tools/recorder/record.h"

namespace {

bool started = false;
int withExplosions = 0;

bool startBout()
{
    if (started)
        return true;
    if (!harnessGameDataPresent())
        return false;
    static RecordScript script;
    char err[200];
    if (parseRecordScript("seed 5\narena hell\nspawn 0 p1\nspawn 0 p2\n", &script, err,
                          sizeof err) != 0)
        return false;
    startRecordedBout(script);
    prepareRecordTick(script, 0);
    powerup[0]->active = 1;
    powerup[0]->x = 780;
    powerup[0]->y = 300;
    started = true;
    return true;
}

// Enough spawns of each kind to fill its pool, spread over the open middle of the arena.
void fillEveryPool()
{
    for (int i = 0; i < 80; i++) {
        const int x = 100 + rand() % 1400, y = 100 + rand() % 900;
        spawnCubeFrazzle(x, y);
        spawnRespawnBubble(x, y);
        spawnHomoTrail(x, y);
        spawnGreenFFPart(x, y);
        spawnPurpleFFPart(x, y);
        spawnLightning(x, y, x + 40, y + 120);
        spawnMiniLightning(x, y, x + 10, y + 30);
        spawnRain(x, y, 12, 12);
        spawnSnow(x, y, 30, i % 2);
        spawnLazer(x, y, x + 300, y);
        spawnSpark(x, y, i % 5 + 1);
        spawnPupPartSpawner(x, y, i % 2 + 1, 0);
        spawnPupPart(x, y, i % 2 + 1, 0, i % PUPPARTSPAWNER_COUNT);
        spawnBlueFlame(x, y);
        spawnPoo(x, y);
        spawnSpeedLine(x, y, i % 2, 20);
        spawnBubble(x, y, 1, -1, 6, y - 200);
        spawnGroundBit(x, y, 200, 40, 40, 3, -5);
        spawnMagnoBit(x, y, i % 2);
        if (withExplosions)
            spawnExplosion(x, y, i % 6, 190);
    }
}

void fullTick()
{
    fillEveryPool();
    harnessTick();
}

void BM_TickWithEveryEffectPoolFull(benchmark::State &state)
{
    if (!startBout()) {
        state.SkipWithError("no generated data (gor.dat and tile maps) in the game folder");
        return;
    }
    withExplosions = (int)state.range(0);
    for (auto _ : state)
        fullTick();
    state.counters["ratio_to_floor"] = ratioToFloor(fullTick, 201);
}
BENCHMARK(BM_TickWithEveryEffectPoolFull)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
