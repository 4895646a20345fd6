#include "shell/harness.h"

#include <allegro.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "arena/levels.h"
#include "core/fighter.h"
#include "fighters/fighter.h"
#include "frontend/pause.h"
#include "frontend/premap.h"
#include "frontend/title.h"
#include "shell/loop.h"
#include "shell/startup.h"

const char *harnessGameDir()
{
    const char *dir = getenv("GOR_GAME_DIR");
    return dir && dir[0] ? dir : "build/game";
}

int harnessGameDataPresent()
{
    static const char *files[] = {"gor.dat", "Hell.FMP", "london.fmp", "Tutorial.fmp"};
    char path[1024];
    for (const char *f : files) {
        snprintf(path, sizeof path, "%s/%s", harnessGameDir(), f);
        if (access(path, R_OK) != 0)
            return 0;
    }
    return 1;
}

void harnessStart(unsigned seed)
{
    if (chdir(harnessGameDir()) != 0)
        fatalError("cannot enter the game folder %s", harnessGameDir());
    headless = 1;
    firstPass();
    // Two pads, so tests can press buttons and directions.
    num_joysticks = 2;
    srand(seed);
    map = SCREEN_TITLE;
    setupTitleScreen();
    harnessReleaseInput();
}

void harnessTick()
{
    runTick();
    gameState();
}

void harnessTicks(int count)
{
    for (int i = 0; i < count; i++)
        harnessTick();
}

void harnessFighterSteps()
{
    playerGravity();
    player2Gravity();
    playerMove();
    player2Move();
    playerBackCollision();
    player2BackCollision();
    playerArms();
    player2arms();
}

void harnessLeaveBooth(Fighter *f, const Booth *b, int facing)
{
    f->respawning = 0;
    f->alive = 1;
    f->deathCounted = 0;
    f->facing = facing;
    f->state = facing == FACING_RIGHT ? FIGHTER_STAND_RIGHT : FIGHTER_STAND_LEFT;
    f->weapon = WEAPON_GIBBER;
    f->ammo = 0;
    f->health = 12;
    f->x = (int)(b->x + 32);
    f->y = (int)(b->y + 57);
}

void harnessNewBout(int arena)
{
    setupPlayer();
    setupPlayer2();
    setupBoutPools();
    if (arena == ARENA_LONDON)
        setupLondon();
    else
        setupHell();
}

void harnessStop()
{
    shutdownGame();
    screen = NULL;
}

std::string harnessReadFile(const char *path)
{
    std::string bytes;
    FILE *f = fopen(path, "rb");
    if (!f)
        return bytes;
    char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.append(chunk, n);
    fclose(f);
    return bytes;
}

void harnessReleaseInput()
{
    memset((void *)key, 0, KEY_MAX);
    for (int j = 0; j < MAX_JOYSTICKS; j++) {
        for (int b = 0; b < MAX_JOYSTICK_BUTTONS; b++)
            joy[j].button[b].b = 0;
        for (int s = 0; s < MAX_JOYSTICK_STICKS; s++)
            for (int a = 0; a < MAX_JOYSTICK_AXIS; a++) {
                joy[j].stick[s].axis[a].d1 = 0;
                joy[j].stick[s].axis[a].d2 = 0;
            }
        joy[j].num_buttons = MAX_JOYSTICK_BUTTONS;
    }
    mouse_b = 0;
}
