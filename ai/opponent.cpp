#include "ai/opponent.h"

#include <math.h>
#include <stdlib.h>

#include <algorithm>
#include <initializer_list>

#include "arena/effects.h"
#include "arena/forcefields.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/probes.h"
#include "core/settings.h"
#include "core/shots.h"
#include "core/sound.h"
#include "core/world.h"
#include "fighters/bombs.h"

// ---- Presses.

void aiPlayer2Left()
{
    pd1 = 1;
    pd2 = 0;
}

void aiPlayer2Right()
{
    pd2 = 1;
    pd1 = 0;
}

void aiPlayer2Up() { up2 = 1; }
void aiPlayer2Down() { down2 = 1; }
void aiPlayer2Bomb() { laybomb2 = AIcomp == 1 ? 0 : 1; }

void aiPlayer2Shoot()
{
    Fighter *f = player2, *p1 = player;
    if (f->aiShotCooldown <= 0 && f->inBase == 0 && p1->respawning == 0)
        fire2 = 1;
    if (f->sonic == 1)
        f->aiShotCooldown = 7;
    if (f->sonic != 0)
        return;
    const int cx = f->x + f->w / 2;
    const int p1cx = p1->x + p1->w / 2, p1cy = p1->y + p1->h / 2;
    const int near = p1cx > cx - 500 && p1cx < cx + 500 && p1cy > f->y - 300 &&
                     p1cy < f->y + f->h + 300 && p1->respawning == 0;
    if (map == SCREEN_TUTORIAL)
        f->aiShotCooldown = near ? rand() % 20 + 37 : rand() % 22 + 40;
    else if (near)
        f->aiShotCooldown = (rand() % 5 - AIcomp + 7) * (4 - AIcomp);
    else
        f->aiShotCooldown = (rand() % 9 - AIcomp + 9) * (4 - AIcomp);
}

void aiPlayer2Jump()
{
    Fighter *f = player2;
    const int goalAtHeight = f->aiGoalY > f->y + 20 && f->aiGoalY < f->y + f->h + 1;
    // The goal is right ahead at his own height: walk on.
    if (f->aiMove == AI_MOVE_LEFT && goalAtHeight && f->aiGoalX > f->x - 50 && f->aiGoalX < f->x)
        return;
    if (f->aiMove == AI_MOVE_RIGHT && goalAtHeight && f->aiGoalX > f->x + f->w &&
        f->aiGoalX < f->x + f->w + 50)
        return;
    const int mid = f->y + f->h / 2;
    if (f->aiJumpTargetX == AI_STEER_LEFT && collided(f->x - 50, mid))
        f->aiJumpTargetX = AI_STEER_RIGHT;
    if (f->aiJumpTargetX == AI_STEER_RIGHT && collided(f->x + f->w + 50, mid))
        f->aiJumpTargetX = AI_STEER_LEFT;
    if (f->jumpPhase == JUMP_FALLING)
        return;
    if (laddertop(f->x + f->w / 2, f->y + f->h + 2))
        return;
    if (f->runSpeed < 0.5 * f->maxRunSpeed)
        return;
    if (f->inBase == 1)
        return;
    jump2 = 1;
}

// ---- Driver.

void Player2ai()
{
    aiPlayer2Behaviour();
    Fighter *f = player2;
    if (f->aiShotCooldown > 0)
        f->aiShotCooldown -= 1;
    const int grounded = f->jumpPhase == JUMP_NONE;
    const int cx = f->x + f->w / 2;
    if (f->aiMove == AI_MOVE_LEFT && grounded)
        aiPlayer2Left();
    if (f->aiMove == AI_MOVE_RIGHT && grounded)
        aiPlayer2Right();
    if (f->aiMove == AI_MOVE_CLIMB)
        aiPlayer2Up();
    if (f->aiMove == AI_MOVE_DROP)
        aiPlayer2Down();
    // In the air he pushes toward the jump target only while it lies the way he goes.
    if (f->aiMove == AI_MOVE_LEFT && !grounded && cx > f->aiJumpTargetX)
        aiPlayer2Left();
    if (f->aiMove == AI_MOVE_RIGHT && !grounded && cx < f->aiJumpTargetX)
        aiPlayer2Right();
}

// ---- The behaviour.

AiBody aiBodyOf(const Fighter *f)
{
    AiBody b;
    b.x = f->x;
    b.y = f->y;
    b.w = f->w;
    b.h = f->h;
    b.cx = f->x + f->w / 2;
    b.cy = f->y + f->h / 2;
    b.feet = f->y + f->h;
    return b;
}

namespace {

typedef AiBody Body;

inline int between(double v, double lo, double hi) { return lo < v && v < hi; }

// Player 1's box and player 2's overlap in height.
int overlapVertically(const Fighter *a, const Fighter *b)
{
    return a->y < b->y + b->h && b->y < a->y + a->h;
}

int eitherInBase() { return player->inBase != 0 || player2->inBase != 0; }

int firstTickOfSecond() { return secondscount == 0; }

// The own booth's bottom-right corner: the goal while carrying cubes home.
int homeGoalX() { return (int)(booth2->x + booth2->w); }
int homeGoalY() { return (int)(booth2->y + booth2->h); }
int carryingHome(const Fighter *f) { return f->aiGoalX == homeGoalX(); }

Cube *theBox() { return powerup[0]; }

// The middle of the box's bottom edge.
void aimAtBox(Fighter *f)
{
    const Cube *b = theBox();
    f->aiGoalX = (int)(b->x + b->w / 2);
    f->aiGoalY = (int)(b->y + b->h);
}

void aimAtCube(Fighter *f, const Cube *c)
{
    f->aiGoalX = (int)c->x;
    f->aiGoalY = (int)c->y;
}

// A jump toward (targetX, targetY), asked for again in the air when `request` is set.
void jumpToward(Fighter *f, int targetX, int targetY, int request)
{
    f->aiJumpTargetX = targetX;
    f->aiJumpTargetY = targetY;
    f->aiJumpRequest = request;
    aiPlayer2Jump();
}

// The steering side of the way he walks: 0 when walking left, 1590 when walking right.
int steerSideOf(int move) { return move == AI_MOVE_LEFT ? AI_STEER_LEFT : AI_STEER_RIGHT; }

// ---- Goals and movement.

void steerInTheAir(Fighter *f, const Body &b)
{
    if (f->fallSpeed >= f->maxFallSpeed || f->jumpPhase == JUMP_NONE || f->inBase != 0)
        return;
    const int third = b.x + b.w / 3, twoThirds = b.x + 2 * (b.w / 3);
    if (f->aiJumpTargetX < third)
        aiPlayer2Left();
    if (twoThirds < f->aiJumpTargetX)
        aiPlayer2Right();
    if (between(f->aiJumpTargetX, third, twoThirds))
        f->aiMove = AI_MOVE_HOLD;
}

void reaimOnStride(Fighter *f, const Body &b)
{
    if (f->runFrame == 2 && between(f->aiGoalY, b.y - 70, b.feet + 130) && f->onGround == 1 &&
        f->aiLockTimer == 0) {
        f->aiLockTimer = 2;
        f->aiMove = b.cx <= f->aiGoalX ? AI_MOVE_RIGHT : AI_MOVE_LEFT;
    }
    if (firstTickOfSecond() && f->aiLockTimer > 0)
        f->aiLockTimer -= 1;
}

void chooseHuntingGoal(Fighter *f)
{
    if (f->aiCubeHunting != 1 || f->jumpPhase != JUMP_NONE)
        return;
    const Cube *c = cube[f->aiCubeIndex];
    const Cube *box = theBox();
    if (AIcomp == 1) {
        f->aiGoalX = (int)(c->x + (rand() % 50 - 25));
        f->aiGoalY = (int)(c->y + (rand() % 50 - 25));
        return;
    }
    if (!box->active)
        aimAtCube(f, c);
    if (box->active && box->inGreenBase == 0 && f->power > 19)
        aimAtBox(f);
    if (box->active && box->inGreenBase == 1)
        aimAtCube(f, c);
}

void chooseOtherGoal(Fighter *f)
{
    if (f->aiCubeHunting != 0 || f->aiEvadeTimer != 0)
        return;
    const Cube *box = theBox();
    if (f->cubesCarried > 0) {
        if (!box->active) {
            f->aiGoalX = homeGoalX();
            f->aiGoalY = homeGoalY();
        } else {
            aimAtBox(f);
        }
        return;
    }
    if (!box->active) {
        const Fighter *p1 = player;
        if (p1->inBase == 0) {
            if (cube[f->aiCubeIndex]->active)
                f->aiCubeHunting = 1;
            f->aiGoalX = p1->x + p1->w / 2;
            f->aiGoalY = p1->y + p1->h / 2;
        } else {
            f->aiGoalX = rand() % 1400 + 100;
            f->aiGoalY = rand() % 900 + 300;
        }
    } else if (AIcomp != 1) {
        aimAtBox(f);
    }
}

void keepEvadeTimer(Fighter *f)
{
    const Fighter *p1 = player;
    if (firstTickOfSecond() && f->aiEvadeTimer > 0)
        f->aiEvadeTimer -= 1;
    if (f->aiEvadeTimer < 0 || p1->inBase == 1 || theBox()->active ||
        f->y + 2 * f->h < p1->y || p1->y < f->y - f->h)
        f->aiEvadeTimer = 0;
    if (f->aiEvadeTimer > 4)
        f->aiEvadeTimer = 4;
}

void jumpAgainIfAsked(Fighter *f)
{
    if (f->jumpImpulse < 2 && jump2 == 0 && f->jumpPhase != JUMP_NONE && f->aiJumpRequest == 1) {
        aiPlayer2Jump();
        f->aiJumpRequest = 0;
    }
}

// Walks toward the farthest ladder in reach (climbing up from a ladder top) or the farthest
// ladder top below (on a ladder's foot, going down). `dropDepth` is how far under his feet
// the floor and the ladder tops are probed, `sideDrop` how far down the side walls are; the
// behaviour's first half searches only when it is already dropping.
void searchLadders(Fighter *f, const Body &b, int dropDepth, int sideDrop, int onlyWhenDropping)
{
    if (!(b.x > 170 && b.cx < 1430 && b.feet > 60 && b.feet < 1130))
        return;
    const int slower = f->runSpeed < player->maxRunSpeed;
    // The last hit in scan order (outer i up, inner j up, right before left) wins, so the
    // scan runs backward and stops at the first hit.
    if (laddertop(b.cx, b.feet + 2) && f->aiGoalY < b.y && slower) {
        const int rightOpen = !collided(b.x + b.w + 8, b.cy);
        const int leftOpen = !collided(b.x - 8, b.cy);
        for (int i = 179; i >= 0 && (rightOpen || leftOpen); i--) {
            int hit = -1;
            for (int j = 29; j >= 0 && hit < 0; j--) {
                if (leftOpen && ladder(b.x - i, b.feet - j))
                    hit = AI_MOVE_LEFT;
                else if (rightOpen && ladder(b.x + b.w + i, b.feet - j))
                    hit = AI_MOVE_RIGHT;
            }
            if (hit >= 0) {
                f->aiMove = hit;
                f->aiLadderLock = 10;
                break;
            }
        }
    }
    if (ladder(b.cx, b.feet - 2) && collided(b.cx, b.feet + dropDepth) &&
        b.feet + 3 < f->aiGoalY && slower && (!onlyWhenDropping || f->aiMove == AI_MOVE_DROP)) {
        const int rightOpen = !collided(b.x + b.w + 8, b.cy + sideDrop);
        const int leftOpen = !collided(b.x - 8, b.cy + sideDrop);
        for (int i = 179; i >= 0 && (rightOpen || leftOpen); i--) {
            int hit = -1;
            for (int j = 29; j >= 0 && hit < 0; j--) {
                if (leftOpen && laddertop(b.x - i - 20, b.feet + dropDepth + j))
                    hit = AI_MOVE_LEFT;
                else if (rightOpen && laddertop(b.x + b.w + 20 + i, b.feet + dropDepth + j))
                    hit = AI_MOVE_RIGHT;
            }
            if (hit >= 0) {
                f->aiMove = hit;
                f->aiLadderLock = 10;
                break;
            }
        }
    }
}

// A ledge corner at (X, Y) seen from the side `away` points from: solid there, free toward
// him at two heights, solid away from him, free above.
int ledgeCorner(int X, int Y, int towardHim)
{
    return collided(X, Y) && !collided(X + towardHim, Y) && !collided(X + towardHim, Y + 8) &&
           collided(X - towardHim, Y) && !collided(X, Y - 8);
}

// Jumps for the farthest ledge corner above him in the way he walks.
void jumpForLedges(Fighter *f, const Body &b)
{
    if (!(f->aiGoalY < b.y && b.y > 110))
        return;
    int dir = 0;
    if (f->aiMove == AI_MOVE_LEFT && b.x > 50)
        dir = -1;
    else if (f->aiMove == AI_MOVE_RIGHT && b.x < 1550)
        dir = 1;
    else
        return;
    const int startX = dir < 0 ? b.x - 50 : b.x + b.w + 50;
    // Every hit jumps and overwrites the target; only the last hit's target stays, and the
    // jump is the same for every hit, so the scan runs backward to the first hit.
    for (int i = 99; i >= 0; i--) {
        const int X = startX + dir * i;
        for (int j = 69; j >= 0; j--) {
            const int Y = b.y - j - 14;
            if (ledgeCorner(X, Y, -dir * 8)) {
                f->aiJumpRequest = 1;
                aiPlayer2Jump();
                f->aiJumpTargetX = X;
                f->aiJumpTargetY = Y;
                return;
            }
        }
    }
}

void holdDirection(Fighter *f, const Body &b)
{
    if (f->x == f->prevX && f->y == f->prevY && player->jumpPhase == JUMP_NONE)
        f->aiLadderLock -= 1;
    if (f->aiLadderLock >= 1)
        return;
    const int onLadderTop = laddertop(b.cx, b.feet + 4);
    if (between(f->aiGoalY, b.y - 50, b.feet + 50)) {
        const int right = b.cx < f->aiGoalX;
        f->aiMove = right ? AI_MOVE_RIGHT : AI_MOVE_LEFT;
        f->aiLadderLock = 10;
        if (!onLadderTop && !ladder(b.cx, b.cy)) {
            f->aiJumpTargetY = b.cy;
            f->aiJumpTargetX = right ? AI_STEER_RIGHT : AI_STEER_LEFT;
            aiPlayer2Jump();
        }
    } else if (!onLadderTop) {
        if (f->facing == FACING_RIGHT)
            f->aiMove = !collided(b.x + b.w + 5, b.cy) ? AI_MOVE_RIGHT : AI_MOVE_LEFT;
        else
            f->aiMove = collided(b.x - 5, b.cy) ? AI_MOVE_RIGHT : AI_MOVE_LEFT;
        f->aiLadderLock = 10;
    } else {
        f->aiMove = f->facing == FACING_RIGHT ? AI_MOVE_RIGHT : AI_MOVE_LEFT;
        f->aiLadderLock = 10;
    }
}

void grabLadderInTheAir(Fighter *f, const Body &b)
{
    if (f->jumpPhase != JUMP_NONE && f->aiGoalY < b.cy && ladder(b.cx, b.cy) && map != ARENA_TRAINS)
        f->aiMove = AI_MOVE_CLIMB;
}

void leaveBaseOrGoHome(Fighter *f)
{
    if (f->inBase == 1 && f->cubesCarried == 0) {
        f->aiMove = AI_MOVE_LEFT;
        f->aiCubeHunting = 1;
    }
    if (f->cubesCarried > 1 && f->aiCubeDistance > 200)
        f->aiCubeHunting = 0;
}

void hopOntoStep(Fighter *f, const Body &b)
{
    if (f->inBase != 0 || f->onGround != 1)
        return;
    if (collided(b.x + b.w + 5, b.cy) && f->aiMove == AI_MOVE_RIGHT &&
        !collided(b.x + b.w + 5, b.feet - 66) && jump2 == 0)
        jumpToward(f, b.x + b.w + 6, b.feet - 66, 1);
    if (collided(b.x - 5, b.cy) && f->aiMove == AI_MOVE_LEFT && !collided(b.x - 5, b.feet - 66) &&
        jump2 == 0)
        jumpToward(f, b.x - 6, b.feet - 66, 1);
}

void turnAtArenaEdges(Fighter *f, const Body &b)
{
    if (f->wallGrabTimer != 0 || f->jumpPhase != JUMP_NONE)
        return;
    if (b.x + b.w > 1565)
        f->aiMove = AI_MOVE_LEFT;
    if (b.x < 35)
        f->aiMove = AI_MOVE_RIGHT;
}

// At the end of a floor he jumps across the gap rather than dropping, unless his goal lies
// below. `dir` is -1 walking left, 1 walking right.
int floorEndsAhead(const Body &b, int dir, int i, int j)
{
    const int edge = dir < 0 ? b.x - i : b.x + b.w + i;
    const int X = edge + dir;
    const int yy = b.feet + j;
    return collided(edge, yy + 2) && !collided(X, yy + 1) && !collided(X, yy + 2) &&
           !collided(X, yy + 3) && !laddertop(X, yy + 4) && !laddertopside(X, yy + 4) &&
           !stairs(edge + 3 * dir, yy + 4);
}

void jumpOffPlatformEdge(Fighter *f, const Body &b)
{
    if (f->onGround != 1 || f->aiGoalY >= b.feet + 4)
        return;
    for (int i = 0; i <= 9; i++)
        for (int j = 0; j <= 3; j++) {
            if (f->aiMove == AI_MOVE_LEFT && floorEndsAhead(b, -1, i, j)) {
                f->aiJumpTargetY = b.feet;
                f->aiJumpRequest = 1;
                f->aiJumpTargetX = AI_STEER_LEFT;
                aiPlayer2Jump();
            }
            if (f->aiMove == AI_MOVE_RIGHT && floorEndsAhead(b, 1, i, j)) {
                f->aiJumpTargetY = b.feet;
                f->aiJumpRequest = 1;
                f->aiJumpTargetX = AI_STEER_RIGHT;
                aiPlayer2Jump();
            }
        }
}

void turnAtWalls(Fighter *f, const Body &b)
{
    if (!(b.cx >= 151 && b.cx <= 1449 && b.cy > 150))
        return;
    if (collided(b.x + b.w + 8, b.cy) && f->aiMove == AI_MOVE_RIGHT &&
        collided(b.x + b.w + 8, b.cy - 30) && f->jumpPhase == JUMP_NONE && f->aiTurnCooldown == 0) {
        f->aiMove = AI_MOVE_LEFT;
        f->aiTurnCooldown = 150;
    }
    if (collided(b.x - 8, b.cy) && f->aiMove == AI_MOVE_LEFT && collided(b.x - 8, b.cy - 30) &&
        f->jumpPhase == JUMP_NONE && f->aiTurnCooldown == 0) {
        f->aiMove = AI_MOVE_RIGHT;
        f->aiTurnCooldown = 150;
    }
    if (ladder(b.cx, b.cy) && f->aiGoalY <= b.feet && f->aiTurnCooldown != 0) {
        f->aiMove = AI_MOVE_CLIMB;
        f->aiTurnCooldown = 0;
    }
    if (laddertop(b.cx, b.feet + 4) && b.feet < f->aiGoalY && f->aiTurnCooldown != 0) {
        f->aiMove = AI_MOVE_DROP;
        f->aiTurnCooldown = 0;
    }
    if (f->aiTurnCooldown > 0)
        f->aiTurnCooldown -= 1;
}

void watchStall(Fighter *f, const Body &b)
{
    if ((f->aiMove == AI_MOVE_LEFT && collided(b.x - 7, b.cy) && f->prevX == b.x) ||
        (f->aiMove == AI_MOVE_RIGHT && collided(b.x + b.w + 7, b.cy) && f->prevX == b.x))
        f->aiStallCounter += 1;
    if (f->aiStallCounter > 70 && f->aiMove == AI_MOVE_RIGHT)
        f->aiMove = AI_MOVE_LEFT;
    if (f->jumpPhase != JUMP_NONE)
        f->aiStallCounter = 0;
}

void keepOutOfGreenBase(Fighter *f, const Body &b)
{
    const ForceField *ff = greenforcefield;
    if (b.x + f->knockX - 5 < ff->x + ff->w && booth->x < b.cx && ff->y < b.cy &&
        b.cy < booth->y + booth->h && f->aiMove == AI_MOVE_LEFT && f->thrusterCaught == 0)
        f->aiMove = AI_MOVE_RIGHT;
}

// A wall face above him at column X: solid at two heights, free beside it toward him.
int wallFaceAbove(int X, int top, int towardHim)
{
    return collided(X, top - 50) && collided(X, top - 34) && !collided(X + towardHim, top - 50) &&
           !collided(X + towardHim, top - 34);
}

void wallJumps(Fighter *f, const Body &b)
{
    if (!(b.x > 30 && b.y > 120 && b.x + b.w < 1570 && f->armless == 0 && f->inBase == 0))
        return;
    if (f->onGround == 1 && f->aiGoalY < b.y - 60 && f->wallGrabTimer == 0) {
        for (int i = 0; i <= 19; i++)
            for (int j = 0; j <= 34; j++) {
                if (f->aiMove == AI_MOVE_LEFT && wallFaceAbove(b.x - i, b.y - j, 8)) {
                    f->aiJumpTargetX = b.x - i;
                    f->aiJumpRequest = 1;
                    f->aiJumpTargetY = b.y - j - 50;
                    aiPlayer2Jump();
                }
                if (f->aiMove == AI_MOVE_RIGHT && wallFaceAbove(b.x + b.w + i, b.y - j, -8)) {
                    f->aiJumpTargetX = b.x + b.w + i;
                    f->aiJumpRequest = 1;
                    f->aiJumpTargetY = b.y - j - 50;
                    aiPlayer2Jump();
                }
            }
    }
    const int rising = f->jumpPhase == JUMP_RISING;
    const int targetInReach = b.y < f->aiJumpTargetY && f->aiJumpTargetY < b.cy;
    if (rising && collided(b.x - 3, b.cy) && collided(b.x - 3, b.cy - 40) && targetInReach &&
        f->wallGrabTimer == 0 && f->armless == 0)
        jump2 = 1;
    if (f->wallGrabTimer != 0) {
        jump2 = 1;
        if (f->wallGrabTimer == 50)
            f->wallGrabTimer = 40;
    }
    if (rising && collided(b.x + b.w + 3, b.cy) && collided(b.x + b.w + 3, b.cy - 40) &&
        targetInReach && f->wallGrabTimer == 0 && f->armless == 0)
        jump2 = 1;
    // Hanging: push off the wall.
    if (f->wallGrabTimer != 0 && collided(b.x + b.w + 5, b.cy)) {
        pd2 = 0;
        pd1 = 1;
        f->aiMove = AI_MOVE_LEFT;
    }
    if (f->wallGrabTimer != 0 && collided(b.x - 5, b.cy)) {
        pd2 = 1;
        pd1 = 0;
        f->aiMove = AI_MOVE_RIGHT;
    }
    // The wall ends above his head: let go and climb over.
    if (f->wallGrabTimer != 0 && collided(b.x + b.w + 5, b.feet) &&
        !collided(b.x + b.w + 5, b.y - 6) && f->aiMove == AI_MOVE_RIGHT)
        f->wallGrabTimer = 0;
    if (f->wallGrabTimer != 0 && collided(b.x - 5, b.feet) && !collided(b.x - 5, b.y - 6) &&
        f->aiMove == AI_MOVE_LEFT)
        f->wallGrabTimer = 0;
}

void reaimBeforeLanding(Fighter *f, const Body &b)
{
    if (AIcomp != 3 || f->jumpPhase != JUMP_FALLING || f->wallGrabTimer != 0)
        return;
    if (!collided(b.cx, b.feet + f->fallSpeed + 1) || !between(f->aiGoalY, b.y - 30, b.feet + 20))
        return;
    if (b.cx + 220 <= f->aiGoalX)
        f->aiMove = AI_MOVE_RIGHT;
    else if (f->aiGoalX < b.cx - 220)
        f->aiMove = AI_MOVE_LEFT;
}

void scanAndTakeCubes(Fighter *f, const Body &b)
{
    for (int k = 0; k < CUBE_COUNT; k++) {
        Cube *c = cube[k];
        if (!c->active) {
            f->aiCubeDistance = 999999;
            continue;
        }
        if (c->inGreenBase != 0)
            continue;
        const int dx = (int)(b.cx - (c->x + c->w / 2));
        const int dy = (int)(b.feet - (c->y + c->h));
        const int d = (int)sqrt((double)dx * dx + (double)dy * dy);
        if (d < f->aiCubeDistance) {
            f->aiCubeDistance = d;
            f->aiCubeIndex = k;
        }
        if (c->x + c->w > b.x - 4 && c->x < b.x + b.w + 4 && c->y < b.feet + 4 &&
            c->y + c->h > b.y - 4 && f->cubesCarried < 3 && f->respawning == 0 && f->frozen == 0) {
            if (c->noPoints == 0)
                f->power += 10;
            playSample(SND_CUBE_PICKUP, 300, f->pan, 1100);
            c->active = 0;
            f->cubesCarried += 1;
            if (b.cx < f->aiGoalX)
                f->aiMove = AI_MOVE_RIGHT;
            else if (f->aiGoalX < b.cx)
                f->aiMove = AI_MOVE_LEFT;
        }
        if (AIcomp != 1 && f->cubesCarried < 3 && f->jumpPhase == JUMP_NONE &&
            between(c->y, b.cy - 4, b.feet + 4)) {
            if (f->aiMove == AI_MOVE_LEFT && between(c->x, b.x, b.x + b.w + 200))
                f->aiMove = AI_MOVE_RIGHT;
            if (f->aiMove == AI_MOVE_RIGHT && between(c->x, b.x - 200, b.x + b.w))
                f->aiMove = AI_MOVE_LEFT;
        }
    }
}

// ---- Pick-up, weapons, dodging and bombs.

void refreshCubeHunt(Fighter *f)
{
    if (!firstTickOfSecond())
        return;
    if (!cube[f->aiCubeIndex]->active)
        f->aiCubeHunting = 0;
    else if (f->aiCubeHunting == 0)
        f->aiCubeHunting = 1;
}

void takeTheBox(Fighter *f, const Body &b)
{
    Cube *box = theBox();
    if (map == SCREEN_TUTORIAL || !box->active)
        return;
    const double bx = box->x + box->w / 2, by = box->y + box->h / 2;
    const int onIt = between(bx, b.x - 4, b.x + b.w + 4) && between(by, b.y - 4, b.y + b.h + 7);
    if (onIt && player->respawning == 0) {
        playSample(SND_POWERUP_PICKUP, 300, f->pan, 1100);
        box->active = 0;
        player2Powerup();
    }
    // Player 1 cannot lose the box while he respawns: wait on it.
    if (box->active && onIt && player->respawning != 0)
        f->aiMove = AI_MOVE_HOLD;
    if (between(bx, b.x - 50, b.x + b.w + 50) && between(by, b.y - 50, b.feet + 50)) {
        f->aiJumpTargetX = (int)bx;
        f->aiJumpTargetY = (int)by;
    }
}

void watchForStuck(Fighter *f, const Body &b)
{
    if (f->runFrame == 0) {
        f->aiStuckX = b.x;
        f->aiStuckY = b.y;
    }
    if (f->runFrame == 6 && b.x == f->aiStuckX && b.y == f->aiStuckY) {
        if (f->aiMove == AI_MOVE_LEFT) {
            f->aiMove = AI_MOVE_RIGHT;
            f->aiJumpTargetX = AI_STEER_RIGHT;
        } else if (f->aiMove == AI_MOVE_RIGHT) {
            f->aiMove = AI_MOVE_LEFT;
            f->aiJumpTargetX = AI_STEER_LEFT;
        }
        f->aiJumpRequest = 1;
        f->aiJumpTargetY = b.y;
        aiPlayer2Jump();
    }
    if (f->idleFrame > 1 && f->onLadder == 0 && !theBox()->active) {
        f->idleFrame = 0;
        if (between(f->aiGoalY, b.y - 30, b.feet + 30))
            f->aiMove = b.cx < f->aiGoalX ? AI_MOVE_RIGHT : AI_MOVE_LEFT;
        else
            f->aiMove = f->facing;
    }
    if (f->climbFrame == 0) {
        f->aiStuckClimbX = b.x;
        f->aiStuckClimbY = b.y;
    }
    if (f->climbFrame == 2 && b.x == f->aiStuckClimbX && b.y == f->aiStuckClimbY &&
        f->aiMove != AI_MOVE_LEFT && f->aiMove != AI_MOVE_RIGHT) {
        f->climbFrame = 0;
        f->aiMove = f->facing;
    }
}

// The launch rule of the probe bullets: player 1 level with him on the side he faces.
void launchFakeBulletAtTarget()
{
    const Fighter *f = player2, *p1 = player;
    if (f->aiShotCooldown >= 1 || eitherInBase() || !overlapVertically(f, p1))
        return;
    if ((p1->x < f->x && f->facing == FACING_LEFT) || (f->x < p1->x && f->facing == FACING_RIGHT))
        spawnFakeBullet();
}

void fireGibber(Fighter *f, const Body &b)
{
    const Fighter *p1 = player;
    const int p1cx = p1->x + p1->w / 2, p1cy = p1->y + p1->h / 2;
    const int level = p1->y + p1->h > b.y - 170 && p1->y < b.feet + 170;
    const int airborneShot = f->jumpPhase != JUMP_NONE && p1->health > 0 &&
                             between(p1cy, b.y - 300, b.feet + 300);
    const int terminal = f->fallSpeed == f->maxFallSpeed;
    const int rules[] = {
        f->jumpPhase == JUMP_FALLING && AIcomp == 3,
        p1->x < b.x && level && f->facing == FACING_LEFT,
        b.x < p1->x && level && f->facing == FACING_RIGHT,
        b.y < p1cy && p1->state == FIGHTER_CLIMB_UP,
        p1cy < b.feet && p1->state == FIGHTER_CLIMB_DOWN,
        airborneShot && f->aiMove == AI_MOVE_LEFT && p1->x + p1->w < b.x,
        airborneShot && f->aiMove == AI_MOVE_RIGHT && b.x + b.w < p1->x,
        terminal && f->facing == FACING_LEFT && p1cx < b.cx,
        terminal && f->facing == FACING_RIGHT && b.cx < p1cx,
        f->sliding == 1,
        p1->x < b.x && f->aiMove == AI_MOVE_LEFT && p1->jumpPhase == JUMP_FALLING,
        b.x < p1->x && f->aiMove == AI_MOVE_RIGHT && p1->jumpPhase == JUMP_FALLING,
    };
    for (int holds : rules)
        if (holds)
            aiPlayer2Shoot();
}

void fireHomingRocket(Fighter *f, const Body &b)
{
    const Fighter *p1 = player;
    const int inRange = between(p1->x, b.x - 500, b.x + b.w + 500) && p1->y + p1->h > b.y - 250;
    const int ready = f->aiShotCooldown < 1 && !eitherInBase();
    if (f->onGround == 0 && inRange && p1->y < b.feet + 250 && ready)
        spawnFakeHomer();
    if (f->onGround != 0 && !collided(b.x - 30, b.cy) && !collided(b.x + b.w + 30, b.cy) &&
        inRange && p1->y < b.y && ready)
        spawnFakeHomer();
    updateFakeHomer();
}

// The moonraker (vertical window shrinking with the level) and the dual gibber: fire when
// player 1 is in the window on the side he faces.
int facesTargetInWindow(const Fighter *f, const Body &b, int above, int below)
{
    const Fighter *p1 = player;
    if (f->aiShotCooldown >= 1 || eitherInBase())
        return 0;
    if (!(p1->y + p1->h > b.y - above && p1->y < b.feet + below))
        return 0;
    return (p1->x < b.x && f->facing == FACING_LEFT) || (b.x < p1->x && f->facing == FACING_RIGHT);
}

void fireWeapon(Fighter *f, const Body &b)
{
    switch (f->weapon) {
    case WEAPON_GIBBER:
        if (f->aiShotCooldown < 1)
            fireGibber(f, b);
        break;
    case WEAPON_ZAPZAP:
    case WEAPON_MUMMRA:
        launchFakeBulletAtTarget();
        updateFakeBullet();
        break;
    case WEAPON_HOMO:
        fireHomingRocket(f, b);
        break;
    case WEAPON_MOONRAKER: {
        const int k = 4 - AIcomp;
        if (facesTargetInWindow(f, b, 14 * k, 20 * k)) {
            aiPlayer2Shoot();
            f->aiShotCooldown = rand() % 12 + 10;
        }
        break;
    }
    case WEAPON_MINEDROP:
        if (f->aiMineTimer > 0)
            f->aiMineTimer -= 1;
        if (f->aiMineTimer == 0) {
            aiPlayer2Shoot();
            f->aiMineTimer = rand() % 80 + 100;
        }
        break;
    case WEAPON_DUALGIBBER:
        if (facesTargetInWindow(f, b, 670, 400))
            aiPlayer2Shoot();
        break;
    default:
        break;
    }
}

// Player 1's bullet flying at him along the floor from one side: walking into it he jumps
// it (or, cornered, turns away); running away from it he slides under it from level 2 on;
// with it at his back he turns on it, or flees on when hurt.
void dodgeShotAlongFloor(Fighter *f, const Body &b, int bx, int fromLeft)
{
    const int toward = fromLeft ? AI_MOVE_LEFT : AI_MOVE_RIGHT;
    const int away = fromLeft ? AI_MOVE_RIGHT : AI_MOVE_LEFT;
    const int steerToward = steerSideOf(toward), steerAway = steerSideOf(away);
    const int out = fromLeft ? -1 : 1;
    const int edge = fromLeft ? b.x : b.x + b.w;   // his side facing the shot
    const int band = between(bx, std::min(edge + 55 * out, edge + 110 * out),
                             std::max(edge + 55 * out, edge + 110 * out));
    const int gibber = f->weapon == WEAPON_GIBBER;
    if (band && f->aiMove == toward) {
        f->aiJumpRequest = rand() % 2;
        const int wall = collided(edge + 20 * out, b.cy);
        const int roomBeyond = fromLeft ? b.x > 20 : b.x + b.w + 20 < 1595;
        const int cornered = fromLeft ? b.x < 20 : b.x + b.w + 20 > 1595;
        if (!wall && roomBeyond)
            f->aiJumpTargetX = steerToward;
        if (wall || cornered) {
            f->aiJumpTargetX = steerAway;
            f->aiMove = away;
        }
        f->aiJumpTargetY = b.y;
        aiPlayer2Jump();
        if (gibber)
            aiPlayer2Shoot();
    }
    const int slideLo = fromLeft ? b.x - 50 : b.x, slideHi = fromLeft ? b.x + b.w : b.x + b.w + 50;
    if (between(bx, slideLo, slideHi) && f->aiMove == away && f->onGround != 0 &&
        f->slideArmed == 1 && AIcomp != 1) {
        (fromLeft ? pd2 : pd1) = 1;
        down2 = jump2 = 1;
        if (gibber)
            aiPlayer2Shoot();
    }
    if (band && f->aiMove == away) {
        const int flee = f->health < 4 || f->armless != 0;
        f->aiJumpTargetX = flee ? steerAway : steerToward;
        f->aiMove = flee ? away : toward;
        f->aiJumpTargetY = b.y;
        f->aiJumpRequest = rand() % 2;
        aiPlayer2Jump();
        if (gibber)
            aiPlayer2Shoot();
    }
}

void dodgeBullet(Fighter *f, const Body &b, const Projectile *shot)
{
    const int bx = (int)shot->x, by = (int)shot->y;
    if (between(by, b.y + 4, b.feet) && f->onGround != 0) {
        dodgeShotAlongFloor(f, b, bx, shot->direction == FACING_RIGHT);
        if (between(bx, b.x + b.w + 35, b.x + b.w + 220) && f->aiMove == AI_MOVE_HOLD)
            f->aiMove = shot->direction == FACING_LEFT ? AI_MOVE_LEFT : AI_MOVE_RIGHT;
    }
    const int nearX = between(bx, b.x - 155, b.x + b.w + 155);
    if (between(by, b.y, b.feet + 100) && f->jumpPhase != JUMP_NONE && nearX && ladder(b.cx, b.cy))
        f->aiMove = AI_MOVE_CLIMB;
    if (between(by, b.y + 10, b.feet + 100) && f->aiMove == AI_MOVE_DROP && AIcomp != 1 && nearX &&
        ladder(b.cx, b.cy))
        f->aiMove = AI_MOVE_CLIMB;
    if (between(bx, b.x - 120, b.x + b.w + 120) && between(by, b.y - 40, b.feet + 40) && AIcomp != 1)
        f->aiEvadeTimer += 1;
}

void dodgeBullets(Fighter *f, const Body &b)
{
    for (int i = 0; i < BULLET_COUNT; i++)
        if (bullet[i]->active && f->inBase == 0)
            dodgeBullet(f, b, bullet[i]);
}

void runFromFireAtRange(Fighter *f, const Body &b)
{
    const Fighter *p1 = player;
    if (AIcomp != 3 || !overlapVertically(f, p1) || fire1 == 0 || eitherInBase())
        return;
    const int p1cx = p1->x + p1->w / 2;
    if (b.x < 1350 && p1->facing == FACING_RIGHT && p1cx < b.x - 300) {
        f->aiMove = AI_MOVE_RIGHT;
        f->aiEvadeTimer += 1;
    }
    if (b.x > 250 && p1->facing == FACING_LEFT && b.x + b.w + 300 < p1cx) {
        f->aiMove = AI_MOVE_LEFT;
        f->aiEvadeTimer += 1;
    }
}

// Two counters of the block that nothing ever raises; their steps never act.
void runIdleCounters(Fighter *f)
{
    if (f->onGround != 0)
        f->aiNoUpDown = 0;
    if (f->aiNoUpDown > 0) {
        f->aiNoUpDown -= 1;
        f->jumpPhase = JUMP_FALLING;
    }
}

void evadeOnLadders(Fighter *f, const Body &b)
{
    const Fighter *p1 = player;
    if (f->aiEvadeTimer != 0 && f->aiMove == AI_MOVE_DROP && p1->y < b.feet + 40 && AIcomp == 3)
        f->aiMove = AI_MOVE_CLIMB;
    if (AIcomp == 3 && p1->armless == 0 && f->aiMove == AI_MOVE_CLIMB) {
        const int p1cx = p1->x + p1->w / 2, p1cy = p1->y + p1->h / 2;
        if (between(p1cy, b.y - 70, b.y)) {
            if (between(p1cx, b.x - 350, b.x) && p1->facing == FACING_RIGHT)
                f->aiEvadeTimer += 1;
            if (between(p1cx, b.x + b.w, b.x + b.w + 350) && p1->facing == FACING_LEFT)
                f->aiEvadeTimer += 1;
        }
    }
    if (f->aiEvadeTimer != 0 && ladder(b.cx, b.cy))
        f->aiMove = AI_MOVE_CLIMB;
    if (firstTickOfSecond() && f->aiSecondTimer > 0)
        f->aiSecondTimer -= 1;
}

void leaveOwnBase(Fighter *f, const Body &b)
{
    if (b.cx < purpleforcefield->x + 80 && f->inBase != 0) {
        f->aiJumpTargetX = AI_STEER_LEFT;
        f->aiJumpTargetY = b.y;
        f->aiGoalY = 0;
        aiPlayer2Jump();
    }
}

void dodgeCloseFire(Fighter *f, const Body &b)
{
    const Fighter *p1 = player;
    const int p1cx = p1->x + p1->w / 2, p1cy = p1->y + p1->h / 2;
    const int gibber = f->weapon == WEAPON_GIBBER;
    if (between(p1cy, b.y - b.h, b.y + 2 * b.h) && fire1 != 0 && f->aiMove != AI_MOVE_CLIMB &&
        f->aiMove != AI_MOVE_DROP && f->onGround != 0) {
        if (between(p1cx, b.x, b.x + b.w + 200) && p1->facing == FACING_LEFT) {
            if (carryingHome(f)) {
                f->aiMove = AI_MOVE_RIGHT;
                f->aiJumpTargetX = AI_STEER_RIGHT;
                f->aiJumpRequest = 0;
                aiPlayer2Jump();
            } else {
                f->aiMove = AI_MOVE_LEFT;
                jumpToward(f, AI_STEER_LEFT, b.cy, 1);
                if (gibber)
                    aiPlayer2Shoot();
            }
        }
        if (between(p1cx, b.x - 200, b.x + b.w) && p1->facing == FACING_RIGHT) {
            f->aiMove = AI_MOVE_RIGHT;
            jumpToward(f, AI_STEER_RIGHT, b.cy, 1);
            if (gibber)
                aiPlayer2Shoot();
        }
    }
    const ForceField *ff = greenforcefield;
    if (p1->inBase != 0 && fire1 != 0 && b.cx < ff->x + 60 && b.x > ff->x - 60 &&
        between(b.cy, ff->y, ff->y + ff->h)) {
        f->aiMove = AI_MOVE_RIGHT;
        jumpToward(f, 1500, b.y, 1);
    }
}

void dodgeHomingRocket(Fighter *f, const Body &b)
{
    const Projectile *r = homorocket[0];
    if (!r->active || AIcomp == 1)
        return;
    const int rx = (int)r->x, ry = (int)r->y;
    if (between(ry, b.y - 300, b.feet + 300)) {
        const int mayRun = f->aiMove != AI_MOVE_CLIMB && f->aiMove != AI_MOVE_DROP && f->onGround != 0;
        if (between(rx, b.x - 300, b.x) && mayRun) {
            f->aiMove = AI_MOVE_RIGHT;
            f->aiEvadeTimer = 3;
        }
        if (between(rx, b.x + b.w, b.x + b.w + 300) && mayRun) {
            f->aiMove = AI_MOVE_LEFT;
            f->aiEvadeTimer = 3;
        }
        // Cornered at an arena edge: jump over it.
        if (b.cx <= rx && rx < b.x + b.w + 150 && b.x < 100)
            jumpToward(f, AI_STEER_RIGHT, b.y - 2 * b.h, 1);
        if (between(rx, b.x - 150, b.cx) && b.x + b.w > 1500)
            jumpToward(f, AI_STEER_LEFT, b.y - 2 * b.h, 1);
    }
    const int overHim = between(rx, b.x - 50, b.x + b.w + 50);
    if (between(ry, b.y - 250, b.y) && overHim && f->aiMove == AI_MOVE_CLIMB)
        f->aiMove = AI_MOVE_DROP;
    if (between(ry, b.feet, b.feet + 250) && overHim && f->aiMove == AI_MOVE_DROP)
        f->aiMove = AI_MOVE_CLIMB;
}

void layBombs(Fighter *f, const Body &b)
{
    if (AIcomp == 1)
        return;
    if (firstTickOfSecond() && f->aiBombTimer > -2)
        f->aiBombTimer -= 1;
    if (f->power > 100 && f->aiBombTimer == 0 && player->y < b.feet && !eitherInBase() &&
        b.x > 250 && b.x < 1350 && f->slowed == 0 && player->frozen == 0 && !carryingHome(f)) {
        if (map == ARENA_HELL) {
            // On Hell he bombs only from the upper half; the lower half is the lava's.
            if (b.feet < 733)
                laybomb2 = 1;
            f->aiBombTimer = rand() % 20 + 8;
        } else if (map != ARENA_MOON && map != SCREEN_TUTORIAL) {
            laybomb2 = 1;
            f->aiBombTimer = rand() % 20 + 8;
        }
    }
    if (f->aiBombTimer == -2)
        f->aiBombTimer = rand() % 21 + 15;
}

// A jump the way he walks, over a blast front.
void jumpTheWayHeWalks(Fighter *f, const Body &b)
{
    if (f->aiMove == AI_MOVE_LEFT || f->aiMove == AI_MOVE_RIGHT)
        jumpToward(f, steerSideOf(f->aiMove), b.cy, 1);
}

void dodgeSideFront(Fighter *f, const Body &b, const Projectile *front)
{
    if (!front->active)
        return;
    const int bottom = (int)(front->y + front->h);
    if (between(bottom, b.y, b.feet) && AIcomp != 1 && front->x < b.x + b.w + 40 &&
        b.x - 40 < front->x + front->w)
        jumpTheWayHeWalks(f, b);
    if (between(bottom, b.y, b.feet + 100) && f->aiMove == AI_MOVE_DROP)
        f->aiMove = AI_MOVE_CLIMB;
}

void dodgeBlastFronts(Fighter *f, const Body &b)
{
    for (int i = 0; i < BOMBBLAST_COUNT; i++)
        dodgeSideFront(f, b, bombblastleft[i]);
    for (int i = 0; i < BOMBBLAST_COUNT; i++)
        dodgeSideFront(f, b, bombblastright[i]);
    for (int i = 0; i < BOMBBLAST_COUNT; i++) {
        const Projectile *up = bombblastup[i];
        if (up->active && between(up->x + up->w / 2, b.x - 15, b.x + b.w + 15) && AIcomp != 1 &&
            up->y > b.feet + 200)
            jumpTheWayHeWalks(f, b);
    }
}

void runFromBombs(Fighter *f, const Body &b)
{
    if (AIcomp == 1)
        return;
    for (Bomb **pool : {bomb1, bomb2})
        for (int i = 0; i < BOMB_COUNT; i++) {
            const Bomb *bm = pool[i];
            if (!bm->active || !between(bm->y, b.y, b.feet + 4) || bm->fuse >= 30)
                continue;
            if (between(bm->x, b.x - 100, b.cx))
                f->aiMove = AI_MOVE_RIGHT;
            if (between(bm->x, b.cx, b.x + b.w + 100))
                f->aiMove = AI_MOVE_LEFT;
        }
}

void avoidMines(Fighter *f, const Body &b)
{
    for (int i = 0; i < MINE_COUNT; i++) {
        const Mine *m = mine[i];
        if (!m->active)
            continue;
        const double mcx = m->x + m->w / 2;
        if (m->owner != TEAM_PURPLE && AIcomp != 1 && between(m->y, b.cy, b.feet + 4)) {
            if (mcx > b.x - 70 && f->aiMove == AI_MOVE_LEFT) {
                f->aiJumpTargetX = AI_STEER_LEFT;
                f->aiJumpTargetY = b.cy;
                aiPlayer2Jump();
            }
            if (mcx < b.x + b.w + 70 && f->aiMove == AI_MOVE_RIGHT) {
                f->aiJumpTargetX = AI_STEER_RIGHT;
                f->aiJumpTargetY = b.cy;
                aiPlayer2Jump();
            }
        }
        if (m->triggered != 0 && AIcomp == 3 && between(m->y, b.y - b.h, b.y + 2 * b.h)) {
            if (between(m->x, b.x - 150, b.x + b.w) && f->aiMove == AI_MOVE_LEFT)
                f->aiMove = AI_MOVE_RIGHT;
            if (between(m->x, b.x, b.x + b.w + 150) && f->aiMove == AI_MOVE_RIGHT)
                f->aiMove = AI_MOVE_LEFT;
        }
    }
}

void dropOntoGoal(Fighter *f, const Body &b)
{
    if (!between(f->aiGoalX, b.x + b.w / 3, b.x + 2 * (b.w / 3)) || b.feet >= f->aiGoalY ||
        f->onGround != 0 || f->onStairs != 0)
        return;
    for (int k = 0; k < 100; k++) {
        const int yy = b.feet + k;
        if (yy > 1199)
            return;
        if (f->aiGoalY < yy) {
            f->aiJumpTargetY = yy;
            f->aiJumpTargetX = b.cx;
            return;
        }
        if (collided(b.x + b.w, yy) || stairs(b.x + b.w, yy))
            return;
    }
}

}  // namespace

void aiPlayer2Behaviour()
{
    Fighter *f = player2;
    const Body b = aiBodyOf(f);

    // Where to go and how to get there.
    steerInTheAir(f, b);
    reaimOnStride(f, b);
    chooseHuntingGoal(f);
    chooseOtherGoal(f);
    keepEvadeTimer(f);
    jumpAgainIfAsked(f);
    searchLadders(f, b, 25, 25, 1);
    jumpForLedges(f, b);
    if (f->jumpPhase == JUMP_FALLING)
        f->aiJumpRequest = 0;
    holdDirection(f, b);
    grabLadderInTheAir(f, b);
    leaveBaseOrGoHome(f);
    hopOntoStep(f, b);
    turnAtArenaEdges(f, b);
    jumpOffPlatformEdge(f, b);
    turnAtWalls(f, b);
    watchStall(f, b);
    keepOutOfGreenBase(f, b);
    wallJumps(f, b);
    reaimBeforeLanding(f, b);
    scanAndTakeCubes(f, b);

    // What to pick up, shoot at and dodge.
    refreshCubeHunt(f);
    takeTheBox(f, b);
    watchForStuck(f, b);
    fireWeapon(f, b);
    dodgeBullets(f, b);
    runFromFireAtRange(f, b);
    runIdleCounters(f);
    evadeOnLadders(f, b);
    leaveOwnBase(f, b);
    dodgeCloseFire(f, b);
    dodgeHomingRocket(f, b);
    layBombs(f, b);
    dodgeBlastFronts(f, b);
    runFromBombs(f, b);
    avoidMines(f, b);
    aiRouteHints(f, b);
    searchLadders(f, b, 3, 0, 0);
    dropOntoGoal(f, b);
}

// ---- Aim probes.

namespace {

// Launch points from the gun anchor by player 2's facing and whether he hangs on a wall: a
// fighter on a wall shoots away from it. Offsets x, y and, for the probe bullet, its
// direction of flight.
const int bulletLaunch[2][2][3] = {{{10, 0, FACING_LEFT}, {30, 2, FACING_RIGHT}},
                                   {{-10, 0, FACING_RIGHT}, {-25, 2, FACING_LEFT}}};
const int homerLaunch[2][2][2] = {{{0, 10}, {40, 7}}, {{25, 10}, {0, 7}}};

const int *launchFrom(const int *offsets, Projectile *p)
{
    p->x = arms2->x + offsets[0];
    p->y = arms2->y + offsets[1];
    return offsets;
}

int launchSide() { return player2->facing == FACING_RIGHT; }
int launchOnWall() { return player2->wallGrabTimer != 0; }

}  // namespace

void spawnFakeBullet()
{
    Projectile *p = takeFreeRecord(fakeBullet);
    if (p)
        p->direction = launchFrom(bulletLaunch[launchSide()][launchOnWall()], p)[2];
}

void spawnFakeHomer()
{
    Projectile *p = takeFreeRecord(fakeHomer);
    if (!p)
        return;
    p->stepX = 16;
    p->stepY = 16;
    launchFrom(homerLaunch[launchSide()][launchOnWall()], p);
}

namespace {

// A probe ends when it leaves the arena's sides, enters the green base or strikes a solid or
// stairs block under its top-left pixel.
int probeEnds(const Projectile *p)
{
    const double x = p->x, y = p->y;
    if (booth->x < x && x < greenforcefield->x + greenforcefield->w && greenforcefield->y < y &&
        y < booth->y + booth->h)
        return 1;
    return collided((int)x, (int)y) || stairs((int)x, (int)y);
}

// A probe bullet has reached player 1: fire, if he walks toward him.
void fireAtReachedTarget()
{
    const Fighter *f = player2, *p1 = player;
    if (overlapVertically(f, p1) && !eitherInBase() && f->x < p1->x && f->aiMove == AI_MOVE_RIGHT)
        aiPlayer2Shoot();
    if (p1->x < f->x && f->aiMove == AI_MOVE_LEFT)
        aiPlayer2Shoot();
}

}  // namespace

void updateFakeBullet()
{
    const Fighter *p1 = player;
    for (int i = 0; i < FAKEBULLET_COUNT; i++) {
        Projectile *p = fakeBullet[i];
        if (!p->active)
            continue;
        p->x += p->direction == FACING_RIGHT ? p->speed : -p->speed;
        if (p->x > 1599 || p->x < 0 || probeEnds(p)) {
            p->active = 0;
            continue;
        }
        // It is not freed by reaching him: it flies on and may fire again next tick.
        const double cx = p->x + p->w / 2, cy = p->y + p->h / 2;
        const int wide = between(cx, p1->x - 70, p1->x + p1->w + 70);
        if (wide && between(cy, p1->y, p1->y + p1->h) && p1->state != FIGHTER_SLIDE &&
            p1->frozen == 0)
            fireAtReachedTarget();
        if (wide && between(cy, p1->y + 15, p1->y + p1->h) && p1->state == FIGHTER_CROUCH &&
            p1->frozen == 0)
            fireAtReachedTarget();
    }
    launchFakeBulletAtTarget();
}

// Like the real homing rocket it steers toward player 1's centre, then low to his feet.
void updateFakeHomer()
{
    Projectile *p = fakeHomer[0];
    if (!p->active)
        return;
    const Fighter *p1 = player;
    const int tx = p1->x + p1->w / 2;
    if (p->x + p->w / 2 < tx)
        p->x += p->stepX;
    if (tx < p->x + p->w / 2)
        p->x -= p->stepX;
    const int ty = p1->y + p1->h - 7;
    if (p->y + p->h / 2 < ty)
        p->y += p->stepY;
    if (ty < p->y + p->h / 2)
        p->y -= p->stepY;
    // The climb per step follows the slope to his top-left corner, at most 8; straight
    // above or below him the slope has no value and the most is taken.
    const double dx = p1->x - p->x;
    const double slope = dx == 0 ? 8.0 : fabs(p->stepX * (p1->y - p->y) / dx);
    p->stepY = slope > 8 ? 8 : (int)slope;
    if (p->x > 1599 || p->x < 0 || p->y > 1199 || p->y < 0 || probeEnds(p)) {
        p->active = 0;
        return;
    }
    const int cx = (int)(p->x + p->w / 2), cy = (int)(p->y + p->h / 2);
    if (p1->frozen != 0 || p1->state == FIGHTER_SLIDE)
        return;
    if (hit2(cx, cy) && p1->state != FIGHTER_CROUCH) {
        aiPlayer2Shoot();
        p->active = 0;
    } else if (hit2crouch(cx, cy) && p1->state == FIGHTER_CROUCH) {
        aiPlayer2Shoot();
        p->active = 0;
    }
}
