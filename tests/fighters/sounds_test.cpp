// The movement sound cues of both fighters: each sounds once per event, at the fighter's
// pan, and a wall grab silences the jump sample.
#include <gtest/gtest.h>

#include "fighters/fighter.h"
#include "fighters_env.h"

namespace {

struct Cue {
    int Fighter::*field;
    int plays, clears;
    int Fighter::*gate;   // must hold `gateValue` too, when given
    int gateValue;
    int slot, volume, frequency1, frequency2;
};

TEST_F(FighterTest, EachSoundCueSoundsOncePerEvent)
{
    const Cue cues[] = {
        {&Fighter::runFrame, 2, 3, &Fighter::onGround, 1, SND_STEP_1, 40, 1100, 1100},
        {&Fighter::runFrame, 7, 8, &Fighter::onGround, 1, SND_STEP_2, 40, 1200, 1200},
        {&Fighter::jumpPhase, JUMP_FALLING, JUMP_NONE, &Fighter::onGround, 1, SND_LAND, 50, 500, 500},
        {&Fighter::climbFrame, 0, 1, &Fighter::state, FIGHTER_CLIMB_UP, SND_LADDER_1, 30, 1200, 1200},
        {&Fighter::climbFrame, 4, 5, &Fighter::state, FIGHTER_CLIMB_DOWN, SND_LADDER_2, 30, 1200, 1200},
        {&Fighter::wallGrabTimer, 79, 78, NULL, 0, SND_WALL_GRAB, 40, 700, 500},
        {&Fighter::slideFrame, 1, 2, NULL, 0, SND_SLIDE, 40, 350, 350},
    };
    for (const Cue &c : cues) {
        for (int side = 1; side <= 2; side++) {
            SCOPED_TRACE(testing::Message() << "slot " << c.slot << ", fighter " << side);
            restFighters(300, 1200, 500);
            Fighter *f = side == 1 ? player : player2;
            void (*cueStep)() = side == 1 ? playerSound : player2Sound;
            f->pan = 77;
            f->onGround = 0;
            SampleLog log;
            f->*c.field = c.plays;
            cueStep();
            if (c.gate) {
                EXPECT_EQ(log.plays(c.slot), 0) << "sounds without its condition";
                f->*c.gate = c.gateValue;
            }
            for (int t = 0; t < 3; t++)
                cueStep();
            f->*c.field = c.clears;
            cueStep();
            f->*c.field = c.plays;
            cueStep();
            int frequency = side == 1 ? c.frequency1 : c.frequency2;
            EXPECT_EQ(log.plays(c.slot, frequency), 2);
            const SampleCall &first = log.calls.front();
            EXPECT_EQ(first.volume, c.volume);
            EXPECT_EQ(first.pan, 77);
            // A wall grab stops the fighter's own jump slot.
            int stops = c.slot == SND_WALL_GRAB ? 2 : 0;
            EXPECT_EQ(log.stops(side == 1 ? SND_JUMP : SND_JUMP2), stops);
            EXPECT_EQ(log.calls.size(), 2u + stops);
        }
    }
}

} // namespace
