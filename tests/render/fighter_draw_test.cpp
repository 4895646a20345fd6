// Fighter drawing: the gate, mirroring, the independent rows, the looks and the listed
// differences between the two fighters.
#include <allegro.h>
#include <gtest/gtest.h>

#include "fighters/drawfighter.h"
#include "core/fighter.h"
#include "render/scene.h"
#include "core/assets.h"
#include "shell/startup.h"

namespace {

class FighterDraw : public ::testing::Test {
protected:
    Fighter &f1 = sceneFighter1;
    Fighter &f2 = sceneFighter2;
    GunAnchor &a1 = sceneArms1;
    GunAnchor &a2 = sceneArms2;
    void SetUp() override { fresh(); }
    // A fresh scene with both fighters standing, facing right.
    void fresh()
    {
        resetScene();
        placeStanding(&f1, &a1, 400, 400);
        placeStanding(&f2, &a2, 800, 400);
    }
    BITMAP *arm(int look, int weapon, int pose, int cryo = 0)
    {
        return *armPicture[look][weapon - 1][pose + (cryo ? ARM_POSE_COUNT : 0)];
    }
};

TEST_F(FighterDraw, FacingLeftIsMirroredAtTheSameCorners)
{
    f1.idleFrame = 3;
    drawPlayer();
    EXPECT_TRUE(shownAsStored(buffer, player_still[3], 400, 400));
    EXPECT_TRUE(shownAsStored(buffer, gibber, a1.x, a1.y));

    fresh();
    f1.facing = FACING_LEFT;
    f1.state = FIGHTER_STAND_LEFT;
    f1.idleFrame = 3;
    drawPlayer();
    EXPECT_TRUE(shownMirrored(buffer, player_still[3], 400, 400));
    EXPECT_TRUE(shownMirrored(buffer, gibber, a1.x, a1.y));
}

TEST_F(FighterDraw, OnScreenGateOnTheBodyBox)
{
    struct { int x, y, drawn; } cases[] = {
        {1596 - 33, 400, 1}, {1597 - 33, 400, 0}, {4, 400, 1}, {3, 400, 0},
        {400, 4, 1}, {400, 3, 0}, {400, 1199 - 48, 1}, {400, 1200 - 48, 0},
    };
    for (auto c : cases) {
        for (int facing = 0; facing < 2; facing++) {
            resetScene();
            placeStanding(&f2, &a2, c.x, c.y);
            f2.facing = facing;
            f2.state = facing ? FIGHTER_STAND_RIGHT : FIGHTER_STAND_LEFT;
            f2.gibberFlash = 3;
            drawPlayer2();
            const int body = facing ? shownAsStored(buffer, player2_still[0], c.x, c.y)
                                    : shownMirrored(buffer, player2_still[0], c.x, c.y);
            EXPECT_EQ(body, c.drawn) << c.x << "," << c.y << " facing " << facing;
            // Nothing at all is drawn outside the gate: not the arm, not the flash.
            if (!c.drawn) {
                EXPECT_FALSE(fillAt(buffer, gibberflash, a2.x + (facing ? 35 : -10), a2.y + 5));
            }
        }
    }
}

TEST_F(FighterDraw, RowsAreIndependent)
{
    // The idle row needs the state of its facing; the arm is drawn regardless.
    f1.state = FIGHTER_STAND_LEFT;   // facing right
    drawPlayer();
    EXPECT_FALSE(fillAt(buffer, player_still[0], 410, 420));
    EXPECT_TRUE(shownAsStored(buffer, gibber, a1.x, a1.y));

    // Crouching while knocked flat: facing left both pictures, facing right only the fall.
    fresh();
    f1.facing = FACING_LEFT;
    f1.state = FIGHTER_CROUCH;
    f1.floorTimer = 5;
    drawPlayer();
    EXPECT_TRUE(shownMirrored(buffer, player_hitfloor, 400, 400));
    EXPECT_TRUE(fillAt(buffer, player_crouch, 405, 400 + 48));   // the crouch's last row
    fresh();
    f1.state = FIGHTER_CROUCH;
    f1.floorTimer = 5;
    drawPlayer();
    EXPECT_TRUE(shownAsStored(buffer, player_hitfloor, 400, 400));
    EXPECT_FALSE(fillAt(buffer, player_crouch, 405, 400 + 48));

    // Rising while crouching draws the jump, then the crouch over it.
    fresh();
    f1.weapon = WEAPON_NONE;
    f1.state = FIGHTER_CROUCH;
    f1.jumpPhase = JUMP_RISING;
    drawPlayer();
    EXPECT_TRUE(fillAt(buffer, player_jump, 410, 405));
    EXPECT_TRUE(shownAsStored(buffer, player_crouch, 400, 418));
}

TEST_F(FighterDraw, WallGrabArmAndFlashAreMirroredAgainstTheBody)
{
    f1.wallGrabTimer = 40;
    f1.jumpPhase = JUMP_RISING;
    drawPlayer();
    EXPECT_TRUE(shownAsStored(buffer, player_grab, 400, 400));
    EXPECT_TRUE(shownMirrored(buffer, gibber_grab, a1.x, a1.y));
    f1.gibberFlash = 2;
    drawPlayer();
    EXPECT_TRUE(shownMirrored(buffer, gibberflash, a1.x - 19, a1.y));
}

TEST_F(FighterDraw, ClimbingIsNeverMirroredAndWearsThePackInFront)
{
    f1.facing = FACING_LEFT;
    f1.state = FIGHTER_CLIMB_UP;
    f1.climbing = 1;
    f1.climbFrame = 4;
    f1.rocketPack = 1;
    drawPlayer();
    EXPECT_TRUE(shownAsStored(buffer, player_climb[4], 400, 400));
    EXPECT_TRUE(shownAsStored(buffer, rocketpack, a1.x + 3, a1.y - 3));
    // The arm is under the pack; its right end still shows it is not mirrored.
    EXPECT_TRUE(fillAt(buffer, gibber_climb, a1.x + 37, a1.y + 1));
    EXPECT_FALSE(fillAt(buffer, rocketpack, a1.x + 16, a1.y));   // no pack behind
}

TEST_F(FighterDraw, SlideRowsAndTheKnockBackTest)
{
    // The knock-back test hides fighter 1's slide facing left, fighter 2's facing right, and
    // neither in the frozen or the slowed look.
    enum { NORMAL, FROZEN, GREY };
    const struct { int who, facing, look, shown; } cases[] = {
        {1, FACING_RIGHT, NORMAL, 1}, {1, FACING_LEFT, NORMAL, 0}, {1, FACING_RIGHT, FROZEN, 1},
        {1, FACING_LEFT, FROZEN, 1},  {2, FACING_RIGHT, NORMAL, 0}, {2, FACING_LEFT, NORMAL, 1},
        {2, FACING_RIGHT, GREY, 1}};
    for (auto c : cases) {
        fresh();
        Fighter &f = c.who == 1 ? f1 : f2;
        f.facing = c.facing;
        f.state = FIGHTER_SLIDE;
        f.sliding = c.who == 1;
        f.knockX = 4;
        f.frozen = c.look == FROZEN;
        (c.look == GREY ? drawGreyPlayer2 : c.who == 1 ? drawPlayer : drawPlayer2)();
        BITMAP **pics = c.look == FROZEN ? player_slide_cryo
                        : c.look == GREY ? grey_slide
                        : c.who == 1     ? player_slide
                                         : player2_slide;
        EXPECT_EQ(fillAt(buffer, pics[0], c.who == 1 ? 445 : 845, 440), c.shown)
            << "fighter " << c.who << " facing " << c.facing << " look " << c.look;
    }

    // Too fast a fall hides the body but not the sliding arm.
    fresh();
    f1.state = FIGHTER_SLIDE;
    f1.sliding = 1;
    f1.fallSpeed = 11;
    drawPlayer();
    EXPECT_FALSE(fillAt(buffer, player_slide[0], 445, 440));
    EXPECT_TRUE(shownAsStored(buffer, gibber_slide, a1.x, a1.y));
}

TEST_F(FighterDraw, FrozenLookHasNoFlashAndNoFastRun)
{
    f1.state = FIGHTER_RUN_RIGHT;
    f1.sonic = 1;
    f1.frozen = 1;
    f1.runFrame = 6;
    f1.gibberFlash = 3;
    drawPlayer();
    EXPECT_TRUE(shownAsStored(buffer, player_run_cryo[6], 400, 400));
    EXPECT_TRUE(shownAsStored(buffer, gibber_cryo, a1.x, a1.y));
    EXPECT_FALSE(fillAt(buffer, gibberflash, a1.x + 40, a1.y + 5));
    EXPECT_FALSE(fillAt(buffer, player_runsonic[6], 410, 420));
}

TEST_F(FighterDraw, RespawnAnimationByPower)
{
    f1.state = FIGHTER_RESPAWNING;
    f1.respawning = 1;
    f1.respawnFrame = 7;
    f1.power = 200;
    f2.power = 199;
    drawPlayer();
    EXPECT_TRUE(shownAsStored(buffer, player_respawn_bigcock[7], 400, 400));
    EXPECT_FALSE(fillAt(buffer, gibber, a1.x + 20, a1.y + 5));   // no carried arm
    f2.power = 200;
    drawPlayer();
    EXPECT_TRUE(shownAsStored(buffer, player_respawn_smallcock[7], 400, 400));

    // Fighter 2's respawn rows are his facing-left ones, drawn as stored.
    f2.state = FIGHTER_RESPAWNING;
    f2.respawning = 1;
    f2.respawnFrame = 2;
    f2.power = 250;
    drawPlayer2();
    EXPECT_FALSE(fillAt(buffer, player2_respawn_bigcock[2], 810, 420));
    f2.facing = FACING_LEFT;
    drawPlayer2();
    EXPECT_TRUE(shownAsStored(buffer, player2_respawn_bigcock[2], 800, 400));
    // Slowed, he always shows the small grey animation.
    drawGreyPlayer2();
    EXPECT_TRUE(shownAsStored(buffer, grey_respawn_smallcock[2], 800, 400));
}

TEST_F(FighterDraw, SlowedLookSwapsOnlyTheNormalPictures)
{
    f1.weapon = WEAPON_ZAPZAP;
    drawGreyPlayer();
    EXPECT_TRUE(shownAsStored(buffer, grey_still[0], 400, 400));
    EXPECT_TRUE(shownAsStored(buffer, arm(ARM_LOOK_GREY, WEAPON_ZAPZAP, ARM_POSE_NORMAL), a1.x, a1.y));
    f1.frozen = 1;
    drawGreyPlayer();
    EXPECT_TRUE(shownAsStored(buffer, player_still_cryo[0], 400, 400));
    EXPECT_TRUE(shownAsStored(buffer, zapzap_cryo, a1.x, a1.y));

    f2.frozen = 1;
    drawGreyPlayer2();
    EXPECT_TRUE(shownAsStored(buffer, player2_still_cryo[0], 800, 400));
    EXPECT_TRUE(shownAsStored(buffer, gibber2_cryo, a2.x, a2.y));
}

TEST_F(FighterDraw, FlashDifferencesBetweenTheFighters)
{
    // Zapzap while grabbing facing right: fighter 2 only, mirrored at (-30, -8).
    f1.weapon = f2.weapon = WEAPON_ZAPZAP;
    f1.zapzapFlash = f2.zapzapFlash = 2;
    f1.wallGrabTimer = f2.wallGrabTimer = 30;
    drawPlayer();
    EXPECT_FALSE(fillAt(buffer, plasmaflash, a1.x - 30 + 10, a1.y - 8 + 8));
    drawPlayer2();
    EXPECT_TRUE(shownMirrored(buffer, plasmaflash, a2.x - 30, a2.y - 8));
    fresh();
    f2.weapon = WEAPON_ZAPZAP;
    f2.zapzapFlash = 2;
    f2.wallGrabTimer = 30;
    drawGreyPlayer2();
    EXPECT_FALSE(fillAt(buffer, plasmaflash, a2.x - 30 + 10, a2.y - 8 + 8));

    // The moonraker flashes for fighter 1 only.
    fresh();
    f1.weapon = f2.weapon = WEAPON_MOONRAKER;
    f1.moonrakerFlash = f2.moonrakerFlash = 2;
    drawPlayer();
    drawPlayer2();
    EXPECT_TRUE(shownAsStored(buffer, moonrakerflash, a1.x + 32, a1.y + 3));
    EXPECT_FALSE(fillAt(buffer, moonrakerflash, a2.x + 32 + 10, a2.y + 3 + 8));

    // The dual gibber can show both its flashes at once.
    fresh();
    f1.weapon = WEAPON_DUALGIBBER;
    f1.dualFlash = f1.gibberFlash = 2;
    drawPlayer();
    EXPECT_TRUE(fillAt(buffer, gibberflash, a1.x + 38 + 20, a1.y - 5 + 1));
    EXPECT_TRUE(shownAsStored(buffer, gibberflash, a1.x + 23, a1.y));
}

TEST_F(FighterDraw, ArmlessAndBlasterDrawBodyOnly)
{
    for (int weapon : {WEAPON_NONE, WEAPON_BLASTER}) {
        fresh();
        f1.weapon = weapon;
        f1.rocketPack = 1;
        drawPlayer();
        EXPECT_TRUE(fillAt(buffer, player_still[0], 410, 440));
        EXPECT_TRUE(markAt(buffer, rocketpack, a1.x - 10, a1.y - 2));
        EXPECT_EQ(getpixel(buffer, a1.x + 36, a1.y + 10), makecol(0, 0, 0));
    }
}

}  // namespace
