// Every kind thrown along all four borders and from the corners of both arenas, run until
// it settles: the sanitizer build watches every probe and stamp, and no live piece is left
// outside the arena.
#include <gtest/gtest.h>

#include "core/fighter.h"
#include "gore_env.h"
#include "core/world.h"

namespace {

TEST_F(GoreTest, PiecesThrownAtTheBordersStayInBounds)
{
    for (int arena : {ARENA_HELL, ARENA_LONDON}) {
        useArena(arena);
        for (int x : {-30, 0, 3, 800, 1597, 1599, 1630}) {
            for (int y : {-30, 0, 5, 600, 1195, 1199, 1230}) {
                player->runSpeed = player2->runSpeed = (x + y) % 9;
                player->facing = x < 800;
                player2->facing = y < 600;
                for (const GoreKind &k : goreKinds)
                    spawnOne(k, x, y, (x + y) & 1);
                greentorso[0]->xVel = (x & 1) ? 60 : -60;   // an explosion's push
                purplehead[0]->yImpulse = (y & 1) ? 60 : -60;
                for (int frame = 0; frame < 400; frame++) {
                    for (const GoreKind &k : goreKinds)
                        k.update();
                    drawBlood();
                }
                for (const GoreKind &k : goreKinds)
                    for (int i = 0; i < k.count; i++) {
                        const DebrisParticle *p = k.pool[i];
                        EXPECT_TRUE(!p->active || (p->x >= 0 && p->x <= 1599 && p->y >= -20 &&
                                                   p->y <= 1220))
                            << k.name << " from " << x << ", " << y << " at " << p->x << ", "
                            << p->y;
                    }
                setupBlood();
                setupBlood2();
                setupCasings();
            }
        }
    }
}

}  // namespace
