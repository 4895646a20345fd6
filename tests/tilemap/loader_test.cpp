// Loading: every map type and byte order gives the same map; header variants, colour
// conversion, graphics choice, files on disk, and the failures that keep or drop a map.
#include <stdio.h>
#include <unistd.h>

#include <string>

#include "maptest.h"

namespace {

class LoaderTest : public MapTest {};

// The loaded map must be the sample map exactly, whatever encoding the file used.
void expectSampleLoaded(const FmpMap &m) {
  ASSERT_EQ(6, mapwidth);
  ASSERT_EQ(5, mapheight);
  EXPECT_EQ(16, mapblockwidth);
  EXPECT_EQ(5, mapnumblockstr);
  EXPECT_EQ(4, mapnumblockgfx);
  for (int l = 0; l < 2; l++)
    for (int i = 0; i < 30; i++) ASSERT_EQ(m.layers[l][i], mapmappt[l][i]) << "layer " << l << " cell " << i;
  EXPECT_EQ(mapmappt[0], mappt);
  EXPECT_EQ(nullptr, mapmappt[2]);
  for (int i = 0; i < 5; i++) {
    const BlockStr &b = mapblockstrpt[i];
    const FmpBlock &w = m.blocks[i];
    EXPECT_EQ(w.bg, tileIndex(b.bgoff)) << i;
    EXPECT_EQ(w.fg, b.fgoff ? tileIndex(b.fgoff) : 0) << i;
    EXPECT_EQ(w.fg2, b.fgoff2 ? tileIndex(b.fgoff2) : 0) << i;
    EXPECT_EQ(w.fg3, b.fgoff3 ? tileIndex(b.fgoff3) : 0) << i;
    EXPECT_TRUE(w.user1 == b.user1 && w.user2 == b.user2 && w.user3 == b.user3 &&
                w.user4 == b.user4 && w.user5 == b.user5 && w.user7 == b.user7) << i;
    int flags = b.tl | b.tr << 1 | b.bl << 2 | b.br << 3 | b.trigger << 4;
    EXPECT_EQ(w.flags, flags) << i;
  }
  ASSERT_EQ(3, mapanimstrendpt - mapanimstrpt);
  EXPECT_EQ(AN_END, mapanimstrpt[0].antype);
  EXPECT_EQ(AN_LOOPF, mapanimstrendpt[-2].antype);
  EXPECT_EQ(0, mapanimstrendpt[-2].anstartoff);
  EXPECT_EQ(3, mapanimstrendpt[-2].anendoff);
  EXPECT_EQ(3, mapanimstrendpt[-1].anstartoff);
  EXPECT_EQ(6, mapanimstrendpt[-1].anendoff);
  ASSERT_EQ(6, mapnumanimseq);
  const int seq[6] = {1, 2, 3, 2, 3, 4};
  for (int i = 0; i < 6; i++) EXPECT_EQ(seq[i], mapanimseqpt[i]);
}

TEST_F(LoaderTest, EveryMapTypeAndByteOrderLoadsTheSameMap) {
  for (int type = 0; type <= 3; type++)
    for (int lsb = 0; lsb <= 1; lsb++) {
      SCOPED_TRACE("map type " + std::to_string(type) + (lsb ? " lsb" : " msb"));
      FmpMap m = sampleMap();
      m.mapType = type;
      m.lsb = lsb;
      ASSERT_EQ(0, decodeMap(m)) << maperror;
      EXPECT_EQ(type, maptype);
      EXPECT_EQ(lsb, mapislsb);
      expectSampleLoaded(m);
    }
}

TEST_F(LoaderTest, RunCodedLayersUseRunsAndOverlappingCopies) {
  // Long rows so that the writer's runs and back-references carry most of the layer.
  FmpMap m = sampleMap();
  m.width = 40;
  m.layers.assign(1, std::vector<short>());
  for (int r = 0; r < 5; r++)
    for (int c = 0; c < 40; c++) m.layers[0].push_back((short)(r == 2 ? c % 3 : (c < 20 ? 1 : 2)));
  for (int type = 2; type <= 3; type++) {
    m.mapType = type;
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(fmpWriteMemory(m, bytes));
    long body = fmpFindChunk(bytes, "BODY");
    unsigned long n = bytes[body + 4] << 24 | bytes[body + 5] << 16 | bytes[body + 6] << 8 | bytes[body + 7];
    EXPECT_LT(n, 200u) << "the layer should be coded, not plain";
    ASSERT_EQ(0, decodeBytes(bytes)) << maperror;
    for (int i = 0; i < 200; i++) ASSERT_EQ(m.layers[0][i], mappt[i]) << "type " << type << " cell " << i;
  }
}

// A layer chunk from hand-written tokens (little-endian 16-bit values).
std::vector<unsigned char> layerChunk(std::initializer_list<int> tokens) {
  std::vector<unsigned char> c = {'L', 'Y', 'R', '2', 0, 0, 0, 0};
  for (int t : tokens) {
    c.push_back(t & 255);
    c.push_back((t >> 8) & 255);
  }
  c[7] = (unsigned char)(c.size() - 8);
  return c;
}

TEST_F(LoaderTest, RunTokensDecodeAsWritten) {
  FmpMap m = sampleMap();
  m.mapType = 2;
  ASSERT_EQ(0, decodeMap(m));
  // A zero token writes nothing; -3 then 7 writes three cells of 7.
  std::vector<unsigned char> c = layerChunk({0, -3, 7, 3, 1, 2, 3, -6, 4, -6, 4, -6, 4, -6, 4});
  ASSERT_EQ(0, MapDecodeLayer(c.data(), 2));
  const short row0[6] = {7, 7, 7, 1, 2, 3};
  for (int i = 0; i < 6; i++) EXPECT_EQ(row0[i], mapmappt[2][i]);
  EXPECT_EQ(4, mapmappt[2][29]);
  // Type 3: -4 with offset -2 after A, B copies A, B, A, B; -6 with offset -6 repeats a row.
  maptype = 3;
  c = layerChunk({2, 5, 6, -4, -2, -6, -6, -6, -6, -6, -6, -6, -6});
  ASSERT_EQ(0, MapDecodeLayer(c.data(), 2));
  for (int i = 0; i < 30; i++) EXPECT_EQ(i % 2 ? 6 : 5, mapmappt[2][i]) << i;
}

TEST_F(LoaderTest, HeaderLengthsDecideGapStaggerAndClickMask) {
  FmpMap m = sampleMap();
  m.gapX = 20;
  m.gapY = 18;
  m.staggerX = 3;
  m.staggerY = 4;
  m.clickMask = 2;
  const struct { int bytes, gapX, gapY, staggerX, staggerY, click; } cases[] = {
      {24, 16, 16, 0, 0, 0}, {36, 20, 18, 3, 4, 0}, {38, 20, 18, 3, 4, 2}};
  for (const auto &c : cases) {
    m.headerBytes = c.bytes;
    ASSERT_EQ(0, decodeMap(m));
    EXPECT_TRUE(mapblockgapx == c.gapX && mapblockgapy == c.gapY && mapblockstaggerx == c.staggerX &&
                mapblockstaggery == c.staggerY && mapclickmask == c.click) << c.bytes;
  }
}

TEST_F(LoaderTest, VersionsAboveOneAndUnknownMapTypesAreRefused) {
  FmpMap m = sampleMap();
  m.versionMinor = 9;
  EXPECT_EQ(0, decodeMap(m));
  m.versionMajor = 2;
  EXPECT_EQ(-1, decodeMap(m));
  EXPECT_EQ(MAP_ERR_VERSION, maperror);
  EXPECT_EQ(nullptr, mappt);
  m = sampleMap();
  std::vector<unsigned char> bytes;
  fmpWriteMemory(m, bytes);
  bytes[fmpFindChunk(bytes, "MPHD") + 8 + 3] = 4;  // map type
  EXPECT_EQ(-1, decodeBytes(bytes));
  EXPECT_EQ(MAP_ERR_VERSION, maperror);
}

TEST_F(LoaderTest, UnknownChunksAreSkippedAndLaterChunksStillRead) {
  FmpMap m = sampleMap();
  m.extraChunks.push_back({"XTRA", std::vector<unsigned char>(13, 0xEE)});
  m.novc = "0-1,3";
  ASSERT_EQ(0, decodeMap(m));
  expectSampleLoaded(m);
  EXPECT_STREQ("0-1,3", mapnovctext);
  EXPECT_EQ(4, mapblocksinsysmem);
}

TEST_F(LoaderTest, OddNovcTextsNeitherHangNorFail) {
  for (const char *text : {"0-x,2", "99999999999999999999", "3-1", "a,b", "1,,2", "7"}) {
    FmpMap m = sampleMap();
    m.novc = text;
    EXPECT_EQ(0, decodeMap(m)) << text;
  }
  FmpMap m = sampleMap();
  m.novc = std::string(75, '1');  // too long for the list: left empty
  ASSERT_EQ(0, decodeMap(m));
  EXPECT_STREQ("", mapnovctext);
}

TEST_F(LoaderTest, GraphicsOfEveryDepthConvertToTheDisplay) {
  for (int depth : {15, 16, 24, 32}) {
    FmpMap m = sampleMap();
    m.depth = depth;
    m.graphics.clear();
    fmpAddGraphics(m, 4);
    for (int x = 0; x < 16; x++) {
      fmpSetPixel(m, 1, x, 0, 255, 0, 0);
      fmpSetPixel(m, 2, x, 0, 255, 0, 255);
      fmpSetPixel(m, 3, x, 0, 255, 255, 255);
    }
    ASSERT_EQ(0, decodeMap(m)) << depth;
    EXPECT_EQ(16, mapdepth);
    EXPECT_TRUE(sameColour(getpixel(abmTiles[1], 3, 0), 255, 0, 0)) << depth;
    EXPECT_EQ(bitmap_mask_color(abmTiles[2]), getpixel(abmTiles[2], 3, 0)) << depth;
    EXPECT_TRUE(sameColour(getpixel(abmTiles[3], 3, 0), 255, 255, 255)) << depth;
  }
}

FmpMap eightBitMap() {
  FmpMap m = sampleMap();
  m.depth = 8;
  m.graphics.clear();
  fmpAddGraphics(m, 4);
  m.cmap.assign(768, 0);
  m.cmap[5 * 3] = 200;  // colour 5: (200, 100, 40)
  m.cmap[5 * 3 + 1] = 100;
  m.cmap[5 * 3 + 2] = 40;
  for (int g = 1; g < 4; g++)
    for (int x = 0; x < 16; x++) fmpSetPixel(m, g, x, 1, 5, 0, 0);
  return m;
}

TEST_F(LoaderTest, EightBitGraphicsUseTheColourMapAndIndexZeroIsSeeThrough) {
  FmpMap m = eightBitMap();
  ASSERT_EQ(0, decodeMap(m)) << maperror;
  EXPECT_EQ(bitmap_mask_color(abmTiles[1]), getpixel(abmTiles[1], 0, 0));
  int c = getpixel(abmTiles[1], 4, 1);
  EXPECT_NEAR(200, getr(c), 8);
  EXPECT_NEAR(100, getg(c), 4);
  EXPECT_NEAR(40, getb(c), 8);
  EXPECT_EQ(200 >> 2, mapcmap6bit[5].r);
  EXPECT_EQ(100 >> 2, mapcmap6bit[5].g);
}

TEST_F(LoaderTest, OnlyAPaletteDisplayTakesTheEightBitCopy) {
  FmpMap m = sampleMap();
  m.graphics8.assign(4 * 16 * 16, 9);
  m.cmap.assign(768, 0);
  ASSERT_EQ(0, decodeMap(m));
  EXPECT_EQ(16, bitmap_color_depth(abmTiles[0]));
  maptargetdepth = 8;
  ASSERT_EQ(0, decodeMap(m)) << maperror;
  EXPECT_EQ(8, mapdepth);
  EXPECT_EQ(8, bitmap_color_depth(abmTiles[0]));
  EXPECT_EQ(9, getpixel(abmTiles[2], 5, 5));
  // A 24-bit magenta pixel becomes the palette's see-through index on a palette display.
  FmpMap deep = sampleMap();
  deep.depth = 24;
  deep.graphics.clear();
  fmpAddGraphics(deep, 4);
  fmpSetPixel(deep, 1, 0, 0, 255, 0, 255);
  fmpSetPixel(deep, 1, 1, 0, 255, 255, 255);
  ASSERT_EQ(0, decodeMap(deep));
  EXPECT_EQ(0, getpixel(abmTiles[1], 0, 0));
}

// Puts the chunk `id` of a written file before every other chunk.
void moveToFront(std::vector<unsigned char> &b, const char *id) {
  long at = fmpFindChunk(b, id);
  long end = at + 8 + (b[at + 4] << 24 | b[at + 5] << 16 | b[at + 6] << 8 | b[at + 7]);
  std::vector<unsigned char> chunk(b.begin() + at, b.begin() + end);
  b.erase(b.begin() + at, b.begin() + end);
  b.insert(b.begin() + 12, chunk.begin(), chunk.end());
}

using Bytes = std::vector<unsigned char>;

FmpMap withChunk(FmpMap m, const char *id, const Bytes &body) {
  m.extraChunks.push_back({id, body});
  return m;
}

// Repeats and order: the first graphics count (a second BGFX is ignored), a later colour
// map, NOVC list or layer replaces the earlier one, and graphics may come before the header.
// Extra chunks are written right after the header, so they come before the map's own.
TEST_F(LoaderTest, LaterColourMapsAndListsReplaceTheFirstAndTheFirstGraphicsCount) {
  FmpMap novc = sampleMap(), palette = sampleMap();
  novc.novc = "1-2";
  palette.graphics8.assign(4 * 16 * 16, 9);
  palette.cmap.assign(768, 0);
  const int red = makecol16(255, 0, 0);
  const struct {
    const char *what;
    FmpMap m;
    const char *front;  // chunk moved before the header
    int target, pixel;  // display depth; tile 1's pixel (4, 1)
    const char *novc;
  } cases[] = {
      {"second BGFX", withChunk(sampleMap(), "BGFX", Bytes(4 * 16 * 16 * 2, 0xFF)), nullptr, 16,
       makecol16(255, 255, 255), ""},
      {"second CMAP", withChunk(eightBitMap(), "CMAP", Bytes(768, 0)), nullptr, 16,
       makecol16(200, 100, 40), ""},
      {"second NOVC", withChunk(novc, "NOVC", {'0', 0}), nullptr, 16, red, "1-2"},
      {"second BODY", withChunk(sampleMap(), "BODY", Bytes(2 * 30, 0)), nullptr, 16, red, ""},
      {"BGFX first", sampleMap(), "BGFX", 16, red, ""},
      {"AGFX first", palette, "AGFX", 8, 9, ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes;
    ASSERT_TRUE(fmpWriteMemory(c.m, bytes));
    if (c.front) moveToFront(bytes, c.front);
    maptargetdepth = c.target;
    EXPECT_EQ(0, decodeBytes(bytes)) << maperror;
    if (!abmTiles) continue;
    EXPECT_EQ(c.pixel, getpixel(abmTiles[1], 4, 1));
    EXPECT_STREQ(c.novc, mapnovctext);
    EXPECT_EQ(kSampleCells[0][0], mappt[0]);
  }
}

TEST_F(LoaderTest, NoDisplayAndNoChosenDepthFailsWithoutTouchingTheScreen) {
  maptargetdepth = 0;
  BITMAP *old = screen;
  screen = NULL;
  EXPECT_EQ(-1, decodeMap(sampleMap()));
  EXPECT_EQ(MAP_ERR_NO_SCREEN, maperror);
  EXPECT_EQ(nullptr, mapblockstrpt);
  // With a display its depth is used.
  screen = create_bitmap_ex(16, 8, 8);
  EXPECT_EQ(0, decodeMap(sampleMap()));
  EXPECT_EQ(16, mapdepth);
  MapFreeMem();
  destroy_bitmap(screen);
  screen = old;
}

TEST_F(LoaderTest, FilesLoadFromDiskAndBadHeadersKeepTheMapBefore) {
  char dir[] = "/tmp/tilemap_loadXXXXXX";
  ASSERT_TRUE(mkdtemp(dir));
  std::string good = std::string(dir) + "/good.fmp", bad = std::string(dir) + "/bad.fmp";
  FmpMap m = sampleMap();
  m.mapType = 2;
  ASSERT_TRUE(fmpWriteFile(m, good.c_str()));
  ASSERT_EQ(0, MapLoad(good.c_str())) << maperror;
  expectSampleLoaded(m);

  std::vector<unsigned char> bytes;
  fmpWriteMemory(m, bytes);
  bytes[9] = 'X';  // "FXAP"
  FILE *f = fopen(bad.c_str(), "wb");
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
  EXPECT_EQ(-1, MapRealLoad(bad.c_str()));
  EXPECT_EQ(MAP_ERR_FORMAT, maperror);
  EXPECT_NE(nullptr, mappt);  // the earlier map stays
  EXPECT_EQ(-1, MapRealLoad((std::string(dir) + "/missing.fmp").c_str()));
  EXPECT_EQ(MAP_ERR_OPEN, maperror);
  EXPECT_NE(nullptr, mappt);

  // A failure once the chunks are being read leaves nothing.
  fmpWriteMemory(m, bytes);
  bytes.resize(bytes.size() - 3);
  f = fopen(bad.c_str(), "wb");
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
  EXPECT_EQ(-1, MapRealLoad(bad.c_str()));
  EXPECT_EQ(MAP_ERR_FORMAT, maperror);
  EXPECT_EQ(nullptr, mappt);
  EXPECT_EQ(nullptr, abmTiles);
  unlink(good.c_str());
  unlink(bad.c_str());
  rmdir(dir);
}

}  // namespace
