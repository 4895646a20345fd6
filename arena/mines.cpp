#include "arena/mines.h"

#include <allegro.h>

#include "shell/assets.h"

Mine *mine[MINE_COUNT];

void setupMines()
{
    for (int i = 0; i < MINE_COUNT; i++) {
        delete mine[i];
        Mine *m = new Mine();
        m->w = mine_image[0] ? mine_image[0]->w : 0;
        m->h = mine_image[0] ? mine_image[0]->h : 0;
        m->maxFallSpeed = 14;
        m->frictionPeriod = 1;
        mine[i] = m;
    }
}

// Stand-ins until the mines land.
void spawnGreenmine(int, int) {}
void spawnPurplemine(int, int) {}
void updatemines() {}
