// The tick: the game frame's order and gate, Escape, and the counter rules of a batch.
// Runs the real start-up path headless on the generated game data.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/match.h"
#include "core/music.h"
#include "core/settings.h"
#include "core/tutorial.h"
#include "frontend/pause.h"
#include "frontend/quit.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "shell/startup.h"
#include "support/test_env.h"

namespace {

std::vector<std::string> steps;
void recordStep(const char *name) { steps.push_back(name); }

class TickTest : public HarnessTest {
protected:
    void SetUp() override
    {
        HarnessTest::SetUp();
        steps.clear();
        frameStepHook = recordStep;
        map = ARENA_HELL;
        playersActive = 1;
        paused = 0;
        quitting = 0;
        tutorialWait = 0;
    }
    void TearDown() override
    {
        frameStepHook = NULL;
        harnessReleaseInput();
    }
};

const std::vector<std::string> kFrameOrder = {
    "updateHell", "playerGravity", "player2Gravity", "playerMove", "player2Move",
    "playerBackCollision", "player2BackCollision", "playerArms", "player2arms",
    "playerSound", "player2Sound", "player1Camera", "player2Camera",
    "updateBullet", "updateBullet2", "updatePlasma", "updatePlasma2", "updateHomoRocket",
    "updateHomoRocket2", "updateMummraThruster", "updateMummraThruster2", "updateBlaster",
    "cubespawnerroutine", "updatecube", "updatepowerup", "updateBomb", "updateBomb2",
    "updateExplosion", "updateBombblastLeft", "updateBombblastRight", "updateBombblastUp",
    "updatemines", "updateBlood", "updateGibs", "updateHead", "updateTorso", "updateArm",
    "updateLeg", "updateBlood2", "updateGibs2", "updateHead2", "updateTorso2", "updateArm2",
    "updateLeg2", "updateGibCasing", "updateZapZapCasing", "updateHomoCasing",
    "updateCubeFrazzle", "updateRespawnBubble", "updateHomoTrail", "updateGreenFFPart",
    "updatePurpleFFPart", "updateLightning", "updateMiniLightning", "updateLazer",
    "updateSpark", "updatePupPartSpawner", "updatePupPart", "updateBlueFlame", "updatePoo",
    "updateSpeedLine", "updateBubble", "updateGroundBit", "updateMagnoBit", "updateSnow",
    "draw"};

TEST_F(TickTest, GameFrameRunsEveryStepInItsOrder)
{
    harnessTick();
    EXPECT_EQ(steps, kFrameOrder);
}

TEST_F(TickTest, ComputerOpponentStepsFrameTheFrame)
{
    p2cpu = 1;
    pd1 = jump2 = laybomb2 = 1;
    pausebutton2 = 1;
    harnessTick();
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps[0], "Player2ai");
    EXPECT_EQ(steps[1], "updateHell");
    // The computer's flags are cleared before the path nodes run, the pause flag is not.
    EXPECT_EQ(steps[steps.size() - 2], "updateNode");
    EXPECT_EQ(steps.back(), "draw");
    EXPECT_EQ(pausebutton2, 1);
    p2cpu = 0;
}

TEST_F(TickTest, MusicStartsFirstWhenOnAndNotPlaying)
{
    musicOn = 1;
    music = 2;
    harnessTick();
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps[0], "startTrack");
    EXPECT_EQ(music, 1);
    steps.clear();
    harnessTick();
    EXPECT_EQ(steps[0], "updateHell");
    music = 0;
}

TEST_F(TickTest, GameFrameWaitsWhileAnyGateIsShut)
{
    playersActive = 0;
    harnessTick();
    playersActive = 1;
    paused = 1;
    harnessTick();
    paused = 0;
    tutorialWait = 1;
    harnessTick();
    tutorialWait = 0;
    for (int screen : {SCREEN_PREMAP, SCREEN_CREDITS, SCREEN_INTRO}) {
        map = screen;
        harnessTick();
    }
    EXPECT_TRUE(steps.empty());
}

TEST_F(TickTest, EscapeOpensTheQuitPromptDuringABoutButNotOnTheTitle)
{
    key[KEY_ESC] = 1;
    map = SCREEN_TITLE;
    TitleScreenPhase = 3;   // the options page, where the title itself ignores Escape
    runTick();
    TitleScreenPhase = 1;
    EXPECT_EQ(quitting, 0);
    map = ARENA_HELL;
    runTick();
    EXPECT_EQ(quitting, 1);
    quitting = 0;
}

void zeroCounterAtDraw(const char *name)
{
    recordStep(name);
    if (std::string(name) == "draw")
        speed_counter = 0;   // as a set-up does after slow work
}

void endProgramAtDraw(const char *name)
{
    recordStep(name);
    if (std::string(name) == "draw") {
        gameover = 1;        // as the end splash does
        speed_counter = 2;   // while more ticks fall due
    }
}

// A batch runs every due tick; a set-up that zeroes the counter drops the ticks that fell
// due (the loop's own decrement follows), and ending the program ends it after this tick.
TEST_F(TickTest, BatchRunsTheDueTicksUnlessTheCounterIsZeroedOrTheProgramEnds)
{
    const struct {
        void (*hook)(const char *);
        int due, draws, left;
    } cases[] = {{recordStep, 3, 3, 0}, {zeroCounterAtDraw, 5, 1, -1}, {endProgramAtDraw, 4, 1, 1}};
    for (auto c : cases) {
        steps.clear();
        frameStepHook = c.hook;
        speed_counter = c.due;
        runDueTicks();
        EXPECT_EQ(std::count(steps.begin(), steps.end(), "draw"), c.draws) << c.due;
        EXPECT_EQ(speed_counter.load(), c.left) << c.due;
        gameover = 0;
    }
    speed_counter = 0;
}
}  // namespace
