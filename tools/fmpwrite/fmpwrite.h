// fmpwrite: writes tile maps in the map editor's FMP format (a FORM/FMAP chunk file), for the
// game's data generator and for the tile map engine's tests. No Allegro needed.
//
// A plain 16-bit map of a given grid (what the arenas are):
//
//   FmpMap m;                             // 32x32 blocks, 16-bit graphics, map type 1
//   m.width = 50; m.height = 38;
//   int first = fmpAddGraphics(m, 2);     // graphics 0 (all black) and 1
//   for (int y = 0; y < 32; y++)
//     for (int x = 0; x < 32; x++) fmpSetPixel(m, first + 1, x, y, 128, 64, 0);
//   m.blocks.resize(2);                   // block 0: empty, everything 0
//   m.blocks[1].bg = first + 1;           // block 1: solid, shown as graphic 1
//   m.blocks[1].flags = FMP_FLAG_TR;
//   m.layers.assign(1, std::vector<short>(50 * 38, 0));  // layer 0 (BODY), all empty
//   m.layers[0][row * 50 + col] = 1;      // one solid cell
//   if (!fmpWriteFile(m, "Hell.FMP")) { /* inconsistent description or I/O error */ }
//
// Cells >= 0 are block indices; a cell < 0 names an animation: fmpAnimCell(m, k) gives the
// cell value for m.anims[k]. Map types 0..3 and both byte orders are written from the same
// description, and the test options below make broken files on purpose.
#pragma once

#include <string>
#include <vector>

enum {
  FMP_FLAG_TL = 1, FMP_FLAG_TR = 2, FMP_FLAG_BL = 4, FMP_FLAG_BR = 8, FMP_FLAG_TRIGGER = 16,
  FMP_FLAG_PILLAR = 32, FMP_FLAG_LEFTHALF = 64, FMP_FLAG_RIGHTHALF = 128
};

struct FmpBlock {
  int bg = 0, fg = 0, fg2 = 0, fg3 = 0;  // graphic indices; 0 in fg* means none
  unsigned user1 = 0, user2 = 0;         // the game: stairs, ladder
  short user3 = 0, user4 = 0;            // the game: ladder top, ladder-top side
  unsigned char user5 = 0, user6 = 0, user7 = 0;
  unsigned char flags = 0;               // FMP_FLAG_* bits (the game reads FMP_FLAG_TR: solid)
};

struct FmpAnim {
  int type = 1;             // 1 loop forward, 2 loop back, 3 once, 4 once and hold, 5..8 ping-pong
  int delay = 0;            // calls to wait between frames
  std::vector<int> frames;  // block indices, in order
};

struct FmpChunk {
  std::string id;  // 4 characters
  std::vector<unsigned char> body;
};

struct FmpMap {
  int width = 0, height = 0;            // in cells
  int blockWidth = 32, blockHeight = 32;
  int depth = 16;                       // of the graphics: 8, 15, 16, 24 or 32
  int mapType = 1;                      // 0 offsets, 1 plain, 2 run-length, 3 runs + back-references
  bool lsb = true;                      // byte order of the map's own fields
  int versionMajor = 1, versionMinor = 0;
  int blockStrSize = 32;                // bytes per block record in the file (extra bytes zero)
  std::vector<FmpBlock> blocks;
  std::vector<unsigned char> graphics;  // pictures at `depth`, row by row, file encoding
  std::vector<unsigned char> graphics8; // optional 8-bit copy (AGFX), one byte a pixel
  std::vector<unsigned char> cmap;      // optional colour map, 3 bytes a colour (768 for 256)
  std::vector<FmpAnim> anims;
  std::vector<std::vector<short>> layers;  // [0] = BODY, [n] = LYRn; width*height cells each
  std::string novc;                     // optional list of graphics kept out of video memory

  // Header extension: gap and stagger (0 gap = block size), click-mask graphic.
  int headerBytes = 38;                 // MPHD body length: 24, 28, 36 or 38
  int gapX = 0, gapY = 0, staggerX = 0, staggerY = 0, clickMask = 0;

  // Test options for broken files.
  std::vector<std::string> omitChunks;  // ids not written ("BKDT", "BODY", ...)
  std::vector<FmpChunk> extraChunks;    // written right after MPHD, as they are
};

// Appends `count` blank (all zero) pictures at the map's depth; returns the first one's index.
int fmpAddGraphics(FmpMap &m, int count);
// Sets a pixel of picture `graphic` from 8-bit components (8-bit maps: r is the palette index).
void fmpSetPixel(FmpMap &m, int graphic, int x, int y, int r, int g, int b);
// Cell value naming animation k of m.anims.
int fmpAnimCell(const FmpMap &m, int k);

// Encodes the whole file. False when the description is inconsistent (a layer of the wrong
// size, too few graphics bytes, a value that does not fit its field).
bool fmpWriteMemory(const FmpMap &m, std::vector<unsigned char> &out);
bool fmpWriteFile(const FmpMap &m, const char *path);

// For tests that break files by hand: offset of the first chunk with this id in a written
// file (its 8-byte head), or -1; and a big-endian 32-bit store.
long fmpFindChunk(const std::vector<unsigned char> &file, const char *id);
void fmpPutBE32(std::vector<unsigned char> &file, long offset, unsigned long value);
