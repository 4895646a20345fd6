// The booth read-outs (health bar, power digits, cube pip), the monitor close-ups that are
// copied into the stain layer, and the overlays drawn over the large monitors.
#pragma once

struct BITMAP;
struct Fighter;
struct Booth;

// The monitor rectangles are placed by the level scripts (arena/levels.h).

// One fighter's camera rectangle and frag digits; `boothOffsetX` frames the inside of his
// booth while he waits there.
void updateCamera(Fighter *f, const Booth *b, int boothOffsetX);
// Health bars, power digits and cube pips of both booths, into `buffer`.
void drawBoothHud();
// The monitor pictures, stretched out of `buffer` into `prebuffer` (they show from the
// next frame on), then the overlays into `buffer`.
void drawMonitors();
// Scales the rectangle (sx, sy, sw, sh) of `src` into (dx, dy, dw, dh) of `dest`, the
// source first moved (and if need be shrunk) to lie inside `src`.
void stretchClipped(BITMAP *src, BITMAP *dest, int sx, int sy, int sw, int sh, int dx, int dy,
                    int dw, int dh);
