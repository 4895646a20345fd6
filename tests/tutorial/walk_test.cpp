// Player 1 walks the training course with the keys a new player would press, through the
// whole game tick: each hint holds the game once, in the course's order, and a held SPACE
// lets it go on; then he takes the boxes up to the last stage.
#include <allegro.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ai/tutorial.h"
#include "arena/pickups.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/settings.h"
#include "core/tutorial.h"
#include "core/world.h"
#include "shell/harness.h"
#include "tools/recorder/record.h"
#include "tutorial/drawn.h"

namespace {

int *const hintFlags[] = {&seenJump, &seenUp, &seenDown, &seenDoubleJump, &seenWallJump,
                          &seenLadderTrick, &seenBackFire, &seenSlide};
const char *const hintNames[] = {"jump", "climb up", "climb down", "double jump", "wall jump",
                                 "ladder trick", "back fire", "slide"};

int cx() { return player->x + player->w / 2; }

struct CourseWalk {
    std::vector<std::string> hintsSeen;
    int ticks = 0;

    // One tick with player 1's keys for `slots` held; a hint that holds the game is looked
    // at and let go.
    void tick(std::initializer_list<int> slots)
    {
        int before[8];
        for (int i = 0; i < 8; i++)
            before[i] = *hintFlags[i];
        harnessReleaseInput();
        for (int s : slots)
            key[keyIndexOfCode(keyBindings[s].code)] = 1;
        harnessTick();
        ticks++;
        int hint = -1;
        for (int i = 0; i < 8; i++)
            if (!before[i] && *hintFlags[i]) {
                hintsSeen.push_back(hintNames[i]);
                hint = i;
            }
        if (tutorialWait)
            holdOnPause(hint);
    }
    void hold(std::initializer_list<int> slots, int count)
    {
        for (int i = 0; i < count; i++)
            tick(slots);
    }
    // Holds the keys until `done`, at most ten seconds.
    void until(std::initializer_list<int> slots, std::function<bool()> done)
    {
        for (int i = 0; i < 600 && !done(); i++)
            tick(slots);
        ASSERT_TRUE(done()) << "stuck at " << player->x << "," << player->y << " after "
                            << hintsSeen.size() << " hints";
    }
    // The pause on a hint (or, for -1, on a box's stage picture) holds player 1 where he is
    // until SPACE.
    void holdOnPause(int hint)
    {
        harnessReleaseInput();
        int x = player->x, y = player->y;
        harnessTicks(25);
        EXPECT_EQ(tutorialWait, 1) << hint;
        // Stage k shows what the box of stage k - 1 gave, in the outcomes' order.
        if (hint < 0) {
            EXPECT_TRUE(drawnAt(tutorialtextBig[tutorial + 2], 573, 494)) << tutorial;
        }
        EXPECT_EQ(player->x, x);
        // The ladder trick's pause puts him where the jump off the ladder top works.
        EXPECT_EQ(player->y, hint == 5 ? 510 : y);
        key[KEY_SPACE] = 1;
        harnessTick();
        EXPECT_EQ(tutorialWait, 0);
        harnessReleaseInput();
    }
};

TEST(TutorialCourse, EveryHintHoldsTheGameOnceInOrderAndTwelveBoxesBringTheLastStage)
{
    if (!harnessGameDataPresent())
        GTEST_SKIP() << "no generated game data in " << harnessGameDir();
    static RecordScript script;
    char err[200];
    ASSERT_EQ(parseRecordScript("arena tutorial\nspawn 0 p1\nspawn 0 p2\n", &script, err, sizeof err), 0);
    // Start-up reads the settings: the course is walked on the default keys.
    startRecordedBout(script);
    prepareRecordTick(script, 0);
    enum { L = BIND_P1_LEFT, R = BIND_P1_RIGHT, U = BIND_P1_UP, JUMP = BIND_P1_ACTION };
    CourseWalk w;

    // Along the ground floor: over the low wall, up the first ladder.
    w.hold({}, 30);
    w.until({R}, [] { return cx() >= 440; });
    w.until({R, JUMP}, [] { return cx() >= 560; });
    w.until({R}, [] { return cx() >= 650; });
    w.hold({}, 10);
    w.until({U}, [] { return player->y + player->h < 1024 && player->state != FIGHTER_CLIMB_UP; });
    // A double jump from a standstill onto the pillar.
    w.until({R}, [] { return cx() >= 730; });
    w.hold({}, 5);
    w.until({JUMP}, [] { return player->jumpPhase != JUMP_NONE; });
    w.until({}, [] { return player->jumpImpulse <= 1; });
    w.hold({JUMP}, 3);
    w.until({R}, [] { return cx() >= 800 && player->jumpPhase == JUMP_NONE; });
    EXPECT_EQ(player->y + player->h, 927) << "on the pillar";
    // Down off it without a run-up, so as not to fall through the ladder tops, and a hop
    // onto the walkway; left into the shaft against the edge wall.
    w.until({L}, [] { return player->fallSpeed != 0; });
    w.until({}, [] { return player->fallSpeed == 0 && player->jumpPhase == JUMP_NONE; });
    w.until({L}, [] { return cx() <= 610; });
    w.until({L, JUMP}, [] { return cx() <= 540; });
    w.until({L}, [] { return player->runSpeed > 0 && player->x == player->prevX; });
    // Jump, grab the wall, push off it onto the ledge.
    w.until({L, JUMP}, [] { return player->jumpPhase != JUMP_NONE; });
    w.hold({L}, 1);
    w.until({L, JUMP}, [] { return player->wallGrabTimer > 0; });
    w.until({R}, [] { return player->jumpPhase == JUMP_NONE; });
    EXPECT_EQ(player->y + player->h, 863) << "on the ledge";
    // Up the ladder to its top and jump off it onto the upper level.
    w.until({R}, [] { return cx() >= 236; });
    w.hold({}, 10);
    w.until({U}, [] { return seenLadderTrick == 1; });
    w.hold({JUMP}, 3);
    w.until({JUMP, R}, [] { return player->jumpPhase == JUMP_NONE; });
    // Back along the level: the back-fire place counts only facing right.
    w.until({L}, [] { return cx() <= 320; });
    EXPECT_EQ(seenBackFire, 0);
    w.until({R}, [] { return cx() >= 556; });
    w.hold({}, 10);
    w.until({U}, [] { return seenSlide == 1; });

    const std::vector<std::string> course(hintNames, hintNames + 8);
    EXPECT_EQ(w.hintsSeen, course);

    // Down the middle onto the pillar, where the boxes land; twelve of them teach the twelve
    // outcomes and bring the last stage. The test does not wait the 19 s between boxes.
    w.until({R}, [] { return player->jumpPhase != JUMP_NONE; });
    w.until({R}, [] { return cx() >= 800; });
    w.until({}, [] { return player->jumpPhase == JUMP_NONE && player->onGround; });
    EXPECT_EQ(player->y + player->h, 927) << "on the pillar";
    for (int i = 0; i < 12 * 300 && tutorial < 12; i++) {
        if (powerup[0]->active == 0)
            powerupspawncount = 0;
        w.tick({BIND_P1_DOWN});
    }
    EXPECT_EQ(tutorial, 12);
}

} // namespace
