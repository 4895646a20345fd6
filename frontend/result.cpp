#include "frontend/result.h"

#include <allegro.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <initializer_list>

#include "arena/pickups.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/configfile.h"
#include "core/fighter.h"
#include "core/match.h"
#include "core/music.h"
#include "core/pixelpass.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/unlocks.h"
#include "core/world.h"
#include "frontend/premap.h"
#include "frontend/quit.h"
#include "frontend/screen.h"
#include "frontend/title.h"

int ResultsInit = 0;
int previousMap = 0;
int resultcount = 0;
int player1Total = 0, player2Total = 0;
int greenwinsx = 470, purplewinsx = 470, winsx = 826;
int greenfragsx = 470, greenfragsy = 570, purplefragsx = 1044, purplefragsy = 570;
int bouttextx = 697, bouttexty = 838;

// ---- Totals and winner.

static void decideWinner()
{
    player->won = player1Total >= player2Total;
    player2->won = player2Total >= player1Total;
}

// ---- Team statistics: one table row per side.

struct TeamStats {
    int *played, *won, *lost, *drew, *frags, *deaths, *avScore, *percentage;
    int *active;
    const char *name;
    int *total;
};
static const TeamStats teams[2] = {
    {&GreenPlayed, &GreenWon, &GreenLost, &GreenDrew, &GreenFrags, &GreenDeaths, &GreenAvScore,
     &GreenPercentage, &GreenActive, GreenTeamName, &player1Total},
    {&PurplePlayed, &PurpleWon, &PurpleLost, &PurpleDrew, &PurpleFrags, &PurpleDeaths,
     &PurpleAvScore, &PurplePercentage, &PurpleActive, PurpleTeamName, &player2Total}};

int teamRating(int played, int won, int frags, int deaths, int avScore)
{
    if (won == 0 || played < 1)
        return 0;
    int a = (int)((double)won / played * 50);
    if (a > 40)
        a = 50;
    const int b = won < 20 ? won : 20;
    const int c = frags > deaths ? 10 : 0;
    int d = avScore / 100 * 6;
    if (d > 20)
        d = 20;
    const int rating = a + b + c + d;
    return rating < 100 ? rating : 100;
}

int teamFileName(const char *teamName, char *out, int outSize)
{
    enum { NAME_MAX_KEPT = 20 };
    char cut[NAME_MAX_KEPT + 1];
    int n = 0;
    for (; n < NAME_MAX_KEPT && teamName[n]; n++) {
        const char c = teamName[n];
        const int plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == ' ' || c == '_' || c == '-';
        cut[n] = plain ? c : '_';
    }
    cut[n] = 0;
    if (n == 0 || strcasecmp(cut, "gorSetup") == 0 || strcasecmp(cut, "gorMaps") == 0)
        return 0;
    return snprintf(out, outSize, "%s.cfg", cut) < outSize;
}

static void writeTeamFile(const TeamStats &t)
{
    char name[sizeof GreenTeamName + 1];
    memcpy(name, t.name, sizeof GreenTeamName);
    name[sizeof GreenTeamName] = 0;   // a name filled to the brim has no terminator
    char file[40];
    if (!teamFileName(name, file, sizeof file))
        return;
    selectConfigFile(file);
    const int values[8] = {*t.played, *t.won,     *t.lost,    *t.drew,
                           *t.frags,  *t.deaths,  *t.avScore, *t.percentage};
    static const char *const keys[8] = {"Played", "Won",    "Lost",    "Drew",
                                        "Frags",  "Deaths", "avScore", "Percentage"};
    for (int i = 0; i < 8; i++)
        set_config_int("Stats", keys[i], values[i]);
    saveConfigFile(file);
}

static void bookStatistics()
{
    const int human2 = p2cpu == 0;
    GreenPlayed += 1;
    if (human2)
        PurplePlayed += 1;
    const int greenAlone = player->won == 1 && player2->won == 0;
    const int purpleAlone = player2->won == 1 && player->won == 0;
    if (greenAlone) {
        GreenWon += 1;
        PurpleLost += 1;
    } else if (purpleAlone) {
        GreenLost += 1;
        PurpleWon += 1;
    } else {
        GreenDrew += 1;
        PurpleDrew += 1;
    }
    for (int side = 0; side < 2; side++) {
        const TeamStats &t = teams[side];
        if (side == 1 && !human2)
            continue;
        *t.avScore = ((*t.played - 1) * *t.avScore + *t.total) / *t.played;
        *t.percentage = teamRating(*t.played, *t.won, *t.frags, *t.deaths, *t.avScore);
    }
    if (map == SCREEN_TUTORIAL)
        return;
    if (GreenActive == 1)
        writeTeamFile(teams[0]);
    if (PurpleActive == 1 && human2)
        writeTeamFile(teams[1]);
}

void setupResultScreen(int endedMap)
{
    if (quitting == 1)
        quitting = 0;
    prebuffer = buffer;
    greenwinsx = 470, purplewinsx = 470, winsx = 826;
    greenfragsx = 470, greenfragsy = 570, purplefragsx = 1044, purplefragsy = 570;
    TitleWobble = 3;
    if (mouse_driver)
        position_mouse_z(3);
    else
        mouse_z = 3;

    playerOnePower += player->power;
    playerTwoPower += player2->power;
    playerOneFrags += player->frags;
    playerTwoFrags += player2->frags;
    resultcount = 0;
    player1Total = playerOnePower + 35 * playerOneFrags;
    player2Total = playerTwoPower + 35 * playerTwoFrags;
    backtomenux = 700, backtomenuy = 1125;
    decideWinner();

    if (ResultsInit == 1)
        bookStatistics();
    if (map == SCREEN_TUTORIAL)
        GameLength = 1;
    previousMap = endedMap;
    if (endedMap == ARENA_ONE_UP)
        credunlocked = CREDITS_CODE;
    ResultsInit = 1;
    speed_counter = 0;
    map = SCREEN_RESULT;
}

// ---- The screen.

static const int goSeeds[][2] = {{5, 5}, {100, 50}};

static void openNextBout()
{
    const int next[5] = {0, GLarena2, GLarena3, GLarena4, GLarena5};
    if (GameLengthCurrent >= 1 && GameLengthCurrent <= 4)
        setupPreMap(next[GameLengthCurrent]);
}

void updateResultScreen()
{
    decideWinner();
    unlockNextMap(previousMap);
    if (music == 1) {
        stopTrack();
        playSample(SND_RESULT_JINGLE, 255, 128, 1000);
        music = 0;
    }
    latchMouse();
    latchWobble();
    cube1spawn = 0;
    cube1spawnR = 0;
    if (escapeOpensPrompt())
        quitting = 1;
    countClickDelay();

    if (insidePicture(textBacktoMenu, backtomenux, backtomenuy, mx, my) && mbL) {
        setupTitleScreen();
        seconds = 0;
        map = SCREEN_TITLE;
    }
    if (insidePicture(textGo, textGox, textGoy, mx, my) && mbL && clicking == 0 &&
        map == SCREEN_RESULT && GameLengthCurrent < GameLength) {
        clicking = 1;
        clickdelay = 20;
        seconds = 0;
        if (titlemusic == 1)
            stopSample(SND_RESULT_JINGLE);
        openNextBout();
        return;
    }

    for (Fighter *f : {player, player2}) {
        f->powerHundreds = f->power / 100;
        f->powerTens = (f->power % 100) / 10;
        f->powerOnes = f->power % 10;
    }
    if (!quitting)
        drawResultScreen();
    if (resultcount > RESULT_FADE_PIXELS && prebuffer == buffer)
        clear_bitmap(buffer);
}

static int darker(int, int c) { return c > 10 ? c - 10 : 0; }

// Built at the first fade.
static PixelPass fadePass;

void fadePage()
{
    if (!fadePass.built)
        buildPixelPass(&fadePass, darker);
    runPixelPass(&fadePass, buffer);
}

static void drawBanner()
{
    if (player->won == 1 && player2->won == 0) {
        putPicture(green_text, greenwinsx, 310);
        putPicture(wins_text, winsx, 406);
    } else if (player2->won == 1 && player->won == 0) {
        putPicture(purple_text, purplewinsx, 310);
        putPicture(wins_text, winsx, 406);
    } else if (player->won == 1 && player2->won == 1) {
        putPicture(draw_text, 614, 406);
    }
}

// Largest total the five digit pictures can show.
enum { TOTAL_SHOWN_MAX = 99999 };

// A side of the figures: where its labels and digits sit relative to its corner.
struct FigureSide {
    int *x, *y;
    int labelDx;
    int totalDx[5];   // ten-thousands (only for totals of 10000 and more) .. units
    Fighter **fighter;
    int *total;
};
static const FigureSide figureSides[2] = {
    {&greenfragsx, &greenfragsy, 3, {-76, 0, 70, 140, 210}, &player, &player1Total},
    {&purplefragsx, &purplefragsy, 28, {-253, -183, -113, -43, 28}, &player2, &player2Total}};

static void drawFigures(const FigureSide &s)
{
    const int x = *s.x, y = *s.y;
    const Fighter *f = *s.fighter;
    putPicture(fragtext, x + s.labelDx, y);
    const int frags[3] = {f->fragHundreds, f->fragTens, f->fragOnes};
    const int power[3] = {f->powerHundreds, f->powerTens, f->powerOnes};
    for (int i = 0; i < 3; i++) {
        putPicture(digitPicture(fragdigits, frags[i]), x + 30 * i, y + 16);
        putPicture(digitPicture(fragdigits, power[i]), x + 30 * i, y + 76);
    }
    putPicture(textPower, x + s.labelDx, y + 60);
    putPicture(textTotal, x + s.labelDx, y + 120);
    int t = *s.total < 0 ? 0 : *s.total > TOTAL_SHOWN_MAX ? TOTAL_SHOWN_MAX : *s.total;
    const int places[5] = {t / 10000, (t / 1000) % 10, (t % 1000) / 100, (t % 100) / 10, t % 10};
    for (int i = t >= 10000 ? 0 : 1; i < 5; i++)
        putPicture(digitPicture(retronums, places[i]), x + s.totalDx[i], y + 140);
}

static void drawFrames(int white)
{
    const int gx = greenfragsx, gy = greenfragsy, px = purplefragsx;
    for (int t = 0; t < 2; t++) {
        vline(buffer, gx - 6 - t, gy - 6, gy + 245, white);
        hline(buffer, gx - 6, gy - 6 - t, gx + 267, white);
        hline(buffer, gx - 6, gy + 245 + t, gx + 267, white);
        hline(buffer, 0, gy + 125 + t, gx - 6, white);
        vline(buffer, px + 94 + t, gy - 6, gy + 245, white);
        hline(buffer, px + 94, gy - 6 - t, px - 179, white);
        hline(buffer, px + 94, gy + 245 + t, px - 179, white);
        hline(buffer, 1600, gy + 125 + t, px + 94, white);
    }
}

static void drawBoutLine()
{
    static const char bouttext[] = "BOUT", oftext[] = "OF";
    for (int i = 0; i < 4; i++)
        putPicture(letter[bouttext[i] - 'A'], bouttextx + 18 * i, bouttexty);
    putPicture(digitPicture(letter + 26, GameLengthCurrent), bouttextx + 100, bouttexty);
    for (int i = 0; i < 2; i++)
        putPicture(letter[oftext[i] - 'A'], bouttextx + 140 + 18 * i, bouttexty);
    putPicture(digitPicture(letter + 26, GameLength), bouttextx + 200, bouttexty);
}

void drawtimer()
{
    const int hours = timerhours > 99 ? 99 : timerhours;
    const int parts[3] = {hours, timermins, timersecs};
    const int x[3] = {741, 786, 831};
    for (int i = 0; i < 3; i++) {
        const int v = parts[i];
        putPicture(digitPicture(letter + 26, v > 9 ? v / 10 : 0), x[i], 558);
        putPicture(digitPicture(letter + 26, v % 10), x[i] + 17, 558);
    }
    putPicture(specialkey[5], 740, 559);
    putPicture(specialkey[5], 785, 559);
}

void drawResultScreen()
{
    set_clip_rect(buffer, 0, 0, PLAYFIELD_W - 1, PLAYFIELD_H - 1);
    if (prebuffer != buffer)
        blit(prebuffer, buffer, 0, 0, 0, 0, PLAYFIELD_W, PLAYFIELD_H);
    if (resultcount <= RESULT_FADE_PIXELS) {
        fadePage();
        resultcount += PLAYFIELD_W * PLAYFIELD_H;
    }
    if (GameLengthCurrent == GameLength || previousMap == SCREEN_TUTORIAL)
        drawBanner();
    // The figures come with the fade's last frame and stay on black after it.
    if (resultcount <= RESULT_FADE_PIXELS) {
        stretchToScreen();
        return;
    }
    const int white = makecol(255, 255, 255);
    putPicture(textBacktoMenu, backtomenux, backtomenuy);
    for (const FigureSide &s : figureSides)
        drawFigures(s);
    drawFrames(white);
    if (previousMap == SCREEN_TUTORIAL)
        putPicture(scoreexp, 189, 711);
    if (GameLength != 1) {
        drawBoutLine();
        if (GameLengthCurrent < GameLength) {
            putPicture(textGo, textGox, textGoy);
            if (insidePicture(textGo, textGox, textGoy, mx, my) && TitleScreenPhase == 2 &&
                clicking == 0)
                lightButton(textGox, textGoy, goSeeds, 2);
        }
    }
    drawtimer();
    const int grey = makecol(60, 60, 60);
    for (int i = 0; i < 4 * TitleWobble - 4; i++)
        hline(buffer, 0, rand() % 1200, 1600, grey);
    showPageWithPointer();
}
