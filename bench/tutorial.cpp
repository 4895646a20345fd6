// One tick of a tutorial hint pause: the whole playfield darkened a step, player 1 and the
// hint pictures drawn bright over it, the stretch onto the screen; and one game tick of the
// tutorial. Both also as a multiple of the frame floor (counter "ratio_to_floor").
//
// Needs the generated data: GOR_GAME_DIR, else build/game relative to the current folder.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include "bench/floor.h"
#include "core/tutorial.h"
#include "shell/harness.h"
#include "tools/recorder/record.h"

namespace {

bool startTutorial()
{
    static bool ready = false;
    if (ready)
        return true;
    if (!harnessGameDataPresent())
        return false;
    static RecordScript script;
    char err[200];
    if (parseRecordScript("arena tutorial\nspawn 0 p1\nspawn 0 p2\n", &script, err,
                          sizeof err) != 0)
        return false;
    startRecordedBout(script);
    prepareRecordTick(script, 0);
    harnessTicks(60);
    ready = true;
    return true;
}

void pauseTick()
{
    tutWaitCount = 0;   // so no key can end it
    harnessTick();
}

void BM_TutorialPauseTick(benchmark::State &state)
{
    if (!startTutorial()) {
        state.SkipWithError("no generated data in the game folder");
        return;
    }
    tutorialWait = 1;
    for (auto _ : state)
        pauseTick();
    state.counters["ratio_to_floor"] = ratioToFloor(pauseTick, 201);
    tutorialWait = 0;
}
BENCHMARK(BM_TutorialPauseTick)->Unit(benchmark::kMillisecond);

void BM_TutorialGameTick(benchmark::State &state)
{
    if (!startTutorial()) {
        state.SkipWithError("no generated data in the game folder");
        return;
    }
    for (auto _ : state)
        harnessTick();
    state.counters["ratio_to_floor"] = ratioToFloor(harnessTick, 201);
}
BENCHMARK(BM_TutorialGameTick)->Unit(benchmark::kMillisecond);

}  // namespace
