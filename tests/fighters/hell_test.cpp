// Both fighters on the generated Hell arena: scripted input takes each through every state
// of the movement machine, and neither ever ends a tick with his centre in rock.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "arena/effects.h"
#include "arena/forcefields.h"
#include "arena/levels.h"
#include "core/probes.h"
#include "core/settings.h"
#include "fighters/fighter.h"
#include "fighters_env.h"
#include "shell/harness.h"

namespace {

class HellTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (harnessGameDataPresent())
            harnessStart(2468);
    }
    void SetUp() override
    {
        if (!harnessGameDataPresent())
            GTEST_SKIP() << "skipped: no generated arenas in " << harnessGameDir();
        p2cpu = 0;
        setupPlayer();
        setupPlayer2();
        setupEffects();
        setupForcefields();
        setupHell();
    }

    // Player 1 at (x1, y), player 2 at (x2, y), alive, at rest; the ticks that follow use
    // player 1's keys for both, mirrored for player 2.
    void place(int x1, int x2, int y)
    {
        restFighters(x1, x2, y);
        run("", 5);
    }

    void run(const char *k, int ticks)
    {
        for (int t = 0; t < ticks; t++) {
            fighterTick(keys(k));
            for (Fighter *f : {player, player2}) {
                seen[f == player ? 0 : 1].insert(f->state);
                EXPECT_FALSE(collided(f->x + f->w / 2, f->y + f->h / 2))
                    << "fighter " << (f == player ? 1 : 2) << " inside rock at " << f->x
                    << "," << f->y;
            }
        }
    }

    std::set<int> seen[2];
};

TEST_F(HellTest, BothFightersGoThroughEveryMovementState)
{
    // The mid floor (top 704) that carries the bases.
    place(150, mirrorX(150), 654);
    run("d", 3);
    run("", 2);
    run("j", 30);
    run("", 20);

    // A full run toward the own booth, then a slide.
    place(460, mirrorX(460), 654);
    run("l", 42);
    run("ldj", 2);
    run("", 90);
    run("r", 10);

    // The ladders from the mid floor up to the 544 level: column 11, and 39 on the right.
    place(352, 1248, 654);
    run("u", 40);
    run("", 5);
    EXPECT_EQ(player->onLadderTop + player2->onLadderTop, 2);
    run("d", 60);
    run("", 5);

    // The stairs up to the raised top level (224), column 16 and its mirror.
    place(400, mirrorX(400), 206);
    run("r", 25);
    run("", 5);
    EXPECT_LE(std::max(player->y, player2->y) + player->h, 223);

    const std::set<int> every = {FIGHTER_STAND_LEFT, FIGHTER_STAND_RIGHT, FIGHTER_RUN_RIGHT,
                                 FIGHTER_RUN_LEFT,   FIGHTER_CLIMB_UP,    FIGHTER_CLIMB_DOWN,
                                 FIGHTER_CROUCH,     FIGHTER_SLIDE};
    for (int i = 0; i < 2; i++)
        for (int s : every)
            EXPECT_TRUE(seen[i].count(s)) << "fighter " << i + 1 << " never in state " << s;
}

} // namespace
