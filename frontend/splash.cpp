#include "frontend/splash.h"

#include <allegro.h>
#include <stdlib.h>

#include "core/assets.h"
#include "core/clock.h"
#include "core/match.h"
#include "core/music.h"
#include "core/sound.h"
#include "core/world.h"
#include "frontend/quit.h"
#include "frontend/screen.h"

int halfseconds = 0;

enum { CLICK_DELAY = 60 };

void setupEndSplash()
{
    quitting = 0;
    seconds = 0;
    secondscount = 0;
    stopSample(SND_TITLE_MUSIC);
    speed_counter = 0;
    startDebounce(CLICK_DELAY);
    map = SCREEN_END_SPLASH;
}

static void endProgram()
{
    gameover = 1;
    speed_counter = 1;
    quitting = 2;
}

void updateEndSplash()
{
    if (secondscount == 30 || secondscount == 0)
        halfseconds++;
    if (music == 1) {
        stopTrack();
        music = 0;
    }
    mbL = sampleLeftButton();
    countClickDelay();
    if (key[KEY_ESC] || key[KEY_SPACE] || key[KEY_ENTER] || fire1 || fire2 ||
        (mbL == 1 && clicking == 0))
        endProgram();
    drawEndSplash();
}

// The pictures that appear one by one, with the half-second each first shows in.
struct SplashPicture {
    BITMAP **pic;
    int x, y, from;
};
static const SplashPicture splashPictures[] = {
    {&splashVolcano, 182, 29, 5},   {&splashBlub, 1094, 654, 6},
    {&splashSonic, 87, 210, 7},     {&splashZombies, 99, 743, 8},
    {&splashAlien, 1094, 72, 9},    {&splashTrain, 274, 743, 10},
    {&splashLeaf, 1219, 273, 11},   {&splashBounce, 1094, 277, 12},
    {&outnow_image, 731, 764, 15},  {&website_image, 690, 832, 19},
};

void drawEndSplash()
{
    clear_to_color(buffer, pageBackground());
    int stingTick = secondscount == 30 || secondscount == 0;
    int stung = (halfseconds >= 5 && halfseconds <= 12) || halfseconds == 15;
    if (stingTick && stung)
        playSample(SND_SPLASH_STING, halfseconds == 15 ? 120 : 255, 128, rand() % 200 + 800);
    for (const SplashPicture &p : splashPictures)
        if (halfseconds >= p.from)
            putPicture(*p.pic, p.x, p.y);
    putPicture(outrologo, 591, 360);
    putPicture(velmora_image, 687, 430);
    presentPage();
}
