// Shared set-up of the tile map tests: headless Allegro at 16 bits, a small map that uses
// every feature the loader has (animations, two layers, flags, user fields), and loading
// it from memory.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tilemap/tilemap.h"
#include "tools/fmpwrite/fmpwrite.h"

// 6 x 5 cells of 16 x 16 blocks, graphics 0 black, 1 red, 2 green, 3 blue (each with a
// magenta pixel at (0, 0)), 5 block records, 2 animations, layers 0 and 1.
FmpMap sampleMap();
extern const short kSampleCells[5][6];

// Writes the map and decodes it from memory, the real size given.
int decodeMap(const FmpMap &m);
int decodeBytes(std::vector<unsigned char> bytes);

// Index of the tile picture a relocated graphic field points at (-1: none of them).
int tileIndex(intptr_t handle);

bool sameColour(int c, int r, int g, int b);

class MapTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};
