// Both fighters on a mirrored test arena under scripted input: player 2 plays player 1's
// keys mirrored and must end mirrored, except where the two are meant to differ.
#include <gtest/gtest.h>

#include <algorithm>

#include "arena/forcefields.h"
#include "core/settings.h"
#include "fighters/fighter.h"
#include "fighters_env.h"
#include "shell/loop.h"

namespace {

using MovementTest = FighterTest;

TEST_F(MovementTest, RunSpeedBuildsUpToEightStopsAtOnceAndBothKeysEndFacingLeft)
{
    settle(200);
    ASSERT_EQ(player->y, kRestY);
    int travelled = 0;
    for (int t = 1; t <= 9; t++) {
        fighterTick(keys("r"));
        travelled += t < 8 ? t : 8;
        EXPECT_EQ(player->x, 200 + travelled) << "tick " << t;
        EXPECT_EQ(player->runSpeed, t < 8 ? t : 8.0);
        expectMirrored();
    }
    EXPECT_EQ(player->state, FIGHTER_RUN_RIGHT);
    EXPECT_EQ(player2->state, FIGHTER_RUN_LEFT);
    EXPECT_EQ(player2->facing, FACING_LEFT);

    fighterTick(keys(""));
    EXPECT_EQ(player->runSpeed, 0.0);
    EXPECT_EQ(player->state, FIGHTER_STAND_RIGHT);
    EXPECT_EQ(player2->state, FIGHTER_STAND_LEFT);

    // Both held: right then left, speed gained twice, both end facing left.
    fighterTick(keys("lr"));
    EXPECT_EQ(player->runSpeed, 2.0);
    for (Fighter *f : {player, player2}) {
        EXPECT_EQ(f->state, FIGHTER_RUN_LEFT);
        EXPECT_EQ(f->facing, FACING_LEFT);
    }
}

TEST_F(MovementTest, JumpRises66AndADoubleJumpNeedsTheKeyPressedAgain)
{
    settle(300);
    // Held throughout: one rise of 11 + 10 + ... + 1, no double jump.
    int top = kRestY;
    for (int t = 0; t < 60; t++) {
        fighterTick(keys("j"));
        top = std::min(top, player->y);
        if (t == 10) {
            EXPECT_EQ(player->y, kRestY - 66);
            EXPECT_EQ(player->jumpPhase, JUMP_FALLING);
        }
        expectMirrored();
    }
    EXPECT_EQ(top, kRestY - 66);
    fighterTicks(keys(""), 40);
    EXPECT_EQ(player->y, kRestY);
    EXPECT_EQ(player->jumpPhase, JUMP_NONE);

    // Released after take-off, held again at the apex tick: 55 more.
    fighterTick(keys("j"));
    fighterTicks(keys(""), 9);
    fighterTick(keys("j"));
    EXPECT_EQ(player->jumpImpulse, 10);
    EXPECT_EQ(player->doubleJumpReady, 0);
    top = player->y;
    for (int t = 0; t < 12; t++) {
        fighterTick(keys(""));
        top = std::min(top, player->y);
    }
    EXPECT_EQ(top, kRestY - 121);
    EXPECT_EQ(player2->y, player->y);
    // Only one double jump until the landing re-arms it.
    EXPECT_EQ(player->doubleJumpReady, 0);
    fighterTicks(keys(""), 60);
    EXPECT_EQ(player->doubleJumpReady, 1);
}

TEST_F(MovementTest, LongFallCapsAtFourteenAndLandsOnTheFloor)
{
    loadMirroredArena(kFloor, kFloorRow);
    place(300, 100);
    player->prevY = player2->prevY = 100;
    int y0 = player->y, maxStep = 0;
    // Off a ledge: 0, 1, 2, ... px a tick; at fall speed 12 the jump fall takes over.
    fighterTicks(keys(""), 11);
    EXPECT_EQ(player->y, y0 + 55);
    EXPECT_EQ(player->jumpPhase, JUMP_NONE);
    fighterTick(keys(""));
    EXPECT_EQ(player->jumpPhase, JUMP_FALLING);
    for (int t = 0; t < 80 && player->jumpPhase != JUMP_NONE; t++) {
        int before = player->y;
        fighterTick(keys(""));
        maxStep = std::max(maxStep, player->y - before);
        EXPECT_LT(player->y + player->h, 960);
        expectMirrored();
    }
    EXPECT_EQ(maxStep, 14);
    EXPECT_EQ(player->jumpPhase, JUMP_NONE);
    EXPECT_GE(player->y + player->h, 958);
    EXPECT_GT(player->floorTimer, 0);   // a hard landing
}

// A pillar (column 10, x 320..351) from y 640 down to the floor, and its mirror.
const std::vector<std::string> kPillar = {
    "..........#", "..........#", "..........#", "..........#", "..........#",
    "..........#", "..........#", "..........#", "..........#", "..........#",
    "#########################"};
const int kPillarRow = 20;

TEST_F(MovementTest, WallGrabHoldsAndWallJumpPushesOff)
{
    settleOn(kPillar, kPillarRow, 250);
    fighterTicks(keys("r"), 10);
    ASSERT_LT(player->x + 22, 320);   // stopped at the pillar's face
    fighterTick(keys("rj"));
    fighterTick(keys("r"));
    EXPECT_EQ(player->wallSide, 2);
    EXPECT_EQ(player2->wallSide, 1);
    // Knock-back at the grab: only the grab facing left (player 2's) cancels it.
    player->knockY = player2->knockY = -2;
    fighterTick(keys("rj"));
    // 80 at the grab, and the hold of the same tick counts the first one off.
    EXPECT_EQ(player->wallGrabTimer, 79);
    EXPECT_EQ(player2->wallGrabTimer, 79);
    EXPECT_NE(player->knockY, 0);
    EXPECT_EQ(player2->knockY, 0);
    player->knockY = 0;
    player->knockedBack = 0;
    fighterTick(keys("rj"));
    int y = player->y;
    fighterTicks(keys("rj"), 20);
    EXPECT_EQ(player->y, y);
    EXPECT_EQ(player->wallGrabTimer, 79 - 21);
    EXPECT_LT(player->x + 22, 320);

    fighterTick(keys("lj"));
    EXPECT_EQ(player->wallGrabTimer, 0);
    EXPECT_EQ(player->jumpImpulse, 14);
    EXPECT_EQ(player->jumpPhase, JUMP_RISING);
    EXPECT_EQ(player->doubleJumpReady, 0);
    EXPECT_EQ(player2->jumpImpulse, 14);
    fighterTick(keys("l"));
    EXPECT_LT(player->y, y - 10);
}

TEST_F(MovementTest, GrabEndsWhenJumpIsReleased)
{
    settleOn(kPillar, kPillarRow, 250);
    fighterTicks(keys("r"), 10);
    fighterTick(keys("rj"));
    fighterTick(keys("r"));
    fighterTick(keys("rj"));
    ASSERT_EQ(player->wallGrabTimer, 79);
    int y = player->y;
    fighterTick(keys("r"));
    EXPECT_EQ(player->wallGrabTimer, 0);
    EXPECT_NE(player->y, y);
}

TEST_F(MovementTest, CrouchLastsWhileDownIsHeldAndTheBackFlipThrowsHimBackward)
{
    settle(400);
    fighterTick(keys("d"));
    EXPECT_EQ(player->state, FIGHTER_CROUCH);
    EXPECT_EQ(player2->state, FIGHTER_CROUCH);
    EXPECT_EQ(arms->x, player->x + 6);
    EXPECT_EQ(arms->y, player->y + 27);
    EXPECT_EQ(arms2->x, player2->x - 12);
    fighterTick(keys(""));
    EXPECT_EQ(player->state, FIGHTER_STAND_RIGHT);

    fighterTick(keys("d"));
    int x = player->x;
    fighterTick(keys("dj"));
    // Turned about, thrown the way he faced before, standing in the new facing.
    EXPECT_EQ(player->facing, FACING_LEFT);
    EXPECT_EQ(player->knockX, 15);
    EXPECT_EQ(player->x, x + 15);
    EXPECT_EQ(player->state, FIGHTER_STAND_LEFT);
    EXPECT_EQ(player->jumpPhase, JUMP_RISING);
    EXPECT_EQ(player->flipTimer, 24);
    EXPECT_EQ(player->flipReady, 0);
    EXPECT_EQ(player->doubleJumpReady, 0);
    EXPECT_EQ(player2->facing, FACING_RIGHT);
    EXPECT_EQ(player2->knockX, -15);
    expectMirrored();
    // No second flip until he has run on the ground.
    fighterTicks(keys(""), 60);
    fighterTick(keys("d"));
    fighterTick(keys("dj"));
    EXPECT_EQ(player->flipTimer, 0);
}

TEST_F(MovementTest, AFullRunningCycleArmsASlideThatRunsOutAfter39Steps)
{
    settle(100);
    fighterTicks(keys("r"), 40);
    EXPECT_EQ(player->runFrame, 10);
    EXPECT_EQ(player->slideArmed, 1);
    EXPECT_EQ(player2->slideArmed, 1);
    EXPECT_EQ(player->slideLength, 0);
    EXPECT_EQ(player2->slideLength, 20);   // player 2 re-arms a slide length
    fighterTick(keys("rdj"));
    EXPECT_EQ(player->sliding, 1);
    fighterTick(keys("rdj"));
    EXPECT_EQ(player->state, FIGHTER_SLIDE);
    int x = player->x, ticks = 1;
    while (player->sliding == 1 && ticks < 200) {
        fighterTick(keys(""));
        ticks++;
        EXPECT_EQ(player2->sliding, player->sliding);
    }
    EXPECT_NEAR(ticks, 78, 2);
    EXPECT_EQ(player->state, FIGHTER_STAND_RIGHT);
    EXPECT_EQ(player2->state, FIGHTER_STAND_LEFT);
    // Each step is truncated toward zero, which costs the leftward slide a little more.
    EXPECT_GT(player->x - x, 120);
    EXPECT_LT(player->x - x, 170);
    EXPECT_GE(mirrorX(player2->x) - x, player->x - x);
    EXPECT_LT(mirrorX(player2->x) - x, player->x - x + 40);
}

TEST_F(MovementTest, ASlideIntoAWallEndsStandingRight)
{
    settleOn(kPillar, kPillarRow, 20);
    fighterTicks(keys("r"), 40);
    fighterTicks(keys("rdj"), 2);
    EXPECT_EQ(player->state, FIGHTER_SLIDE);
    // The wall puts him back each step; the slide runs out against it.
    for (int t = 0; t < 90; t++) {
        fighterTick(keys(""));
        EXPECT_LT(player->x + 22, 320);
    }
    EXPECT_EQ(player->sliding, 0);
    EXPECT_EQ(player->state, FIGHTER_STAND_RIGHT);
    EXPECT_LT(player->x + 22, 320);
}

// A ladder in column 8 from the floor up to a ladder top in a platform at y 736.
const std::vector<std::string> kLadder = {
    "...####=T=###", "........H", "........H", "........H",
    "........H",     "........H", "........H", "#########################"};
const int kLadderRow = 23;

TEST_F(MovementTest, ClimbsUpOntoTheLadderTopAndDropsThroughItBackDown)
{
    settleOn(kLadder, kLadderRow, 256);
    ASSERT_EQ(player->onLadder, 1);
    fighterTick(keys("u"));
    EXPECT_EQ(player->state, FIGHTER_CLIMB_UP);
    EXPECT_EQ(player->y, kRestY - 6);
    EXPECT_EQ(player2->y, kRestY - 6);
    EXPECT_EQ(player->climbing, 1);
    fighterTicks(keys("u"), 40);
    fighterTicks(keys(""), 10);
    // Standing on the ladder top, feet just above it.
    EXPECT_EQ(player->y + player->h, 735);
    EXPECT_EQ(player->onLadderTop, 1);
    EXPECT_EQ(player->state, FIGHTER_STAND_RIGHT);
    EXPECT_EQ(player->jumpPhase, JUMP_NONE);
    expectMirrored();
    // No crouch on a ladder top.
    fighterTick(keys("d"));
    EXPECT_NE(player->state, FIGHTER_CROUCH);
    int sawClimbDown = 0;
    for (int t = 0; t < 60; t++) {
        fighterTick(keys("d"));
        sawClimbDown |= player->state == FIGHTER_CLIMB_DOWN;
    }
    EXPECT_TRUE(sawClimbDown);
    fighterTicks(keys(""), 10);
    EXPECT_GE(player->y + player->h, 958);
    EXPECT_LE(player->y + player->h, 959);
    EXPECT_EQ(player->climbing, 0);
    expectMirrored();
}

TEST_F(MovementTest, StandingOnALadderTopWithRunSpeedLeftDoesNotSink)
{
    settleOn(kLadder, kLadderRow, 256);
    fighterTicks(keys("u"), 40);
    fighterTicks(keys(""), 10);
    int y = player->y;
    player->runSpeed = 0.5;   // the sink needs a run speed of exactly 0
    playerBackCollision();
    EXPECT_EQ(player->y, y);
    down1 = 1;
    playerBackCollision();
    EXPECT_EQ(player->y, y);
    player->runSpeed = 0.0;
    playerBackCollision();
    EXPECT_GT(player->y, y);
    down1 = 0;
}

TEST_F(MovementTest, LadderTopJumpFromTheClimb)
{
    settleOn(kLadder, kLadderRow, 256);
    // Climb until the ladder top is within the top rows of the body, then jump.
    int jumped = 0;
    for (int t = 0; t < 40 && !jumped; t++) {
        fighterTick(keys("uj"));
        fighterTick(keys("u"));
        jumped = player->flipTimer > 0;
    }
    ASSERT_TRUE(jumped);
    EXPECT_EQ(player->jumpPhase, JUMP_RISING);
    EXPECT_GE(player->jumpImpulse, 16);
    EXPECT_GE(player->flipTimer, 43);
    EXPECT_GT(player2->flipTimer, 0);
}

TEST_F(MovementTest, ComputerTakesTheLadderTopJumpOnlyEvadingAtTopLevel)
{
    settleOn(kLadder, kLadderRow, 256);
    p2cpu = 1;
    AIcomp = 3;
    player2->aiEvadeTimer = 0;
    // Jump held but not evading: the computer never takes the human jump.
    for (int t = 0; t < 40 && player2->state != FIGHTER_STAND_LEFT; t++)
        fighterTick(keys("uj"));
    EXPECT_EQ(player2->flipTimer, 0);

    settleOn(kLadder, kLadderRow, 256);
    player2->aiEvadeTimer = 3;
    player->x = 100;   // the opponent is to his left
    for (int t = 0; t < 40 && player2->flipTimer == 0; t++)
        fighterTick(keys("u"));
    EXPECT_GT(player2->flipTimer, 0);
    EXPECT_EQ(player2->state, FIGHTER_CLIMB_UP);   // the computer's jump keeps the climb state
    EXPECT_EQ(player2->aiMove, AI_MOVE_LEFT);
    EXPECT_EQ(player2->facing, FACING_LEFT);
    EXPECT_EQ(player2->aiJumpTargetX, 0);
    p2cpu = 0;
}

TEST_F(MovementTest, KnockBackMovesDecaysAndStopsAtWalls)
{
    settle(400);
    player->knockX = 10;
    player2->knockX = -10;
    fighterTick(keys(""));
    EXPECT_EQ(player->x, 410);
    EXPECT_EQ(player->knockedBack, 1);
    EXPECT_EQ(player->jumpPhase, JUMP_RISING);
    fighterTicks(keys(""), 2);
    EXPECT_EQ(player->x, 430);
    EXPECT_EQ(player->knockX, 9);   // one less every third tick
    expectMirrored();
    fighterTicks(keys(""), 60);
    EXPECT_EQ(player->knockX, 0);
    EXPECT_EQ(player->knockedBack, 0);

    // Thrown at the pillar, he never enters it.
    settleOn(kPillar, kPillarRow, 280);
    player->knockX = 15;
    player2->knockX = -15;
    for (int t = 0; t < 20; t++) {
        fighterTick(keys(""));
        EXPECT_LT(player->x + 22, 320);
        EXPECT_GT(player2->x + 11, 1247);
    }
}

TEST_F(MovementTest, EachFighterIsHeldOutOfTheEnemyBaseOnlyFacingIntoIt)
{
    settle(1100);
    booth->x = 15;
    booth2->x = 1490;
    booth->y = booth2->y = 829;   // bottoms on the floor
    setupForcefields();
    int deepest1 = 0, deepest2 = 2000;
    for (int t = 0; t < 60; t++) {
        fighterTick(keys("r"));
        deepest1 = std::max(deepest1, player->x + player->w / 2);
        deepest2 = std::min(deepest2, player2->x + player2->w / 2);
    }
    EXPECT_LE(deepest1, 1278);   // the purple field's outer edge
    EXPECT_GT(deepest1, 1260);
    EXPECT_GE(deepest2, 325);    // the green field's outer edge
    EXPECT_EQ(player->runSpeed, 0.0);
    EXPECT_EQ(player->state, FIGHTER_RUN_RIGHT);
    EXPECT_EQ(player2->state, FIGHTER_RUN_LEFT);
    // Inside and facing out he is not stopped.
    place(1400, kRestY);
    fighterTicks(keys(""), 2);
    fighterTicks(keys("l"), 5);
    EXPECT_LT(player->x, 1400 - 10);
    EXPECT_GT(player2->x, mirrorX(1400) + 10);
}

// Carried by the thruster, he dies on the tick his box passes 50 px from the side, and the
// fighter step itself ends the carrier.
TEST_F(MovementTest, ACarryByTheThrusterKillsAtTheArenaSide)
{
    settle(300);
    player->thrusterCaught = THRUSTER_CARRY_LEFT;
    player2->thrusterCaught = THRUSTER_CARRY_RIGHT;
    mummrathruster[0]->active = mummrathruster2[0]->active = 1;
    for (int t = 0; t < 100 && player->health > 0; t++)
        fighterTick(keys(""));
    EXPECT_LT(player->x, 50);
    EXPECT_GE(player->x, 40);
    EXPECT_EQ(player2->health, 0);
    EXPECT_EQ(player->thrusterCaught, THRUSTER_FREE);
    EXPECT_EQ(mummrathruster[0]->active + mummrathruster2[0]->active, 0);
}

TEST_F(MovementTest, GravityDifferencesOfPlayerTwo)
{
    loadMirroredArena(kFloor, kFloorRow);
    place(300, 500);
    // Player 2 falls only while his gravity switch is on; player 1 has none.
    player->gravityOn = player2->gravityOn = 0;
    player->fallSpeed = player2->fallSpeed = 5;
    playerGravity();
    player2Gravity();
    EXPECT_EQ(player->y, 505);
    EXPECT_EQ(player2->y, 500);
    // Held on a wall: a negative fall speed is cleared for player 1 only.
    player->wallGrabTimer = player2->wallGrabTimer = 10;
    player->fallSpeed = player2->fallSpeed = -3;
    playerGravity();
    player2Gravity();
    EXPECT_EQ(player->fallSpeed, 0);
    EXPECT_EQ(player2->fallSpeed, -3);
}

TEST_F(MovementTest, PlayerTwoClimbsUpTakingBackGravityAndCountsHisFalls)
{
    settleOn(kLadder, kLadderRow, 256);
    player->fallSpeed = player2->fallSpeed = 2;
    player->onGround = player2->onGround = 1;   // no gravity this tick
    playerMove();
    up1 = up2 = 1;
    int y1 = player->y, y2 = player2->y;
    playerMove();
    player2Move();
    EXPECT_EQ(player->y, y1 - 6);
    EXPECT_EQ(player2->y, y2 - 2 - 6);
    up1 = up2 = 0;

    loadMirroredArena(kFloor, kFloorRow);
    place(300, 100);
    fighterTicks(keys(""), 20);
    EXPECT_EQ(player->fallTimer, 0);
    EXPECT_GT(player2->fallTimer, 0);
}

TEST_F(MovementTest, KnockedFlatTheComputerLocksItsLadderDecisions)
{
    settle(300);
    p2cpu = 1;
    player->floorTimer = player2->floorTimer = 5;
    player->aiLadderLock = player2->aiLadderLock = 0;
    fighterTick(keys(""));
    EXPECT_EQ(player2->aiLadderLock, 10);
    EXPECT_EQ(player->aiLadderLock, 0);
    p2cpu = 0;
}

TEST_F(MovementTest, ArenaTopKillsAndEdgesClamp)
{
    loadMirroredArena(kFloor, kFloorRow);
    place(4, 5);
    player->prevY = player2->prevY = 6;
    player->alive = 0;
    player->health = player2->health = 7;
    player2->alive = 0;
    playerBackCollision();
    player2BackCollision();
    EXPECT_EQ(player->x, 5);
    EXPECT_EQ(player->health, 7);    // player 1 dies at the top only while alive
    EXPECT_EQ(player2->health, 0);   // player 2 in any case
    place(1570, 400);
    playerBackCollision();
    EXPECT_EQ(player->x, 1561);
}

TEST_F(MovementTest, ASlideIntoTheOwnBoothLiftsOverItsSillInEachBoothsWindow)
{
    loadMirroredArena(kFloor, kFloorRow);
    booth->x = 15;
    booth2->x = 1490;
    booth->y = booth2->y = 829;
    // Player 1's window reaches 80 px in from his booth's left edge, player 2's from 15 px
    // left of his booth's left edge onward.
    const int cases[][3] = {{90, 1480, 1}, {100, 1470, 0}};
    for (const auto &c : cases) {
        place(c[0], kRestY - 20);
        player2->x = c[1];
        for (Fighter *f : {player, player2}) {
            f->sliding = 1;
            f->runSpeed = 0.0;
        }
        playerMove();
        player2Move();
        EXPECT_EQ(player->y, kRestY - 20 - 4 * c[2]) << player->x;
        EXPECT_EQ(player2->y, kRestY - 20 - 4 * c[2]) << player2->x;
    }
}

} // namespace
