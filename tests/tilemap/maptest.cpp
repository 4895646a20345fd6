#include "maptest.h"

#include <allegro.h>
#include <errno.h>
#include <stdlib.h>

const short kSampleCells[5][6] = {
    {1, 1, 1, 1, 1, 1},
    {1, 0, 0, 2, 0, 1},
    {1, -1, 3, 3, -2, 1},
    {1, 4, 4, 4, 0, 1},
    {1, 1, 1, 1, 1, 1},
};

FmpMap sampleMap() {
  FmpMap m;
  m.width = 6;
  m.height = 5;
  m.blockWidth = m.blockHeight = 16;
  const int colours[4][3] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  fmpAddGraphics(m, 4);
  for (int g = 0; g < 4; g++)
    for (int y = 0; y < 16; y++)
      for (int x = 0; x < 16; x++) fmpSetPixel(m, g, x, y, colours[g][0], colours[g][1], colours[g][2]);
  for (int g = 1; g < 4; g++) fmpSetPixel(m, g, 0, 0, 255, 0, 255);
  m.blocks.resize(5);
  m.blocks[1].bg = 1;
  m.blocks[1].flags = FMP_FLAG_TR | FMP_FLAG_BL;
  m.blocks[1].user5 = 5;
  m.blocks[2].bg = 2;
  m.blocks[2].fg = 3;
  m.blocks[2].user2 = 7;
  m.blocks[3].bg = 3;
  m.blocks[3].fg2 = 1;
  m.blocks[3].user3 = -2;
  m.blocks[3].user4 = 9;
  m.blocks[3].user7 = 200;
  m.blocks[4].bg = 2;
  m.blocks[4].fg3 = 2;
  m.blocks[4].user1 = 0x80000003u;
  m.blocks[4].flags = FMP_FLAG_TRIGGER | FMP_FLAG_TL;
  m.anims.resize(2);
  m.anims[0].type = AN_LOOPF;
  m.anims[0].frames = {1, 2, 3};
  m.anims[1].type = AN_PPFF;
  m.anims[1].delay = 1;
  m.anims[1].frames = {2, 3, 4};
  m.layers.resize(2);
  for (int r = 0; r < 5; r++)
    for (int c = 0; c < 6; c++) {
      m.layers[0].push_back(kSampleCells[r][c]);
      m.layers[1].push_back((short)((r + c) % 5));
    }
  return m;
}

int decodeBytes(std::vector<unsigned char> bytes) {
  return MapDecode(bytes.data(), (long)bytes.size());
}

int decodeMap(const FmpMap &m) {
  std::vector<unsigned char> bytes;
  EXPECT_TRUE(fmpWriteMemory(m, bytes));
  return decodeBytes(bytes);
}

int tileIndex(intptr_t handle) {
  for (int i = 0; abmTiles && abmTiles[i]; i++)
    if ((intptr_t)abmTiles[i] == handle) return i;
  return -1;
}

bool sameColour(int c, int r, int g, int b) {
  return getr(c) == r && getg(c) == g && getb(c) == b;
}

void MapTest::SetUp() {
  static bool started = false;
  if (!started) {
    ASSERT_EQ(0, install_allegro(SYSTEM_NONE, &errno, atexit));
    started = true;
  }
  set_color_depth(16);
  maptargetdepth = 16;
  mapgfxinbitmaps = 2;
}

void MapTest::TearDown() {
  MapFreeMem();
  maptargetdepth = 0;
}
