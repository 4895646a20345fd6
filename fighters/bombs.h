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
// Lay one bomb at the centre of player 1's (player 2's) body; a free slot costs his team
// 10 power, with no floor. All six slots live: nothing happens.
void spawnBomb();
void spawnBomb2();
// Start one blast front of that direction with its top-left at (x, y).
void spawnBombblastLeft(int x, int y);
void spawnBombblastRight(int x, int y);
void spawnBombblastUp(int x, int y);
// A bomb falls to rest on the blocks and goes off on its 90th tick wherever it is: an
// explosion, the sample and three fronts, and a blood shower when it lies on pure red.
void updateBomb();
void updateBomb2();
// A front speeds up as it runs, ends at the edge or in either base, and kills every
// fighter it touches who is neither frozen nor in his own base, its bomber too.
void updateBombblastLeft();
void updateBombblastRight();
void updateBombblastUp();
