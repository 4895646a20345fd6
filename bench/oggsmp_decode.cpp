// Whole-file decoding of the game's music track: our decoder against oggdec
// decoding the same file to raw in the same run.  The "ratio" counter is our
// time over oggdec's (the goal is no slower: ratio <= 1.1).
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "oggsmp/oggsmp.h"
#include "shell/startup.h"

namespace {

bool exists(const std::string &path) { return access(path.c_str(), R_OK) == 0; }

// The track the build puts in the game folder.
std::string findTrack() {
    if (const char *dir = getenv("GOR_GAME_DIR"))
        if (exists(std::string(dir) + "/gor_theme.ogg"))
            return std::string(dir) + "/gor_theme.ogg";
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        std::string path(self, (size_t)n);
        path = path.substr(0, path.rfind('/')) + "/game/gor_theme.ogg";
        if (exists(path))
            return path;
    }
    return exists("game/gor_theme.ogg") ? "game/gor_theme.ogg" : "";
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_MusicDecodeVsOggdec(benchmark::State &state) {
    static bool started = startLibrary(SYSTEM_NONE) == 0;   // or an earlier benchmark did
    std::string track = findTrack();
    if (!started || track.empty()) {
        state.SkipWithError("no game/gor_theme.ogg (build the gamedata target)");
        return;
    }
    std::string oggdec = "oggdec -Q -R -b 16 -e 0 -s 0 -o /dev/null '" + track + "'";
    if (system((oggdec + " 2>/dev/null").c_str()) != 0) {
        state.SkipWithError("oggdec (vorbis-tools) is not installed");
        return;
    }
    double ours = 0, theirs = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        SAMPLE *s = oggsmp_load_ogg(track.c_str());
        double t = secondsSince(start);
        if (!s) {
            state.SkipWithError("the track did not decode");
            return;
        }
        destroy_sample(s);
        ours += t;
        state.SetIterationTime(t);

        start = std::chrono::steady_clock::now();
        if (system(oggdec.c_str()) != 0) {
            state.SkipWithError("oggdec failed");
            return;
        }
        theirs += secondsSince(start);
    }
    double n = (double)state.iterations();
    state.counters["ours_ms"] = ours / n * 1000;
    state.counters["oggdec_ms"] = theirs / n * 1000;
    state.counters["ratio"] = ours / theirs;
}
BENCHMARK(BM_MusicDecodeVsOggdec)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
