#include "frontend_fixture.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "frontend/quit.h"
#include "frontend/screen.h"
#include "frontend/title.h"
#include "core/clock.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "core/match.h"
#include "core/music.h"
#include "core/settings.h"
#include "shell/startup.h"

int placedMouseX = -1, placedMouseY = -1;

extern "C" void __real_position_mouse(int x, int y);
extern "C" void __wrap_position_mouse(int x, int y)
{
    placedMouseX = x;
    placedMouseY = y;
    __real_position_mouse(x, y);
}

namespace {
struct SavedSettings {
    int resx, resy, musicOn, TitleWobble, p2cpu, AIcomp, GameLength;
    int codes[BIND_COUNT];
} saved;
bool started = false;
}  // namespace

void FrontEnd::SetUpTestSuite()
{
    if (!harnessGameDataPresent())
        return;
    harnessStart(77);
    saved = {resx, resy, musicOn, TitleWobble, p2cpu, AIcomp, GameLength, {}};
    for (int s = 0; s < BIND_COUNT; s++)
        saved.codes[s] = keyBindings[s].code;
    // Page pixels and display pixels are the same at 1600x1200.
    switchDisplayMode(PLAYFIELD_W, PLAYFIELD_H);
    started = true;
}

void FrontEnd::TearDownTestSuite()
{
    if (!started)
        return;
    resx = saved.resx, resy = saved.resy, musicOn = saved.musicOn;
    TitleWobble = saved.TitleWobble, p2cpu = saved.p2cpu, AIcomp = saved.AIcomp;
    GameLength = saved.GameLength;
    for (int s = 0; s < BIND_COUNT; s++) {
        keyBindings[s].code = saved.codes[s];
        keyBindings[s].active = 0;
    }
    harnessStop();
    started = false;
}

void FrontEnd::SetUp()
{
    if (!started)
        GTEST_SKIP() << "no game data in " << harnessGameDir();
    harnessReleaseInput();
    // No track to decode: the title would load one on every visit.
    file_list.count = 0;
    mouse_z = 3;
    quitting = 0;
    clicking = clickdelay = 0;
    map = SCREEN_TITLE;
    setupTitleScreen();
    pointAt(10, 10);
}

void FrontEnd::TearDown()
{
    harnessReleaseInput();
    for (int s = 0; s < BIND_COUNT; s++)
        keyBindings[s].active = 0;
}

void FrontEnd::tick(int n) { harnessTicks(n); }

void FrontEnd::pointAt(int x, int y)
{
    mouse_x = x;
    mouse_y = y;
}

void FrontEnd::press(int x, int y)
{
    pointAt(x, y);
    mouse_b = 1;
    tick(1);
    mouse_b = 0;
}

void FrontEnd::pressAndRelease(int x, int y)
{
    press(x, y);
    tick(25);
}

void FrontEnd::settleLogo()
{
    for (int step = 0; step < 300 && titlePiece[0].phase < LOGO_SETTLED_PHASE; step++)
        updateGorblatTitle();
}

void FrontEnd::showMenu()
{
    settleLogo();
    tick(60);
}

std::string FrontEnd::savedSettings()
{
    char home[1024], dir[] = "/tmp/gor-frontend-XXXXXX";
    if (!getcwd(home, sizeof home) || !mkdtemp(dir))
        return "";
    std::string text;
    if (chdir(dir) == 0) {
        set_settings();
        text = harnessReadFile("gorSetup.cfg");
        unlink("gorSetup.cfg");
    }
    if (chdir(home) != 0)
        return "";
    rmdir(dir);
    return text;
}

bool FrontEnd::sameAsSprite(BITMAP *pic, int x, int y)
{
    int mask = bitmap_mask_color(pic), opaque = 0;
    for (int py = 0; py < pic->h; py++)
        for (int px = 0; px < pic->w; px++) {
            int c = getpixel(pic, px, py);
            if (c == mask)
                continue;
            opaque++;
            if (getpixel(buffer, x + px, y + py) != c)
                return false;
        }
    return opaque > 0;
}
