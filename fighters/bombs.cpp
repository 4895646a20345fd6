#include "fighters/bombs.h"

#include <allegro.h>

#include "fighters/weapons.h"
#include "shell/assets.h"

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

// Stand-ins until the bombs land.
void updateBomb() {}
void updateBomb2() {}
void updateBombblastLeft() {}
void updateBombblastRight() {}
void updateBombblastUp() {}
