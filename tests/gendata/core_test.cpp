// The generator's building blocks on their own: the data-file writer against the library's
// loader, text and digits that stay inside their frames, the synthesiser, and the checks on
// the text sources.
#include <allegro.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/test_env.h"
#include "tools/gendata/gen.h"

namespace {

bool sourcesLoaded()
{
    static int state = -1;
    if (state < 0) {
        const char *src = getenv("GOR_SOURCE_DIR");
        state = src && loadSources((std::string(src) + "/data").c_str()) ? 1 : 0;
    }
    return state == 1;
}

// The opaque pixels of b all lie inside the rectangle.
bool artInside(BITMAP *b, int x1, int y1, int x2, int y2)
{
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++)
            if (getpixel(b, x, y) != bitmap_mask_color(b) && (x < x1 || x > x2 || y < y1 || y > y2))
                return false;
    return true;
}

TEST(DataFileWriter, WhatItWritesTheLibraryLoadsBackExactly)
{
    startHeadlessAllegro();
    BITMAP *pic = newPic(5, 3);
    const int colours[][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255},
                              {200, 100, 50}, {1, 2, 3}, {128, 128, 128}};
    for (int i = 0; i < 7; i++)
        putpixel(pic, 1 + i % 4, i / 4, makecol(colours[i][0], colours[i][1], colours[i][2]));
    BITMAP *dot = newPic(1, 1, makecol(10, 20, 30));
    SAMPLE *snd = create_sample(16, 0, 11025, 300);
    unsigned short *d = (unsigned short *)snd->data;
    for (int i = 0; i < 300; i++)
        d[i] = (unsigned short)(0x8000 + (i * 97 % 2000) - 1000);

    char path[] = "/tmp/gendata_datXXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::vector<DatObject> objs = {{"PICTURE", pic, nullptr}, {"SOUND", nullptr, snd},
                                   {"DOT", dot, nullptr}};
    ASSERT_TRUE(writeDatafile(path, objs));

    DATAFILE *dat = load_datafile(path);
    remove(path);
    ASSERT_NE(dat, nullptr);
    ASSERT_EQ(dat[0].type, DAT_BITMAP);
    ASSERT_EQ(dat[1].type, DAT_SAMPLE);
    ASSERT_EQ(dat[2].type, DAT_BITMAP);
    EXPECT_EQ(dat[3].type, DAT_END);
    EXPECT_STREQ(get_datafile_property(&dat[1], DAT_ID('N', 'A', 'M', 'E')), "SOUND");

    BITMAP *back = (BITMAP *)dat[0].dat;
    ASSERT_EQ(back->w, 5);
    ASSERT_EQ(back->h, 3);
    EXPECT_EQ(getpixel(back, 0, 0), bitmap_mask_color(back)); // still transparent
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++) {
            int a = getpixel(pic, x, y), b = getpixel(back, x, y);
            EXPECT_EQ(getr16(a), getr16(b)) << x << "," << y;
            EXPECT_EQ(getg16(a), getg16(b)) << x << "," << y;
            EXPECT_EQ(getb16(a), getb16(b)) << x << "," << y;
        }
    SAMPLE *s = (SAMPLE *)dat[1].dat;
    EXPECT_EQ(s->bits, 16);
    EXPECT_EQ(s->freq, 11025);
    ASSERT_EQ(s->len, 300u);
    EXPECT_EQ(memcmp(s->data, snd->data, 600), 0);
    EXPECT_EQ(getr16(getpixel((BITMAP *)dat[2].dat, 0, 0)), getr16(getpixel(dot, 0, 0)));

    unload_datafile(dat);
    EXPECT_FALSE(writeDatafile("/nonexistent-dir/gor.dat", objs)); // failure is reported
    destroy_bitmap(pic);
    destroy_bitmap(dot);
    destroy_sample(snd);
}

TEST(Painting, TextAndDigitsStayInsideTheirBoxes)
{
    startHeadlessAllegro();
    BITMAP *b = newPic(120, 50);
    int white = makecol(255, 255, 255);
    // a line far too long for its box is squeezed, never spilled into the next frame
    fitText(b, "A VERY LONG LABEL, WITH COMMAS", 10, 10, 50, 16, white, 1);
    EXPECT_TRUE(artInside(b, 10, 10, 59, 10 + 18));
    clear_to_color(b, bitmap_mask_color(b));
    fitText(b, "OK", 10, 10, 100, 16, white, 1); // short text is centred
    EXPECT_FALSE(artInside(b, 10, 10, 40, 30));
    EXPECT_TRUE(artInside(b, 40, 10, 80, 30));
    for (int d = 0; d < 10; d++) {
        clear_to_color(b, bitmap_mask_color(b));
        segDigit(b, d, 20, 5, 14, 17, 3, white);
        EXPECT_TRUE(artInside(b, 20, 5, 33, 21)) << d;
        EXPECT_FALSE(artInside(b, 0, 0, 0, 0)) << d; // something was drawn
    }
    destroy_bitmap(b);
}

// Small text is the label font at twice its size: halved by sampling either pixel of each
// 2x2 block, as the 800x600 display does, it gives back the glyph's own rows; and no two
// glyphs are alike. Small text too wide for its box stops the generator, never squeezed.
TEST(LabelFont, HalvedSmallTextIsTheFontsOwnPixels)
{
    startHeadlessAllegro();
    if (!sourcesLoaded())
        GTEST_SKIP() << "no sources (GOR_SOURCE_DIR)";
    std::vector<std::pair<char, const LabelGlyph *>> glyphs;
    for (int c = 32; c < 127; c++)
        if (labelGlyph((char)c))
            glyphs.push_back({(char)c, labelGlyph((char)c)});
    ASSERT_GE(glyphs.size(), 36u + 1);
    int white = makecol(255, 255, 255);
    for (auto [c, g] : glyphs) {
        int gw = (int)g->rows[0].size();
        BITMAP *b = newPic(40, 30);
        char s[2] = {c, 0};
        fitText(b, s, 3, 4, 30, 12, white, 0); // 14 px tall, centred on the 12: from y 3
        for (int phase = 0; phase < 2; phase++)
            for (int y = 0; y < LABEL_FONT_ROWS; y++)
                for (int x = -1; x <= gw; x++) {
                    bool ink = x >= 0 && x < gw && g->rows[y][x] == 'X';
                    EXPECT_EQ(getpixel(b, 3 + 2 * x + phase, 3 + 2 * y + phase) == white, ink)
                        << "'" << c << "' row " << y << " column " << x << " phase " << phase;
                }
        destroy_bitmap(b);
    }
    for (size_t i = 0; i < glyphs.size(); i++)
        for (size_t j = i + 1; j < glyphs.size(); j++)
            EXPECT_NE(glyphs[i].second->rows, glyphs[j].second->rows)
                << "'" << glyphs[i].first << "' and '" << glyphs[j].first << "' look alike";
    BITMAP *b = newPic(60, 20);
    EXPECT_EXIT(fitText(b, "PLAYER 2 COMPUTER", 0, 0, 60, 10, white, 0),
                ::testing::ExitedWithCode(1), "label font");
    destroy_bitmap(b);
}

// (Repeatability is the generator run's: the same sources give the same bytes.)
TEST(Synth, EverySoundIsAudibleAndEndsInSilence)
{
    startHeadlessAllegro();
    if (!sourcesLoaded())
        GTEST_SKIP() << "no sources (GOR_SOURCE_DIR)";
    const char *names[] = {"SND_STEP_1", "SND_GIBBER_FIRE", "SND_EXPLOSION", "SND_ALARM",
                           "SND_CLICK", "SND_TITLE_MUSIC", "SND_RESULT_JINGLE"};
    for (const char *n : names) {
        SAMPLE *a = makeSample(n);
        const unsigned short *d = (const unsigned short *)a->data;
        int peak = 0;
        for (unsigned long i = 0; i < a->len; i++)
            peak = std::max(peak, abs((int)d[i] - 0x8000));
        EXPECT_GT(peak, 1000) << n;             // audible
        EXPECT_LE(peak, 32767 * 96 / 100) << n; // not clipped
        EXPECT_LT(abs((int)d[a->len - 1] - 0x8000), 600) << n; // no click at the end
        destroy_sample(a);
    }
    // a melody lasts as long as its notes: the result jingle is 5 beats at 150 a minute
    SAMPLE *j = makeSample("SND_RESULT_JINGLE");
    EXPECT_NEAR(j->len / (double)j->freq, 5 * 60.0 / 150 + 0.3, 0.05);
    destroy_sample(j);
}

TEST(SourcesDeathTest, AListOfTheWrongLengthStopsTheGenerator)
{
    startHeadlessAllegro();
    if (!sourcesLoaded())
        GTEST_SKIP() << "no sources (GOR_SOURCE_DIR)";
    EXPECT_EQ(textList("maptitles", 4, 4).size(), 4u);
    EXPECT_EXIT(textList("maptitles", 5, 5), ::testing::ExitedWithCode(1), "maptitles");
    EXPECT_EXIT(col("no_such_colour"), ::testing::ExitedWithCode(1), "no_such_colour");
}

} // namespace
