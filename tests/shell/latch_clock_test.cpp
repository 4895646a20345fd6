// The input latch and the bout clock, on bare records (no game data needed).
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include "core/clock.h"
#include "core/settings.h"
#include "core/fighter.h"
#include "frontend/pause.h"
#include "shell/clock.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "support/test_env.h"

namespace {

class LatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startHeadlessAllegro();
        num_joysticks = 2;
        harnessReleaseInput();
        p2cpu = 0;
    }
    void TearDown() override
    {
        harnessReleaseInput();
        p2cpu = 0;
    }
};

// Every binding, key and pad, of both players feeds its own flag and no other.
TEST_F(LatchTest, EachBindingSetsItsFlagAlone)
{
    int *flags[14] = {&d1, &d2, &up1, &down1, &jump1, &fire1, &laybomb1,
                      &pd1, &pd2, &up2, &down2, &jump2, &fire2, &laybomb2};
    const int *keys[14] = {&p1left, &p1right, &p1up, &p1down, &p1action, &p1fire, &p1bomb,
                           &p2left, &p2right, &p2up, &p2down, &p2action, &p2fire, &p2bomb};
    const int *buttons[3] = {&p1padaction, &p1padfire, &p1padbomb};
    const int *buttons2[3] = {&p2padaction, &p2padfire, &p2padbomb};
    for (int input = 0; input < 28; input++) {
        harnessReleaseInput();
        int side = input % 14 / 7, flag = input % 14;
        int pad = side, slot = flag % 7;
        if (input < 14) {
            key[*keys[flag]] = 1;
        } else if (slot < 4) {   // stick: left, right, up, down
            JOYSTICK_AXIS_INFO &axis = joy[pad].stick[0].axis[slot / 2];
            (slot % 2 ? axis.d2 : axis.d1) = 1;
        } else {
            joy[pad].button[*(side ? buttons2 : buttons)[slot - 4]].b = 1;
        }
        latchInput();
        for (int f = 0; f < 14; f++)
            EXPECT_EQ(*flags[f], f == flag) << "input " << input << ", flag " << f;
    }
    // Released inputs clear the flags on the next latch.
    harnessReleaseInput();
    latchInput();
    for (int f = 0; f < 14; f++)
        EXPECT_EQ(*flags[f], 0);
    // The tenth pad button pauses for its own player, P for player 1 only.
    joy[1].button[9].b = 1;
    latchInput();
    EXPECT_EQ(pausebutton2, 1);
    EXPECT_EQ(pausebutton, 0);
    harnessReleaseInput();
    key[KEY_P] = 1;
    latchInput();
    EXPECT_EQ(pausebutton, 1);
    EXPECT_EQ(pausebutton2, 0);
}

TEST_F(LatchTest, ComputerDrivenPlayerTwoIsNotTouched)
{
    p2cpu = 1;
    pd1 = 1;
    jump2 = 1;
    pausebutton2 = 1;
    key[KEY_RIGHT] = 1;
    joy[1].button[p2padfire].b = 1;
    latchInput();
    EXPECT_EQ(pd1, 1);
    EXPECT_EQ(pd2, 0);
    EXPECT_EQ(jump2, 1);
    EXPECT_EQ(fire2, 0);
    EXPECT_EQ(pausebutton2, 1);
}

TEST_F(LatchTest, ModifierCodesOfTheSettingsFileReachTheModifierKeys)
{
    // The settings file keeps the old numbering: 103 is left shift, 105 left control.
    int saved = p1action;
    p1action = 103;
    key[KEY_LSHIFT] = 1;
    latchInput();
    EXPECT_EQ(jump1, 1);
    harnessReleaseInput();
    key[103] = 1;   // what this library numbers 103 is another key
    latchInput();
    EXPECT_EQ(jump1, 0);
    p1action = saved;
}

TEST_F(LatchTest, BindingsOutOfRangeReadAsReleased)
{
    int savedKey = p1left, savedPad = p1padfire;
    memset((void *)key, 1, KEY_MAX);
    for (int b = 0; b < MAX_JOYSTICK_BUTTONS; b++)
        joy[0].button[b].b = 1;
    p1left = 500;
    p1padfire = 40;
    EXPECT_EQ(bindingKeyDown(-1), 0);
    EXPECT_EQ(bindingKeyDown(115), 0);
    EXPECT_EQ(padButtonDown(0, -1), 0);
    EXPECT_EQ(padButtonDown(5, 0), 0);
    latchInput();
    EXPECT_EQ(d1, 0);
    p1left = savedKey;
    p1padfire = savedPad;
    latchInput();
    EXPECT_EQ(d1, 1);
    EXPECT_EQ(fire1, 1);
}

class ClockTest : public ::testing::Test {
protected:
    Fighter one{}, two{};
    Fighter *savedPlayer = nullptr, *savedPlayer2 = nullptr;

    void SetUp() override
    {
        startHeadlessAllegro();
        savedPlayer = player;
        savedPlayer2 = player2;
        player = &one;
        player2 = &two;
        one.power = 50;
        two.power = 50;
        one.hasSpawned = 1;
        secondscount = 0;
        seconds = 0;
        cubespawncount = 10;
        cubespawncount2 = 35;
        powerupspawncount = 38;
        timersecs = timermins = timerhours = 0;
        playersActive = 1;
        paused = 0;
        map = ARENA_HELL;
    }
    void TearDown() override
    {
        player = savedPlayer;
        player2 = savedPlayer2;
        map = SCREEN_NONE;
        playersActive = 0;
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; i++)
            secondsfunct();
    }
};

TEST_F(ClockTest, OnceASecondWorkRunsOnTheTickTheCounterWraps)
{
    one.powerupTimer = 3;
    two.powerupTimer = 1;   // each fighter's own timer, down to 0 and no further
    timersecs = timermins = 59;
    ticks(59);
    EXPECT_EQ(secondscount, 59);
    EXPECT_EQ(seconds, 0);
    EXPECT_EQ(one.power, 50);
    secondsfunct();
    EXPECT_EQ(secondscount, 0);
    EXPECT_EQ(seconds, 1);
    EXPECT_EQ(cubespawncount, 9);
    EXPECT_EQ(cubespawncount2, 34);
    EXPECT_EQ(powerupspawncount, 37);
    EXPECT_TRUE(timersecs == 0 && timermins == 0 && timerhours == 1);   // 59:59 carried
    EXPECT_EQ(one.power, 49);
    EXPECT_EQ(two.power, 49);
    EXPECT_EQ(one.powerupTimer, 2);
    EXPECT_EQ(two.powerupTimer, 0);
    ticks(120);
    EXPECT_EQ(seconds, 3);
    EXPECT_EQ(one.power, 47);
    EXPECT_EQ(two.powerupTimer, 0);
    // Fighter 2's own first spawn does not start the pools.
    one.hasSpawned = 0;
    two.hasSpawned = 1;
    ticks(60);
    EXPECT_EQ(two.power, 47);
}

TEST_F(ClockTest, NothingAdvancesWhilePausedOrBetweenBoutsButTheTickCount)
{
    paused = 1;
    ticks(90);
    EXPECT_EQ(secondscount, 30);
    EXPECT_EQ(seconds, 0);
    EXPECT_EQ(one.power, 50);
    paused = 0;
    playersActive = 2;   // only exactly 1 counts as a bout in play
    ticks(60);
    EXPECT_EQ(secondscount, 30);
    EXPECT_EQ(seconds, 0);
    EXPECT_EQ(cubespawncount, 10);
}
}  // namespace
