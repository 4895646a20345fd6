#include "support/test_env.h"

#include <allegro.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "ai/tutorial.h"
#include "arena/effects.h"
#include "arena/forcefields.h"
#include "arena/levels.h"
#include "core/music.h"
#include "core/settings.h"
#include "core/tutorial.h"
#include "fighters/bombs.h"
#include "fighters/fighter.h"
#include "frontend/pause.h"
#include "frontend/quit.h"
#include "gore/gore.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "shell/startup.h"

void startHeadlessAllegro()
{
    static bool started = false;
    if (started)
        return;
    if (startLibrary(SYSTEM_NONE) != 0)
        abort();
    set_color_depth(16);
    started = true;
}

AsAnotherUser::AsAnotherUser()
{
    if (geteuid() == 0 && seteuid(65534) != 0)
        ADD_FAILURE() << "cannot act as another user";
}

AsAnotherUser::~AsAnotherUser()
{
    if (getuid() == 0 && seteuid(0) != 0)
        abort();   // every later test would run without its rights
}

int differingPixels(BITMAP *a, BITMAP *b)
{
    int n = 0;
    for (int y = 0; y < a->h; y++) {
        const uint16_t *ra = (const uint16_t *)a->line[y], *rb = (const uint16_t *)b->line[y];
        if (memcmp(ra, rb, a->w * sizeof *ra) != 0)
            for (int x = 0; x < a->w; x++)
                n += ra[x] != rb[x];
    }
    return n;
}

void startTestBout(int arena)
{
    setupPlayer();
    setupPlayer2();
    setupBlood();
    setupBlood2();
    setupCasings();
    setupBombs();
    setupBombs2();
    setupBombblastLeft();
    setupBombblastRight();
    setupBombblastUp();
    setupEffects();
    setupForcefields();
    if (arena == ARENA_HELL)
        setupHell();
    else if (arena == SCREEN_TUTORIAL)
        setupTutorial();
    else
        setupLondon();
    playersActive = 1;
    paused = 0;
    quitting = 0;
    tutorialWait = 0;
}

void HarnessTest::SetUpTestSuite()
{
    if (harnessGameDataPresent())
        harnessStart(4321);
}

void HarnessTest::SetUp()
{
    if (!harnessGameDataPresent())
        GTEST_SKIP() << "skipped: no generated arenas in " << harnessGameDir();
    harnessReleaseInput();
    p2cpu = 0;
    musicOn = 0;
    srand(99);
}
