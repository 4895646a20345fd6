// The fighters' set-ups, the gun anchor, the hit tests and the power pools.
#include <gtest/gtest.h>

#include "arena/explosions.h"

#include "arena/hittests.h"
#include "core/clock.h"
#include "core/match.h"
#include "core/tutorial.h"
#include "fighters/fighter.h"
#include "fighters_env.h"
#include "frontend/pause.h"
#include "shell/clock.h"
#include "shell/loop.h"

namespace {

using RecordsTest = FighterTest;

TEST_F(RecordsTest, FreshFightersWaitInTheirBoothsWithFullPools)
{
    for (Fighter *f : {player, player2}) {
        EXPECT_EQ(f->alive, 0);
        EXPECT_EQ(f->respawning, 1);
        EXPECT_EQ(f->deathCounted, 1);   // no death to book for the wait a bout starts with
        EXPECT_EQ(f->power, 200);
        EXPECT_EQ(f->powerHundreds, 2);
        EXPECT_EQ(f->weapon, 0);         // zeroed, not left unset, before the first respawn
        EXPECT_EQ(f->inBase, 0);
    }
    EXPECT_EQ(player->facing, FACING_RIGHT);
    EXPECT_EQ(player->state, FIGHTER_STAND_LEFT);
    EXPECT_EQ(player2->facing, FACING_LEFT);
    EXPECT_EQ(player2->state, FIGHTER_STAND_RIGHT);
    // Player 2's own switches and the computer's memory.
    EXPECT_EQ(player->gravityOn, 0);
    EXPECT_EQ(player2->gravityOn, 1);
    EXPECT_EQ(player2->fallTimerMax, 80);
    EXPECT_EQ(player2->aiLadderLock, 25);
    for (int i = 0; i < 50; i++) {
        setupPlayer2();
        EXPECT_GE(player2->aiBombTimer, 10);
        EXPECT_LE(player2->aiBombTimer, 24);
        EXPECT_GE(player2->aiMineTimer, 20);
        EXPECT_LE(player2->aiMineTimer, 29);
    }
    EXPECT_EQ(booth2->x, 1490.0);
    EXPECT_EQ(blaster[2]->w, 5);
    EXPECT_EQ(homorocket[0]->speed, 0);
    EXPECT_EQ(homorocket2[0]->speed, 8);
}

TEST_F(RecordsTest, ASecondSetUpGivesFreshRecordsAndFreePools)
{
    player->power = 3;
    booth->x = 400;
    for (Projectile *p : bullet)
        p->active = 1;
    bullet2[5]->active = 1;
    setupPlayer();
    setupPlayer2();
    EXPECT_EQ(player->power, 200);
    EXPECT_EQ(booth->x, 15.0);
    for (Projectile *p : bullet)
        EXPECT_EQ(p->active, 0);
    EXPECT_EQ(bullet2[5]->active, 0);
}

struct Pose {
    int facing, state, fallSpeed, runFrame, sonic, floorTimer, jumpPhase, climbFrame;   // -1 no climb
    int y, x0, y0;   // the fighter's y, the anchor before the call
    int x1, y1;      // the anchor after it
};

TEST_F(RecordsTest, GunAnchorFollowsTheHandByStateAndFrame)
{
    const int R = FACING_RIGHT, L = FACING_LEFT, FALL = JUMP_FALLING;
    const Pose poses[] = {
        {R, FIGHTER_STAND_RIGHT, 0, 0, 0, 0, 0, -1, 500, 0, 0, 102, 519},
        {R, FIGHTER_STAND_RIGHT, 1, 0, 0, 0, 0, -1, 500, 0, 0, 102, 517},   // not steady
        {L, FIGHTER_STAND_LEFT, 0, 0, 0, 0, 0, -1, 500, 0, 0, 92, 519},
        {L, FIGHTER_RUN_LEFT, 0, 9, 0, 0, 0, -1, 500, 0, 0, 85, 524},
        {L, FIGHTER_RUN_LEFT, 0, 9, 1, 0, 0, -1, 500, 0, 0, 92, 518},
        // Knocked flat while crouching: the later rule wins.
        {L, FIGHTER_CROUCH, 0, 9, 0, 3, 0, -1, 500, 0, 0, 86, 526},
        // Sliding while falling keeps the jump pose.
        {R, FIGHTER_SLIDE, 0, 0, 0, 0, FALL, -1, 500, 0, 0, 102, 517},
        // Climbing beats every rule, but a frame outside its table leaves the pose above.
        {R, FIGHTER_SLIDE, 0, 0, 0, 0, FALL, 7, 500, 0, 0, 102, 517},
        {R, FIGHTER_SLIDE, 0, 0, 0, 0, FALL, 1, 500, 0, 0, 94, 516},
        // At the top edge the anchor stays, pulled in to at least (3, 4).
        {R, FIGHTER_SLIDE, 0, 0, 0, 0, FALL, 1, 0, 1, 2, 3, 4},
    };
    for (int side = 0; side < 2; side++) {
        Fighter *f = side == 0 ? player : player2;
        GunAnchor *g = side == 0 ? arms : arms2;
        for (const Pose &p : poses) {
            SCOPED_TRACE(testing::Message() << "fighter " << side + 1 << ", state " << p.state
                                            << ", climb frame " << p.climbFrame);
            f->x = 100;
            f->y = p.y;
            f->facing = p.facing;
            f->state = p.state;
            f->fallSpeed = p.fallSpeed;
            f->runFrame = p.runFrame;
            f->sonic = p.sonic;
            f->floorTimer = p.floorTimer;
            f->jumpPhase = p.jumpPhase;
            f->climbing = p.climbFrame >= 0;
            f->climbFrame = p.climbFrame;
            g->x = p.x0;
            g->y = p.y0;
            (side == 0 ? playerArms : player2arms)();
            EXPECT_EQ(g->x, p.x1);
            EXPECT_EQ(g->y, p.y1);
        }
    }
}

TEST_F(RecordsTest, PointTestsAreStrictlyInside)
{
    player2->x = 100;
    player2->y = 200;
    player->x = 300;
    player->y = 400;
    EXPECT_EQ(hit(101, 201), 1);
    EXPECT_EQ(hit(100, 220), 0);
    EXPECT_EQ(hit(133, 220), 0);
    EXPECT_EQ(hit(110, 248), 0);
    EXPECT_EQ(hitcrouch(110, 224), 0);   // the middle line belongs to neither half
    EXPECT_EQ(hitcrouch(110, 225), 1);
    EXPECT_EQ(hitcrouch(110, 223), 0);
    EXPECT_EQ(hit2(301, 401), 1);
    EXPECT_EQ(hit2crouch(301, 425), 1);
    EXPECT_EQ(hit2(101, 201), 0);
    player->w = 0;
    EXPECT_EQ(hit2(300, 401), 0);
}

TEST_F(RecordsTest, PoolTestsTakeOnlyTheShotInTheFirstSlot)
{
    Projectile *b = bullet[3];
    b->active = 1;
    b->x = 50;
    b->y = 50;
    EXPECT_EQ(hitbullet(0, 100, 100, 0), 0);
    EXPECT_EQ(b->active, 1);
    b = bullet2[0];
    b->active = 1;
    b->x = 50;
    b->y = 50;
    EXPECT_EQ(hitbullet2(0, 100, 0, 100), 0);   // top below bottom takes nothing
    EXPECT_EQ(hitbullet2(0, 100, 100, 0), 1);
    EXPECT_EQ(b->active, 0);
    EXPECT_EQ(hitbullet2(0, 100, 100, 0), 0);
    plasma[0]->active = 1;
    plasma[0]->x = 10;
    plasma[0]->y = 10;
    EXPECT_EQ(hitplasma(0, 10, 100, 0), 0);   // the centre must lie strictly inside
    EXPECT_EQ(hitplasma(0, 100, 100, 0), 1);
    homorocket2[0]->active = 1;
    EXPECT_EQ(hithomo2(-100, 100, 100, -100), 1);
    EXPECT_EQ(hithomo(-100, 100, 100, -100), 0);
}

// A bullet taken by a cube bursts at its trailing end: the right edge of a shot flying left,
// the left edge of one flying right.
TEST_F(RecordsTest, ATakenBulletBurstsAtItsTrailingEnd)
{
    setupExplosions();
    for (int direction : {FACING_LEFT, FACING_RIGHT}) {
        SCOPED_TRACE(direction);
        for (Explosion *e : boom)
            e->active = 0;
        Projectile *b = bullet[0];
        b->active = 1;
        b->x = 50;
        b->y = 50;
        b->w = 12;
        b->h = 6;
        b->direction = direction;
        ASSERT_EQ(hitbullet(0, 200, 200, 0), 1);
        ASSERT_EQ(boom[0]->active, 1);
        EXPECT_EQ(boom[0]->x, direction == FACING_LEFT ? b->x + b->w : b->x);
        EXPECT_EQ(boom[0]->y, b->y + b->h / 2);
    }
}

class PowerTest : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        map = ARENA_HELL;
        playersActive = 1;
        paused = 0;
        secondscount = 0;
        // A fresh match: the result screen judges the winner on the match's totals.
        playerOnePower = playerTwoPower = playerOneFrags = playerTwoFrags = 0;
    }
    void TearDown() override
    {
        map = SCREEN_NONE;
        playersActive = 0;
        FighterTest::TearDown();
    }
    void oneSecond()
    {
        for (int i = 0; i < 60; i++)
            secondsfunct();
    }
};

// An empty pool ends the bout for the other side; both empty in one second is a draw.
TEST_F(PowerTest, AnEmptyPoolEndsTheBoutForTheOtherSide)
{
    const int cases[][4] = {{1, 40, 0, 1}, {50, 1, 1, 0}, {1, 1, 1, 1}};   // power 1, 2; won 1, 2
    for (const auto &c : cases) {
        SetUp();
        player->hasSpawned = 1;
        player->power = c[0];
        player2->power = c[1];
        oneSecond();
        EXPECT_EQ(map, SCREEN_RESULT);
        EXPECT_EQ(playersActive, 0);
        EXPECT_EQ(player->won, c[2]) << c[0] << ":" << c[1];
        EXPECT_EQ(player2->won, c[3]) << c[0] << ":" << c[1];
    }
}

TEST_F(PowerTest, ClampsAndStaleDigits)
{
    player->power = 1000;
    playerPower();
    EXPECT_EQ(player->power, 999);
    EXPECT_EQ(player->powerHundreds, 9);
    EXPECT_EQ(player->powerOnes, 9);
    player->power = 57;
    playerPower();
    // A negative pool keeps the old digits and ends the bout when clamped.
    player->power = -5;
    playerPower();
    EXPECT_EQ(player->power, 0);
    EXPECT_EQ(player->powerTens, 5);
    EXPECT_EQ(player->powerOnes, 7);
    EXPECT_EQ(map, SCREEN_RESULT);
}

TEST_F(PowerTest, PlayerTwoEmptiedAfterPlayerOneStillReachesTheResultScreen)
{
    // Player 2's cash-in empties player 1 first; then player 2's own pool runs dry.
    player->power = 0;
    player2->power = 0;
    player2Power();
    EXPECT_EQ(map, SCREEN_RESULT);
    // Once the result screen is up, a second empty pool only marks the winners again.
    player->won = player2->won = 0;
    player2Power();
    EXPECT_EQ(player->won, 1);
    EXPECT_EQ(player2->won, 0);   // player 2's check never marks himself
}

TEST_F(PowerTest, OnTheTutorialAnEmptyPoolHoldsOnTheHintUntilTheLastStage)
{
    map = SCREEN_TUTORIAL;
    tutorial = 5;
    tutorialWait = 0;
    player->power = 0;
    playerPower();
    EXPECT_EQ(map, SCREEN_TUTORIAL);
    EXPECT_EQ(tutorialWait, 1);
    EXPECT_EQ(playersActive, 0);
    EXPECT_EQ(player2->won, 1);
    tutorialWait = 0;
    tutorial = 12;
    playersActive = 1;
    player2->power = 0;
    player2Power();
    EXPECT_EQ(map, SCREEN_RESULT);
    EXPECT_EQ(player->won, 1);
    tutorial = 0;
}

} // namespace
