// A whole bout through the screens that frame it, and the files it leaves behind.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <string>

#include "core/fighter.h"
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

namespace {

class BoutTest : public MatchFlowTest {
protected:
    void SetUp() override
    {
        MatchFlowTest::SetUp();
        remove("gorMaps.cfg");
        remove("Reds.cfg");
        GreenPlayed = GreenWon = GreenLost = GreenDrew = GreenAvScore = GreenPercentage = 0;
        PurplePlayed = PurpleWon = PurpleLost = PurpleDrew = PurpleAvScore = 0;
        GreenActive = 1;
        PurpleActive = 0;
        strcpy(GreenTeamName, "Reds");
        GameLength = 2;
        GLarena1 = ARENA_LONDON;
        GLarena2 = ARENA_HELL;
    }
    void TearDown() override
    {
        GreenActive = 0;
        GameLength = 1;
        MatchFlowTest::TearDown();
    }

    void tap(int k)
    {
        key[k] = 1;
        harnessTick();
        key[k] = 0;
    }

    // The first bout of a match on London, from its pre-screen to the result screen.
    // The fighters' life cycle is not played out: the bout is ended by emptying purple's
    // pool with its frags and deaths written in.
    void playFirstBout()
    {
        GameLengthCurrent = 0;
        playerOnePower = playerTwoPower = playerOneFrags = playerTwoFrags = 0;
        setupPreMap(GLarena1);
        harnessTicks(20);
        ASSERT_EQ(manga[0]->x, 300);
        ASSERT_EQ(manga[1]->x, 900);
        ASSERT_EQ(displaytitle, 1);
        tap(KEY_SPACE);
        ASSERT_EQ(map, ARENA_LONDON);
        ASSERT_EQ(playersActive, 1);
        harnessTicks(30);

        player->hasSpawned = 0;   // the pools hold still
        player->power = 250;
        player->frags = 3;
        player2->frags = 1;
        GreenFrags = 3;
        GreenDeaths = 1;
        player2->power = 0;
        secondscount = secondsdelay;   // the next tick completes a second
        harnessTick();
        ASSERT_EQ(map, SCREEN_RESULT);
        harnessTicks(45);   // the fade and a few frames after it
    }

    void goToNextBout()
    {
        pointInto(textGo, textGox, textGoy);
        mouse_b = 1;
        harnessTick();
        mouse_b = 0;
        ASSERT_EQ(map, SCREEN_PREMAP);
        EXPECT_EQ(nextMap, ARENA_HELL);
        EXPECT_EQ(GameLengthCurrent, 2);
        harnessTick();
        tap(KEY_SPACE);
        EXPECT_EQ(map, ARENA_HELL);
        EXPECT_EQ(playersActive, 1);
    }
};

std::string statsFile(int played, int won, int avScore, int percentage)
{
    char text[200];
    snprintf(text, sizeof text,
             "[Stats]\nPlayed = %d\nWon = %d\nLost = 0\nDrew = 0\nFrags = 3\nDeaths = 1\n"
             "avScore = %d\nPercentage = %d\n",
             played, won, avScore, percentage);
    return text;
}

TEST_F(BoutTest, PreScreenPlayResultAndOnToTheNextBoutWriteTheStatisticsAndTheUnlock)
{
    playFirstBout();
    // 250 + 35 x 3 against 0 + 35: green won; rating 50 + 1 + 10 + 18.
    EXPECT_EQ(player1Total, 355);
    EXPECT_EQ(player2Total, 35);
    EXPECT_EQ(harnessReadFile("Reds.cfg"), statsFile(1, 1, 355, 79));
    // Two humans: the arena after London in the order is unlocked, whoever won.
    EXPECT_EQ(harnessReadFile("gorMaps.cfg"), "[Settings]\nmap4code = 284\n");
    goToNextBout();

    // The same match again: the store already holds that unlock and is left alone.
    struct utimbuf old = {1000000000, 1000000000};
    ASSERT_EQ(utime("gorMaps.cfg", &old), 0);
    playFirstBout();
    struct stat st;
    ASSERT_EQ(stat("gorMaps.cfg", &st), 0);
    EXPECT_EQ(st.st_mtime, 1000000000);
    EXPECT_EQ(harnessReadFile("gorMaps.cfg"), "[Settings]\nmap4code = 284\n");
    EXPECT_EQ(harnessReadFile("Reds.cfg"), statsFile(2, 2, 355, 80));
}

// With directories where the team's file and the unlock store should be (which not even
// root can write), the terminal is told once for each, though the result screen unlocks on
// every frame, and the screen goes on.
TEST_F(BoutTest, FilesThatCannotBeWrittenAreNamedOnceAndTheBoutGoesOn)
{
    ASSERT_EQ(mkdir("Reds.cfg", 0755), 0);
    ASSERT_EQ(mkdir("gorMaps.cfg", 0755), 0);
    testing::internal::CaptureStderr();
    playFirstBout();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "gor: cannot save Reds.cfg: Is a directory\n"
              "gor: cannot save gorMaps.cfg: Is a directory\n");
    EXPECT_EQ(map, SCREEN_RESULT);
    EXPECT_EQ(rmdir("Reds.cfg") | rmdir("gorMaps.cfg"), 0);
}

TEST_F(BoutTest, TheTutorialWritesNoStatisticsAndTheLastArenaUnlocksTheCredits)
{
    map = SCREEN_TUTORIAL;
    GameLength = 3;
    setupResultScreen(SCREEN_TUTORIAL);
    EXPECT_EQ(harnessReadFile("Reds.cfg"), "");
    EXPECT_EQ(GameLength, 1);

    credunlocked = 0;
    map = ARENA_LONDON;
    setupResultScreen(ARENA_LONDON);
    EXPECT_EQ(credunlocked, 0);
    setupResultScreen(ARENA_ONE_UP);
    EXPECT_EQ(credunlocked, CREDITS_CODE);
    credunlocked = 0;
}

TEST_F(BoutTest, ATeamNameNeverNamesAFileOutsideTheFolderOrTheGamesOwn)
{
    struct Case {
        const char *name;
        const char *file;   // the file written, or NULL for none
    };
    char brim[32];
    memset(brim, 'B', sizeof brim);   // no terminator
    const Case cases[] = {{"Reds", "Reds.cfg"},
                          {"../up", "___up.cfg"},
                          {"/tmp/x", "_tmp_x.cfg"},
                          {"gorSetup", NULL},
                          {"gorMaps", NULL},
                          {"", NULL},
                          {brim, "BBBBBBBBBBBBBBBBBBBB.cfg"}};
    remove("../up.cfg");
    for (const Case &c : cases) {
        memcpy(GreenTeamName, c.name, c.name == brim ? sizeof brim : strlen(c.name) + 1);
        if (c.file)
            remove(c.file);
        const std::string setup = harnessReadFile("gorSetup.cfg");
        map = ARENA_LONDON;
        setupResultScreen(ARENA_LONDON);
        if (c.file)
            EXPECT_NE(harnessReadFile(c.file).find("[Stats]"), std::string::npos) << c.file;
        else
            EXPECT_EQ(harnessReadFile("gorSetup.cfg"), setup);
    }
    EXPECT_EQ(harnessReadFile("gorMaps.cfg"), "");
    EXPECT_EQ(harnessReadFile("../up.cfg"), "");
}

}  // namespace
