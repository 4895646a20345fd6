// Every kind thrown along all four borders and in the corners of both arenas, run until it
// settles: every probe and stamp stays inside the map and the bitmaps (the sanitizer build
// watches), and no live piece is left outside the arena.
#include <gtest/gtest.h>

#include "fighters/fighter.h"
#include "gore_env.h"
#include "shell/loop.h"

namespace {

TEST_F(GoreTest, PiecesThrownAtTheBordersStayInBounds)
{
    const int xs[] = {-30, 0, 3, 800, 1597, 1599, 1630};
    const int ys[] = {-30, 0, 5, 600, 1195, 1199, 1230};
    for (int arena : {ARENA_HELL, ARENA_LONDON}) {
        useArena(arena);
        for (int x : xs) {
            for (int y : ys) {
                if (x == 800 && y == 600)
                    continue;
                player->runSpeed = player2->runSpeed = (x + y) % 9;
                player->facing = x < 800;
                player2->facing = y < 600;
                for (const GoreKind &k : goreKinds) {
                    if (k.spawnCasing)
                        k.spawnCasing(x, y, (x + y) & 1);
                    else
                        k.spawn(x, y);
                }
                // An explosion's push, larger than any clamp.
                greentorso[0]->xVel = (x & 1) ? 60 : -60;
                purplehead[0]->yImpulse = (y & 1) ? 60 : -60;
                for (int frame = 0; frame < 400; frame++) {
                    updateAllGore();
                    drawBlood();
                }
                for (const GoreKind &k : goreKinds) {
                    for (int i = 0; i < k.count; i++) {
                        const DebrisParticle *p = k.pool[i];
                        if (!p->active)
                            continue;
                        EXPECT_TRUE(p->x >= 0 && p->x <= 1599 && p->y >= -20 && p->y <= 1220)
                            << k.name << " from " << x << ", " << y << " left at " << p->x
                            << ", " << p->y;
                    }
                }
                setupBlood();
                setupBlood2();
                setupCasings();
            }
        }
    }
}

}  // namespace
