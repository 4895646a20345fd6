#include "core/match.h"

#include <allegro.h>
#include <string.h>

#include "core/settings.h"
#include "core/sound.h"
#include "frontend/quit.h"
#include "shell/loop.h"
#include "shell/startup.h"

int mx, my, mbL;
int clicking, clickdelay;
int backtomenux = 100, backtomenuy = 1100;
int GLarena1, GLarena2, GLarena3, GLarena4, GLarena5;
int GameLengthCurrent;
int playerOnePower, playerTwoPower, playerOneFrags, playerTwoFrags;
int titlemusic;
int TitleScreenPhase = 1, createTeamActive, confirmDelete;
int GreenPlayed, GreenWon, GreenLost, GreenDrew, GreenFrags, GreenDeaths, GreenAvScore,
    GreenPercentage;
int PurplePlayed, PurpleWon, PurpleLost, PurpleDrew, PurpleFrags, PurpleDeaths, PurpleAvScore,
    PurplePercentage;
int GreenActive, PurpleActive;
char GreenTeamName[32], PurpleTeamName[32];
int bufferR, bufferG, bufferB;
int textGox = 1250, textGoy = 1048;

void latchMouse()
{
    mx = pageMouseX();
    my = pageMouseY();
    mbL = mouse_b & 1;
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

void putPicture(BITMAP *pic, int x, int y)
{
    if (pic)
        draw_sprite(buffer, pic, x, y);
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
