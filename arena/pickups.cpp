#include "arena/pickups.h"

#include <allegro.h>
#include <stdlib.h>

#include "shell/assets.h"
#include "shell/world.h"

Cube *cube[CUBE_COUNT];
Cube *powerup[POWERUP_COUNT];
SpawnPoint *cubespawner = NULL;
int initialcubes = 2;
int cube1spawn = 0, cube1spawnR = 0;

static Cube *freshCube(Cube *old, BITMAP *pic)
{
    delete old;
    Cube *c = new Cube();
    c->w = pic ? pic->w : 0;
    c->h = pic ? pic->h : 0;
    c->maxFallSpeed = 14;
    c->frictionPeriod = 1;
    return c;
}

void setupcubespawner()
{
    initialcubes = rand() % 3 + 2;
    delete cubespawner;
    cubespawner = new SpawnPoint();
    cubespawner->x = 500.0;
    cubespawner->y = 300.0;
    if (data)
        cube_image = (BITMAP *)data[DAT_CUBE].dat;
    for (int i = 0; i < CUBE_COUNT; i++) {
        cube[i] = freshCube(cube[i], cube_image);
        cube[i]->materialise = 50;
    }
    for (int i = 0; i < POWERUP_COUNT; i++)
        powerup[i] = freshCube(powerup[i], powerup_image);
}

// Stand-ins until the pick-ups land.
void spawncube(int, int, int, int, int) {}
void spawnpowerup(int, int) {}
void playerPowerup() {}
void player2Powerup() {}
void cubespawnerroutine() {}
void updatecube() {}
void updatepowerup() {}
