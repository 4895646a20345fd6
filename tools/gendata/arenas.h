// The three arenas (tutorial, Hell, London): their block grids from data/arenas/, the
// tile-map files made from them, and the background pictures painted from the same grids.
#pragma once

struct BITMAP;

enum GenArena { GEN_ARENA_TUTORIAL = 0, GEN_ARENA_HELL = 1, GEN_ARENA_LONDON = 2 };

// Reads the grids under dataDir (the repo's data/ folder), checks every hard layout rule and
// writes "Tutorial.fmp", "Hell.FMP" and "london.fmp" into outDir. On a broken rule or an I/O
// failure it prints why to stderr and returns false (the build then fails).
bool writeArenaMaps(const char *dataDir, const char *outDir);

// Paints the 1600x1200 background picture of one arena from its grid, as a new 16-bit memory
// bitmap (no mask colour anywhere in it). Returns NULL when the grid cannot be read.
BITMAP *paintArenaBackground(int arena, const char *dataDir);

// Paints one arena's background and writes it as an image file a person can look at (the
// format follows the extension: .bmp, .pcx or .tga). False when painting or writing fails.
bool saveArenaPreview(int arena, const char *dataDir, const char *path);
