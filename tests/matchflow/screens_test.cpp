// The pre-screen and its comic panels, the result screen's figures, and the unlock store.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <set>

#include "core/fighter.h"
#include "frontend/title.h"
#include "matchflow_env.h"
#include "core/assets.h"
#include "core/clock.h"
#include "frontend/comic.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "core/match.h"
#include "core/music.h"
#include "frontend/premap.h"
#include "frontend/result.h"
#include "core/settings.h"
#include "core/unlocks.h"

namespace {

using PreScreenTest = MatchFlowTest;

TEST_F(PreScreenTest, OnlyHellAndLondonStartABoutFromSpaceOrNext)
{
    const struct {
        int arena, byButton, startsAs;
    } cases[] = {{ARENA_LONDON, 0, ARENA_LONDON},
                 {ARENA_HELL, 1, ARENA_HELL},
                 {ARENA_SMOG_CITY, 0, SCREEN_PREMAP},
                 {ARENA_ONE_UP, 1, SCREEN_PREMAP}};
    for (auto c : cases) {
        setupPreMap(c.arena);
        // Held from the very first frame, before any track is loaded.
        if (c.byButton) {
            pointInto(textQB, nextx, nexty);
            mouse_b = 1;
        } else {
            key[KEY_SPACE] = 1;
        }
        harnessTick();
        harnessReleaseInput();
        EXPECT_EQ(map, c.startsAs) << "arena " << c.arena;
        EXPECT_EQ(playersActive, c.startsAs == SCREEN_PREMAP ? 0 : 1);
        if (c.startsAs != SCREEN_PREMAP) {
            EXPECT_EQ(musicLoaded, 0);
            EXPECT_EQ(voice, -1);
            harnessTicks(2);   // the game frame's music start finds no voice to start
        }
    }
}

// The comic pictures are drawn from run-length copies: those put the very pixels the
// pictures themselves put, as the panels slide in from off the page and the pictures pan.
TEST_F(PreScreenTest, TheComicPicturesRunLengthCopiesPutThePicturesOwnPixels)
{
    BITMAP *fromPictures = create_bitmap(PLAYFIELD_W, PLAYFIELD_H);
    setupPreMap(ARENA_LONDON);
    int wrong = 0, frames = 0;
    for (int tick = 0; tick < 45; tick++) {
        harnessTick();
        const int panX = mangaOneX, panSpeed = mangaOneSpeed;
        for (int runs = 0; runs < 2; runs++) {
            makeMangaRuns(runs);
            mangaOneX = panX;
            mangaOneSpeed = panSpeed;
            clear_to_color(buffer, makecol(30, 20, 33));
            drawManga();
            if (!runs)
                blit(buffer, fromPictures, 0, 0, 0, 0, PLAYFIELD_W, PLAYFIELD_H);
        }
        for (int r = 0; r < PLAYFIELD_H; r++)
            wrong += memcmp(buffer->line[r], fromPictures->line[r], PLAYFIELD_W * 2) != 0;
        frames++;
    }
    EXPECT_EQ(frames, 45);
    EXPECT_EQ(wrong, 0) << "rows that differ";
    destroy_bitmap(fromPictures);
}

// Each pre-screen frame covers the whole page: nothing of what the page held before shows
// through, however far the panels have come (rows the panels paint over are not cleared
// first, the strips they paint twice are painted once before the pictures).
TEST_F(PreScreenTest, EveryFrameCoversWhatThePageHeldBefore)
{
    BITMAP *first = create_bitmap(PLAYFIELD_W, PLAYFIELD_H);
    setupPreMap(ARENA_THEATRE);
    int wrong = 0;
    for (int tick = 0; tick < 50; tick++) {
        harnessTick();
        const int panX = mangaOneX, panSpeed = mangaOneSpeed;
        for (int noise = 0; noise < 2; noise++) {
            for (int y = 0; y < PLAYFIELD_H; y++)
                for (int x = 0; x < PLAYFIELD_W; x++)
                    ((uint16_t *)buffer->line[y])[x] = (uint16_t)(noise ? x * 7 + y : x ^ y * 3);
            mangaOneX = panX;
            mangaOneSpeed = panSpeed;
            srand(tick);
            drawPreMap();
            if (!noise)
                blit(buffer, first, 0, 0, 0, 0, PLAYFIELD_W, PLAYFIELD_H);
        }
        for (int r = 0; r < PLAYFIELD_H; r++)
            wrong += memcmp(buffer->line[r], first->line[r], PLAYFIELD_W * 2) != 0;
    }
    EXPECT_EQ(wrong, 0) << "rows that show what was there before";
    destroy_bitmap(first);
}

TEST_F(PreScreenTest, TheInformationButtonSendsThePanelsOutAndBackOncePerClick)
{
    setupPreMap(ARENA_LONDON);
    harnessTicks(40);
    EXPECT_EQ(manga[0]->x, 300);
    EXPECT_EQ(manga[1]->x, 900);
    EXPECT_EQ(mangaOneX, 210);   // the pictures panned 20 + 19 + ... + 1
    EXPECT_TRUE(shownAt(letter['C' - 'A'], 800 - 9 * 18, maptitley));
    EXPECT_TRUE(shownAt(textQB, nextx, nexty));
    int r, g, b;
    pixelAt(manga[0]->x - 50, manga[0]->y + 300, &r, &g, &b);   // the green page
    EXPECT_EQ(makecol(r, g, b), makecol(115, 154, 107));

    pointInto(info_image, infox, infoy);
    harnessTick();
    mouse_b = 1;
    harnessTicks(30);   // held: one toggle only
    EXPECT_EQ(overinfo, 1);
    EXPECT_EQ(manga[0]->x, -780);
    EXPECT_EQ(manga[1]->x, 1980);
    EXPECT_TRUE(shownAt(premap_image[0], 200, 303));

    mouse_b = 0;
    harnessTicks(10);   // the debounce runs down only while the button is up
    mouse_b = 1;
    harnessTicks(2);
    EXPECT_EQ(overinfo, 1);
    mouse_b = 0;
    harnessTicks(25);
    mouse_b = 1;
    harnessTicks(2);
    mouse_b = 0;
    EXPECT_EQ(overinfo, 0);
    harnessTicks(18);
    EXPECT_EQ(manga[0]->x, 300);
    EXPECT_EQ(manga[1]->x, 900);
}

// The title's reset releases the bout's track but leaves `musicLoaded` as it was: a
// track that was played (music on) is replaced on the title's first tick; one never
// played (music off) still counts as loaded, so the title decodes nothing.
TEST_F(PreScreenTest, TheTitleDecodesATrackOnlyAfterABoutThatPlayedOne)
{
    const int keptMusicOn = musicOn;
    for (int on : {1, 0}) {
        SCOPED_TRACE(on ? "music on" : "music off");
        musicOn = on;
        music = 0;   // as the title or the result screen leaves it
        setupPreMap(ARENA_LONDON);
        harnessTick();
        key[KEY_SPACE] = 1;
        harnessTicks(3);   // the bout starts, then its game frames
        harnessReleaseInput();
        ASSERT_TRUE(map == ARENA_LONDON && sample);
        setupTitleScreen();
        map = SCREEN_TITLE;
        EXPECT_TRUE(sample == nullptr && voice == -1);
        EXPECT_EQ(musicLoaded, !on);
        harnessTick();
        EXPECT_EQ(sample != nullptr, on);
    }
    musicOn = keptMusicOn;
}

using ResultTest = MatchFlowTest;

TEST_F(ResultTest, TotalsDecideTheWinnerAcrossTheBoutsOfAMatch)
{
    playerOnePower = playerTwoPower = playerOneFrags = playerTwoFrags = 0;
    GreenDrew = PurpleDrew = 0;
    // A draw (both count as winners), then a second bout whose totals carry the first's.
    const struct {
        int arena, power1, frags1, power2, frags2, total1, total2, won1, won2;
    } bouts[] = {{ARENA_HELL, 200, 1, 165, 2, 235, 235, 1, 1},
                 {ARENA_LONDON, 10, 0, 0, 0, 245, 235, 1, 0}};
    for (auto b : bouts) {
        map = b.arena;
        player->power = b.power1, player->frags = b.frags1;
        player2->power = b.power2, player2->frags = b.frags2;
        setupResultScreen(b.arena);
        EXPECT_TRUE(player1Total == b.total1 && player2Total == b.total2)
            << player1Total << " to " << player2Total;
        EXPECT_TRUE(player->won == b.won1 && player2->won == b.won2) << b.arena;
    }
    EXPECT_TRUE(GreenDrew == 1 && PurpleDrew == 1);
}

TEST_F(ResultTest, RatingsFollowWinsFragsAndAverageScore)
{
    const struct {
        int played, won, frags, deaths, avScore, rating;
    } cases[] = {{1, 1, 3, 1, 350, 79},      // 50 + 1 + 10 + 18
                 {5, 4, 0, 0, 0, 44},        // 40 stays 40
                 {6, 5, 0, 0, 0, 55},        // 41 is raised to 50
                 {9, 0, 9, 0, 900, 0},       // no win, no rating
                 {40, 40, 9, 1, 5000, 100}}; // every part at its cap
    for (auto c : cases)
        EXPECT_EQ(teamRating(c.played, c.won, c.frags, c.deaths, c.avScore), c.rating)
            << c.played << " played, " << c.won << " won";
}

TEST_F(ResultTest, TheFiguresShowAfterTheFadeWithTotalsOfFiveDigits)
{
    playerOnePower = 12345 - 35, playerOneFrags = 0;
    playerTwoPower = 0, playerTwoFrags = 0;
    map = ARENA_HELL;
    player->power = 0, player->frags = 1;
    player2->power = 987, player2->frags = 0;
    GameLength = 1;
    GameLengthCurrent = 1;
    timerhours = 1, timermins = 23, timersecs = 45;
    setupResultScreen(ARENA_HELL);
    harnessTicks(41);
    EXPECT_FALSE(shownAt(textBacktoMenu, backtomenux, backtomenuy));   // still fading
    harnessTicks(2);
    // Each frame ends on black once shown: draw the last one again, without scan lines.
    TitleWobble = 1;
    drawResultScreen();
    EXPECT_TRUE(shownAt(textBacktoMenu, backtomenux, backtomenuy));
    EXPECT_TRUE(shownAt(wins_text, winsx, 406));
    EXPECT_FALSE(shownAt(purple_text, purplewinsx, 310));
    const int gx = greenfragsx, gy = greenfragsy, px = purplefragsx;
    const int green[5][2] = {{1, -76}, {2, 0}, {3, 70}, {4, 140}, {5, 210}};
    for (auto d : green)
        EXPECT_TRUE(shownAt(retronums[d[0]], gx + d[1], gy + 140)) << "digit " << d[0];
    const int purple[4][2] = {{0, -183}, {9, -113}, {8, -43}, {7, 28}};
    for (auto d : purple)
        EXPECT_TRUE(shownAt(retronums[d[0]], px + d[1], gy + 140)) << "digit " << d[0];
    EXPECT_TRUE(shownAt(fragdigits[9], px, gy + 76));
    EXPECT_TRUE(shownAt(letter[26 + 2], 786, 558));   // 01:23:45
    EXPECT_TRUE(shownAt(letter[26 + 5], 848, 558));
    timerhours = timermins = timersecs = 0;
}

// ---- The unlock store.

class UnlockTest : public MatchFlowTest {
protected:
    void SetUp() override
    {
        MatchFlowTest::SetUp();
        remove("gorMaps.cfg");
    }
    static std::set<int> unlocked()
    {
        get_mapdata();
        std::set<int> arenas;
        for (int a = 1; a <= ARENA_COUNT; a++)
            if (mapUnlocked(a))
                arenas.insert(a);
        return arenas;
    }
    static void writeStore(const char *text)
    {
        FILE *f = fopen("gorMaps.cfg", "wb");
        ASSERT_TRUE(f);
        fputs(text, f);
        fclose(f);
    }
};

TEST_F(UnlockTest, ABoutUnlocksTheNextArenaAgainstTheComputerOnlyWhenTheHumanWonAlone)
{
    const struct {
        int cpu, won1, won2, previous, unlocks;
    } cases[] = {{1, 1, 0, ARENA_HELL, ARENA_SMOG_CITY}, {1, 0, 1, ARENA_HELL, 0},
                 {1, 1, 1, ARENA_HELL, 0},               {0, 0, 1, ARENA_LONDON, ARENA_ARMY},
                 {0, 1, 1, ARENA_GRAVEYARD, ARENA_ZWARD}, {0, 1, 0, ARENA_ONE_UP, 0},
                 {0, 1, 0, SCREEN_TUTORIAL, 0}};
    for (auto c : cases) {
        remove("gorMaps.cfg");
        p2cpu = c.cpu;
        player->won = c.won1;
        player2->won = c.won2;
        unlockNextMap(c.previous);
        EXPECT_EQ(unlocked(), c.unlocks ? std::set<int>{c.unlocks} : std::set<int>{})
            << "after arena " << c.previous;
    }
    p2cpu = 0;
}

TEST_F(UnlockTest, ArenasAreDrawnFromTheFirstOfTheOrderAsManyAsAreUnlocked)
{
    char text[100];
    const struct {
        const char *store;
        std::set<int> drawn;
    } cases[] = {
        {"", {ARENA_LONDON}},
        {"[Settings]\nmap10code = %d\n", {ARENA_LONDON}},
        {"[Settings]\nmap10code = %d\nmap1code = %d\n", {ARENA_LONDON, ARENA_ARMY}},
        // Damaged or hostile: wrong codes, overflow, binary junk, a broken section.
        {"[Settings]\nmap10code = 8\nmap4code = 99999999999999999999\n\xff\xfe\x01=\n"
         "[Settings\nmap5code = -7193\n",
         {ARENA_LONDON}},
    };
    for (auto &c : cases) {
        snprintf(text, sizeof text, c.store, unlockCode(10), unlockCode(1));
        writeStore(text);
        get_mapdata();
        std::set<int> drawn;
        for (int i = 0; i < 200; i++)
            drawn.insert(arrangeGLarenas());
        EXPECT_EQ(drawn, c.drawn) << c.store;
    }
}

}  // namespace
