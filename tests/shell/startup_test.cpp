// Start-up's fallbacks, driven through its seams (no display or sound card needed).
#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

#include "frontend/screen.h"
#include "shell/startup.h"
#include "support/test_env.h"

namespace {

struct ModeCall {
    int card, w, h;
};
std::vector<ModeCall> modeCalls;
int modesRefused = 0;   // how many of the calls fail before one succeeds

int fakeSetGfxMode(int card, int w, int h)
{
    modeCalls.push_back({card, w, h});
    return (int)modeCalls.size() <= modesRefused ? -1 : 0;
}

// Behaves as the library does on a machine with no sound card: autodetection finds
// nothing, and the no-sound driver installs only when no digital voices are reserved.
std::vector<int> soundCalls;
int soundInstalled = 0;
int fakeInstallSound(int digi, int)
{
    soundCalls.push_back(digi);
    soundInstalled = digi == DIGI_NONE && reservedDigiVoices <= 0;
    return soundInstalled ? 0 : -1;
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startHeadlessAllegro();
        headless = 0;
        modeCalls.clear();
        soundCalls.clear();
        modesRefused = 0;
        setGfxModeHook = fakeSetGfxMode;
        installSoundHook = fakeInstallSound;
        resx = 1280;
        resy = 1024;
    }
    void TearDown() override
    {
        setGfxModeHook = NULL;
        installSoundHook = NULL;
        headless = 0;
    }
};

TEST_F(StartupTest, ConfiguredModeFirstThen800x600FullScreenThenAWindow)
{
    const ModeCall order[] = {{GFX_AUTODETECT_FULLSCREEN, 1280, 1024},
                              {GFX_AUTODETECT_FULLSCREEN, 800, 600},
                              {GFX_AUTODETECT_WINDOWED, 800, 600}};
    for (int refused = 0; refused < 3; refused++) {
        modeCalls.clear();
        modesRefused = refused;
        resx = 1280;
        resy = 1024;
        setupDisplay();
        ASSERT_EQ(modeCalls.size(), refused + 1u);
        for (int i = 0; i <= refused; i++) {
            EXPECT_EQ(modeCalls[i].card, order[i].card) << refused;
            EXPECT_EQ(modeCalls[i].w, order[i].w) << refused;
            EXPECT_EQ(modeCalls[i].h, order[i].h) << refused;
        }
        EXPECT_EQ(resx, order[refused].w);
        EXPECT_EQ(resy, order[refused].h);
    }
}

TEST_F(StartupTest, NoModeAtAllStopsWithAMessageAndAFailureStatus)
{
    modesRefused = 3;
    EXPECT_EXIT(setupDisplay(), ::testing::ExitedWithCode(1), "no 16-bit display mode");
}

TEST_F(StartupTest, NoSoundCardGoesOnWithTheNoSoundDriverAndTheDisplaySetAgain)
{
    setupSoundDevice();
    ASSERT_EQ(soundCalls.size(), 2u);
    EXPECT_EQ(soundCalls[0], DIGI_AUTODETECT);
    EXPECT_EQ(soundCalls[1], DIGI_NONE);
    EXPECT_TRUE(soundInstalled) << "the no-sound driver must install";
    // The message box gave the display up to be answered.
    ASSERT_EQ(modeCalls.size(), 1u);
    EXPECT_EQ(modeCalls[0].card, GFX_AUTODETECT_FULLSCREEN);
    EXPECT_EQ(modeCalls[0].w, 1280);
}

TEST_F(StartupTest, PointerIsScaledToThePlayfield)
{
    BITMAP *saved = screen;
    screen = create_bitmap(800, 600);
    mouse_x = 400;
    mouse_y = 599;
    EXPECT_EQ(pageMouseX(), 800);
    EXPECT_EQ(pageMouseY(), 1198);
    destroy_bitmap(screen);
    screen = saved;
}
}  // namespace
