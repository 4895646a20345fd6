// Shared set-up of the fighter tests: a symmetric test arena put straight into the tile map
// engine's globals, both fighters alive on it, and input scripts for player 1 that player 2
// plays mirrored.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fighter.h"
#include "fighters/twins.h"
#include "core/sound.h"

// Legend: '#' solid, '.' empty, 'H' ladder, 'T' ladder top, '=' ladder-top side, 'S' stairs.
// Each row gives the left 25 columns; the right 25 are their mirror. Rows not given are
// empty except the edge walls; `rows[0]` is map row `firstRow`.
void loadMirroredArena(const std::vector<std::string> &rows, int firstRow);
// Unhooks the test arena from the engine.
void unloadArena();

// Player 1's keys for one tick; player 2 gets them mirrored (left and right swapped).
struct Keys {
    int left = 0, right = 0, up = 0, down = 0, jump = 0;
};
Keys keys(const char *which);   // any of "l", "r", "u", "d", "j", e.g. "rj"

// The fighter steps of one game frame, in the frame's order, with these keys.
void fighterTick(const Keys &k);
void fighterTicks(const Keys &k, int count);

// Every shot pool of both fighters, one tick, in the frame's order.
void updateShots();
// The fighter steps of one game frame, then their sound cues, shots, bombs and blast fronts
// in the frame's order. Fire and bomb inputs are left as the test set them.
void combatTick(const Keys &k);
void combatTicks(const Keys &k, int count);

// The calls the fighters' code makes into the gore, effects, explosions and mines (the
// folder's wraps.txt routes them past a counter on their way): "blood", "blood2", "gibs",
// "head2", ... by function, "spark<kind>", "explosion <type>/<radius>", "greenmine",
// "gibcasing", ...
int callCount(const std::string &name);
void resetCalls();

// Records every sample the game plays or stops while it lives.
struct SampleLog {
    SampleLog();
    ~SampleLog();
    std::vector<SampleCall> calls;
    // Plays of a slot, of a slot at one frequency, and stops of a slot.
    int plays(int slot) const;
    int plays(int slot, int frequency) const;
    int stops(int slot) const;
};

// Both fighters alive and at rest at (x1, y) and (x2, y), facing into the arena (player 1
// right, player 2 left), every movement field at rest.
void restFighters(int x1, int x2, int y);

// x of player 2 mirroring a player 1 box at x (the arena is 1600 wide, the box 33).
int mirrorX(int x);

// The plain floor: row 30 solid, its top at y 960; a fighter rests on it at y 911.
extern const std::vector<std::string> kFloor;
const int kFloorRow = 30, kRestY = 911;

class FighterTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Fighter 1 or 2 and his twin table.
    static Fighter *fighter(int side) { return side == 1 ? player : player2; }
    static FighterSide sideOf(int side) { return side == 1 ? sideOne() : sideTwo(); }
    // restFighters at (x, y) and its mirror.
    void place(int x, int y) { restFighters(x, mirrorX(x), y); }
    // Loads the arena, places both at x (and its mirror) at kRestY and lets three quiet ticks
    // settle them.
    void settleOn(const std::vector<std::string> &rows, int firstRow, int x);
    void settle(int x) { settleOn(kFloor, kFloorRow, x); }
    // Player 2 stands where player 1's mirror would, give or take `slack` px sideways.
    void expectMirrored(int slack = 1)
    {
        EXPECT_NEAR(player2->x, mirrorX(player->x), slack);
        EXPECT_EQ(player2->y, player->y);
    }
};
