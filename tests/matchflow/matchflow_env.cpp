#include "matchflow_env.h"

#include <allegro.h>
#include <dirent.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "frontend/quit.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "shell/match.h"
#include "shell/pause.h"
#include "shell/settings.h"
#include "shell/startup.h"

static int started = 0;
static char folder[] = "/tmp/gor_matchflow_XXXXXX";

// Empties and removes the private folder when the test program ends.
static void removePrivateGameFolder()
{
    DIR *d = opendir(folder);
    if (!d)
        return;
    while (struct dirent *e = readdir(d)) {
        char path[PATH_MAX * 2];
        snprintf(path, sizeof path, "%s/%s", folder, e->d_name);
        if (e->d_name[0] != '.')
            unlink(path);
    }
    closedir(d);
    rmdir(folder);
}

// A folder of links to the generated data (no settings file, so the defaults hold).
static void enterPrivateGameFolder()
{
    char source[PATH_MAX];
    if (!realpath(harnessGameDir(), source))
        FAIL() << "no game folder " << harnessGameDir();
    ASSERT_TRUE(mkdtemp(folder));
    atexit(removePrivateGameFolder);
    DIR *d = opendir(source);
    ASSERT_TRUE(d);
    while (struct dirent *e = readdir(d)) {
        const char *dot = strrchr(e->d_name, '.');
        if (e->d_name[0] == '.' || (dot && strcmp(dot, ".cfg") == 0))
            continue;
        char from[PATH_MAX * 2], to[PATH_MAX * 2];
        snprintf(from, sizeof from, "%s/%s", source, e->d_name);
        snprintf(to, sizeof to, "%s/%s", folder, e->d_name);
        ASSERT_EQ(symlink(from, to), 0);
    }
    closedir(d);
    setenv("GOR_GAME_DIR", folder, 1);
}

void MatchFlowTest::SetUpTestSuite()
{
    if (started || !harnessGameDataPresent())
        return;
    enterPrivateGameFolder();
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
