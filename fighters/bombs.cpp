#include "fighters/bombs.h"

#include <allegro.h>

#include "arena/explosions.h"
#include "core/assets.h"
#include "core/fighter.h"
#include "core/pools.h"
#include "core/probes.h"
#include "core/sound.h"
#include "core/world.h"
#include "fighters/twins.h"
#include "fighters/weapons.h"
#include "gore/gore.h"

Bomb *bomb1[BOMB_COUNT], *bomb2[BOMB_COUNT];
Projectile *bombblastleft[BOMBBLAST_COUNT], *bombblastright[BOMBBLAST_COUNT],
    *bombblastup[BOMBBLAST_COUNT];

static void renewBombs(Bomb **pool)
{
    for (int i = 0; i < BOMB_COUNT; i++) {
        delete pool[i];
        Bomb *b = new Bomb();
        b->w = bomb_image ? bomb_image->w : 0;
        b->h = bomb_image ? bomb_image->h : 0;
        b->maxFallSpeed = 14;
        pool[i] = b;
    }
}

void setupBombs() { renewBombs(bomb1); }
void setupBombs2() { renewBombs(bomb2); }

// A front's box is the bomb's, not its own picture's.
static void renewBombblasts(Projectile **pool)
{
    setupProjectilePool(pool, BOMBBLAST_COUNT, bomb_image ? bomb_image->w : 0,
                        bomb_image ? bomb_image->h : 0, 5);
}

void setupBombblastLeft() { renewBombblasts(bombblastleft); }
void setupBombblastRight() { renewBombblasts(bombblastright); }
void setupBombblastUp() { renewBombblasts(bombblastup); }

static void layBomb(Bomb **pool, Fighter *f)
{
    Bomb *b = takeFreeRecord(pool, BOMB_COUNT);
    if (!b)
        return;
    f->power -= 10;   // the power rules clamp the pool later
    // The fall speed stays what the slot's last bomb left.
    b->x = f->x + f->w / 2;
    b->y = f->y + f->h / 2;
    b->fuse = 90;
    b->pan = f->pan;
}

void spawnBomb() { layBomb(bomb1, player); }
void spawnBomb2() { layBomb(bomb2, player2); }

// When the last frame shows pure red just under the bomb, blood sprays up over it.
static void bloodShower(const Bomb *b)
{
    int red = makecol(255, 0, 0);
    int px = (int)(b->x + b->w / 2), py = (int)(b->y + b->h + 2);
    int pixel = buffer ? getpixel(buffer, px, py) : -1;   // -1 off the bitmap
    int n = rand() % 80 + 20;
    if (pixel != red)
        return;
    for (int i = 0; i < n; i++) {
        int r1 = rand();
        int r2 = rand();
        spawnBlood((int)(b->x + r2 % 300 - 150), (int)(b->y - r1 % 150));
    }
}

static void goOff(Bomb *b)
{
    double cx = b->x + b->w / 2, cy = b->y + b->h / 2;
    spawnExplosion(cx, cy, EXPLOSION_BOMB, 190);
    playSample(SND_BOMB_EXPLODE, 700, b->pan, 1000);
    spawnBombblastLeft((int)cx, (int)(cy - 10));
    spawnBombblastRight((int)cx, (int)(cy - 10));
    spawnBombblastUp((int)cx, (int)(cy - 10));
    bloodShower(b);
    b->active = 0;
}

// Free slots run the same steps, unseen, except the fall: a new bomb inherits the slot's
// fall speed.
static void updateBombs(Bomb **pool)
{
    for (int i = 0; i < BOMB_COUNT; i++) {
        Bomb *b = pool[i];
        if (!b)
            continue;
        if (b->y > 1199) b->y = 1199;
        if (b->y < 0) b->y = 0;
        if (b->x > 1599) b->x = 1599;
        if (b->x < 0) b->x = 0;
        if (b->fallSpeed < 0)
            b->fallSpeed = 0;
        if (b->active) {
            b->y += b->fallSpeed;
            b->fallSpeed += 1;
        }
        if (b->fallSpeed > b->maxFallSpeed)
            b->fallSpeed = b->maxFallSpeed;
        // Slows as its leftmost nine columns near a floor, and rests on it.
        for (int k = 0; k <= 8; k++)
            if (collided((int)(b->x + k), (int)(b->y + b->h + b->fallSpeed)))
                b->fallSpeed -= 1;
        b->fuse -= 1;
        if (b->fuse < 1 && b->active)
            goOff(b);
    }
}

void updateBomb() { updateBombs(bomb1); }
void updateBomb2() { updateBombs(bomb2); }

static void spawnFront(Projectile **pool, int x, int y)
{
    Projectile *p = takeFreeRecord(pool, BOMBBLAST_COUNT);
    if (!p)
        return;
    p->x = x;
    p->y = y;
    p->speed = 5;
}

void spawnBombblastLeft(int x, int y) { spawnFront(bombblastleft, x, y); }
void spawnBombblastRight(int x, int y) { spawnFront(bombblastright, x, y); }
void spawnBombblastUp(int x, int y) { spawnFront(bombblastup, x, y); }

// Kills whoever holds the pixel, unless frozen or in his own base.
static void frontKills(const Projectile *p, int px, int py)
{
    if (hit(px, py) && p->active == 1 && player2->frozen == 0 && player2->inBase == 0)
        player2->health = 0;
    if (hit2(px, py) && p->active == 1 && player->frozen == 0 && player->inBase == 0)
        player->health = 0;
}

// `dx`, `dy`: the direction of travel; the sweep's cross is long along the front's width.
static void updateFronts(Projectile **pool, int dx, int dy)
{
    // Fronts stop at the bases where the thrusters do.
    Window purpleBase = sideOne().enemyBaseForThruster, greenBase = sideTwo().enemyBaseForThruster;
    int vertical = dy != 0;
    int rows = vertical ? 46 : 20, columns = vertical ? 20 : 46;
    for (int i = 0; i < BOMBBLAST_COUNT; i++) {
        Projectile *p = pool[i];
        if (!p || p->active != 1)
            continue;
        p->x += dx * p->speed;
        p->y += dy * p->speed;
        p->speed += 1;
        double along = vertical ? p->y : p->x, limit = vertical ? 1199 : 1599;
        if (along > limit || along < 0 || insideWindow(purpleBase, p->x, p->y) ||
            insideWindow(greenBase, p->x, p->y)) {
            p->active = 0;
            continue;
        }
        int cx = (int)(p->x + p->w / 2), cy = (int)(p->y + p->h / 2);
        for (int k = 0; k < rows; k++)
            frontKills(p, cx, (int)(p->y + k));
        for (int k = 0; k < columns; k++)
            frontKills(p, (int)(p->x + k), cy);
    }
}

void updateBombblastLeft() { updateFronts(bombblastleft, -1, 0); }
void updateBombblastRight() { updateFronts(bombblastright, 1, 0); }
void updateBombblastUp() { updateFronts(bombblastup, 0, -1); }
