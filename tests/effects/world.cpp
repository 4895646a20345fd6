#include "effects/world.h"

#include <stdlib.h>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "core/world.h"
#include "gore/gore.h"
#include "support/test_env.h"
#include "tilemap/tilemap.h"

void EffectsWorld::SetUp()
{
    startHeadlessAllegro();
    savedPlayer = player;
    savedPlayer2 = player2;
    savedBooth = booth;
    savedBooth2 = booth2;
    savedMap = map;
    resetWorld();
}

void EffectsWorld::resetWorld()
{
    MapFreeMem();   // open air everywhere
    srand(1);
    fighter1 = fighter2 = Fighter();
    for (Fighter *f : {&fighter1, &fighter2}) {
        f->w = 33;
        f->h = 48;
        f->health = 12;
        f->facing = FACING_RIGHT;
    }
    greenBooth = {15, 581, 97, 131, 0, 0, 0};
    purpleBooth = {1490, 581, 97, 131, 0, 0, 0};
    player = &fighter1;
    player2 = &fighter2;
    booth = &greenBooth;
    booth2 = &purpleBooth;
    map = ARENA_HELL;
    setupEffects();
    setupExplosions();
    setupcubespawner();
    setupMines();
    setupBlood();
    setupBlood2();
}

void EffectsWorld::TearDown()
{
    player = savedPlayer;
    player2 = savedPlayer2;
    booth = savedBooth;
    booth2 = savedBooth2;
    map = savedMap;
}

void EffectsWorld::centreFighterAt(Fighter *f, int cx, int cy)
{
    f->x = cx - f->w / 2;
    f->y = cy - f->h / 2;
}
