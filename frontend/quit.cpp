#include "frontend/quit.h"

#include <allegro.h>
#include <stdint.h>

#include "frontend/screen.h"
#include "frontend/splash.h"
#include "frontend/title.h"
#include "shell/assets.h"
#include "shell/clock.h"
#include "shell/match.h"
#include "shell/music.h"
#include "shell/pause.h"
#include "shell/world.h"

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

// Every 16-bit colour darkened by one step, made once per step size: the prompt darkens
// the whole page on every tick.
static uint16_t darkened[65536];
static int darkenedStep = -1;

static int lowered(int component, int step)
{
    return component > step ? component - step : 0;
}

void darkenPage(int step)
{
    if (step != darkenedStep) {
        for (int c = 0; c < 65536; c++) {
            bufferR = lowered(getr16(c), step);
            bufferG = lowered(getg16(c), step);
            bufferB = lowered(getb16(c), step);
            darkened[c] = (uint16_t)makecol16(bufferR, bufferG, bufferB);
        }
        darkenedStep = step;
    }
    for (int y = 0; y < PLAYFIELD_H; y++) {
        uint16_t *row = (uint16_t *)buffer->line[y];
        for (int x = 0; x < PLAYFIELD_W; x++)
            row[x] = darkened[row[x]];
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
