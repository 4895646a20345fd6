// Every place one can stand in each arena is reachable from both booths, by a block-level
// search with the fighter's moves: walking, falling, jumping (a double jump clears three
// blocks), jumping off a wall (five blocks), ladders and stairs. A layout edit that strands
// a platform, where cubes would land out of everybody's reach, fails here.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tools/gendata/arena_grid.h"
#include "tools/gendata/arenas.h"

namespace {

struct Reach {
  const ArenaGrid &g;
  std::vector<char> seen;

  explicit Reach(const ArenaGrid &grid) : g(grid), seen(ARENA_COLS * ARENA_ROWS, 0) {}

  char at(int c, int r) const {
    if (c < 0 || c >= ARENA_COLS || r < 0 || r >= ARENA_ROWS) return CELL_EMPTY;
    return g.cell[r][c];
  }
  bool solid(int c, int r) const { return at(c, r) == CELL_SOLID; }
  bool floorAt(int c, int r) const {
    char k = at(c, r);
    return k == CELL_SOLID || k == CELL_LADDER_TOP || k == CELL_LADDER_TOP_SIDE;
  }
  // Standing with the feet on the top of cell (c, r + 1), the body in cells r and r - 1.
  bool stand(int c, int r) const {
    return c > 0 && c < ARENA_COLS - 1 && r > 0 && r + 1 < ARENA_ROWS && !solid(c, r) && !solid(c, r - 1) &&
           at(c, r) != CELL_LAVA && floorAt(c, r + 1);
  }
  // Column c free of solid blocks from row r0 up to row r1 (r1 <= r0).
  bool clear(int c, int r0, int r1) const {
    for (int r = r0; r >= r1; r--)
      if (r >= 0 && solid(c, r)) return false;
    return true;
  }
  // Stepping into column c at row r: walking on where there is floor, else falling until
  // solid ground (a falling fighter drops through ladder tops); -1 into lava or nowhere.
  int stepInto(int c, int r) const {
    if (floorAt(c, r + 1)) return r;
    for (; r + 1 < ARENA_ROWS; r++) {
      if (solid(c, r) || at(c, r) == CELL_LAVA) return -1;
      if (solid(c, r + 1)) return r;
    }
    return -1;
  }

  void visit(int c, int r, std::vector<int> &todo) {
    if (c < 0 || c >= ARENA_COLS || r < 0 || r >= ARENA_ROWS || seen[r * ARENA_COLS + c]) return;
    seen[r * ARENA_COLS + c] = 1;
    todo.push_back(r * ARENA_COLS + c);
  }

  void run(int c0, int r0) {
    std::vector<int> todo;
    visit(c0, r0, todo);
    while (!todo.empty()) {
      int c = todo.back() % ARENA_COLS, r = todo.back() / ARENA_COLS;
      todo.pop_back();
      for (int dir = -1; dir <= 1; dir += 2) {
        int n = c + dir;
        // Walk, or walk off an edge and fall.
        if (!solid(n, r) && !solid(n, r - 1)) {
          int land = stepInto(n, r);
          if (land >= 0 && stand(n, land)) visit(n, land, todo);
        }
        // Stairs carry a runner up onto the step beyond them.
        if (at(n, r) == CELL_STAIRS && solid(n + dir, r) && stand(n + dir, r - 1))
          visit(n + dir, r - 1, todo);
        if (at(c, r) == CELL_STAIRS && stand(n, r - 1)) visit(n, r - 1, todo);
      }
      // Jumps and running drops onto solid ground up to five columns away: rising at most
      // three blocks, five beside a wall to push off, dropping any height.
      bool wall = false;
      for (int k = 1; k <= 4; k++) wall |= solid(c - 1, r - k) || solid(c + 1, r - k);
      const int rise = wall ? 5 : 3;
      for (int dc = -5; dc <= 5; dc++)
        for (int tr = r - rise; tr < ARENA_ROWS; tr++) {
          const int t = c + dc, hi = tr < r ? tr : r;
          if (!stand(t, tr) || !solid(t, tr + 1) || !clear(c, r - 1, hi - 1) || !clear(t, tr, hi - 1))
            continue;
          bool path = true;
          for (int s = c; s != t; s += dc > 0 ? 1 : -1) path &= clear(s, hi, hi - 1);
          if (path) visit(t, tr, todo);
        }
      // Ladders: from the foot up onto the ladder top, and down through it.
      if (at(c, r) == CELL_LADDER) {
        int t = r;
        while (at(c, t) == CELL_LADDER) t--;
        if (at(c, t) == CELL_LADDER_TOP && stand(c, t - 1)) visit(c, t - 1, todo);
      }
      if (at(c, r + 1) == CELL_LADDER_TOP) {
        int f = r + 1;
        while (at(c, f + 1) == CELL_LADDER) f++;
        if (stand(c, f)) visit(c, f, todo);
      }
    }
  }
};

ArenaGrid repoGrid(int arena) {
  const char *src = getenv("GOR_SOURCE_DIR");
  ArenaGrid g;
  std::string why;
  EXPECT_TRUE(loadArenaGrid(arena, (std::string(src ? src : ".") + "/data").c_str(), g, why)) << why;
  return g;
}

// Places to stand that a fighter starting at his respawn spot cannot reach.
std::vector<std::string> strandedFrom(const ArenaGrid &g, bool green) {
  Reach reach(g);
  int c = green ? 2 : ARENA_COLS - 3, r = (arenaPlaces[g.arena].boothY + 57) / ARENA_BLOCK;
  while (r < ARENA_ROWS && !reach.stand(c, r)) r++;
  reach.run(c, r);
  std::vector<std::string> stranded;
  for (int rr = 0; rr < ARENA_ROWS; rr++)
    for (int cc = 0; cc < ARENA_COLS; cc++)
      if (reach.stand(cc, rr) && !reach.seen[rr * ARENA_COLS + cc])
        stranded.push_back("column " + std::to_string(cc) + " row " + std::to_string(rr));
  return stranded;
}

TEST(ArenaReach, EveryPlaceToStandIsReachableFromBothBooths) {
  for (int a = 0; a < ARENA_COUNT; a++)
    for (bool green : {true, false}) {
      std::vector<std::string> stranded = strandedFrom(repoGrid(a), green);
      EXPECT_TRUE(stranded.empty()) << arenaPlaces[a].name << (green ? " green" : " purple") << ": no way to "
                                    << stranded.front() << " and " << stranded.size() - 1 << " more";
    }
}

TEST(ArenaReach, AStrandedPlatformIsFound) {
  // Hell without the two ladders up to the top level: nobody gets up there any more.
  ArenaGrid g = repoGrid(GEN_ARENA_HELL);
  for (int c : {2, 47}) {
    for (int r = 9; r <= 16; r++) g.cell[r][c] = CELL_EMPTY;
    g.cell[8][c - 1] = g.cell[8][c] = g.cell[8][c + 1] = CELL_SOLID;
  }
  std::vector<std::string> stranded = strandedFrom(g, true);
  EXPECT_NE(stranded.end(), std::find(stranded.begin(), stranded.end(), "column 1 row 7"));
  EXPECT_NE(stranded.end(), std::find(stranded.begin(), stranded.end(), "column 20 row 6"));
  EXPECT_EQ(stranded.end(), std::find(stranded.begin(), stranded.end(), "column 1 row 16"));
}

}  // namespace
