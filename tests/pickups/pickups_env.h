// Shared set-up of the pick-up and mine tests: a tile map drawn from text put straight into
// the engine, both fighters parked high up, every pool fresh, and a record of the effect,
// gore and sample calls the code under test makes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Map row r is text row r ('#' solid, 'S' stairs, else empty; 32 px cells, 50 x 38).
void loadGrid(const std::vector<std::string> &rows);
// Only a floor of `cell` along row 30 (y 960 to 991).
void loadFloor(char cell = '#');

// One call seen: its name and first four integer arguments. Samples are named "sample"
// with (slot, volume, pan, frequency).
struct Call {
    std::string name;
    int a, b, c, d;
};
extern std::vector<Call> calls;
std::vector<Call> callsTo(const char *name, int sampleSlot = -1);

class PickupTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Fighter 1 (who 0) or 2 with his box at (x, y), in play.
    void putFighter(int who, int x, int y);
    // The cube and box updates, `count` frames; the bout clock's tick counter runs along.
    void runPickups(int count);
};
