// The computer opponent's behaviour in set scenes on the generated arenas: cubes and the box,
// dodging and bombs, and the rules of its presses and aim probes.
#include <allegro.h>
#include <gtest/gtest.h>
#include <string.h>

#include "ai/opponent.h"
#include "ai_env.h"
#include "arena/forcefields.h"
#include "arena/pickups.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/settings.h"
#include "core/shots.h"
#include "shell/harness.h"
#include "shell/loop.h"

namespace {

class Behaviour : public AiBout {};

// Hell's upper floor, on which both booths stand, reaches from the purple base to x 640.
const int HELL_FLOOR = 704;

int inCashWindow()
{
    const int cx = player2->x + player2->w / 2;
    return cx > booth2->x + 50 && cx < booth2->x + booth2->w && player2->y > booth2->y + 15;
}

// The only cube of the arena, and no box: once he has it, nothing keeps him from home.
TEST_F(Behaviour, PicksUpACubeAndCarriesItHome)
{
    startBout(ARENA_HELL, 2, 3);
    int tookAt = -1, homeAt = -1;
    for (int t = 0; t < 1800 && homeAt < 0; t++) {
        for (int k = 0; k < CUBE_COUNT; k++)
            cube[k]->active = 0;
        powerup[0]->active = 0;
        if (tookAt < 0)
            placeCube(0, 1000, HELL_FLOOR - 13);
        harnessTick();
        if (tookAt < 0 && player2->cubesCarried == 1)
            tookAt = t;
        // Home: cashed in at his booth.
        if (tookAt >= 0 && player2->cubesCarried == 0 && player2->health > 0 && inCashWindow())
            homeAt = t;
    }
    EXPECT_GE(tookAt, 0);
    EXPECT_GT(homeAt, tookAt);
}

// A cube at his feet: he takes it while he carries fewer than three, but not one the cube
// update found lying in the green base (he reads that mark before the cube update of the
// same tick renews it).
TEST_F(Behaviour, TakesACubeOnlyWithRoomAndOutsideTheGreenBase)
{
    const struct { int carried, inGreenBase, taken; } cases[] = {{2, 0, 1}, {3, 0, 0}, {0, 1, 0}};
    for (const auto &k : cases) {
        SCOPED_TRACE(testing::Message() << k.carried << " carried, in the green base " << k.inGreenBase);
        startBout(ARENA_HELL, 2, 3);
        for (int i = 0; i < CUBE_COUNT; i++)
            cube[i]->active = 0;
        powerup[0]->active = 0;
        standP2(1000, HELL_FLOOR);
        player2->cubesCarried = k.carried;
        Cube *c = placeCube(0, 1000 - cube[0]->w / 2, HELL_FLOOR - cube[0]->h - 2);
        c->inGreenBase = k.inGreenBase;
        harnessTick();
        EXPECT_EQ(player2->cubesCarried, k.carried + k.taken);
    }
}

TEST_F(Behaviour, TakesThePowerUpBox)
{
    startBout(ARENA_HELL, 2, 3);
    Cube *box = powerup[0];
    box->x = 1000;
    box->y = HELL_FLOOR - box->h - 2;
    box->active = 1;
    box->life = POWERUP_LIFE;
    int tookAt = -1;
    for (int t = 0; t < 900 && tookAt < 0; t++) {
        harnessTick();
        if (!box->active)
            tookAt = t;
    }
    EXPECT_GE(tookAt, 0);
}

enum Goal { CUBE, NEAR_CUBE, BOX, HOME, KEPT };   // NEAR_CUBE: within 25 px; KEPT: as it was

// Where he heads, by level: the hunted cube, the power-up box or his booth.
TEST_F(Behaviour, ChoosesTheCubeTheBoxOrHomeByLevel)
{
    const struct {
        int level, hunting, carried, boxActive, boxInGreenBase, power;
        Goal goal;
    } cases[] = {
        {2, 1, 0, 0, 0, 200, CUBE},
        {2, 1, 0, 1, 0, 20, BOX},
        {2, 1, 0, 1, 0, 19, KEPT},
        {2, 1, 0, 1, 1, 200, CUBE},
        {2, 0, 1, 0, 0, 200, HOME},
        {2, 0, 1, 1, 0, 200, BOX},
        {2, 0, 0, 1, 1, 200, BOX},
        {3, 0, 0, 1, 0, 200, BOX},
        {1, 1, 0, 1, 0, 200, NEAR_CUBE},
        {1, 0, 0, 1, 0, 200, KEPT},
        {1, 0, 1, 1, 0, 200, BOX},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(testing::Message() << "level " << k.level << ", hunting " << k.hunting
                                        << ", carrying " << k.carried << ", box " << k.boxActive);
        startBout(ARENA_HELL, k.level, 3);
        for (int i = 0; i < CUBE_COUNT; i++)
            cube[i]->active = 0;
        const Cube *c = placeCube(0, 1300, HELL_FLOOR - 13);
        Cube *box = powerup[0];
        box->active = k.boxActive;
        box->inGreenBase = k.boxInGreenBase;
        box->x = 700;
        box->y = 400;
        standP2(1000, HELL_FLOOR);
        Fighter *f = player2;
        f->aiCubeIndex = 0;
        f->aiCubeHunting = k.hunting;
        f->cubesCarried = k.carried;
        f->power = k.power;
        f->aiGoalX = f->aiGoalY = -7;
        aiPlayer2Behaviour();
        const int x = f->aiGoalX, y = f->aiGoalY, cy = (int)c->y;
        const bool right[] = {x == 1300 && y == cy, abs(x - 1300) <= 25 && abs(y - cy) <= 25,
                              x == 700 + box->w / 2 && y == 400 + box->h,
                              x == booth2->x + booth2->w && y == booth2->y + booth2->h,
                              x == -7 && y == -7};
        EXPECT_TRUE(right[k.goal]) << "goal " << x << "," << y;
    }
}

// Walking left up to the green base he turns back just short of its field's edge (less 5 px
// and his push), unless a thruster carries him.
TEST_F(Behaviour, TurnsBackShortOfTheGreenBase)
{
    const struct {
        int offset, knockX, thrusterCaught, floorY, move;   // offset: past the field's edge
    } cases[] = {
        {4, 0, 0, HELL_FLOOR, AI_MOVE_RIGHT},
        {5, 0, 0, HELL_FLOOR, AI_MOVE_LEFT},
        {6, -2, 0, HELL_FLOOR, AI_MOVE_RIGHT},
        {4, 0, 1, HELL_FLOOR, AI_MOVE_LEFT},
        {4, 0, 0, 544, AI_MOVE_LEFT},   // on the ledge above the base
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(testing::Message() << k.offset << " px past the field, push " << k.knockX);
        startBout(ARENA_HELL, 2, 3);
        powerup[0]->active = 0;
        standP2(0, k.floorY);
        Fighter *f = player2;
        f->x = f->prevX = (int)(greenforcefield->x + greenforcefield->w) + k.offset;
        f->facing = FACING_LEFT;
        f->aiMove = AI_MOVE_LEFT;
        f->aiGoalX = 0;
        f->aiGoalY = f->y;
        f->aiCubeHunting = 0;
        f->aiEvadeTimer = 1;
        f->knockX = k.knockX;
        f->thrusterCaught = k.thrusterCaught;
        aiPlayer2Behaviour();
        EXPECT_EQ(f->aiMove, k.move);
    }
}

// Player 1 cannot lose the box while he waits in his booth: the computer standing on it
// leaves it there, and takes it once player 1 is back.
TEST_F(Behaviour, LeavesTheBoxWhilePlayerOneRespawnsAndTakesItAfter)
{
    startBout(ARENA_HELL, 2, 3);
    player->health = 0;
    for (int t = 0; t < 5 && !player->respawning; t++)
        harnessTick();
    ASSERT_EQ(player->respawning, 1);
    Cube *box = powerup[0];
    for (int t = 0; t < 300 && player->respawning; t++) {
        standP2(1000, HELL_FLOOR);
        box->x = player2->x + player2->w / 2 - box->w / 2;
        box->y = HELL_FLOOR - box->h - 2;
        box->active = 1;
        box->life = POWERUP_LIFE;
        harnessTick();
        ASSERT_TRUE(box->active) << "taken at tick " << t << " of player 1's stay in the booth";
    }
    player->respawning = 0;
    harnessTick();
    EXPECT_FALSE(box->active);
}

// Player 1's homing rocket at his height, 200 px to his left: from level 2 on he runs from it.
TEST_F(Behaviour, RunsFromAnIncomingRocketFromLevelTwoOn)
{
    for (int level = 1; level <= 3; level++) {
        startBout(ARENA_HELL, level, 3);
        standP2(1000, HELL_FLOOR);
        player2->aiMove = AI_MOVE_LEFT;
        Projectile *rocket = homorocket[0];
        rocket->active = 1;
        rocket->x = player2->x - 200;
        rocket->y = player2->y + 10;
        aiPlayer2Behaviour();
        EXPECT_EQ(player2->aiMove == AI_MOVE_RIGHT, level > 1) << "level " << level;
        EXPECT_EQ(player2->aiEvadeTimer == 3, level > 1) << "level " << level;
        const int startX = player2->x;
        harnessTicks(20);
        if (level > 1) {
            EXPECT_GT(player2->x, startX + 40) << "level " << level;
        }
    }
}

// Player 1's bullet along the street of London, from either side, at level 2.
TEST_F(Behaviour, DodgesBulletsAlongTheFloorFromEitherSide)
{
    struct Case {
        const char *what;
        int offset;          // bullet x from his left edge
        int direction;       // Facing of its flight
        int move, health;
        int jump, left, right, down, moveAfter, steerAfter;
    } cases[] = {
        {"walks into it from the left", -80, FACING_RIGHT, AI_MOVE_LEFT, 12, 1, 0, 0, 0, AI_MOVE_LEFT, AI_STEER_LEFT},
        {"walks into it from the right", 33 + 80, FACING_LEFT, AI_MOVE_RIGHT, 12, 1, 0, 0, 0, AI_MOVE_RIGHT, AI_STEER_RIGHT},
        {"slides away to the right", -20, FACING_RIGHT, AI_MOVE_RIGHT, 12, 1, 0, 1, 1, AI_MOVE_RIGHT, -1},
        {"slides away to the left", 40, FACING_LEFT, AI_MOVE_LEFT, 12, 1, 1, 0, 1, AI_MOVE_LEFT, -1},
        {"turns on it behind him, left", -80, FACING_RIGHT, AI_MOVE_RIGHT, 12, 1, 0, 0, 0, AI_MOVE_LEFT, AI_STEER_LEFT},
        {"turns on it behind him, right", 33 + 80, FACING_LEFT, AI_MOVE_LEFT, 12, 1, 0, 0, 0, AI_MOVE_RIGHT, AI_STEER_RIGHT},
        {"hurt, flees on to the right", -80, FACING_RIGHT, AI_MOVE_RIGHT, 3, 1, 0, 0, 0, AI_MOVE_RIGHT, AI_STEER_RIGHT},
        {"hurt, flees on to the left", 33 + 80, FACING_LEFT, AI_MOVE_LEFT, 3, 1, 0, 0, 0, AI_MOVE_LEFT, AI_STEER_LEFT},
    };
    for (const Case &c : cases) {
        startBout(ARENA_LONDON, 2, 3);
        standP2(1200, 992);
        Fighter *f = player2;
        f->aiMove = c.move;
        f->health = c.health;
        f->runSpeed = f->maxRunSpeed;
        f->slideArmed = 1;
        f->runFrame = f->climbFrame = 1;
        f->aiGoalX = f->x + f->w / 2;
        f->aiGoalY = 100;
        f->aiCubeHunting = 0;
        f->aiEvadeTimer = 1;
        Projectile *shot = bullet[0];
        shot->active = 1;
        shot->x = f->x + c.offset;
        shot->y = f->y + 20;
        shot->direction = c.direction;
        pd1 = pd2 = down2 = jump2 = 0;
        aiPlayer2Behaviour();
        EXPECT_EQ(jump2, c.jump) << c.what;
        EXPECT_EQ(pd1, c.left) << c.what;
        EXPECT_EQ(pd2, c.right) << c.what;
        EXPECT_EQ(down2, c.down) << c.what;
        EXPECT_EQ(f->aiMove, c.moveAfter) << c.what;
        if (c.steerAfter >= 0) {
            EXPECT_EQ(f->aiJumpTargetX, c.steerAfter) << c.what;
        }
    }
}

int bombPresses = 0;
void countBombPress(const char *step)
{
    if (strcmp(step, "playerGravity") == 0 && laybomb2)
        bombPresses++;
}

// With power to spare and the bomb timer running out while he walks the upper floor, he
// lays a bomb from level 2 on; level 1 never does.
TEST_F(Behaviour, LaysBombsFromLevelTwoOn)
{
    for (int level = 1; level <= 3; level++) {
        startBout(ARENA_HELL, level, 3);
        standP2(500, HELL_FLOOR);
        player2->power = 300;
        player2->aiBombTimer = 1;
        player->y = player2->y - 100;
        secondscount = secondsdelay;   // the next tick starts a second
        bombPresses = 0;
        frameStepHook = countBombPress;
        harnessTicks(3);
        frameStepHook = NULL;
        EXPECT_EQ(bombPresses > 0, level > 1) << "level " << level;
    }
}

// The fire press and its cooldown, re-rolled on every call whether or not it pressed.
TEST_F(Behaviour, ShotCooldownIsRerolledOnEveryCall)
{
    struct Case {
        int level, cooldown, inBase, p1Respawning, sonic, mapId;
        int fires, lo, hi;
    } cases[] = {
        {1, 0, 0, 0, 0, ARENA_HELL, 1, 18, 30},
        {2, 0, 0, 0, 0, ARENA_HELL, 1, 10, 18},
        {3, 0, 0, 0, 0, ARENA_HELL, 1, 4, 8},
        {3, 5, 0, 0, 0, ARENA_HELL, 0, 4, 8},     // still cooling down
        {2, 0, 1, 0, 0, ARENA_HELL, 0, 10, 18},   // in his own base
        {1, 0, 0, 1, 0, ARENA_HELL, 0, 24, 48},   // player 1 respawning: the distant formula
        {1, 0, 0, 0, 1, ARENA_HELL, 1, 7, 7},     // speed power-up
        {3, 0, 0, 0, 0, SCREEN_TUTORIAL, 1, 37, 56},
    };
    startBout(ARENA_HELL, 1, 3);
    standP2(1000, HELL_FLOOR);
    player->x = 900;
    player->y = player2->y;
    for (const Case &c : cases) {
        for (int roll = 0; roll < 40; roll++) {
            AIcomp = c.level;
            map = c.mapId;
            player2->aiShotCooldown = c.cooldown;
            player2->inBase = c.inBase;
            player->respawning = c.p1Respawning;
            player2->sonic = c.sonic;
            fire2 = 0;
            aiPlayer2Shoot();
            EXPECT_EQ(fire2, c.fires) << "level " << c.level << " map " << c.mapId;
            EXPECT_GE(player2->aiShotCooldown, c.lo);
            EXPECT_LE(player2->aiShotCooldown, c.hi);
        }
    }
    map = ARENA_HELL;
}

// A jump refused because he is too slow still turns the air steering away from a wall.
TEST_F(Behaviour, ARefusedJumpStillFlipsTheSteeringSide)
{
    startBout(ARENA_HELL, 2, 3);
    // Against Hell's left edge wall, standing.
    standP2(60, HELL_FLOOR);
    player2->aiMove = AI_MOVE_LEFT;
    player2->aiGoalY = 0;
    player2->aiJumpTargetX = AI_STEER_LEFT;
    player2->runSpeed = 0;
    jump2 = 0;
    aiPlayer2Jump();
    EXPECT_EQ(jump2, 0);
    EXPECT_EQ(player2->aiJumpTargetX, AI_STEER_RIGHT);
    player2->runSpeed = player2->maxRunSpeed;
    aiPlayer2Jump();
    EXPECT_EQ(jump2, 1);
}

// A probe bullet that reaches player 1 makes the computer fire and flies on.
TEST_F(Behaviour, AProbeBulletFiresWhenItReachesPlayerOneAndFliesOn)
{
    startBout(ARENA_HELL, 3, 3);
    standP2(1000, HELL_FLOOR);
    player->x = 850;
    player->y = player2->y;
    player->state = FIGHTER_STAND_RIGHT;
    player2->facing = FACING_LEFT;
    player2->aiMove = AI_MOVE_LEFT;
    player2->aiShotCooldown = 0;
    arms2->x = player2->x;
    arms2->y = player2->y + 20;
    spawnFakeBullet();
    Projectile *probe = fakeBullet[0];
    ASSERT_EQ(probe->active, 1);
    fire2 = 0;
    updateFakeBullet();   // 100 px on: inside his widened box
    EXPECT_EQ(fire2, 1);
    EXPECT_EQ(probe->active, 1);
    // Frozen, he is never reported.
    player->frozen = 1;
    player2->aiShotCooldown = 0;
    fire2 = 0;
    updateFakeBullet();
    EXPECT_EQ(fire2, 0);
}

// Straight above player 1 the probe rocket's slope has no value: it takes the steepest step.
TEST_F(Behaviour, AProbeRocketStraightAbovePlayerOneStepsAtMost)
{
    startBout(ARENA_HELL, 3, 3);
    player->x = 600;
    player->y = 600;
    Projectile *probe = fakeHomer[0];
    probe->active = 1;
    probe->stepX = 16;
    probe->stepY = 3;
    probe->w = 20;
    probe->x = player->x - 16;   // its centre one step short of his
    probe->y = 300;
    updateFakeHomer();
    ASSERT_EQ(probe->x, player->x);
    EXPECT_EQ(probe->stepY, 8);
    EXPECT_EQ(probe->active, 1);
}

}  // namespace
