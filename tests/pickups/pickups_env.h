// Shared set-up of the pick-up and mine tests: a tile map drawn from text put straight into
// the engine, both fighters parked out of the way, every pool fresh, and a record of the
// effect, gore and sample calls the code under test makes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Legend: '#' solid, 'S' stairs, anything else empty. Row r of the text is map row r (32 px
// cells, 50 x 38); missing rows and columns are empty.
void loadGrid(const std::vector<std::string> &rows);
// Every cell solid.
void loadSolidMap();

// One call seen: its name and first four integer arguments.
struct Call {
    std::string name;
    int a, b, c, d;
};
extern std::vector<Call> calls;
// The calls of that name, in order.
std::vector<Call> callsTo(const char *name);
// The samples played of a sample-table slot, as calls "sample" (volume, pan, frequency).
std::vector<Call> samplesOf(int slot);

class PickupTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The fighter's box at (x, y), alive, at rest.
    void putFighter(int who, int x, int y);
    // Runs the cube and box updates as the game frame does, `count` times; the bout clock's
    // tick counter is 0 on the first of every 60.
    void runPickups(int count);
};
