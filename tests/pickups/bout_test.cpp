// A bout left alone on each generated arena: the bout-start cubes and the box's timetable.
#include <gtest/gtest.h>

#include "arena/effects.h"
#include "arena/forcefields.h"
#include "arena/levels.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "core/clock.h"
#include "core/settings.h"
#include "core/world.h"
#include "shell/clock.h"
#include "shell/harness.h"
#include "support/test_env.h"

namespace {

using PickupBout = HarnessTest;

TEST_F(PickupBout, CubesComeAtTheStartAndTheBoxAt38SecondsThenEvery32To40)
{
    for (int arena : {ARENA_HELL, ARENA_LONDON}) {
        startTestBout(arena);
        setupcubespawner();
        setupMines();
        cube1spawn = cube1spawnR = 0;
        powerupspawncount = 38;
        harnessTick();
        int live = 0;
        for (Cube *c : cube)
            live += c->active;
        EXPECT_EQ(live, 2 * initialcubes) << "arena " << arena;
        // The clock and the pick-ups' part of the frame (the rest would only slow the test).
        // A box is placed whenever the countdown is re-armed (one pushed into rock by the
        // spawn's retries is crushed at once); each is taken away as a fighter would.
        std::vector<int> boxSeconds;
        for (int t = 0, count = powerupspawncount; t < 200 * 60; t++, count = powerupspawncount) {
            secondsfunct();
            cubespawnerroutine();
            updatecube();
            EXPECT_EQ(powerup[0]->active, powerupspawncount > count);
            updatepowerup();
            if (powerupspawncount > count)
                boxSeconds.push_back(seconds);
            powerup[0]->active = 0;
        }
        ASSERT_GE(boxSeconds.size(), 4u) << "arena " << arena;
        EXPECT_EQ(boxSeconds[0], 38);
        for (size_t i = 1; i < boxSeconds.size(); i++)
            EXPECT_TRUE(boxSeconds[i] - boxSeconds[i - 1] >= 32 && boxSeconds[i] - boxSeconds[i - 1] <= 40)
                << "arena " << arena << ": boxes at " << boxSeconds[i - 1] << " and " << boxSeconds[i];
    }
    harnessStop();   // the other pick-up tests run on records of their own
}

} // namespace
