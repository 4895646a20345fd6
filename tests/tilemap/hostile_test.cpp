// Broken and hostile files, one group per kind of fault: each must fail with -1 and a reason,
// leave no map behind, and (under AddressSanitizer) touch nothing out of range.
#include <functional>
#include <string>

#include "maptest.h"

namespace {

class HostileTest : public MapTest {
 protected:
  // Writes the sample map, lets `spoil` break the bytes, decodes from memory.
  void expectRefused(const std::function<void(std::vector<unsigned char> &)> &spoil,
                     const FmpMap &m = sampleMap()) {
    std::vector<unsigned char> bytes;
    fmpWriteMemory(m, bytes);
    spoil(bytes);
    ASSERT_EQ(0, decodeMap(sampleMap()));  // something loaded before
    EXPECT_EQ(-1, decodeBytes(bytes));
    EXPECT_NE(MAP_ERR_NONE, maperror);
    expectNothingLoaded();
  }
  void expectRefusedMap(const FmpMap &m) {
    expectRefused([](std::vector<unsigned char> &) {}, m);
  }
  static void expectNothingLoaded() {
    EXPECT_EQ(nullptr, mappt);
    EXPECT_EQ(nullptr, mapblockstrpt);
    EXPECT_EQ(nullptr, mapanimstrpt);
    EXPECT_EQ(nullptr, mapblockgfxpt);
    EXPECT_EQ(nullptr, abmTiles);
    for (int l = 0; l < MAP_MAX_LAYERS; l++) EXPECT_EQ(nullptr, mapmappt[l]);
  }
  static long body(const std::vector<unsigned char> &b, const char *id) {
    return fmpFindChunk(b, id) + 8;
  }
  // Stores a 16-bit value of the (little-endian) sample map.
  static void put16(std::vector<unsigned char> &b, long at, int v) {
    b[at] = v & 255;
    b[at + 1] = (v >> 8) & 255;
  }
};

TEST_F(HostileTest, TruncatedFilesFailAtEveryLength) {
  std::vector<unsigned char> whole;
  fmpWriteMemory(sampleMap(), whole);
  for (size_t len = 0; len < whole.size(); len += (len < 64 ? 1 : 37)) {
    std::vector<unsigned char> cut(whole.begin(), whole.begin() + len);
    cut.shrink_to_fit();  // so ASan sees any read past the real end
    EXPECT_EQ(-1, MapDecode(cut.data(), (long)cut.size())) << len;
    expectNothingLoaded();
  }
  // A FORM length that admits the cut: the last chunk then runs past the data.
  expectRefused([](std::vector<unsigned char> &b) { b.resize(b.size() - 5); fmpPutBE32(b, 4, b.size() - 8); });
}

TEST_F(HostileTest, LyingLengthsAreBoundedByTheRealData) {
  expectRefused([](std::vector<unsigned char> &b) { fmpPutBE32(b, 4, 0x7FFFFFF0); });
  expectRefused([](std::vector<unsigned char> &b) { fmpPutBE32(b, fmpFindChunk(b, "BKDT") + 4, 0xFFFFFFF0); });
  expectRefused([](std::vector<unsigned char> &b) { fmpPutBE32(b, fmpFindChunk(b, "BODY") + 4, 0x80000000); });
  // A chunk claiming fewer bytes than its content: what follows is misread as chunk heads.
  expectRefused([](std::vector<unsigned char> &b) { fmpPutBE32(b, fmpFindChunk(b, "BKDT") + 4, 40); });
  // Trailing bytes inside the FORM length too few for a chunk head.
  expectRefused([](std::vector<unsigned char> &b) {
    b.insert(b.end(), {1, 2, 3});
    fmpPutBE32(b, 4, b.size() - 8);
  });
}

TEST_F(HostileTest, MissingOrRepeatedChunksAreRefused) {
  for (const char *id : {"MPHD", "BKDT", "BODY", "BGFX"}) {
    SCOPED_TRACE(id);
    FmpMap m = sampleMap();
    m.omitChunks.push_back(id);
    expectRefusedMap(m);
  }
  FmpMap eight = sampleMap();  // 8-bit graphics without a colour map
  eight.depth = 8;
  eight.graphics.clear();
  fmpAddGraphics(eight, 4);
  expectRefusedMap(eight);
  // A second header after the layers would change their size under them.
  FmpMap twice = sampleMap();
  std::vector<unsigned char> header;
  fmpWriteMemory(twice, header);
  long at = fmpFindChunk(header, "MPHD");
  std::vector<unsigned char> mphd(header.begin() + at + 8, header.begin() + at + 8 + 38);
  mphd[4] = 60;  // wider
  expectRefused([&](std::vector<unsigned char> &b) {
    b.insert(b.end(), {'M', 'P', 'H', 'D', 0, 0, 0, 38});
    b.insert(b.end(), mphd.begin(), mphd.end());
    fmpPutBE32(b, 4, b.size() - 8);
  });
  // The same after any chunk the header sizes, each moved up alone behind the first header
  // (where it loads).
  for (const char *id : {"BKDT", "ANDT", "BODY", "LYR1"}) {
    SCOPED_TRACE(id);
    auto moveUp = [id](std::vector<unsigned char> &b, bool again) {
      long mp = fmpFindChunk(b, "MPHD"), at = fmpFindChunk(b, id);
      long n = 8 + ((long)b[at + 4] << 24 | b[at + 5] << 16 | b[at + 6] << 8 | b[at + 7]);
      std::vector<unsigned char> c(b.begin() + at, b.begin() + at + n);
      b.erase(b.begin() + at, b.begin() + at + n);
      if (again) c.insert(c.end(), b.begin() + mp, b.begin() + mp + 46);
      b.insert(b.begin() + mp + 46, c.begin(), c.end());
      fmpPutBE32(b, 4, b.size() - 8);
    };
    std::vector<unsigned char> moved;
    fmpWriteMemory(sampleMap(), moved);
    moveUp(moved, false);
    EXPECT_EQ(0, decodeBytes(moved));
    expectRefused([&](std::vector<unsigned char> &b) { moveUp(b, true); });
  }
  // A layer before the header it needs.
  expectRefused([](std::vector<unsigned char> &b) {
    long mp = fmpFindChunk(b, "MPHD");
    std::vector<unsigned char> head(b.begin() + mp, b.begin() + mp + 46);
    b.erase(b.begin() + mp, b.begin() + mp + 46);
    b.insert(b.end(), head.begin(), head.end());
  });
}

// Header values that index nothing, and sizes far beyond the data (refused before any
// allocation: 32767 x 32767 cells of 1024-pixel blocks; or within the limit, with layers,
// records and graphics too short for what is announced). A second offset of 0: none.
TEST_F(HostileTest, ImpossibleAndHugeHeaderValuesAreRefused) {
  const struct { int offset, value, offset2 = 0, value2 = 0; } bad[] = {
      {4, 0},          {4, -6},         {6, 0},    {12, 0},    {14, -16},  {12, 5000},
      {16, 12},        {18, 16},        {18, 0},   {20, 0},    {22, 0},    {28, 0},
      {30, -1},        {36, 4},         {36, -1},  {20, 32000}, {22, 32000}, {12, 1024},
      {4, 32767, 6, 32767},             {4, 2000, 6, 2000},
  };
  for (const auto &b : bad) {
    SCOPED_TRACE("offset " + std::to_string(b.offset) + " value " + std::to_string(b.value));
    expectRefused([&](std::vector<unsigned char> &f) {
      put16(f, body(f, "MPHD") + b.offset, b.value);
      if (b.offset2) put16(f, body(f, "MPHD") + b.offset2, b.value2);
    });
  }
  // Header bodies too short, or cut inside the gap and stagger group.
  for (int len : {3, 20, 23, 30, 35, 37}) {
    FmpMap m = sampleMap();
    m.headerBytes = len;
    SCOPED_TRACE(len);
    expectRefusedMap(m);
  }
}

TEST_F(HostileTest, ShortTablesAreRefused) {
  FmpMap m = sampleMap();
  m.depth = 8;
  m.graphics.clear();
  fmpAddGraphics(m, 4);
  m.cmap.assign(700, 0);
  expectRefusedMap(m);
  m = sampleMap();
  m.graphics.resize(m.graphics.size() - 2);  // not a whole number of pictures: writer refuses
  std::vector<unsigned char> tmp;
  EXPECT_FALSE(fmpWriteMemory(m, tmp));
  expectRefused([](std::vector<unsigned char> &b) {  // BGFX one byte short
    long at = fmpFindChunk(b, "BGFX");
    fmpPutBE32(b, at + 4, 4 * 16 * 16 * 2 - 1);
    b.erase(b.begin() + at + 8);
    fmpPutBE32(b, 4, b.size() - 8);
  });
  m = sampleMap();
  m.graphics8.assign(100, 1);  // AGFX too short, on a palette display
  m.cmap.assign(768, 0);
  maptargetdepth = 8;
  expectRefusedMap(m);
  maptargetdepth = 16;
  // Animation chunk without its end record.
  expectRefused([](std::vector<unsigned char> &b) { b[fmpFindChunk(b, "ANDT") + 8 + 24] = 0; });
}

TEST_F(HostileTest, RunsThatOverrunARowOrReachBeforeTheLayerAreRefused) {
  FmpMap m = sampleMap();
  m.mapType = 2;
  auto spoilBody = [](std::initializer_list<int> tokens) {
    return [tokens](std::vector<unsigned char> &b) {
      long at = fmpFindChunk(b, "BODY");
      std::vector<unsigned char> bytes;
      for (int t : tokens) { bytes.push_back(t & 255); bytes.push_back((t >> 8) & 255); }
      std::copy(bytes.begin(), bytes.end(), b.begin() + at + 8);
    };
  };
  expectRefused(spoilBody({-7, 1}), m);          // a run of 7 in a row of 6
  expectRefused(spoilBody({7, 1, 1, 1, 1, 1, 1, 1}), m);
  expectRefused(spoilBody({3, 1, 1, 1, 4}), m);  // 3 + 4 literals
  m.mapType = 3;
  expectRefused(spoilBody({-3, -1}), m);         // copy from before the layer
  expectRefused(spoilBody({2, 1, 1, -2, -3}), m);
  expectRefused(spoilBody({2, 1, 1, -2, 0}), m); // offsets point backwards only
  expectRefused(spoilBody({2, 1, 1, -2, 5}), m);
  // A layer of zero tokens only ends with the chunk, not in a hang.
  expectRefused([](std::vector<unsigned char> &b) {
    long at = fmpFindChunk(b, "BODY");
    unsigned long n = b[at + 4] << 24 | b[at + 5] << 16 | b[at + 6] << 8 | b[at + 7];
    std::fill(b.begin() + at + 8, b.begin() + at + 8 + n, 0);
  }, m);
}

TEST_F(HostileTest, IndicesOutOfRangeAreRefused) {
  // A cell naming a block record past the table, and one naming no animation.
  for (int cell : {5, 32767, -3, -32768}) {
    FmpMap m = sampleMap();
    m.layers[1][7] = (short)cell;
    SCOPED_TRACE(cell);
    expectRefusedMap(m);
  }
  FmpMap noAnims = sampleMap();
  noAnims.anims.clear();
  expectRefusedMap(noAnims);  // its cells -1 and -2 name nothing
  // A graphic index past the graphics.
  FmpMap m = sampleMap();
  m.blocks[2].fg3 = 4;
  expectRefusedMap(m);
  m = sampleMap();
  m.blocks[2].bg = -1;
  expectRefusedMap(m);
  // Animation frames naming no block, and positions outside the sequence.
  m = sampleMap();
  m.anims[0].frames[1] = 5;
  expectRefusedMap(m);
  auto spoilAnim = [](int field, int value) {
    return [field, value](std::vector<unsigned char> &b) {
      long rec = fmpFindChunk(b, "ANDT") + 8 + 6 * 4 + 16;  // the first live record
      long at = rec + 4 + 4 * field;
      for (int i = 0; i < 4; i++) b[at + i] = (value >> (8 * i)) & 255;
    };
  };
  expectRefused(spoilAnim(1, -1));  // start
  expectRefused(spoilAnim(2, 7));   // end past the sequence
  expectRefused(spoilAnim(1, 4));   // start after end (end is 3)
  // Map type 0 offsets that divide to out-of-range indices.
  m = sampleMap();
  m.mapType = 0;
  expectRefused([](std::vector<unsigned char> &b) { put16(b, fmpFindChunk(b, "BODY") + 8 + 4, 32 * 9); }, m);
}

TEST_F(HostileTest, ChunkDecodersCalledAloneStayInsideTheirChunk) {
  // Left over from a refused header: sizes that index nothing. The decoders that need the
  // header refuse rather than divide by zero or copy a negative size.
  std::vector<unsigned char> header = {'M', 'P', 'H', 'D', 0, 0, 0, 24, 1, 0, 1, 0, 2};
  header.resize(8 + 24, 0);
  EXPECT_EQ(-1, MapDecodeMPHD(header.data()));
  std::vector<unsigned char> chunk = {'X', 'X', 'X', 'X', 0, 0, 0, 16};
  chunk.resize(8 + 16, 255);
  for (auto decode : {MapDecodeBKDT, MapDecodeANDT}) {
    maperror = 0;
    EXPECT_EQ(-1, decode(chunk.data()));
    EXPECT_EQ(MAP_ERR_FORMAT, maperror);
  }
  // Graphics need no header to be held; relocating them does.
  EXPECT_EQ(0, MapDecodeBGFX(chunk.data()));
  EXPECT_EQ(-1, MapRelocate());
  EXPECT_EQ(MAP_ERR_FORMAT, maperror);
  EXPECT_EQ(nullptr, mapblockgfxpt);
  EXPECT_EQ(-1, MapDecodeLayer(chunk.data(), 0));
  EXPECT_EQ(-1, MapDecodeLayer(chunk.data(), 8));
  EXPECT_EQ(0, MapDecodeNULL(chunk.data()));
  std::vector<unsigned char> novc = {'N', 'O', 'V', 'C', 0, 0, 0, 3, '1', '2', '3'};
  EXPECT_EQ(0, MapDecodeNOVC(novc.data()));
  EXPECT_STREQ("123", mapnovctext);
  MapFreeMem();
}

}  // namespace
