// The arenas' block grids as the generator sees them: one character per 32x32 block, read
// from data/arenas/<name>.txt, plus the fixed places the game code puts things at (booths,
// force fields, monitors, Hell's lava). Shared by the map writer, the layout checks and the
// background painter, which must all agree on one layout.
#pragma once

#include <string>

struct BITMAP;

#define ARENA_COLS 50
#define ARENA_ROWS 38
#define ARENA_BLOCK 32
#define ARENA_COUNT 3

// Grid characters (see data/arenas/legend.txt)
#define CELL_EMPTY '.'
#define CELL_SOLID '#'
#define CELL_LADDER 'H'
#define CELL_LADDER_TOP 'T'
#define CELL_LADDER_TOP_SIDE '='
#define CELL_STAIRS 'S'
#define CELL_LAVA '~'

struct ArenaGrid {
  int arena;                              // GEN_ARENA_*
  char cell[ARENA_ROWS][ARENA_COLS + 1];  // row by row; outside the grid reads as empty
};

// Fixed places of one arena (playfield pixels).
struct ArenaPlaces {
  const char *name;     // grid file stem under data/arenas/, and colour-key prefix
  const char *mapFile;  // file written into the game folder
  int boothY;           // both booths; green booth x 15, purple 1490
};

#define BOOTH_GREEN_X 15
#define BOOTH_PURPLE_X 1490
#define BOOTH_W 97
#define BOOTH_H 131
#define FIELD_GREEN_X 290
#define FIELD_PURPLE_X 1278
#define FIELD_W 35

extern const ArenaPlaces arenaPlaces[ARENA_COUNT];

// Hell's lava: ten surface curves with fixed end points, flood-filled from fixed seeds.
#define LAVA_POOLS 10
#define LAVA_SURFACE_Y 1064
#define LAVA_BODY_TOP 1040  // the curves wander between y 1042 and 1080
#define LAVA_DEATH_Y 1150
extern const int lavaPoolX[LAVA_POOLS][2];
extern const int lavaSeeds[LAVA_POOLS * 3][2];

// Cell queries (pixel coordinates; anything outside the grid is empty).
char arenaCellAt(const ArenaGrid &g, int px, int py);
bool arenaSolidAt(const ArenaGrid &g, int px, int py);

// Reads data/arenas/<name>.txt under dataDir. On failure fills `why` and returns false.
bool loadArenaGrid(int arena, const char *dataDir, ArenaGrid &g, std::string &why);
// Parses grid text (rows of 50 characters; lines starting with ';' are comments).
bool parseArenaGrid(int arena, const char *text, ArenaGrid &g, std::string &why);
// Checks every hard layout rule. On the first broken one fills `why` and returns false.
bool checkArenaGrid(const ArenaGrid &g, std::string &why);
// Share of spawn points in each half that pass the cube spawner's five-point test.
void cubeSpawnPassRates(const ArenaGrid &g, double &left, double &right);

// Draws Hell's lava into a copy of its background the way the game does each frame: the ten
// surface curves (middle control points at midY[pool][0..1]) in red, then the flood fill
// from the thirty seeds. For previews and for checking that the fill stays in the pools.
void drawHellLava(BITMAP *bmp, const int midY[LAVA_POOLS][2]);
