// What the data generator promises about gor.dat beyond "it loads": every entry of its kind,
// every cut frame with something in it, transparent where the game draws masked, the
// title-screen hover fills closed inside their labels, samples short and non-empty, and the
// same bytes on every run.
#include <allegro.h>
#include <gtest/gtest.h>

#include "shell/harness.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/cut_regions.h"
#include "core/assets.h"
#include "support/test_env.h"
#include "tools/gendata/gen.h"

namespace {

std::string datPath()
{
    const char *dir = getenv("GOR_GAME_DIR");
    return std::string(dir ? dir : ".") + "/gor.dat";
}

class GeneratedData : public ::testing::Test {
protected:
    static DATAFILE *dat;
    static void SetUpTestSuite()
    {
        startHeadlessAllegro();
        dat = load_datafile(datPath().c_str());
    }
    static void TearDownTestSuite()
    {
        if (dat)
            unload_datafile(dat);
        dat = nullptr;
    }
    void SetUp() override { ASSERT_NE(dat, nullptr) << "cannot load " << datPath(); }
    BITMAP *bmp(int e) { return (BITMAP *)dat[e].dat; }
};
DATAFILE *GeneratedData::dat = nullptr;

bool isSample(int e)
{
    const char *name = dataEntryName(e);
    return name && strncmp(name, "DAT_SND_", 8) == 0;
}

// True when the w x h rectangle at (x, y) holds at least one opaque pixel.
bool hasArt(BITMAP *b, int x, int y, int w, int h)
{
    int mask = bitmap_mask_color(b);
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++)
            if (getpixel(b, i, j) != mask)
                return true;
    return false;
}

TEST_F(GeneratedData, HoldsEveryEntryInOrderWithItsKind)
{
    int n = 0;
    while (dat[n].type != DAT_END)
        n++;
    ASSERT_EQ(n, 167);
    // Start-up's own check of every entry's kind passes.
    ASSERT_EQ(findDataFileFault(dat), nullptr) << findDataFileFault(dat);
    for (int e = 0; e < 167; e++) {
        if (isSample(e)) {
            SAMPLE *s = (SAMPLE *)dat[e].dat;
            EXPECT_GT(s->len, 100u) << "entry " << e;
            EXPECT_EQ(s->stereo, 0) << "entry " << e << " must be mono";
            // one-shots stay short: the alarm alone starts 15 copies at once
            if (e != DAT_SND_TITLE_MUSIC && e != DAT_SND_RESULT_JINGLE) {
                EXPECT_LT(s->len, (unsigned long)s->freq * 2) << "entry " << e;
            }
        } else if (dat[e].type == DAT_BITMAP) {
            EXPECT_EQ(bitmap_color_depth(bmp(e)), 16) << "entry " << e;
        }
    }
    for (int e : {DAT_HELL_BACKGROUND, DAT_LONDON_BACKGROUND, DAT_TUTORIAL_BACKGROUND}) {
        EXPECT_EQ(bmp(e)->w, 1600);
        EXPECT_EQ(bmp(e)->h, 1200);
    }
    for (const CutRegion &r : cutRegions) {
        EXPECT_GE(bmp(r.entry)->w, r.w) << "entry " << r.entry;
        EXPECT_GE(bmp(r.entry)->h, r.h) << "entry " << r.entry;
    }
}

TEST_F(GeneratedData, EveryCutFrameShowsSomething)
{
    struct Row { int entry, x0, y0, w, h, count; };
    std::vector<Row> rows;
    for (int sheet : {DAT_FIGHTER_GREEN, DAT_FIGHTER_PURPLE, DAT_FIGHTER_GREY}) {
        for (int twin = 0; twin < 2; twin++) {
            int dx = twin * 363;
            rows.push_back({sheet, dx, 0, 33, 48, 11});    // still
            rows.push_back({sheet, dx, 48, 33, 48, 11});   // run
            rows.push_back({sheet, dx, 96, 33, 48, 2});    // jump, grab
            rows.push_back({sheet, dx + 66, 114, 33, 30, 1}); // crouch
            rows.push_back({sheet, dx + 99, 96, 49, 48, 4}); // slide
            rows.push_back({sheet, dx + 297, 96, 33, 48, 1}); // knocked flat
            rows.push_back({sheet, dx, 145, 33, 47, 7});   // climb
        }
        rows.push_back({sheet, 0, 192, 33, 48, 19});
        rows.push_back({sheet, 0, 240, 33, 48, 19});
        rows.push_back({sheet, 0, 288, 33, 48, 11});
    }
    for (int sheet : {DAT_ARMS_GREEN, DAT_ARMS_PURPLE, DAT_ARMS_GREY})
        for (int w = 0; w < 7; w++)
            rows.push_back({sheet, 0, w * 20, 38, 20, 10});
    rows.push_back({DAT_BOOTHS, 0, 0, 97, 131, 2});
    rows.push_back({DAT_CUBE_FRAZZLE, 0, 0, 21, 17, 5});
    rows.push_back({DAT_MINES, 0, 0, 14, 8, 9});
    rows.push_back({DAT_MINES, 0, 8, 14, 8, 9});
    rows.push_back({DAT_MINES, 0, 16, 14, 8, 9});
    rows.push_back({DAT_HEADS, 0, 0, 22, 22, 4});
    rows.push_back({DAT_TORCH_FLAME, 0, 0, 24, 40, 8});
    rows.push_back({DAT_CANDLE_FLAME, 0, 0, 8, 8, 8});
    rows.push_back({DAT_LETTERS, 0, 0, 14, 14, 36});
    rows.push_back({DAT_DIGITS, 0, 0, 8, 13, 10});
    rows.push_back({DAT_FRAG_DIGITS, 0, 0, 30, 23, 10});
    rows.push_back({DAT_RETRO_NUMS, 0, 0, 60, 100, 10});
    rows.push_back({DAT_AMMO_DIGITS, 0, 0, 25, 19, 10});
    rows.push_back({DAT_TV_STATIC, 0, 0, 90, 40, 6});
    rows.push_back({DAT_POWERUP_TEXT, 90, 0, 90, 40, 13});
    rows.push_back({DAT_PAD_KEYS, 0, 0, 142, 14, 10});
    rows.push_back({DAT_PAD_KEYS, 0, 14, 142, 14, 6});
    rows.push_back({DAT_KEY_LABELS, 0, 0, 78, 14, 13});
    rows.push_back({DAT_KEY_LABELS, 0, 14, 78, 14, 10});
    rows.push_back({DAT_MAP_THUMBS, 0, 0, 150, 112, 8});
    rows.push_back({DAT_MAP_TITLES, 0, 0, 112, 50, 4});
    rows.push_back({DAT_TUTORIAL_TEXT, 0, 0, 200, 100, 17});
    rows.push_back({DAT_TUTORIAL_TEXT_BIG, 0, 0, 465, 248, 18});
    rows.push_back({DAT_CUBE_SCORE, 3, 0, 3, 13, 3}); // frame 0 = no cubes: empty on purpose
    for (const Row &r : rows)
        for (int i = 0; i < r.count; i++)
            EXPECT_TRUE(hasArt(bmp(r.entry), r.x0 + i * r.w, r.y0, r.w, r.h))
                << "entry " << r.entry << " frame " << i << " at y " << r.y0;
}

TEST_F(GeneratedData, MaskedPicturesAreTransparentAroundTheirArt)
{
    // corners of sprites drawn masked
    for (int e : {DAT_FIGHTER_GREEN, DAT_ARMS_PURPLE, DAT_BOMB, DAT_POINTER,
                  DAT_EXPLOSION, DAT_EXPLOSION_ELEC_2, DAT_GIBBER_FLASH,
                  DAT_KEY_LABELS, DAT_LONDON_LIGHT, DAT_BOOTHS})
        EXPECT_EQ(getpixel(bmp(e), 0, bmp(e)->h - 1), bitmap_mask_color(bmp(e))) << "entry " << e;
    // the pixel row shared by the crouch frame and climb frame 2 stays clear in both twins
    for (int sheet : {DAT_FIGHTER_GREEN, DAT_FIGHTER_PURPLE, DAT_FIGHTER_GREY})
        for (int dx : {0, 363})
            EXPECT_FALSE(hasArt(bmp(sheet), 66 + dx, 144, 33, 1)) << "sheet " << sheet;
    // the booth's respawn chamber is see-through in the front picture
    BITMAP *booth = bmp(DAT_BOOTHS);
    int clear = 0;
    for (int y = 53; y < 110; y++)
        for (int x = 28; x < 70; x++)
            clear += getpixel(booth, x, y) == bitmap_mask_color(booth);
    EXPECT_GT(clear, 42 * 57 * 8 / 10);
    // TV static lets the monitor picture show through
    BITMAP *tv = bmp(DAT_TV_STATIC);
    EXPECT_FALSE(hasArt(tv, 0, 0, 1, 1) && hasArt(tv, 1, 0, 1, 1) && hasArt(tv, 2, 0, 1, 1));
    int opaque = 0;
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 540; x++)
            opaque += getpixel(tv, x, y) != bitmap_mask_color(tv);
    EXPECT_LT(opaque, 540 * 40 / 5);
    // the colon key label doubles as the result timer's colon: centred mark
    EXPECT_TRUE(hasArt(bmp(DAT_KEY_LABELS), 5 * 78 + 32, 0, 15, 14));
    EXPECT_FALSE(hasArt(bmp(DAT_KEY_LABELS), 5 * 78, 0, 30, 14));
}

TEST_F(GeneratedData, HoverFillsStayInsideTheirLabels)
{
    struct Seeds { int entry; std::vector<std::pair<int, int>> at; };
    const Seeds labels[] = {
        {DAT_TEXT_QUICK_BOUT, {{5, 5}, {95, 15}, {127, 17}, {96, 15}, {127, 15}}},
        {DAT_TEXT_TEAMS, {{5, 5}, {110, 17}}},
        {DAT_TEXT_OPTIONS, {{5, 5}, {60, 17}, {75, 17}, {110, 17}}},
        {DAT_TEXT_CREDITS, {{5, 5}, {76, 17}, {109, 17}}},
        {DAT_TEXT_QUIT, {{5, 5}, {107, 17}}},
        {DAT_TEXT_BACK_TO_MENU, {{5, 5}, {53, 16}, {53, 22}, {70, 17}, {143, 17}}},
        {DAT_INFO_IMAGE, {{5, 5}, {143, 15}}},
        {DAT_TEXT_GO, {{100, 50}}},
    };
    for (const Seeds &l : labels) {
        BITMAP *b = bmp(l.entry);
        for (auto [sx, sy] : l.at) {
            ASSERT_LT(sx, b->w);
            ASSERT_LT(sy, b->h);
            BITMAP *page = create_bitmap_ex(16, b->w + 2, b->h + 2);
            clear_to_color(page, makecol(30, 20, 33));
            draw_sprite(page, b, 1, 1);
            int fill = makecol(105, 133, 165);
            floodfill(page, sx + 1, sy + 1, fill);
            // the fill never reaches the page around the label
            for (int x = 0; x < page->w; x++) {
                EXPECT_NE(getpixel(page, x, 0), fill) << "entry " << l.entry;
                EXPECT_NE(getpixel(page, x, page->h - 1), fill) << "entry " << l.entry;
            }
            // and it covers most of the label: the box, not a letter's hole
            int filled = 0;
            for (int y = 1; y <= b->h; y++)
                for (int x = 1; x <= b->w; x++)
                    filled += getpixel(page, x, y) == fill;
            EXPECT_GT(filled, b->w * b->h / 3) << "entry " << l.entry << " seed " << sx << "," << sy;
            destroy_bitmap(page);
        }
    }
}

// Mean colour of the opaque pixels of a rectangle.
void meanColour(BITMAP *b, int x, int y, int w, int h, int *r, int *g, int *bl)
{
    long sr = 0, sg = 0, sb = 0, n = 0;
    int mask = bitmap_mask_color(b);
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++) {
            int c = getpixel(b, i, j);
            if (c == mask)
                continue;
            sr += getr16(c);
            sg += getg16(c);
            sb += getb16(c);
            n++;
        }
    *r = n ? (int)(sr / n) : 0;
    *g = n ? (int)(sg / n) : 0;
    *bl = n ? (int)(sb / n) : 0;
}

TEST_F(GeneratedData, EachSheetWearsItsTeamsColours)
{
    int r, g, b;
    meanColour(bmp(DAT_FIGHTER_GREEN), 0, 0, 363, 96, &r, &g, &b);
    EXPECT_GT(g, r + 30);
    EXPECT_GT(g, b + 30);
    meanColour(bmp(DAT_FIGHTER_PURPLE), 0, 0, 363, 96, &r, &g, &b);
    EXPECT_GT(r, g + 30);
    EXPECT_GT(b, g + 30);
    meanColour(bmp(DAT_FIGHTER_GREY), 0, 0, 363, 96, &r, &g, &b);
    EXPECT_LT(abs(r - g) + abs(g - b), 30); // the slowed look has no team colour
    // the frozen twins are icy: blue above red
    for (int sheet : {DAT_FIGHTER_GREEN, DAT_FIGHTER_PURPLE, DAT_ARMS_GREEN}) {
        meanColour(bmp(sheet), sheet == DAT_ARMS_GREEN ? 190 : 363, 0, 190, 96, &r, &g, &b);
        EXPECT_GT(b, r + 40) << "entry " << sheet;
    }
    meanColour(bmp(DAT_HEALTH_BAR_GREEN), 37 * 12, 0, 37, 2, &r, &g, &b);
    EXPECT_GT(g, r);
    meanColour(bmp(DAT_HEALTH_BAR_PURPLE), 37 * 12, 0, 37, 2, &r, &g, &b);
    EXPECT_GT(r, g);
}

TEST_F(GeneratedData, PicturesFitThePlacesTheScreensGiveThem)
{
    struct Limit { int entry, maxW, maxH; };
    const Limit limits[] = {
        {DAT_AMMO_TEXT, 90, 20},          // above the ammo digits on the 90x40 monitor
        {DAT_FRAG_TEXT, 90, 16},          // frag digits start 16 px below it
        {DAT_TEXT_POWER, 400, 16},        // result-screen digits 16 px below
        {DAT_TEXT_TOTAL, 400, 20},
        {DAT_TEXT_PLAYER_ONE, 147, 20},   // underline at y + 20, 145 px long
        {DAT_TEXT_AI_COMPETENCE, 210, 20}, // arrows at x + 210
        {DAT_TEXT_BACK, 70, 60},          // hover bar 766..833
        {DAT_TEXT_QUICK_BOUT, 600, 57},   // pre-screen buttons 58 px apart
        {DAT_INFO_IMAGE, 600, 57},
        {DAT_TEXT_BACK_TO_MENU, 600, 57},
        {DAT_TEXT_TEAMS, 600, 69},        // title menu rows 70 px apart
        {DAT_TEXT_OPTIONS, 600, 69},
        {DAT_TEXT_CREDITS, 600, 69},
        {DAT_TEXT_QUIT, 600, 69},
        {DAT_JOYPAD_IMAGE, 64, 60},       // at panel x - 100, short of the stub at x - 35
        {DAT_KEYBOARD_IMAGE, 76, 60},     // at panel x - 112, short of the stub at x - 35
        {DAT_TEXT_PLAYER_TWO, 147, 20},   // over a 145-px underline
        {DAT_POWERUP, 14, 14},            // the pause overlay's triangle
        {DAT_CUBE, 12, 12},               // the pause overlay's ring
        {DAT_GREEN_GIB, 5, 5},            // landing probes x + 0..4
        {DAT_PURPLE_GIB, 5, 5},
    };
    for (const Limit &l : limits) {
        EXPECT_LE(bmp(l.entry)->w, l.maxW) << "entry " << l.entry;
        EXPECT_LE(bmp(l.entry)->h, l.maxH) << "entry " << l.entry;
    }
    // the score explanation, at (189, 711), keeps the result screen's two figure boxes
    // (x 464..737 and 865..1138, down to y 815) clear
    EXPECT_FALSE(hasArt(bmp(DAT_SCORE_EXPLANATION), 464 - 189, 0, 274, 815 - 711 + 1));
    EXPECT_FALSE(hasArt(bmp(DAT_SCORE_EXPLANATION), 865 - 189, 0, 274, 815 - 711 + 1));
    EXPECT_GE(bmp(DAT_TEXT_KEY_SETUP)->h, 112);  // seven rows 16 px apart
    EXPECT_GE(bmp(DAT_TEXT_KEY_SETUP_PAD)->h, 48);
    EXPECT_GE(bmp(DAT_GREEN_TORSO)->w, 13);     // floor probes x + 0..12
    EXPECT_GE(bmp(DAT_PURPLE_TORSO)->w, 13);
}

// Small text read at 800x600, where the display keeps one pixel of every 2x2: whichever of
// the two it samples across and down, exactly a quarter of the text's ink survives, so every
// stroke of every glyph does (the label font is drawn in 2x2 blocks; stretched text loses
// or keeps 1-px strokes by chance: a "2" read as a "3").
TEST_F(GeneratedData, SmallTextKeepsEveryStrokeAtHalfSize)
{
    const char *src = getenv("GOR_SOURCE_DIR");
    if (!src || !loadSources((std::string(src) + "/data").c_str()))
        GTEST_SKIP() << "no sources (GOR_SOURCE_DIR)";
    struct Area { int entry, x, y, w, h; const char *ink; };
    std::vector<Area> areas = {
        {DAT_AMMO_TEXT, 0, 0, 0, 0, "monitor_text"},   // w, h 0: the whole picture
        {DAT_FRAG_TEXT, 0, 0, 0, 0, "monitor_text"},
        {DAT_GREEN_LABEL, 0, 0, 0, 0, "green_light"},
        {DAT_PURPLE_LABEL, 0, 0, 0, 0, "purple_light"},
        {DAT_TEXT_POWER, 0, 0, 0, 0, "label_text"},
        {DAT_TEXT_TOTAL, 0, 0, 0, 0, "label_text"},
        {DAT_TEXT_DETAIL, 0, 0, 0, 0, "label_text"},
        {DAT_TEXT_MUSIC, 0, 0, 0, 0, "label_text"},
        {DAT_TEXT_PLAYER2, 0, 0, 0, 0, "label_text"},
        {DAT_TEXT_KEY_SETUP, 0, 0, 0, 0, "label_text"},
        {DAT_TEXT_KEY_SETUP_PAD, 0, 0, 0, 0, "label_text"},
        {DAT_KEY_LABELS, 0, 0, 0, 0, "key_text"},
        {DAT_PAD_KEYS, 0, 0, 0, 0, "key_text"},
        {DAT_MAP_TITLES, 0, 0, 0, 0, "label_text"},
        {DAT_POWERUP_TEXT, 0, 0, 0, 0, "monitor_text"},
        {DAT_MANGA_ONE, 129, 131, 189, 198, "outline"},  // the captions below the window
        {DAT_MANGA_TWO, 3, 131, 163, 198, "outline"},
        {DAT_SCORE_EXPLANATION, 0, 0, 230, 100, "white"}, // the notes beside the totals
        {DAT_SCORE_EXPLANATION, 994, 0, 226, 100, "white"},
    };
    for (int card = 0; card < 17; card++) // the small hints' lines below their titles
        areas.push_back({DAT_TUTORIAL_TEXT, card * 200 + 4, 34, 192, 62, "hint_text"});
    for (const Area &a : areas) {
        BITMAP *b = bmp(a.entry);
        int w = a.w ? a.w : b->w, h = a.h ? a.h : b->h, ink = col(a.ink);
        auto inkAt = [&](int x, int y) { return getpixel(b, a.x + x, a.y + y) == ink; };
        int all = 0;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                all += inkAt(x, y);
        EXPECT_GT(all, 0) << "entry " << a.entry << " at " << a.x << "," << a.y;
        for (int px = 0; px < 2; px++)
            for (int py = 0; py < 2; py++) {
                int kept = 0;
                for (int y = py; y < h; y += 2)
                    for (int x = px; x < w; x += 2)
                        kept += inkAt(x, y);
                EXPECT_EQ(kept * 4, all) << "entry " << a.entry << " at " << a.x << "," << a.y
                                         << ", sampling phase " << px << "," << py;
            }
    }
}

// Runs the generator on a copy of the sources with one line of one file replaced; returns
// its exit status and whether it left a gor.dat behind.
int runOnBrokenCopy(const char *file, const char *badLine, bool *wroteDat)
{
    const char *src = getenv("GOR_SOURCE_DIR");
    char dir[] = "/tmp/gendata_brokenXXXXXX";
    if (!src || !mkdtemp(dir))
        return -1;
    std::string d(dir);
    std::string cmd = "cp -r " + std::string(src) + "/data " + d + "/data && printf '%s\\n' '" +
                      badLine + "' >> " + d + "/data/gendata/" + file + " && mkdir " + d +
                      "/out && tools/gendata/gendata " + d + "/data " + d + "/out 2>/dev/null";
    int rc = system(cmd.c_str());
    FILE *f = fopen((d + "/out/gor.dat").c_str(), "rb");
    *wroteDat = f != nullptr;
    if (f)
        fclose(f);
    system(("rm -rf " + d).c_str());
    return rc;
}

TEST(GeneratorRun, BrokenSourcesFailTheRun)
{
    FILE *probe = fopen("tools/gendata/gendata", "rb");
    if (!getenv("GOR_SOURCE_DIR") || !probe)
        GTEST_SKIP() << "generator not found";
    fclose(probe);
    const struct { const char *file, *line; } broken[] = {
        {"colours.txt", "green_main 300 0 0"},       // out of range
        {"texts.txt", "a line without an equals sign"},
        {"texts.txt", "maptitles = ONLY|THREE|TAGS"},  // the sheet has four
        {"sounds.txt", "  buzz 100 200 0 1 1 0 1"},   // unknown wave
        {"sounds.txt", "  notes H4/1"},                // not a note
        {"sounds.txt", "  sine 440 440 0 0 1 0 1"},    // lasts no time
        {"font.txt", "glyph A"},                       // drawn twice
        {"font.txt", "glyph ~"},                       // no rows
        {"texts.txt", "label.ammo = AMMO~"},           // small text without a glyph
        {"texts.txt", "music = MUSIC ON AT FULL VOLUME|MUSIC OFF"}, // wider than its label
    };
    for (const auto &b : broken) {
        bool wrote = true;
        EXPECT_NE(runOnBrokenCopy(b.file, b.line, &wrote), 0) << b.file << ": " << b.line;
        EXPECT_FALSE(wrote) << b.file << ": " << b.line;
    }
}

TEST(GeneratorRun, SameSourcesGiveTheSameBytes)
{
    const char *src = getenv("GOR_SOURCE_DIR");
    FILE *probe = fopen("tools/gendata/gendata", "rb");
    if (!src || !probe)
        GTEST_SKIP() << "generator not found from " << (src ? src : "(no source dir)");
    fclose(probe);
    char dir[] = "/tmp/gendata_testXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::string cmd = std::string("tools/gendata/gendata ") + src + "/data " + dir;
    ASSERT_EQ(system(cmd.c_str()), 0);
    std::string fresh = harnessReadFile((std::string(dir) + "/gor.dat").c_str());
    std::string built = harnessReadFile(datPath().c_str());
    EXPECT_FALSE(fresh.empty());
    EXPECT_TRUE(fresh == built) << "gor.dat differs between two runs";
    system((std::string("rm -rf ") + dir).c_str());
}

} // namespace
