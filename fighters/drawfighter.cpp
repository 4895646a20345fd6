#include "fighters/drawfighter.h"

#include <allegro.h>

#include "core/assets.h"
#include "core/fighter.h"
#include "core/world.h"

// How a picture is put down in one facing.
enum Placement { NOT_DRAWN, AS_STORED, MIRRORED };

static void sprite(BITMAP *dest, BITMAP *pic, int x, int y, Placement how)
{
    if (!pic || how == NOT_DRAWN)
        return;
    if (how == MIRRORED)
        draw_sprite_h_flip(dest, pic, x, y);
    else
        draw_sprite(dest, pic, x, y);
}

// Art faces right: facing left mirrors it.
static Placement byFacing(int facingRight)
{
    return facingRight ? AS_STORED : MIRRORED;
}

// The body rows, once in the normal colour (cryo 0) and once frozen (cryo 1). Every row is
// independent: several can draw in one frame, later ones on top.
static void drawBodyRows(BITMAP *dest, const Fighter *f, int opponentPower,
                         const FighterLook &look, const FighterDrawRules &rules, int cryo)
{
    if (f->frozen != cryo)
        return;
    const int right = f->facing == FACING_RIGHT;
    const Placement facing = byFacing(right);
    const int x = f->x, y = f->y;
    const int onFeet = f->jumpPhase == JUMP_NONE && f->floorTimer == 0;
    const int inAir = f->wallGrabTimer == 0 && f->floorTimer == 0;

    if (f->state == (right ? FIGHTER_STAND_RIGHT : FIGHTER_STAND_LEFT) && onFeet)
        sprite(dest, (cryo ? look.stillCryo : look.still)[f->idleFrame], x, y, facing);
    if (f->state == (right ? FIGHTER_RUN_RIGHT : FIGHTER_RUN_LEFT) && onFeet) {
        // The frozen run has no fast variant.
        if (cryo)
            sprite(dest, look.runCryo[f->runFrame], x, y, facing);
        else if (f->sonic == 0)
            sprite(dest, look.run[f->runFrame], x, y, facing);
        else if (f->sonic == 1)
            sprite(dest, look.runsonic[f->runFrame], x, y, facing);
    }
    if (f->jumpPhase == JUMP_RISING && inAir)
        sprite(dest, cryo ? look.jumpCryo : look.jump, x, y, facing);
    if (f->jumpPhase == JUMP_FALLING && inAir)
        sprite(dest, cryo ? look.jumpCryo : look.jump, x, y, facing);
    if (f->wallGrabTimer != 0)
        sprite(dest, cryo ? look.grabCryo : look.grab, x, y, facing);
    if (!cryo && f->facing == rules.respawnFacing && f->state == FIGHTER_RESPAWNING &&
        f->respawning == 1) {
        BITMAP **frames = look.respawnBig && f->power > opponentPower ? look.respawnBig
                                                                        : look.respawnSmall;
        sprite(dest, frames[f->respawnFrame], x, y, AS_STORED);
    }
    if (f->state == FIGHTER_CLIMB_UP)
        sprite(dest, (cryo ? look.climbCryo : look.climb)[f->climbFrame], x, y, AS_STORED);
    if (f->state == FIGHTER_CLIMB_DOWN)
        sprite(dest, (cryo ? look.climbCryo : look.climb)[f->climbFrame], x, y, AS_STORED);
    if (f->state == FIGHTER_CROUCH && (!right || f->floorTimer == 0))
        sprite(dest, cryo ? look.crouchCryo : look.crouch, x, y + 18, facing);
    if (f->state == FIGHTER_SLIDE && f->fallSpeed <= 10 &&
        (cryo || f->facing != rules.slideKnockFacing || f->knockX == 0))
        sprite(dest, (cryo ? look.slideCryo : look.slide)[f->slideFrame], x, y, facing);
    if (f->floorTimer != 0)
        sprite(dest, cryo ? look.hitfloorCryo : look.hitfloor, x, y, facing);
}

// The five arm poses of the held weapon; the wall-grab arm is mirrored against the body and
// the climbing arm never is.
static void drawArmRows(BITMAP *dest, const Fighter *f, const GunAnchor *a,
                        const FighterLook &look, int cryo)
{
    if (f->frozen != cryo)
        return;
    BITMAP **const *poses = armPicture[cryo ? look.cryoArmLook : look.armLook][f->weapon - 1];
    const int col = cryo ? ARM_POSE_COUNT : 0;
    const int right = f->facing == FACING_RIGHT;
    const Placement facing = byFacing(right);

    if (f->state != FIGHTER_RESPAWNING && f->wallGrabTimer == 0 && f->climbing == 0 &&
        f->sliding == 0 && f->floorTimer == 0)
        sprite(dest, *poses[col + ARM_POSE_NORMAL], a->x, a->y, facing);
    if (f->sliding != 0)
        sprite(dest, *poses[col + ARM_POSE_SLIDE], a->x, a->y, facing);
    if (f->wallGrabTimer != 0)
        sprite(dest, *poses[col + ARM_POSE_GRAB], a->x, a->y, byFacing(!right));
    if (f->climbing == 1)
        sprite(dest, *poses[col + ARM_POSE_CLIMB], a->x, a->y, AS_STORED);
    if (f->floorTimer != 0)
        sprite(dest, *poses[col + ARM_POSE_HITFLOOR], a->x, a->y, facing);
}

// One muzzle flash: where and how it shows in each facing, offsets from the gun anchor.
static void flash(BITMAP *dest, const Fighter *f, const GunAnchor *a, BITMAP *pic,
                  Placement right, int rdx, int rdy, Placement left, int ldx, int ldy)
{
    if (f->facing == FACING_RIGHT)
        sprite(dest, pic, a->x + rdx, a->y + rdy, right);
    else
        sprite(dest, pic, a->x + ldx, a->y + ldy, left);
}

static void drawFlashes(BITMAP *dest, const Fighter *f, const GunAnchor *a,
                        const FighterDrawRules &rules)
{
    if (f->frozen != 0)
        return;
    const int grabbing = f->wallGrabTimer != 0;
    switch (f->weapon) {
    case WEAPON_GIBBER:
        if (f->gibberFlash > 0 && !grabbing)
            flash(dest, f, a, gibberflash, AS_STORED, 30, 0, MIRRORED, -15, 0);
        if (f->gibberFlash > 0 && grabbing)
            flash(dest, f, a, gibberflash, MIRRORED, -19, 0, AS_STORED, 35, 0);
        break;
    case WEAPON_ZAPZAP:
        if (f->zapzapFlash > 0 && !grabbing)
            flash(dest, f, a, plasmaflash, AS_STORED, 36, -6, MIRRORED, -26, -6);
        if (f->zapzapFlash > 0 && grabbing)
            flash(dest, f, a, plasmaflash, rules.zapzapGrabFlashRight ? MIRRORED : NOT_DRAWN,
                  -30, -8, AS_STORED, 40, -8);
        break;
    case WEAPON_MOONRAKER:
        if (!rules.moonrakerFlash || f->moonrakerFlash <= 0)
            break;
        if (!grabbing)
            flash(dest, f, a, moonrakerflash, AS_STORED, 32, 3, MIRRORED, -18, 3);
        else
            flash(dest, f, a, moonrakerflash, MIRRORED, -30, 0, NOT_DRAWN, 0, 0);
        break;
    case WEAPON_DUALGIBBER:
        if (f->dualFlash > 0 && !grabbing)
            flash(dest, f, a, gibberflash, AS_STORED, 38, -5, MIRRORED, -20, -5);
        if (f->gibberFlash > 0 && !grabbing)
            flash(dest, f, a, gibberflash, AS_STORED, 23, 0, MIRRORED, -5, 0);
        break;
    }
}

static int climbingState(const Fighter *f)
{
    return f->state == FIGHTER_CLIMB_UP || f->state == FIGHTER_CLIMB_DOWN;
}

void drawFighter(BITMAP *dest, const Fighter *f, const GunAnchor *a, int opponentPower,
                 const FighterLook &look, const FighterDrawRules &rules)
{
    if (f->facing != FACING_RIGHT && f->facing != FACING_LEFT)
        return;
    // The gate tests the body box only; arms and flashes may reach past it.
    if (!(3 < f->y && f->y + f->h <= 1199 && 3 < f->x && f->x + f->w <= 1596))
        return;
    const int right = f->facing == FACING_RIGHT;
    const int pack = rules.rocketPack && f->rocketPack == 1;

    if (pack && !climbingState(f)) {
        if (right)
            sprite(dest, rocketpack, a->x - 10, a->y - 3, AS_STORED);
        else
            sprite(dest, rocketpack, a->x + 15, a->y - 4, MIRRORED);
    }
    drawBodyRows(dest, f, opponentPower, look, rules, 0);
    drawBodyRows(dest, f, opponentPower, look, rules, 1);
    // WEAPON_NONE and the blaster have no arm pictures.
    if (f->weapon >= WEAPON_GIBBER && f->weapon <= WEAPON_DUALGIBBER) {
        drawArmRows(dest, f, a, look, 0);
        drawFlashes(dest, f, a, rules);
        drawArmRows(dest, f, a, look, 1);
    }
    if (pack && climbingState(f))
        sprite(dest, rocketpack, a->x + 3, a->y - 3, AS_STORED);
}

// The looks. The slowed look swaps only the normal-colour pictures for the grey ones; a
// fighter who is slowed and frozen shows his own frozen pictures.
#define LOOK_NORMAL_ROWS(P)                                                                  \
    P##still, P##run, P##runsonic, P##jump, P##grab, P##climb, P##crouch, P##slide, P##hitfloor
#define LOOK_CRYO_ROWS(P)                                                                    \
    P##still_cryo, P##run_cryo, P##jump_cryo, P##grab_cryo, P##climb_cryo, P##crouch_cryo,    \
        P##slide_cryo, P##hitfloor_cryo

// Fighter 1 keeps his rules in both looks. Fighter 2 waits in his booth facing left, so
// his respawn rows are the facing-left ones; his slide's knock-back test sits in the other
// facing, he has a zapzap flash while grabbing facing right, and shows neither a moonraker
// flash nor a rocket pack. Slowed, he always shows the small grey respawn, his slide test
// moves back to the facing-left rules and the zapzap grab flash shows only facing left.
static const FighterDrawRules fighter1Rules = {FACING_RIGHT, FACING_LEFT, 0, 1, 1};
static const FighterDrawRules fighter2Rules = {FACING_LEFT, FACING_RIGHT, 1, 0, 0};
static const FighterDrawRules fighter2SlowedRules = {FACING_LEFT, FACING_LEFT, 0, 0, 0};

static void drawFighter1(const FighterLook &look)
{
    drawFighter(buffer, player, arms, player2->power, look, fighter1Rules);
}

static void drawFighter2(const FighterLook &look, const FighterDrawRules &rules)
{
    drawFighter(buffer, player2, arms2, player->power, look, rules);
}

void drawPlayer()
{
    drawFighter1({LOOK_NORMAL_ROWS(player_), player_respawn_bigcock, player_respawn_smallcock,
                  LOOK_CRYO_ROWS(player_), ARM_LOOK_GREEN, ARM_LOOK_GREEN});
}

void drawGreyPlayer()
{
    drawFighter1({LOOK_NORMAL_ROWS(grey_), grey_respawn_bigcock, grey_respawn_smallcock,
                  LOOK_CRYO_ROWS(player_), ARM_LOOK_GREY, ARM_LOOK_GREEN});
}

void drawPlayer2()
{
    drawFighter2({LOOK_NORMAL_ROWS(player2_), player2_respawn_bigcock,
                  player2_respawn_smallcock, LOOK_CRYO_ROWS(player2_), ARM_LOOK_PURPLE,
                  ARM_LOOK_PURPLE},
                 fighter2Rules);
}

void drawGreyPlayer2()
{
    drawFighter2({LOOK_NORMAL_ROWS(grey_), NULL, grey_respawn_smallcock,
                  LOOK_CRYO_ROWS(player2_), ARM_LOOK_GREY, ARM_LOOK_PURPLE},
                 fighter2SlowedRules);
}
