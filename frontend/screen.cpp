#include "frontend/screen.h"

#include <allegro.h>

#include "core/match.h"
#include "shell/startup.h"

int pageBackground() { return makecol(30, 20, 33); }
int curtainColour() { return makecol(76, 99, 124); }

int pointerInside(int x, int y, int w, int h)
{
    return x < mx && mx < x + w && y < my && my < y + h;
}

int pointerOn(BITMAP *pic, int x, int y)
{
    return insidePicture(pic, x, y, mx, my);
}

int clickedBox(int x, int y, int w, int h)
{
    return mbL == 1 && clicking == 0 && pointerInside(x, y, w, h);
}

int clickedOn(BITMAP *pic, int x, int y)
{
    return pic && clickedBox(x, y, pic->w, pic->h);
}

void startDebounce(int ticks)
{
    clicking = 1;
    clickdelay = ticks;
}

void drawPagePointer()
{
    if (buffer && pointer)
        draw_sprite(buffer, pointer, mx, my);
}

// The pointer is read back as display pixel * page size / display size, rounded down, so
// the display pixel is rounded up: the first one that reads back as (x, y). Rounded down,
// (800, 500) would read back as row 499 at 1280x1024.
void placePointer(int x, int y)
{
    int w = displayW(), h = displayH();
    if (w > 0 && h > 0)
        position_mouse((x * w + PLAYFIELD_W - 1) / PLAYFIELD_W,
                       (y * h + PLAYFIELD_H - 1) / PLAYFIELD_H);
}

int switchDisplayMode(int w, int h)
{
    set_color_depth(16);
    if (setGfxModeHook)
        return setGfxModeHook(GFX_AUTODETECT_FULLSCREEN, w, h);
    if (headless) {
        BITMAP *page = create_bitmap(w, h);
        if (!page)
            return -1;
        clear_bitmap(page);
        if (screen)
            destroy_bitmap(screen);
        screen = page;
        return 0;
    }
    return set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, w, h, 0, 0);
}

void presentPage()
{
    if (screen)
        acquire_screen();
    stretchToScreen();
    if (screen)
        release_screen();
}
