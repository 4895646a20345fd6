#include "frontend/screen.h"

#include <allegro.h>
#include <string.h>

#include <atomic>

#include "core/match.h"
#include "core/settings.h"
#include "core/world.h"

// The library keeps the pointer inside the display's pixels whatever mouse range is set,
// so at 800x600 the lower half of the page would be out of reach: scale it to the page.
int pageMouseX()
{
    int w = displayW();
    return w > 0 ? mouse_x * PLAYFIELD_W / w : mouse_x;
}

int pageMouseY()
{
    int h = displayH();
    return h > 0 ? mouse_y * PLAYFIELD_H / h : mouse_y;
}

// Shared with the library's input thread.
static std::atomic<int> pressNoted{0};
// The press taken for this tick; game thread only.
static int pressThisTick = 0;

void noteMousePress(int flags)
{
    if (flags & MOUSE_FLAG_LEFT_DOWN)
        pressNoted.store(1);
}
END_OF_FUNCTION(noteMousePress)

void pollMouse()
{
    if (mouse_needs_poll())
        poll_mouse();
    pressThisTick = pressNoted.exchange(0);
}

int sampleLeftButton()
{
    int down = mouse_b & 1;
    // A press seen held is counted by the button itself; noted too, it would be held one
    // tick longer than it was.
    if (down)
        pressNoted.store(0);
    return down | pressThisTick;
}

void latchMouse()
{
    mx = pageMouseX();
    my = pageMouseY();
    mbL = sampleLeftButton();
}

void latchWobble()
{
    TitleWobble = mouse_z < 2 ? 1 : mouse_z > 7 ? 8 : mouse_z;
}

int insidePicture(BITMAP *pic, int left, int top, int x, int y)
{
    return pic && x > left && x < left + pic->w && y > top && y < top + pic->h;
}

void countClickDelay()
{
    if (clickdelay < 1) {
        clickdelay = 0;
        clicking = 0;
    }
    if (clickdelay > 0 && mbL == 0)
        clickdelay -= 1;
}

void lightButton(int left, int top, const int (*seeds)[2], int seedCount)
{
    const int hover = makecol(105, 133, 165);
    for (int i = 0; i < seedCount; i++)
        floodfill(buffer, left + seeds[i][0], top + seeds[i][1], hover);
}

BITMAP *digitPicture(BITMAP *const *set, int d)
{
    return d >= 0 && d <= 9 ? set[d] : NULL;
}

// The page under the pointer while it is shown; the pointer picture is small.
enum { POINTER_MAX = 64 };
static uint16_t underPointer[POINTER_MAX][POINTER_MAX];

void showPageWithPointer()
{
    const int x = pageMouseX(), y = pageMouseY();
    int w = pointer ? pointer->w : 0, h = pointer ? pointer->h : 0;
    if (w > POINTER_MAX)
        w = POINTER_MAX;
    if (h > POINTER_MAX)
        h = POINTER_MAX;
    if (x + w > PLAYFIELD_W)
        w = PLAYFIELD_W - x;
    if (y + h > PLAYFIELD_H)
        h = PLAYFIELD_H - y;
    const int saved = x >= 0 && y >= 0 && w > 0 && h > 0;
    if (saved) {
        for (int row = 0; row < h; row++)
            memcpy(underPointer[row], (uint16_t *)buffer->line[y + row] + x, w * 2);
        set_clip_rect(buffer, 0, 0, PLAYFIELD_W - 1, PLAYFIELD_H - 1);
        draw_sprite(buffer, pointer, x, y);
    }
    stretchToScreen();
    if (saved)
        for (int row = 0; row < h; row++)
            memcpy((uint16_t *)buffer->line[y + row] + x, underPointer[row], w * 2);
}

int escapeOpensPrompt()
{
    return key[KEY_ESC] && TitleScreenPhase != 3 && createTeamActive == 0 &&
           confirmDelete == 0 && map != SCREEN_END_SPLASH;
}

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
