// The pause toggle and the overlay drawn over the frozen picture.
#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

#include "core/fighter.h"
#include "matchflow_env.h"
#include "core/assets.h"
#include "core/clock.h"
#include "frontend/comic.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "core/match.h"
#include "frontend/pause.h"
#include "frontend/premap.h"
#include "shell/startup.h"

namespace {

class PauseTest : public MatchFlowTest {
protected:
    void SetUp() override
    {
        MatchFlowTest::SetUp();
        if (IsSkipped())
            return;
        setupPreMap(ARENA_LONDON);
        key[KEY_SPACE] = 1;
        harnessTick();
        key[KEY_SPACE] = 0;
        ASSERT_EQ(map, ARENA_LONDON);
        harnessTicks(3);
    }
    void TearDown() override
    {
        paused = pausedelay = 0;
        pausebutton = pausebutton2 = 0;
        MatchFlowTest::TearDown();
    }
};

TEST_F(PauseTest, PauseWorksOnEveryScreenButTheTitleTheResultAndTheCreditsAndRepeatsWhenHeld)
{
    const struct {
        int screen, pauses;
    } cases[] = {{ARENA_LONDON, 1}, {SCREEN_PREMAP, 1}, {SCREEN_END_SPLASH, 1},
                 {SCREEN_TITLE, 0}, {SCREEN_RESULT, 0}, {SCREEN_CREDITS, 0}};
    for (int *button : {&pausebutton, &pausebutton2})
        for (auto c : cases) {
            paused = pausedelay = 0;
            map = c.screen;
            *button = 1;
            gameState();
            *button = 0;
            EXPECT_EQ(paused, c.pauses) << "screen " << c.screen;
        }
    map = ARENA_LONDON;

    // Held, it toggles after ten ticks and pauses again after eleven.
    paused = pausedelay = 0;
    std::vector<int> toggles;
    pausebutton = 1;
    for (int call = 0; call < 40; call++) {
        const int was = paused;
        gameState();
        if (paused != was)
            toggles.push_back(call);
    }
    EXPECT_EQ(toggles, (std::vector<int>{0, 10, 21, 31}));
}

TEST_F(PauseTest, ResumingDropsTheTicksThatFellDueWhilePaused)
{
    paused = 1;
    key[KEY_P] = 1;
    secondscount = 0;
    speed_counter = 5;
    runDueTicks();
    EXPECT_EQ(paused, 0);
    EXPECT_EQ(secondscount, 1);   // one tick ran, not five
    EXPECT_LE(speed_counter.load(), 0);
}

// The tint settles where every channel is at or below its threshold for the standing (the
// 16-bit pixel keeps five or six bits of each, so the last step lands a little under it).
TEST_F(PauseTest, TheTintSettlesTowardTheLeadingTeam)
{
    const struct {
        int p1, p2;
        int rLo, rHi, gLo, gHi, bLo, bHi;
    } cases[] = {{100, 100, 100, 110, 85, 100, 80, 90},
                 {150, 100, 50, 60, 255, 255, 50, 60},
                 {100, 150, 120, 130, 0, 0, 255, 255}};
    for (auto c : cases) {
        player->power = c.p1;
        player2->power = c.p2;
        rectfill(buffer, 0, 0, PLAYFIELD_W - 1, PLAYFIELD_H - 1, makecol(255, 255, 255));
        paused = 1;
        pausedelay = 0;
        for (int i = 0; i < 40; i++)
            gameState();
        int r, g, b;
        pixelAt(5, 700, &r, &g, &b);   // a row the overlay leaves alone
        EXPECT_TRUE(r >= c.rLo && r <= c.rHi) << r;
        EXPECT_TRUE(g >= c.gLo && g <= c.gHi) << g;
        EXPECT_TRUE(b >= c.bLo && b <= c.bHi) << b;
    }
}

// The tint skips rows it has already settled only while the picture under it stays frozen.
TEST_F(PauseTest, EveryNewPictureUnderThePauseIsTinted)
{
    const int white = makecol(255, 255, 255);
    paused = 1;
    for (int i = 0; i < 40; i++)
        gameState();
    // Resumed and played on: a new frame; paused again, it is tinted from its first tick.
    paused = 0;
    pausedelay = 1;
    gameState();
    rectfill(buffer, 0, 0, PLAYFIELD_W - 1, PLAYFIELD_H - 1, white);
    paused = 1;
    gameState();
    int r, g, b;
    pixelAt(5, 700, &r, &g, &b);   // a row the overlay leaves alone
    EXPECT_LT(r, 255);

    // On the pre-screen the page is redrawn under the pause: the panels sliding in are
    // tinted although their rows held only the settled background before.
    paused = 0;
    setupPreMap(ARENA_SMOG_CITY);
    paused = 1;
    harnessTicks(30);
    pixelAt(manga[0]->x + 10, manga[0]->y + 20, &r, &g, &b);
    EXPECT_NE(makecol(r, g, b), makecol(113, 138, 106));
}

TEST_F(PauseTest, TheOverlayShowsTheStandingsAndItsButtonLeadsToTheTitle)
{
    player->frags = 12;
    player->cubesCarried = 2;
    player->x = 300, player->y = 1000;     // a label up and right
    player2->x = 1300, player2->y = 200;   // one down and left
    for (Fighter *f : {player, player2}) {
        f->alive = 1;   // in play, so not put back into the booth
        f->respawning = 0;
        f->health = 12;
    }
    harnessTick();
    player->hasSpawned = 0;
    paused = 1;
    gameState();
    EXPECT_TRUE(shownAt(greentext_image, player->x + 200 - 30, player->y - 200 - 24));
    EXPECT_TRUE(shownAt(purpletext_image, player2->x - 200 - 30, player2->y + 200 + 10));
    EXPECT_TRUE(shownAt(paused_image, 518, 500));
    EXPECT_TRUE(shownAt(retronums[1], 620, 30));
    EXPECT_TRUE(shownAt(retronums[2], 690, 30));
    EXPECT_TRUE(shownAt(textBacktoMenu, backtomenux, backtomenuy));
    // Before fighter 1's first spawn the booth shows no power digits.
    const int bx = (int)booth->x, by = (int)booth->y;
    EXPECT_FALSE(shownAt(digits[player->powerOnes], bx + 55, by + 22));
    player->hasSpawned = 1;
    for (int i = 0; i < 20; i++)
        gameState();
    EXPECT_TRUE(shownAt(digits[player->powerOnes], bx + 55, by + 22));

    pointInto(textBacktoMenu, backtomenux, backtomenuy);
    mouse_b = 1;
    gameState();
    EXPECT_EQ(map, SCREEN_TITLE);
    EXPECT_EQ(paused, 0);
}

}  // namespace
