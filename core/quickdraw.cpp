#include "core/quickdraw.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <stdint.h>

static GFX_VTABLE *libraryTable;   // the library's table for 16-bit memory bitmaps
static GFX_VTABLE quickTable;

// As the library's 16-bit putpixel: nothing outside the clipping rectangle when clipping
// is on.
static void quickPutpixel(BITMAP *bmp, int x, int y, int colour)
{
    if (_drawing_mode != DRAW_MODE_SOLID) {
        libraryTable->putpixel(bmp, x, y, colour);
        return;
    }
    if (bmp->clip && (x < bmp->cl || x >= bmp->cr || y < bmp->ct || y >= bmp->cb))
        return;
    ((uint16_t *)bmp->line[y])[x] = (uint16_t)colour;
}

// A line as the library draws one: straight lines as runs, any other by the same error
// term, stepping along the longer axis and sideways where the term says; but each pixel is
// set straight into the page (where clipping is on, only inside the rectangle) rather than
// by a call each.
static void quickLine(BITMAP *bmp, int x1, int y1, int x2, int y2, int colour)
{
    if (_drawing_mode != DRAW_MODE_SOLID) {
        libraryTable->line(bmp, x1, y1, x2, y2, colour);
        return;
    }
    if (x1 == x2) {
        bmp->vtable->vline(bmp, x1, y1, y2, colour);
        return;
    }
    if (y1 == y2) {
        bmp->vtable->hline(bmp, x1, y1, x2, colour);
        return;
    }
    const int cl = bmp->cl, cr = bmp->cr, ct = bmp->ct, cb = bmp->cb;
    int clip = bmp->clip;
    if (clip) {
        const int left = x1 < x2 ? x1 : x2, right = x1 < x2 ? x2 : x1;
        const int top = y1 < y2 ? y1 : y2, bottom = y1 < y2 ? y2 : y1;
        if (left >= cr || top >= cb || right < cl || bottom < ct)
            return;
        if (left >= cl && top >= ct && right < cr && bottom < cb)
            clip = 0;
    }
    const int dx = x2 - x1, dy = y2 - y1;
    const int ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
    const int alongX = ax >= ay;   // a tie is a diagonal, the same either way
    // The long axis moves by `step` every pixel, `length` of them; the short one by `side`
    // when the term, taken in the short axis's direction, is not negative.
    const int step = alongX ? (dx < 0 ? -1 : 1) : (dy < 0 ? -1 : 1);
    const int side = alongX ? (dy < 0 ? -1 : 1) : (dx < 0 ? -1 : 1);
    const int length = alongX ? ax : ay, shortDelta = alongX ? dy : dx;
    const int longX = alongX ? step : 0, longY = alongX ? 0 : step;
    const int sideX = alongX ? 0 : side, sideY = alongX ? side : 0;
    const int i1 = 2 * shortDelta;
    int dd = i1 - side * length;
    const int i2 = dd - side * length;
    int x = x1, y = y1;
    for (int k = 0; k <= length; k++) {
        if (!clip || (x >= cl && x < cr && y >= ct && y < cb))
            ((uint16_t *)bmp->line[y])[x] = (uint16_t)colour;
        const int sideways = side * dd >= 0;
        dd += sideways ? i2 : i1;
        x += longX + (sideways ? sideX : 0);
        y += longY + (sideways ? sideY : 0);
    }
}

// Pixels [0, n) of `out` set to `colour`, sixteen at a time.
typedef uint16_t Run __attribute__((vector_size(32)));
__attribute__((target_clones("avx2", "default"))) static void fillRun(uint16_t *out, int n,
                                                                    int colour)
{
    int i = 0;
    if (n >= 16) {
        Run run;
        for (int k = 0; k < 16; k++)
            run[k] = (uint16_t)colour;
        for (; i + 16 <= n; i += 16)
            __builtin_memcpy(out + i, &run, sizeof run);
    }
    for (; i < n; i++)
        out[i] = (uint16_t)colour;
}

// Pixels [0, n) of `from` that are not `mask` copied to `out`, sixteen at a time: in order,
// or with `backwards` 1 in the reverse order (pixel k to out[n - 1 - k]), for a mirrored
// sprite.
typedef int16_t Pixels __attribute__((vector_size(32)));
__attribute__((target_clones("avx2", "default"))) static void copyUnmasked(
    uint16_t *out, const uint16_t *from, int n, int mask, int backwards)
{
    int i = 0;
    if (n >= 16) {
        Pixels masks;
        for (int k = 0; k < 16; k++)
            masks[k] = (int16_t)mask;
        for (; i + 16 <= n; i += 16) {
            Pixels v, old;
            __builtin_memcpy(&v, from + i, sizeof v);
            uint16_t *to = out + i;
            if (backwards) {
                v = __builtin_shufflevector(v, v, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2,
                                            1, 0);
                to = out + n - 16 - i;
            }
            __builtin_memcpy(&old, to, sizeof old);
            const Pixels put = v == masks ? old : v;
            __builtin_memcpy(to, &put, sizeof put);
        }
    }
    for (; i < n; i++)
        if (from[i] != mask)
            out[backwards ? n - 1 - i : i] = from[i];
}

// 1 when the pixels of `a` and `b` lie apart in memory.
static int apart(const BITMAP *a, const BITMAP *b)
{
    const uint8_t *a0 = a->line[0], *a1 = a->line[a->h - 1] + a->w * 2;
    const uint8_t *b0 = b->line[0], *b1 = b->line[b->h - 1] + b->w * 2;
    return a1 <= b0 || b1 <= a0;
}

// As the library's 16-bit draw_sprite (`mirrored` 0) and draw_sprite_h_flip (1): the
// sprite's rows held inside the clipping rectangle when clipping is on, its mask colour left
// out, and mirrored left to right for the second. A sprite whose pixels share memory with
// the page (where the order of the copying shows) goes to the library.
static void drawSpriteRows(BITMAP *bmp, BITMAP *sprite, int x, int y, int mirrored)
{
    if (!is_memory_bitmap(sprite) || bitmap_color_depth(sprite) != 16 || sprite->w <= 0 ||
        sprite->h <= 0 || !apart(bmp, sprite)) {
        if (mirrored)
            libraryTable->draw_sprite_h_flip(bmp, sprite, x, y);
        else
            libraryTable->draw_sprite(bmp, sprite, x, y);
        return;
    }
    // Page columns from x + cut, w of them, and sprite rows [sy, sy + h) show.
    int cut = 0, sy = 0, w = sprite->w, h = sprite->h;
    if (bmp->clip) {
        cut = bmp->cl - x < 0 ? 0 : bmp->cl - x;
        w = (bmp->cr - x > sprite->w ? sprite->w : bmp->cr - x) - cut;
        if (w <= 0)
            return;
        sy = bmp->ct - y < 0 ? 0 : bmp->ct - y;
        h = (bmp->cb - y > sprite->h ? sprite->h : bmp->cb - y) - sy;
        if (h <= 0)
            return;
    }
    // Mirrored, page column x + cut + k takes sprite column sx + w - 1 - k.
    const int sx = mirrored ? sprite->w - (cut + w) : cut;
    const int mask = sprite->vtable->mask_color;
    for (int row = 0; row < h; row++)
        copyUnmasked((uint16_t *)bmp->line[y + sy + row] + x + cut,
                     (const uint16_t *)sprite->line[sy + row] + sx, w, mask, mirrored);
}

static void quickDrawSprite(BITMAP *bmp, BITMAP *sprite, int x, int y)
{
    drawSpriteRows(bmp, sprite, x, y, 0);
}

static void quickDrawSpriteHFlip(BITMAP *bmp, BITMAP *sprite, int x, int y)
{
    drawSpriteRows(bmp, sprite, x, y, 1);
}

// As the library's 16-bit hline: ends in either order, held inside the clipping rectangle
// when clipping is on.
static void quickHline(BITMAP *bmp, int x1, int y, int x2, int colour)
{
    if (_drawing_mode != DRAW_MODE_SOLID) {
        libraryTable->hline(bmp, x1, y, x2, colour);
        return;
    }
    if (x1 > x2) {
        const int t = x1;
        x1 = x2;
        x2 = t;
    }
    if (bmp->clip) {
        if (x1 < bmp->cl)
            x1 = bmp->cl;
        if (x2 >= bmp->cr)
            x2 = bmp->cr - 1;
        if (x1 > x2 || y < bmp->ct || y >= bmp->cb)
            return;
    }
    fillRun((uint16_t *)bmp->line[y] + x1, x2 - x1 + 1, colour);
}

// ---- Flood fill: the region of the seed's colour that joins the seed side by side or above
// and below, inside the clipping rectangle (whether or not clipping is on), all set to the
// new colour. Which pixels those are does not depend on the order they are found in, so
// runs are found here row by row with a stack of seeds. A seed that finds the stack full
// is filled by the library there and then; together the two fill the same region.

struct FloodSeed {
    int16_t x, y;
};
enum { FLOOD_STACK = 16384 };
static FloodSeed floodStack[FLOOD_STACK];

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The first of pixels from..end-1 of `row` that is (`equal` 1) or is not (`equal` 0) `value`;
// `end` when none is. Eight pixels at a time where the processor has SSE2.
static int findRight(const uint16_t *row, int from, int end, int value, int equal)
{
    int x = from;
#ifdef __SSE2__
    const __m128i v = _mm_set1_epi16((short)value);
    for (; x + 8 <= end; x += 8) {
        int same = _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_loadu_si128((const __m128i *)(row + x)), v));
        if (!equal)
            same ^= 0xFFFF;
        if (same)
            return x + __builtin_ctz(same) / 2;
    }
#endif
    for (; x < end; x++)
        if ((row[x] == value) == equal)
            return x;
    return end;
}

// The last of pixels floor..from of `row` that is not `value`; floor - 1 when none is.
static int findLeftOther(const uint16_t *row, int from, int floor, int value)
{
    int x = from;
#ifdef __SSE2__
    const __m128i v = _mm_set1_epi16((short)value);
    for (; x - 7 >= floor; x -= 8) {
        const int other = 0xFFFF ^ _mm_movemask_epi8(_mm_cmpeq_epi16(
                                        _mm_loadu_si128((const __m128i *)(row + x - 7)), v));
        if (other)
            return x - 7 + (31 - __builtin_clz(other)) / 2;
    }
#endif
    for (; x >= floor; x--)
        if (row[x] != value)
            return x;
    return floor - 1;
}

// Pushes a seed at the start of each run of `src` among pixels left..right of row y.
static void seedRuns(BITMAP *bmp, int left, int right, int y, int src, int colour, int *top)
{
    const uint16_t *row = (const uint16_t *)bmp->line[y];
    for (int x = findRight(row, left, right + 1, src, 1); x <= right;
         x = findRight(row, x, right + 1, src, 1)) {
        if (*top < FLOOD_STACK)
            floodStack[(*top)++] = {(int16_t)x, (int16_t)y};
        else
            libraryTable->floodfill(bmp, x, y, colour);
        x = findRight(row, x, right + 1, src, 0);
    }
}

static void quickFloodfill(BITMAP *bmp, int x, int y, int colour)
{
    if (x < bmp->cl || x >= bmp->cr || y < bmp->ct || y >= bmp->cb)
        return;
    const int src = ((const uint16_t *)bmp->line[y])[x];
    if (_drawing_mode != DRAW_MODE_SOLID || src == colour || (uint16_t)colour == src ||
        bmp->cr > 32767 || bmp->cb > 32767) {
        libraryTable->floodfill(bmp, x, y, colour);
        return;
    }
    int top = 0;
    floodStack[top++] = {(int16_t)x, (int16_t)y};
    while (top > 0) {
        const FloodSeed seed = floodStack[--top];
        uint16_t *row = (uint16_t *)bmp->line[seed.y];
        if (row[seed.x] != src)
            continue;   // filled since it was pushed
        const int left = findLeftOther(row, seed.x, bmp->cl, src) + 1;
        const int right = findRight(row, seed.x, bmp->cr, src, 0) - 1;
        fillRun(row + left, right - left + 1, colour);
        if (seed.y > bmp->ct)
            seedRuns(bmp, left, right, seed.y - 1, src, colour, &top);
        if (seed.y + 1 < bmp->cb)
            seedRuns(bmp, left, right, seed.y + 1, src, colour, &top);
    }
}

void quickenDrawing(BITMAP *bmp)
{
    if (!bmp || !is_memory_bitmap(bmp) || bitmap_color_depth(bmp) != 16 ||
        bmp->vtable == &quickTable)
        return;
    if (!libraryTable) {
        libraryTable = bmp->vtable;
        quickTable = *libraryTable;
        quickTable.putpixel = quickPutpixel;
        quickTable.line = quickLine;
        quickTable.hline = quickHline;
        quickTable.hfill = quickHline;
        quickTable.floodfill = quickFloodfill;
        quickTable.draw_sprite = quickDrawSprite;
        quickTable.draw_sprite_h_flip = quickDrawSpriteHFlip;
    }
    if (bmp->vtable == libraryTable)
        bmp->vtable = &quickTable;
}
