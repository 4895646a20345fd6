// Spawns: the first free slot, the throw each kind takes from its own fighter, what a slot
// keeps from its last life.
#include <gtest/gtest.h>
#include <string.h>

#include <algorithm>

#include "fighters/fighter.h"
#include "gore_env.h"

namespace {

// Ranges of the throw over many spawns into slot 0, its own fighter facing `facing` at
// `run` while the other fighter runs the other way at 50 (casings: `facing` is the
// shooter's). `slotXVel` is what slot 0 holds before the spawn.
struct ThrowRow {
    const char *kind;
    int facing;
    double run;
    int slotXVel;
    int xMin, xMax, yMin, yMax;
};

TEST_F(GoreTest, EachKindIsThrownWithItsOwnFightersRun)
{
    const ThrowRow rows[] = {
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
    for (const ThrowRow &r : rows) {
        SCOPED_TRACE(r.kind);
        const GoreKind &k = goreKind(r.kind);
        Fighter *own = k.team == 2 ? player2 : player, *other = k.team == 2 ? player : player2;
        own->facing = r.facing;
        own->runSpeed = r.run;
        other->facing = 1 - r.facing;
        other->runSpeed = 50.0;
        int xMin = 99, xMax = -99, yMin = 99, yMax = -99;
        for (int i = 0; i < 300; i++) {
            DebrisParticle *p = k.pool[0];
            placeStill(k, 0, 0)->active = 0;
            p->xVel = r.slotXVel;
            p->fallSpeed = 7;
            if (k.spawnCasing)
                k.spawnCasing(219, 400, r.facing);
            else
                k.spawn(219, 400);
            ASSERT_EQ(p->active, 1);
            ASSERT_EQ(p->x, 219);
            ASSERT_EQ(p->y, 400);
            ASSERT_EQ(p->fallSpeed, 0);
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

// Every pool fills from slot 0, a full pool ignores a spawn, and a reused slot keeps the
// angle and spin it had.
TEST_F(GoreTest, SpawnsTakeTheFirstFreeSlotAndKeepItsTurn)
{
    for (const GoreKind &k : goreKinds) {
        SCOPED_TRACE(k.name);
        auto spawn = [&k] {
            if (k.spawnCasing)
                k.spawnCasing(800, 400, FACING_RIGHT);
            else
                k.spawn(800, 400);
        };
        for (int i = 0; i < k.count; i++) {
            spawn();
            ASSERT_EQ(liveCount(k), i + 1);
            ASSERT_EQ(k.pool[i]->active, 1);
        }
        static DebrisParticle before[BLOOD_COUNT];
        for (int i = 0; i < k.count; i++)
            before[i] = *k.pool[i];
        spawn();
        for (int i = 0; i < k.count; i++)
            ASSERT_EQ(memcmp(&before[i], k.pool[i], sizeof(DebrisParticle)), 0) << "slot " << i;
        DebrisParticle *last = k.pool[k.count - 1];
        last->active = 0;
        last->angle = 77;
        last->spin = 3;
        spawn();
        EXPECT_EQ(last->active, 1);
        EXPECT_EQ(last->spin, 3);
        if (strstr(k.name, "arm") == nullptr)
            EXPECT_EQ(last->angle, 77);
    }
}

}  // namespace
