// Tile map engine: loads the map editor's FMP files (FORM/FMAP chunk files), holds the
// loaded map in globals, answers block queries by cell and by pixel, steps animations,
// draws windows of a layer into bitmaps and loads raw MAR layers.
//
// One map is loaded at a time. Every loader returns 0 on success and -1 on failure with
// the reason in `maperror`; a failed decode leaves nothing loaded. Files from outside are
// never trusted: every read is bounded by the real size of the data, every index in the
// file is checked before anything is built on it.
#pragma once

#include <allegro.h>
#include <stdint.h>

// maperror codes
#define MAP_ERR_NONE      0
#define MAP_ERR_MEMORY    1
#define MAP_ERR_FORMAT    2
#define MAP_ERR_OPEN      3
#define MAP_ERR_NO_SCREEN 4
#define MAP_ERR_BITMAP    6
#define MAP_ERR_VERSION   7

#define MAP_MAX_LAYERS 8

// Animation types (AnimStr::antype)
#define AN_END   -1
#define AN_NONE   0
#define AN_LOOPF  1
#define AN_LOOPR  2
#define AN_ONCE   3
#define AN_ONCEH  4
#define AN_PPFF   5
#define AN_PPRR   6
#define AN_PPRF   7
#define AN_PPFR   8
#define AN_ONCES  9
typedef int AnimType;

// One block record. The four graphic fields hold graphic indices while a file is decoded;
// once the map is loaded they hold tile-picture handles (BITMAP pointers, pointer-sized so
// they survive 64-bit builds): `bgoff` always, the others 0 for "no picture".
struct BlockStr {
  intptr_t bgoff, fgoff, fgoff2, fgoff3;
  uint32_t user1, user2;   // game: stairs, ladder
  int16_t user3, user4;    // game: ladder top, ladder-top side
  uint8_t user5, user6, user7;
  uint8_t tl : 1;          // flag byte bit value 1
  uint8_t tr : 1;          // 2: solid in the game
  uint8_t bl : 1;          // 4
  uint8_t br : 1;          // 8
  uint8_t trigger : 1;     // 16: see-through when drawn, parallax behind it
  uint8_t pillar : 1;      // 32: row drawing continues the pillar with the next record
  uint8_t lefthalf : 1;    // 64: row drawing shows the left half only
  uint8_t righthalf : 1;   // 128: row drawing shows the right half only
};

struct AnimStr {
  signed char antype;   // AnimType; AN_END marks the first record of the list
  signed char andelay;  // calls to wait between steps
  signed char ancount;  // countdown to the next step
  signed char anuser;
  int32_t ancuroff;     // current position in the frame sequence
  int32_t anstartoff;   // first position
  int32_t anendoff;     // one past the last position
};

// Header values of the loaded map
extern short mapwidth, mapheight, mapblockwidth, mapblockheight, mapdepth;
extern short mapblockstrsize, mapnumblockstr, mapnumblockgfx;
extern int mapislsb, maptype, mapaltdepth;
extern int mapblockgapx, mapblockgapy, mapblockstaggerx, mapblockstaggery, mapclickmask;

// Loaded tables
extern short *mappt;                              // current layer's cells, row by row
extern short **maparraypt;                        // current layer's row table, or NULL
extern short *mapmappt[MAP_MAX_LAYERS];           // cells of each layer (NULL: none)
extern short **mapmaparraypt[MAP_MAX_LAYERS];     // row tables (MapGenerateYLookup)
extern BlockStr *mapblockstrpt;
extern AnimStr *mapanimstrpt, *mapanimstrendpt;   // cell c < 0 names mapanimstrendpt[c]
extern int *mapanimseqpt;
extern int mapnumanimseq;                         // entries in mapanimseqpt
extern unsigned char *mapblockgfxpt;              // held block graphics
extern unsigned char *mapcmappt;                  // CMAP body as read
extern PALETTE mapcmap6bit;
extern char mapnovctext[70];
extern BITMAP **abmTiles;                         // one picture per graphic, NULL-terminated
extern int mapblocksinvidmem, mapblocksinsysmem;
extern PACKFILE *mapfilept;
extern int maperror;
extern int mapgfxinbitmaps;                       // 1: video bitmaps where possible; else memory

// Colour depth the block graphics are converted to. 0 (the default) means the display's
// depth; a test or tool without a display sets it (8, 15, 16, 24 or 32) to load headless.
extern int maptargetdepth;

// Loading
int MapRealLoad(const char *name);
int MapLoad(const char *name);
int MapLoadVRAM(const char *name);
int MapLoadABM(const char *name);
// Decoding a whole file image from memory. `size` is the number of bytes at `image`; a
// negative size trusts the file's own FORM length (the caller vouches for it).
int MapPreRealDecode(unsigned char *image, long size = -1);
int MapDecode(unsigned char *image, long size = -1);
int MapDecodeVRAM(unsigned char *image, long size = -1);
int MapDecodeABM(unsigned char *image, long size = -1);
int MapRealDecode(PACKFILE *file, unsigned char *image, long size);
// Chunk decoders; each takes the whole chunk (8-byte head, then the body the head announces).
int MapDecodeMPHD(unsigned char *chunk);
int MapDecodeCMAP(unsigned char *chunk);
int MapDecodeBKDT(unsigned char *chunk);
int MapDecodeANDT(unsigned char *chunk);
int MapDecodeAGFX(unsigned char *chunk);
int MapDecodeBGFX(unsigned char *chunk);
int MapDecodeNOVC(unsigned char *chunk);
int MapDecodeLayer(unsigned char *chunk, int layer);
int MapDecodeNULL(unsigned char *chunk);
int MapRelocate();
int MapRelocate2();
void MapRestore();
void MapFreeMem();
int MEClickmask(int x, int y, int axis);

// Block and animation queries. Outside the map, or with nothing loaded, MapGetBlock answers
// an all-zero (empty) block and MapSetBlock writes nothing.
BlockStr *MapGetBlock(int x, int y);
BlockStr *MapGetBlockInPixels(int x, int y);
int MapGetXOffset(int x, int y);
int MapGetYOffset(int x, int y);
void MapSetBlock(int x, int y, int value);
void MapSetBlockInPixels(int x, int y, int value);
int MapGetBlockID(int value, int field);
int MapChangeLayer(int layer);
int MapGenerateYLookup();
void MapInitAnims();
void MapUpdateAnims();

// Drawing (only while mapgfxinbitmaps is non-zero; MapDrawParallax always). Each leaves the
// destination's clip rectangle as it found it.
void MapDrawBG(BITMAP *dest, int mapx, int mapy, int x, int y, int w, int h);
void MapDrawBGT(BITMAP *dest, int mapx, int mapy, int x, int y, int w, int h);
void MapDrawFG(BITMAP *dest, int mapx, int mapy, int x, int y, int w, int h, int layer);
void MapDrawRow(BITMAP *dest, int mapx, int mapy, int x, int y, int w, int h, int row,
                void (*cellcall)(int cx, int cy, int dx, int dy));
void MapDrawParallax(BITMAP *dest, BITMAP *parallax, int mapx, int mapy, int x, int y, int w,
                     int h);
BITMAP *MapMakeParallaxBitmap(BITMAP *source, int kind);

// MAR layers: mapwidth x mapheight little-endian 16-bit cells. `size` as for MapPreRealDecode,
// except that a negative size trusts the map's dimensions.
int MapLoadMAR(const char *name, int layer);
int MapDecodeMAR(unsigned char *image, int layer, long size = -1);

// Palette helpers
void Mapconv8to6pal(unsigned char *rgb);
void MapSetPal8();
void MapCorrectColours();
