// Mines: who arms them and from where, the fuse, the beeps, the blast.
#include "arena/explosions.h"
#include "arena/mines.h"
#include "core/sound.h"
#include "pickups_env.h"

namespace {

// A mine (14 x 10) laid at (800, 950) lies on the floor, its centre at (807, 955).
Mine *lay(int owner)
{
    loadFloor();
    setupMines();
    (owner == TEAM_GREEN ? spawnGreenmine : spawnPurplemine)(800, 950);
    return mine[0];
}

// Fighter boxes are 33 x 48.
TEST_F(PickupTest, OnlyAnEnemyNearAndAboveArmsAMine)
{
    struct Case {
        int owner, who, x, y, armed;
    } cases[] = {
        {TEAM_GREEN, 1, 790, 900, 1},    // centre (806, 924): 31 px above
        {TEAM_GREEN, 1, 790, 927, 0},    // centre y 951 is not above the top at 950
        {TEAM_GREEN, 1, 790, 860, 0},    // 71 px above
        {TEAM_GREEN, 1, 835, 900, 1},    // 44 px aside, 31 above
        {TEAM_GREEN, 1, 839, 895, 0},    // 48 px aside, 36 above: exactly 60 is not near
        {TEAM_GREEN, 0, 790, 900, 0},    // never by his own team
        {TEAM_PURPLE, 0, 790, 900, 1},
        {TEAM_PURPLE, 1, 790, 900, 0},
    };
    for (const Case &k : cases) {
        Mine *m = lay(k.owner);
        putFighter(k.who, k.x, k.y);
        putFighter(1 - k.who, 100, 20);
        updatemines();
        EXPECT_EQ(m->triggered, k.armed) << "fighter " << k.who + 1 << " at " << k.x << "," << k.y;
    }
}

TEST_F(PickupTest, AnArmedMineBeepsEveryNineTicksAndBlowsUpInItsTeamColour)
{
    for (int owner : {TEAM_GREEN, TEAM_PURPLE}) {
        Mine *m = lay(owner);
        m->fuse = 40;
        putFighter(owner == TEAM_GREEN ? 1 : 0, 790, 900);
        calls.clear();
        int ticks = 0;
        for (; m->active && ticks < 100; ticks++)
            updatemines();
        EXPECT_EQ(ticks, 40);
        size_t beeps = callsTo("sample", SND_MINE_BEEP).size();
        EXPECT_TRUE(beeps == 4 || beeps == 5) << beeps;
        std::vector<Call> blast = callsTo("explosion");
        ASSERT_EQ(blast.size(), 1u);
        EXPECT_EQ(blast[0].a, 807);
        EXPECT_EQ(blast[0].c, owner == TEAM_GREEN ? EXPLOSION_GREEN_MINE : EXPLOSION_PURPLE_MINE);
        EXPECT_EQ(blast[0].d, 190);
        EXPECT_EQ(callsTo("sample", SND_EXPLOSION).size(), 1u);
    }
}

// Thrown up past y 8 toward a wall: freed where it flew out, without a blast, yet that
// tick's probes still run on it and it bounces off the wall with its sound.
TEST_F(PickupTest, AMineFlownOffTheTopIsFreedButItsProbesOfThatTickStillSound)
{
    loadGrid({std::string(26, '.') + "#"});   // a wall at x 832..863, y 0..31
    setupMines();
    spawnGreenmine(800, 12);
    Mine *m = mine[0];
    m->xVel = 10;
    m->yVel = -20;
    m->fallSpeed = 8;
    updatemines();
    EXPECT_EQ(m->active, 0);
    EXPECT_EQ(m->y, 0);
    EXPECT_LT(m->xVel, 0);
    EXPECT_EQ(callsTo("sample", SND_ITEM_BOUNCE).size(), 1u);
    EXPECT_EQ(callsTo("explosion").size(), 0u);
}

} // namespace
