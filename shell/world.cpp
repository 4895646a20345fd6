#include "shell/world.h"

#include <allegro.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

std::atomic<int> speed_counter{0};
int map = SCREEN_NONE;
int playersActive = 0;
int d1, d2, up1, down1, jump1, fire1, laybomb1, pausebutton;
int pd1, pd2, up2, down2, jump2, fire2, laybomb2, pausebutton2;

int initsetup = 0;
int gameover = 0;
BITMAP *buffer = NULL;
DATAFILE *data = NULL;
BITMAP *pointer = NULL;
int resx = 800, resy = 600;
int loadedTutorial = 0, loadedHell = 0, loadedLondon = 0, loadedCredits = 0;
BITMAP *prebuffer = NULL;

int displayW() { return screen ? screen->w : 0; }
int displayH() { return screen ? screen->h : 0; }

void stretchToScreen()
{
    if (screen && buffer)
        stretch_blit(buffer, screen, 0, 0, PLAYFIELD_W, PLAYFIELD_H, 0, 0, displayW() - 1,
                     displayH() - 1);
}

static int clampComponent(int c)
{
    return c < 0 ? 0 : c > 255 ? 255 : c;
}

int packColour(int r, int g, int b)
{
    return makecol(clampComponent(r), clampComponent(g), clampComponent(b));
}

void drawTurned(BITMAP *dest, BITMAP *pic, int x, int y, int angle)
{
    if (!pic)
        return;
    // rotate_sprite's own call, with the positions scaled by multiplying: the library
    // shifts them, which is undefined for a picture starting left of or above the bitmap.
    dest->vtable->pivot_scaled_sprite_flip(dest, pic, x * 0x10000 + pic->w * 0x10000 / 2,
                                           y * 0x10000 + pic->h * 0x10000 / 2,
                                           pic->w * 0x8000, pic->h * 0x8000,
                                           itofix(angle & 255), 0x10000, FALSE);
}

void showMessageBox(const char *text)
{
    if (!system_driver || !system_driver->message)
        return;
    if (gfx_driver)
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    allegro_message("%s", text);
}

void fatalError(const char *fmt, ...)
{
    char text[512];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(text, sizeof text, fmt, ap);
    va_end(ap);
    fprintf(stderr, "gor: %s\n", text);
    // A player who started the game from a desktop sees no terminal.
    showMessageBox(text);
    exit(1);
}
