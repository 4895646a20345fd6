// The quickened drawing table puts the very pixels the library's own table puts: sprites,
// plain and mirrored, single pixels, runs, lines, circles, filled circles, triangles, curves
// and flood fills, with clipping on (the whole page or a rectangle inside it) or off, in the
// solid and the XOR drawing modes, on whole bitmaps and on parts of larger ones.
#include <allegro.h>
#include <gtest/gtest.h>
#include <string.h>

#include "core/quickdraw.h"
#include "support/test_env.h"

namespace {

unsigned noise = 5;
int nextNoise()
{
    noise = noise * 1103515245u + 12345u;
    return (int)(noise >> 9);
}

// Noise with areas of one colour, so flood fills have somewhere to run.
void paintPage(BITMAP *b)
{
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++)
            ((uint16_t *)b->line[y])[x] =
                (x / 9 + y / 7) % 3 == 0 ? (uint16_t)nextNoise() : (uint16_t)0x2945;
}

// A sprite of any 16-bit values, some of them the mask colour (scattered and in runs).
BITMAP *noiseSprite(int w, int h)
{
    BITMAP *s = create_bitmap(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const int r = nextNoise();
            ((uint16_t *)s->line[y])[x] =
                r % 5 == 0 || (x / 4 + y) % 7 == 0 ? MASK_COLOR_16 : (uint16_t)(r >> 3);
        }
    return s;
}

// Every kind of drawing the table serves, `n` picks the place and size.
void drawShapes(BITMAP *b, int n)
{
    static BITMAP *sprites[3];
    if (!sprites[0]) {
        sprites[0] = noiseSprite(37, 23);
        sprites[1] = noiseSprite(3, 2);
        sprites[2] = noiseSprite(160, 40);
    }
    BITMAP *sprite = sprites[n % 3];
    draw_sprite(b, sprite, n * 41 % 190 - sprite->w / 2 - 20, n * 23 % 150 - sprite->h / 2 - 10);
    draw_sprite_h_flip(b, sprites[(n + 1) % 3], n * 29 % 190 - 60, n * 31 % 150 - 30);
    const int x = n * 37 % 140 - 20, y = n * 53 % 110 - 15, r = n % 23;
    const int colour = (n * 4099 + 77) & 0xFFFF;
    putpixel(b, x, y, colour);
    putpixel(b, x + 1, y - 1, colour ^ 0x0F0F);
    hline(b, x - 30, y + 3, x + 41, colour);
    hline(b, x + 50, y + 5, x - 70, colour ^ 0x1234);
    line(b, x, y, x + 60 - r, y + 35 - n % 70, colour);
    line(b, x + 17, y - 40, x - 25, y + 20, colour ^ 0x4321);
    circle(b, x + 5, y + 9, r, colour);
    circlefill(b, x - 11, y + 4, r + 2, colour ^ 0x0FF0);
    triangle(b, x, y, x + 70, y + n % 50 - 20, x - 12, y + 44, colour ^ 0x5555);
    const int points[8] = {x, y, x + 30, y - 40, x + 60, y + 60, x + 90, y};
    spline(b, points, colour ^ 0x00FF);
    rectfill(b, x + 3, y + 60, x - 17, y + 52, colour ^ 0x7777);
    floodfill(b, x + 40, y + 20, colour ^ 0x3C3C);
    floodfill(b, n * 13 % 150, n * 29 % 100, colour ^ 0x0101);
}

using QuickDraw = HeadlessAllegroTest;

TEST_F(QuickDraw, EveryShapeMatchesTheLibrary)
{
    const struct {
        int clip;   // 0 off, 1 the whole page, 2 a rectangle inside it
        int part, mode;
    } cases[] = {{1, 0, DRAW_MODE_SOLID}, {2, 0, DRAW_MODE_SOLID}, {2, 1, DRAW_MODE_SOLID},
                 {1, 1, DRAW_MODE_SOLID}, {2, 0, DRAW_MODE_XOR},   {0, 0, DRAW_MODE_SOLID}};
    for (auto c : cases) {
        BITMAP *whole[2], *page[2];   // [0] quickened, [1] the library's
        for (int i = 0; i < 2; i++) {
            whole[i] = create_bitmap(170, 130);
            page[i] = c.part ? create_sub_bitmap(whole[i], 6, 5, 150, 110) : whole[i];
        }
        quickenDrawing(page[0]);
        ASSERT_NE(page[0]->vtable, page[1]->vtable);
        drawing_mode(c.mode, NULL, 0, 0);
        int wrong = 0;
        for (int n = 0; n < 150; n++) {
            for (int i = 0; i < 2; i++) {
                noise = 5 + n;
                paintPage(whole[i]);
                set_clip_rect(page[i], c.clip == 2 ? 9 : 0, c.clip == 2 ? 4 : 0,
                              page[i]->w - (c.clip == 2 ? 13 : 1),
                              page[i]->h - (c.clip == 2 ? 8 : 1));
            }
            // Off: only shapes that stay on the page (the library draws wherever it is told);
            // filled circles from radius -2, which the library draws as a small cross.
            if (c.clip == 0) {
                for (int i = 0; i < 2; i++) {
                    set_clip_state(page[i], 0);
                    putpixel(page[i], n % 150, n % 110, n * 99);
                    hline(page[i], n % 150, n % 110, 149 - n % 150, n * 77);
                    line(page[i], n % 150, 3, 149 - n % 150, 100, n * 55);
                    circle(page[i], 75, 55, n % 50, n * 33);
                    circlefill(page[i], 70, 50, n % 47 - 2, n * 11);
                }
            } else {
                drawShapes(page[0], n);
                drawShapes(page[1], n);
            }
            const int d = differingPixels(whole[0], whole[1]);
            if (d && !wrong)
                ADD_FAILURE() << "shapes " << n << ", clip " << c.clip << ", part " << c.part
                              << ", mode " << c.mode << ": " << d << " pixels differ";
            wrong += d;
        }
        EXPECT_EQ(wrong, 0);
        solid_mode();
        for (int i = 0; i < 2; i++) {
            if (page[i] != whole[i])
                destroy_bitmap(page[i]);
            destroy_bitmap(whole[i]);
        }
    }
}

// Lines from a few starting points to every end point within reach: every octant, every
// slope and its ties, lengths from one pixel up, crossing the clipping rectangle's edges and
// corners and lying wholly outside it, with clipping on and off.
TEST_F(QuickDraw, LinesInEveryDirectionMatchTheLibrary)
{
    BITMAP *page[2];
    for (int i = 0; i < 2; i++)
        page[i] = create_bitmap(90, 70);
    quickenDrawing(page[0]);
    const int starts[][2] = {{45, 35}, {12, 9}, {80, 64}, {3, 50}};
    int wrong = 0;
    for (int clip = 0; clip < 2; clip++) {
        for (int i = 0; i < 2; i++) {
            clear_to_color(page[i], 0);
            set_clip_rect(page[i], clip ? 10 : 0, clip ? 8 : 0, clip ? 75 : 89, clip ? 57 : 69);
        }
        for (auto &st : starts) {
            for (int ey = 0; ey < 70; ey++) {
                for (int ex = 0; ex < 90; ex++) {
                    // Each line alone on the page: compared over its box, then cleared.
                    const int x0 = ex < st[0] ? ex : st[0], x1 = ex < st[0] ? st[0] : ex;
                    const int y0 = ey < st[1] ? ey : st[1], y1 = ey < st[1] ? st[1] : ey;
                    for (int i = 0; i < 2; i++)
                        line(page[i], st[0], st[1], ex, ey, 0xFFFF);
                    for (int y = y0; y <= y1; y++)
                        for (int x = x0; x <= x1; x++) {
                            uint16_t *a = (uint16_t *)page[0]->line[y] + x;
                            uint16_t *b = (uint16_t *)page[1]->line[y] + x;
                            wrong += *a != *b;
                            *a = *b = 0;
                        }
                }
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    for (int i = 0; i < 2; i++)
        destroy_bitmap(page[i]);
}

// A region of many short staggered runs, joined every way: far more runs wait to be filled
// at once than the quick fill keeps track of, and the rest are filled by the library.
TEST_F(QuickDraw, FloodFillsOfRegionsWithVeryManyRunsMatchTheLibrary)
{
    BITMAP *page[2];
    for (int i = 0; i < 2; i++) {
        page[i] = create_bitmap(1200, 160);
        for (int y = 0; y < page[i]->h; y++)
            for (int x = 0; x < page[i]->w; x++)
                ((uint16_t *)page[i]->line[y])[x] = (x + 2 * (y % 2)) % 4 ? 0x0841 : 0x7BEF;
    }
    quickenDrawing(page[0]);
    floodfill(page[0], 601, 80, 0xF800);
    floodfill(page[1], 601, 80, 0xF800);
    EXPECT_EQ(differingPixels(page[0], page[1]), 0);
    int filled = 0;
    for (int y = 0; y < page[0]->h; y++)
        for (int x = 0; x < page[0]->w; x++)
            filled += ((uint16_t *)page[0]->line[y])[x] == 0xF800;
    EXPECT_GT(filled, 140000);
    for (BITMAP *b : page)
        destroy_bitmap(b);
}

TEST_F(QuickDraw, OnlySixteenBitMemoryBitmapsWithTheLibrarysTableAreQuickened)
{
    BITMAP *page = create_bitmap(10, 10);
    BITMAP *eight = create_bitmap_ex(8, 10, 10);
    const GFX_VTABLE *library = page->vtable, *eightTable = eight->vtable;
    quickenDrawing(page);
    quickenDrawing(eight);
    EXPECT_NE(page->vtable, library);
    EXPECT_EQ(eight->vtable, eightTable);
    const GFX_VTABLE *quick = page->vtable;
    quickenDrawing(page);   // a second time changes nothing
    EXPECT_EQ(page->vtable, quick);
    destroy_bitmap(page);
    destroy_bitmap(eight);
}

}  // namespace
