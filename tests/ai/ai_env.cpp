#include "ai_env.h"

#include <allegro.h>
#include <stdlib.h>

#include "arena/forcefields.h"
#include "arena/pickups.h"
#include "core/fighter.h"
#include "core/probes.h"
#include "shell/harness.h"
#include "core/settings.h"
#include "tools/aireport/standing_bout.h"

void AiBout::startBout(int arena, int level, unsigned seed) { startComputerBout(arena, level, seed); }

void AiBout::standP2(int cx, int floorY)
{
    Fighter *f = player2;
    f->x = f->prevX = cx - f->w / 2;
    f->y = f->prevY = floorY - 2 - f->h;
    f->jumpPhase = JUMP_NONE;
    f->fallSpeed = 0;
    f->runSpeed = 0;
    f->onGround = 1;
}

Cube *AiBout::placeCube(int slot, double x, double y)
{
    Cube *c = cube[slot];
    c->x = x;
    c->y = y;
    c->active = 1;
    c->inGreenBase = insideBase(1, (int)(x + c->w / 2), (int)(y + c->h / 2));
    return c;
}

void AiBout::dropCubeSomewhere(int slot)
{
    for (;;) {
        const int x = rand() % 1300 + 150, y = rand() % 1000 + 60;
        if (collided(x, y))
            continue;
        int floorY = y;
        while (floorY < 1190 && !collided(x, floorY) && !stairs(x, floorY))
            floorY++;
        // Not over Hell's lava, not in or beside a base.
        if (floorY >= 1100 || nearBase(1, x, floorY, 50) || nearBase(2, x, floorY, 50))
            continue;
        placeCube(slot, x, floorY - cube[slot]->h - 2);
        return;
    }
}

void scriptedHuman(int tick)
{
    harnessReleaseInput();
    const int phase = (tick / 150) % 4;
    auto press = [](int slot) {
        int index = keyIndexOfCode(keyBindings[slot].code);
        if (index >= 0)
            key[index] = 1;
    };
    if (phase == 1)
        press(BIND_P1_RIGHT);
    if (phase == 3)
        press(BIND_P1_LEFT);
    if (tick % 90 < 3)
        press(BIND_P1_ACTION);
    if (tick % 240 < 60 && tick % 6 < 3)
        press(BIND_P1_FIRE);
}
