// One complete game tick on Hell with both fighters moving (logic, drawing, the stretch onto
// an 800x600 16-bit memory screen), against the floor of the same run: copying the stain
// layer into the back buffer and stretching it onto the screen, which every frame must do.
// The tick benchmark reports its time as a multiple of the floor (counter
// "ratio_to_floor", target <= 1.5) and the heap allocations made during 1,000 ticks of
// play (counter "allocs_per_1000_ticks", target 0).
// The tick with every pool full is the stress tick (stress.cpp).
//
// Needs the generated data: GOR_GAME_DIR, else build/game relative to the current folder.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include "bench/floor.h"
#include "core/settings.h"
#include "shell/harness.h"
#include "shell/render.h"
#include "shell/startup.h"
#include "tools/recorder/allocations.h"
#include "tools/recorder/record.h"


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
    startCountingAllocations();
    for (int i = 0; i < 1000; i++)
        playTick();
    allocationsDuringPlay = stopCountingAllocations();
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

}  // namespace
