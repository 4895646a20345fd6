#include "arena/weather.h"

#include <allegro.h>
#include <stdlib.h>

#include "arena/effects.h"
#include "core/probes.h"
#include "core/world.h"

int raining = 0;
int weather = 0;

// Drops and flakes below this line have left the playfield.
static const int WEATHER_FLOOR_Y = 1150;

static void startDrop(EffectParticle *drop, int x, int y, int speedY, int speedX)
{
    drop->x = x;
    drop->y = y;
    drop->size = rand() % 8 + 3;
    drop->speedY = speedY;
    drop->life = rand() % 60;
    drop->speedX = speedX;
}

void spawnRain(int x, int y, int speedY, int speedX)
{
    EffectParticle *drop = takeFreeRecord(rain);
    if (drop)
        startDrop(drop, x, y, speedY, speedX);
}

// Two arenas without a level of their own would end their rain higher up.
static int dropBelowArenaFloor(double y)
{
    return (map == 22 && y > 732) || (map == 26 && y > 984);
}

void updateRain()
{
    for (int pass = 0; pass < 2; pass++) {
        if (raining != 1)
            continue;
        int speed = rand() % 20 + 10;
        // The position is drawn even when the pool is full.
        int r = rand();
        EffectParticle *drop = takeFreeRecord(rain);
        if (drop)
            startDrop(drop, 1599 - r % 1500, 0, speed, speed);
        r = rand();
        drop = takeFreeRecord(rain);
        if (drop)
            startDrop(drop, 1600, r % 1000, speed, speed);
    }
    for (EffectParticle *drop : rain) {
        if (drop->active != 1)
            continue;
        drop->x -= drop->speedX;
        drop->y += drop->speedY;
        drop->life--;
        // A drop falls through blocks while its life lasts, then ends on the first solid one.
        if (collided((int)drop->x, (int)drop->y) && drop->life < 1)
            drop->active = 0;
        if (drop->y > WEATHER_FLOOR_Y)
            drop->active = 0;
        if (dropBelowArenaFloor(drop->y))
            drop->active = 0;
    }
}

void spawnSnow(int x, int y, int settleDelay, int colour)
{
    EffectParticle *flake = takeFreeRecord(snow);
    if (!flake)
        return;
    flake->x = x;
    flake->y = y;
    rand();
    flake->speedY = rand() % 4 + 1;
    flake->life = settleDelay;
    flake->size = rand() % 2 + 1;
    flake->settleOffset = rand() % 6;
    flake->kind = colour;
}

// A flake settling this close to the top is not stamped and keeps falling.
static const int SNOW_SETTLE_MIN_Y = 9;

static int flakeColour(int kind)
{
    return kind == 1 ? makecol(80, 80, 80) : makecol(255, 255, 255);
}

void updateSnow()
{
    for (EffectParticle *flake : snow) {
        if (flake->active != 1)
            continue;
        flake->life--;
        flake->x -= flake->speedY / 3;
        flake->y += flake->speedY;
        flake->x += rand() % 4 - 2;
        int sx = (int)flake->x;
        int sy = (int)(flake->y - flake->settleOffset);
        if (collided(sx, sy) && flake->life < 1 && flake->y > SNOW_SETTLE_MIN_Y) {
            // Settled snow is painted into the stain layer and stays for the rest of the run.
            if (prebuffer)
                circlefill(prebuffer, sx, sy, flake->size, flakeColour(flake->kind));
            flake->active = 0;
        }
        if (flake->x < 10 || flake->x > 1590 || flake->y < 0 || flake->y > WEATHER_FLOOR_Y)
            flake->active = 0;
    }
}
