// A whole bout on the generated Hell arena through the game's own loop: both fighters shoot,
// bomb and die again and again until a pool runs dry and the result screen is set up.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include "arena/levels.h"
#include "core/match.h"
#include "core/settings.h"
#include "core/world.h"
#include "fighters_env.h"
#include "shell/harness.h"
#include "support/test_env.h"

namespace {

class BoutTest : public HarnessTest {
protected:
    void SetUp() override
    {
        HarnessTest::SetUp();
        if (!IsSkipped())
            startTestBout(ARENA_HELL);
    }
};

TEST_F(BoutTest, APlayedBoutEndsWithDeathsShotsAndBombsOnBothSides)
{
    const int keys[] = {KEY_A, KEY_D, KEY_W, KEY_S, KEY_G, KEY_H, KEY_J, KEY_LEFT, KEY_RIGHT,
                        KEY_UP, KEY_DOWN, KEY_1_PAD, KEY_2_PAD, KEY_3_PAD};
    SampleLog log;
    int greenFrags = GreenFrags, greenDeaths = GreenDeaths;
    int ticks = 0;
    while (map == ARENA_HELL && ticks < 20000) {
        if (ticks % 20 == 0)
            for (int k : keys)
                key[k] = rand() % 3 == 0;
        // The pools are held up until each fighter has died twice, then let go.
        if (player->frags < 2 || player2->frags < 2)
            player->power = player2->power = 40;
        harnessTick();
        ticks++;
    }
    harnessReleaseInput();
    EXPECT_EQ(map, SCREEN_RESULT);
    EXPECT_TRUE(player->power == 0 || player2->power == 0);
    EXPECT_GE(player->frags, 2);
    EXPECT_GE(player2->frags, 2);
    // Every death booked once in the green team's statistics.
    EXPECT_EQ(GreenFrags - greenFrags, player->frags);
    EXPECT_EQ(GreenDeaths - greenDeaths, player2->frags);
    EXPECT_GT(log.plays(SND_GIBBER_FIRE, 1000), 0);
    EXPECT_GT(log.plays(SND_GIBBER_FIRE, 1100), 0);
    EXPECT_GT(log.plays(SND_BOMB_EXPLODE), 1);
    EXPECT_GT(log.plays(SND_SPAWN, 800), 1);
    EXPECT_GT(log.plays(SND_SPAWN, 700), 1);
    printf("the bout ended after %d ticks, frags %d:%d\n", ticks, player->frags, player2->frags);
}

} // namespace
