// The per-pixel passes of the match-flow screens against the frame floor (copying the stain
// layer into the back buffer and stretching it onto the screen, which every frame does):
// a paused tick (the loop's tick plus the pause overlay, whose tint reads and writes every
// pixel of the page until the rows settle) reports counter "ratio_to_floor", target <= 1.5,
// once settled; counter "first_ratio_to_floor" is the first paused tick's over a newly drawn
// game frame, whose tint runs over every row (target <= 1.5). A fade frame of the result
// screen and a pre-screen frame (target <= 1.5) are timed too.
//
// Needs the generated data: GOR_GAME_DIR, else build/game relative to the current folder.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench/floor.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "core/music.h"
#include "frontend/pause.h"
#include "frontend/premap.h"
#include "shell/render.h"
#include "frontend/result.h"
#include "shell/startup.h"
#include "tools/recorder/record.h"

namespace {

bool ready = false;

// A London bout, a few ticks in, then paused.
bool startPausedBout()
{
    if (!harnessGameDataPresent())
        return false;
    if (!ready) {
        char err[200];
        RecordScript script;
        if (parseRecordScript("seed 3\narena london\nspawn 1 p1\nspawn 1 p2\n", &script, err,
                              sizeof err) != 0)
            return false;
        startRecordedBout(script);
        for (int i = 0; i < 60; i++)
            harnessTick();
        ready = true;
    }
    map = ARENA_LONDON;
    playersActive = 1;
    paused = 1;
    pausedelay = 0;
    return true;
}

void pausedTick() { harnessTick(); }

void BM_PausedTick(benchmark::State &state)
{
    if (!startPausedBout()) {
        state.SkipWithError("no generated data (gor.dat and tile maps) in the game folder");
        return;
    }
    for (auto _ : state)
        pausedTick();
    state.counters["ratio_to_floor"] = ratioToFloor(pausedTick, 201);
    paused = 0;
    std::vector<double> first;
    for (int i = 0; i < 21; i++) {
        harnessTick();   // not paused: a new game frame, and the next pause starts over it
        paused = 1;
        first.push_back(ratioToFloor(pausedTick, 1));
        paused = 0;
    }
    std::sort(first.begin(), first.end());
    state.counters["first_ratio_to_floor"] = first[10];
}
BENCHMARK(BM_PausedTick)->Unit(benchmark::kMillisecond);

void BM_ResultFadeFrame(benchmark::State &state)
{
    if (!startPausedBout()) {
        state.SkipWithError("no generated data (gor.dat and tile maps) in the game folder");
        return;
    }
    paused = 0;
    for (auto _ : state) {
        resultcount = 0;   // every frame a fading one
        fadePage();
    }
    state.counters["ratio_to_floor"] = ratioToFloor(fadePage, 201);
}
BENCHMARK(BM_ResultFadeFrame)->Unit(benchmark::kMillisecond);

void BM_PreScreenFrame(benchmark::State &state)
{
    if (!startPausedBout()) {
        state.SkipWithError("no generated data (gor.dat and tile maps) in the game folder");
        return;
    }
    paused = 0;
    file_list.count = 0;   // no track decoding in the timed frames
    setupPreMap(ARENA_THEATRE);
    for (int i = 0; i < 40; i++)
        harnessTick();
    for (auto _ : state)
        harnessTick();
    state.counters["ratio_to_floor"] = ratioToFloor(harnessTick, 201);
}
BENCHMARK(BM_PreScreenFrame)->Unit(benchmark::kMillisecond);

}  // namespace
