// Whole bouts of the computer against an idle player 1 and against a scripted one, for the
// record rather than as a check: run with GOR_AI_MATCHES=<seeds> (skipped otherwise). Prints
// one line per arena, level and opponent: bouts won, lost and drawn by the computer, the
// cubes it cashed in and the frags of both sides.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "ai_env.h"
#include "fighters/fighter.h"
#include "shell/harness.h"
#include "shell/loop.h"

namespace {

struct MatchCase {
    int arena, level, scripted;
};

class ComputerMatch : public AiBout, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(ComputerMatch, Record)
{
    const char *seedsText = getenv("GOR_AI_MATCHES");
    if (!seedsText)
        GTEST_SKIP() << "set GOR_AI_MATCHES=<seeds> to play the record bouts";
    const MatchCase c = GetParam();
    int won = 0, lost = 0, drawn = 0, cashed = 0, frags2 = 0, frags1 = 0;
    for (int seed = 1; seed <= atoi(seedsText); seed++) {
        startBout(c.arena, c.level, seed * 7919 + c.arena * 31 + c.level);
        int carried = 0;
        for (int t = 0; t < 400 * 60 && playersActive; t++) {
            if (c.scripted)
                scriptedHuman(t);
            else
                harnessReleaseInput();
            harnessTick();
            // Cubes that leave him alive were cashed in; at a death they are lost.
            if (player2->cubesCarried < carried && player2->health > 0)
                cashed += carried - player2->cubesCarried;
            carried = player2->cubesCarried;
        }
        won += player2->won && !player->won;
        lost += player->won && !player2->won;
        drawn += player->won == player2->won;
        frags2 += player2->frags;
        frags1 += player->frags;
    }
    printf("%s level %d vs %s: won %d lost %d drawn %d, cubes cashed %d, frags %d to %d\n",
           c.arena == ARENA_HELL ? "Hell" : "London", c.level, c.scripted ? "scripted" : "idle",
           won, lost, drawn, cashed, frags2, frags1);
}

std::string caseName(const ::testing::TestParamInfo<MatchCase> &info)
{
    return std::string(info.param.arena == ARENA_HELL ? "Hell" : "London") + "Level" +
           std::to_string(info.param.level) + (info.param.scripted ? "Scripted" : "Idle");
}

INSTANTIATE_TEST_SUITE_P(
    BothArenasEveryLevel, ComputerMatch,
    ::testing::Values(MatchCase{ARENA_HELL, 1, 0}, MatchCase{ARENA_HELL, 2, 0},
                      MatchCase{ARENA_HELL, 3, 0}, MatchCase{ARENA_LONDON, 1, 0},
                      MatchCase{ARENA_LONDON, 2, 0}, MatchCase{ARENA_LONDON, 3, 0},
                      MatchCase{ARENA_HELL, 1, 1}, MatchCase{ARENA_HELL, 2, 1},
                      MatchCase{ARENA_HELL, 3, 1}, MatchCase{ARENA_LONDON, 1, 1},
                      MatchCase{ARENA_LONDON, 2, 1}, MatchCase{ARENA_LONDON, 3, 1}),
    caseName);

}  // namespace
