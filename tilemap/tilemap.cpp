// FMP loader: the chunk loop, the chunk decoders, conversion of the block graphics to the
// display's depth, the tile pictures, and the release of everything loaded.
//
// The files come from outside, so nothing in them is trusted: chunk lengths are bounded by
// the real data, header sizes are checked before anything is allocated from them, and every
// index a file holds (graphics, blocks, animations, sequence positions, cells) is checked
// before the map is handed out. A bad file fails with -1 and `maperror`, and leaves nothing.
#include "tilemap/tilemap.h"

#include <stdlib.h>
#include <string.h>

short mapwidth, mapheight, mapblockwidth, mapblockheight, mapdepth;
short mapblockstrsize, mapnumblockstr, mapnumblockgfx;
int mapislsb, maptype, mapaltdepth;
int mapblockgapx, mapblockgapy, mapblockstaggerx, mapblockstaggery, mapclickmask;

short *mappt;
short **maparraypt;
short *mapmappt[MAP_MAX_LAYERS];
short **mapmaparraypt[MAP_MAX_LAYERS];
BlockStr *mapblockstrpt;
AnimStr *mapanimstrpt, *mapanimstrendpt;
int *mapanimseqpt;
int mapnumanimseq;
unsigned char *mapblockgfxpt;
unsigned char *mapcmappt;
PALETTE mapcmap6bit;
char mapnovctext[70];
BITMAP **abmTiles;
int mapblocksinvidmem, mapblocksinsysmem;
PACKFILE *mapfilept;
int maperror;
int mapgfxinbitmaps;
int maptargetdepth;

// Limits well beyond any real map; they keep a hostile header from asking for gigabytes.
static const long MAP_MAX_CELLS = 1L << 22;  // cells in one layer
static const int MAP_MAX_BLOCK_SIDE = 1024;  // pixels

// Which chunks the current decode has taken: the header must come before the chunks it
// sizes, and a second header after them would change their sizes under them.
static unsigned mapchunksseen;
enum {
  SEEN_MPHD = 1 << 0, SEEN_CMAP = 1 << 1, SEEN_BKDT = 1 << 2, SEEN_ANDT = 1 << 3,
  SEEN_AGFX = 1 << 4, SEEN_BGFX = 1 << 5, SEEN_NOVC = 1 << 6, SEEN_LAYER0 = 1 << 7
};
static const unsigned SEEN_LAYERS = 0xffu * SEEN_LAYER0;

// The held graphics: their size in bytes (a graphics chunk may come before the header, so
// it is measured against the header only once every chunk is in) and whether they are the
// 8-bit copy.
static long mapgfxbytes;
static int mapgfxis8bit;

static int mapFail(int code) {
  maperror = code;
  return -1;
}

static unsigned long readBE32(const unsigned char *p) {
  return ((unsigned long)p[0] << 24) | ((unsigned long)p[1] << 16) | ((unsigned long)p[2] << 8) |
         p[3];
}

// Multi-byte fields inside the map's own chunks follow the header's byte-order flag.
static int readMap16(const unsigned char *p) {
  return (int16_t)(mapislsb ? (p[0] | p[1] << 8) : (p[0] << 8 | p[1]));
}

static uint32_t readMapU32(const unsigned char *p) {
  if (mapislsb)
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
  return (uint32_t)readBE32(p);
}

static int32_t readMap32(const unsigned char *p) { return (int32_t)readMapU32(p); }

static long chunkLength(const unsigned char *chunk) { return (long)readBE32(chunk + 4); }

static int bytesPerPixel(int depth) { return (depth + 1) / 8; }

static int isKnownDepth(int depth) {
  return depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

// The depth block graphics end up in: a chosen one, else the display's (0 when neither).
static int targetDepth() {
  if (maptargetdepth > 0) return maptargetdepth;
  return screen ? bitmap_color_depth(screen) : 0;
}

static long graphicsPixels() { return (long)mapnumblockgfx * mapblockwidth * mapblockheight; }

// Whether the header values can size and index the other chunks: every size positive and
// within bounds, every divisor non-zero. The chunk decoders that rely on the header check it
// again, since they can also be called on their own.
static int headerUsable() {
  return mapwidth >= 1 && mapheight >= 1 && (long)mapwidth * mapheight <= MAP_MAX_CELLS &&
         mapblockwidth >= 1 && mapblockheight >= 1 && mapblockwidth <= MAP_MAX_BLOCK_SIDE &&
         mapblockheight <= MAP_MAX_BLOCK_SIDE && isKnownDepth(mapdepth) && mapblockstrsize >= 32 &&
         mapnumblockstr >= 1 && mapnumblockgfx >= 1 && mapblockgapx >= 1 && mapblockgapy >= 1 &&
         mapclickmask >= 0 && mapclickmask < mapnumblockgfx && maptype >= 0 && maptype <= 3;
}

int MapDecodeNULL(unsigned char *) { return 0; }

int MapDecodeMPHD(unsigned char *chunk) {
  long n = chunkLength(chunk);
  const unsigned char *b = chunk + 8;
  if (n < 4) return mapFail(MAP_ERR_FORMAT);
  mapislsb = b[2] == 1;
  maptype = b[3];
  if (b[0] > 1 || b[3] > 3) return mapFail(MAP_ERR_VERSION);
  // The optional fields come in whole groups: gap and stagger, then the click mask.
  if (n < 24 || (n > 28 && n < 36) || n == 37) return mapFail(MAP_ERR_FORMAT);
  mapwidth = readMap16(b + 4);
  mapheight = readMap16(b + 6);
  mapblockwidth = readMap16(b + 12);
  mapblockheight = readMap16(b + 14);
  mapdepth = readMap16(b + 16);
  mapaltdepth = mapblockgfxpt && mapgfxis8bit ? 8 : mapdepth;
  mapblockstrsize = readMap16(b + 18);
  mapnumblockstr = readMap16(b + 20);
  mapnumblockgfx = readMap16(b + 22);
  if (n > 28) {
    mapblockgapx = readMap16(b + 28);
    mapblockgapy = readMap16(b + 30);
    mapblockstaggerx = readMap16(b + 32);
    mapblockstaggery = readMap16(b + 34);
  } else {
    mapblockgapx = mapblockwidth;
    mapblockgapy = mapblockheight;
    mapblockstaggerx = mapblockstaggery = 0;
  }
  mapclickmask = n > 36 ? readMap16(b + 36) : 0;
  return headerUsable() ? 0 : mapFail(MAP_ERR_FORMAT);
}

int MapDecodeCMAP(unsigned char *chunk) {
  long n = chunkLength(chunk);
  if (n < 256 * 3) return mapFail(MAP_ERR_FORMAT);
  free(mapcmappt);
  mapcmappt = (unsigned char *)malloc(n);
  if (!mapcmappt) return mapFail(MAP_ERR_MEMORY);
  memcpy(mapcmappt, chunk + 8, n);
  Mapconv8to6pal(mapcmappt);
  return 0;
}

int MapDecodeBKDT(unsigned char *chunk) {
  long n = chunkLength(chunk);
  const unsigned char *b = chunk + 8;
  if (!headerUsable() || (long)mapnumblockstr * mapblockstrsize > n) return mapFail(MAP_ERR_FORMAT);
  free(mapblockstrpt);
  mapblockstrpt = (BlockStr *)calloc(mapnumblockstr, sizeof(BlockStr));
  if (!mapblockstrpt) return mapFail(MAP_ERR_MEMORY);
  // Map type 0 stores graphics as byte offsets into the header-depth graphics data.
  long gfxbytes = (long)mapblockwidth * mapblockheight * bytesPerPixel(mapdepth);
  for (int i = 0; i < mapnumblockstr; i++, b += mapblockstrsize) {
    BlockStr *blk = &mapblockstrpt[i];
    int32_t gfx[4];
    for (int k = 0; k < 4; k++) {
      gfx[k] = readMap32(b + 4 * k);
      if (maptype == 0) gfx[k] = (int32_t)(gfx[k] / gfxbytes);
      if (gfx[k] < 0 || gfx[k] >= mapnumblockgfx) return mapFail(MAP_ERR_FORMAT);
    }
    blk->bgoff = gfx[0];
    blk->fgoff = gfx[1];
    blk->fgoff2 = gfx[2];
    blk->fgoff3 = gfx[3];
    blk->user1 = readMapU32(b + 16);
    blk->user2 = readMapU32(b + 20);
    blk->user3 = (int16_t)readMap16(b + 24);
    blk->user4 = (int16_t)readMap16(b + 26);
    blk->user5 = b[28];
    blk->user6 = b[29];
    blk->user7 = b[30];
    uint8_t flags = b[31];
    blk->tl = flags & 1;
    blk->tr = (flags >> 1) & 1;
    blk->bl = (flags >> 2) & 1;
    blk->br = (flags >> 3) & 1;
    blk->trigger = (flags >> 4) & 1;
    blk->pillar = (flags >> 5) & 1;
    blk->lefthalf = (flags >> 6) & 1;
    blk->righthalf = (flags >> 7) & 1;
  }
  return 0;
}

int MapDecodeANDT(unsigned char *chunk) {
  long n = chunkLength(chunk);
  const unsigned char *b = chunk + 8;
  if (!headerUsable()) return mapFail(MAP_ERR_FORMAT);
  // The record list ends the body and begins with the end marker: step back to find it.
  long listpos = n - 16;
  while (listpos >= 0 && b[listpos] != 255) listpos -= 16;
  if (listpos < 0) return mapFail(MAP_ERR_FORMAT);
  long count = (n - listpos) / 16;
  long nseq = listpos / 4;

  free(mapanimseqpt);
  free(mapanimstrpt);
  mapanimstrpt = mapanimstrendpt = NULL;
  mapnumanimseq = 0;
  mapanimseqpt = (int *)calloc(nseq > 0 ? nseq : 1, sizeof(int));
  if (!mapanimseqpt) return mapFail(MAP_ERR_MEMORY);
  for (long i = 0; i < nseq; i++) {
    int32_t block = readMap32(b + 4 * i);
    if (maptype == 0) block /= mapblockstrsize;
    if (block < 0 || block >= mapnumblockstr) return mapFail(MAP_ERR_FORMAT);
    mapanimseqpt[i] = block;
  }
  mapnumanimseq = (int)nseq;

  mapanimstrpt = (AnimStr *)calloc(count, sizeof(AnimStr));
  if (!mapanimstrpt) return mapFail(MAP_ERR_MEMORY);
  mapanimstrendpt = mapanimstrpt + count;
  for (long i = 0; i < count; i++) {
    const unsigned char *r = b + listpos + 16 * i;
    AnimStr *a = &mapanimstrpt[i];
    a->antype = (signed char)r[0];
    a->andelay = (signed char)r[1];
    a->ancount = (signed char)r[2];
    a->anuser = (signed char)r[3];
    int32_t pos[3];
    for (int k = 0; k < 3; k++) {
      pos[k] = readMap32(r + 4 + 4 * k);
      // Type 0 counts positions as byte offsets back from the end of the chunk.
      if (maptype == 0) pos[k] = (int32_t)(((int64_t)n + pos[k]) / 4);
    }
    a->ancuroff = pos[0];
    a->anstartoff = pos[1];
    a->anendoff = pos[2];
    // Every frame a live record can show must lie in the sequence.
    if (i > 0 && (pos[1] < 0 || pos[1] > pos[2] || pos[2] > nseq || pos[1] >= nseq))
      return mapFail(MAP_ERR_FORMAT);
  }
  MapInitAnims();
  return 0;
}

// Holds the chunk's body as the block graphics, replacing any held before.
static int takeGraphics(const unsigned char *chunk, int is8bit) {
  long n = chunkLength(chunk);
  free(mapblockgfxpt);
  mapgfxbytes = 0;
  mapblockgfxpt = (unsigned char *)malloc(n > 0 ? n : 1);
  if (!mapblockgfxpt) return mapFail(MAP_ERR_MEMORY);
  memcpy(mapblockgfxpt, chunk + 8, n);
  mapgfxbytes = n;
  mapgfxis8bit = is8bit;
  mapaltdepth = is8bit ? 8 : mapdepth;
  return 0;
}

// The held graphics hold every picture the header announces, at the depth they are held in.
static int graphicsComplete() {
  return mapblockgfxpt && headerUsable() &&
         mapgfxbytes >= graphicsPixels() * bytesPerPixel(mapgfxis8bit ? 8 : mapdepth);
}

int MapDecodeAGFX(unsigned char *chunk) {
  int display = targetDepth();
  if (display < 1 || display > 8) return 0;  // only palette displays use the 8-bit copy
  return takeGraphics(chunk, 1);
}

// Only the first graphics count: a later BGFX, or one after the 8-bit copy, is ignored.
int MapDecodeBGFX(unsigned char *chunk) {
  if (mapblockgfxpt) return 0;
  return takeGraphics(chunk, 0);
}

int MapDecodeNOVC(unsigned char *chunk) {
  long n = chunkLength(chunk);
  memset(mapnovctext, 0, sizeof mapnovctext);
  if (n <= 69) memcpy(mapnovctext, chunk + 8, n);
  return 0;
}

// Run-coded layers (map types 2 and 3): tokens per row, each row exactly mapwidth cells.
static int decodeRunLayer(const unsigned char *p, const unsigned char *end, short *cells) {
  for (long row = 0; row < mapheight; row++) {
    long filled = 0;
    long rowstart = row * mapwidth;
    while (filled < mapwidth) {
      if (end - p < 2) return mapFail(MAP_ERR_FORMAT);
      int count = readMap16(p);
      p += 2;
      if (count > 0) {
        if (filled + count > mapwidth || end - p < 2L * count) return mapFail(MAP_ERR_FORMAT);
        for (int i = 0; i < count; i++, p += 2) cells[rowstart + filled++] = (short)readMap16(p);
      } else if (count < 0) {
        long run = -count;
        if (filled + run > mapwidth || end - p < 2) return mapFail(MAP_ERR_FORMAT);
        int value = readMap16(p);
        p += 2;
        long at = rowstart + filled;
        if (maptype == 2) {
          for (long i = 0; i < run; i++) cells[at + i] = (short)value;
        } else {
          // value is an offset back into the cells already decoded; an overlapping copy
          // repeats what it has just written.
          if (value >= 0 || at + value < 0) return mapFail(MAP_ERR_FORMAT);
          for (long i = 0; i < run; i++) cells[at + i] = cells[at + value + i];
        }
        filled += run;
      }
    }
  }
  return 0;
}

int MapDecodeLayer(unsigned char *chunk, int layer) {
  if ((unsigned)layer >= MAP_MAX_LAYERS || !headerUsable()) return mapFail(MAP_ERR_FORMAT);
  long n = chunkLength(chunk);
  const unsigned char *b = chunk + 8;
  long ncells = (long)mapwidth * mapheight;
  free(mapmappt[layer]);
  mapmappt[layer] = (short *)calloc(ncells, sizeof(short));
  if (layer == 0) mappt = mapmappt[0];
  short *cells = mapmappt[layer];
  if (!cells) return mapFail(MAP_ERR_MEMORY);
  if (maptype <= 1) {
    if (n < ncells * 2) return mapFail(MAP_ERR_FORMAT);
    for (long i = 0; i < ncells; i++) {
      int v = readMap16(b + 2 * i);
      if (maptype == 0) v = v < 0 ? v / 16 : v / mapblockstrsize;
      cells[i] = (short)v;
    }
    return 0;
  }
  return decodeRunLayer(b, b + n, cells);
}

static int chunkIs(const unsigned char *chunk, const char *id) { return !memcmp(chunk, id, 4); }

// Hands one chunk to its decoder. Chunks sized by the header need the header first, and a
// second header may not follow them. Any other chunk may come again: a later colour map,
// NOVC list, record table, animation table or layer replaces the earlier one, and the
// graphics decoders keep their own rule.
static void decodeChunk(unsigned char *chunk) {
  static const char *const ids[] = {"MPHD", "CMAP", "BKDT", "ANDT", "AGFX", "BGFX", "NOVC"};
  int kind = -1, layer = -1;
  for (int i = 0; i < 7; i++)
    if (chunkIs(chunk, ids[i])) kind = i;
  if (chunkIs(chunk, "BODY")) layer = 0;
  for (int i = 1; i < MAP_MAX_LAYERS; i++) {
    char id[5] = {'L', 'Y', 'R', (char)('0' + i), 0};
    if (chunkIs(chunk, id)) layer = i;
  }
  if (kind < 0 && layer < 0) return;  // not ours: skipped

  unsigned bit = layer >= 0 ? SEEN_LAYER0 << layer : 1u << kind;
  const unsigned sized = SEEN_BKDT | SEEN_ANDT | SEEN_LAYERS;
  int refused = (bit & sized) ? !(mapchunksseen & SEEN_MPHD)
                              : bit == SEEN_MPHD && (mapchunksseen & sized);
  if (refused) {
    maperror = MAP_ERR_FORMAT;
    return;
  }
  mapchunksseen |= bit;
  if (layer >= 0) {
    MapDecodeLayer(chunk, layer);
    return;
  }
  switch (kind) {
    case 0: MapDecodeMPHD(chunk); break;
    case 1: MapDecodeCMAP(chunk); break;
    case 2: MapDecodeBKDT(chunk); break;
    case 3: MapDecodeANDT(chunk); break;
    case 4: MapDecodeAGFX(chunk); break;
    case 5: MapDecodeBGFX(chunk); break;
    default: MapDecodeNOVC(chunk); break;
  }
}

// Reads a chunk body of n bytes after its head, growing the buffer only as data arrives so
// that a lying length cannot make us allocate more than the file holds.
static unsigned char *readChunkFromFile(PACKFILE *file, const unsigned char *head, long n) {
  long cap = 8 + (n < 65536 ? n : 65536);
  unsigned char *buf = (unsigned char *)malloc(cap);
  if (!buf) {
    maperror = MAP_ERR_MEMORY;
    return NULL;
  }
  memcpy(buf, head, 8);
  long got = 0;
  while (got < n) {
    if (8 + got == cap) {
      long grown = cap * 2 < 8 + n ? cap * 2 : 8 + n;
      unsigned char *more = (unsigned char *)realloc(buf, grown);
      if (!more) {
        free(buf);
        maperror = MAP_ERR_MEMORY;
        return NULL;
      }
      buf = more;
      cap = grown;
    }
    long want = cap - 8 - got;
    long r = pack_fread(buf + 8 + got, want, file);
    if (r < want) {
      free(buf);
      maperror = MAP_ERR_FORMAT;
      return NULL;
    }
    got += r;
  }
  return buf;
}

// Checks that hold only once every chunk is in: the map must be whole, and every cell must
// name a block record or a live animation record.
static void checkWholeMap() {
  const unsigned needed = SEEN_MPHD | SEEN_BKDT | SEEN_LAYER0;
  if ((mapchunksseen & needed) != needed || !graphicsComplete() ||
      (mapaltdepth == 8 && !mapcmappt)) {
    maperror = MAP_ERR_FORMAT;
    return;
  }
  long animrecords = mapanimstrpt ? mapanimstrendpt - mapanimstrpt : 0;
  long ncells = (long)mapwidth * mapheight;
  for (int l = 0; l < MAP_MAX_LAYERS; l++) {
    if (!mapmappt[l]) continue;
    for (long i = 0; i < ncells; i++) {
      int c = mapmappt[l][i];
      if (c >= mapnumblockstr || (c < 0 && -c >= animrecords)) {
        maperror = MAP_ERR_FORMAT;
        return;
      }
    }
  }
}

int MapRealDecode(PACKFILE *file, unsigned char *image, long size) {
  MapFreeMem();
  mapchunksseen = 0;
  maperror = MAP_ERR_NONE;
  if ((!file && !image) || (file && image)) return mapFail(MAP_ERR_FORMAT);
  long rest = size - 12;
  unsigned char *at = image;
  while (rest > 0) {
    unsigned char head[8];
    if (rest < 8) {
      maperror = MAP_ERR_FORMAT;
      break;
    }
    if (file) {
      if (pack_fread(head, 8, file) != 8) {
        maperror = MAP_ERR_FORMAT;
        break;
      }
    } else {
      memcpy(head, at, 8);
    }
    long n = chunkLength(head);
    if (n > rest - 8) {
      maperror = MAP_ERR_FORMAT;
      break;
    }
    unsigned char *chunk = at;
    if (file) {
      chunk = readChunkFromFile(file, head, n);
      if (!chunk) break;
    } else {
      at += 8 + n;
    }
    decodeChunk(chunk);
    rest -= 8 + n;
    if (file) free(chunk);
    if (maperror) break;
  }
  if (!maperror) checkWholeMap();
  if (maperror) {
    MapFreeMem();
    return -1;
  }
  mapdepth = (short)mapaltdepth;
  return MapRelocate();
}

int MapRealLoad(const char *name) {
  maperror = MAP_ERR_NONE;
  PACKFILE *file = pack_fopen(name, "rp");
  if (!file) file = pack_fopen(name, "r");
  if (!file) return mapFail(MAP_ERR_OPEN);
  mapfilept = file;
  unsigned char head[12];
  if (pack_fread(head, 12, file) != 12 || memcmp(head, "FORM", 4) || memcmp(head + 8, "FMAP", 4)) {
    pack_fclose(file);
    mapfilept = NULL;
    return mapFail(MAP_ERR_FORMAT);
  }
  int result = MapRealDecode(file, NULL, (long)readBE32(head + 4) + 8);
  pack_fclose(file);
  mapfilept = NULL;
  return result;
}

int MapLoad(const char *name) {
  mapgfxinbitmaps = 2;
  return MapRealLoad(name);
}

int MapLoadVRAM(const char *name) {
  mapgfxinbitmaps = 1;
  return MapRealLoad(name);
}

int MapLoadABM(const char *name) {
  mapgfxinbitmaps = 2;
  return MapRealLoad(name);
}

int MapPreRealDecode(unsigned char *image, long size) {
  MapFreeMem();
  maperror = MAP_ERR_NONE;
  if (!image || (size >= 0 && size < 12)) return mapFail(MAP_ERR_FORMAT);
  if (memcmp(image, "FORM", 4) || memcmp(image + 8, "FMAP", 4)) return mapFail(MAP_ERR_FORMAT);
  long total = (long)readBE32(image + 4) + 8;
  if (size >= 0 && total > size) return mapFail(MAP_ERR_FORMAT);  // cut short
  return MapRealDecode(NULL, image + 12, total);
}

int MapDecode(unsigned char *image, long size) {
  mapgfxinbitmaps = 2;
  return MapPreRealDecode(image, size);
}

int MapDecodeVRAM(unsigned char *image, long size) {
  mapgfxinbitmaps = 1;
  return MapPreRealDecode(image, size);
}

int MapDecodeABM(unsigned char *image, long size) {
  mapgfxinbitmaps = 2;
  return MapPreRealDecode(image, size);
}

// Widens 5- and 6-bit colour components to 8 bits.
static int widen5(int c) { return (c * 8) | (c / 4); }
static int widen6(int c) { return (c * 4) | (c / 16); }

// Colour of pixel i of the held graphics (depth `from`), as components; for 8-bit graphics
// *index gets the palette index as well.
static void heldPixel(int from, long i, int *r, int *g, int *b, int *index) {
  const unsigned char *p = mapblockgfxpt + i * bytesPerPixel(from);
  *index = -1;
  switch (from) {
    case 8:
      *index = p[0];
      *r = *g = *b = p[0];  // grey when called without a colour map (loading requires one)
      if (mapcmappt) {
        *r = mapcmappt[p[0] * 3];
        *g = mapcmappt[p[0] * 3 + 1];
        *b = mapcmappt[p[0] * 3 + 2];
      }
      break;
    case 15: {
      int v = p[0] << 8 | p[1];
      *r = widen5((v >> 10) & 31);
      *g = widen5((v >> 5) & 31);
      *b = widen5(v & 31);
      break;
    }
    case 16: {
      int v = p[0] << 8 | p[1];
      *r = widen5((v >> 11) & 31);
      *g = widen6((v >> 5) & 63);
      *b = widen5(v & 31);
      break;
    }
    case 24: *r = p[0]; *g = p[1]; *b = p[2]; break;
    default: *r = p[1]; *g = p[2]; *b = p[3]; break;
  }
}

int MapRelocate() {
  int depth = targetDepth();
  if (!isKnownDepth(depth)) {
    MapFreeMem();
    return mapFail(MAP_ERR_NO_SCREEN);
  }
  if (!graphicsComplete()) {
    MapFreeMem();
    return mapFail(MAP_ERR_FORMAT);
  }
  long pixels = graphicsPixels();
  int outbpp = bytesPerPixel(depth);
  unsigned char *out = (unsigned char *)malloc(pixels * outbpp);
  if (!out) {
    MapFreeMem();
    return mapFail(MAP_ERR_MEMORY);
  }
  for (long i = 0; i < pixels; i++) {
    int r, g, b, index;
    heldPixel(mapdepth, i, &r, &g, &b, &index);
    unsigned char *o = out + i * outbpp;
    if (depth == 8) {
      // On a palette display the palette's index 0 is the see-through colour.
      if (index >= 0) o[0] = (unsigned char)index;
      else o[0] = (r == 255 && g == 0 && b == 255) ? 0 : (unsigned char)makecol8(r, g, b);
      continue;
    }
    if (index == 0) { r = 255; g = 0; b = 255; }  // the library's see-through magenta
    if (depth == 15 || depth == 16) {
      uint16_t v = (uint16_t)makecol_depth(depth, r, g, b);
      memcpy(o, &v, 2);
    } else {
      unsigned char *c = depth == 24 ? o : o + 1;
      if (depth == 32) o[0] = 0;
      c[0] = (unsigned char)r;
      c[1] = (unsigned char)g;
      c[2] = (unsigned char)b;
    }
  }
  free(mapblockgfxpt);
  mapblockgfxpt = out;
  mapgfxbytes = pixels * outbpp;
  mapgfxis8bit = 0;
  mapdepth = (short)depth;
  return MapRelocate2();
}

// Writes graphic i from the converted graphics (at mapdepth) into its tile picture.
static void drawTilePixels(BITMAP *bmp, int i) {
  int bpp = bytesPerPixel(mapdepth);
  const unsigned char *p = mapblockgfxpt + (long)i * mapblockwidth * mapblockheight * bpp;
  for (int y = 0; y < mapblockheight; y++)
    for (int x = 0; x < mapblockwidth; x++, p += bpp) {
      int c;
      if (bpp == 1) c = p[0];
      else if (bpp == 2) { uint16_t v; memcpy(&v, p, 2); c = v; }
      else if (bpp == 3) c = makecol_depth(24, p[0], p[1], p[2]);
      else c = makecol_depth(32, p[1], p[2], p[3]);
      putpixel(bmp, x, y, c);
    }
}

static long readNovcNumber(const char **p) {
  long v = 0;
  while (**p >= '0' && **p <= '9') {
    if (v <= 100000) v = v * 10 + (**p - '0');  // anything that large is out of range anyway
    (*p)++;
  }
  return v;
}

// Marks the graphics the NOVC text keeps out of video memory ("3,5-9,12"). The list ends at
// the first number out of range, at a backwards range, or at any other character.
static void markNovc(char *marks) {
  const char *p = mapnovctext;
  const char *end = mapnovctext + sizeof mapnovctext;
  while (p < end && *p >= '0' && *p <= '9') {
    long n = readNovcNumber(&p);
    if (n >= mapnumblockgfx) return;
    long m = n;
    if (*p == '-') {
      p++;
      if (*p < '0' || *p > '9') return;
      m = readNovcNumber(&p);
      if (m < n || m >= mapnumblockgfx) return;
    }
    for (long i = n; i <= m; i++) marks[i] = 1;
    if (*p == ',') p++;
  }
}

int MapRelocate2() {
  if (!mapblockgfxpt || !mapblockstrpt) {
    MapFreeMem();
    return mapFail(MAP_ERR_FORMAT);
  }
  if (abmTiles) {  // pictures already made and records already pointing at them
    for (int i = 0; abmTiles[i]; i++) drawTilePixels(abmTiles[i], i);
    return 0;
  }
  char *marks = (char *)calloc(mapnumblockgfx, 1);
  abmTiles = (BITMAP **)calloc(mapnumblockgfx + 1, sizeof(BITMAP *));
  if (!marks || !abmTiles) {
    free(marks);
    MapFreeMem();
    return mapFail(MAP_ERR_MEMORY);
  }
  markNovc(marks);
  int depth = mapdepth;
  int video = mapgfxinbitmaps == 1 && screen && gfx_driver && bitmap_color_depth(screen) == depth;
  for (int i = 0; i < mapnumblockgfx; i++) {
    BITMAP *bmp = NULL;
    if (video && !marks[i]) bmp = create_video_bitmap(mapblockwidth, mapblockheight);
    if (bmp) {
      mapblocksinvidmem++;
      acquire_bitmap(bmp);
    } else {
      bmp = create_bitmap_ex(depth, mapblockwidth, mapblockheight);
      if (!bmp) {
        free(marks);
        MapFreeMem();
        return mapFail(MAP_ERR_BITMAP);
      }
      mapblocksinsysmem++;
    }
    abmTiles[i] = bmp;
    set_clip_state(bmp, 0);
    drawTilePixels(bmp, i);
    if (is_video_bitmap(bmp)) release_bitmap(bmp);
  }
  free(marks);
  for (int i = 0; i < mapnumblockstr; i++) {
    BlockStr *b = &mapblockstrpt[i];
    b->bgoff = (intptr_t)abmTiles[b->bgoff];
    if (b->fgoff) b->fgoff = (intptr_t)abmTiles[b->fgoff];
    if (b->fgoff2) b->fgoff2 = (intptr_t)abmTiles[b->fgoff2];
    if (b->fgoff3) b->fgoff3 = (intptr_t)abmTiles[b->fgoff3];
  }
  return 0;
}

void MapRestore() {
  if (mapgfxinbitmaps != 1 || !abmTiles || !mapblockgfxpt) return;
  for (int i = 0; abmTiles[i]; i++) {
    acquire_bitmap(abmTiles[i]);
    drawTilePixels(abmTiles[i], i);
    release_bitmap(abmTiles[i]);
  }
}

void MapFreeMem() {
  for (int i = 0; i < MAP_MAX_LAYERS; i++) {
    free(mapmappt[i]);
    mapmappt[i] = NULL;
    free(mapmaparraypt[i]);
    mapmaparraypt[i] = NULL;
  }
  mappt = NULL;
  maparraypt = NULL;
  free(mapcmappt);
  mapcmappt = NULL;
  free(mapblockgfxpt);
  mapblockgfxpt = NULL;
  mapgfxbytes = 0;
  mapgfxis8bit = 0;
  free(mapblockstrpt);
  mapblockstrpt = NULL;
  free(mapanimseqpt);
  mapanimseqpt = NULL;
  mapnumanimseq = 0;
  free(mapanimstrpt);
  mapanimstrpt = mapanimstrendpt = NULL;
  if (abmTiles) {
    for (int i = 0; abmTiles[i]; i++) destroy_bitmap(abmTiles[i]);
    free(abmTiles);
    abmTiles = NULL;
  }
  memset(mapnovctext, 0, sizeof mapnovctext);
  mapblocksinvidmem = mapblocksinsysmem = 0;
}

int MEClickmask(int x, int y, int axis) {
  if (!abmTiles || mapblockgapx < 1 || mapblockgapy < 1 || mapclickmask < 0 ||
      mapclickmask >= mapnumblockgfx)
    return 0;
  x %= mapblockgapx;
  y %= mapblockgapy;
  if (x >= mapblockwidth) return axis == 0 ? 0 : (y >= mapblockstaggery ? 1 : -1);
  if (y >= mapblockheight) return axis == 1 ? 1 : (x >= mapblockstaggerx ? 0 : -1);
  BITMAP *mask = abmTiles[mapclickmask];
  int c = getpixel(mask, x, y);
  int opaque = mapdepth == 8 ? c != 0 : c != makecol_depth(mapdepth, 255, 0, 255);
  if (opaque) return 0;
  if (axis == 0) return x < mapblockwidth / 2 ? -1 : 0;
  return y < mapblockheight / 2 ? -1 : 1;
}
