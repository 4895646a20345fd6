// Screen pictures: end-splash panels, logos, credits, comic panels, arena thumbnails and
// pre-screen pictures, the score explanation, keyboard and pad icons, and the tutorial's
// hint pictures. They reuse the game's own sprites (soldiers, booths, arena backgrounds).
#include "tools/gendata/gen.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const float PI = 3.14159265f;

void gradient(BITMAP *b, int x1, int y1, int x2, int y2, int top, int bottom)
{
    for (int y = y1; y <= y2; y++)
        hline(b, x1, y, x2, mixCol(top, bottom, (y - y1) * 256 / (y2 - y1 + 1)));
}

// A soldier frame (sheet entry, frame rectangle) scaled onto b at (x, y) by k.
void soldier(BITMAP *b, int sheetEntry, int fx, int fy, int fw, int fh, int x, int y, int k,
             bool mirror)
{
    BITMAP *sheet = generatedPicture(sheetEntry);
    if (!sheet)
        return;
    BITMAP *f = newPic(fw, fh);
    if (mirror) {
        BITMAP *t = newPic(fw, fh);
        blit(sheet, t, fx, fy, 0, 0, fw, fh);
        draw_sprite_h_flip(f, t, 0, 0);
        destroy_bitmap(t);
    } else {
        blit(sheet, f, fx, fy, 0, 0, fw, fh);
    }
    stretch_sprite(b, f, x, y, fw * k, fh * k);
    destroy_bitmap(f);
}

// A standing soldier with his gun: body frame 0 and the gun arm at the standing anchor.
void armedSoldier(BITMAP *b, int team, int x, int y, int k, bool mirror, int weapon = 1)
{
    int bodyEntry = team == TEAM_GREEN ? 101 : 102, armEntry = team == TEAM_GREEN ? 6 : 5;
    BITMAP *whole = newPic(48, 48);
    BITMAP *sheet = generatedPicture(bodyEntry), *arms = generatedPicture(armEntry);
    if (sheet && arms) {
        masked_blit(sheet, whole, 0, 0, 4, 0, 33, 48);
        masked_blit(arms, whole, 0, (weapon - 1) * 20, 6, 19, 38, 20);
    }
    BITMAP *out = whole;
    if (mirror) {
        out = newPic(48, 48);
        draw_sprite_h_flip(out, whole, 0, 0);
        destroy_bitmap(whole);
    }
    stretch_sprite(b, out, x, y, 48 * k, 48 * k);
    destroy_bitmap(out);
}

void frame(BITMAP *b, int c)
{
    rect(b, 0, 0, b->w - 1, b->h - 1, c);
    rect(b, 1, 1, b->w - 2, b->h - 2, c);
}

BITMAP *captioned(int w, int h, const char *caption, int top, int bottom)
{
    BITMAP *b = newPic(w, h, 0);
    gradient(b, 0, 0, w - 1, h - 1, top, bottom);
    int bar = h - 30;
    rectfill(b, 0, bar, w - 1, h - 1, col("caption_bar"));
    fitText(b, caption, 4, bar + 7, w - 8, 16, col("white"), 1);
    frame(b, col("label_border"));
    return b;
}

BITMAP *splash(int entry)
{
    seedRand(entry);
    switch (entry) {
    case 159: { // volcano
        BITMAP *b = captioned(380, 170, text("splash.volcano"), col("sky_dusk"), col("flame_red"));
        triangle(b, 60, 140, 190, 30, 320, 140, col("rock_dark"));
        triangle(b, 170, 30, 210, 30, 190, 60, col("flame_orange"));
        for (int k = 0; k < 6; k++)
            circlefill(b, 190 + rnd(40) - 20, 25 - k * 4, 6 + k, col("smoke"));
        for (int k = 0; k < 4; k++)
            thickLine(b, 190, 40, 190 + (k - 2) * 12, 90 + k * 10, 2, col("flame_orange"));
        return b;
    }
    case 9: { // blub: under water
        BITMAP *b = captioned(420, 260, text("splash.blub"), col("water"), col("deep_water"));
        for (int k = 0; k < 3; k++) {
            int fx = 80 + k * 120, fy = 70 + k * 40;
            ellipsefill(b, fx, fy, 30, 16, col(k == 1 ? "purple_light" : "flame_orange"));
            triangle(b, fx - 28, fy, fx - 50, fy - 15, fx - 50, fy + 15,
                     col(k == 1 ? "purple_main" : "flame_red"));
            circlefill(b, fx + 15, fy - 4, 4, col("white"));
            circlefill(b, fx + 16, fy - 4, 2, col("outline"));
            for (int j = 0; j < 4; j++)
                circle(b, fx + 36 + j * 3, fy - 20 - j * 18, 3 + j, col("white"));
        }
        return b;
    }
    case 129: { // sonic: a blur of speed
        BITMAP *b = captioned(440, 320, text("splash.sonic"), col("sky_day"), col("grass"));
        for (int k = 0; k < 14; k++)
            thickLine(b, 20 + rnd(60), 60 + k * 14, 200 + rnd(80), 60 + k * 14, 2, col("white"));
        soldier(b, 101, 0, 288, 33, 48, 250, 70, 4, false);
        return b;
    }
    case 166: { // zombies
        BITMAP *b = captioned(170, 300, text("splash.zombies"), col("sky_night"), col("zombie_ground"));
        circlefill(b, 120, 50, 22, col("moon"));
        for (int k = 0; k < 3; k++) {
            int zx = 30 + k * 50, zy = 150 + (k % 2) * 30;
            circlefill(b, zx, zy, 11, col("zombie"));
            rectfill(b, zx - 9, zy + 10, zx + 9, zy + 60, col("zombie_cloth"));
            thickLine(b, zx + 8, zy + 18, zx + 30, zy + 14, 3, col("zombie"));
            putpixel(b, zx + 4, zy - 2, col("flame_red"));
            putpixel(b, zx - 3, zy - 2, col("flame_red"));
        }
        return b;
    }
    case 1: { // alien: saucer and beam
        BITMAP *b = captioned(380, 190, text("splash.alien"), col("sky_night"), col("deep_water"));
        for (int k = 0; k < 40; k++)
            putpixel(b, rnd(380), rnd(150), col("white"));
        triangle(b, 190, 60, 120, 160, 260, 160, col("beam"));
        ellipsefill(b, 190, 55, 80, 18, col("gun_light"));
        ellipsefill(b, 190, 42, 34, 20, col("plasma_light"));
        for (int k = 0; k < 6; k++)
            circlefill(b, 130 + k * 24, 60, 4, col("flame_yellow"));
        return b;
    }
    case 154: { // train
        BITMAP *b = captioned(400, 260, text("splash.train"), col("sky_day"), col("grass"));
        hline(b, 0, 200, 399, col("rock_dark"));
        for (int x = 0; x < 400; x += 16)
            rectfill(b, x, 201, x + 8, 206, col("wood"));
        rectfill(b, 60, 110, 300, 190, col("flame_red"));
        rectfill(b, 240, 70, 300, 110, col("flame_red"));
        rectfill(b, 90, 80, 120, 110, col("rock_dark"));
        rectfill(b, 250, 80, 290, 100, col("plasma_light"));
        for (int k = 0; k < 4; k++)
            circlefill(b, 90 + k * 60, 192, 14, col("outline"));
        for (int k = 0; k < 4; k++)
            circlefill(b, 105 - k * 20, 60 - k * 14, 10 + k * 4, col("smoke"));
        return b;
    }
    case 82: { // leaf
        BITMAP *b = captioned(300, 360, text("splash.leaf"), col("sky_day"), col("water"));
        ellipsefill(b, 150, 160, 80, 130, col("grass"));
        thickLine(b, 150, 40, 150, 300, 2, col("green_dark"));
        for (int k = 0; k < 6; k++) {
            thickLine(b, 150, 80 + k * 30, 95, 60 + k * 30, 1, col("green_dark"));
            thickLine(b, 150, 80 + k * 30, 205, 60 + k * 30, 1, col("green_dark"));
        }
        return b;
    }
    case 15: { // bounce
        BITMAP *b = captioned(120, 360, text("splash.bounce"), col("sky_day"), col("purple_light"));
        for (int k = 0; k < 6; k++) {
            int y = 30 + k * 50;
            int x = 60 + (int)(std::sin(k * 1.3f) * 30);
            circlefill(b, x, y, 9 + k, col(k % 2 ? "flame_red" : "cube_light"));
        }
        return b;
    }
    }
    return nullptr;
}

BITMAP *logo(const char *words, int h, const char *fill, const char *edge)
{
    int w = bigTextWidth(words, 1) * h / 7 + 16;
    BITMAP *b = newPic(w, h + 16);
    for (int k = 6; k > 0; k--)
        fitText(b, words, 8 + k, 8 + k, w - 16, h, mixCol(col(edge), col("outline"), k * 40), 0);
    fitText(b, words, 8, 8, w - 16, h, col(fill), 0);
    outlineSprite(b, col("outline"));
    fillMask(b, col("page")); // the end splash's page: same drawn masked or opaque
    return b;
}

BITMAP *credits()
{
    BITMAP *b = newPic(1300, 860, col("page"));
    rect(b, 0, 0, 1299, 859, col("label_border"));
    std::vector<std::string> lines = textList("credits", 1, 20);
    int y = 40;
    for (size_t i = 0; i < lines.size(); i++) {
        bool heading = !lines[i].empty() && lines[i][0] == '*';
        const char *s = heading ? lines[i].c_str() + 1 : lines[i].c_str();
        if (*s)
            fitText(b, s, 50, y, 1200, heading ? 28 : 20, col(heading ? "green_light" : "white"), 1);
        y += heading ? 48 : 36;
    }
    armedSoldier(b, TEAM_GREEN, 40, 600, 4, false);
    armedSoldier(b, TEAM_PURPLE, 1068, 600, 4, true);
    return b;
}

// A comic picture per team. It pans behind a 400x121 window and comes to rest with picture
// columns 0..309 (green) or 0..379 (purple) in the window. Below the window the panel's page
// and gauge leave picture columns 76..92 and 123 on (green; its right part also shows
// between the two panels) or 0..169 (purple) in view at rest. So the soldier and his speech
// bubble sit at the left of the top strip and the caption in those columns below.
BITMAP *comic(int team)
{
    bool green = team == TEAM_GREEN;
    BITMAP *b = newPic(520, 330);
    std::vector<std::string> lines = textList(green ? "comic.green" : "comic.purple", 2, 8);
    int paper = col("comic_paper"), ink = col("outline");
    int restW = green ? 310 : 380, capX0 = green ? 128 : 2, capX1 = green ? 318 : 166;
    // top strip: speed rays behind the soldier and his speech bubble
    rectfill(b, 0, 0, 519, 120, col(green ? "green_dark" : "purple_dark"));
    set_clip_rect(b, 0, 0, 519, 120);
    for (int k = 0; k < 16; k++)
        thickLine(b, 60, 60, 60 + std::cos(k * PI / 8) * 600, 60 + std::sin(k * PI / 8) * 600, 1,
                  col(green ? "green_main" : "purple_main"));
    set_clip_rect(b, 0, 0, b->w - 1, b->h - 1);
    armedSoldier(b, team, 4, 14, 2, false, green ? 3 : 5);
    int bx0 = 112, bx1 = restW - 8;
    ellipsefill(b, (bx0 + bx1) / 2, 56, (bx1 - bx0) / 2, 40, paper);
    ellipse(b, (bx0 + bx1) / 2, 56, (bx1 - bx0) / 2, 40, ink);
    triangle(b, bx0 + 14, 70, bx0 + 30, 80, 96, 72, paper);
    for (size_t i = 0; i < 2 && i < lines.size(); i++)
        fitText(b, lines[i].c_str(), bx0 + 16, 36 + (int)i * 24, bx1 - bx0 - 32, 16, ink, 1);
    rect(b, 0, 0, 519, 120, ink);
    // below the window: the caption on paper
    rectfill(b, capX0, 130, capX1, 329, paper);
    rect(b, capX0, 130, capX1, 329, ink);
    for (size_t i = 2; i < lines.size(); i++)
        fitText(b, lines[i].c_str(), capX0 + 6, 142 + (int)(i - 2) * 28, capX1 - capX0 - 12, 14,
                ink, 0);
    return b;
}

BITMAP *thumbs()
{
    BITMAP *b = newPic(1200, 112);
    const int bg[3] = {155, 84, 68};
    for (int m = 0; m < 4; m++)
        for (int pointed = 0; pointed < 2; pointed++) {
            int x = (m * 2 + pointed) * 150;
            BITMAP *src = m < 3 ? generatedPicture(bg[m]) : nullptr;
            if (src)
                stretch_blit(src, b, 0, 0, src->w, src->h, x, 0, 150, 112);
            else {
                rectfill(b, x, 0, x + 149, 111, col("locked"));
                fitText(b, "?", x, 28, 150, 56, col("locked_mark"), 1);
            }
            if (pointed) {
                rect(b, x, 0, x + 149, 111, col("white"));
                rect(b, x + 1, 1, x + 148, 110, col("flame_yellow"));
                rect(b, x + 2, 2, x + 147, 109, col("white"));
            } else {
                rect(b, x, 0, x + 149, 111, col("label_border"));
            }
        }
    return b;
}

BITMAP *premap()
{
    BITMAP *b = newPic(2200, 595, col("page"));
    const int bg[2] = {84, 68};
    const char *keys[2] = {"premap.london", "premap.hell"};
    for (int f = 0; f < 2; f++) {
        int x = f * 1100;
        rect(b, x, 0, x + 1099, 594, col("label_border"));
        BITMAP *src = generatedPicture(bg[f]);
        if (src)
            stretch_blit(src, b, 0, 0, src->w, src->h, x + 20, 20, 640, 480);
        rect(b, x + 19, 19, x + 660, 500, col("white"));
        std::vector<std::string> lines = textList(keys[f], 1, 12);
        fitText(b, lines[0].c_str(), x + 690, 30, 390, 42, col("flame_yellow"), 0);
        for (size_t i = 1; i < lines.size(); i++)
            fitText(b, lines[i].c_str(), x + 690, 100 + (int)(i - 1) * 34, 390, 18, col("white"), 0);
        fitText(b, text("premap.footer"), x + 20, 530, 1060, 24, col("label_text"), 1);
    }
    return b;
}

// Drawn (masked) at (189, 711) after the tutorial, when the result screen's two figure boxes
// stand at x 464..737 and 865..1138 down to y 815: its top rows leave those boxes clear and
// point at the totals in them; the explanation itself sits below them.
BITMAP *scoreExplanation()
{
    BITMAP *b = newPic(1220, 300);
    const int boxTop = 115; // picture row of screen y 826, below the figure boxes
    int ink = col("white"), title = col("flame_yellow");
    // the two notes beside the totals, each with an arrow at its box
    std::vector<std::string> left = textList("score_note.green", 1, 3);
    std::vector<std::string> right = textList("score_note.purple", 1, 3);
    for (size_t i = 0; i < left.size(); i++)
        fitText(b, left[i].c_str(), 4, 14 + (int)i * 26, 220, 14, i ? ink : title, 0);
    for (size_t i = 0; i < right.size(); i++)
        fitText(b, right[i].c_str(), 996, 14 + (int)i * 26, 220, 14, i ? ink : title, 0);
    for (int k = 0; k < 2; k++) {
        int y = 48 + k;
        hline(b, 230, y, 262, ink);
        hline(b, 962, y, 990, ink);
    }
    triangle(b, 262, 42, 272, 48, 262, 55, ink);
    triangle(b, 962, 42, 952, 48, 962, 55, ink);
    // the explanation on a plate below
    rectfill(b, 0, boxTop, 1219, 299, col("page"));
    rect(b, 0, boxTop, 1219, 299, col("label_border"));
    std::vector<std::string> lines = textList("score_explanation", 1, 5);
    for (size_t i = 0; i < lines.size(); i++)
        fitText(b, lines[i].c_str(), 200, boxTop + 14 + (int)i * 33, 1000, i ? 16 : 20,
                i ? ink : title, 0);
    masked_blit(generatedPicture(14), b, 0, 0, 24, boxTop + 30, 97, 131);
    for (int k = 0; k < 3; k++)
        stretch_sprite(b, generatedPicture(23), 136, boxTop + 40 + k * 40, 22, 22);
    return b;
}

// Drawn at (panel x - 112, panel y); the options page joins it to the key panel with a
// stub from x - 35 at y + 16, so it ends short of that.
BITMAP *keyboardIcon()
{
    BITMAP *b = newPic(74, 32);
    rectfill(b, 0, 0, 73, 31, col("gun_metal"));
    rect(b, 0, 0, 73, 31, col("outline"));
    for (int r = 0; r < 3; r++)
        for (int k = 0; k < 8; k++)
            rectfill(b, 3 + k * 8 + r * 2, 3 + r * 7, 8 + k * 8 + r * 2, 7 + r * 7, col("white"));
    rectfill(b, 18, 24, 55, 28, col("white")); // space bar
    return b;
}

// Drawn at (panel x - 100, panel y), joined by a stub from x - 35 at y + 21.
BITMAP *joypadIcon()
{
    BITMAP *b = newPic(62, 40);
    ellipsefill(b, 15, 22, 15, 16, col("gun_metal"));
    ellipsefill(b, 46, 22, 15, 16, col("gun_metal"));
    rectfill(b, 15, 8, 46, 32, col("gun_metal"));
    rectfill(b, 8, 19, 22, 23, col("outline"));   // d-pad
    rectfill(b, 13, 14, 17, 28, col("outline"));
    circlefill(b, 44, 16, 3, col("flame_red"));   // buttons
    circlefill(b, 51, 22, 3, col("green_light"));
    circlefill(b, 44, 28, 3, col("plasma"));
    return b;
}

BITMAP *website()
{
    const char *s = text("website");
    int w = bigTextWidth(s, 1) * 20 / 7 + 12;
    BITMAP *b = newPic(w, 30);
    fitText(b, s, 6, 5, w - 12, 20, col("plasma_light"), 0);
    outlineSprite(b, col("outline"));
    fillMask(b, col("page"));
    return b;
}

// ---- tutorial ---------------------------------------------------------------------------

void hintCard(BITMAP *b, int x, int y, int w, int h, const char *key, int titleH, int bodyH,
              size_t maxLines)
{
    std::vector<std::string> lines = textList(key, 1, maxLines);
    rectfill(b, x + 2, y + 2, x + w - 3, y + h - 3, col("hint_fill"));
    rect(b, x + 2, y + 2, x + w - 3, y + h - 3, col("hint_edge"));
    rect(b, x + 3, y + 3, x + w - 4, y + h - 4, col("hint_edge"));
    int ty = y + 9;
    for (size_t i = 0; i < lines.size(); i++) {
        bool title = i == 0;
        fitText(b, lines[i].c_str(), x + 8, ty, w - 16, title ? titleH : bodyH,
                col(title ? "hint_title" : "hint_text"), 1);
        ty += title ? titleH + 8 : bodyH + 6;
    }
}

// A copy of a rectangle of an already made picture.
BITMAP *cut(int entry, int x, int y, int w, int h)
{
    BITMAP *f = newPic(w, h);
    if (BITMAP *src = generatedPicture(entry))
        blit(src, f, x, y, 0, 0, w, h);
    return f;
}

void putScaled(BITMAP *b, BITMAP *f, int x, int y, int k, bool mirror)
{
    BITMAP *m = f;
    if (mirror) {
        m = newPic(f->w, f->h);
        draw_sprite_h_flip(m, f, 0, 0);
    }
    stretch_sprite(b, m, x, y, f->w * k, f->h * k);
    if (mirror)
        destroy_bitmap(m);
    destroy_bitmap(f);
}

// Weapon w (1..7) held by a green soldier, with its shot flying off to the right.
void weaponShow(BITMAP *b, int x, int y, int w, int shotEntry)
{
    armedSoldier(b, TEAM_GREEN, x, y, 2, false, w);
    if (w == 6) { // mines dropped behind him
        for (int k = 0; k < 3; k++)
            putScaled(b, cut(90, 14 * (k * 3), 8, 14, 8), x + 120 + k * 60, y + 80, 2, false);
    } else if (shotEntry >= 0) {
        BITMAP *shot = generatedPicture(shotEntry);
        if (shot)
            for (int k = 0; k < 3; k++)
                stretch_sprite(b, shot, x + 110 + k * 60, y + 34 - (shot->h), shot->w * 2,
                               shot->h * 2);
    }
}

// The picture under the words of big tutorial card i, in the 445x100 strip at (x, y).
void tutorialIllustration(BITMAP *b, int i, int x, int y)
{
    const int weaponOf[18] = {0, 0, 1, 2, 3, 0, 0, 0, 0, 0, 0, 4, 5, 6, 7, 0, 0, 0};
    const int shotOf[8] = {-1, 16, 98, 58, 60, 91, 90, 16};
    int cx = x + 150;
    if (weaponOf[i]) {
        weaponShow(b, cx, y, weaponOf[i], shotOf[weaponOf[i]]);
        return;
    }
    switch (i) {
    case 0:
        armedSoldier(b, TEAM_GREEN, cx - 100, y, 2, false);
        for (int k = 0; k < 3; k++)
            triangle(b, cx + 20 + k * 40, y + 30, cx + 20 + k * 40, y + 70, cx + 45 + k * 40,
                     y + 50, col("hint_title"));
        putScaled(b, cut(23, 0, 0, 11, 11), cx + 160, y + 40, 3, false);
        break;
    case 1:
        putScaled(b, cut(105, 0, 0, 14, 14), cx + 40, y + 20, 5, false);
        break;
    case 5: // slowed: purple in the grey look
        putScaled(b, cut(64, 33 * 3, 48, 33, 48), cx + 40, y + 2, 2, true);
        break;
    case 6: // speed
        putScaled(b, cut(101, 33 * 3, 288, 33, 48), cx + 40, y + 2, 2, false);
        break;
    case 7: // enemy health down to one
        putScaled(b, cut(102, 0, 0, 33, 48), cx, y + 2, 2, true);
        putScaled(b, cut(65, 37, 0, 37, 2), cx + 90, y + 50, 4, false);
        break;
    case 8: // disarmed: purple without his gun
        putScaled(b, cut(102, 0, 0, 33, 48), cx + 40, y + 2, 2, true);
        break;
    case 9: // frozen
        putScaled(b, cut(102, 363, 0, 33, 48), cx + 40, y + 2, 2, true);
        break;
    case 10: // magnet: cubes raining
        armedSoldier(b, TEAM_GREEN, cx - 60, y, 2, false);
        for (int k = 0; k < 6; k++)
            putScaled(b, cut(23, 0, 0, 11, 11), cx + 60 + k * 30, y + 5 + (k * 37) % 60, 2, false);
        break;
    case 15: // purple won
        putScaled(b, cut(102, 33 * 18, 192, 33, 48), cx + 40, y + 2, 2, false);
        break;
    case 16: // green won
        putScaled(b, cut(101, 33 * 18, 192, 33, 48), cx + 40, y + 2, 2, false);
        break;
    default:
        masked_stretch_blit(generatedPicture(14), b, 0, 0, 97, 131, cx + 40, y, 74, 100);
        break;
    }
}

} // namespace

BITMAP *makeScreenPicture(int entry)
{
    if (BITMAP *b = splash(entry))
        return b;
    switch (entry) {
    case 21: return credits();
    case 49: return logo(text("maker"), 42, "plasma_light", "elec_dark");
    case 73: return joypadIcon();
    case 74: return keyboardIcon();
    case 83: return logo(text("game_title"), 56, "flame_yellow", "flame_red");
    case 86: return comic(TEAM_GREEN);
    case 87: return comic(TEAM_PURPLE);
    case 88: return thumbs();
    case 94: return logo(text("out_now"), 30, "white", "flame_red");
    case 110: return premap();
    case 124: return scoreExplanation();
    case 162: return website();
    }
    fprintf(stderr, "gendata: no screen picture for entry %d\n", entry);
    exit(1);
}

BITMAP *makeTutorialSheet(int entry)
{
    if (entry == 158) {
        BITMAP *b = newPic(3400, 100);
        for (int i = 0; i < 17; i++) {
            char key[32];
            snprintf(key, sizeof key, "tutorial.small.%d", i);
            hintCard(b, i * 200, 0, 200, 100, key, 18, 13, 3);
        }
        return b;
    }
    BITMAP *b = newPic(8370, 248);
    for (int i = 0; i < 18; i++) {
        char key[32];
        snprintf(key, sizeof key, "tutorial.big.%d", i);
        hintCard(b, i * 465, 0, 465, 248, key, 28, 17, 4);
        tutorialIllustration(b, i, i * 465 + 10, 140);
    }
    return b;
}
