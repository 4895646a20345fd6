#include "frontend/quit.h"

#include <allegro.h>

#include "core/assets.h"
#include "core/clock.h"
#include "core/match.h"
#include "core/music.h"
#include "core/pixelpass.h"
#include "core/world.h"
#include "frontend/pause.h"
#include "frontend/screen.h"
#include "frontend/splash.h"
#include "frontend/title.h"

int quitting = 0;

enum { GLYPH_Y = 24, GLYPH_N = 13, SLASH_LABEL = 11, DARKEN_STEP = 10 };

static void answerYes()
{
    setupEndSplash();
    map = SCREEN_END_SPLASH;
}

static void answerNo()
{
    music = 0;   // the loop starts the track again once play resumes
    quitting = 0;
    speed_counter = 0;
}

void quitoption()
{
    latchMouse();
    paused = 0;
    backtomenux = QUIT_MENU_X;
    backtomenuy = QUIT_MENU_Y;
    if (key[KEY_Y])
        answerYes();
    if (key[KEY_N])
        answerNo();
    // No debounce here: a held button acts on every tick it is seen.
    if (mbL == 1 && pointerOn(letter[GLYPH_Y], QUIT_YES_X, QUIT_CHOICE_Y))
        answerYes();
    if (mbL == 1 && pointerOn(letter[GLYPH_N], QUIT_NO_X, QUIT_CHOICE_Y))
        answerNo();
    if (map != SCREEN_TITLE && mbL == 1 && pointerOn(textBacktoMenu, backtomenux, backtomenuy)) {
        quitting = 0;
        speed_counter = 0;
        setupTitleScreen();
        seconds = 0;
        map = SCREEN_TITLE;
    }
    drawquitoption();
}

// Each colour part of a page pixel lowered by the step, stopping at 0.
static int darkenRule(int, int value)
{
    return value > DARKEN_STEP ? value - DARKEN_STEP : 0;
}

void darkenPage()
{
    static PixelPass darken;
    if (!darken.built)
        buildPixelPass(&darken, darkenRule);
    runPixelPass(&darken, buffer);
}

// A white frame five pixels around a choice's glyph while the pointer is on it.
static void frameChoice(int glyph, int x)
{
    BITMAP *g = letter[glyph];
    if (pointerOn(g, x, QUIT_CHOICE_Y))
        rect(buffer, x - 5, QUIT_CHOICE_Y - 5, x + 3 + g->w, QUIT_CHOICE_Y + 3 + g->h,
             makecol(255, 255, 255));
}

void drawquitoption()
{
    darkenPage();
    frameChoice(GLYPH_Y, QUIT_YES_X);
    frameChoice(GLYPH_N, QUIT_NO_X);
    putPicture(textQuit, QUIT_LABEL_X, QUIT_LABEL_Y);
    putPicture(letter[GLYPH_Y], QUIT_YES_X, QUIT_CHOICE_Y);
    putPicture(specialkey[SLASH_LABEL], QUIT_SLASH_X, QUIT_CHOICE_Y);
    putPicture(letter[GLYPH_N], QUIT_NO_X, QUIT_CHOICE_Y);
    if (map != SCREEN_TITLE)
        putPicture(textBacktoMenu, QUIT_MENU_X, QUIT_MENU_Y);
    showPageWithPointer();
}
