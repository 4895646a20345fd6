// The three arenas: the grids in data/arenas pass the layout checks and broken ones are
// refused; the generated tile maps load with the game's engine and agree with the grids;
// the painted backgrounds show ground exactly where the maps are solid, never use the mask
// colour, and keep Hell's lava fill inside its pools.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/probes.h"
#include "support/test_env.h"
#include "tilemap/tilemap.h"
#include "tools/gendata/arena_grid.h"
#include "tools/gendata/arenas.h"

namespace {

std::string dataDir() {
  const char *src = getenv("GOR_SOURCE_DIR");
  return std::string(src ? src : ".") + "/data";
}

ArenaGrid repoGrid(int arena) {
  ArenaGrid g;
  std::string why;
  EXPECT_TRUE(loadArenaGrid(arena, dataDir().c_str(), g, why)) << why;
  return g;
}

std::string gridText(const ArenaGrid &g) {
  std::string s;
  for (int r = 0; r < ARENA_ROWS; r++) s += std::string(g.cell[r]) + "\n";
  return s;
}

TEST(ArenaGrids, TheRepositoryGridsKeepEveryRule) {
  for (int a = 0; a < ARENA_COUNT; a++) {
    ArenaGrid g = repoGrid(a);
    std::string why;
    EXPECT_TRUE(checkArenaGrid(g, why)) << arenaPlaces[a].name << ": " << why;
    double left, right;
    cubeSpawnPassRates(g, left, right);
    EXPECT_GT(left, 0.7) << arenaPlaces[a].name;
    EXPECT_GT(right, 0.7) << arenaPlaces[a].name;
  }
}

TEST(ArenaGrids, MalformedTextIsRefused) {
  ArenaGrid g;
  std::string why, text = gridText(repoGrid(GEN_ARENA_TUTORIAL));
  EXPECT_TRUE(parseArenaGrid(GEN_ARENA_TUTORIAL, ("; a comment\n" + text).c_str(), g, why)) << why;
  EXPECT_FALSE(parseArenaGrid(GEN_ARENA_TUTORIAL, text.substr(0, text.size() - 51).c_str(), g, why));
  EXPECT_NE(std::string::npos, why.find("rows"));
  std::string wide = text;
  wide.insert(3, ".");
  EXPECT_FALSE(parseArenaGrid(GEN_ARENA_TUTORIAL, wide.c_str(), g, why));
  std::string odd = text;
  odd[60] = 'X';
  EXPECT_FALSE(parseArenaGrid(GEN_ARENA_TUTORIAL, odd.c_str(), g, why));
  EXPECT_NE(std::string::npos, why.find("unknown block"));
}

// Each case breaks one rule of a good grid by filling rectangles of cells; the check must
// name what broke.
struct Breakage {
  int arena;
  const char *what;
  std::vector<std::vector<int>> fills;  // {col0, row0, col1, row1, char}, corners included
  const char *expect;                   // part of the reason given
};

TEST(ArenaGrids, BrokenLayoutsAreRefusedWithTheirReason) {
  const int H = GEN_ARENA_HELL, L = GEN_ARENA_LONDON, T = GEN_ARENA_TUTORIAL;
  const Breakage cases[] = {
      {H, "edge wall two blocks thick", {{1, 18, 1, 21, '#'}}, "green base"},
      {L, "no booth floor", {{3, 31, 4, 31, '.'}}, "green base"},
      {T, "purple base ceiling open", {{46, 31, 46, 31, '.'}}, "purple base"},
      {H, "ladder in the air", {{11, 22, 11, 22, '.'}}, "does not stand on solid ground"},
      {H, "ladder top not set into the floor", {{12, 17, 12, 17, '.'}}, "not set into a floor"},
      {L, "ladder running up a wall", {{12, 27, 12, 27, '#'}}, "beside a wall"},
      {H, "stairs in the air", {{16, 8, 16, 8, '.'}}, "stairs"},
      {H, "no headroom over a platform", {{19, 5, 19, 5, '#'}}, "two free rows"},
      {H, "lava pool leaking sideways", {{7, 31, 7, 34, '.'}}, "not sealed"},
      {H, "lava fill seed in rock", {{4, 35, 4, 35, '#'}}, "seed"},
      {H, "pool floor above the death line", {{3, 35, 6, 36, '#'}}, "lava"},
      {T, "lava outside Hell", {{10, 36, 10, 36, '~'}}, "outside Hell"},
      {H, "a stepping stone too narrow to jump from", {{13, 30, 14, 30, '.'}}, "too narrow"},
      {L, "bridge broken under the zone hints", {{25, 16, 25, 16, '.'}}, "bridge"},
      {T, "power-up drop falls through", {{24, 29, 25, 31, '.'}, {25, 32, 25, 32, '.'}}, "(800, 928)"},
      // Hell without the two ladders up to the top level: nobody gets up there any more.
      {H, "stranded platform",
       {{2, 9, 2, 16, '.'}, {1, 8, 3, 8, '#'}, {47, 9, 47, 16, '.'}, {46, 8, 48, 8, '#'}},
       "row 6 cannot be reached from the green booth"},
      // Most of the open hall on the left filled with rock.
      {T, "no room for cubes", {{9, 17, 23, 27, '#'}, {1, 28, 17, 30, '#'}, {1, 8, 15, 15, '#'}},
       "cube spawn"},
  };
  for (const Breakage &b : cases) {
    ArenaGrid g = repoGrid(b.arena);
    for (const auto &f : b.fills)
      for (int r = f[1]; r <= f[3]; r++)
        for (int c = f[0]; c <= f[2]; c++) g.cell[r][c] = (char)f[4];
    std::string why;
    EXPECT_FALSE(checkArenaGrid(g, why)) << b.what;
    EXPECT_NE(std::string::npos, why.find(b.expect)) << b.what << ": " << why;
  }
}

// --- the generated tile maps ----------------------------------------------------------------

std::string gameFile(const char *name) {
  const char *dir = getenv("GOR_GAME_DIR");
  if (!dir) return "";
  std::string path = std::string(dir) + "/" + name;
  return exists(path.c_str()) ? path : "";
}

TEST(ArenaMaps, WritingFailsLoudlyWithoutGridsOrAFolderToWriteTo) {
  EXPECT_FALSE(writeArenaMaps("/nonexistent", "/tmp"));
  EXPECT_FALSE(writeArenaMaps(dataDir().c_str(), "/nonexistent/folder"));
}

TEST(ArenaMaps, LoadWithTheEngineAndAgreeWithTheGrids) {
  startHeadlessAllegro();
  for (int a = 0; a < ARENA_COUNT; a++) {
    std::string path = gameFile(arenaPlaces[a].mapFile);
    if (path.empty()) GTEST_SKIP() << arenaPlaces[a].mapFile << " not generated";
    ArenaGrid g = repoGrid(a);
    maptargetdepth = 16;
    mapgfxinbitmaps = 2;
    ASSERT_EQ(0, MapRealLoad(path.c_str())) << path << " error " << maperror;
    EXPECT_EQ(ARENA_COLS, mapwidth);
    EXPECT_EQ(ARENA_ROWS, mapheight);
    EXPECT_EQ(ARENA_BLOCK, mapblockwidth);
    EXPECT_EQ(ARENA_BLOCK, mapblockheight);
    for (int r = 0; r < ARENA_ROWS; r++)
      for (int c = 0; c < ARENA_COLS; c++) {
        char k = g.cell[r][c];
        for (int corner = 0; corner < 4; corner++) {
          int x = c * ARENA_BLOCK + (corner & 1) * (ARENA_BLOCK - 1);
          int y = r * ARENA_BLOCK + (corner >> 1) * (ARENA_BLOCK - 1);
          const bool probes[5] = {collided(x, y) != 0, stairs(x, y) != 0, ladder(x, y) != 0,
                                  laddertop(x, y) != 0, laddertopside(x, y) != 0};
          // A ladder top is a ladder as well, so that the path nodes measure through it.
          const bool expected[5] = {k == '#', k == 'S', k == 'H' || k == 'T', k == 'T', k == '='};
          for (int p = 0; p < 5; p++)
            ASSERT_EQ(expected[p], probes[p]) << arenaPlaces[a].name << " " << c << "," << r << " probe " << p;
        }
      }
    MapFreeMem();
  }
}

// --- the backgrounds ------------------------------------------------------------------------

BITMAP *background(int arena) {
  static BITMAP *painted[ARENA_COUNT];
  startHeadlessAllegro();
  if (!painted[arena]) painted[arena] = paintArenaBackground(arena, dataDir().c_str());
  return painted[arena];
}

// Brightness of a pixel, 0..255.
int luma(int c) { return (getr16(c) * 299 + getg16(c) * 587 + getb16(c) * 114) / 1000; }

// The given share (0..1) of the brightness values of a square, in order.
int lumaPercentile(BITMAP *b, int x0, int y0, int size, double share) {
  std::vector<int> v;
  for (int y = y0; y < y0 + size; y++)
    for (int x = x0; x < x0 + size; x++) v.push_back(luma(getpixel(b, x, y)));
  size_t k = (size_t)(share * (v.size() - 1));
  std::nth_element(v.begin(), v.begin() + k, v.end());
  return v[k];
}

// The rule that makes ground read as ground: the middle of every solid block is mostly bright
// (its median), the middle of every open block mostly dark (its 30th percentile, so that a lit
// window, a candle or a sign on the wall behind does not count), with a clear gap between.
const int kGroundAtLeast = 80, kAirAtMost = 70;

TEST(ArenaBackgrounds, GroundIsPaintedExactlyWhereTheMapIsSolidAndNothingIsTransparent) {
  for (int a = 0; a < ARENA_COUNT; a++) {
    BITMAP *b = background(a);
    ASSERT_NE(nullptr, b);
    ASSERT_EQ(1600, b->w);
    ASSERT_EQ(1200, b->h);
    ASSERT_EQ(16, bitmap_color_depth(b));
    const int mask = bitmap_mask_color(b);
    int transparent = 0;
    for (int y = 0; y < b->h; y++)
      for (int x = 0; x < b->w; x++) transparent += ((uint16_t *)b->line[y])[x] == mask;
    EXPECT_EQ(0, transparent) << arenaPlaces[a].name;
    ArenaGrid g = repoGrid(a);
    for (int r = 0; r * ARENA_BLOCK + ARENA_BLOCK <= 1200; r++)
      for (int c = 0; c < ARENA_COLS; c++) {
        int x = c * ARENA_BLOCK + 8, y = r * ARENA_BLOCK + 8;
        if (g.cell[r][c] == '#') {
          EXPECT_GE(lumaPercentile(b, x, y, 16, 0.5), kGroundAtLeast)
              << arenaPlaces[a].name << " solid " << c << "," << r;
        } else if (g.cell[r][c] == '.') {
          EXPECT_LE(lumaPercentile(b, x, y, 16, 0.3), kAirAtMost)
              << arenaPlaces[a].name << " open " << c << "," << r;
        }
      }
  }
}

// The game repaints the lava every frame: ten red curves whose middle points wander between
// y 1042 and 1080, then a flood fill from thirty seeds. Whatever the curves do, the fill must
// reach every seed's pool and never climb above the lava into the cave.
TEST(ArenaBackgrounds, HellLavaFillStaysInsideItsPools) {
  BITMAP *b = background(GEN_ARENA_HELL);
  ASSERT_NE(nullptr, b);
  ArenaGrid g = repoGrid(GEN_ARENA_HELL);
  BITMAP *buf = create_bitmap_ex(16, b->w, b->h);
  const int lava = makecol16(255, 109, 1);
  const int shapes[4][2] = {{1042, 1042}, {1080, 1080}, {1042, 1080}, {1080, 1042}};
  for (const auto &shape : shapes) {
    int mid[LAVA_POOLS][2];
    for (auto &m : mid) {
      m[0] = shape[0];
      m[1] = shape[1];
    }
    blit(b, buf, 0, 0, 0, 0, b->w, b->h);
    drawHellLava(buf, mid);
    int leaked = 0;
    for (int y = 0; y < LAVA_BODY_TOP; y++)
      for (int x = 0; x < b->w; x++) leaked += getpixel(buf, x, y) == lava;
    for (int y = LAVA_BODY_TOP; y < b->h; y++)
      for (int x = 0; x < b->w; x++)
        if (getpixel(buf, x, y) == lava && arenaCellAt(g, x, y) != CELL_LAVA) leaked++;
    EXPECT_EQ(0, leaked) << "curves at " << shape[0] << "/" << shape[1];
    for (const auto &s : lavaSeeds) EXPECT_EQ(lava, getpixel(buf, s[0], s[1])) << s[0] << "," << s[1];
    for (const auto &p : lavaPoolX) {
      // Under the middle of each surface the pool is lava right up to the curve.
      EXPECT_EQ(lava, getpixel(buf, (p[0] + p[1]) / 2, 1084)) << p[0];
      EXPECT_EQ(lava, getpixel(buf, (p[0] + p[1]) / 2, 1183)) << p[0];
    }
  }
  destroy_bitmap(buf);
}

TEST(ArenaBackgrounds, PreviewIsWrittenAsAPicture) {
  startHeadlessAllegro();
  char path[] = "/tmp/arena_previewXXXXXX.bmp";
  int fd = mkstemps(path, 4);
  ASSERT_GE(fd, 0);
  close(fd);
  ASSERT_TRUE(saveArenaPreview(GEN_ARENA_TUTORIAL, dataDir().c_str(), path));
  BITMAP *b = load_bitmap(path, NULL);
  ASSERT_NE(nullptr, b);
  EXPECT_EQ(1600, b->w);
  EXPECT_EQ(1200, b->h);
  destroy_bitmap(b);
  remove(path);
  EXPECT_FALSE(saveArenaPreview(GEN_ARENA_TUTORIAL, "/nonexistent", path));
}

}  // namespace
