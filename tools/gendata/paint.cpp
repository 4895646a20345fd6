// Painting helpers shared by the picture makers: bitmaps cleared to the mask colour, colour
// blends, thick strokes, scaled text of the built-in font, outlines and the ice/grey looks.
#include "tools/gendata/gen.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int MASK = 0;

BITMAP *newPic(int w, int h, int fill)
{
    BITMAP *b = create_bitmap_ex(16, w, h);
    MASK = bitmap_mask_color(b);
    clear_to_color(b, fill >= 0 ? fill : MASK);
    return b;
}

int rgb(int r, int g, int b)
{
    r = MID(0, r, 255);
    g = MID(0, g, 255);
    b = MID(0, b, 255);
    // Near-pink collapses into the mask colour at 16 bits: keep art out of it.
    if (r >= 248 && g <= 3 && b >= 248)
        g = 8;
    return makecol16(r, g, b);
}

int mixCol(int c1, int c2, int t)
{
    return rgb(getr16(c1) + (getr16(c2) - getr16(c1)) * t / 256,
               getg16(c1) + (getg16(c2) - getg16(c1)) * t / 256,
               getb16(c1) + (getb16(c2) - getb16(c1)) * t / 256);
}

int shadeCol(int c, int pct)
{
    return rgb(getr16(c) * pct / 100, getg16(c) * pct / 100, getb16(c) * pct / 100);
}

void thickLine(BITMAP *b, float x1, float y1, float x2, float y2, float r, int c)
{
    float len = std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
    int steps = (int)(len * 2) + 1;
    for (int i = 0; i <= steps; i++) {
        float t = (float)i / steps;
        float x = x1 + (x2 - x1) * t, y = y1 + (y2 - y1) * t;
        if (r < 0.75f)
            putpixel(b, (int)std::lround(x), (int)std::lround(y), c);
        else
            circlefill(b, (int)std::lround(x), (int)std::lround(y), (int)std::lround(r - 0.5f), c);
    }
}

static BITMAP *glyphs(const char *s)
{
    int w = text_length(font, s), h = text_height(font);
    BITMAP *t = create_bitmap_ex(16, w > 0 ? w : 1, h);
    clear_to_color(t, bitmap_mask_color(t));
    textout_ex(t, font, s, 0, 0, makecol16(255, 255, 255), -1);
    return t;
}

void bigText(BITMAP *b, const char *s, int x, int y, int sx, int sy, int c)
{
    BITMAP *t = glyphs(s);
    int m = bitmap_mask_color(t);
    for (int gy = 0; gy < t->h; gy++)
        for (int gx = 0; gx < t->w; gx++)
            if (getpixel(t, gx, gy) != m)
                rectfill(b, x + gx * sx, y + gy * sy, x + gx * sx + sx - 1, y + gy * sy + sy - 1, c);
    destroy_bitmap(t);
}

int bigTextWidth(const char *s, int sx)
{
    return text_length(font, s) * sx;
}

static unsigned randState = 1;

void seedRand(unsigned s)
{
    randState = s * 2654435761u + 12345u;
}

int rnd(int n)
{
    randState = randState * 1103515245u + 12345u;
    return n > 0 ? (int)((randState >> 8) % (unsigned)n) : 0;
}

float frnd()
{
    return rnd(1 << 20) / (float)(1 << 20);
}

void fillMask(BITMAP *b, int c)
{
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++)
            if (getpixel(b, x, y) == MASK)
                putpixel(b, x, y, c);
}

void outlineSprite(BITMAP *b, int oc)
{
    BITMAP *copy = create_bitmap_ex(16, b->w, b->h);
    blit(b, copy, 0, 0, 0, 0, b->w, b->h);
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            if (getpixel(copy, x, y) != MASK)
                continue;
            bool edge = false;
            for (int d = 0; d < 4 && !edge; d++) {
                int nx = x + (d == 0) - (d == 1), ny = y + (d == 2) - (d == 3);
                if (nx >= 0 && ny >= 0 && nx < b->w && ny < b->h && getpixel(copy, nx, ny) != MASK)
                    edge = true;
            }
            if (edge)
                putpixel(b, x, y, oc);
        }
    destroy_bitmap(copy);
}

// Runs every opaque pixel's lightness (0..255) at (x, y) through recolour.
template <typename Recolour> static void recolourOpaque(BITMAP *b, Recolour recolour)
{
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            int c = getpixel(b, x, y);
            if (c != MASK)
                putpixel(b, x, y, recolour((getr16(c) * 3 + getg16(c) * 6 + getb16(c)) / 10, x, y));
        }
}

void tintIce(BITMAP *b)
{
    // pale blue ice keeping the picture's light and dark, a glint on a few pixels
    recolourOpaque(b, [](int l, int x, int y) {
        if (l < 40)
            return rgb(30, 70, 140);
        if (((x * 7 + y * 13) % 23) == 0)
            return rgb(255, 255, 255);
        return rgb(70 + l * 7 / 10, 130 + l / 2, 210 + l / 5);
    });
}

static const LabelGlyph &glyphOf(char c, const char *s)
{
    const LabelGlyph *g = labelGlyph(c);
    if (!g) {
        fprintf(stderr, "gendata: the label font has no '%c' (in \"%s\")\n", c, s);
        exit(1);
    }
    return *g;
}

// Width of s in the label font's own pixels: the glyphs and one clear column between each two.
static int labelWidth(const char *s)
{
    int w = 0;
    for (const char *p = s; *p; p++)
        w += (int)glyphOf(*p, s).rows[0].size() + (p[1] ? 1 : 0);
    return w;
}

static void labelText(BITMAP *b, const char *s, int x, int y, int c)
{
    for (const char *p = s; *p; p++) {
        const LabelGlyph &g = glyphOf(*p, s);
        int gw = (int)g.rows[0].size();
        for (int gy = 0; gy < LABEL_FONT_ROWS; gy++)
            for (int gx = 0; gx < gw; gx++)
                if (g.rows[gy][gx] == 'X')
                    rectfill(b, x + gx * LABEL_SCALE, y + gy * LABEL_SCALE,
                             x + gx * LABEL_SCALE + LABEL_SCALE - 1,
                             y + gy * LABEL_SCALE + LABEL_SCALE - 1, c);
        x += (gw + 1) * LABEL_SCALE;
    }
}

int textWidth(const char *s, int h)
{
    if (h < SMALL_TEXT_H)
        return labelWidth(s) * LABEL_SCALE;
    return text_length(font, s) * h / 7;
}

int fitText(BITMAP *b, const char *s, int x, int y, int w, int h, int c, int align)
{
    if (h < SMALL_TEXT_H) {
        int tw = textWidth(s, h);
        if (tw > w) {
            fprintf(stderr, "gendata: \"%s\" is %d px wide in the label font, the box %d\n", s, tw,
                    w);
            exit(1);
        }
        labelText(b, s, align == 1 ? x + (w - tw) / 2 : x, y + (h - LABEL_TEXT_H) / 2, c);
        return tw;
    }
    BITMAP *t = glyphs(s);
    int natural = t->w * h / 7;
    int tw = natural < w ? natural : w;
    if (tw < 1)
        tw = 1;
    // colour the glyphs, then scale the seven drawn rows of the font into the box
    for (int gy = 0; gy < t->h; gy++)
        for (int gx = 0; gx < t->w; gx++)
            if (getpixel(t, gx, gy) != bitmap_mask_color(t))
                putpixel(t, gx, gy, c);
    // capitals fill the top seven rows; the eighth holds the tails of , ; and the like
    int ox = align == 1 ? x + (w - tw) / 2 : x;
    stretch_sprite(b, t, ox, y, tw, h * 8 / 7);
    destroy_bitmap(t);
    return tw;
}

void segDigit(BITMAP *b, int d, int x, int y, int w, int h, int t, int c)
{
    // segments a b c d e f g as bits 0..6
    static const int seg[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    int m = seg[d % 10];
    int x1 = x, x2 = x + w - 1, y1 = y, y2 = y + h - 1, ym = y + (h - t) / 2;
    if (m & 0x01) rectfill(b, x1 + 1, y1, x2 - 1, y1 + t - 1, c);
    if (m & 0x02) rectfill(b, x2 - t + 1, y1 + 1, x2, ym + t / 2, c);
    if (m & 0x04) rectfill(b, x2 - t + 1, ym + t / 2, x2, y2 - 1, c);
    if (m & 0x08) rectfill(b, x1 + 1, y2 - t + 1, x2 - 1, y2, c);
    if (m & 0x10) rectfill(b, x1, ym + t / 2, x1 + t - 1, y2 - 1, c);
    if (m & 0x20) rectfill(b, x1, y1 + 1, x1 + t - 1, ym + t / 2, c);
    if (m & 0x40) rectfill(b, x1 + 1, ym, x2 - 1, ym + t - 1, c);
}
