#include "shell/quickdraw.h"

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

// Pushes a seed at the start of each run of `src` among pixels left..right of row y.
static void seedRuns(BITMAP *bmp, int left, int right, int y, int src, int colour, int *top)
{
    const uint16_t *row = (const uint16_t *)bmp->line[y];
    for (int x = left; x <= right; x++) {
        if (row[x] != src)
            continue;
        if (*top < FLOOD_STACK)
            floodStack[(*top)++] = {(int16_t)x, (int16_t)y};
        else
            libraryTable->floodfill(bmp, x, y, colour);
        while (x < right && row[x + 1] == src)
            x++;
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
        int left = seed.x, right = seed.x;
        while (left > bmp->cl && row[left - 1] == src)
            left--;
        while (right < bmp->cr - 1 && row[right + 1] == src)
            right++;
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
        quickTable.hline = quickHline;
        quickTable.hfill = quickHline;
        quickTable.floodfill = quickFloodfill;
    }
    if (bmp->vtable == libraryTable)
        bmp->vtable = &quickTable;
}
