// The three arenas the data generator writes load, and the probes answer on them what the
// grids under data/arenas/ say, cell by cell.
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "fighters/probes.h"
#include "maptest.h"

namespace {

class ArenaMapTest : public MapTest {};

// Rows of a grid file: 50 characters each; comment lines (';') and empty lines skipped.
std::vector<std::string> readGrid(const std::string &path) {
  std::vector<std::string> rows;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != ';') rows.push_back(line);
  }
  return rows;
}

TEST_F(ArenaMapTest, ProbesAnswerWhatTheGridsSay) {
  const char *game = getenv("GOR_GAME_DIR");
  if (!game) GTEST_SKIP() << "GOR_GAME_DIR not set";
  // The repo root: given, or three levels up from this file.
  std::string source = getenv("GOR_SOURCE_DIR") ? getenv("GOR_SOURCE_DIR") : __FILE__;
  if (!getenv("GOR_SOURCE_DIR"))
    for (int up = 0; up < 3; up++) source = source.substr(0, source.find_last_of('/'));
  const struct { const char *map, *grid; } arenas[] = {
      {"Hell.FMP", "hell.txt"}, {"london.fmp", "london.txt"}, {"Tutorial.fmp", "tutorial.txt"}};
  for (const auto &a : arenas) {
    std::string map = std::string(game) + "/" + a.map;
    struct stat st;
    if (stat(map.c_str(), &st) != 0) GTEST_SKIP() << map << " not generated";
    SCOPED_TRACE(a.map);
    std::vector<std::string> grid = readGrid(source + "/data/arenas/" + a.grid);
    ASSERT_EQ(38u, grid.size());
    mapgfxinbitmaps = 2;
    ASSERT_EQ(0, MapRealLoad(map.c_str())) << maperror;
    ASSERT_EQ(50, mapwidth);
    ASSERT_EQ(38, mapheight);
    ASSERT_EQ(32, mapblockwidth);
    ASSERT_EQ(32, mapblockheight);
    for (int r = 0; r < 38; r++)
      for (int c = 0; c < 50; c++) {
        char ch = grid[r][c];
        // Both corners of the cell, so the division by the block size is exercised too.
        for (int k = 0; k < 2; k++) {
          int x = c * 32 + 31 * k, y = r * 32 + 31 * k;
          ASSERT_EQ(ch == '#', collided(x, y) != 0) << c << "," << r << " '" << ch << "'";
          ASSERT_EQ(ch == 'S', stairs(x, y) != 0) << c << "," << r;
          ASSERT_EQ(ch == 'H', ladder(x, y) != 0) << c << "," << r;
          ASSERT_EQ(ch == 'T', laddertop(x, y) != 0) << c << "," << r;
          ASSERT_EQ(ch == '=', laddertopside(x, y) != 0) << c << "," << r;
        }
      }
    // The playfield's edges: inside answers the border cells, beyond answers empty.
    EXPECT_EQ(grid[0][0] == '#', collided(-31, -31) != 0);
    EXPECT_EQ(0, collided(1600, 600));
    EXPECT_EQ(0, collided(800, 1216));
    EXPECT_EQ(0, collided(-32, 600));
  }
}

}  // namespace
