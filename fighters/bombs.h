// Bombs and the blast fronts they send out.
#pragma once

struct Projectile;

// One dropped bomb. The record has no owner: the pool that holds it says whose it is.
struct Bomb {
    double x, y;        // top-left
    int active;         // 0 free, 1 live
    int w, h;           // size of bomb_image
    int fallSpeed;      // added to y on the next fall step
    int maxFallSpeed;
    int fuse;           // ticks left
    int pan;            // stereo pan of the bomb's sample, the layer's when laid
};

enum { BOMB_COUNT = 6, BOMBBLAST_COUNT = 10 };
extern Bomb *bomb1[BOMB_COUNT], *bomb2[BOMB_COUNT];
// Blast fronts running left, right and up; they belong to no team.
extern Projectile *bombblastleft[BOMBBLAST_COUNT], *bombblastright[BOMBBLAST_COUNT],
    *bombblastup[BOMBBLAST_COUNT];

// Build each pool afresh, all free.
void setupBombs();
void setupBombs2();
void setupBombblastLeft();
void setupBombblastRight();
void setupBombblastUp();
void updateBomb();
void updateBomb2();
void updateBombblastLeft();
void updateBombblastRight();
void updateBombblastUp();
