#include "frontend/quit.h"

#include <allegro.h>

#include "frontend/screen.h"
#include "frontend/splash.h"
#include "frontend/title.h"
#include "shell/assets.h"
#include "shell/clock.h"
#include "shell/loop.h"
#include "shell/match.h"
#include "shell/music.h"
#include "shell/pause.h"
#include "shell/startup.h"

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
    latchPointer();
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

void darkenPage(int step)
{
    for (int y = 0; y < PLAYFIELD_H; y++) {
        for (int x = 0; x < PLAYFIELD_W; x++) {
            int c = _getpixel16(buffer, x, y);
            bufferR = getr16(c) - step;
            bufferG = getg16(c) - step;
            bufferB = getb16(c) - step;
            _putpixel16(buffer, x, y,
                        makecol16(bufferR < 0 ? 0 : bufferR, bufferG < 0 ? 0 : bufferG,
                                  bufferB < 0 ? 0 : bufferB));
        }
    }
}

// A white frame five pixels around a choice's glyph while the pointer is on it.
static void frameChoice(int glyph, int x)
{
    BITMAP *g = letter[glyph];
    if (pointerOn(g, x, QUIT_CHOICE_Y))
        rect(buffer, x - 5, QUIT_CHOICE_Y - 5, x + 3 + g->w, QUIT_CHOICE_Y + 3 + g->h,
             makecol(255, 255, 255));
}

static void put(BITMAP *pic, int x, int y)
{
    if (pic)
        draw_sprite(buffer, pic, x, y);
}

void drawquitoption()
{
    darkenPage(DARKEN_STEP);
    frameChoice(GLYPH_Y, QUIT_YES_X);
    frameChoice(GLYPH_N, QUIT_NO_X);
    put(textQuit, QUIT_LABEL_X, QUIT_LABEL_Y);
    put(letter[GLYPH_Y], QUIT_YES_X, QUIT_CHOICE_Y);
    put(specialkey[SLASH_LABEL], QUIT_SLASH_X, QUIT_CHOICE_Y);
    put(letter[GLYPH_N], QUIT_NO_X, QUIT_CHOICE_Y);
    if (map != SCREEN_TITLE)
        put(textBacktoMenu, QUIT_MENU_X, QUIT_MENU_Y);
    drawPagePointer();
    presentPage();
}
