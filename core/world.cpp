#include "core/world.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/turn.h"

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
int headless = 0;
int (*setGfxModeHook)(int card, int w, int h) = NULL;
int loadedTutorial = 0, loadedHell = 0, loadedLondon = 0, loadedCredits = 0;
BITMAP *prebuffer = NULL;

int (*desktopSizeHook)(int *w, int *h) = NULL;

// The desktop's size, when it is known.
static int desktopSize(int *w, int *h)
{
    int known;
    if (desktopSizeHook)
        known = desktopSizeHook(w, h) == 0;
    else
        known = !headless && get_desktop_resolution(w, h) == 0;
    return known && *w > 0 && *h > 0;
}

int displayModeFits(int w, int h)
{
    if (w < DISPLAY_MIN_W || h < DISPLAY_MIN_H)
        return 0;
    int deskW, deskH;
    if (desktopSize(&deskW, &deskH))
        return w <= deskW && h <= deskH;
    return 1;
}

int displayW() { return screen ? screen->w : 0; }
int displayH() { return screen ? screen->h : 0; }

void stretchToScreen()
{
    if (screen && buffer)
        stretch_blit(buffer, screen, 0, 0, PLAYFIELD_W, PLAYFIELD_H, 0, 0, displayW() - 1,
                     displayH() - 1);
}

// Pixels x1..x2 of rows y1..y2 (within the bitmap) set to `colour`.
static void fillRows(BITMAP *bmp, int x1, int y1, int x2, int y2, int colour)
{
    const int w = x2 - x1 + 1;
    uint16_t *first = (uint16_t *)bmp->line[y1] + x1;
    for (int x = 0; x < w; x++)
        first[x] = (uint16_t)colour;
    for (int y = y1 + 1; y <= y2; y++)
        memcpy((uint16_t *)bmp->line[y] + x1, first, w * sizeof *first);
}

static int fillsRows(BITMAP *bmp)
{
    return is_memory_bitmap(bmp) && bitmap_color_depth(bmp) == 16 &&
           _drawing_mode == DRAW_MODE_SOLID;
}

void fillRect(BITMAP *bmp, int x1, int y1, int x2, int y2, int colour)
{
    if (!fillsRows(bmp) || !bmp->clip) {
        rectfill(bmp, x1, y1, x2, y2, colour);
        return;
    }
    // The library's rectfill: corners in order, then held inside the clipping rectangle.
    if (y1 > y2) {
        const int t = y1;
        y1 = y2;
        y2 = t;
    }
    if (x1 > x2) {
        const int t = x1;
        x1 = x2;
        x2 = t;
    }
    if (x1 < bmp->cl)
        x1 = bmp->cl;
    if (x2 >= bmp->cr)
        x2 = bmp->cr - 1;
    if (y1 < bmp->ct)
        y1 = bmp->ct;
    if (y2 >= bmp->cb)
        y2 = bmp->cb - 1;
    if (x2 < x1 || y2 < y1)
        return;
    fillRows(bmp, x1, y1, x2, y2, colour);
}

void clearPage(BITMAP *bmp, int colour)
{
    if (!fillsRows(bmp)) {
        clear_to_color(bmp, colour);
        return;
    }
    // clear_to_color fills the clipping rectangle, whether or not clipping is on.
    if (bmp->cr > bmp->cl && bmp->cb > bmp->ct)
        fillRows(bmp, bmp->cl, bmp->ct, bmp->cr - 1, bmp->cb - 1, colour);
}

static int clampComponent(int c)
{
    return c < 0 ? 0 : c > 255 ? 255 : c;
}

int packColour(int r, int g, int b)
{
    return makecol(clampComponent(r), clampComponent(g), clampComponent(b));
}

// rotate_sprite's own corners for a picture at (x, y): the library works them out with the
// sine and cosine of the angle and adds the place last, so the corners of a size and angle
// are kept (a small table, a slot for each size and angle, the last one seen there) and
// the place added to them. The place is scaled by multiplying: the library shifts it, which
// is undefined for a picture starting left of or above the bitmap.
struct TurnedCorners {
    int w, h, angle;   // w 0: the slot is empty
    fixed xs[4], ys[4];
};
static TurnedCorners turnedCorners[512];

void putPicture(BITMAP *pic, int x, int y)
{
    if (pic)
        draw_sprite(buffer, pic, x, y);
}

void drawTurned(BITMAP *dest, BITMAP *pic, int x, int y, int angle)
{
    if (!pic)
        return;
    angle &= 255;
    TurnedCorners &c = turnedCorners[((unsigned)pic->w * 31u + (unsigned)pic->h * 7u +
                                      (unsigned)angle * 131u) % 512u];
    if (c.w != pic->w || c.h != pic->h || c.angle != angle) {
        _rotate_scale_flip_coordinates(pic->w << 16, pic->h << 16, pic->w * 0x10000 / 2,
                                       pic->h * 0x10000 / 2, pic->w * 0x8000, pic->h * 0x8000,
                                       itofix(angle), 0x10000, 0x10000, FALSE, FALSE, c.xs, c.ys);
        c.w = pic->w;
        c.h = pic->h;
        c.angle = angle;
    }
    fixed xs[4], ys[4];
    for (int i = 0; i < 4; i++) {
        xs[i] = c.xs[i] + x * 0x10000;
        ys[i] = c.ys[i] + y * 0x10000;
    }
    mapTurnedPicture(dest, pic, xs, ys, angle);
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
