#include "frontend/comic.h"

#include <allegro.h>
#include <stdlib.h>

#include <initializer_list>

#include "arena/effects.h"
#include "core/assets.h"
#include "core/match.h"
#include "core/rands.h"
#include "core/settings.h"
#include "core/world.h"
#include "frontend/premap.h"
#include "frontend/screen.h"

MangaPanel *manga[MANGA_COUNT];
EffectParticle *mangaBit[MANGABIT_COUNT];
int mangaOneX = 0, mangaOneSpeed = 20;

void setupManga()
{
    clearRecords(manga);
    clearRecords(mangaBit);
}

void stopManga()
{
    for (MangaPanel *p : manga)
        p->active = 0;
    for (EffectParticle *e : mangaBit)
        e->active = 0;
}

void spawnManga(int x, int y, int side, int speed, int step)
{
    MangaPanel *p = takeFreeRecord(manga);
    if (!p)
        return;
    p->x = x;
    p->y = y;
    p->side = side;
    p->speed = speed;
    p->step = step;
    p->flip = rand() % 2;
}

int spawnMangaBit(int x, int y, int speedX, int speedY, int red, int green, int blue,
                  int direction, int w, int h)
{
    EffectParticle *e = takeFreeRecord(mangaBit);
    if (!e)
        return 0;
    e->x = x;
    e->y = y;
    e->speedX = speedX;
    e->speedY = speedY;
    e->red = red;
    e->green = green;
    e->blue = blue;
    e->direction = direction;
    e->w = w;
    e->h = h;
    return 1;
}

// The arguments come from rand() in a fixed order (r[0] first) so a seeded run streaks the
// same way every time. 1 when the streak found a free record.
enum { LEFT_STREAK_RANDS = 6, RIGHT_STREAK_RANDS = 8 };

static int spawnLeftStreak(int x0, int y0, const int *r)
{
    int y = y0 - 20 + r[0] % 120;
    int speed = r[1] % 100 + 40;
    int g = r[2] % 20 + 138;
    int b = r[3] % 20 + 106;
    int w = r[4] % 90 + 100;
    int h = r[5] % 18 + 2;
    return spawnMangaBit(x0 + 483, y, speed, 0, 113, g, b, 0, w, h);
}

static int spawnRightStreak(int x1, int y1, const int *r)
{
    int x = x1 - 50 - r[0] % 100;
    int y = y1 - 20 + r[1] % 120;
    int speed = r[2] % 100 + 40;
    int red = r[3] % 20 + 136;
    int g = r[4] % 18 + 129;
    int b = r[5] % 18 + 137;
    int w = r[6] % 90 + 100;
    int h = r[7] % 18 + 2;
    return spawnMangaBit(x, y, speed, 0, red, g, b, 1, w, h);
}

void updateMangaBit()
{
    for (EffectParticle *e : mangaBit) {
        if (!e->active)
            continue;
        if (e->direction == 0) {
            e->x -= e->speedX;
            if (e->x < 0)
                e->active = 0;
        } else {
            e->x += e->speedX;
            if (e->x > manga[1]->x + 410)
                e->active = 0;
        }
    }
}

// Where each panel rests, where it hides while the information picture is up, and which
// way it slides out.
struct PanelTrack {
    int rest;
    int outward;   // -1 slides out to the left, +1 to the right
    int hidden;    // it slides out while it has not passed this x
};
static const PanelTrack panelTrack[2] = {{300, -1, -700}, {900, +1, 1900}};

static void slidePanel(MangaPanel *p, int outwards)
{
    const PanelTrack &t = panelTrack[p->side != 0];
    if (outwards) {
        if (t.outward < 0 ? p->x > t.hidden : p->x < t.hidden)
            p->x += 90 * t.outward;
    } else {
        if (p->x < t.rest)
            p->x += p->speed;
        if (p->x > t.rest)
            p->x -= p->speed;
    }
    if (p->y < 250)
        p->x += p->step;
    if (p->y > 250)
        p->x -= p->step;
}

void updateManga()
{
    // Every streak's values are drawn whether or not it finds a record; once the pool is
    // full no later streak of this frame can find one.
    enum { PER_PAIR = LEFT_STREAK_RANDS + RIGHT_STREAK_RANDS };
    static int rands[MANGABIT_COUNT * PER_PAIR];
    takeRands(rands, MANGABIT_COUNT * PER_PAIR);
    int room = 1;
    for (int i = 0; i < MANGABIT_COUNT && room; i++) {
        const int *r = rands + i * PER_PAIR;
        room = spawnLeftStreak(manga[0]->x, manga[0]->y, r) &&
               spawnRightStreak(manga[1]->x, manga[1]->y, r + LEFT_STREAK_RANDS);
    }
    updateMangaBit();
    const int outwards = overinfo;
    for (MangaPanel *p : manga)
        if (p->active == 1)
            slidePanel(p, outwards);
}

void drawMangaBit()
{
    for (EffectParticle *e : mangaBit) {
        if (!e->active)
            continue;
        if (e->direction == 0 ? e->x < 800 : e->x > 800) {
            int x = (int)e->x, y = (int)e->y;
            fillRect(buffer, x, y, x + e->w, y + e->h, makecol(e->red, e->green, e->blue));
        }
    }
}

// A panel's colours: base, bands, page.
struct PanelLook {
    int base[3], band[3], page[3];
};
static const PanelLook panelLook[2] = {{{113, 138, 106}, {131, 156, 124}, {115, 154, 107}},
                                       {{136, 129, 137}, {153, 147, 154}, {148, 142, 149}}};

static int colourOf(const int c[3]) { return makecol(c[0], c[1], c[2]); }

static void drawPanelBase(const MangaPanel *p)
{
    const PanelLook &look = panelLook[p->side != 0];
    const int x = p->x, y = p->y;
    fillRect(buffer, x, y, x + 483, y + 120, colourOf(look.base));
    fillRect(buffer, x, y + 40, x + 483, y + 90, colourOf(look.band));
    fillRect(buffer, x, y + 102, x + 483, y + 109, colourOf(look.band));
}

// Covers the top of a 400-pixel gauge so that only its lowest `shown` pixels remain.
static void coverGauge(int x0, int x1, int top, int covered, int background)
{
    if (covered > 0)
        fillRect(buffer, x0, top, x1, top + covered, background);
}

static void drawPagesAndGauges(const MangaPanel *left, const MangaPanel *right)
{
    const int white = makecol(255, 255, 255);
    const int bg = makecol(30, 20, 33);
    const int g3 = colourOf(panelLook[0].page), p3 = colourOf(panelLook[1].page);
    const int x0 = left->x, y0 = left->y, x1 = right->x, y1 = right->y;
    for (const MangaPanel *p : {left, right}) {
        rect(buffer, p->x, p->y, p->x + 398, p->y + 120, white);
        rect(buffer, p->x + 1, p->y + 1, p->x + 397, p->y + 119, white);
    }
    fillRect(buffer, x0 - 87, y0 - 162, x0 + 165, y0 - 1, g3);
    fillRect(buffer, x0 - 87, y0 - 162, x0 - 1, y0 + 556, g3);
    fillRect(buffer, x0 - 1, y0 + 121, x0 + 165, y0 + 556, g3);
    fillRect(buffer, x1 + 236, y1 - 162, x1 + 487, y1 - 1, p3);
    fillRect(buffer, x1 + 400, y1 - 1, x1 + 487, y1 + 556, p3);
    fillRect(buffer, x1 + 236, y1 + 121, x1 + 401, y1 + 556, p3);
    if (p2cpu == 1)
        fillRect(buffer, x1 + 236, y1 + 122, x1 + 431, y1 + 170, p3);
    for (int k = 0; k < 10; k++) {
        fillRect(buffer, x0 + 183, y0 + 169 + 40 * k, x0 + 212, y0 + 197 + 40 * k, g3);
        fillRect(buffer, x1 + 190, y1 + 169 + 40 * k, x1 + 218, y1 + 197 + 40 * k, p3);
    }
    if (GreenPercentage != 100)
        coverGauge(x0 + 183, x0 + 212, y0 + 169, 4 * (100 - GreenPercentage), bg);
    if (p2cpu == 0 && PurplePercentage != 100)
        coverGauge(x1 + 188, x1 + 218, y1 + 169, 4 * (100 - PurplePercentage), bg);
    if (p2cpu == 1 && AIcomp == 2)
        fillRect(buffer, x1 + 190, y1 + 169, x1 + 218, y1 + 367, bg);
    if (p2cpu == 1 && AIcomp == 1)
        fillRect(buffer, x1 + 190, y1 + 169, x1 + 218, y1 + 525, bg);
}

// Run-length copies of the two comic pictures, remade for each pre-screen: drawn every
// frame, they skip the pictures' transparent runs instead of testing every pixel (the
// library's own fast path for such pictures, putting the same pixels).
static RLE_SPRITE *mangaRuns[2];

void makeMangaRuns(int make)
{
    BITMAP *const pics[2] = {mangaOne, mangaTwo};
    for (int i = 0; i < 2; i++) {
        if (mangaRuns[i])
            destroy_rle_sprite(mangaRuns[i]);
        mangaRuns[i] = make && pics[i] ? get_rle_sprite(pics[i]) : NULL;
    }
}

static void putMangaPicture(int i, BITMAP *pic, int x, int y)
{
    if (mangaRuns[i])
        draw_rle_sprite(buffer, mangaRuns[i], x, y);
    else
        putPicture(pic, x, y);
}

int mangaCoversRowsTo()
{
    const int y0 = manga[0]->y;
    if (!manga[0]->active)
        return -1;
    return y0 < 0 ? 0 : y0 > PLAYFIELD_H - 1 ? PLAYFIELD_H - 1 : y0;
}

void drawManga()
{
    MangaPanel *left = manga[0], *right = manga[1];
    const int bg = makecol(30, 20, 33);
    const int x0 = left->x, y0 = left->y, x1 = right->x, y1 = right->y;
    set_clip_rect(buffer, 0, 0, PLAYFIELD_W - 1, PLAYFIELD_H - 1);
    for (MangaPanel *p : manga)
        if (p->active)
            drawPanelBase(p);
    drawMangaBit();
    // The page colour over everything around the panels. The strips left of the left panel
    // and right of the right one are painted again once the pictures are in, so here only
    // where the second painting will not cover them.
    if (left->active) {
        fillRect(buffer, 0, 0, 1600, y0, bg);
        fillRect(buffer, x0 + 400, y0, x1, y1 + 600, bg);
        if (y1 != y0)
            fillRect(buffer, x1 + 400, y1, 1600, y1 + 600, bg);
        fillRect(buffer, 1600, y1, x1 - 150, y1 - 150, bg);
    }
    putMangaPicture(0, mangaOne, x0 + mangaOneX - 120, y0);
    putMangaPicture(1, mangaTwo, x1 - mangaOneX + 230, y1);
    fillRect(buffer, 0, y0, x0, y0 + 600, bg);
    fillRect(buffer, x1 + 400, y0, 1600, y0 + 600, bg);
    if (left->active && mangaOneSpeed > 0 && x0 > 100) {
        mangaOneX += mangaOneSpeed;
        mangaOneSpeed -= 1;
    }
    if (left->active)
        drawPagesAndGauges(left, right);
}
