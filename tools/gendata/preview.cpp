// Looking at the pictures: a scene of both soldiers in every pose with their weapons placed
// at the game's gun anchors, once at full size and once halved as the player sees it.
#include "tools/gendata/gen.h"

#include <cstdio>

namespace {

struct PoseShot {
    int bx, by, bw, bh; // body frame in the fighter sheet
    int dy;             // drawn this much lower (crouch)
    int ax, ay;         // gun anchor from the body's top-left, facing right
    int axLeft;         // anchor x facing left
    int pose;           // weapon column 0..4
    bool mirrorBody, mirrorArm, neverMirror;
};

const PoseShot SHOTS[] = {
    {0, 0, 33, 48, 0, 2, 19, -8, 0, false, false, false},       // standing
    {33 * 2, 48, 33, 48, 0, 11, 18, -15, 0, false, false, false}, // running
    {33 * 4, 48, 33, 48, 0, 11, 26, -15, 0, false, false, false},
    {33 * 7, 48, 33, 48, 0, 4, 16, -8, 0, false, false, false},
    {0, 96, 33, 48, 0, 2, 17, -8, 0, false, false, false},       // jump
    {33, 96, 33, 48, 0, -17, 14, 11, 2, false, true, false},     // wall grab
    {66, 114, 33, 31, 18, 6, 27, -12, 0, false, false, false},   // crouch
    {99 + 49, 96, 49, 48, 0, 8, 30, 0, 3, false, false, false},  // slide
    {297, 96, 33, 48, 0, 0, 26, -14, 4, false, false, false},    // knocked flat
    {33 * 2, 144, 33, 48, 0, -4, 17, -4, 1, false, false, true}, // climbing
};

void drawShot(BITMAP *dst, BITMAP *body, BITMAP *arms, int weapon, const PoseShot &s, int x,
              int y, bool left)
{
    BITMAP *f = create_bitmap_ex(16, s.bw, s.bh);
    blit(body, f, s.bx, s.by, 0, 0, s.bw, s.bh);
    BITMAP *a = create_bitmap_ex(16, 38, 20);
    blit(arms, a, s.pose * 38, (weapon - 1) * 20, 0, 0, 38, 20);
    bool flipBody = left && !s.neverMirror;
    if (flipBody)
        draw_sprite_h_flip(dst, f, x, y + s.dy);
    else
        draw_sprite(dst, f, x, y + s.dy);
    int ax = x + (left ? s.axLeft : s.ax), ay = y + s.ay;
    bool flipArm = s.neverMirror ? false : (left != s.mirrorArm);
    if (flipArm)
        draw_sprite_h_flip(dst, a, ax, ay);
    else
        draw_sprite(dst, a, ax, ay);
    destroy_bitmap(a);
    destroy_bitmap(f);
}

} // namespace

bool writeScenePreview(const char *path)
{
    const int n = sizeof SHOTS / sizeof SHOTS[0];
    BITMAP *scene = newPic(n * 70 + 640, 5 * 70 + 20, col("page"));
    struct { int body, arms; } teams[2] = {{101, 6}, {102, 5}};
    for (int t = 0; t < 2; t++)
        for (int left = 0; left < 2; left++)
            for (int i = 0; i < n; i++) {
                int weapon = 1 + (i + t * 3) % 7;
                drawShot(scene, generatedPicture(teams[t].body), generatedPicture(teams[t].arms),
                         weapon, SHOTS[i], 20 + i * 70, 10 + (t * 2 + left) * 70, left);
            }
    // firing: every weapon standing, facing right then left, with its muzzle flashes at the
    // drawing code's offsets from the gun anchor (2, 19) / (-8, 19)
    struct Flash { int weapon, entry, rx, ry, lx, ly; };
    const Flash flashes[] = {{1, 53, 30, 0, -15, 0}, {2, 99, 36, -6, -26, -6},
                             {5, 91, 32, 3, -18, 3}, {7, 53, 38, -5, -20, -5},
                             {7, 53, 23, 0, -5, 0}};
    for (int left = 0; left < 2; left++)
        for (int w = 1; w <= 7; w++) {
            int x = 20 + (w - 1) * 90 + left * 640, y = 4 * 70 + 10;
            if (scene->h < y + 60)
                break;
            drawShot(scene, generatedPicture(101), generatedPicture(6), w, SHOTS[0], x, y, left);
            for (const Flash &f : flashes) {
                if (f.weapon != w)
                    continue;
                BITMAP *fl = generatedPicture(f.entry);
                if (left)
                    draw_sprite_h_flip(scene, fl, x - 8 + f.lx, y + 19 + f.ly);
                else
                    draw_sprite(scene, fl, x + 2 + f.rx, y + 19 + f.ry);
            }
        }
    BITMAP *out = newPic(scene->w + scene->w / 2, scene->h, col("page"));
    blit(scene, out, 0, 0, 0, 0, scene->w, scene->h);
    stretch_blit(scene, out, 0, 0, scene->w, scene->h, scene->w, 0, scene->w / 2, scene->h / 2);
    bool ok = save_bmp(path, out, nullptr) == 0;
    destroy_bitmap(out);
    destroy_bitmap(scene);
    return ok;
}

// The green booth of each arena as the game layers it: background, booth back (Hell and
// London paint it into the arena), a soldier in mid-respawn, the booth front and the HUD
// panel's place, plus the monitor; full size and halved.
bool writeBoothPreview(const char *path)
{
    struct { int bg, bx, by; bool back; } arenas[3] = {
        {155, 15, 1037, false}, {68, 15, 581, true}, {84, 15, 861, true}};
    BITMAP *scene = newPic(3 * 330, 200, col("page"));
    for (int a = 0; a < 3; a++) {
        BITMAP *bg = generatedPicture(arenas[a].bg), *booths = generatedPicture(14);
        int ox = a * 330, sx = arenas[a].bx - 10, sy = arenas[a].by - 40;
        blit(bg, scene, sx, sy, ox, 0, 320, 200);
        int bx = ox + 10, by = 40;
        if (arenas[a].back)
            masked_blit(booths, scene, 97, 0, bx + 1, by + 2, 97, 131);
        masked_blit(generatedPicture(101), scene, 33 * (6 + a * 4), 192, bx + 32, by + 57, 33, 48);
        masked_blit(booths, scene, 0, 0, bx, by, 97, 131);
        if (a == 0)
            masked_blit(generatedPicture(157), scene, 0, 0, bx, by, 74, 131);
        masked_blit(generatedPicture(66), scene, 37 * 9, 0, bx + 29, by + 37, 37, 2);
        for (int d = 0; d < 3; d++)
            masked_blit(generatedPicture(29), scene, 8 * (1 + d * 4), 0, bx + 39 + d * 8, by + 22, 8, 13);
        masked_blit(generatedPicture(25), scene, 3 * 2, 0, bx + 30, by + 21, 3, 13);
        masked_blit(generatedPicture(130), scene, 0, 0, bx + 113, by + 3, 90, 40);
        masked_blit(generatedPicture(4), scene, 0, 0, bx + 113, by + 3, 90, 20);
        masked_blit(generatedPicture(3), scene, 25 * 6, 0, bx + 115, by + 23, 25, 19);
    }
    BITMAP *out = newPic(scene->w, scene->h + scene->h / 2, col("page"));
    blit(scene, out, 0, 0, 0, 0, scene->w, scene->h);
    stretch_blit(scene, out, 0, 0, scene->w, scene->h, 0, scene->h, scene->w / 2, scene->h / 2);
    bool ok = save_bmp(path, out, nullptr) == 0;
    destroy_bitmap(out);
    destroy_bitmap(scene);
    return ok;
}

// A busy moment on each arena, halved as on an 800x600 display: soldiers, shots, pick-ups,
// mines, an explosion and gore over the background, to judge what reads at that size.
bool writeArenaScenePreview(const char *path)
{
    const int bgs[3] = {155, 68, 84};
    const int floorY[3] = {1037 + 131, 581 + 131, 861 + 131};
    BITMAP *out = newPic(3 * 400, 300, col("page"));
    for (int a = 0; a < 3; a++) {
        BITMAP *s = create_bitmap_ex(16, 800, 600);
        int top = floorY[a] - 450;
        blit(generatedPicture(bgs[a]), s, 0, top, 0, 0, 800, 600);
        int fy = 450 - 48; // soldiers standing on the booth floor line
        masked_blit(generatedPicture(14), s, 0, 0, 15, fy - 83, 97, 131);
        drawShot(s, generatedPicture(101), generatedPicture(6), 1 + a, SHOTS[1], 220, fy, false);
        drawShot(s, generatedPicture(102), generatedPicture(5), 4 + a, SHOTS[0], 420, fy, true);
        draw_sprite(s, generatedPicture(16), 270, fy + 26);
        draw_sprite(s, generatedPicture(98), 330, fy + 22);
        draw_sprite(s, generatedPicture(23), 520, fy + 37);
        draw_sprite(s, generatedPicture(105), 560, fy + 34);
        masked_blit(generatedPicture(90), s, 14, 8, 600, fy + 40, 14, 8);
        draw_sprite(s, generatedPicture(10), 640, fy + 34);
        BITMAP *ex = generatedPicture(42);
        draw_sprite(s, ex, 700 - ex->w / 2, fy + 10 - ex->h / 2);
        masked_blit(generatedPicture(26), s, 22, 0, 480, fy + 26, 22, 22);
        draw_sprite(s, generatedPicture(152), 505, fy + 36);
        draw_sprite(s, generatedPicture(115), 460, fy + 41);
        for (int k = 0; k < 6; k++)
            draw_sprite(s, generatedPicture(8), 470 + k * 9, fy + 45 - (k % 3) * 5);
        stretch_blit(s, out, 0, 0, 800, 600, a * 400, 0, 400, 300);
        destroy_bitmap(s);
    }
    bool ok = save_bmp(path, out, nullptr) == 0;
    destroy_bitmap(out);
    return ok;
}

// Every picture of the data file on one page (the backgrounds shrunk to a quarter), each
// with its entry number, on the title screen's page colour.
bool writeContactSheet(const char *path)
{
    const int pageW = 2000;
    int x = 8, y = 8, rowH = 0;
    // first pass measures, second draws
    BITMAP *page = nullptr;
    for (int pass = 0; pass < 2; pass++) {
        x = 8;
        y = 8;
        rowH = 0;
        for (int e = 0; e < 167; e++) {
            BITMAP *p = generatedPicture(e);
            if (!p)
                continue;
            int k = p->w >= 1600 ? 4 : 1;
            int w = p->w / k, h = p->h / k;
            if (w > pageW - 16) {
                k = (p->w + pageW - 17) / (pageW - 16);
                w = p->w / k;
                h = p->h / k;
            }
            if (x + w > pageW - 8) {
                x = 8;
                y += rowH + 14;
                rowH = 0;
            }
            if (page) {
                char num[8];
                snprintf(num, sizeof num, "%d", e);
                textout_ex(page, font, num, x, y, col("hint_title"), -1);
                if (k == 1)
                    draw_sprite(page, p, x, y + 10);
                else
                    stretch_sprite(page, p, x, y + 10, w, h);
            }
            x += (w > 24 ? w : 24) + 8;
            if (h + 10 > rowH)
                rowH = h + 10;
        }
        if (!page)
            page = newPic(pageW, y + rowH + 16, col("page"));
    }
    bool ok = save_bmp(path, page, nullptr) == 0;
    destroy_bitmap(page);
    return ok;
}

// The end splash with every picture shown, at the positions and in the order it draws
// them, halved.
bool writeEndSplashPreview(const char *path)
{
    const struct { int entry, x, y; } parts[] = {
        {159, 182, 29}, {9, 1094, 654}, {129, 87, 210}, {166, 99, 743}, {1, 1094, 72},
        {154, 274, 743}, {82, 1219, 273}, {15, 1094, 277}, {94, 731, 764}, {162, 690, 832},
        {83, 591, 360}, {49, 687, 430}};
    BITMAP *page = newPic(1600, 1200, col("page"));
    for (const auto &p : parts)
        draw_sprite(page, generatedPicture(p.entry), p.x, p.y);
    BITMAP *out = newPic(800, 600);
    stretch_blit(page, out, 0, 0, 1600, 1200, 0, 0, 800, 600);
    bool ok = save_bmp(path, out, nullptr) == 0;
    destroy_bitmap(out);
    destroy_bitmap(page);
    return ok;
}
