// The title screen and its pages driven headless: the reset, the logo, the menu slide,
// the strict hit rule and the debounce, the quick-bout and options widgets, the key set-up
// page, and the drawing of the pointer and the bound keys.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "arena/pickups.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/match.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/tutorial.h"
#include "frontend/credits.h"
#include "frontend/pause.h"
#include "frontend/premap.h"
#include "frontend/quit.h"
#include "frontend/screen.h"
#include "frontend/title.h"
#include "frontend_fixture.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "shell/render.h"
#include "shell/startup.h"

namespace {

class Title : public FrontEnd {};

TEST_F(Title, ResetPutsTheTitleBackAndKeepsTheSettings)
{
    quitting = 1;
    paused = 1;
    TitleScreenPhase = TITLE_PAGE_OPTIONS;
    GLarena3 = 7;
    playerTwoFrags = 4;
    GameLengthCurrent = 2;
    quickboutx = 310;
    titlePiece[0] = {10, 47, 10, 47, 6};
    titlerecty1 = 1200;
    p2cpu = 1;
    AIcomp = 3;
    p1left = 11;
    setupTitleScreen();

    struct Expect {
        const char *name;
        int got, want;
    } table[] = {
        {"quitting", quitting, 0}, {"paused", paused, 0}, {"page", TitleScreenPhase, 1},
        {"GLarena3", GLarena3, 0}, {"frags", playerTwoFrags, 0},
        {"bout", GameLengthCurrent, 0}, {"quickboutx", quickboutx, -200},
        {"quity", quity, 880}, {"piece 1 x", titlePiece[0].x, 136},
        {"piece 1 phase", titlePiece[0].phase, 1}, {"piece 6 y", titlePiece[5].originY, 15},
        {"curtain 1", titlerecty1, 0}, {"curtain 2", titlerecty2, 1200},
        {"releasey", releasey, 550}, {"ThickLiney", ThickLiney, 1190},
        {"back to menu y", backtomenuy, 1100}, {"thumb 28 x", mapThumbx[27], 1250},
        {"thumb 28 y", mapThumby[27], 840}, {"GL right arrow", textGLrightx,
                                             textgamelength->w + 755},
        {"titlemusic", titlemusic, 0}, {"playersActive", playersActive, 1},
        {"p2cpu kept", p2cpu, 1}, {"AIcomp kept", AIcomp, 3}, {"p1left kept", p1left, 11},
    };
    for (const Expect &e : table)
        EXPECT_EQ(e.got, e.want) << e.name;
    EXPECT_EQ(prebuffer->w, LOGO_W);
    EXPECT_EQ(prebuffer->h, LOGO_H);
}

// Each piece's walk: the step on which it arrives and where (legs 1 px a step; the leg
// after a finished one takes its first pixel in the same step).
TEST_F(Title, LogoPiecesWalkTheirLegsAndSettle)
{
    static const int ends[TITLE_PIECES][4] = {
        {229, 10, 47, 6}, {97, 146, 15, 5}, {50, 201, 22, 4},
        {112, 216, 15, 5}, {151, 261, 33, 8}, {188, 423, 40, 6},
    };
    int arrived[TITLE_PIECES] = {};
    for (int step = 1; step <= 229; step++) {
        updateGorblatTitle();
        if (step == 25) {
            EXPECT_TRUE(titlePiece[0].x == 111 && titlePiece[0].y == 39);
        }
        for (int i = 0; i < TITLE_PIECES; i++)
            if (!arrived[i] && titlePiece[i].phase == ends[i][3])
                arrived[i] = step;
    }
    for (int i = 0; i < TITLE_PIECES; i++) {
        EXPECT_EQ(arrived[i], ends[i][0]) << "piece " << i + 1;
        EXPECT_EQ(titlePiece[i].x, ends[i][1]) << "piece " << i + 1;
        EXPECT_EQ(titlePiece[i].y, ends[i][2]) << "piece " << i + 1;
    }
    EXPECT_EQ(titlerecty1, 1200);
    EXPECT_EQ(titlerecty2, 0);
    // The title stops stepping once piece 1 has settled.
    seconds = 3;
    tick(5);
    EXPECT_EQ(titlePiece[4].phase, 8);
    EXPECT_EQ(titlePiece[0].x, 10);
}

// Each piece leaves one square a frame: the canvas keeps their trails and nothing beside
// them (the bowl of the "b" stays empty).
TEST_F(Title, TheSettledLogoIsTheTrailsOfItsPieces)
{
    seconds = 2;
    tick(230);
    EXPECT_EQ(getpixel(prebuffer, 237, 22), pageBackground());
    for (const TitlePiece &p : titlePiece)
        EXPECT_EQ(getpixel(prebuffer, p.x + 3, p.y + 3), makecol(255, 255, 255));
}

TEST_F(Title, EachTickClearsWhatTheNextBoutMustStartWithout)
{
    tutorialWait = 1;
    tutWaitCount = 30;
    cube1spawn = cube1spawnR = 2;
    timersecs = 9;
    tick(1);
    for (int v : {tutorialWait, tutWaitCount, cube1spawn, cube1spawnR, timersecs})
        EXPECT_EQ(v, 0);
}

TEST_F(Title, MenuSlidesInAndAPagesLabelFallsAndClimbsBack)
{
    settleLogo();
    tick(60);
    EXPECT_EQ(releasey, 900);
    for (int x : {quickboutx, teamsx, optionsx, creditstextx, quitx})
        EXPECT_EQ(x, 310);
    TitleScreenPhase = TITLE_PAGE_QUICK_BOUT;
    tick(60);
    EXPECT_EQ(quickbouty, 1120);
    EXPECT_EQ(quitx, -200);
    EXPECT_EQ(optionsx, -200);
    TitleScreenPhase = TITLE_PAGE_MAIN;
    tick(40);
    EXPECT_EQ(quickbouty, 600);
    EXPECT_EQ(optionsx, 310);
}

TEST_F(Title, HitsAreStrictlyInsideAndTheDebounceCountsReleasedTicks)
{
    showMenu();
    // On the border: nothing.
    press(quickboutx, quickbouty + 5);
    EXPECT_EQ(TitleScreenPhase, TITLE_PAGE_MAIN);
    press(quickboutx + 5, quickbouty + textQB->h);
    EXPECT_EQ(TitleScreenPhase, TITLE_PAGE_MAIN);
    press(quickboutx + 1, quickbouty + 1);
    EXPECT_EQ(TitleScreenPhase, TITLE_PAGE_QUICK_BOUT);
    EXPECT_EQ(clickdelay, 20);

    // Holding the button keeps every debounced widget blocked.
    pointAt(backqbx + 5, backqby + 5);
    mouse_b = 1;
    tick(30);
    EXPECT_EQ(TitleScreenPhase, TITLE_PAGE_QUICK_BOUT);
    mouse_b = 0;
    tick(19);
    press(backqbx + 5, backqby + 5);
    EXPECT_EQ(TitleScreenPhase, TITLE_PAGE_QUICK_BOUT) << "only 19 released ticks";
    tick(1);
    press(backqbx + 5, backqby + 5);
    EXPECT_EQ(TitleScreenPhase, TITLE_PAGE_MAIN);

    // QUIT alone ignores a pending debounce.
    ASSERT_EQ(clicking, 1);
    press(quitx + 5, quity + 5);
    EXPECT_EQ(quitting, 1);
}

// A click let go between two ticks counts as one held tick; a press seen held, not again.
TEST_F(Title, AClickBetweenTwoTicksCountsAsOneHeldTick)
{
    showMenu();
    pointAt(optionsx + 5, optionsy + 5);
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    mouse_callback(MOUSE_FLAG_LEFT_UP);
    tick(2);   // the title reads the button the tick after the poll
    EXPECT_EQ(TitleScreenPhase, TITLE_PAGE_OPTIONS);
    tick(1);
    EXPECT_EQ(mbL, 0);
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    mouse_b = 1;
    tick(1);
    mouse_b = 0;
    tick(1);
    EXPECT_EQ(mbL, 0);
}

TEST_F(Title, ThumbnailsStartTheTutorialLondonAndHellAndTheRestDoNothing)
{
    TitleScreenPhase = TITLE_PAGE_QUICK_BOUT;
    for (int slot = 3; slot < THUMB_SLOTS; slot++) {
        press(mapThumbx[slot] + 20, mapThumby[slot] + 20);
        ASSERT_EQ(map, SCREEN_TITLE) << "slot " << slot + 1;
        ASSERT_EQ(TitleScreenPhase, TITLE_PAGE_QUICK_BOUT) << "slot " << slot + 1;
    }
    struct Destination {
        int slot, map, arena;
    } destinations[] = {
        {1, SCREEN_PREMAP, ARENA_LONDON}, {2, SCREEN_PREMAP, ARENA_HELL},
        {0, SCREEN_TUTORIAL, 0},
    };
    for (const Destination &d : destinations) {
        map = SCREEN_TITLE;
        setupTitleScreen();
        TitleScreenPhase = TITLE_PAGE_QUICK_BOUT;
        nextMap = 0;
        press(mapThumbx[d.slot] + 20, mapThumby[d.slot] + 20);
        EXPECT_EQ(map, d.map) << "slot " << d.slot + 1;
        if (d.arena) {
            EXPECT_EQ(nextMap, d.arena) << "slot " << d.slot + 1;
        }
    }
}

TEST_F(Title, PlayerTwoAndLevelTogglesOfferLevelsOneAndTwoOnly)
{
    TitleScreenPhase = TITLE_PAGE_QUICK_BOUT;
    p2cpu = 0;
    AIcomp = 1;
    int left = textAIleftx + 5, right = textAIrightx + 5, row = textAICompy + 5;
    struct Step {
        int x, y, p2cpu, AIcomp;
    } steps[] = {
        {textplayer2x + 50, textplayer2y + 5, 1, 1}, {right, row, 1, 2}, {right, row, 1, 2},
        {left, row, 1, 1}, {left, row, 1, 1}, {textplayer2x + 50, textplayer2y + 5, 0, 1},
    };
    for (const Step &s : steps) {
        pressAndRelease(s.x, s.y);
        EXPECT_EQ(p2cpu, s.p2cpu);
        EXPECT_EQ(AIcomp, s.AIcomp);
    }
    EXPECT_EQ(textplayer2x, 700);
    // A level 3 from the settings file stays until the left arrow lowers it.
    AIcomp = 3;
    pressAndRelease(right, row);
    EXPECT_EQ(AIcomp, 3);
    pressAndRelease(left, row);
    EXPECT_EQ(AIcomp, 2);
    // The game-length arrow clicks, but a match from here has one bout.
    press(textGLleftx + 5, textgamelengthy + 5);
    EXPECT_EQ(clickdelay, 10);
    EXPECT_EQ(GameLength, 1);
}

// Each team-name box opens the team page, with the TEAMS label at the foot, only while a
// team is chosen for its side.
TEST_F(Title, ATeamNameBoxOpensTheTeamPageOnlyForAChosenTeam)
{
    const int rows[][4] = {   // green chosen, purple chosen, box, page afterwards
        {0, 0, GREEN_TEAM_BOX_X, 2}, {0, 1, GREEN_TEAM_BOX_X, 2},
        {1, 0, GREEN_TEAM_BOX_X, 4}, {0, 1, PURPLE_TEAM_BOX_X, 4},
    };
    for (const auto &r : rows) {
        TitleScreenPhase = TITLE_PAGE_QUICK_BOUT;
        GreenActive = r[0];
        PurpleActive = r[1];
        clicking = 0;
        press(r[2] + TEAM_BOX_W - 1, TEAM_BOX_Y + TEAM_BOX_H - 1);
        EXPECT_EQ(TitleScreenPhase, r[3]) << r[0] << r[1] << " at " << r[2];
    }
    EXPECT_TRUE(teamsx == 310 && teamsy == 1100 && clickdelay == 10);
    GreenActive = PurpleActive = 0;
}

int clickSounds = 0;
void countClicks(const SampleCall &c) { clickSounds += c.slot == SND_CLICK && !c.stopped; }

// Each click on the label, with its sound and debounce, leads to the next mode the desktop
// can show; a mode the label does not list leaves it silent.
TEST_F(Title, ResolutionStepsThroughThreeModesAndFallsBackTo800x600)
{
    static int refuse = 0, deskW = 0, deskH = 0;   // a desktop of 0x0 is one not known
    setGfxModeHook = [](int, int w, int) { return w == refuse ? -1 : 0; };
    desktopSizeHook = [](int *w, int *h) {
        *w = deskW;
        *h = deskH;
        return deskW ? 0 : -1;
    };
    sampleCallHook = countClicks;
    TitleScreenPhase = TITLE_PAGE_OPTIONS;
    struct Step {
        int refuse, deskW, deskH, from, fromY, resx, resy, label, clicks;
    } steps[] = {
        {0, 0, 0, 1600, 1200, 800, 600, 728, 1}, {0, 0, 0, 800, 600, 1280, 1024, 707, 1},
        {0, 0, 0, 1280, 1024, 1600, 1200, 725, 1}, {1280, 0, 0, 800, 600, 800, 600, 707, 1},
        // A mode from a hand-edited file.
        {0, 0, 0, 1024, 768, 1024, 768, 707, 0},
        // Modes larger than the desktop are passed over.
        {0, 1366, 768, 800, 600, 800, 600, 728, 1}, {0, 1280, 1024, 1280, 1024, 800, 600, 728, 1},
        {0, 1280, 1024, 800, 600, 1280, 1024, 707, 1},
    };
    for (const Step &s : steps) {
        refuse = s.refuse;
        deskW = s.deskW;
        deskH = s.deskH;
        resx = s.from;
        resy = s.fromY;
        clickSounds = clicking = 0;
        press(textdetailx + 5, textdetaily + 5);
        EXPECT_EQ(resx, s.resx) << "from " << s.from;
        EXPECT_EQ(resy, s.resy) << "from " << s.from;
        EXPECT_EQ(textdetailx, s.label) << "from " << s.from;
        EXPECT_TRUE(clickSounds == s.clicks && clicking == s.clicks) << "from " << s.from;
    }
    sampleCallHook = NULL;
    refuse = 0;
    p2cpu = 1;
    musicOn = 0;
    p1fire = 7;
    deskW = 1024;
    deskH = 768;
    restoreDefaults();
    EXPECT_TRUE(resx == 800 && resy == 600 && textdetailx == 728) << resx;
    deskW = 0;
    restoreDefaults();
    setGfxModeHook = NULL;
    desktopSizeHook = NULL;
    EXPECT_EQ(resx, 1280);
    EXPECT_EQ(textdetailx, 734);
    EXPECT_EQ(musicOn, 1);
    EXPECT_EQ(p1fire, 75);
    EXPECT_EQ(p2bomb, 83);
    EXPECT_EQ(p2cpu, 1);
}

// After a reset the pointer reads back at (800, 500) on every display size, so it stays
// out of sight until it leaves row 500.
TEST_F(Title, AfterAResetThePointerWaitsUnseenOnRow500AtEveryDisplaySize)
{
    const int sizes[][2] = {{800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}};
    for (const auto &s : sizes) {
        switchDisplayMode(s[0], s[1]);
        setupTitleScreen();
        pointAt(placedMouseX, placedMouseY);
        tick(1);
        EXPECT_TRUE(mx == 800 && my == 500) << s[0] << "x" << s[1] << ": " << mx << "," << my;
        EXPECT_FALSE(sameAsSprite(pointer, mx, my)) << s[0] << "x" << s[1];
    }
    switchDisplayMode(PLAYFIELD_W, PLAYFIELD_H);
}

TEST_F(Title, MusicLabelToggles)
{
    TitleScreenPhase = TITLE_PAGE_OPTIONS;
    musicOn = 1;
    pressAndRelease(textmusicx + 5, textmusicy + 5);
    EXPECT_EQ(musicOn, 0);
    pressAndRelease(textmusicx + 5, textmusicy + 5);
    EXPECT_EQ(musicOn, 1);
}

void pressK() { key[KEY_K] = 1; }
void pressEscape() { key[KEY_ESC] = 1; }
void releaseEscape() { key[KEY_ESC] = 0; }

TEST_F(Title, ARowArmedByAClickCapturesTheNextKeyOrPadButton)
{
    TitleScreenPhase = TITLE_PAGE_OPTIONS;
    int x, y, end;
    bindingRow(BIND_P2_UP, &x, &y, &end);
    press(x + 1, y + 1);
    EXPECT_EQ(p2upactive, 1);
    void (*saved)() = keyCaptureWait;
    keyCaptureWait = pressK;
    tick(1);
    keyCaptureWait = saved;
    key[KEY_K] = 0;
    EXPECT_EQ(p2up, 11);
    EXPECT_EQ(p2upactive, 0);

    // Pad fire of player 1: buttons 2 and 5 together, the higher wins.
    bindingRow(BIND_P1_PAD_FIRE, &x, &y, &end);
    pressAndRelease(end - 1, y + KEY_ROW_H - 1);
    EXPECT_EQ(p1padfireactive, 1);
    joy[0].button[2].b = joy[0].button[5].b = 1;
    tick(1);
    EXPECT_EQ(p1padfire, 5);
    EXPECT_EQ(p1padfireactive, 0);
    joy[0].button[2].b = joy[0].button[5].b = 0;

    // Escape on the options page disarms a waiting pad slot and opens no prompt.
    bindingRow(BIND_P2_PAD_BOMB, &x, &y, &end);
    pressAndRelease(x + 100, y + 5);
    EXPECT_EQ(p2padbombactive, 1);
    key[KEY_ESC] = 1;
    tick(1);
    key[KEY_ESC] = 0;
    EXPECT_EQ(p2padbombactive, 0);
    EXPECT_EQ(p2padbomb, 0);
    EXPECT_EQ(quitting, 0);

    // Escape going down during a key row's wait, or coming up during it, keeps the row's key;
    // held, it opens no prompt and lets no row be armed.
    bindingRow(BIND_P1_ACTION, &x, &y, &end);
    p1action = 8;
    for (void (*change)() : {pressEscape, releaseEscape}) {
        press(x + 1, y + 1);
        key[KEY_ESC] = change == releaseEscape;
        keyCaptureWait = change;
        tick(1);
        keyCaptureWait = saved;
        key[KEY_ESC] = 1;
        press(x + 1, y + 1);
        EXPECT_TRUE(p1action == 8 && p1actionactive == 0 && quitting == 0) << p1action;
        key[KEY_ESC] = 0;
    }

    // The new codes are what the settings file keeps.
    std::string text = savedSettings();
    EXPECT_NE(text.find("p2up = 11\n"), std::string::npos) << text;
    EXPECT_NE(text.find("p1padfire = 5\n"), std::string::npos) << text;
}

TEST_F(Title, ThePageShowsTheBoundKeysAndThePointerItself)
{
    settleLogo();
    TitleScreenPhase = TITLE_PAGE_OPTIONS;
    quickboutx = -200;
    optionsy = 1100;
    TitleWobble = 1;
    mouse_z = 1;
    p1left = 11;       // K
    p2padfire = 12;    // no such button: nothing is drawn for it
    pointAt(1500, 900);
    tick(1);
    EXPECT_TRUE(sameAsSprite(letter[10], p1leftx, p1lefty));
    EXPECT_TRUE(sameAsSprite(pointer, 1500, 900));
}

}  // namespace
