// Spawns: the throw each kind takes from its own fighter, the first free slot, and what a
// reused slot keeps.
#include <gtest/gtest.h>
#include <string.h>

#include <algorithm>

#include "core/fighter.h"
#include "gore_env.h"

namespace {

// Ranges of the throw over 300 spawns into slot 0, holding `slotXVel` before, while the
// own fighter faces `facing` at `run` and the other one runs the other way at 50 (casings:
// `facing` is the shooter's).
TEST_F(GoreTest, EachKindIsThrownWithItsOwnFightersRun)
{
    const struct {
        const char *kind;
        int facing;
        double run;
        int slotXVel, xMin, xMax, yMin, yMax;
    } rows[] = {
        {"green blood", FACING_RIGHT, 0.0, 0, -6, 5, -10, 9},
        {"purple blood", FACING_LEFT, 8.0, 0, -14, -3, -10, 9},
        {"green gib", FACING_RIGHT, 8.0, 0, 2, 13, -10, 9},
        {"purple gib", FACING_LEFT, 3.5, 0, -9, 1, -10, 9},
        {"green head", FACING_LEFT, 0.0, 0, -8, 7, -16, -16},
        {"purple head", FACING_RIGHT, 8.0, 0, 0, 15, -16, -16},
        {"green torso", FACING_RIGHT, 8.6, 0, 8, 8, -16, -16},
        {"purple torso", FACING_LEFT, 8.6, 0, -8, -8, -16, -16},
        {"green arm", FACING_RIGHT, 0.0, -5, -5, -5, -17, -8},
        {"purple leg", FACING_LEFT, 4.0, 0, -4, -4, -16, -16},
        {"gib casing", FACING_RIGHT, 0.0, 0, -14, -5, -10, -6},
        {"homo casing", FACING_LEFT, 0.0, 0, 4, 13, -10, -6},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.kind);
        const GoreKind &k = goreKind(r.kind);
        Fighter *own = k.team == 2 ? player2 : player, *other = k.team == 2 ? player : player2;
        own->facing = r.facing;
        own->runSpeed = r.run;
        other->facing = 1 - r.facing;
        other->runSpeed = 50.0;
        int xMin = 99, xMax = -99, yMin = 99, yMax = -99;
        for (int i = 0; i < 300; i++) {
            DebrisParticle *p = placeStill(k, 0, 0);
            p->active = 0;
            p->xVel = r.slotXVel;
            p->fallSpeed = 7;
            spawnOne(k, 219, 400, r.facing);
            ASSERT_TRUE(p->active == 1 && p->x == 219 && p->y == 400 && p->fallSpeed == 0);
            xMin = std::min(xMin, p->xVel);
            xMax = std::max(xMax, p->xVel);
            yMin = std::min(yMin, p->yImpulse);
            yMax = std::max(yMax, p->yImpulse);
        }
        EXPECT_EQ(xMin, r.xMin);
        EXPECT_EQ(xMax, r.xMax);
        EXPECT_EQ(yMin, r.yMin);
        EXPECT_EQ(yMax, r.yMax);
    }
}

// Every pool fills from slot 0, a full pool ignores a spawn, and a reused slot keeps its
// spin and (but for an arm) its angle.
TEST_F(GoreTest, SpawnsTakeTheFirstFreeSlotAndKeepItsTurn)
{
    static DebrisParticle before[BLOOD_COUNT];
    for (const GoreKind &k : goreKinds) {
        SCOPED_TRACE(k.name);
        for (int i = 0; i < k.count; i++) {
            spawnOne(k, 800, 400, FACING_RIGHT);
            ASSERT_EQ(k.pool[i]->active, 1);
            if (i + 1 < k.count) {
                ASSERT_EQ(k.pool[i + 1]->active, 0);
            }
            before[i] = *k.pool[i];
        }
        spawnOne(k, 800, 400, FACING_RIGHT);
        for (int i = 0; i < k.count; i++)
            ASSERT_EQ(memcmp(&before[i], k.pool[i], sizeof(DebrisParticle)), 0) << "slot " << i;
        DebrisParticle *last = k.pool[k.count - 1];
        last->active = 0;
        last->angle = 77;
        last->spin = 3;
        spawnOne(k, 800, 400, FACING_RIGHT);
        EXPECT_EQ(last->spin, 3);
        EXPECT_EQ(last->angle == 77, k.pool != greenarm && k.pool != purplearm);
    }
}

}  // namespace
