#include "frontend/credits.h"

#include <allegro.h>

#include "core/assets.h"
#include "core/clock.h"
#include "core/match.h"
#include "core/settings.h"
#include "core/world.h"
#include "frontend/quit.h"
#include "frontend/screen.h"
#include "frontend/title.h"

void setupCredits()
{
    backtomenux = CREDITS_MENU_X;
    backtomenuy = CREDITS_MENU_Y;
    if (loadedCredits == 0) {
        credits_image = (BITMAP *)data[DAT_CREDITS].dat;
        loadedCredits = 1;
    }
    seconds = 0;
    speed_counter = 0;
    map = SCREEN_CREDITS;
}

void updateCredits()
{
    latchMouse();
    TitleWobble = mouse_z;
    if (mbL == 1 && pointerOn(textBacktoMenu, backtomenux, backtomenuy)) {
        setupTitleScreen();
        seconds = 0;
        map = SCREEN_TITLE;
    }
    if (quitting == 0)
        drawCredits();
}

void drawCredits()
{
    clear_to_color(buffer, pageBackground());
    // The curtains stand where the title screen left them.
    rectfill(buffer, 100, 0, 350, titlerecty1, curtainColour());
    rectfill(buffer, 380, titlerecty2, 450, 1200, curtainColour());
    putPicture(credits_image, CREDITS_X, CREDITS_Y);
    putPicture(textBacktoMenu, CREDITS_MENU_X, CREDITS_MENU_Y);
    showPageWithPointer();
}

// ---- The intro page: its own seconds clock and three counters.

static BITMAP *introPage = NULL;

void setupIntro()
{
    quitting = 0;
    seconds = 0;
    if (!introPage)
        introPage = create_bitmap(PLAYFIELD_W, PLAYFIELD_H);
    clear_to_color(introPage, pageBackground());
    prebuffer = introPage;
    speed_counter = 0;
    map = SCREEN_INTRO;
}

void updateIntro()
{
    secondscount++;
    if (secondscount > secondsdelay) {
        seconds++;
        secondscount = 0;
    }
    if (seconds < 2)
        clear_keybuf();
    if (key[KEY_ESC] && seconds > 3) {
        setupTitleScreen();
        seconds = 0;
        map = SCREEN_TITLE;
    }
    drawIntro();
}

void drawIntro()
{
    clear_to_color(buffer, pageBackground());
    rectfill(buffer, 100, 0, 350, 1199, curtainColour());
    rectfill(buffer, 380, 0, 450, 1199, curtainColour());
    int white = makecol(255, 255, 255);
    textprintf_ex(buffer, font, 20, 500, white, -1, "secs: %i", seconds);
    textprintf_ex(buffer, font, 20, 510, white, -1, "spc: %i", speed_counter.load());
    textprintf_ex(buffer, font, 20, 520, white, -1, "map: %i", map);
    presentPage();
}
