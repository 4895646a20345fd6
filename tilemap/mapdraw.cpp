// Drawing windows of the current layer into bitmaps, raw MAR layers, palette helpers.
#include "tilemap/tilemap.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>

// A drawing call's window as it lies on the destination (the visible part, inclusive), and
// the destination's clip rectangle and clip state from before the call.
struct DrawWindow {
  int left, top, right, bottom;
  int x1, y1, x2, y2, state;
};

// Clips dest to the window. Returns 0 when nothing of the window lies on the bitmap; then
// nothing was changed.
static int openWindow(BITMAP *dest, int x, int y, int w, int h, DrawWindow *win) {
  if (!dest || w <= 0 || h <= 0) return 0;
  long x2 = (long)x + w - 1, y2 = (long)y + h - 1;
  win->left = x < 0 ? 0 : x;
  win->top = y < 0 ? 0 : y;
  win->right = (int)(x2 < dest->w - 1 ? x2 : dest->w - 1);
  win->bottom = (int)(y2 < dest->h - 1 ? y2 : dest->h - 1);
  if (win->left > win->right || win->top > win->bottom) return 0;
  get_clip_rect(dest, &win->x1, &win->y1, &win->x2, &win->y2);
  win->state = get_clip_state(dest);
  set_clip_rect(dest, win->left, win->top, win->right, win->bottom);
  set_clip_state(dest, 1);
  return 1;
}

static void closeWindow(BITMAP *dest, const DrawWindow *win) {
  set_clip_rect(dest, win->x1, win->y1, win->x2, win->y2);
  set_clip_state(dest, win->state);
}

// A walk over cells starts at *pos and steps by `step`; each cell reaches `extent` pixels
// from its start. Moves the walk on by whole steps to the first cell that reaches past
// `edge` (the visible part's first pixel) and returns how many cells it passed over, so a
// window far off the bitmap costs nothing.
static long skipTo(long *pos, int step, int extent, int edge) {
  if (*pos + extent > edge) return 0;
  long k = (edge - extent - *pos) / step + 1;
  *pos += k * step;
  return k;
}

static int larger(int a, int b) { return a > b ? a : b; }

static int mapLoaded() { return mappt && mapblockstrpt && abmTiles && mapblockgapx > 0 && mapblockgapy > 0; }

static int isStaggered() { return mapblockstaggerx || mapblockstaggery; }

// Block of a cell for drawing, or NULL outside the map.
static BlockStr *drawnBlock(long col, long row) {
  if (col < 0 || row < 0 || col >= mapwidth || row >= mapheight) return NULL;
  return MapGetBlock((int)col, (int)row);
}

// Masked copies need both bitmaps at one depth (the library would misread the source
// otherwise); tiles are made at the display's depth, so a foreign destination gets none.
static void maskedCopy(BITMAP *pic, BITMAP *dest, int sx, int sy, int dx, int dy, int w, int h) {
  if (bitmap_color_depth(pic) == bitmap_color_depth(dest)) masked_blit(pic, dest, sx, sy, dx, dy, w, h);
}

static void drawPicture(BITMAP *dest, intptr_t handle, int px, int py, int masked) {
  BITMAP *pic = (BITMAP *)handle;
  if (!pic) return;
  if (masked) maskedCopy(pic, dest, 0, 0, px, py, pic->w, pic->h);
  else blit(pic, dest, 0, 0, px, py, pic->w, pic->h);
}

enum CellLook { LOOK_BG, LOOK_BGT, LOOK_FG1, LOOK_FG2, LOOK_FG3 };

static void drawCell(BITMAP *dest, const BlockStr *b, int px, int py, int look) {
  intptr_t empty = (intptr_t)abmTiles[0];
  switch (look) {
    case LOOK_BG:
      if (!isStaggered()) drawPicture(dest, b->bgoff, px, py, 0);
      else if (b->bgoff != empty) drawPicture(dest, b->bgoff, px, py, 1);
      break;
    case LOOK_BGT:
      if (!b->trigger) drawPicture(dest, b->bgoff, px, py, 0);
      else if (b->bgoff != empty) drawPicture(dest, b->bgoff, px, py, 1);
      break;
    case LOOK_FG1: drawPicture(dest, b->fgoff, px, py, 1); break;
    case LOOK_FG2: drawPicture(dest, b->fgoff2, px, py, 1); break;
    default: drawPicture(dest, b->fgoff3, px, py, 1); break;
  }
}

// Walks the cells that cover the window, in the map's grid, and draws each in one look.
static void drawGrid(BITMAP *dest, int mapx, int mapy, int x, int y, int w, int h, int look) {
  if (!mapgfxinbitmaps || !mapLoaded()) return;
  DrawWindow win;
  if (!openWindow(dest, x, y, w, h, &win)) return;
  int gx = mapblockgapx, gy = mapblockgapy;
  if (!isStaggered()) {
    long px0 = (long)x - mapx % gx, py = (long)y - mapy % gy;
    long col0 = mapx / gx + skipTo(&px0, gx, mapblockwidth, win.left);
    long row = mapy / gy + skipTo(&py, gy, mapblockheight, win.top);
    for (; py <= win.bottom; py += gy, row++)
      for (long px = px0, col = col0; px <= win.right; px += gx, col++) {
        const BlockStr *b = drawnBlock(col, row);
        if (b) drawCell(dest, b, (int)px, (int)py, look);
      }
  } else {
    // Each visual row is two map rows, the second shifted by the stagger.
    mapx -= mapblockstaggerx;
    mapy -= mapblockstaggery;
    long px0 = (long)x - mapx % gx - gx, py = (long)y - mapy % gy - gy;
    long col0 = mapx / gx +
                skipTo(&px0, gx, mapblockwidth + larger(mapblockstaggerx, 0), win.left);
    long row = 2L * (mapy / gy) +
               2 * skipTo(&py, gy, mapblockheight + larger(mapblockstaggery, 0), win.top);
    for (; py <= win.bottom; py += gy, row += 2)
      for (int half = 0; half < 2; half++) {
        int sx = half ? mapblockstaggerx : 0, sy = half ? mapblockstaggery : 0;
        for (long px = px0, col = col0; px <= win.right; px += gx, col++) {
          const BlockStr *b = drawnBlock(col, row + half);
          if (b) drawCell(dest, b, (int)(px + sx), (int)(py + sy), look);
        }
      }
  }
  closeWindow(dest, &win);
}

void MapDrawBG(BITMAP *dest, int mapx, int mapy, int x, int y, int w, int h) {
  drawGrid(dest, mapx, mapy, x, y, w, h, LOOK_BG);
}

void MapDrawBGT(BITMAP *dest, int mapx, int mapy, int x, int y, int w, int h) {
  drawGrid(dest, mapx, mapy, x, y, w, h, isStaggered() ? LOOK_BG : LOOK_BGT);
}

void MapDrawFG(BITMAP *dest, int mapx, int mapy, int x, int y, int w, int h, int layer) {
  drawGrid(dest, mapx, mapy, x, y, w, h, layer == 0 ? LOOK_FG1 : layer == 1 ? LOOK_FG2 : LOOK_FG3);
}

// One picture of a pillar; the half-width bits show only the left or the right half.
static void drawPillarPiece(BITMAP *dest, const BlockStr *b, intptr_t handle, int px, int py) {
  BITMAP *pic = (BITMAP *)handle;
  if (!pic) return;
  int half = mapblockwidth / 2;
  if (b->lefthalf && !b->righthalf) maskedCopy(pic, dest, 0, 0, px, py, half, pic->h);
  else if (b->righthalf && !b->lefthalf) maskedCopy(pic, dest, half, 0, px, py, pic->w - half, pic->h);
  else maskedCopy(pic, dest, 0, 0, px, py, pic->w, pic->h);
}

// A cell's pillar: its foreground pictures stacked upwards, continued through the following
// block records while they carry the pillar bit (never past the end of the table).
static void drawPillar(BITMAP *dest, const BlockStr *b, int px, int py) {
  BlockStr *end = mapblockstrpt + mapnumblockstr;
  int first = 1;
  for (;;) {
    if (!first) { drawPillarPiece(dest, b, b->bgoff, px, py); py -= mapblockheight; }
    drawPillarPiece(dest, b, b->fgoff, px, py);
    py -= mapblockheight;
    drawPillarPiece(dest, b, b->fgoff2, px, py);
    py -= mapblockheight;
    drawPillarPiece(dest, b, b->fgoff3, px, py);
    py -= mapblockheight;
    // An out-of-map answer is not in the table and has no pillar bit.
    if (!b->pillar || b < mapblockstrpt || b + 1 >= end) return;
    b++;
    first = 0;
  }
}

// The callback hears of every cell of the window, also where the window runs off the
// bitmap; without one, only the cells that reach the bitmap are walked.
void MapDrawRow(BITMAP *dest, int mapx, int mapy, int x, int y, int w, int h, int row,
                void (*cellcall)(int cx, int cy, int dx, int dy)) {
  if (!mapgfxinbitmaps || !mapLoaded() || w <= 0 || h <= 0) return;
  int gx = mapblockgapx, gy = mapblockgapy;
  // The plain row limit holds for staggered maps too, beside their own.
  long maprow = (long)mapy / gy + row, py, px;
  if (maprow >= mapheight) return;
  if (!isStaggered()) {
    py = (long)y - mapy % gy + (long)row * gy;
    px = (long)x - mapx % gx;
  } else {
    mapx -= mapblockstaggerx;
    mapy -= mapblockstaggery;
    maprow = row + 2L * (mapy / gy);
    if (maprow >= mapheight - 1) return;
    py = (long)y - mapy % gy - gy + (long)(row / 2) * gy;
    px = (long)x - mapx % gx - gx;
    if (row & 1) { py += mapblockstaggery; px += mapblockstaggerx; }
  }
  DrawWindow win;
  int drawn = openWindow(dest, x, y, w, h, &win);
  if (!drawn && !cellcall) return;
  long col = mapx / gx;
  long end = (long)x + w;  // the window's right edge; positions stay ints
  if (end > (long)INT_MAX - gx) end = (long)INT_MAX - gx;
  if (!cellcall) {
    col += skipTo(&px, gx, mapblockwidth, win.left);
    end = win.right + 1L;
  }
  for (; px < end; px += gx, col++) {
    if (cellcall) cellcall((int)col, (int)maprow, (int)px, (int)py);
    if (!drawn || px > win.right || px + mapblockwidth <= win.left) continue;
    const BlockStr *b = drawnBlock(col, maprow);
    if (b) drawPillar(dest, b, (int)px, (int)py);
  }
  if (drawn) closeWindow(dest, &win);
}

BITMAP *MapMakeParallaxBitmap(BITMAP *source, int kind) {
  if (!source || !mapblockstrpt || (unsigned)kind > 1) return NULL;
  int w = source->w + mapblockwidth, h = source->h + mapblockheight;
  BITMAP *bmp = NULL;
  if (kind == 1 && screen && gfx_driver) bmp = create_video_bitmap(w, h);
  else if (kind == 0) bmp = create_bitmap_ex(bitmap_color_depth(source), w, h);
  if (!bmp) return NULL;
  blit(source, bmp, 0, 0, 0, 0, source->w, source->h);
  blit(source, bmp, 0, 0, 0, source->h, source->w, mapblockheight);
  blit(bmp, bmp, 0, 0, source->w, 0, mapblockwidth, h);
  return bmp;
}

void MapDrawParallax(BITMAP *dest, BITMAP *parallax, int mapx, int mapy, int x, int y, int w,
                     int h) {
  if (!parallax || !mapLoaded() || isStaggered()) return;
  int bw = mapblockwidth, bh = mapblockheight;
  int wrapx = parallax->w - bw, wrapy = parallax->h - bh;
  if (wrapx <= 0 || wrapy <= 0) return;  // a picture no larger than a block cannot scroll
  // Half the map's speed, wrapping by one picture width.
  long srcx0 = ((mapx - mapx % bw) % wrapx) - ((mapx / 2) % wrapx);
  while (srcx0 < 0) srcx0 += wrapx;
  long srcy = ((mapy - mapy % bh) % wrapy) - ((mapy / 2) % wrapy);
  while (srcy < 0) srcy += wrapy;
  DrawWindow win;
  if (!openWindow(dest, x, y, w, h, &win)) return;
  long cx0 = (long)x - mapx % bw, cy = (long)y - mapy % bh;
  long skipped = skipTo(&cx0, bw, bw, win.left);
  long col0 = mapx / bw + skipped;
  srcx0 = (srcx0 + skipped * bw) % wrapx;
  skipped = skipTo(&cy, bh, bh, win.top);
  long row = mapy / bh + skipped;
  srcy = (srcy + skipped * bh) % wrapy;
  for (; cy <= win.bottom; cy += bh, row++) {
    long srcx = srcx0;
    for (long cx = cx0, col = col0; cx <= win.right; cx += bw, col++) {
      const BlockStr *b = drawnBlock(col, row);
      if (b && b->trigger) blit(parallax, dest, (int)srcx, (int)srcy, (int)cx, (int)cy, bw, bh);
      srcx += bw;
      if (srcx >= wrapx) srcx -= wrapx;
    }
    srcy += bh;
    if (srcy >= wrapy) srcy -= wrapy;
  }
  closeWindow(dest, &win);
}

int MapDecodeMAR(unsigned char *image, int layer, long size) {
  if ((unsigned)layer >= MAP_MAX_LAYERS || !image || mapwidth < 1 || mapheight < 1) return -1;
  long ncells = (long)mapwidth * mapheight;
  if (size >= 0 && size < ncells * 2) return -1;
  if (!mapmappt[layer]) {
    mapmappt[layer] = (short *)calloc(ncells, sizeof(short));
    if (!mapmappt[layer]) return -1;
  }
  short *cells = mapmappt[layer];
  int offsets = 1;
  for (long i = 0; i < ncells; i++) {
    cells[i] = (short)(image[2 * i] | image[2 * i + 1] << 8);
    if (cells[i] & 15) offsets = 0;
  }
  // A layer whose cells are all multiples of 16 holds byte offsets: 16 per animation
  // record, 32 per block record.
  if (offsets)
    for (long i = 0; i < ncells; i++) cells[i] = (short)(cells[i] < 0 ? cells[i] / 16 : cells[i] >> 5);
  return 0;
}

int MapLoadMAR(const char *name, int layer) {
  if ((unsigned)layer >= MAP_MAX_LAYERS || mapwidth < 1 || mapheight < 1) return -1;
  PACKFILE *file = pack_fopen(name, "rp");
  if (!file) file = pack_fopen(name, "r");
  if (!file) return -1;
  long bytes = (long)mapwidth * mapheight * 2;
  unsigned char *image = (unsigned char *)malloc(bytes);
  // Read the whole layer first, so a short file leaves the layer as it was.
  int ok = image && pack_fread(image, bytes, file) == bytes;
  pack_fclose(file);
  int result = ok ? MapDecodeMAR(image, layer, bytes) : -1;
  free(image);
  return result;
}

void Mapconv8to6pal(unsigned char *rgb) {
  for (int i = 0; i < 256; i++) {
    mapcmap6bit[i].r = rgb[i * 3] >> 2;
    mapcmap6bit[i].g = rgb[i * 3 + 1] >> 2;
    mapcmap6bit[i].b = rgb[i * 3 + 2] >> 2;
    mapcmap6bit[i].filler = 0;
  }
}

void MapSetPal8() {
  if (screen && bitmap_color_depth(screen) == 8 && mapdepth == 8) set_palette(mapcmap6bit);
}

void MapCorrectColours() {}
