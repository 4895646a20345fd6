// Each fighter against the tile map once a tick, after both have moved: walls and floors
// put him back where the move started, and the ground, stairs, ladder and wall flags are
// set for the next tick. Every probe reads the fields afresh, so a correction moves the
// points of all later probes.
#include "fighters/fighter.h"

#include <stdlib.h>

#include "arena/forcefields.h"
#include "core/fighter.h"
#include "core/probes.h"
#include "fighters/twins.h"

static void sideWallRows(Fighter *f)
{
    for (int i = 0; i <= 48; i++) {
        int free = f->thrusterCaught == THRUSTER_FREE;
        if (f->facing == FACING_LEFT && f->onStairs == 0 && f->climbing == 0 && free &&
            collided(f->x + f->w / 3, f->y + i))
            f->x = f->prevX;
        if (f->facing == FACING_RIGHT && f->onStairs == 0 && f->climbing == 0 && free &&
            collided(f->x + 2 * (f->w / 3), f->y + i))
            f->x = f->prevX;
        // A slide ends at a wall; both facings look at the same column.
        if (f->sliding == 1 && free && collided(f->x + 2 * (f->w / 3), f->y + i)) {
            if (f->facing == FACING_RIGHT || f->facing == FACING_LEFT) {
                f->sliding = 0;
                f->slideArmed = 0;
                f->state = standingState(f);
            }
        }
        // The knock-back bounces off walls only while he faces left.
        if (f->knockX != 0 && f->facing == FACING_LEFT && f->sliding == 0 && free &&
            collided((int)(f->x + f->knockX - f->runSpeed), f->y + i))
            f->knockX = -f->knockX;
        if (f->knockX != 0 && f->facing == FACING_LEFT && f->sliding == 0 && free &&
            collided((int)(f->x + f->w + f->knockX + f->runSpeed), f->y + i))
            f->knockX = -f->knockX;
    }
}

static void feetHeadColumns(Fighter *f)
{
    for (int j = 0; j <= 10; j++) {
        if (f->thrusterCaught != THRUSTER_FREE)
            return;   // a carried fighter passes floors and ceilings
        int px = f->x + f->w / 3 + j;
        if (f->state != FIGHTER_CLIMB_UP && collided(px, f->y + f->h)) {
            f->y = f->prevY;
            f->doubleJumpReady = 1;
            f->fallSpeed = 0;
            f->jumpPhase = JUMP_NONE;
            if (f->sliding == 1) {
                f->sliding = 0;
                f->state = FIGHTER_STAND_RIGHT;   // whatever the facing
            }
        }
        if (collided(px, f->y)) {
            f->y = f->prevY;
            f->jumpImpulse = 0;
        }
        // Landing look-ahead: slows the fall once per column that sees the floor coming.
        if (collided(px, f->y + f->h + f->fallSpeed)) {
            if (f->overspeedFrames > 8)
                f->floorTimer = f->overspeedFrames;   // a hard landing knocks him flat
            f->overspeedFrames = 0;
            if (f->fallSpeed > 0)
                f->fallSpeed -= 1;
            f->doubleJumpReady = 1;
            if (f->fallSpeed < 1)
                f->jumpPhase = JUMP_NONE;
            if (f->fallSpeed == 1)
                f->fallSpeed = 0;
        }
    }
}

static void stepUpStair(Fighter *f)
{
    int y0 = f->y;
    f->fallSpeed = 0;
    f->y = y0 - 3;
    f->onStairs = 1;
    f->onGround = 1;
    f->jumpPhase = JUMP_NONE;
    // Stopped by the step itself: he hops the whole step at full speed.
    if (f->x == f->prevX) {
        f->y = y0 - 13;
        f->runSpeed = f->maxRunSpeed;
    }
}

static void stairColumns(Fighter *f)
{
    for (int k = 0; k <= 2; k++) {
        if (f->state == FIGHTER_RUN_RIGHT && f->frozen == 0 &&
            stairs(f->x + f->w / 2 + k, f->y + f->h))
            stepUpStair(f);
        if (f->state == FIGHTER_RUN_LEFT && f->frozen == 0 &&
            stairs(f->x + f->w / 2 - k, f->y + f->h))
            stepUpStair(f);
        if (f->state == FIGHTER_RUN_RIGHT && !stairs(f->x + f->w / 2 + k, f->y + f->h))
            f->onStairs = 0;
        if (f->state == FIGHTER_RUN_LEFT && !stairs(f->x + f->w / 2 - k, f->y + f->h))
            f->onStairs = 0;
    }
}

static void arenaBounds(const FighterSide &s)
{
    Fighter *f = s.self;
    if (f->x < 5)
        f->x = 5;
    if (f->x > 1594 - f->w)
        f->x = 1594 - f->w;
    if (f->y < 8) {
        f->knockY = 0;
        f->y = f->prevY;
        f->jumpImpulse = 0;
    }
    if (f->y < 8 && (f->alive == 1 || !s.topKillNeedsAlive)) {
        f->alive = 0;
        f->health = 0;
    }
}

// Carried into the arena's side by the opponent's thruster, he dies and the thruster ends.
static void thrusterEdgeKill(const FighterSide &s)
{
    Fighter *f = s.self;
    for (int carry = THRUSTER_CARRY_LEFT; carry <= THRUSTER_CARRY_RIGHT; carry++) {
        int atEdge = carry == THRUSTER_CARRY_LEFT ? f->x < 50 : f->x + f->w > 1550;
        if (!atEdge || f->thrusterCaught != carry)
            continue;
        spillCarryBlood(s);
        f->thrusterCaught = THRUSTER_FREE;
        f->health = 0;
        if (s.enemyThruster[0])
            s.enemyThruster[0]->active = 0;
    }
}

static void ladderPasses(Fighter *f, int down)
{
    // Nine passes of the same probes: each lifts or sinks him by at most one pixel.
    for (int pass = 0; pass < 9; pass++) {
        int cx = f->x + f->w / 2;
        f->onLadder = ladder(cx, f->y + f->h) ? 1 : 0;
        if (f->jumpPhase != JUMP_FALLING && f->sliding == 0 && f->flipTimer < 10 &&
            laddertop(cx, f->y + f->h)) {
            f->y -= 1;
            f->onLadder = 1;
            f->climbing = 0;
            f->jumpPhase = JUMP_NONE;
            f->doubleJumpReady = 1;
            f->fallSpeed = 0;
            f->state = standingState(f);
        }
        f->onLadderTop = laddertop(cx, f->y + f->h + 2) ? 1 : 0;
        // Standing still with down held he sinks through the ladder top to climb down.
        if (down && f->runSpeed == 0.0 && laddertop(cx, f->y + f->h + 2))
            f->y += 1;
        if (f->jumpPhase != JUMP_FALLING && f->sliding == 0 && laddertopside(cx, f->y + f->h)) {
            f->fallSpeed = 0;
            f->y -= 1;
        }
        if (f->state == FIGHTER_CLIMB_DOWN && collided(cx, f->y + f->h + 5)) {
            f->climbing = 0;
            f->doubleJumpReady = 1;
            f->fallSpeed = 0;
            f->jumpPhase = JUMP_NONE;
            f->state = standingState(f);
        }
        // Climbed off the bottom of a ladder into the air.
        if (f->state == FIGHTER_CLIMB_DOWN && f->onLadder == 0 && f->climbing == 1 &&
            !collided(cx, f->y + f->h + 5)) {
            f->climbing = 0;
            f->jumpPhase = JUMP_FALLING;
            f->state = standingState(f);
        }
    }
}

static void wallForGrab(Fighter *f)
{
    if (f->facing == FACING_LEFT && f->jumpPhase == JUMP_RISING && f->armless == 0 &&
        collided(f->x - 3, f->y + f->h - 5))
        f->wallSide = 1;
    if (f->facing == FACING_RIGHT && f->jumpPhase == JUMP_RISING && f->armless == 0 &&
        collided(f->x + f->w + 3, f->y + f->h - 5))
        f->wallSide = 2;
}

// Knock-back is cut short at the first solid column or row in its way.
static void knockBackClip(const FighterSide &s)
{
    Fighter *f = s.self;
    if (f->knockX > 0)
        for (int d = 0; d < f->knockX; d++)
            if (f->knockedBack == 1 &&
                collided((int)(f->x + f->w / 2 + f->runSpeed + d), f->y + f->h / 2)) {
                f->runSpeed = 0.0;
                f->knockX = d;
            }
    if (f->knockX < 0)
        for (int d = 0; d > f->knockX; d--)
            if (f->knockedBack == 1 &&
                collided((int)(f->x + f->w / 2 - f->runSpeed + d), f->y + f->h / 2)) {
                f->runSpeed = 0.0;
                f->knockX = d;
            }
    if (f->knockY < 0)
        for (int d = 0; d > f->knockY; d--)
            if (f->knockedBack == 1 && collided(f->x + f->w / 2, f->y + d))
                f->knockY = d;
    if (f->knockY > 0)
        for (int d = 0; d < f->knockY; d++)
            if (f->knockedBack == 1 && f->onGround == 0 &&
                collided(f->x + f->w / 2, f->y + f->h + d))
                f->knockY = d;
    if (s.secondCeilingSweep && f->knockY < 0)
        for (int d = 0; d > f->knockY; d--)
            if (f->knockedBack == 1 && collided(f->x + f->w / 2, f->y + d))
                f->knockY = 0;
}

// The enemy base holds him out only while he faces into it (all comparisons strict).
static void enemyBase(const FighterSide &s)
{
    Fighter *f = s.self;
    ForceField *ff = s.enemyField;
    Booth *eb = s.enemyBooth;
    if (!ff || !eb || f->thrusterCaught != THRUSTER_FREE)
        return;
    int cx = f->x + f->w / 2, cy = f->y + f->h / 2;
    int inside;
    if (s.enemyBaseOnRight)
        inside = f->facing == FACING_RIGHT && ff->x < cx + f->knockX && cx < eb->x + eb->w;
    else
        inside = f->facing == FACING_LEFT && cx + f->knockX < ff->x + ff->w && cx > eb->x;
    if (inside && ff->y < cy && cy < eb->y + eb->h) {
        f->knockX = 0;
        f->runSpeed = 0.0;
        f->x = f->prevX;
        f->sliding = 0;
        f->state = s.enemyBaseOnRight ? FIGHTER_RUN_RIGHT : FIGHTER_RUN_LEFT;
    }
}

static void collideFighter(const FighterSide &s)
{
    Fighter *f = s.self;
    sideWallRows(f);
    feetHeadColumns(f);
    f->onGround = collided(f->x + f->w / 2, f->y + f->h + 2) ? 1 : 0;
    stairColumns(f);
    arenaBounds(s);
    thrusterEdgeKill(s);
    ladderPasses(f, *s.down);
    wallForGrab(f);
    knockBackClip(s);
    enemyBase(s);
}

void playerBackCollision() { collideFighter(sideOne()); }
void player2BackCollision() { collideFighter(sideTwo()); }
