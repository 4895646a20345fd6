// Drawing into memory bitmaps (pixels in the right cells, windows and clip rectangles
// respected), pillars, parallax, MAR layers, the click mask of staggered maps.
#include <stdio.h>
#include <unistd.h>

#include <string>

#include "maptest.h"

namespace {

class DrawTest : public MapTest {
 protected:
  BITMAP *dest = nullptr;
  int white = 0;
  void SetUp() override {
    MapTest::SetUp();
    ASSERT_EQ(0, decodeMap(sampleMap()));
    dest = create_bitmap(120, 200);
    white = makecol(255, 255, 255);
    clear_to_color(dest, white);
    set_clip_rect(dest, 3, 4, 110, 190);
  }
  void TearDown() override {
    int x1, y1, x2, y2;
    get_clip_rect(dest, &x1, &y1, &x2, &y2);
    EXPECT_EQ(3, x1);  // every drawing call leaves the clip rectangle as it was
    EXPECT_EQ(4, y1);
    EXPECT_EQ(110, x2);
    EXPECT_EQ(190, y2);
    EXPECT_TRUE(get_clip_state(dest));
    destroy_bitmap(dest);
    MapTest::TearDown();
  }
  bool is(int x, int y, int r, int g, int b) { return sameColour(getpixel(dest, x, y), r, g, b); }
  bool isWhite(int x, int y) { return getpixel(dest, x, y) == white; }
};

// Background colour of each block of the sample map (graphics 0 black, 1 red, 2 green, 3 blue).
const int kBlockColour[5][3] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 255, 0}};
const int kAnimBlock[2] = {2, 1};  // blocks shown at load by cells -1 and -2

TEST_F(DrawTest, BackgroundPutsEveryCellWhereItBelongs) {
  MapDrawBG(dest, 0, 0, 10, 8, 96, 80);
  for (int r = 0; r < 5; r++)
    for (int c = 0; c < 6; c++) {
      int cell = kSampleCells[r][c], block = cell < 0 ? kAnimBlock[-cell - 1] : cell;
      const int *rgb = kBlockColour[block];
      EXPECT_TRUE(is(10 + 16 * c + 8, 8 + 16 * r + 8, rgb[0], rgb[1], rgb[2])) << c << "," << r;
    }
  EXPECT_TRUE(is(10 + 16, 8 + 16, 0, 0, 0));     // block 0 is drawn too
  EXPECT_TRUE(is(10, 8, 255, 0, 255));           // opaque: the mask pixel shows
  EXPECT_TRUE(isWhite(9, 20));
  EXPECT_TRUE(isWhite(50, 88));
}

TEST_F(DrawTest, AMapPositionInsideACellStartsLeftOfTheWindowClipped) {
  // Row 1 is 1 0 0 2 0 1; at mapx 20 column 1 starts 4 pixels left of the window.
  MapDrawBG(dest, 20, 16, 10, 8, 40, 16);
  EXPECT_TRUE(isWhite(9, 10));
  EXPECT_TRUE(is(10, 10, 0, 0, 0));
  EXPECT_TRUE(is(38, 10, 0, 255, 0));
  EXPECT_TRUE(is(49, 10, 0, 255, 0));
  EXPECT_TRUE(isWhite(50, 10));
  EXPECT_TRUE(isWhite(30, 24));
}

TEST_F(DrawTest, SeeThroughBlocksAreMaskedAndForegroundsChooseTheirField) {
  MapDrawBGT(dest, 0, 0, 0, 0, 96, 80);
  EXPECT_TRUE(isWhite(16, 48));                  // block 4 (trigger): mask pixel not drawn
  EXPECT_TRUE(is(17, 48, 0, 255, 0));
  EXPECT_TRUE(is(48, 16, 255, 0, 255));          // block 2: opaque

  clear_to_color(dest, white);
  MapDrawFG(dest, 0, 0, 0, 0, 96, 80, 0);        // fgoff: block 2 shows graphic 3
  EXPECT_TRUE(is(56, 24, 0, 0, 255));
  EXPECT_TRUE(is(24, 40, 0, 0, 255));            // cell -1 shows block 2
  EXPECT_TRUE(isWhite(48, 16));                  // masked
  EXPECT_TRUE(isWhite(8, 8));                    // block 1 has no foreground
  MapDrawFG(dest, 0, 0, 0, 0, 96, 80, 1);        // fgoff2: block 3 shows graphic 1
  EXPECT_TRUE(is(40, 40, 255, 0, 0));
  MapDrawFG(dest, 0, 0, 0, 0, 96, 80, 5);        // any other value: fgoff3
  EXPECT_TRUE(is(24, 56, 0, 255, 0));
  EXPECT_TRUE(isWhite(72, 56));

  clear_to_color(dest, white);
  mapgfxinbitmaps = 0;
  MapDrawBG(dest, 0, 0, 0, 0, 96, 80);
  MapDrawFG(dest, 0, 0, 0, 0, 96, 80, 0);
  EXPECT_TRUE(isWhite(8, 8));
  // Windows off the bitmap and map positions far outside the map draw nothing.
  mapgfxinbitmaps = 2;
  MapDrawBG(dest, 0, 0, 500, 500, 96, 80);
  MapDrawBG(dest, 0, 0, -500, -500, 96, 80);
  MapDrawBG(dest, 100000, -100000, 0, 0, 96, 80);
  MapDrawBG(dest, 0, 0, 0, 0, 0, 80);
  EXPECT_TRUE(isWhite(8, 8));
  // A window reaching far past the bitmap costs only what is visible (no endless walk).
  MapDrawBG(dest, -2000000000, -2000000000, -2000000000, -2000000000, 2100000000, 2100000000);
  MapDrawRow(dest, 0, 0, -2000000000, 0, 2100000000, 100, 0, NULL);
  MapDrawBG(dest, -2000000010, -2000000010, -2000000000, -2000000000, 2100000000, 2100000000);
  EXPECT_TRUE(is(10, 10, 255, 0, 255));  // map cell (0, 0)'s first pixel, 10 pixels in
}

int rowCalls, rowLastColumn;
void countCell(int cx, int cy, int, int) {
  rowCalls++;
  rowLastColumn = cx;
  EXPECT_EQ(1, cy);
}

TEST_F(DrawTest, RowsStackPillarsUpwardsThroughFollowingRecords) {
  FmpMap m = sampleMap();
  m.blocks[2].flags = FMP_FLAG_PILLAR;      // continues into block 3 ...
  m.blocks[3].flags = FMP_FLAG_RIGHTHALF;   // ... drawn as right halves
  m.blocks[4].flags = FMP_FLAG_PILLAR;      // the last record: nothing follows
  ASSERT_EQ(0, decodeMap(m));
  rowCalls = 0;
  MapDrawRow(dest, 0, 0, 0, 100, 96, 90, 1, countCell);
  EXPECT_EQ(6, rowCalls);
  EXPECT_EQ(5, rowLastColumn);
  // Cell (3, 1) is block 2, drawn at y 116; what is stacked above it leaves the window.
  EXPECT_TRUE(is(56, 124, 0, 0, 255));
  EXPECT_TRUE(isWhite(56, 108));
  EXPECT_TRUE(isWhite(56, 99));                 // above the window
  clear_to_color(dest, white);
  MapDrawRow(dest, 0, 0, 0, 0, 96, 190, 3, NULL);  // row 3 at y 48 holds block 4
  EXPECT_TRUE(is(24, 48 - 32 + 8, 0, 255, 0));  // fgoff3, two blocks up
  clear_to_color(dest, white);
  // Map row 1 drawn at y 96 (a map position above the map moves it down the window).
  MapDrawRow(dest, 0, -80, 0, 0, 96, 190, 6, NULL);
  EXPECT_TRUE(is(56, 104, 0, 0, 255));           // block 2's fgoff
  EXPECT_TRUE(isWhite(56, 88));                  // its empty fgoff2 slot
  EXPECT_TRUE(is(50, 56, 0, 0, 255));            // block 3's bgoff, right half at x 48..55
  EXPECT_TRUE(isWhite(58, 56));
  EXPECT_TRUE(is(50, 24, 255, 0, 0));            // block 3's fgoff2
  EXPECT_TRUE(isWhite(50, 8));
  MapDrawRow(dest, 0, 0, 0, 0, 96, 190, 5, countCell);  // past the last row: nothing

  // Bit 64 alone draws the picture's left half, bit 128 alone its right half (at the cell's
  // own x), both the whole; the new graphic is red on the left, green on the right.
  const struct { int flags, left[3], right[3]; } halves[] = {
      {FMP_FLAG_LEFTHALF, {255, 0, 0}, {255, 255, 255}},
      {FMP_FLAG_RIGHTHALF, {0, 255, 0}, {255, 255, 255}},
      {FMP_FLAG_LEFTHALF | FMP_FLAG_RIGHTHALF, {255, 0, 0}, {0, 255, 0}},
  };
  for (const auto &c : halves) {
    SCOPED_TRACE(c.flags);
    m = sampleMap();
    int g = fmpAddGraphics(m, 1);
    for (int px = 0; px < 16; px++)
      for (int py = 0; py < 16; py++) fmpSetPixel(m, g, px, py, px < 8 ? 255 : 0, px < 8 ? 0 : 255, 0);
    m.blocks[2].fg = g;
    m.blocks[2].flags = c.flags;
    ASSERT_EQ(0, decodeMap(m));
    clear_to_color(dest, white);
    MapDrawRow(dest, 0, 0, 0, 0, 96, 190, 1, NULL);  // cell (3, 1) at (48, 16)
    EXPECT_TRUE(is(50, 24, c.left[0], c.left[1], c.left[2]));
    EXPECT_TRUE(is(60, 24, c.right[0], c.right[1], c.right[2]));
  }
}

int rowFirstColumn, rowFirstX, rowLastX;
void recordCell(int cx, int, int dx, int) {
  if (rowCalls++ == 0) {
    rowFirstColumn = cx;
    rowFirstX = dx;
  }
  rowLastColumn = cx;
  rowLastX = dx;
}

// The callback sees every cell of the window, drawn or not: the window may run off the
// 120-pixel-wide bitmap on either side, or miss it altogether.
TEST_F(DrawTest, RowCallbackSeesEveryCellOfTheWindowOnOrOffTheBitmap) {
  const struct {
    int mapx, x, w;
    int calls, firstColumn, firstX, lastX;
  } cases[] = {
      {0, 0, 96, 6, 0, 0, 80},         // inside
      {0, 100, 96, 6, 0, 100, 180},    // off the right edge
      {0, -50, 96, 6, 0, -50, 30},     // off the left edge
      {0, 500, 64, 4, 0, 500, 548},    // beside the bitmap
      {20, -50, 40, 3, 1, -54, -22},   // starting inside a cell, wholly left of it
  };
  for (const auto &c : cases) {
    SCOPED_TRACE("mapx " + std::to_string(c.mapx) + " x " + std::to_string(c.x));
    rowCalls = 0;
    MapDrawRow(dest, c.mapx, 0, c.x, 100, c.w, 50, 1, recordCell);
    EXPECT_EQ(c.calls, rowCalls);
    EXPECT_EQ(c.firstColumn, rowFirstColumn);
    EXPECT_EQ(c.firstX, rowFirstX);
    EXPECT_EQ(c.lastX, rowLastX);
  }
  EXPECT_TRUE(is(5, 124, 0, 0, 255));  // drawn where on the bitmap: cell (3, 1) at x -2
}

TEST_F(DrawTest, ParallaxShowsBehindSeeThroughBlocks) {
  BITMAP *src = create_bitmap(100, 80);
  for (int y = 0; y < 80; y++)
    for (int x = 0; x < 100; x++) putpixel(src, x, y, makecol(x * 2, y * 3, 7));
  BITMAP *par = MapMakeParallaxBitmap(src, 0);
  ASSERT_NE(nullptr, par);
  EXPECT_EQ(116, par->w);
  EXPECT_EQ(96, par->h);
  for (int y = 0; y < 96; y += 7) EXPECT_EQ(getpixel(par, 0, y), getpixel(par, 100, y));
  for (int x = 0; x < 116; x += 7) EXPECT_EQ(getpixel(par, x, 0), getpixel(par, x, 80));
  EXPECT_EQ(nullptr, MapMakeParallaxBitmap(src, 2));

  MapDrawParallax(dest, par, 0, 0, 0, 0, 96, 80);
  EXPECT_EQ(getpixel(par, 16 + 3, 48 + 5), getpixel(dest, 16 + 3, 48 + 5));  // cell (1, 3)
  EXPECT_TRUE(isWhite(8, 8));
  BITMAP *tiny = create_bitmap(16, 16);
  MapDrawParallax(dest, tiny, 0, 0, 0, 0, 96, 80);  // no larger than a block: nothing
  destroy_bitmap(tiny);
  destroy_bitmap(par);
  destroy_bitmap(src);
}

TEST_F(DrawTest, StaggeredMapsDrawAndTheClickMaskPicksCells) {
  FmpMap m = sampleMap();
  m.gapX = m.gapY = 16;
  m.staggerX = 8;
  m.staggerY = 8;
  m.clickMask = 1;
  ASSERT_EQ(0, decodeMap(m));
  MapDrawBG(dest, 0, 0, 0, 0, 96, 80);
  MapDrawBGT(dest, 0, 0, 0, 0, 96, 80);
  MapDrawRow(dest, 0, 0, 0, 0, 96, 80, 1, NULL);
  EXPECT_TRUE(is(41, 30, 255, 0, 0));            // map row 4 at y 24, x from -8
  // A row is drawn only while mapy / gap y + row stays inside the map, staggered or not:
  // with stagger y 40, mapy 64 and row 1 name map row 3, yet 64 / 16 + 1 is the height.
  mapblockstaggery = 40;
  rowCalls = 0;
  MapDrawRow(dest, 0, 48, 0, 0, 96, 80, 1, countCell);  // map row 1
  EXPECT_EQ(6, rowCalls);
  MapDrawRow(dest, 0, 64, 0, 0, 96, 80, 1, countCell);
  EXPECT_EQ(6, rowCalls);
  mapblockstaggery = 8;
  // Beside it a staggered map's own limit, one row short: rows go two to a gap, so at mapy 24
  // row 1 names map row 3 and draws, row 2 names the last one (height - 1) and draws nothing.
  rowCalls = 0;
  MapDrawRow(dest, 0, 24, 0, 0, 96, 80, 1, recordCell);
  EXPECT_EQ(6, rowCalls);
  MapDrawRow(dest, 0, 24, 0, 0, 96, 80, 2, recordCell);
  EXPECT_EQ(6, rowCalls);
  // Graphic 1's pixel (0, 0) is see-through, the rest opaque.
  EXPECT_EQ(-1, MEClickmask(0, 0, 0));
  EXPECT_EQ(-1, MEClickmask(0, 0, 1));
  EXPECT_EQ(0, MEClickmask(5, 5, 0));
  EXPECT_EQ(2, MapGetYOffset(0, 16));  // (8, 24): row 1 doubled, opaque
}

TEST_F(DrawTest, MarLayersLoadAndConvertOffsets) {
  std::vector<unsigned char> image;
  for (int i = 0; i < 30; i++) {
    int v = (i % 3) * 32;
    image.push_back(v & 255);
    image.push_back(v >> 8);
  }
  EXPECT_EQ(-1, MapDecodeMAR(image.data(), 8));
  EXPECT_EQ(-1, MapDecodeMAR(image.data(), 2, 59));
  ASSERT_EQ(0, MapDecodeMAR(image.data(), 2, (long)image.size()));
  ASSERT_EQ(2, MapChangeLayer(2));
  EXPECT_EQ(1, mappt[1]);
  EXPECT_EQ(2, mappt[2]);
  EXPECT_EQ(2, (int)(MapGetBlock(2, 0) - mapblockstrpt));
  image[2] = 33;  // one cell not a multiple of 16: all cells taken as indices
  ASSERT_EQ(0, MapDecodeMAR(image.data(), 2, (long)image.size()));
  EXPECT_EQ(33, mappt[1]);
  EXPECT_EQ(0, MapGetBlock(1, 0)->bgoff);  // names no record: empty

  char path[] = "/tmp/tilemap_marXXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  image[2] = 64;
  ASSERT_EQ((ssize_t)image.size(), write(fd, image.data(), image.size()));
  close(fd);
  ASSERT_EQ(0, MapLoadMAR(path, 3));
  EXPECT_EQ(2, mapmappt[3][1]);
  ASSERT_EQ(0, truncate(path, 40));
  mapmappt[3][1] = 4;
  EXPECT_EQ(-1, MapLoadMAR(path, 3));
  EXPECT_EQ(4, mapmappt[3][1]);  // a short file changes nothing
  EXPECT_EQ(-1, MapLoadMAR("/nonexistent/x.mar", 3));
  unlink(path);
}

}  // namespace
