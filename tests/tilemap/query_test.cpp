// Block queries by cell and pixel, writes, layers, row tables, animations, and the game's
// probes, inside the map, outside it and with nothing loaded.
#include "core/probes.h"
#include "maptest.h"

namespace {

class QueryTest : public MapTest {
 protected:
  void SetUp() override {
    MapTest::SetUp();
    ASSERT_EQ(0, decodeMap(sampleMap()));
  }
  static int blockIndex(const BlockStr *b) { return (int)(b - mapblockstrpt); }
};

TEST_F(QueryTest, CellsAnswerTheirBlockAndAnimatedCellsTheirCurrentFrame) {
  EXPECT_EQ(3, blockIndex(MapGetBlock(2, 2)));
  EXPECT_EQ(2, blockIndex(MapGetBlock(3, 1)));
  EXPECT_EQ(2, blockIndex(MapGetBlock(1, 2)));  // -1, the last record: ping-pong over 2, 3, 4
  EXPECT_EQ(1, blockIndex(MapGetBlock(4, 2)));  // -2: loop over 1, 2, 3, at its start
}

TEST_F(QueryTest, OutsideTheMapQueriesAnswerEmptyAndWritesDoNothing) {
  for (auto xy : {std::make_pair(-1, 0), {6, 0}, {0, -1}, {0, 5}, {7, 1}, {100000, -100000}}) {
    const BlockStr *b = MapGetBlock(xy.first, xy.second);
    EXPECT_EQ(0u, b->user1 | b->user2);
    EXPECT_EQ(0, b->tr);
    EXPECT_EQ(0, b->bgoff);
  }
  std::vector<short> before(mappt, mappt + 30);
  for (auto xy : {std::make_pair(-1, 0), {6, 0}, {0, -1}, {0, 5}, {6, 4}, {-1, 1}})
    MapSetBlock(xy.first, xy.second, 4);
  EXPECT_EQ(before, std::vector<short>(mappt, mappt + 30));
  MapSetBlock(5, 4, 3);
  EXPECT_EQ(3, mappt[29]);
  // A value written that names nothing answers empty instead of reading past the tables.
  MapSetBlock(0, 0, 99);
  EXPECT_EQ(0, MapGetBlock(0, 0)->tr);
  MapSetBlock(0, 0, -50);
  EXPECT_EQ(0, MapGetBlock(0, 0)->tr);
}

TEST_F(QueryTest, PixelQueriesTruncateAndClamp) {
  EXPECT_EQ(MapGetBlock(2, 0), MapGetBlockInPixels(35, 15));
  EXPECT_EQ(nullptr, MapGetBlockInPixels(-5, 0));
  EXPECT_EQ(nullptr, MapGetBlockInPixels(96, 0));
  EXPECT_EQ(nullptr, MapGetBlockInPixels(0, 80));
  EXPECT_EQ(0, MapGetXOffset(-5, 0));
  EXPECT_EQ(5, MapGetXOffset(5000, 0));
  EXPECT_EQ(2, MapGetYOffset(0, 32));
  EXPECT_EQ(2, MapGetYOffset(0, 47));
  MapSetBlockInPixels(17, 17, 4);
  EXPECT_EQ(4, mappt[7]);
  MapSetBlockInPixels(-1, 17, 2);
  MapSetBlockInPixels(17, 80, 2);
  EXPECT_EQ(4, mappt[7]);
}

TEST_F(QueryTest, BlockIdsByUserField) {
  const int cases[][3] = {{7, 2, 2},  {-2, 3, 3}, {200, 7, 3}, {5, 5, 1},
                          {0, 1, 0},  {5, 0, -1}, {5, 8, -1},  {12345, 1, -1}};
  for (auto c : cases) EXPECT_EQ(c[2], MapGetBlockID(c[0], c[1])) << c[0] << " in field " << c[1];
}

TEST_F(QueryTest, LayersSwitchAndRowTablesAnswerAlike) {
  EXPECT_EQ(-1, MapChangeLayer(8));
  EXPECT_EQ(-1, MapChangeLayer(-1));
  EXPECT_EQ(-1, MapChangeLayer(2));
  EXPECT_EQ(mapmappt[0], mappt);
  EXPECT_EQ(1, MapChangeLayer(1));
  EXPECT_EQ(mapmappt[1], mappt);
  EXPECT_EQ((2 + 3) % 5, blockIndex(MapGetBlock(2, 3)));
  ASSERT_EQ(0, MapGenerateYLookup());
  EXPECT_EQ(mapmaparraypt[1], maparraypt);
  for (int y = 0; y < 5; y++)
    for (int x = 0; x < 6; x++) EXPECT_EQ((x + y) % 5, blockIndex(MapGetBlock(x, y)));
  MapSetBlock(1, 1, 4);
  EXPECT_EQ(4, mapmappt[1][7]);
  EXPECT_EQ(0, MapChangeLayer(0));
  EXPECT_EQ(mapmaparraypt[0], maparraypt);
  EXPECT_EQ(3, blockIndex(MapGetBlock(2, 2)));
  EXPECT_EQ(0, MapGetBlock(-1, 2)->tr);
}

// Current frame of the last animation record after each of `calls` updates.
std::vector<int> framesOf(AnimStr *a, int calls) {
  std::vector<int> seen;
  for (int i = 0; i < calls; i++) {
    MapUpdateAnims();
    seen.push_back(a->ancuroff);
  }
  return seen;
}

FmpMap oneAnimMap(int type, int delay, std::vector<int> frames) {
  FmpMap m = sampleMap();
  // Ten unused sequence entries first, so the animation runs over positions 10 and up.
  m.anims.assign(2, FmpAnim());
  m.anims[0].frames.assign(10, 0);
  m.anims[1].type = type;
  m.anims[1].delay = delay;
  m.anims[1].frames = frames;
  return m;
}

TEST_F(QueryTest, AnimationsStepByTheirType) {
  struct Case { int type, delay; std::vector<int> frames, positions; int setUp = -1; };
  const Case cases[] = {
      {AN_LOOPF, 0, {1, 2, 3}, {11, 12, 10, 11, 12, 10}},
      {AN_LOOPF, 2, {1, 2, 3}, {10, 10, 11, 11, 11, 12, 12, 12, 10}},
      {AN_LOOPR, 0, {1, 2, 3}, {11, 10, 12, 11, 10}},
      {AN_ONCE, 0, {1, 2, 3}, {11, 12, 10, 10, 10}},
      {AN_ONCEH, 0, {1, 2, 3}, {11, 12, 12, 12}},
      {AN_PPFF, 0, {1, 2, 3}, {11, 12, 11, 10, 11, 12, 11}},
      {AN_PPRR, 0, {1, 2, 3}, {11, 10, 11, 12, 11, 10}},
      {AN_PPFF, 0, {4}, {10, 10, 10}},
      {AN_PPFF, 0, {1, 2}, {11, 10, 11, 10}},
      {AN_NONE, 0, {1, 2, 3}, {10, 10}},
      // Stored mid-run, they start over in their first direction.
      {AN_PPFR, 0, {1, 2, 3}, {11, 12, 11, 10}, AN_PPFF},
      {AN_PPRF, 0, {1, 2, 3}, {11, 10, 11, 12}, AN_PPRR},
      {AN_ONCES, 0, {1, 2, 3}, {11, 12, 10, 10}, AN_ONCE},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.type) + " delay " + std::to_string(c.delay));
    FmpMap m = oneAnimMap(c.type, c.delay, c.frames);
    ASSERT_EQ(0, decodeMap(m));
    AnimStr *a = mapanimstrendpt - 1;
    int type = c.setUp < 0 ? c.type : c.setUp;
    EXPECT_EQ(type, a->antype);
    EXPECT_EQ(type == AN_PPRR || type == AN_LOOPR ? 9 + (int)c.frames.size() : 10, a->ancuroff);
    EXPECT_EQ(c.positions, framesOf(a, (int)c.positions.size()));
  }
  // A finished one-shot rests on its first frame until the animations are set up again.
  ASSERT_EQ(0, decodeMap(oneAnimMap(AN_ONCE, 0, {1, 2, 3})));
  AnimStr *a = mapanimstrendpt - 1;
  framesOf(a, 3);
  EXPECT_EQ(AN_ONCES, a->antype);
  MapInitAnims();
  EXPECT_EQ(AN_ONCE, a->antype);
  EXPECT_EQ(11, framesOf(a, 1)[0]);
  // The cell answers the block of the current frame.
  MapSetBlock(0, 0, -1);
  EXPECT_EQ(2, blockIndex(MapGetBlock(0, 0)));
}

TEST_F(QueryTest, ProbesReadTheirFieldsThroughTruncatingDivision) {
  // Cell (2, 2) is block 3: ladder top -2 (as 16 bits unsigned), side 9.
  EXPECT_EQ(65534, laddertop(32, 32));
  EXPECT_EQ(9, laddertopside(47, 47));
  EXPECT_EQ(0, laddertop(64, 32));
  EXPECT_EQ(7, ladder(3 * 16, 16));
  EXPECT_EQ(0, ladder(3 * 16 - 1, 16));
  EXPECT_EQ((int)0x80000003u, stairs(16, 48));
  EXPECT_EQ(1, collided(0, 0));
  EXPECT_EQ(0, collided(16, 16));
  // Block 4 has other flag bits set but is not solid; block 1 has more than the solid bit.
  EXPECT_EQ(0, collided(20, 50));
  EXPECT_EQ(1, collided(-15, -15));  // still column 0, row 0
  EXPECT_EQ(1, collided(95, 79));
  // Animated cells answer through their current frame: -2 shows block 1 (solid), -1 block 2.
  EXPECT_EQ(1, collided(64, 32));
  EXPECT_EQ(0, collided(16, 32));
  // Outside the map every probe answers empty.
  for (auto xy : {std::make_pair(-16, 0), {0, -16}, {96, 0}, {0, 80}, {1600, 1200}, {-100000, 5}}) {
    EXPECT_EQ(0, collided(xy.first, xy.second));
    EXPECT_EQ(0, stairs(xy.first, xy.second));
    EXPECT_EQ(0, ladder(xy.first, xy.second));
    EXPECT_EQ(0, laddertop(xy.first, xy.second));
    EXPECT_EQ(0, laddertopside(xy.first, xy.second));
  }
  ASSERT_EQ(0, MapGenerateYLookup());
  EXPECT_EQ(7, ladder(3 * 16, 16));
  EXPECT_EQ(0, collided(96, 32));
}

TEST_F(QueryTest, WithNothingLoadedEverythingAnswersEmpty) {
  MapFreeMem();
  EXPECT_EQ(0, collided(10, 10));
  EXPECT_EQ(0, stairs(10, 10));
  EXPECT_EQ(0, laddertopside(0, 0));
  EXPECT_EQ(0, MapGetBlock(0, 0)->user2);
  EXPECT_EQ(nullptr, MapGetBlockInPixels(0, 0));
  MapSetBlock(0, 0, 1);
  EXPECT_EQ(-1, MapGetBlockID(0, 1));
  EXPECT_EQ(-1, MapChangeLayer(0));
  MapUpdateAnims();
  MapInitAnims();
  mapblockwidth = mapblockheight = 0;  // as before any map was ever loaded
  EXPECT_EQ(0, collided(10, 10));
}

}  // namespace
