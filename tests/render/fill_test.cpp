// Filled rectangles and cleared pages come out pixel for pixel as the library's rectfill and
// clear_to_color put them: corners in either order, inside, across every edge of the
// clipping rectangle and off it, on whole bitmaps and on parts of larger ones; with clipping
// off or another drawing mode the library draws them itself.
#include <allegro.h>
#include <gtest/gtest.h>
#include <string.h>

#include "core/world.h"
#include "support/test_env.h"

namespace {

void fillNoise(BITMAP *b, unsigned seed)
{
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            seed = seed * 1103515245u + 12345u;
            ((uint16_t *)b->line[y])[x] = (uint16_t)(seed >> 12);
        }
}

struct Bitmaps {
    BITMAP *whole[2], *page[2];   // [0] ours, [1] the library's
};

Bitmaps makePages(int part)
{
    Bitmaps b;
    for (int i = 0; i < 2; i++) {
        b.whole[i] = create_bitmap(70, 50);
        b.page[i] = part ? create_sub_bitmap(b.whole[i], 5, 3, 61, 43) : b.whole[i];
    }
    return b;
}

void freePages(Bitmaps &b)
{
    for (int i = 0; i < 2; i++) {
        if (b.page[i] != b.whole[i])
            destroy_bitmap(b.page[i]);
        destroy_bitmap(b.whole[i]);
    }
}

using Fill = HeadlessAllegroTest;

TEST_F(Fill, RectanglesMatchTheLibrary)
{
    const int xs[] = {-9, -1, 0, 3, 29, 52, 59, 60, 61, 75};
    const int ys[] = {-4, 0, 1, 20, 41, 42, 43, 50};
    const struct {
        int clip;   // 0 off (an inset rectangle set), 1 the whole page, 2 inset
        int part, mode;
    } cases[] = {{1, 0, DRAW_MODE_SOLID}, {2, 0, DRAW_MODE_SOLID}, {2, 1, DRAW_MODE_SOLID},
                 {1, 1, DRAW_MODE_SOLID}, {2, 0, DRAW_MODE_XOR},   {0, 0, DRAW_MODE_SOLID}};
    for (auto c : cases) {
        Bitmaps b = makePages(c.part);
        drawing_mode(c.mode, NULL, 0, 0);
        int wrong = 0;
        for (int x1 : xs)
            for (int x2 : xs)
                for (int y1 : ys)
                    for (int y2 : ys) {
                        // Clipping off: the library writes wherever it is told, so only
                        // rectangles inside the page.
                        if (c.clip == 0 && (x1 < 0 || x2 < 0 || y1 < 0 || y2 < 0 ||
                                            x1 >= b.page[0]->w || x2 >= b.page[0]->w ||
                                            y1 >= b.page[0]->h || y2 >= b.page[0]->h))
                            continue;
                        for (int i = 0; i < 2; i++) {
                            fillNoise(b.whole[i], 7);
                            // Off, the inset rectangle is kept but not applied.
                            const int inset = c.clip != 1;
                            set_clip_rect(b.page[i], inset ? 4 : 0, inset ? 2 : 0,
                                          b.page[i]->w - (inset ? 6 : 1),
                                          b.page[i]->h - (inset ? 5 : 1));
                            set_clip_state(b.page[i], c.clip != 0);
                        }
                        const int colour = (x1 * 977 + y2 * 131 + 5) & 0xFFFF;
                        fillRect(b.page[0], x1, y1, x2, y2, colour);
                        rectfill(b.page[1], x1, y1, x2, y2, colour);
                        const int n = differingPixels(b.whole[0], b.whole[1]);
                        if (n && !wrong)
                            ADD_FAILURE() << "(" << x1 << "," << y1 << ")-(" << x2 << "," << y2
                                          << ") clip " << c.clip << " part " << c.part
                                          << " mode " << c.mode << ": " << n << " differ";
                        wrong += n;
                    }
        EXPECT_EQ(wrong, 0);
        solid_mode();
        freePages(b);
    }
}

TEST_F(Fill, ClearedPagesMatchTheLibrary)
{
    const int rects[][4] = {{0, 0, 60, 42}, {4, 2, 55, 38}, {13, 9, 13, 9}, {30, 5, 20, 40}};
    for (int part = 0; part < 2; part++)
        for (const auto &r : rects)
            for (int clip = 0; clip < 2; clip++) {
                Bitmaps b = makePages(part);
                for (int i = 0; i < 2; i++) {
                    fillNoise(b.whole[i], 3);
                    set_clip_rect(b.page[i], r[0], r[1], r[2], r[3]);
                    set_clip_state(b.page[i], clip);
                }
                clearPage(b.page[0], 0x1234);
                clear_to_color(b.page[1], 0x1234);
                EXPECT_EQ(differingPixels(b.whole[0], b.whole[1]), 0)
                    << "clip rectangle " << r[0] << "," << r[1] << "-" << r[2] << "," << r[3]
                    << (clip ? " on" : " off") << (part ? ", part of a bitmap" : "");
                freePages(b);
            }
}

}  // namespace
