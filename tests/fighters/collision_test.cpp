// Exact outcomes of the tile collision on small mirrored maps: what stops a runner, how far
// a stair lifts him, and how long a known fall leaves him lying flat. Player 2 must end as
// player 1's mirror in every case.
#include <gtest/gtest.h>

#include "fighters_env.h"

namespace {

using CollisionTest = FighterTest;

// Running right from rest on the floor (feet at y 959) toward what stands in row 29.
TEST_F(CollisionTest, RunnersMeetBlocksAndStairs)
{
    struct Case {
        const char *what;
        std::vector<std::string> rows;   // from row 28
        int x;                           // start
        std::vector<int> ys;             // y after each tick of running
        int endX;                        // x after the last tick; -1: not checked
        bool mirrored;                   // player 2 ends as the mirror
    } cases[] = {
        // The side probes cover the whole body: a block without stairs at his knees or at his
        // head stops him.
        {"knee-high block", {".", "...........#", kFloor[0]}, 250,
         std::vector<int>(30, 911), 326, true},
        {"head-high block", {"...........#", ".", kFloor[0]}, 250,
         std::vector<int>(30, 911), 326, true},
        // A stair lifts him 3 px on its first probe, then all three probes lift 9 a tick,
        // until he stands on the step.
        {"stair onto a step", {".", "...........S#####", kFloor[0]}, 250,
         {911, 911, 911, 911, 911, 911, 911, 911, 911, 911, 911, 911, 911, 908, 899, 890,
          881, 878, 878, 878}, -1, true},
        // Blocked by a wall while a stair is under his feet: each of the three stair probes
        // throws him 13 px up, and he runs at full speed at once. (Player 2's wall probe sits
        // a pixel further in, so his mirror is not blocked on the same tick.)
        {"stair blocked by a wall", {"............#", "...........S#", kFloor[0]}, 361, {872},
         361, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        loadMirroredArena(c.rows, 28);
        place(c.x, 911);
        fighterTicks(keys(""), 3);
        ASSERT_EQ(player->y, 911);
        for (size_t t = 0; t < c.ys.size(); t++) {
            fighterTick(keys("r"));
            ASSERT_EQ(player->y, c.ys[t]) << "tick " << t;
            if (c.mirrored) {
                expectMirrored(0);
            }
        }
        if (c.endX >= 0) {
            EXPECT_EQ(player->x, c.endX);
        }
    }
    EXPECT_EQ(player->runSpeed, player->maxRunSpeed);
}

// A fall from rest lays him flat when he spent more than eight ticks at the speed cap: the
// count is taken when the floor comes in sight, and runs down from there.
TEST_F(CollisionTest, AKnownFallLaysHimFlatForAKnownTime)
{
    const struct {
        int fromY, flatTicks;
    } falls[] = {{100, 15}, {640, 11}, {690, 8}, {700, 0}};   // 15 at most
    for (const auto &f : falls) {
        SCOPED_TRACE(f.fromY);
        loadMirroredArena(kFloor, kFloorRow);
        place(300, f.fromY);
        player->prevY = player2->prevY = f.fromY;
        int t = 0;
        while (t++ < 100 && player->y + player->h < 959)
            fighterTick(keys(""));
        ASSERT_EQ(player->y + player->h, 959);
        EXPECT_EQ(player->floorTimer, f.flatTicks);
        expectMirrored(0);
        int x = player->x, stuck = 0;
        while (stuck < 30 && (fighterTick(keys("r")), player->x == x))
            stuck++;
        EXPECT_EQ(stuck, f.flatTicks);
    }
}

}  // namespace
