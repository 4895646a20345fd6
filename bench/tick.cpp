// One complete game tick on Hell with both fighters moving (logic, drawing, the stretch onto
// an 800x600 16-bit memory screen), against the floor of the same run: copying the stain
// layer into the back buffer and stretching it onto the screen, which every frame must do.
// The tick benchmark reports its time as a multiple of the floor (counter
// "ratio_to_floor", target <= 1.5) and the heap allocations made during 1,000 ticks of
// play (counter "allocs_per_1000_ticks", target 0), counted by the malloc hook below.
// The gore stress tick tops every gore and casing pool up at both fighters before each
// tick, so all of it flies, bleeds and lands at once; it reports its median against the
// plain tick's (counter "ratio_to_plain_tick", target <= 2) and its allocations.
//
// Needs the generated data: GOR_GAME_DIR, else build/game relative to the current folder.
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <stddef.h>
#include <vector>

#include "bench/floor.h"
#include "bench/measure.h"
#include "fighters/fighter.h"
#include "gore/gore.h"
#include "shell/harness.h"
#include "shell/render.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "tools/recorder/record.h"

// ---- Allocation counting: every malloc, calloc and realloc of the process passes here.
// (Not under AddressSanitizer, which must see every allocation itself: the count is -1.)
bool countingAllocations = false;
long allocationCount = 0;

#ifndef __SANITIZE_ADDRESS__
extern "C" void *__libc_malloc(size_t);
extern "C" void *__libc_calloc(size_t, size_t);
extern "C" void *__libc_realloc(void *, size_t);

extern "C" void *malloc(size_t n)
{
    if (countingAllocations)
        allocationCount++;
    return __libc_malloc(n);
}

extern "C" void *calloc(size_t n, size_t size)
{
    if (countingAllocations)
        allocationCount++;
    return __libc_calloc(n, size);
}

extern "C" void *realloc(void *p, size_t n)
{
    if (countingAllocations)
        allocationCount++;
    return __libc_realloc(p, n);
}
#endif

namespace {

RecordScript script;
bool ready = false;
int tickNumber = 0;

// Fighter 1 fires all the time; both run two thirds of a second one way, then back, so
// they stay on their booths' floors.
void pressKeys(int tick)
{
    prepareRecordTick(script, tick);
    const int phase = (tick / 40) % 2;
    const int slots[2][2] = {{BIND_P1_RIGHT, BIND_P2_LEFT}, {BIND_P1_LEFT, BIND_P2_RIGHT}};
    for (int s : slots[phase]) {
        int index = keyIndexOfCode(keyBindings[s].code);
        if (index >= 0)
            key[index] = 1;
    }
}

void playTick()
{
    pressKeys(tickNumber++);
    harnessTick();
}

long allocationsDuringPlay = -1;

// Starts the bout once, lets both fighters out of their booths, then counts the
// allocations of 1,000 ticks of play.
bool startBout()
{
    if (ready)
        return true;
    if (!harnessGameDataPresent())
        return false;
    char err[200];
    if (parseRecordScript("seed 3\narena hell\nspawn 1 p1\nspawn 1 p2\nhold 0 100000000 p1.fire\n", &script, err,
                          sizeof err) != 0)
        return false;
    startRecordedBout(script);
    for (int i = 0; i < 600; i++)
        playTick();
    allocationCount = 0;
    countingAllocations = true;
    for (int i = 0; i < 1000; i++)
        playTick();
    countingAllocations = false;
#ifdef __SANITIZE_ADDRESS__
    allocationsDuringPlay = -1;
#else
    allocationsDuringPlay = allocationCount;
#endif
    ready = true;
    return true;
}

void BM_GameTick(benchmark::State &state)
{
    if (!startBout()) {
        state.SkipWithError("no generated data (gor.dat and tile maps) in the game folder");
        return;
    }
    for (auto _ : state)
        playTick();
    state.counters["ratio_to_floor"] = ratioToFloor(playTick, 401);
    state.counters["allocs_per_1000_ticks"] = (double)allocationsDuringPlay;
}
BENCHMARK(BM_GameTick)->Unit(benchmark::kMillisecond);

void BM_FloorFrame(benchmark::State &state)
{
    if (!startBout()) {
        state.SkipWithError("no generated data (gor.dat and tile maps) in the game folder");
        return;
    }
    for (auto _ : state)
        floorFrame();
}
BENCHMARK(BM_FloorFrame)->Unit(benchmark::kMillisecond);

// Both fighters burst into as many pieces as their pools hold, and every casing pool
// fills: each spawn into a full pool is dropped, so the pools stay full.
void burstBoth()
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

void goreTick()
{
    burstBoth();
    playTick();
}

double medianSeconds(void (*step)(), int rounds)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; i++)
        times.push_back(secondsOf(step));
    std::sort(times.begin(), times.end());
    return times[rounds / 2];
}

void BM_GoreStressTick(benchmark::State &state)
{
    if (!startBout()) {
        state.SkipWithError("no generated data (gor.dat and tile maps) in the game folder");
        return;
    }
    // A bout of its own, fresh, with both fighters out: a bout is only minutes long.
    startRecordedBout(script);
    tickNumber = 0;
    for (int i = 0; i < 200; i++)
        playTick();
    const double plain = medianSeconds(playTick, 301);
    // Warm-up: Allegro's flood fill (the lava) keeps a span buffer that grows to the
    // largest fill it has met, and gore over the lava splits the fill into more spans.
    for (int i = 0; i < 300; i++)
        goreTick();
    allocationCount = 0;
    countingAllocations = true;
    for (int i = 0; i < 1000; i++)
        goreTick();
    countingAllocations = false;
    for (auto _ : state)
        goreTick();
    state.counters["ratio_to_plain_tick"] = medianSeconds(goreTick, 301) / plain;
#ifdef __SANITIZE_ADDRESS__
    state.counters["allocs_per_1000_ticks"] = -1;
#else
    state.counters["allocs_per_1000_ticks"] = (double)allocationCount;
#endif
}
BENCHMARK(BM_GoreStressTick)->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace
