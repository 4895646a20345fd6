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
    }
    if (bmp->vtable == libraryTable)
        bmp->vtable = &quickTable;
}
