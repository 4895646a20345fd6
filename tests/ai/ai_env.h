// Bouts with the computer driving player 2 on the generated arenas, for the computer
// opponent's tests.
#pragma once

#include <gtest/gtest.h>

#include "support/test_env.h"

struct Fighter;
struct Cube;

class AiBout : public HarnessTest {
protected:
    // A fresh bout on `arena` (5 Hell, 10 London) at computer level `level`, with rand()
    // seeded by `seed` and both fighters out of their booths.
    void startBout(int arena, int level, unsigned seed);
    // Stands player 2 at rest, centred on cx, on the floor whose top is floorY, his feet just
    // above it.
    static void standP2(int cx, int floorY);
    // A live cube with its top-left at (x, y), marked as the cube update would mark it in
    // the green base; returns it.
    static Cube *placeCube(int slot, double x, double y);
    // A live cube resting on a floor at a random place outside both bases.
    static void dropCubeSomewhere(int slot);
};

// Player 1's scripted input for one tick: a person who walks back and forth across his
// half of the arena, jumps now and then and fires in bursts.
void scriptedHuman(int tick);
