// The quit prompt, the end splash and the credits screen driven headless.
#include <allegro.h>
#include <gtest/gtest.h>

#include "frontend/credits.h"
#include "frontend/quit.h"
#include "frontend/screen.h"
#include "frontend/splash.h"
#include "frontend/title.h"
#include "frontend_fixture.h"
#include "core/assets.h"
#include "core/clock.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "core/match.h"
#include "core/music.h"
#include "frontend/pause.h"
#include "shell/startup.h"

namespace {

class Screens : public FrontEnd {};

TEST_F(Screens, QuitPromptNResumesWithDueTicksDroppedAndYOpensTheEndSplash)
{
    map = SCREEN_CREDITS;
    quitting = 1;
    paused = 1;
    music = 1;
    speed_counter = 7;
    key[KEY_N] = 1;
    quitoption();
    key[KEY_N] = 0;
    EXPECT_EQ(quitting, 0);
    EXPECT_EQ(speed_counter.load(), 0);
    EXPECT_EQ(music, 0);
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(map, SCREEN_CREDITS);

    // The glyphs answer a held button on the first tick they see it, no debounce.
    struct Answer {
        int x, y, quitting, map;
    } answers[] = {
        {QUIT_NO_X + 7, QUIT_CHOICE_Y + 7, 0, SCREEN_CREDITS},
        {QUIT_NO_X, QUIT_CHOICE_Y + 7, 1, SCREEN_CREDITS},   // on the border
        {QUIT_YES_X + 7, QUIT_CHOICE_Y + 7, 0, SCREEN_END_SPLASH},
    };
    for (const Answer &a : answers) {
        map = SCREEN_CREDITS;
        quitting = 1;
        clicking = 1;
        pointAt(a.x, a.y);
        mouse_b = 1;
        quitoption();
        mouse_b = 0;
        EXPECT_EQ(quitting, a.quitting) << a.x;
        EXPECT_EQ(map, a.map) << a.x;
    }
    EXPECT_EQ(clickdelay, 60);
}

TEST_F(Screens, BackToMenuIsOfferedEverywhereButOverTheTitle)
{
    int x = QUIT_MENU_X + 10, y = QUIT_MENU_Y + 5;
    quitting = 1;
    pointAt(x, y);
    mouse_b = 1;
    tick(1);   // over the title: nothing
    EXPECT_EQ(quitting, 1);
    map = ARENA_HELL;
    TitleScreenPhase = TITLE_PAGE_OPTIONS;
    tick(1);
    mouse_b = 0;
    EXPECT_EQ(quitting, 0);
    EXPECT_EQ(map, SCREEN_TITLE);
    EXPECT_EQ(TitleScreenPhase, TITLE_PAGE_MAIN);
}

TEST_F(Screens, ThePromptDarkensThePageStepByStepToBlack)
{
    clear_to_color(buffer, makecol(255, 255, 255));
    int before = 255;
    for (int i = 0; i < 20; i++) {
        darkenPage();
        int c = getpixel(buffer, 5, 5);
        ASSERT_LT(getr(c), before);
        ASSERT_GE(getr(c), before - 17);
        ASSERT_EQ(getr(c), getb(c));
        before = getr(c);
    }
    for (int i = 0; i < 20; i++)
        darkenPage();
    EXPECT_EQ(getpixel(buffer, 1599, 1199), makecol(0, 0, 0));
}

TEST_F(Screens, EndSplashEndsOnKeysFireAndAClickAfterItsDelay)
{
    int *fires[] = {&fire1, &fire2};
    for (int k : {(int)KEY_ESC, (int)KEY_SPACE, (int)KEY_ENTER, -1, -2}) {
        gameover = 0;
        setupEndSplash();
        if (k >= 0)
            key[k] = 1;
        else
            *fires[-k - 1] = 1;
        updateEndSplash();
        EXPECT_EQ(gameover, 1) << k;
        EXPECT_EQ(quitting, 2) << k;
        EXPECT_EQ(speed_counter.load(), 1) << k;
        harnessReleaseInput();
        fire1 = fire2 = 0;
    }
    gameover = 0;
    setupEndSplash();
    // The button still down from the prompt's Y holds the delay.
    mouse_b = 1;
    for (int i = 0; i < 100; i++)
        updateEndSplash();
    mouse_b = 0;
    for (int i = 0; i < 59; i++)
        updateEndSplash();
    mouse_b = 1;
    updateEndSplash();
    EXPECT_EQ(gameover, 0) << "59 released ticks are not yet enough";
    mouse_b = 0;
    updateEndSplash();
    mouse_b = 1;
    updateEndSplash();
    mouse_b = 0;
    EXPECT_EQ(gameover, 1);
    // So does a click let go between two ticks.
    gameover = 0;
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    mouse_callback(MOUSE_FLAG_LEFT_UP);
    pollMouse();
    updateEndSplash();
    EXPECT_EQ(gameover, 1);
    gameover = 0;
}

TEST_F(Screens, CreditsOpenFromTheMenuAndGoBackToAFreshTitle)
{
    showMenu();
    titlerecty1 = 600;   // clicked before the curtains finished
    pressAndRelease(creditstextx + 5, creditstexty + 5);
    ASSERT_EQ(map, SCREEN_CREDITS);
    pointAt(1590, 5);
    tick(1);
    EXPECT_TRUE(sameAsSprite(credits_image, CREDITS_X, CREDITS_Y));
    EXPECT_EQ(getpixel(buffer, 120, 599), curtainColour());
    EXPECT_EQ(getpixel(buffer, 120, 700), pageBackground());
    press(CREDITS_MENU_X + 10, CREDITS_MENU_Y + 5);
    EXPECT_EQ(map, SCREEN_TITLE);
    EXPECT_EQ(quickboutx, -200);
    EXPECT_EQ(backtomenux, 100);
}

}  // namespace
