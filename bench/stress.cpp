// The stress tick: a game tick on Hell with both fighters out and firing and every pool
// topped up to its last record before each tick (gore and casings, every effect, bullets,
// plasma, rockets, explosions, mines, cubes), then the whole tick runs, logic and drawing.
// Counters: "ratio_to_floor", the tick as a multiple of the frame floor of the same run
// (target <= 3; the topping up is inside the measured time), and "allocs_per_1000_ticks"
// (target 0).
//
// Needs the generated data: GOR_GAME_DIR, else build/game relative to the current folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/forcefields.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "bench/floor.h"
#include "core/fighter.h"
#include "core/shots.h"
#include "fighters/weapons.h"
#include "gore/gore.h"
#include "shell/harness.h"
#include "tools/recorder/allocations.h"
#include "tools/recorder/record.h"

namespace {

RecordScript script;
bool started = false;

bool startBout()
{
    if (started)
        return true;
    if (!harnessGameDataPresent())
        return false;
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

// Enough spawns of each effect to fill its pool, spread over the open middle of the arena.
void fillEffects()
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
    }
}

// Both fighters burst into as many pieces as their pools hold, and every casing pool
// fills: each spawn into a full pool is dropped, so the pools stay full.
void fillGore()
{
    typedef void (*Spawn)(int, int);
    static const Spawn green[] = {spawnBlood, spawnGibs, spawnHead, spawnTorso, spawnArm, spawnLeg};
    static const Spawn purple[] = {spawnBlood2, spawnGibs2, spawnHead2, spawnTorso2, spawnArm2,
                                   spawnLeg2};
    static const int counts[] = {BLOOD_COUNT, GIB_COUNT, HEAD_COUNT, TORSO_COUNT, LIMB_COUNT,
                                 LIMB_COUNT};
    for (int k = 0; k < 6; k++) {
        for (int i = 0; i < counts[k]; i++) {
            green[k](player->x + i % player->w, player->y + i % (player->h / 2));
            purple[k](player2->x + i % player2->w, player2->y + i % (player2->h / 2));
        }
    }
    for (int i = 0; i < GIBCASING_COUNT; i++) {
        spawnGibCasing(arms->x, arms->y, player->facing);
        spawnZapZapCasing(arms2->x, arms2->y, player2->facing);
        spawnHomoCasing(arms->x, arms->y, i & 1);
    }
}

// Shots from both guns until their pools are full; explosions over the upper middle of the
// arena, away from the fighters' floors; mines and cubes dropped anywhere in the open.
void fillWeaponsAndPickups()
{
    for (int i = 0; i < BULLET_COUNT; i++) {
        playerShoot();
        player2Shoot();
    }
    for (int i = 0; i < PLASMA_COUNT; i++) {
        playerShootZapZap();
        player2ShootZapZap();
    }
    playerShootHomo();
    player2ShootHomo();
    for (int i = 0; i < EXPLOSION_COUNT; i++)
        spawnExplosion(500 + rand() % 600, 100 + rand() % 250, i % 6, 190);
    for (int i = 0; i < MINE_COUNT; i++) {
        const int x = 100 + rand() % 1400, y = 100 + rand() % 900;
        if (i % 2)
            spawnGreenmine(x, y);
        else
            spawnPurplemine(x, y);
    }
    for (int i = 0; i < CUBE_COUNT; i++)
        spawncube(100 + rand() % 1400, 100 + rand() % 900, 0, rand() % 9 - 4, 0);
}

int tickNumber = 0;

void stressTick()
{
    // Both stay in play: back out of the booth after a death, and never short of health.
    if (!player->alive || !player2->alive)
        prepareRecordTick(script, 0);
    else
        prepareRecordTick(script, 1);
    player->health = player2->health = 12;
    player->power = player2->power = 500;
    fillEffects();
    fillGore();
    fillWeaponsAndPickups();
    harnessTick();
    tickNumber++;
}

void BM_StressTick(benchmark::State &state)
{
    if (!startBout()) {
        state.SkipWithError("no generated data (gor.dat and tile maps) in the game folder");
        return;
    }
    for (int i = 0; i < 100; i++)
        stressTick();
    startCountingAllocations();
    for (int i = 0; i < 1000; i++)
        stressTick();
    const long allocations = stopCountingAllocations();
    for (auto _ : state)
        stressTick();
    state.counters["ratio_to_floor"] = ratioToFloor(stressTick, 201);
    state.counters["allocs_per_1000_ticks"] = (double)allocations;
}
BENCHMARK(BM_StressTick)->Unit(benchmark::kMillisecond);

}  // namespace
