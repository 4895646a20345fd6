// The tutorial's rules on the generated training arena, one tick at a time: where each hint
// holds the game, the hand-over of player 2, the health refill, the pause and its pictures.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <utility>

#include "ai/tutorial.h"
#include "arena/pickups.h"
#include "core/assets.h"
#include "core/fighter.h"
#include "core/settings.h"
#include "core/tutorial.h"
#include "core/world.h"
#include "shell/harness.h"
#include "support/test_env.h"
#include "tilemap/tilemap.h"
#include "tutorial/drawn.h"

namespace {

class TutorialRules : public HarnessTest {
protected:
    void SetUp() override
    {
        HarnessTest::SetUp();
        if (IsSkipped())
            return;
        setupcubespawner();
        tutorial = tutorialWait = tutWaitCount = 0;
        startTestBout(SCREEN_TUTORIAL);
        put(player, 100, 1134, FACING_RIGHT);
        put(player2, 1522, 1094, FACING_LEFT);
    }
    static void put(Fighter *f, int x, int y, int facing)
    {
        f->respawning = 0;
        f->alive = 1;
        f->health = 12;
        f->x = x;
        f->y = y;
        f->facing = facing;
        f->state = facing == FACING_RIGHT ? FIGHTER_STAND_RIGHT : FIGHTER_STAND_LEFT;
    }
    static int seenCount()
    {
        return seenJump + seenUp + seenDown + seenDoubleJump + seenWallJump + seenLadderTrick +
               seenBackFire + seenSlide;
    }
};

TEST_F(TutorialRules, EachHintHoldsTheGameOnlyInsideItsPlaceAndOnlyOnce)
{
    const struct {
        int cx, cy, facing, climbing;
        int *flag;   // NULL: nothing may fire there
    } cases[] = {
        {369, 1158, FACING_RIGHT, 0, &seenJump},
        {368, 1158, FACING_RIGHT, 0, NULL},
        {400, 1158, FACING_LEFT, 0, NULL},
        {630, 1098, FACING_LEFT, 0, &seenJump},
        {650, 1166, FACING_LEFT, 0, &seenUp},
        {650, 1167, FACING_LEFT, 0, NULL},
        {934, 1000, FACING_LEFT, 0, &seenDoubleJump},
        {934, 1000, FACING_RIGHT, 0, NULL},
        {1558, 921, FACING_RIGHT, 0, &seenWallJump},
        // The ladder trick goes by his top y, and only while he climbs up.
        {240, 506 + 24, FACING_RIGHT, 1, &seenLadderTrick},
        {240, 505 + 24, FACING_RIGHT, 1, NULL},
        {240, 510 + 24, FACING_RIGHT, 0, NULL},
        {1217, 421, FACING_LEFT, 0, &seenBackFire},
        {382, 510, FACING_LEFT, 0, NULL},
        {1599, 164, FACING_LEFT, 0, &seenSlide},
        {700, 190, FACING_LEFT, 0, NULL},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "centre " << c.cx << "," << c.cy);
        setupTutorial();
        tutorialWait = 0;
        put(player, c.cx - 16, c.cy - 24, c.facing);
        if (c.climbing)
            player->state = FIGHTER_CLIMB_UP;
        updateTutorial();
        EXPECT_EQ(tutorialWait, c.flag ? 1 : 0);
        EXPECT_EQ(seenCount(), c.flag ? 1 : 0);
        if (c.flag) {
            EXPECT_EQ(*c.flag, 1);
        }
        tutorialWait = 0;
        updateTutorial();
        EXPECT_EQ(tutorialWait, 0) << "a second time";
    }
}

TEST_F(TutorialRules, Player2GoesToTheComputerPastTheLinesAndPlayer1IsHealedUntilTheLastStage)
{
    const struct {
        int p1x, p2x, p1Spawned, stage, health;
        int p2cpuAfter, healthAfter;
    } cases[] = {
        {365, 1522, 1, 0, 5, 0, 12},
        {366, 1522, 0, 11, 1, 1, 12},
        {100, 1199, 1, 12, 5, 1, 5},
        {100, 1199, 0, 0, 5, 0, 12},
        {100, 1200, 1, 0, 12, 0, 12},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "player 1 at " << c.p1x << ", player 2 at " << c.p2x
                                        << ", stage " << c.stage);
        p2cpu = 0;
        player->x = c.p1x;
        player->hasSpawned = c.p1Spawned;
        player->health = c.health;
        player2->x = c.p2x;
        tutorial = c.stage;
        updateTutorial();
        EXPECT_EQ(p2cpu, c.p2cpuAfter);
        EXPECT_EQ(player->health, c.healthAfter);
    }
}

TEST_F(TutorialRules, TheGuidanceClimbsAndJumpsTheComputerAtTheCoursesFixedPlaces)
{
    const struct {
        int cx, cy, move, goalX, goalY, grab;
        int move2, jump, request, jumpX, left, right;   // -1: not looked at
    } cases[] = {
        {655, 1100, AI_MOVE_LEFT, 900, 500, 0, AI_MOVE_CLIMB, 0, 0, -1, 0, 0},
        {420, 1159, AI_MOVE_LEFT, 900, 0, 0, AI_MOVE_LEFT, 1, 0, -1, 0, 0},
        {455, 1159, AI_MOVE_RIGHT, 900, 2000, 0, AI_MOVE_RIGHT, 1, 0, -1, 0, 0},
        {300, 1159, AI_MOVE_RIGHT, 900, 0, 0, AI_MOVE_RIGHT, 0, 0, -1, 0, 0},
        {620, 999, AI_MOVE_RIGHT, 900, 0, 0, AI_MOVE_RIGHT, 1, 1, 865, 0, 0},
        {990, 999, AI_MOVE_LEFT, 700, 0, 0, AI_MOVE_LEFT, 1, 1, 769, 0, 0},
        {990, 999, AI_MOVE_LEFT, 900, 0, 0, AI_MOVE_LEFT, 0, 0, -1, 0, 0},
        {60, 950, AI_MOVE_LEFT, 900, 0, 1, AI_MOVE_LEFT, 0, 0, -1, 0, 1},
        {1540, 950, AI_MOVE_LEFT, 900, 0, 1, AI_MOVE_LEFT, 0, 0, -1, 1, 0},
        {60, 950, AI_MOVE_LEFT, 900, 0, 2, AI_MOVE_LEFT, 0, 0, -1, 0, 0},
        {1540, 950, AI_MOVE_LEFT, 900, 0, 2, AI_MOVE_LEFT, 0, 0, -1, 0, 0},
        {655, 1100, AI_MOVE_LEFT, 900, 1050, 0, AI_MOVE_LEFT, 0, 0, -1, 0, 0},
    };
    p2cpu = 1;
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "player 2's centre " << c.cx << "," << c.cy);
        Fighter *p2 = player2;
        put(p2, c.cx - 16, c.cy - 24, c.move == AI_MOVE_RIGHT ? FACING_RIGHT : FACING_LEFT);
        p2->runSpeed = p2->maxRunSpeed;
        p2->jumpPhase = JUMP_NONE;
        p2->aiMove = c.move;
        p2->aiGoalX = c.goalX;
        p2->aiGoalY = c.goalY;
        p2->wallGrabTimer = c.grab;
        p2->aiJumpRequest = 0;
        pd1 = pd2 = jump2 = 0;
        tutorialAI();
        EXPECT_EQ(p2->aiMove, c.move2);
        EXPECT_EQ(jump2, c.jump);
        EXPECT_EQ(p2->aiJumpRequest, c.request);
        if (c.jumpX >= 0) {
            EXPECT_EQ(p2->aiJumpTargetX, c.jumpX);
        }
        EXPECT_EQ(pd1, c.left);
        EXPECT_EQ(pd2, c.right);
    }

    // The jump rectangles whole: each corner aims the jump, one pixel past any edge does
    // not. The floor rectangles reach down without end; blocks under their top edge give
    // his feet ground there. Over a low wall he aims at the far side, not back where he came
    // from, or he would land short of the wall.
    const int solid = mappt[37 * mapwidth];
    for (int x : {401, 434, 1176, 1209})
        MapSetBlockInPixels(x, 1170, solid);
    const struct {
        int left, right, top, bottom, move, goalX, targetX, targetY;   // targetY 0: his centre's y
    } jumps[] = {
        {401, 434, 1139, 0, AI_MOVE_HOLD, 900, 1590, 0},
        {1176, 1209, 1139, 0, AI_MOVE_HOLD, 900, 0, 0},
        {606, 631, 981, 1014, AI_MOVE_RIGHT, 900, 865, 800},
        {979, 1012, 981, 1014, AI_MOVE_LEFT, 700, 769, 800},
    };
    for (const auto &r : jumps) {
        // The x, y his jump aims at from centre (cx, cy); -1, -1 when none.
        auto aimFrom = [&r](int cx, int cy) {
            put(player2, cx - 16, cy - 24, FACING_LEFT);
            player2->jumpPhase = JUMP_NONE;
            player2->aiMove = r.move;
            player2->aiGoalX = r.goalX;
            player2->aiGoalY = 0;
            player2->aiJumpTargetX = player2->aiJumpTargetY = -1;
            tutorialAI();
            return std::make_pair(player2->aiJumpTargetX, player2->aiJumpTargetY);
        };
        const auto none = std::make_pair(-1, -1);
        const int bottom = r.bottom ? r.bottom : 1158;   // on the floor
        for (int x : {r.left, r.right}) {
            for (int y : {r.top, bottom}) {
                const int outX = x == r.left ? x - 1 : x + 1, outY = y == r.top ? y - 1 : y + 1;
                const auto aim = aimFrom(x, y);
                EXPECT_EQ(aim.second, r.targetY ? r.targetY : y) << "centre " << x << "," << y;
                EXPECT_EQ(aimFrom(outX, y), none) << "centre " << outX << "," << y;
                // Low on the floor the wall right ahead turns any jump back, whatever the
                // rectangle aimed at: its x is the rectangle's own only higher up.
                if (y == r.top || r.bottom) {
                    EXPECT_EQ(aim.first, r.targetX) << "centre " << x << "," << y;
                    EXPECT_EQ(aimFrom(x, outY), none) << "centre " << x << "," << outY;
                }
            }
        }
    }
}

TEST_F(TutorialRules, FromTheLastStagePlayer2TakesTheBoxButWaitsOnItWhilePlayer1Respawns)
{
    const struct {
        int stage, p1Respawning;
        int activeAfter, move;
    } cases[] = {
        {11, 0, 1, AI_MOVE_LEFT},
        {12, 0, 0, AI_MOVE_LEFT},
        {12, 1, 1, AI_MOVE_HOLD},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "stage " << c.stage);
        Cube *box = powerup[0];
        box->active = 1;
        box->x = player2->x + 10;
        box->y = player2->y + player2->h - 10;
        player2->aiMove = AI_MOVE_LEFT;
        player->respawning = c.p1Respawning;
        tutorial = c.stage;
        updateTutorial();
        EXPECT_EQ(box->active, c.activeAfter);
        EXPECT_EQ(player2->aiMove, c.move);
    }
    // Near it from the last stage on, his jumps aim at it.
    powerup[0]->active = 1;
    powerup[0]->x = player2->x - 40;
    powerup[0]->y = player2->y;
    updateTutorial();
    EXPECT_EQ(player2->aiJumpTargetX, (int)(powerup[0]->x + powerup[0]->w / 2));
}

TEST_F(TutorialRules, APauseEndsOnAnyMoveOrFireKeyAfterItsFirstTwentyOneTicksDroppingDueTicks)
{
    const int slots[] = {BIND_P1_LEFT, BIND_P1_RIGHT, BIND_P1_UP, BIND_P1_DOWN, BIND_P1_ACTION,
                         BIND_P1_FIRE, BIND_P2_LEFT, BIND_P2_RIGHT, BIND_P2_UP, BIND_P2_DOWN,
                         BIND_P2_ACTION, BIND_P2_FIRE};
    for (int slot : slots) {
        SCOPED_TRACE(testing::Message() << "binding slot " << slot);
        tutorialWait = 1;
        tutWaitCount = 0;
        playersActive = 0;
        player->won = 1;
        key[keyIndexOfCode(keyBindings[slot].code)] = 1;
        int ticks = 0;
        while (tutorialWait == 1 && ticks < 100) {
            speed_counter = 3;
            harnessTick();
            ticks++;
        }
        harnessReleaseInput();
        EXPECT_EQ(ticks, 22);
        EXPECT_EQ(speed_counter, 0);
        EXPECT_EQ(playersActive, 1);
        EXPECT_EQ(player->won, 0);
    }
    // The bomb key is not one of them; SPACE lets go at once.
    tutorialWait = 1;
    tutWaitCount = 0;
    key[keyIndexOfCode(keyBindings[BIND_P1_BOMB].code)] = 1;
    harnessTicks(60);
    EXPECT_EQ(tutorialWait, 1);
    key[KEY_SPACE] = 1;
    speed_counter = 3;
    harnessTick();
    EXPECT_EQ(tutorialWait, 0);
    EXPECT_EQ(speed_counter, 0);
    EXPECT_EQ(tutWaitCount, 0) << "the next pause waits its full time too";
}

TEST_F(TutorialRules, ThePauseFadesTheSceneAndRefillsBothPoolsWithTheWinnersPicture)
{
    const int far = makecol(200, 100, 8);
    putpixel(buffer, 1590, 10, far);
    player->power = 0;
    player2->power = 0;
    player2->won = 1;
    tutorialWait = 1;
    waitTutorial();
    int c = getpixel(buffer, 1590, 10);
    EXPECT_LT(getr(c), 200);
    EXPECT_GE(getr(c), 184);
    EXPECT_LT(getg(c), 100);
    EXPECT_EQ(getb(c), 0);
    EXPECT_EQ(player->power, 200);
    EXPECT_EQ(player2->power, 200);
    EXPECT_TRUE(drawnAt(tutorialtextBig[15], 573, 494));
    for (int i = 0; i < 30; i++)
        waitTutorial();
    EXPECT_EQ(getpixel(buffer, 1590, 10), makecol(0, 0, 0));
}

TEST_F(TutorialRules, TheBigPictureWaitsForTheFirstSpawnTheBoxAndWhatTheLastBoxGave)
{
    const struct {
        int stage, spawned, weapon, enemyTimer, boxOut;
        int picture;   // -1: none
    } cases[] = {
        {0, 1, WEAPON_GIBBER, 0, 0, 0},
        {0, 0, WEAPON_GIBBER, 0, 0, -1},
        {3, 1, WEAPON_GIBBER, 0, 1, 1},
        {6, 1, WEAPON_GIBBER, 5, 1, -1},
        {1, 1, WEAPON_GIBBER, 0, 0, 2},
        {3, 1, WEAPON_GIBBER, 0, 0, -1},
    };
    const int blank = makecol(255, 0, 255);
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "stage " << c.stage << ", box " << c.boxOut);
        tutorial = c.stage;
        player->hasSpawned = c.spawned;
        player->weapon = c.weapon;
        player2->powerupTimer = c.enemyTimer;
        powerup[0]->active = c.boxOut;
        clear_to_color(buffer, blank);
        drawTutorialBigText();
        if (c.picture >= 0) {
            EXPECT_TRUE(drawnAt(tutorialtextBig[c.picture], 573, 494));
        } else {
            EXPECT_EQ(getpixel(buffer, 573 + 10, 494 + 10), blank);
        }
    }
}

TEST_F(TutorialRules, SignsStandOverTheBoothsFirstThenAPickUpSignAloneFacesTheMiddle)
{
    clear_to_color(buffer, makecol(255, 0, 255));
    player->hasSpawned = 0;
    drawTutorialFG();
    EXPECT_TRUE(drawnAt(tutorialtext[15], 43, 970));
    EXPECT_TRUE(drawnAt(tutorialtext[16], 1430, 970));

    // In his base with a cube in his box: only the cube's sign, left of him past the middle.
    player->hasSpawned = 1;
    player->inBase = 1;
    player->x = 900;
    player->cubesCarried = 3;
    Cube *c = cube[4];
    c->active = 1;
    c->x = player->x + 10;
    c->y = player->y + 20;
    clear_to_color(buffer, makecol(255, 0, 255));
    drawTutorialFG();
    EXPECT_TRUE(drawnAt(tutorialtext[11], player->x - 200, player->y - 100));
    EXPECT_FALSE(drawnAt(tutorialtext[0], player->x + player->w, player->y - 100));
    c->active = 0;
    drawTutorialFG();
    EXPECT_TRUE(drawnAt(tutorialtext[0], player->x + player->w, player->y - 100));
}

} // namespace
