// The gun anchor follows the gun hand of the body's current picture: an offset from the
// body box by facing, movement state and animation frame. Both fighters use one table.
#include "fighters/fighter.h"

#include "core/fighter.h"

// Offsets by facing: [FACING_LEFT], [FACING_RIGHT].
static const int idleDx[2] = {-8, 2};
static const int idleDy[6] = {19, 18, 17, 17, 18, 19};   // frames above 5 hold the last
static const int runDx[2][11] = {{-15, -14, -15, -15, -15, -9, -8, -8, -10, -15, -14},
                                 {11, 10, 11, 11, 11, 5, 4, 4, 6, 13, 9}};
static const int runDy[11] = {15, 15, 18, 21, 26, 19, 17, 16, 19, 24, 21};
static const int climbDx[7] = {-8, -6, -4, -2, 0, -2, -4};
static const int climbDy[2][7] = {{17, 17, 17, 17, 17, 17, 17}, {15, 16, 17, 17, 16, 15, 14}};
static const int sonicDx[2] = {-8, 6}, airDx[2] = {-8, 2}, grabDx[2] = {11, -17};
static const int crouchDx[2] = {-12, 6}, flatDx[2] = {-14, 0}, slideDx[2] = {0, 8};

static void placeGun(GunAnchor *g, const Fighter *f)
{
    if (g->x < 3)
        g->x = 3;
    if (g->y < 4)
        g->y = 4;
    if (f->y <= 0 || (f->facing != FACING_LEFT && f->facing != FACING_RIGHT))
        return;
    int side = f->facing;
    int right = side == FACING_RIGHT;
    int steady = f->jumpPhase == JUMP_NONE && f->fallSpeed == 0 && f->floorTimer == 0;
    // Every rule that holds places the gun; the last one wins.
    int dx = 0, dy = 0, placed = 0;
#define PLACE(cx, cy) (dx = (cx), dy = (cy), placed = 1)
    if (steady && f->state == (right ? FIGHTER_STAND_RIGHT : FIGHTER_STAND_LEFT) &&
        f->idleFrame >= 0)
        PLACE(idleDx[side], idleDy[f->idleFrame > 5 ? 5 : f->idleFrame]);
    int running = steady && f->state == (right ? FIGHTER_RUN_RIGHT : FIGHTER_RUN_LEFT);
    if (running && f->sonic == 0 && f->runFrame >= 0 && f->runFrame <= 10)
        PLACE(runDx[side][f->runFrame], runDy[f->runFrame]);
    if (running && f->sonic == 1)
        PLACE(sonicDx[side], 18);
    if (f->fallSpeed != 0)
        PLACE(airDx[side], 17);
    if ((f->jumpPhase == JUMP_RISING || f->jumpPhase == JUMP_FALLING) && f->wallGrabTimer == 0)
        PLACE(airDx[side], 17);
    if (f->wallGrabTimer != 0)
        PLACE(grabDx[side], 14);
    if (f->state == FIGHTER_CROUCH)
        PLACE(crouchDx[side], 27);
    if (f->floorTimer != 0)
        PLACE(flatDx[side], 26);
    if (f->state == FIGHTER_SLIDE && f->jumpPhase != JUMP_FALLING)
        PLACE(slideDx[side], 30);
    if (f->climbing == 1 && f->climbFrame >= 0 && f->climbFrame <= 6)
        PLACE(climbDx[f->climbFrame], climbDy[side][f->climbFrame]);
#undef PLACE
    if (placed) {
        g->x = f->x + dx;
        g->y = f->y + dy;
    }
}

void playerArms() { placeGun(arms, player); }
void player2arms() { placeGun(arms2, player2); }
