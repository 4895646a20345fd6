// Long seeded bouts with the computer driving player 2 against a scripted player 1, on both
// generated arenas at every level. Every tick is checked at the moment the fighters' movement
// reads the input flags.
#include <allegro.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "ai_env.h"
#include "arena/pickups.h"
#include "core/fighter.h"
#include "core/settings.h"
#include "shell/harness.h"
#include "shell/loop.h"

namespace {

struct Flags {
    int p1[7], p2[7];
};

Flags readFlags()
{
    Flags f = {{d1, d2, up1, down1, jump1, fire1, laybomb1}, {pd1, pd2, up2, down2, jump2, fire2, laybomb2}};
    return f;
}

// What the hook saw during one bout.
struct Watch {
    Flags beforeAi, beforeNode;
    int fireBeforeAi = 0;
    int p1Touched = 0;          // ticks on which the computer changed a player 1 flag
    int bombs = 0;
    int fires = 0, lastFire = -1000, shortestGap = 1 << 30;
    int firesFromBase = 0, firesAtRespawning = 0;
    int tick = 0;
};

Watch *watch = NULL;

void flagsChangedFor(const Flags &before)
{
    if (memcmp(before.p1, readFlags().p1, sizeof before.p1) != 0)
        watch->p1Touched++;
}

// Before each step of the game frame: around the computer's two steps the other player's
// flags must not change; just before the fighters move, the flags are what they will read.
void onStep(const char *step)
{
    if (!watch)
        return;
    Watch &w = *watch;
    // A fire press is judged when it is made: by the behaviour at the start of the frame, or
    // by the nodes at its end (that press acts in the next frame).
    const int afterAi = strcmp(step, "updateHell") == 0 || strcmp(step, "updateLondon") == 0;
    const int afterNodes = strcmp(step, "draw") == 0;
    if (strcmp(step, "Player2ai") == 0) {
        w.beforeAi = readFlags();
        w.fireBeforeAi = fire2;
    }
    if (afterAi)
        flagsChangedFor(w.beforeAi);
    if (strcmp(step, "updateNode") == 0)
        w.beforeNode = readFlags();
    if (afterNodes)
        flagsChangedFor(w.beforeNode);
    if ((afterAi && fire2 && !w.fireBeforeAi) || (afterNodes && fire2)) {
        w.firesFromBase += player2->inBase != 0;
        w.firesAtRespawning += player->respawning != 0;
    }
    if (strcmp(step, "playerGravity") != 0)
        return;
    if (laybomb2)
        w.bombs++;
    // Under the speed power-up the cooldown is 7 at every level: those gaps do not count.
    if (player2->sonic)
        w.lastFire = -1000;
    if (fire2) {
        w.fires++;
        w.shortestGap = std::min(w.shortestGap, w.tick - w.lastFire);
        w.lastFire = w.tick;
    }
}

struct BoutCase {
    int arena, level;
};

class ComputerBout : public AiBout, public ::testing::WithParamInterface<BoutCase> {};

// The least number of ticks between two fire presses at each level: the cooldown's lower
// bound with player 1 near.
int shortestAllowedGap(int level) { return level == 1 ? 18 : level == 2 ? 10 : 4; }

TEST_P(ComputerBout, PlaysOnlyThroughItsFlagsWithinItsLevelAndNeverStaysStuck)
{
    const BoutCase c = GetParam();
    startBout(c.arena, c.level, 1000 + c.arena * 10 + c.level);
    for (int k = 0; k < 3; k++)
        dropCubeSomewhere(k);
    Watch w;
    watch = &w;
    frameStepHook = onStep;
    // "Stuck": the longest run of ticks in which player 2 stays inside an 80 px square.
    int anchorX = player2->x, anchorY = player2->y, stay = 0, longestStay = 0;
    int maxCarried = 0, taken = 0, cashed = 0, carried = 0;
    const int ticks = 90 * 60;
    for (w.tick = 0; w.tick < ticks; w.tick++) {
        // Both pools are kept up, so the bout runs its whole length.
        player->power = std::max(player->power, 150);
        player2->power = std::max(player2->power, 150);
        scriptedHuman(w.tick);
        harnessTick();
        ASSERT_EQ(playersActive, 1);
        Fighter *f = player2;
        taken += std::max(0, f->cubesCarried - carried);
        if (f->cubesCarried < carried && f->health > 0)
            cashed += carried - f->cubesCarried;
        carried = f->cubesCarried;
        maxCarried = std::max(maxCarried, f->cubesCarried);
        for (int k = 0; k < 3; k++)
            if (!cube[k]->active)
                dropCubeSomewhere(k);
        if (abs(f->x - anchorX) > 80 || abs(f->y - anchorY) > 80 || f->respawning) {
            anchorX = f->x;
            anchorY = f->y;
            stay = 0;
        } else {
            longestStay = std::max(longestStay, ++stay);
        }
    }
    frameStepHook = NULL;
    watch = NULL;

    EXPECT_EQ(w.p1Touched, 0);
    EXPECT_LE(maxCarried, 3);
    if (c.level == 1) {
        EXPECT_EQ(w.bombs, 0);
    }
    EXPECT_GT(w.fires, 0);
    EXPECT_GE(w.shortestGap, shortestAllowedGap(c.level));
    EXPECT_EQ(w.firesFromBase, 0);
    EXPECT_EQ(w.firesAtRespawning, 0);
    // The longest waits the rules make on purpose: holding on the box while player 1
    // respawns (his booth's animation, 450 ticks) and a node's rest (200 ticks).
    EXPECT_LE(longestStay, 900);
    EXPECT_GT(taken, 0);
    RecordProperty("longest_stay_ticks", longestStay);
    RecordProperty("cubes_taken", taken);
    RecordProperty("cubes_cashed", cashed);
}

std::string caseName(const ::testing::TestParamInfo<BoutCase> &info)
{
    return std::string(info.param.arena == ARENA_HELL ? "Hell" : "London") + "Level" +
           std::to_string(info.param.level);
}

INSTANTIATE_TEST_SUITE_P(BothArenasEveryLevel, ComputerBout,
                         ::testing::Values(BoutCase{ARENA_HELL, 1}, BoutCase{ARENA_HELL, 2},
                                           BoutCase{ARENA_HELL, 3}, BoutCase{ARENA_LONDON, 1},
                                           BoutCase{ARENA_LONDON, 2}, BoutCase{ARENA_LONDON, 3}),
                         caseName);

}  // namespace
