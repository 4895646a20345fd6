// gor_aireport: how the computer opponent fares on the generated arenas against a player 1
// who stands still in his base (so every death of the computer is its own doing). For Hell
// and London at every level it plays seeded bouts and prints, per bout, the computer's own
// deaths (and how many of them in Hell's lava), the cubes it took and carried home, how many
// bouts it won and how long they lasted (a bout ends when a pool runs dry).
//
//   gor_aireport [--seeds N] [--seed K] [--seconds S] [--jobs J] [--arena hell|london]
//                [--level L] [--trace] [--window FROM:TO]
//
// --seeds plays N seeds per arena and level (10), starting at the K-th (0); --seconds caps a
// bout (300); --jobs plays that many bouts at once (4). --trace plays one bout at a time and
// prints, before each death of the computer, what it was doing tick by tick (goal, direction,
// jump target, the keys it pressed, the Hell route hint it was in, the path node that changed
// its plan) and where each trip with cubes went; --window also prints every tick of that
// range. Needs the generated data: GOR_GAME_DIR, else build/game.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "shell/harness.h"
#include "core/world.h"
#include "tools/aireport/standing_bout.h"
#include "tools/aireport/trace.h"

namespace {

const char *arenaName(int arena) { return arena == ARENA_HELL ? "Hell" : "London"; }

// Seeds differ by arena and level, so no two rows replay one another's dice.
unsigned seedOf(int arena, int level, int k) { return 7000u + (unsigned)arena * 1000u + level * 100u + k; }

void printTable(const std::vector<StandingBoutJob> &jobs, const std::vector<StandingBout> &res, int seeds)
{
    printf("%-7s %5s %6s %9s %9s %9s %9s %8s %7s\n", "arena", "level", "bouts", "deaths/b", "lava/b",
           "cashed/b", "taken/b", "won", "mean s");
    for (size_t i = 0; i < jobs.size(); i += seeds) {
        int deaths = 0, lava = 0, cashed = 0, taken = 0, won = 0, ticks = 0;
        for (int k = 0; k < seeds; k++) {
            const StandingBout &r = res[i + k];
            deaths += r.ownDeaths;
            lava += r.lavaDeaths;
            cashed += r.cubesCashed;
            taken += r.cubesTaken;
            won += r.won;
            ticks += r.ticks;
        }
        printf("%-7s %5d %6d %9.2f %9.2f %9.2f %9.2f %4d/%-3d %7.1f\n", arenaName(jobs[i].arena), jobs[i].level,
               seeds, (double)deaths / seeds, (double)lava / seeds, (double)cashed / seeds, (double)taken / seeds,
               won, seeds, ticks / 60.0 / seeds);
    }
}

int usage(int status)
{
    fprintf(status ? stderr : stdout,
            "usage: gor_aireport [--seeds N] [--seed K] [--seconds S] [--jobs J] [--arena hell|london]\n"
            "                    [--level L] [--trace] [--window FROM:TO]\n"
            "  --seeds N        bouts per arena and level (10), from the K-th seed (--seed, 0)\n"
            "  --seconds S      longest bout (300); a bout ends when a pool runs dry\n"
            "  --jobs J         bouts played at once (4)\n"
            "  --arena, --level only that arena (hell or london) or level (1..3)\n"
            "  --trace          one bout at a time; before each death of the computer, what it did\n"
            "                   tick by tick; where each trip with cubes went\n"
            "  --window A:B     with the trace, also every tick from A to B\n");
    return status;
}

}  // namespace

int main(int argc, char **argv)
{
    int seeds = 10, firstSeed = 0, seconds = 300, workers = 4, onlyArena = 0, onlyLevel = 0, trace = 0;
    for (int i = 1; i < argc; i++) {
        const char *a = argv[i];
        const char *v = i + 1 < argc ? argv[i + 1] : NULL;
        int from = 0, to = 0;
        if (!strcmp(a, "--help") || !strcmp(a, "-h"))
            return usage(0);
        if (!strcmp(a, "--trace")) {
            trace = 1;
            continue;
        }
        if (!v)
            return usage(2);
        i++;
        if (!strcmp(a, "--seeds"))
            seeds = atoi(v);
        else if (!strcmp(a, "--seed"))
            firstSeed = atoi(v);
        else if (!strcmp(a, "--seconds"))
            seconds = atoi(v);
        else if (!strcmp(a, "--jobs"))
            workers = atoi(v);
        else if (!strcmp(a, "--level"))
            onlyLevel = atoi(v);
        else if (!strcmp(a, "--arena"))
            onlyArena = !strcmp(v, "hell") ? ARENA_HELL : !strcmp(v, "london") ? ARENA_LONDON : -1;
        else if (!strcmp(a, "--window") && sscanf(v, "%d:%d", &from, &to) == 2)
            traceWindow(from, to), trace = 1;
        else
            return usage(2);
    }
    if (seeds < 1 || firstSeed < 0 || seconds < 1 || workers < 1 || onlyArena < 0 || onlyLevel < 0 ||
        onlyLevel > 3)
        return usage(2);
    if (!harnessGameDataPresent()) {
        fprintf(stderr, "gor_aireport: no generated data in %s (set GOR_GAME_DIR)\n", harnessGameDir());
        return 1;
    }
    std::vector<StandingBoutJob> jobs;
    const int arenas[2] = {ARENA_HELL, ARENA_LONDON};
    for (int arena : arenas)
        for (int level = 1; level <= 3; level++)
            if ((!onlyArena || onlyArena == arena) && (!onlyLevel || onlyLevel == level))
                for (int k = 0; k < seeds; k++)
                    jobs.push_back(StandingBoutJob{arena, level, seedOf(arena, level, firstSeed + k)});
    std::vector<StandingBout> results(jobs.size());
    harnessStart(1);
    // A trace prints as it plays: one bout at a time.
    if (!playStandingBoutsForked(jobs.data(), (int)jobs.size(), trace ? 1 : workers, seconds * 60,
                                 trace ? &traceWatch : NULL, results.data())) {
        fprintf(stderr, "gor_aireport: a bout did not come back\n");
        return 1;
    }
    printf("Computer against a standing player 1, %d seeds from %d, bouts of at most %d s\n", seeds, firstSeed,
           seconds);
    printTable(jobs, results, seeds);
    return 0;
}
