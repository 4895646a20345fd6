#include "arena/explosions.h"

#include <allegro.h>

#include "shell/assets.h"

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

// Stand-ins until the explosions land.
void spawnExplosion(double, double, int, int) {}
void updateExplosion() {}
