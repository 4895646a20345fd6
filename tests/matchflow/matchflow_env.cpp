#include "matchflow_env.h"

#include <allegro.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "frontend/quit.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "core/match.h"
#include "frontend/pause.h"
#include "core/settings.h"
#include "shell/startup.h"

static int started = 0;

void MatchFlowTest::SetUpTestSuite()
{
    if (started || !harnessGameDataPresent())
        return;
    harnessStart(7);
    started = 1;
}

void MatchFlowTest::SetUp()
{
    if (!started)
        GTEST_SKIP() << "skipped: no game data in " << harnessGameDir();
    harnessReleaseInput();
    paused = pausedelay = 0;
    quitting = 0;
    clicking = clickdelay = 0;
    p2cpu = 0;
    pointAt(0, 0);
}

void MatchFlowTest::TearDown() { harnessReleaseInput(); }

void pointAt(int x, int y)
{
    // The pointer's page position is the display position scaled up; round up so the
    // page position is not left of the one asked for.
    mouse_x = (x * displayW() + PLAYFIELD_W - 1) / PLAYFIELD_W;
    mouse_y = (y * displayH() + PLAYFIELD_H - 1) / PLAYFIELD_H;
}

void pointInto(BITMAP *pic, int x, int y) { pointAt(x + pic->w / 2, y + pic->h / 2); }

int shownAt(BITMAP *pic, int x, int y)
{
    if (!pic)
        return 0;
    const int mask = bitmap_mask_color(pic);
    for (int py = 0; py < pic->h; py++)
        for (int px = 0; px < pic->w; px++) {
            const int c = getpixel(pic, px, py);
            if (c != mask && getpixel(buffer, x + px, y + py) != c)
                return 0;
        }
    return 1;
}

void pixelAt(int x, int y, int *r, int *g, int *b)
{
    const int c = getpixel(buffer, x, y);
    *r = getr(c);
    *g = getg(c);
    *b = getb(c);
}
