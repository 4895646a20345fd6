// A bout between the computer and a player 1 who stands still at his respawn spot, in his
// own base, and never presses anything: every death of the computer is then its own doing.
// Used by the computer-opponent report (gor_aireport) and by the computer's tests.
#pragma once

// What one bout came to.
struct StandingBout {
    int ticks;          // ticks played
    int ownDeaths;      // the computer's deaths
    int lavaDeaths;     // of those, in Hell's lava
    int cubesTaken;     // cubes the computer picked up
    int cubesCashed;    // cubes it carried home
    int cashIns;        // trips home (one to three cubes each)
    int won;            // 1: player 1's pool ran dry first
    int ended;          // 1: a pool ran dry within the tick limit
};

// One bout to play: the arena (Hell or London), the computer's level and rand()'s seed.
struct StandingBoutJob {
    int arena, level;
    unsigned seed;
};

// Optional calls around a bout, for tracing: before its first tick, after every tick (with
// the tick number), after its last tick. Any of them may be NULL.
struct StandingBoutWatch {
    void (*begin)(const StandingBoutJob &job);
    void (*tick)(int tick);
    void (*end)(const StandingBout &result);
};

// A fresh bout on `arena` with the computer driving player 2 at `level`, rand() seeded by
// `seed`, both fighters out of their booths and the frame's gates open. The harness must have
// been started.
void startComputerBout(int arena, int level, unsigned seed);

// Plays one bout for at most `maxTicks` ticks or until a pool runs dry. The harness must
// have been started. `watch` may be NULL.
StandingBout playStandingBout(const StandingBoutJob &job, int maxTicks, const StandingBoutWatch *watch);

// Plays every job in a child process of its own, forked from this one, up to `workers` at a
// time; the results come back in job order. Each bout thus starts from the same world,
// whatever was played before it or beside it. False when a child did not report back.
bool playStandingBoutsForked(const StandingBoutJob *jobs, int count, int workers, int maxTicks,
                             const StandingBoutWatch *watch, StandingBout *results);
