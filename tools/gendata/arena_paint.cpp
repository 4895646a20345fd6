// The arena backgrounds, painted from the same block grids the tile maps are made from: what
// the map makes solid is painted as lit ground (rock, brick, steel), the open air behind it
// dark, ladders, ladder tops and stairs where the map has them. The game never draws the
// tile map, so this picture is all a player sees of the arena.
#include "tools/gendata/arenas.h"
#include "tools/gendata/arena_grid.h"

#include <allegro.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

namespace {

const int W = 1600, H = 1200;

struct Rgb {
  float r, g, b;
};
Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb mix(Rgb a, Rgb b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
float clamp01(float v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

// What each pixel is made of, decided from the grid before anything is coloured.
enum Mat : uint8_t { M_AIR, M_SOLID, M_LAVA, M_PLANK };

// --- deterministic noise ------------------------------------------------------------------

uint32_t hash(int x, int y, uint32_t seed) {
  uint32_t h = (uint32_t)x * 374761393u + (uint32_t)y * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}
float hrand(int x, int y, uint32_t seed) { return (hash(x, y, seed) & 0xffffff) / 16777216.0f; }

float vnoise(float x, float y, uint32_t seed) {
  int ix = (int)floorf(x), iy = (int)floorf(y);
  float fx = x - ix, fy = y - iy;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  float a = hrand(ix, iy, seed), b = hrand(ix + 1, iy, seed);
  float c = hrand(ix, iy + 1, seed), d = hrand(ix + 1, iy + 1, seed);
  return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy;
}

float fbm(float x, float y, uint32_t seed, int octaves) {
  float sum = 0, amp = 1, norm = 0;
  for (int i = 0; i < octaves; i++) {
    sum += vnoise(x, y, seed + i * 101) * amp;
    norm += amp;
    amp *= 0.5f;
    x *= 2.03f;
    y *= 2.03f;
  }
  return sum / norm;
}

// --- the canvas ---------------------------------------------------------------------------

struct Canvas {
  const ArenaGrid *grid;
  const char *name;
  std::vector<Rgb> px;
  std::vector<uint8_t> mat;
  std::map<std::string, Rgb> colours;
  std::string missing;

  Rgb &at(int x, int y) { return px[y * W + x]; }
  uint8_t matAt(int x, int y) const {
    x = x < 0 ? 0 : x >= W ? W - 1 : x;
    y = y < 0 ? 0 : y >= H ? H - 1 : y;
    return mat[y * W + x];
  }
  Rgb c(const char *key) {
    auto it = colours.find(std::string(name) + "." + key);
    if (it != colours.end()) return it->second;
    if (missing.empty()) missing = std::string(name) + "." + key;
    return {128, 128, 128};
  }
  void put(int x, int y, Rgb v) {
    if (x >= 0 && x < W && y >= 0 && y < H) at(x, y) = v;
  }
  void blend(int x, int y, Rgb v, float t) {
    if (x >= 0 && x < W && y >= 0 && y < H) at(x, y) = mix(at(x, y), v, clamp01(t));
  }
  void rect(int x0, int y0, int x1, int y1, Rgb v) {
    for (int y = y0; y <= y1; y++)
      for (int x = x0; x <= x1; x++) put(x, y, v);
  }
  void frame(int x0, int y0, int x1, int y1, int t, Rgb v) {
    rect(x0, y0, x1, y0 + t - 1, v);
    rect(x0, y1 - t + 1, x1, y1, v);
    rect(x0, y0, x0 + t - 1, y1, v);
    rect(x1 - t + 1, y0, x1, y1, v);
  }
  // Soft round light added to whatever is there.
  void glow(float cx, float cy, float radius, Rgb v, float strength) {
    for (int y = (int)(cy - radius); y <= (int)(cy + radius); y++)
      for (int x = (int)(cx - radius); x <= (int)(cx + radius); x++) {
        float d = sqrtf((x - cx) * (x - cx) + (y - cy) * (y - cy)) / radius;
        if (d < 1 && x >= 0 && x < W && y >= 0 && y < H)
          at(x, y) = at(x, y) + v * (strength * (1 - d) * (1 - d));
      }
  }
};

bool loadColours(const char *dataDir, Canvas &cv, std::string &why) {
  std::string path = std::string(dataDir) + "/arenas/colours.txt";
  FILE *f = fopen(path.c_str(), "r");
  if (!f) {
    why = "cannot read " + path;
    return false;
  }
  char line[256];
  int n = 0;
  while (fgets(line, sizeof line, f)) {
    n++;
    char key[128];
    int r, g, b;
    if (line[0] == ';' || line[strspn(line, " \t\r\n")] == 0) continue;
    if (sscanf(line, "%127s %d %d %d", key, &r, &g, &b) != 4 || r < 0 || r > 255 || g < 0 || g > 255 ||
        b < 0 || b > 255) {
      fclose(f);
      why = path + ": line " + std::to_string(n) + " is not \"name r g b\"";
      return false;
    }
    cv.colours[key] = {(float)r, (float)g, (float)b};
  }
  fclose(f);
  return true;
}

char cellKind(const Canvas &cv, int col, int row) {
  if (col < 0 || col >= ARENA_COLS || row < 0 || row >= ARENA_ROWS) return CELL_EMPTY;
  return cv.grid->cell[row][col];
}

// --- materials from the grid ----------------------------------------------------------------

// A row where the lava runs under every pillar, one lake joining all pools.
bool lakeRow(const Canvas &cv, int row) {
  int c0 = lavaSeeds[0][0], c1 = lavaSeeds[0][0];
  for (const auto &s : lavaSeeds) {
    c0 = s[0] < c0 ? s[0] : c0;
    c1 = s[0] > c1 ? s[0] : c1;
  }
  for (int c = c0 / ARENA_BLOCK; c <= c1 / ARENA_BLOCK; c++)
    if (cellKind(cv, c, row) != CELL_LAVA) return false;
  return true;
}

bool inLavaPool(int x) {
  for (const auto &p : lavaPoolX)
    if (x >= p[0] && x <= p[1]) return true;
  return false;
}

const int PLANK = 7;  // thickness of a ladder-top or ladder-top-side floor

void buildMaterials(Canvas &cv) {
  cv.mat.assign(W * H, M_AIR);
  for (int row = 0; row < ARENA_ROWS; row++) {
    bool lake = lakeRow(cv, row);
    for (int col = 0; col < ARENA_COLS; col++) {
      char k = cellKind(cv, col, row);
      int x0 = col * ARENA_BLOCK, y0 = row * ARENA_BLOCK;
      for (int dy = 0; dy < ARENA_BLOCK && y0 + dy < H; dy++)
        for (int dx = 0; dx < ARENA_BLOCK; dx++) {
          int x = x0 + dx, y = y0 + dy;
          uint8_t m = M_AIR;
          if (k == CELL_SOLID)
            m = M_SOLID;
          else if ((k == CELL_LADDER_TOP || k == CELL_LADDER_TOP_SIDE) && dy < PLANK)
            m = M_PLANK;
          else if (k == CELL_STAIRS) {
            // Four steps rising toward the solid block beside the stairs.
            bool up = cellKind(cv, col + 1, row) == CELL_SOLID;
            int step = (up ? dx : ARENA_BLOCK - 1 - dx) / 8;  // 0..3
            if (dy >= ARENA_BLOCK - 8 * (step + 1)) m = M_SOLID;
          } else if (k == CELL_LAVA && y >= LAVA_BODY_TOP) {
            // Lava only inside the pools the game's surface curves span (and the lake under
            // the pillars); rock elsewhere, so that the game's fill stays inside.
            m = (inLavaPool(x) || lake) ? M_LAVA : M_SOLID;
          }
          cv.mat[y * W + x] = m;
        }
    }
  }
}

// Distance (1..cap) from a pixel to the nearest pixel of another material in a direction,
// cap + 1 when there is none that close.
int exposure(const Canvas &cv, int x, int y, int dx, int dy, int cap) {
  uint8_t m = cv.matAt(x, y);
  for (int d = 1; d <= cap; d++) {
    int xx = x + dx * d, yy = y + dy * d;
    if (xx < 0 || xx >= W || yy < 0 || yy >= H) return cap + 1;
    if (cv.matAt(xx, yy) != m) return d;
  }
  return cap + 1;
}

// Shades a block of ground: dark outline where it meets air, a lit rim on top, shadow
// underneath, so that ground reads as ground at half size.
Rgb shadeGround(const Canvas &cv, int x, int y, Rgb base, Rgb rim, Rgb outline, int *topDepth) {
  int up = exposure(cv, x, y, 0, -1, 8), down = exposure(cv, x, y, 0, 1, 6);
  int left = exposure(cv, x, y, -1, 0, 4), right = exposure(cv, x, y, 1, 0, 4);
  *topDepth = up;
  Rgb v = base;
  if (up <= 2) return outline;
  if (up <= 5)
    v = mix(base, rim, 0.75f);
  else if (up <= 8)
    v = mix(base, rim, 0.25f);
  if (down <= 2 || left <= 2 || right <= 2) return mix(outline, base, 0.25f);
  if (down <= 6) v = v * (0.6f + 0.4f * (down - 2) / 4.0f);
  if (left <= 4) v = v * 1.08f;
  if (right <= 4) v = v * 0.85f;
  return v;
}

// --- ladders, planks, stairs ------------------------------------------------------------------

void paintLadder(Canvas &cv, int col, int y0, int y1) {
  Rgb wood = cv.c("ladder"), dark = cv.c("ladder.dark");
  int x0 = col * ARENA_BLOCK;
  for (int y = y0; y <= y1 && y < H; y++) {
    for (int r = 0; r < 2; r++) {
      int rx = x0 + (r ? 23 : 4);
      cv.put(rx, y, dark);
      cv.put(rx + 1, y, mix(wood, {255, 255, 255}, 0.2f));
      cv.put(rx + 2, y, wood);
      cv.put(rx + 3, y, wood * 0.8f);
      cv.put(rx + 4, y, dark);
    }
    int ry = (y - y0) % 8;
    if (ry == 2 || ry == 3 || ry == 4)
      for (int x = x0 + 9; x <= x0 + 22; x++) cv.put(x, y, ry == 2 ? wood * 1.15f : ry == 3 ? wood : dark);
  }
}

void paintPlanks(Canvas &cv, int col, int row, bool top) {
  Rgb plank = cv.c("plank"), dark = cv.c("outline");
  int x0 = col * ARENA_BLOCK, y0 = row * ARENA_BLOCK;
  for (int dy = 0; dy < PLANK; dy++)
    for (int dx = 0; dx < ARENA_BLOCK; dx++) {
      Rgb v = plank * (0.9f + 0.2f * hrand(x0 + dx, y0 / 4, 31));
      if (dy == 0 || dy == PLANK - 1 || dx % 16 == 0)
        v = dark;
      else if (dy == 1)
        v = mix(v, {255, 255, 255}, 0.25f);
      cv.put(x0 + dx, y0 + dy, v);
    }
  if (top) return;
  // Struts under a side plank, down to the wall or ladder beside it.
  for (int d = 0; d < 12; d++) {
    bool towardLeft = cellKind(cv, col - 1, row) == CELL_LADDER_TOP;
    int x = towardLeft ? x0 + ARENA_BLOCK - 3 - d : x0 + 2 + d;
    cv.put(x, y0 + PLANK + d, dark);
    cv.put(x, y0 + PLANK + d + 1, plank * 0.7f);
  }
}

void paintLaddersAndPlanks(Canvas &cv) {
  for (int col = 0; col < ARENA_COLS; col++)
    for (int row = 0; row < ARENA_ROWS; row++) {
      char k = cellKind(cv, col, row);
      if (k == CELL_LADDER_TOP) {
        int end = row + 1;
        while (cellKind(cv, col, end) == CELL_LADDER) end++;
        paintLadder(cv, col, row * ARENA_BLOCK - 6, end * ARENA_BLOCK - 1);
        paintPlanks(cv, col, row, true);
      } else if (k == CELL_LADDER_TOP_SIDE) {
        paintPlanks(cv, col, row, false);
      }
    }
}

// --- backdrops --------------------------------------------------------------------------------

void backdropHell(Canvas &cv) {
  Rgb top = cv.c("air.top"), bottom = cv.c("air.bottom"), streak = cv.c("air.streak"), glow = cv.c("glow");
  for (int y = 0; y < H; y++)
    for (int x = 0; x < W; x++) {
      float n = fbm(x / 110.0f, y / 110.0f, 1, 4);
      float s = vnoise(x / 19.0f, y / 260.0f, 2);
      Rgb v = mix(top, bottom, clamp01(y / 1100.0f)) * (0.7f + 0.6f * n);
      v = mix(v, streak, 0.35f * clamp01((s - 0.55f) * 4));
      // Far stalactites hanging from the cave roof.
      float hang = 60 + 140 * vnoise(x / 13.0f, 0, 3) * vnoise(x / 61.0f, 1, 4);
      if (y < hang) v = v * 0.75f;
      float heat = expf(-fmaxf(0.0f, LAVA_BODY_TOP - y) / 110.0f);
      cv.at(x, y) = v + glow * (0.3f * heat);
    }
}

// The London skyline: two rows of houses, a clock tower and a dome against the night sky.
void backdropLondon(Canvas &cv) {
  Rgb skyTop = cv.c("sky.top"), skyBottom = cv.c("sky.bottom"), cloud = cv.c("cloud"), moon = cv.c("moon");
  Rgb farC = cv.c("far"), nearC = cv.c("near"), window = cv.c("window");
  Rgb sewer = cv.c("sewer"), water = cv.c("water"), mortar = cv.c("mortar");
  // Houses in two rows; a near house has a flat or pitched roof, chimneys and windows.
  struct House {
    int x0, w, top;
    bool pitched;
  };
  std::vector<House> houses[2];
  std::vector<int> farTop(W), nearTop(W), farId(W), nearId(W);
  for (int layer = 0; layer < 2; layer++) {
    int x = -20, id = 0;
    while (x < W) {
      House h;
      h.x0 = x;
      h.w = layer == 0 ? 50 + (int)(hrand(id, 0, 40) * 80) : 80 + (int)(hrand(id, 1, 40) * 60);
      h.top = layer == 0 ? 300 + (int)(hrand(id, 1, 41) * 160) : 450 + (int)(hrand(id, 2, 42) * 150);
      h.pitched = hrand(id, 3, 43) < 0.45f;
      for (int i = x; i < x + h.w; i++) {
        if (i < 0 || i >= W) continue;
        int roof = h.top;
        if (h.pitched)
          roof -= (h.w / 2 - abs(i - (x + h.w / 2))) / 2;
        else if (layer == 1 && (i - x - h.w * 2 / 3 + 100) % 100 < 12)
          roof -= 18;  // chimney
        (layer == 0 ? farTop : nearTop)[i] = roof;
        (layer == 0 ? farId : nearId)[i] = id;
      }
      houses[layer].push_back(h);
      x += h.w;
      id++;
    }
  }
  // Clock tower and dome, seen through the gap between the rooftops.
  for (int x = 740; x <= 800; x++) {
    int t = x >= 752 && x <= 788 ? 150 : 190;
    int spire = 150 - (20 - abs(x - 770)) * 4;
    if (abs(x - 770) < 20) t = spire < t ? spire : t;
    farTop[x] = t;
  }
  for (int x = 980; x <= 1120; x++) {
    float d = (x - 1050) / 70.0f;
    int t = 340 - (int)(80 * sqrtf(fmaxf(0.0f, 1 - d * d)));
    if (abs(x - 1050) <= 4) t = 240;
    if (t < farTop[x]) farTop[x] = t;
  }
  for (int y = 0; y < H; y++)
    for (int x = 0; x < W; x++) {
      Rgb v = mix(skyTop, skyBottom, clamp01(y / 700.0f));
      float n = fbm(x / 170.0f, y / 55.0f, 11, 4);
      v = mix(v, cloud, clamp01((n - 0.5f) * 2.2f));
      if (y < 330 && n < 0.5f && hash(x, y, 12) % 1200 == 0) v = mix(v, moon, 0.8f);
      float dm = sqrtf((x - 1280.0f) * (x - 1280.0f) + (y - 96.0f) * (y - 96.0f));
      if (dm < 20)
        v = mix(moon, moon * 0.85f, vnoise(x / 5.0f, y / 5.0f, 13));
      else if (dm < 60)
        v = v + moon * (0.12f * (1 - (dm - 20) / 40));
      if (y >= farTop[x]) {
        v = farC * (0.9f + 0.2f * hrand(farId[x], 0, 44));
        // The clock face.
        float dc = sqrtf((x - 770.0f) * (x - 770.0f) + (y - 172.0f) * (y - 172.0f));
        if (x >= 740 && x <= 800 && dc < 10) v = dc < 8.5f ? window * 0.9f : farC * 0.6f;
        if (x % 12 < 3 && y % 16 < 4 && hrand(x / 12, y / 16, 45) < 0.18f) v = mix(v, window, 0.6f);
      }
      if (y >= nearTop[x]) {
        const House &h = houses[1][nearId[x]];
        int hx = x - h.x0, hy = y - h.top;
        v = nearC * (0.85f + 0.3f * hrand(nearId[x], 0, 46));
        if ((hy + 400) % 8 == 0 || (hx + ((hy + 400) / 8) % 2 * 6) % 12 == 0)
          v = v * 0.9f;  // faint brickwork
        if (y - nearTop[x] < 3) v = v * 1.5f;
        int wx = (hx - 10) % 26, wy = (hy - 16) % 36;
        if (hx >= 10 && hx < h.w - 12 && hy >= 16 && wx < 10 && wy < 16) {
          bool lit = hrand((hx - 10) / 26 + nearId[x] * 16, (hy - 16) / 36, 47) < 0.25f;
          v = lit ? mix(window, window * 0.7f, wy / 16.0f) : mix(nearC, skyBottom, 0.35f) * 0.8f;
          if (wx == 4 || wy == 7) v = v * 0.55f;  // glazing bars
        } else if (hx >= 9 && hx < h.w - 11 && hy >= 16 && wx < 12 && wy == 16) {
          v = nearC * 1.9f;  // sill
        }
      }
      // The sewer under the street: a dark brick tunnel with water along its floor.
      if (y >= 1024) {
        int bx = (x + ((y / 12) % 2) * 14) % 28, by = y % 12;
        v = (bx < 2 || by < 2) ? sewer * 0.7f
                               : sewer * (0.9f + 0.25f * hrand((x + ((y / 12) % 2) * 14) / 28, y / 12, 48));
        if (y >= 1140)
          v = mix(water, mortar, (y == 1140 ? 0.5f : 0.0f) + 0.15f * vnoise(x / 9.0f, y / 2.0f, 49));
      }
      cv.at(x, y) = v;
    }
}

void backdropTutorial(Canvas &cv) {
  Rgb wall = cv.c("wall"), dark = cv.c("wall.dark"), lit = cv.c("wall.lit"), girder = cv.c("girder");
  Rgb lamp = cv.c("lamp");
  for (int y = 0; y < H; y++)
    for (int x = 0; x < W; x++) {
      int px = x % 160, py = y % 128;
      Rgb v = mix(wall, lit, 0.5f * (1 - py / 128.0f)) * (0.92f + 0.12f * fbm(x / 40.0f, y / 40.0f, 21, 3));
      if (px < 2 || py < 2)
        v = dark;
      else if (px == 2 || py == 2)
        v = mix(v, lit, 0.6f);
      if ((px == 8 || px == 151) && (py == 8 || py == 119)) v = lit * 1.2f;
      // Steel girders holding the hall up.
      int gx = (x + 200) % 400;
      if (gx < 26) v = (gx < 3 || gx > 22) ? girder * 0.8f : girder * (gx < 8 ? 1.3f : 1.0f);
      if (gx >= 8 && gx < 18 && y % 40 == 20) v = lit;
      cv.at(x, y) = v;
    }
  // Hanging lamps under the ceiling light the hall from above.
  for (int i = 0; i < 4; i++) {
    float lx = 400 + i * 266.0f;
    cv.glow(lx, 30, 300, lamp, 0.05f);
    cv.rect((int)lx - 14, 34, (int)lx + 14, 39, cv.c("girder"));
    cv.rect((int)lx - 11, 40, (int)lx + 11, 42, lamp);
  }
}

// --- ground ---------------------------------------------------------------------------------

void groundHell(Canvas &cv, int x, int y) {
  Rgb rock = cv.c("rock"), rockDark = cv.c("rock.dark");
  float n = fbm(x / 26.0f, y / 26.0f, 3, 4);
  Rgb base = mix(rockDark, rock, clamp01(n * 1.5f - 0.25f));
  float cr = vnoise(x / 15.0f, y / 15.0f, 5);
  bool crack = fabsf(cr - 0.5f) < 0.022f;
  if (crack) base = base * 0.55f;
  if (hrand(x, y, 7) > 0.97f) base = base * 1.15f;
  int top;
  Rgb v = shadeGround(cv, x, y, base, cv.c("rock.rim"), cv.c("outline"), &top);
  // Near the lava the cracks glow.
  if (crack && y > 900) v = mix(v, cv.c("rock.hot"), clamp01((y - 900) / 200.0f));
  cv.at(x, y) = v;
}

void groundLondon(Canvas &cv, int x, int y, int streetRow) {
  int row = y / ARENA_BLOCK;
  int by = y % 10, bx = (x + ((y / 10) % 2) * 12) % 24;
  Rgb brick = mix(cv.c("brick.dark"), cv.c("brick"), hrand((x + ((y / 10) % 2) * 12) / 24, y / 10, 51));
  Rgb base = (bx < 2 || by < 2) ? cv.c("mortar") : brick * (0.93f + 0.12f * vnoise(x / 4.0f, y / 4.0f, 52));
  int top = exposure(cv, x, y, 0, -1, 10);
  if (top <= 10 && top > 2) {
    // Stone coping on walls and roofs; cobbles on the street.
    if (row == streetRow) {
      int cx = (x + ((top / 5) % 2) * 6) % 12;
      base = (cx < 1 || top == 6) ? cv.c("outline")
                                  : cv.c("cobble") * (0.85f + 0.3f * hrand(x / 12, top / 5, 53));
    } else {
      base = cv.c("stone") * (0.88f + 0.12f * fbm(x / 6.0f, y / 3.0f, 54, 2));
      if (top == 10) base = cv.c("outline");
    }
  }
  int t;
  Rgb v = shadeGround(cv, x, y, base, base * 1.12f, cv.c("outline"), &t);
  cv.at(x, y) = v;
}

void groundTutorial(Canvas &cv, int x, int y) {
  int dx = x % ARENA_BLOCK, dy = y % ARENA_BLOCK;
  Rgb base = mix(cv.c("steel.dark"), cv.c("steel"), 0.6f + 0.4f * vnoise(x / 40.0f, y / 2.0f, 61));
  if (dx == 0 || dy == 0)
    base = cv.c("steel.dark") * 0.8f;
  else if (dx == 1 || dy == 1)
    base = base * 1.12f;
  if ((dx == 5 || dx == 26) && (dy == 5 || dy == 26)) base = cv.c("steel.dark") * 0.7f;
  if ((dx == 6 || dx == 27) && (dy == 6 || dy == 27)) base = cv.c("steel") * 1.25f;
  int top;
  Rgb v = shadeGround(cv, x, y, base, base * 1.15f, cv.c("outline"), &top);
  // Hazard stripes along every edge one can stand on.
  if (top >= 3 && top <= 7) v = ((x + top) / 6) % 2 ? cv.c("stripe") : cv.c("stripe.dark");
  cv.at(x, y) = v;
}

int streetRowOf(const Canvas &cv) {
  // The street is the floor the booths stand on.
  return (arenaPlaces[cv.grid->arena].boothY + BOOTH_H + ARENA_BLOCK - 1) / ARENA_BLOCK;
}

void paintGround(Canvas &cv) {
  int arena = cv.grid->arena, streetRow = streetRowOf(cv);
  Rgb lava = arena == GEN_ARENA_HELL ? cv.c("lava.body") : Rgb{0, 0, 0};
  for (int y = 0; y < H; y++)
    for (int x = 0; x < W; x++) {
      uint8_t m = cv.mat[y * W + x];
      if (m == M_LAVA) cv.at(x, y) = lava;
      if (m != M_SOLID) continue;
      if (arena == GEN_ARENA_HELL)
        groundHell(cv, x, y);
      else if (arena == GEN_ARENA_LONDON)
        groundLondon(cv, x, y, streetRow);
      else
        groundTutorial(cv, x, y);
    }
}

// --- fixed scenery ----------------------------------------------------------------------------

// Frames around the four monitor insets the game paints its camera views into.
void paintMonitors(Canvas &cv) {
  int by = arenaPlaces[cv.grid->arena].boothY;
  const int mon[4][4] = {
      {BOOTH_GREEN_X + 113, by + 3, 90, 40},
      {BOOTH_GREEN_X + 188, by + 81, 26, 16},
      {BOOTH_PURPLE_X - 101, by + 3, 90, 40},
      {BOOTH_PURPLE_X - 125, by + 80, 26, 16},
  };
  Rgb bezel = cv.c("bezel"), screen = cv.c("screen"), outline = cv.c("outline");
  for (const auto &m : mon) {
    int x0 = m[0] - 5, y0 = m[1] - 5, x1 = m[0] + m[2] + 4, y1 = m[1] + m[3] + 4;
    cv.rect(x0, y0, x1, y1, bezel);
    cv.frame(x0 - 1, y0 - 1, x1 + 1, y1 + 1, 1, outline);
    cv.rect(x0 + 1, y0 + 1, x1 - 1, y0 + 1, bezel * 1.4f);
    cv.rect(m[0], m[1], m[0] + m[2] - 1, m[1] + m[3] - 1, screen);
    cv.rect(m[0] + m[2] / 2 - 6, y1 + 2, m[0] + m[2] / 2 + 5, y1 + 3, bezel);  // stand
  }
}

// First y at or below y0 where something can be stood on, or -1 within `range` px.
int groundBelow(const Canvas &cv, int x, int y0, int range) {
  for (int y = y0; y < y0 + range && y < H; y++)
    if (cv.matAt(x, y) != M_AIR) return y;
  return -1;
}

void paintCandles(Canvas &cv) {
  static const int flames[23][2] = {
      {526, 510},  {499, 529},  {540, 528},  {728, 577},  {745, 566},  {761, 569},  {1057, 529}, {1091, 529},
      {1111, 511}, {1396, 509}, {1418, 505}, {189, 495},  {209, 496},  {202, 234},  {218, 222},  {246, 234},
      {396, 215},  {451, 206},  {468, 218},  {1117, 206}, {1134, 209}, {1170, 218}, {1563, 222},
  };
  Rgb wax = cv.c("wax"), iron = cv.c("iron"), glow = cv.c("glow");
  for (const auto &f : flames) {
    int x = f[0], top = f[1] + 7;
    cv.glow(x + 4.0f, f[1] + 4.0f, 26, glow, 0.35f);
    int bottom = groundBelow(cv, x + 4, top, 48);
    if (bottom < 0) {
      bottom = top + 12;
      cv.rect(x - 2, bottom, x + 9, bottom + 2, iron);  // a small wall shelf
    } else {
      cv.rect(x - 1, bottom - 2, x + 8, bottom - 1, wax * 0.8f);  // wax puddle
    }
    for (int y = top; y < bottom; y++) {
      cv.put(x + 2, y, wax);
      cv.put(x + 3, y, wax * 0.95f);
      cv.put(x + 4, y, wax * 0.85f);
      cv.put(x + 5, y, wax * 0.7f);
    }
    cv.put(x + 3, top - 1, iron);
    cv.put(x + 2, top + 2, wax * 1.1f);
  }
}

void paintTorches(Canvas &cv) {
  static const int torches[6][2] = {{396, 603}, {748, 476}, {875, 476}, {1194, 603}, {123, 387}, {1459, 387}};
  Rgb iron = cv.c("iron"), wood = cv.c("ladder"), glow = cv.c("glow"), outline = cv.c("outline");
  for (const auto &t : torches) {
    int cx = t[0] + 12, base = t[1] + 34;
    cv.glow((float)cx, t[1] + 20.0f, 110, glow, 0.3f);
    // Wall plate, iron ring, wooden shaft, and the cup the flame burns in.
    cv.rect(cx - 6, base + 14, cx + 5, base + 30, outline);
    cv.rect(cx - 5, base + 15, cx + 4, base + 29, iron);
    cv.put(cx - 3, base + 17, iron * 1.6f);
    cv.put(cx + 2, base + 27, iron * 1.6f);
    for (int y = base + 4; y < base + 24; y++) {
      int half = 2 - (y - base) / 12;
      cv.rect(cx - half - 1, y, cx + half, y, wood * (y % 5 == 0 ? 0.7f : 1.0f));
      cv.put(cx - half - 1, y, wood * 1.3f);
    }
    cv.rect(cx - 4, base + 18, cx + 3, base + 20, iron * 1.3f);
    for (int i = 0; i <= 7; i++) {
      int half = 4 + i / 2;
      cv.rect(cx - half - 1, base - 4 + i, cx + half, base - 4 + i,
              i == 0 ? outline : iron * (1.3f - i * 0.06f));
      cv.put(cx - half - 1, base - 4 + i, outline);
      cv.put(cx + half, base - 4 + i, outline);
    }
  }
}

void paintLondonLamps(Canvas &cv) {
  Rgb iron = cv.c("iron"), glass = cv.c("glass"), outline = cv.c("outline");
  // The street light hanging under the bridge, its glass where the game's flickering glow
  // (60x60 at 1395,555) has its bright middle.
  cv.glow(1425, 585, 70, glass, 0.12f);
  cv.rect(1424, 544, 1425, 567, iron * 1.6f);
  cv.rect(1413, 567, 1437, 571, outline);
  cv.rect(1414, 568, 1436, 570, iron * 1.5f);
  cv.rect(1415, 572, 1435, 597, outline);
  cv.rect(1417, 573, 1433, 596, glass * 0.3f);
  cv.rect(1424, 573, 1425, 596, outline);
  cv.rect(1417, 584, 1433, 585, outline);
  cv.rect(1412, 598, 1438, 600, iron * 1.5f);
  // A broken lamp that throws sparks.
  cv.rect(157, 544, 158, 552, iron);
  for (int i = 0; i < 12; i++) {
    cv.put(150 + i, 552 + i / 3, iron);
    cv.put(150 + i, 553 + i / 3, outline);
  }
  cv.rect(152, 556, 155, 561, glass * 0.35f);
  cv.rect(158, 558, 159, 565, iron * 1.4f);  // bare wire
}

// Stencilled words on the hall's walls, naming the move each station of the course teaches.
void stencil(Canvas &cv, const char *text, int cx, int y, int scale, Rgb colour) {
  int w = text_length(font, text), h = text_height(font);
  BITMAP *t = create_bitmap_ex(8, w, h);
  if (!t) return;
  clear_to_color(t, 0);
  textout_ex(t, font, text, 0, 0, 1, 0);
  int x0 = cx - w * scale / 2;
  for (int ty = 0; ty < h; ty++)
    for (int tx = 0; tx < w; tx++)
      if (getpixel(t, tx, ty))
        for (int sy = 0; sy < scale; sy++)
          for (int sx = 0; sx < scale; sx++)
            cv.blend(x0 + tx * scale + sx, y + ty * scale + sy, colour, 0.85f);
  destroy_bitmap(t);
}

void paintTutorialSigns(Canvas &cv) {
  static const struct {
    const char *text;
    int cx, y;
  } signs[] = {
      {"JUMP", 512, 1096},     {"JUMP", 1120, 1096},     {"CLIMB", 800, 1084},   {"DOUBLE JUMP", 816, 872},
      {"WALL", 80, 900},       {"JUMP", 80, 920},        {"WALL", 1520, 900},    {"JUMP", 1520, 920},
      {"BACK FIRE", 400, 440}, {"BACK FIRE", 1200, 440}, {"SLIDE >>", 400, 150}, {"<< SLIDE", 1200, 150},
  };
  for (const auto &s : signs) stencil(cv, s.text, s.cx, s.y, 2, cv.c("sign"));
}

void paintTutorialBooths(Canvas &cv) {
  int by = arenaPlaces[GEN_ARENA_TUTORIAL].boothY;
  Rgb alcove = cv.c("alcove"), steel = cv.c("steel"), outline = cv.c("outline");
  // The game draws its tutorial booth picture at the green booth and, mirrored, 23 px right
  // of the purple booth: the recess and plinth go where those pictures are.
  for (int bx : {BOOTH_GREEN_X, BOOTH_PURPLE_X + 23}) {
    // Recess behind the booth, and the plinth it stands on above the floor.
    cv.rect(bx + 4, by + 4, bx + BOOTH_W - 5, by + BOOTH_H - 1, alcove);
    cv.frame(bx + 2, by + 2, bx + BOOTH_W - 3, by + BOOTH_H - 1, 2, outline);
    int floorY = streetRowOf(cv) * ARENA_BLOCK;
    cv.rect(bx, by + BOOTH_H, bx + BOOTH_W - 1, floorY - 1, steel * 0.8f);
    cv.rect(bx, by + BOOTH_H, bx + BOOTH_W - 1, by + BOOTH_H + 1, steel * 1.1f);
    cv.frame(bx, by + BOOTH_H, bx + BOOTH_W - 1, floorY - 1, 1, outline);
  }
}

// --- the picture --------------------------------------------------------------------------

BITMAP *toBitmap(Canvas &cv) {
  BITMAP *bmp = create_bitmap_ex(16, W, H);
  if (!bmp) return NULL;
  static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  Rgb lavaC = cv.grid->arena == GEN_ARENA_HELL ? cv.c("lava.body") : Rgb{0, 0, 0};
  const int lava =
      cv.grid->arena == GEN_ARENA_HELL ? makecol16((int)lavaC.r, (int)lavaC.g, (int)lavaC.b) : -1;
  const int mask = makecol16(255, 0, 255);
  for (int y = 0; y < H; y++) {
    uint16_t *line = (uint16_t *)bmp->line[y];
    for (int x = 0; x < W; x++) {
      if (cv.mat[y * W + x] == M_LAVA) {
        line[x] = lava;  // one flat colour: the game's flood fill replaces exactly it
        continue;
      }
      Rgb v = cv.at(x, y);
      float d = (bayer[y & 3][x & 3] - 7.5f) / 16.0f;  // ordered dither against banding
      int r = (int)(v.r + d * 8), g = (int)(v.g + d * 4), b = (int)(v.b + d * 8);
      r = r < 0 ? 0 : r > 255 ? 255 : r;
      g = g < 0 ? 0 : g > 255 ? 255 : g;
      b = b < 0 ? 0 : b > 255 ? 255 : b;
      int c = makecol16(r, g, b);
      // Never the transparent colour, and never the lava body's colour outside the lava.
      if (c == mask || c == lava) c = makecol16(r, g > 4 ? g - 4 : g + 4, b);
      line[x] = c;
    }
  }
  return bmp;
}

}  // namespace

BITMAP *paintArenaBackground(int arena, const char *dataDir) {
  ArenaGrid grid;
  std::string why;
  Canvas cv;
  if (!loadArenaGrid(arena, dataDir, grid, why) || !loadColours(dataDir, cv, why)) {
    fprintf(stderr, "arena background: %s\n", why.c_str());
    return NULL;
  }
  cv.grid = &grid;
  cv.name = arenaPlaces[arena].name;
  cv.px.assign(W * H, {0, 0, 0});
  buildMaterials(cv);
  if (arena == GEN_ARENA_HELL)
    backdropHell(cv);
  else if (arena == GEN_ARENA_LONDON)
    backdropLondon(cv);
  else
    backdropTutorial(cv);
  if (arena == GEN_ARENA_HELL) {
    paintTorches(cv);
    paintCandles(cv);
  } else if (arena == GEN_ARENA_LONDON) {
    paintLondonLamps(cv);
  } else {
    paintTutorialSigns(cv);
    paintTutorialBooths(cv);
  }
  paintMonitors(cv);  // before the ground, which cuts a frame off where it runs into a wall
  paintGround(cv);
  paintLaddersAndPlanks(cv);
  if (!cv.missing.empty()) {
    fprintf(stderr, "arena background: colour \"%s\" missing from colours.txt\n", cv.missing.c_str());
    return NULL;
  }
  return toBitmap(cv);
}

void drawHellLava(BITMAP *bmp, const int midY[LAVA_POOLS][2]) {
  static const int inner[LAVA_POOLS][2] = {
      {100, 160}, {278, 320}, {457, 500},   {610, 630},   {695, 700},
      {882, 899}, {955, 971}, {1110, 1150}, {1260, 1300}, {1430, 1500},
  };
  for (int p = 0; p < LAVA_POOLS; p++) {
    int pts[8] = {lavaPoolX[p][0], LAVA_SURFACE_Y, inner[p][0],     midY[p][0],
                  inner[p][1],     midY[p][1],     lavaPoolX[p][1], LAVA_SURFACE_Y};
    spline(bmp, pts, makecol16(255, 0, 0));
  }
  for (const auto &s : lavaSeeds) floodfill(bmp, s[0], s[1], makecol16(255, 109, 1));
}

bool saveArenaPreview(int arena, const char *dataDir, const char *path) {
  BITMAP *bmp = paintArenaBackground(arena, dataDir);
  if (!bmp) return false;
  if (arena == GEN_ARENA_HELL) {
    // Show the lava as it looks in play, its surface at rest.
    int rest[LAVA_POOLS][2];
    for (auto &r : rest) r[0] = r[1] = LAVA_SURFACE_Y;
    drawHellLava(bmp, rest);
  }
  bool ok = save_bitmap(path, bmp, NULL) == 0;
  destroy_bitmap(bmp);
  if (!ok) fprintf(stderr, "arena preview: cannot write %s\n", path);
  return ok;
}
