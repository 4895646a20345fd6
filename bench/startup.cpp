// Start-up: from nothing to the first title frame, as main runs it (the library started,
// settings read, the data file loaded and cut, every set-up of the first pass), then one
// tick of the title screen; the shut-down after it is outside the measured time.
//
// Needs the generated data: GOR_GAME_DIR, else build/game relative to the current folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>

#include "shell/harness.h"

namespace {

void BM_StartupToFirstTitleFrame(benchmark::State &state)
{
    if (!harnessGameDataPresent()) {
        state.SkipWithError("no generated data (gor.dat and tile maps) in the game folder");
        return;
    }
    char home[4096];
    if (!getcwd(home, sizeof home)) {
        state.SkipWithError("cannot read the current folder");
        return;
    }
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        harnessStart(1);
        harnessTick();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        harnessStop();
        // The harness starts from the game folder named relative to where we began.
        if (chdir(home) != 0)
            break;
    }
}
BENCHMARK(BM_StartupToFirstTitleFrame)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
