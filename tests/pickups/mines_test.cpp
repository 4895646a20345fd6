// Mines: who arms them and from where, the fuse, the beeps, the blast, the bounces.
#include "arena/explosions.h"
#include "arena/mines.h"
#include "fighters/fighter.h"
#include "pickups_env.h"
#include "shell/clock.h"
#include "shell/settings.h"
#include "shell/sound.h"

namespace {

// A floor along row 30 (y 960); the mine (14 x 10) lies on it at x 800.
class MineTest : public PickupTest {
protected:
    void SetUp() override
    {
        PickupTest::SetUp();
        std::vector<std::string> rows(31);
        rows[30] = std::string(50, '#');
        loadGrid(rows);
    }
    Mine *lay(int owner)
    {
        setupMines();
        if (owner == TEAM_GREEN)
            spawnGreenmine(800, 950);
        else
            spawnPurplemine(800, 950);
        return mine[0];
    }
};

// Fighter boxes are 33 x 48; the mine's centre is (807, 955).
TEST_F(MineTest, OnlyAnEnemyNearAndAboveArmsAMine)
{
    struct Case {
        int owner, who, x, y;
        int armed;
    } cases[] = {
        {TEAM_GREEN, 1, 790, 900, 1},    // centre (806, 924): 31 px above
        {TEAM_GREEN, 1, 790, 927, 0},    // centre y 951 is not above the top at 950
        {TEAM_GREEN, 1, 790, 860, 0},    // centre 71 px above: beyond 60
        {TEAM_GREEN, 1, 835, 900, 1},    // 44 px aside, 31 above: within 60
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
        EXPECT_EQ(m->triggered, k.armed) << "owner " << k.owner << " fighter " << k.who + 1
                                         << " at " << k.x << "," << k.y;
    }
}

TEST_F(MineTest, AnArmedMineBeepsEveryNineTicksAndBlowsUpInItsTeamColour)
{
    for (int owner : {TEAM_GREEN, TEAM_PURPLE}) {
        Mine *m = lay(owner);
        m->fuse = 40;
        putFighter(owner == TEAM_GREEN ? 1 : 0, 790, 900);
        calls.clear();
        int ticks = 0;
        while (m->active && ticks < 100) {
            updatemines();
            ticks++;
        }
        EXPECT_EQ(ticks, 40);
        std::vector<Call> beeps = samplesOf(SND_MINE_BEEP);
        ASSERT_GE(beeps.size(), 4u);
        EXPECT_LE(beeps.size(), 5u);
        std::vector<Call> blast = callsTo("explosion");
        ASSERT_EQ(blast.size(), 1u);
        EXPECT_EQ(blast[0].a, 807);
        EXPECT_EQ(blast[0].c, owner == TEAM_GREEN ? EXPLOSION_GREEN_MINE : EXPLOSION_PURPLE_MINE);
        EXPECT_EQ(blast[0].d, 190);
        EXPECT_EQ(samplesOf(SND_EXPLOSION).size(), 1u);
    }
}

// Bounces of a mine on a floor and on stairs: the speed it lands with and the speed it
// leaves with (negative: upward). Slow or early landings do not bounce.
TEST_F(MineTest, LandingsBounceByTheirSpeed)
{
    struct Case {
        char ground;
        int speedIn, speedOut;
        int secondsIn;
    } cases[] = {
        {'#', 8, -6, 10}, {'#', 4, 0, 10}, {'#', 8, 0, 5}, {'S', 12, -8, 10},
    };
    for (const Case &k : cases) {
        std::vector<std::string> rows(31);
        rows[30] = std::string(50, k.ground);
        loadGrid(rows);
        seconds = k.secondsIn;
        Mine *m = lay(TEAM_GREEN);
        // Gravity's step brings it to 1 px over the ground at the speed it lands with.
        m->y = 960 - k.speedIn - m->h;
        m->fallSpeed = k.speedIn - 1;
        updatemines();
        EXPECT_EQ(m->fallSpeed, k.speedOut) << k.ground << " at " << k.speedIn;
    }
}

TEST_F(MineTest, AMineThrownPastTheRightEdgeComesBackTurned)
{
    Mine *m = lay(TEAM_PURPLE);
    m->x = 1594;
    m->y = 500;
    m->xVel = 5;
    updatemines();
    EXPECT_EQ(m->x, 1599.0);
    EXPECT_LT(m->xVel, 0);
    EXPECT_EQ(m->active, 1);
}

} // namespace
