// Turned pictures come out pixel for pixel as the library's own rotation draws them: every
// angle; pictures from one pixel to the largest explosion, square and not, odd and even,
// with masked pixels scattered and in runs; placed inside the clipping rectangle, across
// each of its edges and corners and wholly off it; pictures and pages that are parts of
// larger bitmaps; rows drawn eight pixels at a time and one at a time. Prepared pictures
// (rows that skip the masked pixels they were first seen to begin and end with) likewise,
// with shapes that reach each part of the picture, and the game's own explosions at every
// angle.
#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <gtest/gtest.h>
#include <string.h>

#include <vector>

#include "core/assets.h"
#include "core/turn.h"
#include "core/world.h"
#include "shell/harness.h"
#include "support/test_env.h"

namespace {

unsigned noise = 1;
int nextNoise()
{
    noise = noise * 1103515245u + 12345u;
    return (int)(noise >> 8);
}

// Any 16-bit values, about `maskedPercent` of them the mask colour, half of those in runs.
void fillNoise(BITMAP *b, int maskedPercent)
{
    for (int y = 0; y < b->h; y++) {
        uint16_t *row = (uint16_t *)b->line[y];
        for (int x = 0; x < b->w; x++) {
            const int r = nextNoise();
            if (r % 100 < maskedPercent / 2) {
                const int run = 1 + r % 23;
                for (int k = 0; k < run && x < b->w; k++)
                    row[x++] = MASK_COLOR_16;
                x--;
            } else {
                row[x] = r % 100 < maskedPercent ? MASK_COLOR_16 : (uint16_t)(r >> 7);
            }
        }
    }
}

// The library's rotate_sprite, placed as drawTurned places a picture.
void libraryTurned(BITMAP *dest, BITMAP *pic, int x, int y, int angle)
{
    _pivot_scaled_sprite_flip(dest, pic, x * 0x10000 + pic->w * 0x10000 / 2,
                              y * 0x10000 + pic->h * 0x10000 / 2, pic->w * 0x8000,
                              pic->h * 0x8000, itofix(angle & 255), 0x10000, FALSE);
}

struct Page {
    int w, h;
    int clipped;   // 1: a clipping rectangle inset from every edge
    int part;      // 1: the page is a part of a larger bitmap
};

// Draws `pic` at every angle at each place around the page's clipping rectangle, once by the
// library and once by drawTurned with rows of each width, and counts the pixels that differ.
int compareEverywhere(BITMAP *pic, const Page &page, int angleStep, int nearEdges = 0)
{
    BITMAP *whole = page.part ? create_bitmap(page.w + 6, page.h + 4) : NULL;
    BITMAP *mine = page.part ? create_sub_bitmap(whole, 3, 2, page.w, page.h)
                             : create_bitmap(page.w, page.h);
    BITMAP *theirs = create_bitmap(page.w, page.h);
    BITMAP *background = create_bitmap(page.w, page.h);
    fillNoise(background, 0);
    const int cl = page.clipped ? 7 : 0, ct = page.clipped ? 5 : 0;
    const int cr = page.clipped ? page.w - 9 : page.w - 1, cb = page.clipped ? page.h - 6 : page.h - 1;
    std::vector<int> xs = {cl - pic->w - 3, cl - pic->w, cl - pic->w / 2, cl - 1, cl + 2,
                           (cl + cr - pic->w) / 2, cr - pic->w, cr - pic->w / 2, cr, cr + 4};
    std::vector<int> ys = {ct - pic->h - 2, ct - pic->h / 2, ct + 1, (ct + cb - pic->h) / 2,
                           cb - pic->h / 2, cb - 1, cb + 3};
    // Places just inside each edge, where a prepared picture is drawn from its kept rows or by
    // the mapper, whichever the margin allows.
    if (nearEdges) {
        xs.insert(xs.end(), {cl + 1, cr - pic->w - 2, cr - pic->w - 1});
        ys.insert(ys.end(), {ct, ct + 2, cb - pic->h - 2, cb - pic->h - 1});
    }
    int wrong = 0;
    for (int angle = 0; angle < 256; angle += angleStep) {
        for (int x : xs) {
            for (int y : ys) {
                for (int wide = 0; wide < 2; wide++) {
                    blit(background, theirs, 0, 0, 0, 0, page.w, page.h);
                    blit(background, mine, 0, 0, 0, 0, page.w, page.h);
                    set_clip_rect(theirs, cl, ct, cr, cb);
                    set_clip_rect(mine, cl, ct, cr, cb);
                    libraryTurned(theirs, pic, x, y, angle);
                    turnRowsWide = wide;
                    drawTurned(mine, pic, x, y, angle);
                    const int n = differingPixels(mine, theirs);
                    if (n && !wrong)
                        ADD_FAILURE() << pic->w << "x" << pic->h << " at " << x << "," << y
                                      << " angle " << angle << (wide ? " wide" : " narrow")
                                      << ": " << n << " pixels differ";
                    wrong += n;
                }
            }
        }
    }
    turnRowsWide = 1;
    destroy_bitmap(mine);
    if (whole)
        destroy_bitmap(whole);
    destroy_bitmap(theirs);
    destroy_bitmap(background);
    return wrong;
}

using Turned = HeadlessAllegroTest;

TEST_F(Turned, EveryAngleSizeAndPlaceMatchesTheLibrary)
{
    const struct {
        int w, h, maskedPercent, angleStep;
    } pictures[] = {{1, 1, 0, 5},     {1, 1, 100, 17},  {2, 3, 30, 3},    {3, 2, 0, 3},
                    {5, 3, 20, 1},    {11, 11, 10, 1},  {12, 12, 45, 3},  {8, 9, 0, 3},
                    {33, 17, 40, 1},  {17, 33, 40, 3},  {76, 76, 47, 5},  {120, 120, 46, 7},
                    {190, 190, 42, 9}, {300, 300, 45, 11}, {301, 199, 30, 13}};
    const Page pages[] = {{160, 120, 0, 0}, {160, 120, 1, 1}, {97, 61, 1, 0}};
    for (auto p : pictures) {
        BITMAP *pic = create_bitmap(p.w, p.h);
        fillNoise(pic, p.maskedPercent);
        for (const Page &page : pages)
            EXPECT_EQ(compareEverywhere(pic, page, p.angleStep), 0);
        destroy_bitmap(pic);
    }
}

// A picture that is part of a larger bitmap starts anywhere in a row, not only on a 4-byte
// boundary; its pixels are read in the words that hold them.
TEST_F(Turned, PicturesThatArePartsOfLargerBitmapsMatchTheLibrary)
{
    BITMAP *sheet = create_bitmap(131, 90);
    fillNoise(sheet, 35);
    const Page page = {200, 150, 1, 0};
    for (int left = 0; left < 4; left++) {
        BITMAP *pic = create_sub_bitmap(sheet, left, 1, 125 - left, 88);
        EXPECT_EQ(compareEverywhere(pic, page, 5), 0) << "from x " << left;
        destroy_bitmap(pic);
    }
    destroy_bitmap(sheet);
}

// The largest pictures turned whole, far from every edge.
TEST_F(Turned, LargePicturesInsideThePageMatchTheLibrary)
{
    BITMAP *pic = create_bitmap(300, 300);
    fillNoise(pic, 45);
    BITMAP *mine = create_bitmap(480, 480), *theirs = create_bitmap(480, 480);
    int wrong = 0;
    for (int angle = 0; angle < 256; angle++) {
        for (int wide = 0; wide < 2; wide++) {
            clear_to_color(mine, 1234);
            clear_to_color(theirs, 1234);
            libraryTurned(theirs, pic, 90 + angle % 3, 87, angle);
            turnRowsWide = wide;
            drawTurned(mine, pic, 90 + angle % 3, 87, angle);
            wrong += differingPixels(mine, theirs);
        }
    }
    turnRowsWide = 1;
    EXPECT_EQ(wrong, 0);
    destroy_bitmap(pic);
    destroy_bitmap(mine);
    destroy_bitmap(theirs);
}

// Shapes of unmasked pixels for prepared pictures: each fills `b` (mask colour elsewhere).
enum Shape {
    BLOB,        // a disc about the centre, its rim ragged and holes inside, as an explosion
    OFF_CENTRE,  // a ragged disc touching the picture's lower right
    CORNERS,     // a small blob and single pixels in the four corners
    DIAGONAL,    // a line a pixel thick from corner to corner
    EMPTY,
    FULL,
    ONE_PIXEL    // the centre pixel alone
};

void fillShape(BITMAP *b, Shape shape)
{
    clear_to_color(b, MASK_COLOR_16);
    const float cx = b->w / 2.0f, cy = b->h / 2.0f, r = (b->w < b->h ? b->w : b->h) / 2.0f;
    for (int y = 0; y < b->h; y++) {
        uint16_t *row = (uint16_t *)b->line[y];
        for (int x = 0; x < b->w; x++) {
            const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            const float rim = r * (0.75f + 0.25f * (nextNoise() % 100) / 100.0f);
            const float ox = x + 0.5f - b->w * 0.7f, oy = y + 0.5f - b->h * 0.7f;
            const int hole = nextNoise() % 100 < 8;
            const int on =
                shape == BLOB ? dx * dx + dy * dy < rim * rim && !hole
                : shape == OFF_CENTRE ? ox * ox + oy * oy < 0.6f * rim * rim
                : shape == CORNERS ? (dx * dx + dy * dy < r * r / 9) ||
                                         ((x == 0 || x == b->w - 1) && (y == 0 || y == b->h - 1))
                : shape == DIAGONAL ? x == y * (b->w - 1) / (b->h > 1 ? b->h - 1 : 1)
                : shape == FULL     ? 1
                : shape == ONE_PIXEL ? x == b->w / 2 && y == b->h / 2
                                     : 0;
            if (on)
                row[x] = (uint16_t)(nextNoise() >> 7) == MASK_COLOR_16 ? 1 : (uint16_t)(nextNoise() >> 7);
        }
    }
}

TEST_F(Turned, PreparedPicturesMatchTheLibrary)
{
    const struct {
        int w, h;
        Shape shape;
        int angleStep;
    } pictures[] = {{76, 76, BLOB, 2},        {120, 90, BLOB, 3},      {190, 190, BLOB, 7},
                    {300, 300, BLOB, 17},     {61, 47, OFF_CENTRE, 2}, {64, 64, CORNERS, 3},
                    {37, 20, CORNERS, 2},     {65, 33, DIAGONAL, 2},   {7, 5, BLOB, 1},
                    {40, 40, EMPTY, 5},       {40, 40, FULL, 3},       {33, 33, ONE_PIXEL, 3}};
    const Page pages[] = {{160, 120, 0, 0}, {160, 120, 1, 1}, {97, 61, 1, 0}};
    for (auto p : pictures) {
        BITMAP *pic = create_bitmap(p.w, p.h);
        fillShape(pic, p.shape);
        prepareTurnedPicture(pic);
        for (const Page &page : pages)
            EXPECT_EQ(compareEverywhere(pic, page, p.angleStep, 1), 0)
                << p.w << "x" << p.h << " shape " << p.shape;
        forgetTurnedPictures();
        destroy_bitmap(pic);
    }
}

// The explosions of the generated data file, prepared as the game prepares them, at every
// angle: inside the page, across its top left corner and across its bottom right one.
TEST_F(Turned, TheGamesExplosionsMatchTheLibraryAtEveryAngle)
{
    char path[1024];
    snprintf(path, sizeof path, "%s/gor.dat", harnessGameDir());
    DATAFILE *data = harnessGameDataPresent() ? load_datafile(path) : NULL;
    if (!data)
        GTEST_SKIP() << "no generated gor.dat in " << harnessGameDir();
    BITMAP *mine = create_bitmap(500, 420), *theirs = create_bitmap(500, 420);
    BITMAP *background = create_bitmap(500, 420);
    fillNoise(background, 0);
    for (int entry = DAT_EXPLOSION_2; entry <= DAT_EXPLOSION_PURPLE; entry++) {
        BITMAP *pic = (BITMAP *)data[entry].dat;
        ASSERT_EQ(bitmap_color_depth(pic), 16);
        prepareTurnedPicture(pic);
        const int places[][2] = {{(500 - pic->w) / 2, (420 - pic->h) / 2},
                                 {-pic->w / 3, -pic->h / 2},
                                 {500 - pic->w * 2 / 3, 420 - pic->h / 3}};
        int wrong = 0;
        for (int angle = 0; angle < 256; angle++) {
            for (auto &at : places) {
                blit(background, theirs, 0, 0, 0, 0, 500, 420);
                blit(background, mine, 0, 0, 0, 0, 500, 420);
                libraryTurned(theirs, pic, at[0], at[1], angle);
                drawTurned(mine, pic, at[0], at[1], angle);
                const int n = differingPixels(mine, theirs);
                if (n && !wrong)
                    ADD_FAILURE() << "entry " << entry << " angle " << angle << " at " << at[0]
                                  << "," << at[1] << ": " << n << " pixels differ";
                wrong += n;
            }
        }
        EXPECT_EQ(wrong, 0) << "entry " << entry;
        forgetTurnedPictures();
    }
    destroy_bitmap(mine);
    destroy_bitmap(theirs);
    destroy_bitmap(background);
    unload_datafile(data);
}

}  // namespace
