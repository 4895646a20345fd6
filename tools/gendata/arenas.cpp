// The arenas' block grids: reading them, checking the layout rules the game code relies on,
// and writing the tile-map files the game loads.
#include "tools/gendata/arenas.h"
#include "tools/gendata/arena_grid.h"
#include "tools/fmpwrite/fmpwrite.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

const ArenaPlaces arenaPlaces[ARENA_COUNT] = {
    {"tutorial", "Tutorial.fmp", 1037},
    {"hell", "Hell.FMP", 581},
    {"london", "london.fmp", 861},
};

const int lavaPoolX[LAVA_POOLS][2] = {
    {75, 204},  {268, 372},  {424, 533},   {594, 643},   {682, 726},
    {872, 909}, {940, 1011}, {1058, 1188}, {1243, 1348}, {1404, 1519},
};

// Ten seeds at y 1125, ten at y 1150, ten at y 1135, in the order the game fills them.
const int lavaSeeds[LAVA_POOLS * 3][2] = {
    {145, 1125},  {315, 1125},  {492, 1125},  {627, 1125},  {729, 1125},  {878, 1125},
    {981, 1125},  {1119, 1125}, {1312, 1125}, {1465, 1125}, {125, 1150},  {295, 1150},
    {472, 1150},  {607, 1150},  {709, 1150},  {858, 1150},  {961, 1150},  {1100, 1150},
    {1292, 1150}, {1445, 1150}, {165, 1135},  {335, 1135},  {512, 1135},  {647, 1135},
    {749, 1135},  {898, 1135},  {1000, 1135}, {1139, 1135}, {1332, 1135}, {1485, 1135},
};

static char cellOf(const ArenaGrid &g, int col, int row) {
  if (col < 0 || col >= ARENA_COLS || row < 0 || row >= ARENA_ROWS) return CELL_EMPTY;
  return g.cell[row][col];
}

// Floor division, so that pixels left of or above the grid land outside it.
static int blockOf(int px) { return px >= 0 ? px / ARENA_BLOCK : -((-px + ARENA_BLOCK - 1) / ARENA_BLOCK); }

char arenaCellAt(const ArenaGrid &g, int px, int py) { return cellOf(g, blockOf(px), blockOf(py)); }

bool arenaSolidAt(const ArenaGrid &g, int px, int py) { return arenaCellAt(g, px, py) == CELL_SOLID; }

static bool standable(char c) { return c == CELL_SOLID || c == CELL_LADDER_TOP || c == CELL_LADDER_TOP_SIDE; }

static bool fail(std::string &why, const char *fmt, ...) {
  char msg[200];
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(msg, sizeof msg, fmt, ap);
  va_end(ap);
  why = msg;
  return false;
}

bool parseArenaGrid(int arena, const char *text, ArenaGrid &g, std::string &why) {
  memset(&g, 0, sizeof g);
  g.arena = arena;
  int row = 0;
  for (const char *p = text; *p;) {
    const char *end = strchr(p, '\n');
    size_t len = end ? (size_t)(end - p) : strlen(p);
    if (len > 0 && p[len - 1] == '\r') len--;
    if (len > 0 && p[0] != ';') {
      if (row >= ARENA_ROWS) return fail(why, "more than %d rows", ARENA_ROWS);
      if (len != ARENA_COLS) return fail(why, "row %d has %d characters, not %d", row, (int)len, ARENA_COLS);
      for (size_t i = 0; i < len; i++)
        if (!strchr(".#HT=S~", p[i]))
          return fail(why, "row %d column %d: unknown block '%c'", row, (int)i, p[i]);
      memcpy(g.cell[row], p, ARENA_COLS);
      g.cell[row][ARENA_COLS] = 0;
      row++;
    }
    if (!end) break;
    p = end + 1;
  }
  if (row != ARENA_ROWS) return fail(why, "%d rows, not %d", row, ARENA_ROWS);
  return true;
}

bool loadArenaGrid(int arena, const char *dataDir, ArenaGrid &g, std::string &why) {
  if (arena < 0 || arena >= ARENA_COUNT) {
    why = "no such arena";
    return false;
  }
  std::string path = std::string(dataDir) + "/arenas/" + arenaPlaces[arena].name + ".txt";
  FILE *f = fopen(path.c_str(), "rb");
  if (!f) {
    why = "cannot read " + path;
    return false;
  }
  std::string text;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  fclose(f);
  if (!parseArenaGrid(arena, text.c_str(), g, why)) {
    why = path + ": " + why;
    return false;
  }
  return true;
}

// --- Layout checks ---------------------------------------------------------------------

// A team base must be a closed room: edge wall one block thick, solid floor the fighter can
// cash in from, a ceiling low enough that nobody jumps over the force field, free respawn
// spot, nothing that opens into it but the force-field side.
static bool checkBase(const ArenaGrid &g, bool green, std::string &why) {
  const int by = arenaPlaces[g.arena].boothY;
  const int bx = green ? BOOTH_GREEN_X : BOOTH_PURPLE_X;
  const char *side = green ? "green" : "purple";
  const int wallCol = green ? 0 : ARENA_COLS - 1;
  // Room columns: every column whose centre lies inside the base, the edge wall excepted.
  int c0 = green ? 1 : (FIELD_PURPLE_X + ARENA_BLOCK / 2 - 1) / ARENA_BLOCK;
  int c1 = green ? (FIELD_GREEN_X + FIELD_W - ARENA_BLOCK / 2) / ARENA_BLOCK : ARENA_COLS - 2;
  const int probeX = bx + 48;
  int r = blockOf(by + 106);
  while (r < ARENA_ROWS && cellOf(g, blockOf(probeX), r) != CELL_SOLID) r++;
  const int floorY = r * ARENA_BLOCK;
  if (r >= ARENA_ROWS || floorY < by + 66 || floorY > by + 155)
    return fail(why, "%s base: booth floor at y %d, must be solid within %d..%d", side, floorY, by + 66,
                by + 155);
  const int floorRow = r;
  r = blockOf(by + 57);
  while (r >= 0 && cellOf(g, blockOf(probeX), r) == CELL_EMPTY) r--;
  const int ceilY = (r + 1) * ARENA_BLOCK;
  if (r < 0 || cellOf(g, blockOf(probeX), r) != CELL_SOLID || ceilY <= by - 29)
    return fail(why, "%s base: no solid ceiling with its underside below y %d", side, by - 29);
  const int ceilRow = r;
  for (int c = c0; c <= c1; c++) {
    if (cellOf(g, c, floorRow) != CELL_SOLID || cellOf(g, c, ceilRow) != CELL_SOLID)
      return fail(why, "%s base: floor and ceiling must be solid over column %d", side, c);
    for (int rr = ceilRow + 1; rr < floorRow; rr++)
      if (cellOf(g, c, rr) != CELL_EMPTY)
        return fail(why, "%s base: room cell at column %d row %d is not empty", side, c, rr);
  }
  for (int rr = ceilRow; rr <= floorRow; rr++)
    if (cellOf(g, wallCol, rr) != CELL_SOLID) return fail(why, "%s base: edge wall open at row %d", side, rr);
  // The way in: beside the field the standing body height must be open.
  const int doorCol = green ? c1 + 1 : c0 - 1;
  for (int y = floorY - 50; y < floorY; y += 8)
    if (arenaSolidAt(g, doorCol * ARENA_BLOCK + 16, y))
      return fail(why, "%s base: the way in beside the force field is blocked", side);
  return true;
}

static bool checkLadders(const ArenaGrid &g, std::string &why) {
  for (int r = 0; r < ARENA_ROWS; r++)
    for (int c = 0; c < ARENA_COLS; c++) {
      char k = g.cell[r][c], up = cellOf(g, c, r - 1), down = cellOf(g, c, r + 1);
      char left = cellOf(g, c - 1, r), right = cellOf(g, c + 1, r);
      if (k == CELL_LADDER) {
        if (down != CELL_LADDER && down != CELL_SOLID)
          return fail(why, "ladder at column %d row %d does not stand on solid ground", c, r);
        if (up != CELL_LADDER && up != CELL_LADDER_TOP)
          return fail(why, "ladder at column %d row %d has no ladder top above it", c, r);
        if (left == CELL_SOLID || right == CELL_SOLID)
          return fail(why, "ladder at column %d row %d runs beside a wall (climbers would stick)", c, r);
      } else if (k == CELL_LADDER_TOP) {
        if (down != CELL_LADDER) return fail(why, "ladder top at column %d row %d has no ladder below", c, r);
        if (!(left == CELL_SOLID || left == CELL_LADDER_TOP_SIDE) ||
            !(right == CELL_SOLID || right == CELL_LADDER_TOP_SIDE))
          return fail(why, "ladder top at column %d row %d is not set into a floor", c, r);
      } else if (k == CELL_LADDER_TOP_SIDE) {
        if (left != CELL_LADDER_TOP && right != CELL_LADDER_TOP)
          return fail(why, "ladder-top side at column %d row %d is not beside a ladder top", c, r);
      } else if (k == CELL_STAIRS) {
        if (down != CELL_SOLID)
          return fail(why, "stairs at column %d row %d do not stand on solid ground", c, r);
        if (left != CELL_SOLID && right != CELL_SOLID)
          return fail(why, "stairs at column %d row %d lead to no step", c, r);
      }
    }
  return true;
}

// Every surface needs two free rows above it so that a fighter fits.
static bool checkHeadroom(const ArenaGrid &g, std::string &why) {
  for (int r = 1; r < ARENA_ROWS; r++)
    for (int c = 0; c < ARENA_COLS; c++) {
      char up = g.cell[r - 1][c];
      if (!standable(g.cell[r][c]) || standable(up) || up == CELL_LAVA) continue;
      if (cellOf(g, c, r - 2) == CELL_SOLID)
        return fail(why, "surface at column %d row %d has less than two free rows above", c, r);
    }
  return true;
}

// Five-point test of the cube spawner: the point and the points 15 px around it non-solid.
static bool spawnPointFree(const ArenaGrid &g, int x, int y, int d) {
  return !arenaSolidAt(g, x, y) && !arenaSolidAt(g, x - d, y) && !arenaSolidAt(g, x + d, y) &&
         !arenaSolidAt(g, x, y - d) && !arenaSolidAt(g, x, y + d);
}

void cubeSpawnPassRates(const ArenaGrid &g, double &left, double &right) {
  const int by = arenaPlaces[g.arena].boothY;
  int pass[2] = {0, 0}, total[2] = {0, 0};
  for (int y = 30; y <= 1169; y += 7)
    for (int x = 30; x <= 1559; x += 7) {
      bool nearBase = y > by - 50 && y < by + 181 && (x < 375 || x > 1228);
      if (nearBase) continue;
      int half = x >= 800;
      total[half]++;
      if (spawnPointFree(g, x, y, 15)) pass[half]++;
    }
  left = total[0] ? (double)pass[0] / total[0] : 0;
  right = total[1] ? (double)pass[1] / total[1] : 0;
}

// Something dropped at (x, y) falls onto ground before the drop zone at y 1100.
static bool landsAbove(const ArenaGrid &g, int x, int y, int limitY) {
  if (arenaSolidAt(g, x, y)) return false;
  for (int yy = y; yy < limitY; yy += 4) {
    char k = arenaCellAt(g, x, yy);
    if (k == CELL_SOLID || k == CELL_STAIRS) return true;
  }
  return false;
}

// Hell's lava pools: every fill seed inside lava, the lava walled by rock on the sides and
// below (so the fill cannot leak), each pool open down past the death line.
static bool checkLava(const ArenaGrid &g, std::string &why) {
  for (int r = 0; r < ARENA_ROWS; r++)
    for (int c = 0; c < ARENA_COLS; c++) {
      if (g.cell[r][c] != CELL_LAVA) continue;
      if (g.arena != GEN_ARENA_HELL) return fail(why, "lava at column %d row %d outside Hell", c, r);
      const char n[3] = {cellOf(g, c - 1, r), cellOf(g, c + 1, r), cellOf(g, c, r + 1)};
      for (char k : n)
        if (k != CELL_LAVA && k != CELL_SOLID)
          return fail(why, "lava at column %d row %d is not sealed by rock", c, r);
      if (r * ARENA_BLOCK + ARENA_BLOCK <= LAVA_BODY_TOP)
        return fail(why, "lava at column %d row %d lies above the lava surface", c, r);
    }
  if (g.arena != GEN_ARENA_HELL) return true;
  for (const auto &s : lavaSeeds)
    if (arenaCellAt(g, s[0], s[1]) != CELL_LAVA)
      return fail(why, "lava fill seed (%d, %d) is not in lava", s[0], s[1]);
  for (int p = 0; p < LAVA_POOLS; p++) {
    int x0 = lavaPoolX[p][0], x1 = lavaPoolX[p][1];
    for (int c = 0; c < ARENA_COLS; c++) {
      bool inside = c * ARENA_BLOCK >= x0 && c * ARENA_BLOCK + ARENA_BLOCK - 1 <= x1;
      if (!inside && c != blockOf((x0 + x1) / 2)) continue;
      for (int y = LAVA_BODY_TOP; y < ARENA_ROWS * ARENA_BLOCK - ARENA_BLOCK; y += ARENA_BLOCK / 2)
        if (arenaCellAt(g, c * ARENA_BLOCK, y) != CELL_LAVA)
          return fail(why, "lava pool %d: column %d is not open lava down past y %d", p + 1, c, LAVA_DEATH_Y);
    }
  }
  return true;
}

// --- Reachability: every place to stand can be reached from both booths ----------------

// Standing with the feet on the top of cell (c, r + 1), the body in cells r and r - 1.
static bool standAt(const ArenaGrid &g, int c, int r) {
  return c > 0 && c < ARENA_COLS - 1 && r > 0 && r + 1 < ARENA_ROWS && cellOf(g, c, r) != CELL_SOLID &&
         cellOf(g, c, r - 1) != CELL_SOLID && cellOf(g, c, r) != CELL_LAVA && standable(cellOf(g, c, r + 1));
}

// Column c free of solid blocks from row r0 up to row r1 (r1 <= r0).
static bool columnClear(const ArenaGrid &g, int c, int r0, int r1) {
  for (int r = r0; r >= r1; r--)
    if (cellOf(g, c, r) == CELL_SOLID) return false;
  return true;
}

// Stepping into column c at row r: walking on where there is floor, else falling until solid
// ground (a falling fighter drops through ladder tops); -1 into lava or nowhere.
static int stepInto(const ArenaGrid &g, int c, int r) {
  if (standable(cellOf(g, c, r + 1))) return r;
  for (; r + 1 < ARENA_ROWS; r++) {
    if (cellOf(g, c, r) == CELL_SOLID || cellOf(g, c, r) == CELL_LAVA) return -1;
    if (cellOf(g, c, r + 1) == CELL_SOLID) return r;
  }
  return -1;
}

static void reachVisit(const ArenaGrid &g, int c, int r, char seen[ARENA_ROWS][ARENA_COLS],
                       std::vector<int> &todo) {
  if (!standAt(g, c, r) || seen[r][c]) return;
  seen[r][c] = 1;
  todo.push_back(r * ARENA_COLS + c);
}

// A block-level search with the fighter's moves: walking and falling, stairs, jumps and
// running drops onto solid ground up to five columns away (rising three blocks with a double
// jump, five off a wall), ladders up onto their tops and down through them.
static void reachFrom(const ArenaGrid &g, int c0, int r0, char seen[ARENA_ROWS][ARENA_COLS]) {
  std::vector<int> todo;
  reachVisit(g, c0, r0, seen, todo);
  while (!todo.empty()) {
    const int c = todo.back() % ARENA_COLS, r = todo.back() / ARENA_COLS;
    todo.pop_back();
    for (int dir = -1; dir <= 1; dir += 2) {
      const int n = c + dir;
      if (cellOf(g, n, r) != CELL_SOLID && cellOf(g, n, r - 1) != CELL_SOLID) {
        int land = stepInto(g, n, r);
        if (land >= 0) reachVisit(g, n, land, seen, todo);
      }
      if (cellOf(g, n, r) == CELL_STAIRS && cellOf(g, n + dir, r) == CELL_SOLID)
        reachVisit(g, n + dir, r - 1, seen, todo);
      if (cellOf(g, c, r) == CELL_STAIRS) reachVisit(g, n, r - 1, seen, todo);
    }
    bool wall = false;
    for (int k = 1; k <= 4; k++)
      wall |= cellOf(g, c - 1, r - k) == CELL_SOLID || cellOf(g, c + 1, r - k) == CELL_SOLID;
    const int rise = wall ? 5 : 3;
    for (int dc = -5; dc <= 5; dc++)
      for (int tr = r - rise; tr < ARENA_ROWS; tr++) {
        const int t = c + dc, hi = tr < r ? tr : r;
        if (tr < 1 || cellOf(g, t, tr + 1) != CELL_SOLID || !columnClear(g, c, r - 1, hi - 1) ||
            !columnClear(g, t, tr, hi - 1))
          continue;
        bool path = true;
        for (int s = c; s != t; s += dc > 0 ? 1 : -1) path &= columnClear(g, s, hi, hi - 1);
        if (path) reachVisit(g, t, tr, seen, todo);
      }
    if (cellOf(g, c, r) == CELL_LADDER) {
      int t = r;
      while (cellOf(g, c, t) == CELL_LADDER) t--;
      if (cellOf(g, c, t) == CELL_LADDER_TOP) reachVisit(g, c, t - 1, seen, todo);
    }
    if (cellOf(g, c, r + 1) == CELL_LADDER_TOP) {
      int f = r + 1;
      while (cellOf(g, c, f + 1) == CELL_LADDER) f++;
      reachVisit(g, c, f, seen, todo);
    }
  }
}

// Hell's lower half: the computer jumps at every edge there, and only once it has run up to
// speed with the front of its body still over the floor, so a ledge it could walk off is at
// least three blocks wide. (Below y 800 is where its lower-half rules take over.)
static bool checkHellStones(const ArenaGrid &g, std::string &why) {
  if (g.arena != GEN_ARENA_HELL) return true;
  const int firstRow = 800 / ARENA_BLOCK + 1;
  for (int r = firstRow; r < ARENA_ROWS; r++)
    for (int c = 1; c < ARENA_COLS - 1; c++) {
      if (!standAt(g, c, r - 1) || standAt(g, c - 1, r - 1)) continue;
      int end = c;
      while (standAt(g, end + 1, r - 1)) end++;
      // A side one walks off: neither a surface nor a wall or step beside the body.
      const bool dropLeft = cellOf(g, c - 1, r - 1) != CELL_SOLID;
      const bool dropRight = cellOf(g, end + 1, r - 1) != CELL_SOLID;
      if (end - c + 1 < 3 && (dropLeft || dropRight))
        return fail(why, "lower Hell: the surface at columns %d..%d row %d is too narrow for the computer's edge jumps",
                    c, end, r);
    }
  return true;
}

static bool checkReach(const ArenaGrid &g, std::string &why) {
  for (int green = 1; green >= 0; green--) {
    char seen[ARENA_ROWS][ARENA_COLS] = {};
    int c = green ? 2 : ARENA_COLS - 3, r = (arenaPlaces[g.arena].boothY + 57) / ARENA_BLOCK;
    while (r < ARENA_ROWS && !standAt(g, c, r)) r++;
    reachFrom(g, c, r, seen);
    for (int rr = 0; rr < ARENA_ROWS; rr++)
      for (int cc = 0; cc < ARENA_COLS; cc++)
        if (standAt(g, cc, rr) && !seen[rr][cc])
          return fail(why, "column %d row %d cannot be reached from the %s booth", cc, rr,
                      green ? "green" : "purple");
  }
  return true;
}

// Points the game code's fixed coordinates (hints, guidance, drops) expect to be of a kind.
struct Anchor {
  int arena, x, y;
  const char *kinds;
  const char *what;
};

static const Anchor anchors[] = {
    {GEN_ARENA_TUTORIAL, 400, 1184, "#", "ground top at y 1184"},
    {GEN_ARENA_TUTORIAL, 400, 1183, ".", "ground top at y 1184"},
    {GEN_ARENA_TUTORIAL, 512, 1160, "#", "left obstacle at x 480..543"},
    {GEN_ARENA_TUTORIAL, 1120, 1160, "#", "right obstacle at x 1088..1151"},
    {GEN_ARENA_TUTORIAL, 650, 1150, "H", "left climb-up ladder"},
    {GEN_ARENA_TUTORIAL, 950, 1150, "H", "right climb-up ladder"},
    {GEN_ARENA_TUTORIAL, 650, 1024, "T", "left climb-down ladder top"},
    {GEN_ARENA_TUTORIAL, 950, 1024, "T", "right climb-down ladder top"},
    {GEN_ARENA_TUTORIAL, 610, 1024, "#T=", "upper platform at y 1024"},
    {GEN_ARENA_TUTORIAL, 1010, 1024, "#T=", "upper platform at y 1024"},
    {GEN_ARENA_TUTORIAL, 610, 1000, ".", "upper platform at y 1024"},
    {GEN_ARENA_TUTORIAL, 1010, 1000, ".", "upper platform at y 1024"},
    {GEN_ARENA_TUTORIAL, 800, 928, "#", "pillar top under the power-up drop"},
    {GEN_ARENA_TUTORIAL, 240, 512, "T", "left ladder-trick ladder top"},
    {GEN_ARENA_TUTORIAL, 240, 544, "H", "left ladder-trick ladder"},
    {GEN_ARENA_TUTORIAL, 1350, 512, "T", "right ladder-trick ladder top"},
    {GEN_ARENA_TUTORIAL, 1350, 544, "H", "right ladder-trick ladder"},
    {GEN_ARENA_TUTORIAL, 360, 512, "#", "back-fire walkway at y 512"},
    {GEN_ARENA_TUTORIAL, 300, 224, "#", "slide corridor floor at y 224"},
    {GEN_ARENA_TUTORIAL, 300, 190, ".", "slide corridor"},
    {GEN_ARENA_HELL, 800, 530, ".", "box reset point in the open"},
    {GEN_ARENA_HELL, 800, 608, "#", "central platform under the box reset point"},
    {GEN_ARENA_HELL, 360, 544, "T", "ladder top of the left 544 level"},
    {GEN_ARENA_HELL, 1260, 544, "T", "ladder top of the right 544 level"},
    {GEN_ARENA_HELL, 795, 1024, "#", "central island"},
    {GEN_ARENA_HELL, 640, 224, "#", "raised top platform at y 224"},
    {GEN_ARENA_HELL, 650, 960, "#", "floor under the central gap, where falls from above land"},
    {GEN_ARENA_HELL, 990, 960, "#", "floor under the central gap, where falls from above land"},
    {GEN_ARENA_HELL, 1077, 960, "#", "floor the computer's lower route hints jump from"},
    {GEN_ARENA_HELL, 1430, 960, "#", "floor the computer's lower route hints jump from"},
    {GEN_ARENA_HELL, 190, 960, "#", "floor the computer's lower route hints land on"},
    {GEN_ARENA_LONDON, 470, 288, "#", "left rooftop reaches x 479"},
    {GEN_ARENA_LONDON, 490, 288, ".", "rooftop gap from x 480"},
    {GEN_ARENA_LONDON, 1110, 288, ".", "rooftop gap up to x 1119"},
    {GEN_ARENA_LONDON, 1120, 288, "#", "right rooftop from x 1120"},
    {GEN_ARENA_LONDON, 800, 512, "#", "bridge at y 512"},
    {GEN_ARENA_LONDON, 368, 784, ".", "a way down off the end of the green base's roof"},
    {GEN_ARENA_LONDON, 1232, 784, ".", "a way down off the end of the purple base's roof"},
    {GEN_ARENA_LONDON, 158, 563, ".", "sparks fall in the open"},
    {GEN_ARENA_LONDON, 1400, 560, ".", "street light hangs in the open"},
};

bool checkArenaGrid(const ArenaGrid &g, std::string &why) {
  if (!checkBase(g, true, why) || !checkBase(g, false, why)) return false;
  if (!checkLadders(g, why) || !checkHeadroom(g, why) || !checkLava(g, why) || !checkHellStones(g, why))
    return false;
  for (const Anchor &a : anchors)
    if (a.arena == g.arena && !strchr(a.kinds, arenaCellAt(g, a.x, a.y)))
      return fail(why, "(%d, %d) must be one of \"%s\": %s", a.x, a.y, a.kinds, a.what);
  if (g.arena == GEN_ARENA_HELL && !landsAbove(g, 816, 530, 1100))
    return fail(why, "the power-up box put back at (800, 530) would fall into the lava");
  if (g.arena == GEN_ARENA_TUTORIAL && !landsAbove(g, 816, 80, 1100))
    return fail(why, "the power-up box dropped at (800, 80) lands nowhere");
  double left, right;
  cubeSpawnPassRates(g, left, right);
  if (left < 0.5 || right < 0.5)
    return fail(why, "too few free cube spawn points: %d%% left, %d%% right (need 50%%)", (int)(left * 100),
                (int)(right * 100));
  return checkReach(g, why);
}

// --- Tile maps --------------------------------------------------------------------------

// Block records: index, grid character, what the game reads of it, and the colour of the
// block's picture (only a map editor ever shows those). A ladder top is a ladder cell too:
// the computer's path node on a platform measures the ladder below it from 10 px under its
// feet, inside the ladder top, and without the ladder attribute there it never finds the
// ladder and almost never climbs down.
struct BlockKind {
  char cell;
  unsigned char flags;
  unsigned user1, user2;
  short user3, user4;
  int r, g, b;
};

static const BlockKind blockKinds[] = {
    {CELL_EMPTY, 0, 0, 0, 0, 0, 0, 0, 0},
    {CELL_SOLID, FMP_FLAG_TR, 0, 0, 0, 0, 150, 140, 130},
    {CELL_LADDER, 0, 0, 1, 0, 0, 160, 110, 50},
    {CELL_LADDER_TOP, 0, 0, 1, 1, 0, 200, 160, 60},
    {CELL_LADDER_TOP_SIDE, 0, 0, 0, 0, 1, 120, 120, 60},
    {CELL_STAIRS, 0, 1, 0, 0, 0, 110, 130, 150},
};

static int blockIndex(char cell) {
  for (int i = 0; i < (int)(sizeof blockKinds / sizeof blockKinds[0]); i++)
    if (blockKinds[i].cell == cell) return i;
  return 0;  // lava is open space to the map
}

static void buildArenaMap(const ArenaGrid &g, FmpMap &m) {
  m = FmpMap();
  m.width = ARENA_COLS;
  m.height = ARENA_ROWS;
  const int kinds = (int)(sizeof blockKinds / sizeof blockKinds[0]);
  fmpAddGraphics(m, kinds);
  m.blocks.resize(kinds);
  for (int i = 0; i < kinds; i++) {
    const BlockKind &k = blockKinds[i];
    for (int y = 0; y < ARENA_BLOCK; y++)
      for (int x = 0; x < ARENA_BLOCK; x++) {
        bool edge = x == 0 || y == 0;
        fmpSetPixel(m, i, x, y, edge ? k.r / 2 : k.r, edge ? k.g / 2 : k.g, edge ? k.b / 2 : k.b);
      }
    FmpBlock &b = m.blocks[i];
    b.bg = i;
    b.flags = k.flags;
    b.user1 = k.user1;
    b.user2 = k.user2;
    b.user3 = k.user3;
    b.user4 = k.user4;
  }
  m.layers.assign(1, std::vector<short>(ARENA_COLS * ARENA_ROWS, 0));
  for (int r = 0; r < ARENA_ROWS; r++)
    for (int c = 0; c < ARENA_COLS; c++) m.layers[0][r * ARENA_COLS + c] = (short)blockIndex(g.cell[r][c]);
}

bool writeArenaMaps(const char *dataDir, const char *outDir) {
  // Every grid is checked before any map is written: a broken arena leaves no new maps.
  ArenaGrid grids[ARENA_COUNT];
  for (int a = 0; a < ARENA_COUNT; a++) {
    std::string why;
    if (!loadArenaGrid(a, dataDir, grids[a], why)) {
      fprintf(stderr, "arenas: %s\n", why.c_str());
      return false;
    }
    if (!checkArenaGrid(grids[a], why)) {
      fprintf(stderr, "arenas: %s/arenas/%s.txt breaks a layout rule: %s\n", dataDir, arenaPlaces[a].name,
              why.c_str());
      return false;
    }
  }
  for (int a = 0; a < ARENA_COUNT; a++) {
    FmpMap m;
    std::string path = std::string(outDir) + "/" + arenaPlaces[a].mapFile;
    buildArenaMap(grids[a], m);
    if (!fmpWriteFile(m, path.c_str())) {
      fprintf(stderr, "arenas: cannot write %s\n", path.c_str());
      return false;
    }
  }
  return true;
}
