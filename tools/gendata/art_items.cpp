// Small game pictures: projectiles, pick-ups, gore, casings, muzzle flashes, explosions,
// mines, flames, booths, health bars and the TV static of the monitors.
#include "tools/gendata/gen.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const float PI = 3.14159265f;

void star(BITMAP *b, int x, int y, int c)
{
    putpixel(b, x, y, c);
    putpixel(b, x - 1, y, c);
    putpixel(b, x + 1, y, c);
    putpixel(b, x, y - 1, c);
    putpixel(b, x, y + 1, c);
}

// A burst of flame tongues around (cx, cy), outer colour to core colour.
void burst(BITMAP *b, float cx, float cy, float r, int spikes, int outer, int mid, int core,
           float stretchX)
{
    for (int k = 0; k < spikes; k++) {
        float a = k * 2 * PI / spikes + frnd() * 0.3f;
        float len = r * (0.6f + 0.4f * frnd());
        float ex = cx + std::cos(a) * len * stretchX, ey = cy + std::sin(a) * len;
        thickLine(b, cx, cy, ex, ey, r * 0.18f + 1, outer);
    }
    circlefill(b, (int)cx, (int)cy, (int)(r * 0.55f), mid);
    for (int k = 0; k < spikes; k++) {
        float a = k * 2 * PI / spikes + 0.2f;
        float len = r * 0.55f;
        thickLine(b, cx, cy, cx + std::cos(a) * len * stretchX, cy + std::sin(a) * len,
                  r * 0.1f + 1, mid);
    }
    circlefill(b, (int)cx, (int)cy, (int)(r * 0.3f), core);
}

BITMAP *rocket(int team)
{
    BITMAP *b = newPic(18, 7);
    int body = col("rocket_body"), trim = col(team == TEAM_GREEN ? "green_main" : "purple_main");
    rectfill(b, 3, 1, 13, 5, body);
    triangle(b, 13, 1, 17, 3, 13, 5, trim);
    rectfill(b, 3, 0, 5, 6, trim);
    putpixel(b, 1, 3, col("flame_yellow"));
    putpixel(b, 2, 2, col("flame_orange"));
    putpixel(b, 2, 4, col("flame_orange"));
    putpixel(b, 2, 3, col("white"));
    hline(b, 6, 2, 12, col("white"));
    return b;
}

BITMAP *thrusterCharge(int team)
{
    BITMAP *b = newPic(16, 12);
    int c = col(team == TEAM_GREEN ? "green_light" : "purple_light");
    int d = col(team == TEAM_GREEN ? "green_main" : "purple_main");
    for (int k = 0; k < 4; k++)
        hline(b, 0, 3 + k * 2, 5 - k % 2 * 2, d);
    circlefill(b, 10, 6, 5, d);
    circlefill(b, 10, 6, 3, c);
    circlefill(b, 11, 5, 1, col("white"));
    return b;
}

BITMAP *severedLimb(int team, bool leg)
{
    // a sleeve or trouser leg bent at the joint, hand or boot at one end, a bloody stump at
    // the other
    bool green = team == TEAM_GREEN;
    int cloth = col(leg ? (green ? "green_dark" : "purple_dark") : (green ? "green_light" : "purple_light"));
    int blood = col("blood"), dark = col("blood_dark");
    BITMAP *b = newPic(leg ? 15 : 13, leg ? 8 : 7);
    if (leg) {
        thickLine(b, 3, 3, 8, 3, 2.2f, cloth);      // thigh
        thickLine(b, 8, 3, 11, 5, 2.0f, cloth);     // shin
        rectfill(b, 11, 4, 14, 7, col("boot"));
        putpixel(b, 14, 7, col("boot"));
    } else {
        thickLine(b, 3, 3, 7, 3, 1.8f, cloth);      // upper arm
        thickLine(b, 7, 3, 9, 1, 1.6f, cloth);      // forearm
        circlefill(b, 10, 1, 1, col("skin"));
        putpixel(b, 11, 1, col("skin"));
    }
    rectfill(b, 0, 2, 1, 4, blood);
    putpixel(b, 0, 3, dark);
    putpixel(b, 2, leg ? 5 : 4, blood);
    outlineSprite(b, col("outline"));
    return b;
}

BITMAP *torso(int team)
{
    int main = col(team == TEAM_GREEN ? "green_main" : "purple_main");
    int light = col(team == TEAM_GREEN ? "green_light" : "purple_light");
    BITMAP *b = newPic(15, 12);
    rectfill(b, 2, 1, 12, 10, main);
    hline(b, 3, 3, 11, light);
    rectfill(b, 2, 7, 12, 7, col("outline"));
    rectfill(b, 0, 2, 1, 9, col("blood"));
    rectfill(b, 13, 3, 14, 8, col("blood"));
    putpixel(b, 6, 10, col("blood_dark"));
    return b;
}

BITMAP *gib(int team)
{
    BITMAP *b = newPic(5, 4);
    rectfill(b, 0, 0, 4, 3, col("blood"));
    putpixel(b, 1, 1, col("flesh"));
    putpixel(b, 3, 2, col(team == TEAM_GREEN ? "green_main" : "purple_main"));
    putpixel(b, 2, 0, col("blood_dark"));
    putpixel(b, 4, 3, MASK);
    putpixel(b, 0, 3, MASK);
    return b;
}

// A flash whose hot centre sits at (cx, cy) of a w x h picture, so it lands on the muzzle
// at the offset the drawing code gives it.
BITMAP *muzzleFlash(int w, int h, float cx, float cy, float r, int outer, int core)
{
    BITMAP *b = newPic(w, h);
    seedRand(w * 31 + h);
    burst(b, cx, cy, r, 9, outer, core, col("white"), 1.4f);
    return b;
}

BITMAP *pointer()
{
    BITMAP *b = newPic(16, 22);
    int pts[] = {0, 0, 0, 17, 4, 13, 8, 21, 11, 20, 7, 12, 13, 12};
    polygon(b, 7, pts, col("white"));
    for (int i = 0; i < 7; i++) {
        int j = (i + 1) % 7;
        line(b, pts[i * 2], pts[i * 2 + 1], pts[j * 2], pts[j * 2 + 1], col("outline"));
    }
    return b;
}

BITMAP *powerupBox()
{
    BITMAP *b = newPic(14, 14);
    rectfill(b, 0, 0, 13, 13, col("box_gold"));
    rect(b, 0, 0, 13, 13, col("box_edge"));
    hline(b, 1, 1, 12, col("white"));
    // a question mark
    int q = col("box_mark");
    hline(b, 5, 3, 8, q);
    putpixel(b, 4, 4, q);
    putpixel(b, 9, 4, q);
    putpixel(b, 9, 5, q);
    putpixel(b, 8, 6, q);
    putpixel(b, 7, 7, q);
    putpixel(b, 7, 8, q);
    putpixel(b, 7, 10, q);
    return b;
}

BITMAP *cube()
{
    // a glowing cube seen from a little above: light top, front face, shaded side
    BITMAP *b = newPic(11, 11);
    int top = col("cube_light"), front = col("cube_main"), side = col("cube_edge");
    int topPts[] = {0, 3, 3, 0, 10, 0, 7, 3};
    polygon(b, 4, topPts, top);
    rectfill(b, 0, 3, 7, 10, front);
    int sidePts[] = {7, 3, 10, 0, 10, 7, 7, 10};
    polygon(b, 4, sidePts, side);
    rect(b, 0, 3, 7, 10, side);
    putpixel(b, 2, 5, col("white"));
    putpixel(b, 3, 5, col("white"));
    putpixel(b, 2, 6, col("white"));
    return b;
}

BITMAP *bomb()
{
    BITMAP *b = newPic(14, 14);
    circlefill(b, 6, 8, 5, col("bomb_body"));
    circlefill(b, 4, 6, 1, col("gun_light"));
    rectfill(b, 5, 1, 8, 3, col("gun_dark"));
    line(b, 8, 1, 11, 0, col("fuse"));
    star(b, 12, 1, col("flame_yellow"));
    return b;
}

BITMAP *bombBlast(bool vertical)
{
    // a blast front rushing right (or up): bright leading edge, fiery tail
    BITMAP *h = newPic(32, 14);
    seedRand(vertical ? 77 : 78);
    for (int x = 0; x < 32; x++) {
        int half = 2 + x * 5 / 31;
        int c = x > 26 ? col("white") : x > 18 ? col("flame_yellow") : x > 8 ? col("flame_orange")
                                                                           : col("flame_red");
        for (int y = 7 - half; y <= 7 + half; y++)
            if (x > 10 || rnd(3))
                putpixel(h, x, y, c);
    }
    if (!vertical)
        return h;
    BITMAP *v = newPic(14, 32);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 14; x++)
            putpixel(v, x, y, getpixel(h, 31 - y, x));
    destroy_bitmap(h);
    return v;
}

BITMAP *londonLight()
{
    // the glow around the street lamp, dithered so the street shows through
    BITMAP *b = newPic(60, 60);
    int inner = col("lamp_glow"), outer = col("lamp_glow_dim");
    for (int y = 0; y < 60; y++)
        for (int x = 0; x < 60; x++) {
            float d = std::sqrt((x - 30.0f) * (x - 30.0f) + (y - 30.0f) * (y - 30.0f));
            // dithered rings, thinning outwards; the lantern itself shows through
            if (d < 12 && ((x + y) % 2 == 0))
                putpixel(b, x, y, inner);
            else if (d < 20 && ((x + y * 3) % 4 == 0))
                putpixel(b, x, y, inner);
            else if (d < 29 && ((x * 3 + y) % 7 == 0))
                putpixel(b, x, y, outer);
        }
    return b;
}

BITMAP *rocketPack()
{
    BITMAP *b = newPic(12, 18);
    rectfill(b, 1, 0, 10, 12, col("gun_metal"));
    rectfill(b, 2, 1, 4, 11, col("gun_light"));
    rectfill(b, 7, 1, 9, 11, col("gun_light"));
    rectfill(b, 2, 12, 4, 14, col("gun_dark"));
    rectfill(b, 7, 12, 9, 14, col("gun_dark"));
    putpixel(b, 3, 15, col("flame_yellow"));
    putpixel(b, 8, 15, col("flame_yellow"));
    putpixel(b, 3, 16, col("flame_orange"));
    putpixel(b, 8, 16, col("flame_orange"));
    outlineSprite(b, col("outline"));
    return b;
}

BITMAP *explosion(int size, const char *outerName, const char *midName, const char *coreName,
                  bool electric, unsigned seed)
{
    BITMAP *b = newPic(size, size);
    seedRand(seed);
    float c = size / 2.0f, r = size / 2.0f - 2;
    int outer = col(outerName), mid = col(midName), core = col(coreName);
    // soft rim of smoke puffs, then flame tongues, a hot core; holes keep the layers alive
    for (int k = 0; k < 26; k++) {
        float a = frnd() * 2 * PI, d = r * (0.45f + 0.4f * frnd());
        circlefill(b, (int)(c + std::cos(a) * d), (int)(c + std::sin(a) * d),
                   (int)(r * (0.12f + 0.1f * frnd())), outer);
    }
    burst(b, c, c, r * 0.85f, 14, mid, mixCol(mid, core, 128), core, 1.0f);
    if (electric) {
        for (int k = 0; k < 8; k++) {
            float a = k * 2 * PI / 8 + frnd() * 0.4f;
            float x = c, y = c;
            for (int s = 0; s < 6; s++) {
                float nx = x + std::cos(a + (frnd() - 0.5f)) * r / 6,
                      ny = y + std::sin(a + (frnd() - 0.5f)) * r / 6;
                thickLine(b, x, y, nx, ny, size > 200 ? 1.5f : 1, col("white"));
                x = nx;
                y = ny;
            }
        }
    }
    for (int k = 0; k < size / 6; k++) {
        float a = frnd() * 2 * PI, d = r * (0.2f + 0.7f * frnd());
        circlefill(b, (int)(c + std::cos(a) * d), (int)(c + std::sin(a) * d),
                   1 + (int)(r * 0.04f * frnd()), MASK);
    }
    return b;
}

} // namespace

BITMAP *makeItemPicture(int entry)
{
    switch (entry) {
    case 8: { // blood drop
        BITMAP *b = newPic(4, 4);
        rectfill(b, 0, 1, 3, 2, col("blood"));
        rectfill(b, 1, 0, 2, 3, col("blood"));
        putpixel(b, 1, 1, col("blood_light"));
        return b;
    }
    case 10: return bomb();
    case 12: return bombBlast(false);
    case 13: return bombBlast(true);
    case 16: { // bullet tracer
        BITMAP *b = newPic(7, 3);
        hline(b, 0, 1, 6, col("flame_yellow"));
        hline(b, 3, 0, 5, col("flame_orange"));
        hline(b, 3, 2, 5, col("flame_orange"));
        putpixel(b, 6, 1, col("white"));
        return b;
    }
    case 23: return cube();
    case 52: { // gun casing
        BITMAP *b = newPic(3, 2);
        rectfill(b, 0, 0, 2, 1, col("brass"));
        putpixel(b, 0, 0, col("brass_light"));
        return b;
    }
    case 53: return muzzleFlash(23, 21, 8, 10.5f, 9.5f, col("flame_orange"), col("flame_yellow"));
    case 55: { // grass tuft (kept in the file, never drawn)
        BITMAP *b = newPic(16, 8);
        for (int k = 0; k < 8; k++)
            line(b, k * 2, 7, k * 2 + (k % 3) - 1, 2 + k % 3, col("grass"));
        return b;
    }
    case 56: return severedLimb(TEAM_GREEN, false);
    case 57: return gib(TEAM_GREEN);
    case 58: return rocket(TEAM_GREEN);
    case 59: return severedLimb(TEAM_GREEN, true);
    case 60: return thrusterCharge(TEAM_GREEN);
    case 70: { // rocket casing
        BITMAP *b = newPic(6, 3);
        rectfill(b, 0, 0, 5, 2, col("gun_metal"));
        vline(b, 5, 0, 2, col("brass"));
        return b;
    }
    case 85: return londonLight();
    case 91: return muzzleFlash(16, 11, 5.5f, 5.5f, 4.5f, col("laser_lens"), col("laser_glow"));
    case 96: { // percentage sign (kept in the file, never drawn)
        BITMAP *b = newPic(16, 16);
        bigText(b, "%", 0, 0, 2, 2, col("white"));
        return b;
    }
    case 98: { // plasma ball with a tail
        BITMAP *b = newPic(12, 7);
        hline(b, 0, 3, 5, col("plasma"));
        circlefill(b, 7, 3, 3, col("plasma"));
        circlefill(b, 7, 3, 1, col("white"));
        return b;
    }
    // drawn 6 px above the anchor: its centre low in the picture meets the plasma orb
    case 99: return muzzleFlash(20, 20, 5, 14, 5.5f, col("plasma"), col("plasma_light"));
    case 103: return pointer();
    case 104: { // droppings particle (pool never filled)
        BITMAP *b = newPic(4, 3);
        rectfill(b, 0, 1, 3, 2, col("dirt"));
        putpixel(b, 1, 0, col("dirt"));
        return b;
    }
    case 105: return powerupBox();
    case 112: return severedLimb(TEAM_PURPLE, false);
    case 113: return gib(TEAM_PURPLE);
    case 114: return rocket(TEAM_PURPLE);
    case 115: return severedLimb(TEAM_PURPLE, true);
    case 116: return thrusterCharge(TEAM_PURPLE);
    case 122: return rocketPack();
    case 152: return torso(TEAM_PURPLE);
    case 153: return torso(TEAM_GREEN);
    case 160: { // warning triangle (kept in the file, never drawn)
        BITMAP *b = newPic(20, 18);
        triangle(b, 10, 0, 0, 17, 19, 17, col("hazard_yellow"));
        vline(b, 10, 5, 12, col("hazard_black"));
        putpixel(b, 10, 15, col("hazard_black"));
        return b;
    }
    case 161: { // water splash droplets (kept in the file, never drawn)
        BITMAP *b = newPic(12, 8);
        for (int k = 0; k < 5; k++)
            circlefill(b, 2 + k * 2, 6 - (k % 3) * 2, 1, col("water"));
        return b;
    }
    case 165: { // plasma cell casing
        BITMAP *b = newPic(3, 3);
        rectfill(b, 0, 0, 2, 2, col("plasma"));
        putpixel(b, 1, 1, col("white"));
        return b;
    }
    }
    fprintf(stderr, "gendata: no item picture for entry %d\n", entry);
    exit(1);
}

BITMAP *makeExplosion(int entry)
{
    switch (entry) {
    case 35: return explosion(300, "smoke", "flame_orange", "flame_yellow", false, 35);
    case 36: return explosion(190, "flame_red", "flame_orange", "white", false, 36);
    case 37: return explosion(190, "elec_dark", "elec", "white", true, 37);
    case 38: return explosion(300, "elec_dark", "elec", "elec_light", true, 38);
    case 39: return explosion(300, "green_dark", "green_main", "green_light", false, 39);
    case 40: return explosion(190, "green_main", "green_light", "white", false, 40);
    case 41: return explosion(120, "smoke", "flame_red", "flame_orange", false, 41);
    case 42: return explosion(76, "flame_red", "flame_orange", "flame_yellow", false, 42);
    case 43: return explosion(300, "purple_dark", "purple_main", "purple_light", false, 43);
    case 44: return explosion(190, "purple_main", "purple_light", "white", false, 44);
    }
    fprintf(stderr, "gendata: no explosion for entry %d\n", entry);
    exit(1);
}

namespace {

BITMAP *healthBars(const char *colourName)
{
    BITMAP *b = newPic(481, 2);
    int c = col(colourName), empty = col("bar_empty");
    for (int f = 0; f < 13; f++) {
        int filled = f * 37 / 12;
        for (int x = 0; x < 37; x++)
            vline(b, f * 37 + x, 0, 1, x < filled ? c : empty);
    }
    return b;
}

BITMAP *mines()
{
    BITMAP *b = newPic(126, 24);
    const char *lights[3] = {"mine_light", "green_light", "purple_light"};
    for (int row = 0; row < 3; row++)
        for (int f = 0; f < 9; f++) {
            int x = f * 14, y = row * 8;
            rectfill(b, x + 1, y + 3, x + 12, y + 7, col("mine_body"));
            rectfill(b, x + 3, y + 2, x + 10, y + 2, col("gun_light"));
            hline(b, x + 1, y + 7, x + 12, col("gun_dark"));
            // blinking lamp: lit on frame 0 (the beep) and dimmer as it fades
            int lamp = f == 0 ? col("white") : f < 4 ? col(lights[row]) : col("mine_lamp_off");
            rectfill(b, x + 5, y + 0, x + 8, y + 2, lamp);
            if (row > 0)
                hline(b, x + 2, y + 5, x + 11, col(lights[row]));
        }
    return b;
}

BITMAP *heads()
{
    BITMAP *b = newPic(88, 22);
    const char *teams[4] = {"green_main", "purple_main", "green_main", "purple_main"};
    for (int f = 0; f < 4; f++) {
        int x = f * 22;
        int c = col(teams[f]);
        circlefill(b, x + 11, 10, 7, c);
        arc(b, x + 11, 10, itofix(20), itofix(100), 6, col(f % 2 ? "purple_light" : "green_light"));
        rectfill(b, x + 12, 9, x + 17, 12, col("visor"));
        if (f >= 2) // cracked visor, helmet dented
            line(b, x + 13, 9, x + 16, 12, col("outline"));
        rectfill(b, x + 8, 16, x + 14, 19, col("blood"));
        putpixel(b, x + 10, 20, col("blood_dark"));
        putpixel(b, x + 13, 20, col("blood"));
        rectfill(b, x + 12, 13, x + 15, 15, col("skin"));
    }
    outlineSprite(b, col("outline"));
    return b;
}

BITMAP *cubeFrazzle()
{
    BITMAP *b = newPic(105, 17);
    seedRand(24);
    for (int f = 0; f < 5; f++) {
        int cx = f * 21 + 10, cy = 8;
        float r = 2 + f * 2;
        int c = f < 3 ? col("cube_light") : col("cube_main");
        for (int k = 0; k < 8; k++) {
            float a = k * PI / 4 + f * 0.3f;
            float x1 = cx + std::cos(a) * r * 0.4f, y1 = cy + std::sin(a) * r * 0.4f;
            float x2 = cx + std::cos(a) * r, y2 = cy + std::sin(a) * r;
            line(b, (int)x1, (int)y1, (int)x2, (int)y2, c);
        }
        if (f < 2)
            circlefill(b, cx, cy, 2 - f, col("white"));
    }
    return b;
}

BITMAP *cubePips()
{
    BITMAP *b = newPic(12, 13);
    for (int k = 0; k < 4; k++)
        for (int n = 0; n < k; n++)
            rectfill(b, k * 3, 10 - n * 5, k * 3 + 2, 12 - n * 5, col("cube_light"));
    return b;
}

BITMAP *flames(int w, int h, int frames, unsigned seed)
{
    // each frame: a wavering body in three heats plus loose tongues licking upwards
    BITMAP *b = newPic(w * frames, h);
    BITMAP *one = newPic(w, h); // each frame on its own, so nothing spills into the next
    seedRand(seed);
    for (int f = 0; f < frames; f++) {
        clear_to_color(one, MASK);
        const int x0 = 0;
        float phase = f * 2 * PI / frames + frnd();
        float sway = std::sin(phase) * w * 0.1f;
        for (int layer = 0; layer < 3; layer++) {
            int c = col(layer == 0 ? "flame_red" : layer == 1 ? "flame_orange" : "flame_yellow");
            float rw = w * (0.45f - layer * 0.12f);
            float top = h * (0.15f + layer * 0.18f) + rnd(3) - 1;
            for (int y = (int)top; y < h; y++) {
                float t = (y - top) / (h - top);
                float wobble = 1 + 0.18f * std::sin(t * 9 + phase * 2 + layer);
                float half = rw * std::sqrt(t) * wobble;
                float cx = x0 + w / 2.0f + sway * (1 - t);
                if (half >= 0.5f)
                    hline(one, (int)(cx - half + 0.5f), y, (int)(cx + half - 0.5f), c);
                else
                    putpixel(one, (int)cx, y, c);
            }
        }
        for (int k = 0; k < 2; k++) {
            float tx = x0 + w * (0.3f + 0.4f * frnd());
            float ty = h * (0.05f + 0.2f * frnd());
            thickLine(one, tx, ty, x0 + w / 2.0f + sway, h * 0.45f, w > 10 ? 1.2f : 0.5f,
                      col("flame_orange"));
        }
        blit(one, b, 0, 0, f * w, 0, w, h);
    }
    destroy_bitmap(one);
    return b;
}

BITMAP *tvStatic()
{
    // sparse snow and a couple of rolling bars: mostly mask so the monitor shows through
    BITMAP *b = newPic(540, 40);
    seedRand(130);
    for (int f = 0; f < 6; f++) {
        for (int k = 0; k < 110; k++) {
            int x = f * 90 + rnd(90), y = rnd(40);
            int l = 120 + rnd(136);
            putpixel(b, x, y, rgb(l, l, l));
        }
        int bar = (f * 7) % 40;
        for (int x = 0; x < 90; x += 2)
            putpixel(b, f * 90 + x + (bar & 1), bar, col("static_bar"));
    }
    return b;
}

} // namespace

BITMAP *makeItemSheet(int entry)
{
    switch (entry) {
    case 17: return flames(8, 8, 8, 17);
    case 24: return cubeFrazzle();
    case 25: return cubePips();
    case 26: return heads();
    case 65: return healthBars("purple_light");
    case 66: return healthBars("green_light");
    case 67: return healthBars("white");
    case 90: return mines();
    case 130: return tvStatic();
    case 151: return flames(24, 40, 8, 151);
    }
    fprintf(stderr, "gendata: no item sheet for entry %d\n", entry);
    exit(1);
}

// Booth: frame 0 the front (drawn over the fighter: frame, HUD panel, glass edges, base),
// frame 1 the back wall of the chamber (painted into the arena). No team colour.
BITMAP *makeBooths()
{
    BITMAP *b = newPic(194, 131);
    int metal = col("booth_metal"), dark = col("booth_dark"), light = col("booth_light");
    int glass = col("booth_glass"), panel = col("hud_panel");
    // front
    rectfill(b, 4, 0, 92, 18, metal);              // roof
    hline(b, 4, 0, 92, light);
    rectfill(b, 10, 4, 86, 6, dark);
    for (int k = 0; k < 6; k++)
        putpixel(b, 14 + k * 14, 12, col("lamp_glow"));
    rectfill(b, 26, 19, 70, 41, dark);              // HUD screen frame
    rectfill(b, 28, 20, 68, 40, panel);
    rectfill(b, 4, 19, 24, 119, metal);              // left pillar
    rectfill(b, 72, 19, 92, 119, metal);             // right pillar
    vline(b, 5, 19, 119, light);
    vline(b, 73, 19, 119, light);
    for (int y = 30; y < 115; y += 12) {
        hline(b, 8, y, 20, dark);
        hline(b, 76, y, 88, dark);
    }
    // glass of the chamber: edges and a few glints, the middle left see-through
    vline(b, 25, 42, 119, glass);
    vline(b, 71, 42, 119, glass);
    for (int k = 0; k < 5; k++)
        line(b, 30 + k, 50 + k * 14, 36 + k, 44 + k * 14, glass);
    // emitter pad the respawning soldier stands on (his feet end at row 105)
    rectfill(b, 25, 106, 71, 119, dark);
    rectfill(b, 27, 106, 69, 108, col("beam"));
    hline(b, 27, 106, 69, col("white"));
    for (int x = 30; x < 68; x += 6)
        rectfill(b, x, 112, x + 2, 116, col("booth_glass"));
    rectfill(b, 0, 120, 96, 130, metal);             // base plate
    hline(b, 0, 120, 96, light);
    for (int x = 4; x < 96; x += 8)
        rectfill(b, x, 124, x + 3, 127, col("hazard_yellow"));
    rect(b, 0, 0, 96, 130, MASK);
    // back
    int bx = 97;
    rectfill(b, bx + 6, 8, bx + 90, 124, col("booth_back"));
    for (int y = 14; y < 120; y += 10)
        hline(b, bx + 8, y, bx + 88, dark);
    rectfill(b, bx + 28, 45, bx + 68, 115, col("booth_chamber"));
    for (int k = 0; k < 4; k++)
        circle(b, bx + 48, 80, 8 + k * 6, col("beam"));
    for (int k = 0; k < 4; k++) // glow rising from the pad
        hline(b, bx + 30 + k * 2, 104 - k * 3, bx + 66 - k * 2, mixCol(col("booth_chamber"), col("beam"), 200 - k * 50));
    return b;
}

// Drawn over both booths in the training hall: at the green booth's corner, and mirrored 23 px
// right of the purple booth's, so 74 px wide lines up with both booth fronts.
BITMAP *makeTutorialBooth()
{
    BITMAP *b = makeBooths();
    BITMAP *f = newPic(74, 131);
    blit(b, f, 0, 0, 0, 0, 74, 131);
    destroy_bitmap(b);
    // a hazard stripe across the roof; no lettering, since the purple side shows it mirrored
    rectfill(f, 6, 7, 70, 16, col("hazard_yellow"));
    set_clip_rect(f, 6, 7, 70, 16);
    for (int x = 8; x < 68; x += 8) {
        int bar[8] = {x, 16, x + 4, 16, x + 8, 7, x + 4, 7};
        polygon(f, 4, bar, col("hazard_black"));
    }
    set_clip_rect(f, 0, 0, f->w - 1, f->h - 1);
    return f;
}
