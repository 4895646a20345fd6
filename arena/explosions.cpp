#include "arena/explosions.h"

#include <allegro.h>
#include <stdlib.h>

#include "arena/effects.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "core/assets.h"
#include "core/fighter.h"
#include "gore/gore.h"

Explosion *boom[EXPLOSION_COUNT];

void setupExplosions()
{
    for (int i = 0; i < EXPLOSION_COUNT; i++) {
        delete boom[i];
        Explosion *e = new Explosion();
        e->w = explosion_image ? explosion_image->w : 0;
        e->h = explosion_image ? explosion_image->h : 0;
        boom[i] = e;
    }
}

static const int EXPLOSION_LIFE = 10;
static const int RIGHT_EDGE_X = 1599;

// Where the three light rays end: the top ray on the top edge either side of the centre, the
// other two on the left and right edges, offset from the centre's height. The tall kind
// reaches far above the blast. `sweep` is the per-tick shift of each of the twelve ray
// coordinates, as a multiple of the explosion's own sweep (or of a fixed step for the tall
// kind).
struct RayShape {
    int topHalfWidth;
    int left1, left2;
    int right1, right2;
    int sweep[12];
    int fixedStep;   // 0: the sweep is the explosion's raySweep
};

static const RayShape ORDINARY_RAYS = {20, 150, 100, 150, 190,
                                       {1, 0, 1, 0, 0, 1, 0, 1, 0, -1, 0, -1}, 0};
static const RayShape TALL_RAYS = {60, -500, -400, -500, -400,
                                   {-1, 0, 1, 0, 0, 1, 0, -1, 0, 1, 0, -1}, 3};

static const RayShape &rayShape(int type)
{
    return type == EXPLOSION_TALL ? TALL_RAYS : ORDINARY_RAYS;
}

void spawnExplosion(double x, double y, int type, int radius)
{
    Explosion *e = takeFreeRecord(boom);
    if (!e)
        return;
    e->x = x;
    e->y = y;
    e->life = EXPLOSION_LIFE;
    e->pan = (int)(x / 1600 * 255);
    e->angleA = rand() % 255;
    e->angleB = rand() % 255;
    e->spin = rand() % 6 - 3;
    e->type = type;
    e->radius = radius;
    const RayShape &s = rayShape(type);
    int *p = e->rayPoints;
    p[0] = (int)(x - s.topHalfWidth);
    p[1] = 0;
    p[2] = (int)(x + s.topHalfWidth);
    p[3] = 0;
    p[4] = 0;
    p[5] = (int)(y + s.left1);
    p[6] = 0;
    p[7] = (int)(y + s.left2);
    p[8] = RIGHT_EDGE_X;
    p[9] = (int)(y + s.right1);
    p[10] = RIGHT_EDGE_X;
    p[11] = (int)(y + s.right2);
    e->raySweep = rand() % 12 - 6;
    // A still picture would look frozen: no spin becomes a quick one.
    if (e->spin == 0)
        e->spin = 4;
}

// The point as the helpers measure it; the squared distance from the centre when the point
// lies inside a live explosion's radius, else -1.
static double squaredDistanceInRange(const Explosion &e, double *px, double *py)
{
    if (*px == 0.0)
        *px = 1.0;
    if (*py == 0.0)
        *py = 1.0;
    const double dx = e.x - *px, dy = *py - e.y;
    const double d2 = dx * dx + dy * dy;
    if (e.active != 1 || !(d2 < (double)e.radius * e.radius))
        return -1;
    return d2;
}

double explosionDamage(const Explosion &e, double px, double py)
{
    return squaredDistanceInRange(e, &px, &py) < 0 ? 0.0 : 1.0;
}

double Forcex(const Explosion &e, double px, double py)
{
    if (squaredDistanceInRange(e, &px, &py) < 0 || px == e.x)
        return 0.0;
    const double r = e.radius;
    if (px < e.x)
        return -((r - (e.x - px)) / r) * 15;
    return ((r - (px - e.x)) / r) * 15;
}

double Forcey(const Explosion &e, double px, double py)
{
    const double d2 = squaredDistanceInRange(e, &px, &py);
    if (d2 < 0)
        return 0.0;
    const int r = e.radius;
    return (double)(((r * r - (int)d2) / r) / 2);
}

static void sweepRays(Explosion *e)
{
    const RayShape &s = rayShape(e->type);
    const int step = s.fixedStep ? s.fixedStep : e->raySweep;
    for (int k = 0; k < 12; k++)
        e->rayPoints[k] += s.sweep[k] * step;
}

// Fighters inside their own base are safe from every blast.
static void hurtAndShove(const Explosion &e, Fighter *f)
{
    if (f->inBase)
        return;
    const int cx = f->x + f->w / 2, cy = f->y + f->h / 2;
    const int harmless = e.type == EXPLOSION_ROCKET || e.type == EXPLOSION_CUBE_HIT;
    if (!f->frozen && !harmless)
        f->health = (int)(f->health - explosionDamage(e, cx, cy));
    if (e.type == EXPLOSION_CUBE_HIT || e.type == EXPLOSION_TALL)
        return;
    if (f->y <= 4 || f->x <= 4 || f->x + f->w > 1595)
        return;
    const int fy = (int)Forcey(e, cx, cy);
    f->knockX = (int)(f->knockX + Forcex(e, cx, cy));
    // Near the top edge the lift would carry him off the playfield.
    if (f->y - fy > 30)
        f->knockY -= fy;
}

// Shoves every live record of a pool away from `e`: sideways by kx times the sideways force,
// up by ky times the lift unless that would carry it within `topMargin` of the top edge.
// Cubes measure their lift from their top edge, everything else from its centre.
template <class Record, int N>
static void shovePool(const Explosion &e, Record *(&pool)[N], int kx, int ky, int topMargin,
                      int Record::*upward, int liftFromTop)
{
    for (Record *r : pool) {
        if (!r || r->active != 1 || !(r->y > 4.0 && r->x > 4.0 && r->x + r->w < 1596.0))
            continue;
        const double cx = r->x + r->w / 2, cy = r->y + r->h / 2;
        const int fy = (int)(ky * Forcey(e, cx, liftFromTop ? r->y : cy));
        r->xVel = (int)(r->xVel + kx * Forcex(e, cx, cy));
        if (r->y - fy > topMargin)
            r->*upward -= fy;
    }
}

template <int N>
static void shoveGore(const Explosion &e, DebrisParticle *(&pool)[N], int kx)
{
    shovePool(e, pool, kx, 2, 30, &DebrisParticle::yImpulse, 0);
}

// Loose objects feel only the explosion in the first slot.
static void shoveLooseObjects(const Explosion &e)
{
    if (e.active != 1)
        return;
    shovePool(e, cube, 1, 1, 50, &Cube::yVel, 1);
    shovePool(e, powerup, 1, 1, 30, &Cube::yVel, 0);
    shovePool(e, mine, 1, 1, 60, &Mine::yVel, 0);
    shoveGore(e, greenblood, 1);
    shoveGore(e, purpleblood, 1);
    shoveGore(e, greengib, 1);
    shoveGore(e, purplegib, 1);
    shoveGore(e, greenhead, 4);
    shoveGore(e, purplehead, 4);
    shoveGore(e, greentorso, 1);
    shoveGore(e, purpletorso, 1);
    shoveGore(e, greenarm, 1);
    shoveGore(e, purplearm, 1);
    shoveGore(e, greenleg, 1);
    shoveGore(e, purpleleg, 1);
    shovePool(e, groundBit, 1, 2, 30, &EffectParticle::yVel, 0);
}

void updateExplosion()
{
    for (Explosion *e : boom) {
        if (!e || e->active != 1)
            continue;
        if (e->life > 0)
            e->life--;
        sweepRays(e);
        // The last tick frees the record before its blast, so a blast acts on nine ticks.
        if (e->life < 1)
            e->active = 0;
        e->angleA += e->spin;
        e->angleB -= 3 * e->spin;
        hurtAndShove(*e, player);
        hurtAndShove(*e, player2);
    }
    if (boom[0])
        shoveLooseObjects(*boom[0]);
}
