// Scripted random input for whole-game runs: a dice of its own (so the game's rand()
// sequence stays the game's alone) decides which of a player's seven keys are held, and a
// new choice is made every few ticks.
#pragma once

#include <stdint.h>

struct RandomInput {
    uint32_t state;
    int nextChange = 0;
    int held[14] = {};   // binding slots BIND_P1_LEFT .. BIND_P2_BOMB

    explicit RandomInput(uint32_t seed) : state(seed * 2654435761u + 1) {}
    int roll(int n);
};

// Writes this tick's held keys into key[], player 2's only when `player2Human`; the keys
// held change every 5 to 24 ticks, each key held one time in three.
void pressRandomKeys(RandomInput &in, int tick, int player2Human);
