// Pictures made of words and numbers: menu labels and buttons (with closed boxes where the
// title screen flood-fills its hover highlight), banners, booth messages, digit sets,
// letter glyphs and key-name labels. Every word comes from texts.txt.
#include "tools/gendata/gen.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Seed { int x, y; };

// A closed box (1-px border, uniform inside) with the words on it. The hover highlight is a
// flood fill started at each seed, so every seed must land on the inside colour in the
// region that reaches the border: the words are slid sideways until no seed hits a glyph
// or a glyph's hole.
BITMAP *boxedLabel(const char *words, int minW, int minH, const Seed *seeds, int nSeeds)
{
    int maxSeedY = 0;
    for (int i = 0; i < nSeeds; i++)
        if (seeds[i].y > maxSeedY)
            maxSeedY = seeds[i].y;
    int gh = 21;                                      // glyph height
    int tw = bigTextWidth(words, 3);
    int w = tw + 24 > minW ? tw + 24 : minW;
    int h = gh + 12 > minH ? gh + 12 : minH;
    int inside = col("label_inside"), border = col("label_border"), ink = col("label_text");
    for (int shift = 0; shift < 40; shift++) {
        int dx = (shift % 2 ? 1 : -1) * ((shift + 1) / 2);
        BITMAP *b = newPic(w, h);
        rectfill(b, 0, 0, w - 1, h - 1, inside);
        rect(b, 0, 0, w - 1, h - 1, border);
        int ty = (h - gh) / 2;
        fitText(b, words, (w - tw) / 2 + dx, ty, tw, gh, ink, 0);
        bool ok = true;
        int insideCount = 0;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                if (getpixel(b, x, y) == inside)
                    insideCount++;
        for (int i = 0; i < nSeeds && ok; i++) {
            if (getpixel(b, seeds[i].x, seeds[i].y) != inside) {
                ok = false;
                break;
            }
            // the seed's region must be the big one, not the hole of a letter
            BITMAP *t = newPic(w, h);
            blit(b, t, 0, 0, 0, 0, w, h);
            floodfill(t, seeds[i].x, seeds[i].y, col("white"));
            int filled = 0;
            for (int y = 0; y < h; y++)
                for (int x = 0; x < w; x++)
                    if (getpixel(t, x, y) == col("white") && getpixel(b, x, y) == inside)
                        filled++;
            destroy_bitmap(t);
            if (filled * 10 < insideCount * 9)
                ok = false;
        }
        if (ok)
            return b;
        destroy_bitmap(b);
    }
    fprintf(stderr, "gendata: cannot place '%s' clear of its hover seeds\n", words);
    exit(1);
}

// Plain words on the mask colour, outlined so they stand on any background.
BITMAP *plainLabel(const char *words, int h, int maxW, const char *colour)
{
    if (h < SMALL_TEXT_H)
        h = LABEL_TEXT_H; // small words are the label font's height, whatever was asked
    int natural = textWidth(words, h);
    int w = (natural < maxW ? natural : maxW) + 2;
    BITMAP *b = newPic(w, h + 2);
    fitText(b, words, 1, 1, w - 2, h, col(colour), 0);
    outlineSprite(b, col("outline"));
    return b;
}

// Big words on a dark plate: no mask colour, so it looks the same drawn masked or opaque.
BITMAP *banner(const char *words, int h, const char *colour)
{
    int w = bigTextWidth(words, 1) * h / 7 + 28;
    BITMAP *b = newPic(w, h + 28);
    int shadow = col("banner_shadow");
    fitText(b, words, 17, 17, w - 28, h, shadow, 0);
    fitText(b, words, 14, 14, w - 28, h, col(colour), 0);
    outlineSprite(b, col("outline"));
    fillMask(b, col("banner_plate"));
    rect(b, 0, 0, w - 1, h + 27, col("label_border"));
    rect(b, 2, 2, w - 3, h + 25, col("banner_shadow"));
    return b;
}

// A strip of one-line labels, each in its own w x h frame, stacked downwards.
BITMAP *labelRows(const char *key, size_t count, int w, int h, const char *colour)
{
    std::vector<std::string> rows = textList(key, count, count);
    BITMAP *b = newPic(w, h * (int)rows.size());
    for (size_t i = 0; i < rows.size(); i++)
        fitText(b, rows[i].c_str(), 1, (int)i * h + 2, w - 2, h - 4, col(colour), 0);
    return b;
}

// Names of the seven key controls (or three pad controls), one per 16-px row.
BITMAP *controlPanel(const char *key, size_t count)
{
    std::vector<std::string> rows = textList(key, count, count);
    BITMAP *b = newPic(126, 16 * (int)rows.size());
    for (size_t i = 0; i < rows.size(); i++)
        fitText(b, rows[i].c_str(), 2, (int)i * 16 + 1, 120, 12, col("label_text"), 0);
    return b;
}

BITMAP *powerupMessages()
{
    BITMAP *b = newPic(1260, 40);
    for (int f = 1; f < 14; f++) {
        char key[32];
        snprintf(key, sizeof key, "powerup.%d", f);
        std::vector<std::string> lines = textList(key, 1, 2);
        int n = (int)lines.size();
        for (int i = 0; i < n; i++) {
            int y = 20 - n * 8 + i * 16 + 2;
            fitText(b, lines[i].c_str(), f * 90 + 2, y, 86, 12, col("monitor_text"), 1);
        }
    }
    outlineSprite(b, col("outline"));
    return b;
}

BITMAP *mapTitles()
{
    BITMAP *b = newPic(448, 50);
    std::vector<std::string> names = textList("maptitles", 4, 4);
    for (int f = 0; f < 4; f++) {
        int x = f * 112;
        int fill = col(f == 3 ? "tag_locked" : "tag_fill");
        rectfill(b, x + 2, 8, x + 109, 47, fill);
        rect(b, x + 2, 8, x + 109, 47, col("label_border"));
        triangle(b, x + 2, 8, x + 12, 8, x + 2, 0, fill); // tail towards the pointer
        fitText(b, names[f].c_str(), x + 6, 20, 100, 14, col("label_text"), 1);
    }
    return b;
}

} // namespace

BITMAP *makeTextPicture(int entry)
{
    switch (entry) {
    case 0: return plainLabel(text("label.ai_competence"), 16, 205, "label_text");
    case 4: return plainLabel(text("label.ammo"), 12, 88, "monitor_text");
    case 22: {
        static const Seed s[] = {{5, 5}, {76, 17}, {109, 17}};
        return boxedLabel(text("label.credits"), 111, 36, s, 3);
    }
    case 27: { // the options page fills this button's rectangle to light it: keep it see-through
        const char *words = text("label.defaults");
        int w = bigTextWidth(words, 1) * 16 / 7 + 18;
        BITMAP *b = newPic(w, 30);
        fitText(b, words, 9, 7, w - 18, 16, col("label_text"), 0);
        outlineSprite(b, col("outline"));
        rect(b, 0, 0, w - 1, 29, col("label_border"));
        return b;
    }
    case 31: return banner(text("banner.draw"), 70, "white");
    case 47: return plainLabel(text("label.frags"), 10, 88, "monitor_text");
    case 48: return plainLabel(text("label.game_length"), 16, 165, "label_text");
    case 61: return plainLabel(text("label.green"), 14, 60, "green_light");
    case 62: return banner(text("banner.green"), 70, "green_light");
    case 72: {
        static const Seed s[] = {{5, 5}, {143, 15}};
        return boxedLabel(text("label.info"), 145, 34, s, 2);
    }
    case 95: return banner(text("banner.paused"), 78, "white");
    case 108: return powerupMessages();
    case 89: return mapTitles();
    case 117: return plainLabel(text("label.purple"), 14, 66, "purple_light");
    case 118: return banner(text("banner.purple"), 70, "purple_light");
    case 135: return plainLabel(text("label.back"), 16, 64, "label_text");
    case 136: return labelRows("detail", 3, 171, 14, "label_text");
    case 137: {
        static const Seed s[] = {{100, 50}};
        return boxedLabel(text("label.go"), 102, 56, s, 1);
    }
    case 138: return controlPanel("keysetup.rows", 7);
    case 139: return controlPanel("keysetup.pad_rows", 3);
    case 140: return labelRows("music", 2, 123, 14, "label_text");
    case 141: {
        static const Seed s[] = {{5, 5}, {60, 17}, {75, 17}, {110, 17}};
        return boxedLabel(text("label.options"), 112, 36, s, 4);
    }
    case 142: return labelRows("player2", 2, 200, 14, "label_text");
    case 143: return plainLabel(text("label.player_one"), 16, 145, "green_light"); // underline 145 long
    case 144: return plainLabel(text("label.player_two"), 16, 145, "purple_light");
    case 145: return plainLabel(text("label.power"), 12, 100, "label_text");
    case 146: {
        static const Seed s[] = {{5, 5}, {95, 15}, {127, 17}, {96, 15}, {127, 15}};
        return boxedLabel(text("label.quick_bout"), 129, 36, s, 5);
    }
    case 147: {
        static const Seed s[] = {{5, 5}, {107, 17}};
        return boxedLabel(text("label.quit"), 109, 36, s, 2);
    }
    case 148: {
        static const Seed s[] = {{5, 5}, {53, 16}, {53, 22}, {70, 17}, {143, 17}};
        return boxedLabel(text("label.back_to_menu"), 145, 36, s, 5);
    }
    case 149: {
        static const Seed s[] = {{5, 5}, {110, 17}};
        return boxedLabel(text("label.teams"), 112, 36, s, 2);
    }
    case 150: return plainLabel(text("label.total"), 14, 100, "label_text");
    case 163: return banner(text("banner.wins"), 70, "white");
    }
    fprintf(stderr, "gendata: no text picture for entry %d\n", entry);
    exit(1);
}

// Ten seven-segment digits 0..9 in frames of fw x fh, each drawn w x h at (dx, dy).
static BITMAP *digitStrip(int fw, int fh, int dx, int dy, int w, int h, int t, const char *colour,
                          bool outlined)
{
    BITMAP *b = newPic(fw * 10, fh);
    for (int d = 0; d < 10; d++)
        segDigit(b, d, d * fw + dx, dy, w, h, t, col(colour));
    if (outlined)
        outlineSprite(b, col("outline"));
    return b;
}

BITMAP *makeDigitSheet(int entry)
{
    switch (entry) {
    case 2: { // glyphs A..Z, 0..9: the font's 7x7 drawing doubled into 14x14
        BITMAP *b = newPic(504, 14);
        const char *chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        for (int i = 0; i < 36; i++) {
            char s[2] = {chars[i], 0};
            BITMAP *g = newPic(14, 14);
            bigText(g, s, 0, 0, 2, 2, col("glyph"));
            for (int y = 7; y < 14; y++)
                for (int x = 0; x < 14; x++)
                    if (getpixel(g, x, y) != MASK)
                        putpixel(g, x, y, col("glyph_low"));
            blit(g, b, 0, 0, i * 14, 0, 14, 14);
            destroy_bitmap(g);
        }
        return b;
    }
    case 3: return digitStrip(25, 19, 4, 1, 14, 17, 3, "monitor_text", true);
    case 29: return digitStrip(8, 13, 1, 0, 6, 13, 2, "hud_digit", false);
    case 46: return digitStrip(30, 23, 6, 1, 18, 21, 4, "monitor_text", true);
    case 121: {
        BITMAP *b = newPic(600, 100);
        for (int d = 0; d < 10; d++) {
            segDigit(b, d, d * 60 + 10, 8, 44, 86, 9, col("banner_shadow"));
            segDigit(b, d, d * 60 + 6, 4, 44, 86, 9, col("white"));
        }
        outlineSprite(b, col("outline"));
        return b;
    }
    }
    fprintf(stderr, "gendata: no digit sheet for entry %d\n", entry);
    exit(1);
}

static void keyRow(BITMAP *b, const char *key, size_t count, int x0, int y0, int w)
{
    std::vector<std::string> names = textList(key, count, count);
    for (size_t i = 0; i < names.size(); i++)
        fitText(b, names[i].c_str(), x0 + (int)i * w + 1, y0, w - 2, LABEL_TEXT_H, col("key_text"), 1);
}

BITMAP *makeKeySheet(int entry)
{
    if (entry == 75) {
        BITMAP *b = newPic(1420, 28);
        keyRow(b, "keys.pad", 10, 0, 0, 142);
        keyRow(b, "keys.padspecial", 6, 0, 14, 142);
        return b;
    }
    BITMAP *b = newPic(1014, 28);
    keyRow(b, "keys.special", 13, 0, 0, 78);
    keyRow(b, "keys.cursor", 4, 0, 14, 78);
    keyRow(b, "keys.shift", 6, 312, 14, 78);
    return b;
}
