// Block queries by cell and by pixel, cell writes, layer switching, row tables and the
// animation state that decides which block an animated cell shows.
#include "tilemap/tilemap.h"

#include <stdlib.h>
#include <string.h>

// Answer for any cell outside the map or any value that names nothing: all zero, so every
// attribute reads as "empty". Cleared again on each use in case a caller wrote into it.
static BlockStr mapemptyblock;

static BlockStr *emptyBlock() {
  memset(&mapemptyblock, 0, sizeof mapemptyblock);
  return &mapemptyblock;
}

static short *cellAt(int x, int y) {
  if (!mappt || x < 0 || y < 0 || x >= mapwidth || y >= mapheight) return NULL;
  if (maparraypt) return &maparraypt[y][x];
  return &mappt[(long)y * mapwidth + x];
}

// Block index a cell value stands for, or -1 when it names nothing that is loaded.
static int blockIndexOfCell(int cell) {
  if (cell < 0) {
    if (!mapanimstrpt || !mapanimseqpt || -cell >= mapanimstrendpt - mapanimstrpt) return -1;
    int pos = mapanimstrendpt[cell].ancuroff;
    if (pos < 0 || pos >= mapnumanimseq) return -1;
    cell = mapanimseqpt[pos];
  }
  return cell >= 0 && cell < mapnumblockstr ? cell : -1;
}

BlockStr *MapGetBlock(int x, int y) {
  short *cell = cellAt(x, y);
  if (!cell || !mapblockstrpt) return emptyBlock();
  int index = blockIndexOfCell(*cell);
  return index < 0 ? emptyBlock() : &mapblockstrpt[index];
}

static int insideMapPixels(int x, int y) {
  return x >= 0 && y >= 0 && x < mapwidth * mapblockwidth && y < mapheight * mapblockheight;
}

BlockStr *MapGetBlockInPixels(int x, int y) {
  if (!mappt || !insideMapPixels(x, y)) return NULL;
  return MapGetBlock(MapGetXOffset(x, y), MapGetYOffset(x, y));
}

static int isStaggered() { return mapblockstaggerx || mapblockstaggery; }

static int clampTo(int v, int hi) { return v < 0 ? 0 : (v > hi ? hi : v); }

int MapGetXOffset(int x, int y) {
  if (mapblockgapx <= 0) return 0;
  if (isStaggered()) { x += mapblockstaggerx; y += mapblockstaggery; }
  int col = x / mapblockgapx;
  if (isStaggered() && mapclickmask) col += MEClickmask(x, y, 0);
  return clampTo(col, mapwidth - 1);
}

int MapGetYOffset(int x, int y) {
  if (mapblockgapy <= 0) return 0;
  if (isStaggered()) { x += mapblockstaggerx; y += mapblockstaggery; }
  int row = y / mapblockgapy;
  if (isStaggered() && mapclickmask) row = row * 2 + MEClickmask(x, y, 1);
  return clampTo(row, mapheight - 1);
}

void MapSetBlock(int x, int y, int value) {
  short *cell = cellAt(x, y);
  if (cell) *cell = (short)value;
}

void MapSetBlockInPixels(int x, int y, int value) {
  if (!mappt || !insideMapPixels(x, y)) return;
  MapSetBlock(MapGetXOffset(x, y), MapGetYOffset(x, y), value);
}

int MapGetBlockID(int value, int field) {
  if (!mapblockstrpt || mapnumblockstr < 1) return -1;
  for (int i = 0; i < mapnumblockstr; i++) {
    const BlockStr *b = &mapblockstrpt[i];
    int match = 0;
    switch (field) {
      case 1: match = b->user1 == (uint32_t)value; break;
      case 2: match = b->user2 == (uint32_t)value; break;
      case 3: match = b->user3 == (int16_t)value; break;
      case 4: match = b->user4 == (int16_t)value; break;
      case 5: match = b->user5 == (uint8_t)value; break;
      case 6: match = b->user6 == (uint8_t)value; break;
      case 7: match = b->user7 == (uint8_t)value; break;
      default: return -1;
    }
    if (match) return i;
  }
  return -1;
}

int MapChangeLayer(int layer) {
  if ((unsigned)layer >= MAP_MAX_LAYERS || !mapmappt[layer]) return -1;
  mappt = mapmappt[layer];
  maparraypt = mapmaparraypt[layer];
  return layer;
}

int MapGenerateYLookup() {
  for (int n = 0; n < MAP_MAX_LAYERS; n++) {
    if (mapmaparraypt[n]) {
      if (maparraypt == mapmaparraypt[n]) maparraypt = NULL;
      free(mapmaparraypt[n]);
      mapmaparraypt[n] = NULL;
    }
    if (!mapmappt[n] || mapheight <= 0) continue;
    short **table = (short **)malloc(sizeof(short *) * mapheight);
    if (!table) return -1;
    for (int r = 0; r < mapheight; r++) table[r] = mapmappt[n] + (long)r * mapwidth;
    mapmaparraypt[n] = table;
    if (mapmappt[n] == mappt) maparraypt = table;
  }
  return 0;
}

void MapInitAnims() {
  if (!mapanimstrpt) return;
  for (AnimStr *a = mapanimstrendpt - 1; a > mapanimstrpt && a->antype != AN_END; a--) {
    if (a->antype == AN_PPFR) a->antype = AN_PPFF;
    if (a->antype == AN_PPRF) a->antype = AN_PPRR;
    if (a->antype == AN_ONCES) a->antype = AN_ONCE;
    if ((a->antype == AN_LOOPR || a->antype == AN_PPRR) && a->anstartoff != a->anendoff)
      a->ancuroff = a->anendoff - 1;
    else
      a->ancuroff = a->anstartoff;
    a->ancount = a->andelay;
  }
}

// One step of one animation by its type; s..e-1 are its frames, c the current one.
static void stepAnim(AnimStr *a) {
  int s = a->anstartoff, e = a->anendoff, c = a->ancuroff;
  if (s == e) return;
  switch (a->antype) {
    case AN_LOOPF:
      if (++c >= e) c = s;
      break;
    case AN_LOOPR:
      if (--c < s) c = e - 1;
      break;
    case AN_ONCE:
      if (++c >= e) { a->antype = AN_ONCES; c = s; }
      break;
    case AN_ONCEH:
      if (c < e - 1) c++;
      break;
    case AN_PPFF:
    case AN_PPRF:
      if (++c >= e) {
        a->antype = a->antype == AN_PPFF ? AN_PPFR : AN_PPRR;
        c = e - 2 < s ? e - 1 : e - 2;
      }
      break;
    case AN_PPFR:
    case AN_PPRR:
      if (--c < s) {
        a->antype = a->antype == AN_PPFR ? AN_PPFF : AN_PPRF;
        c = s + 1 > e - 1 ? s : s + 1;
      }
      break;
    default:  // AN_ONCES stays on its first frame; unknown types do nothing
      break;
  }
  a->ancuroff = c;
}

void MapUpdateAnims() {
  if (!mapanimstrpt) return;
  for (AnimStr *a = mapanimstrendpt - 1; a > mapanimstrpt && a->antype != AN_END; a--) {
    if (a->antype == AN_NONE) continue;
    a->ancount = (signed char)(a->ancount - 1);
    if (a->ancount < 0) {
      a->ancount = a->andelay;
      stepAnim(a);
    }
  }
}
