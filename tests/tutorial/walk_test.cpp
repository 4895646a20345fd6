// Player 1 walks the training course with the keys a new player would press, through the
// whole game tick: each hint holds the game once, in the course's order, and a held SPACE
// lets it go on. Set GOR_TUTORIAL_FRAMES to a folder to get each hint's pause as a picture.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <string>
#include <vector>

#include "ai/tutorial.h"
#include "fighters/fighter.h"
#include "shell/harness.h"
#include "shell/settings.h"
#include "shell/world.h"
#include "tools/recorder/record.h"

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
        for (int i = 0; i < 8; i++)
            if (!before[i] && *hintFlags[i]) {
                hintsSeen.push_back(hintNames[i]);
                if (tutorialWait)
                    holdOnHint(i);
            }
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
    // The pause holds player 1 where he is until SPACE.
    void holdOnHint(int hint)
    {
        harnessReleaseInput();
        int x = player->x, y = player->y;
        harnessTicks(6);
        if (const char *dir = getenv("GOR_TUTORIAL_FRAMES")) {
            std::string path = std::string(dir) + "/hint" + std::to_string(hint) + ".png";
            EXPECT_EQ(writeFrameImage(buffer, path.c_str(), 0, 0, PLAYFIELD_W, PLAYFIELD_H), 0);
        }
        harnessTicks(34);
        EXPECT_EQ(tutorialWait, 1) << hintNames[hint];
        EXPECT_EQ(player->x, x);
        // The ladder trick's pause puts him where the jump off the ladder top works.
        EXPECT_EQ(player->y, hint == 5 ? 510 : y);
        key[KEY_SPACE] = 1;
        harnessTick();
        EXPECT_EQ(tutorialWait, 0);
        harnessReleaseInput();
    }
};

TEST(TutorialCourse, EveryHintHoldsTheGameOnceInTheCoursesOrder)
{
    if (!harnessGameDataPresent())
        GTEST_SKIP() << "no generated game data in " << harnessGameDir();
    static RecordScript script;
    char err[200];
    ASSERT_EQ(parseRecordScript("arena tutorial\nspawn 0 p1\n", &script, err, sizeof err), 0);
    // Start-up reads the settings: the course is walked on the default keys.
    startRecordedBout(script);
    prepareRecordTick(script, 0);
    // Player 2 waits in his booth.
    player2->x = (int)booth2->x + 32;
    player2->y = (int)booth2->y + 57;
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
}

} // namespace
