#include "shell/render.h"

#include <allegro.h>
#include <stdlib.h>

#include "ai/tutorial.h"
#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/levels.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "core/assets.h"
#include "core/fighter.h"
#include "core/quickdraw.h"
#include "core/shots.h"
#include "core/world.h"
#include "fighters/bombs.h"
#include "fighters/drawfighter.h"
#include "gore/gore.h"
#include "shell/hud.h"
#include "shell/loop.h"
#include "shell/startup.h"


// Most pools are drawn index-major: element i of every pool of a pass before element i + 1
// of any, so within one index a later pool covers an earlier one.
enum { PASS_BOUND = 80 };

static void putMirrored(BITMAP *pic, int x, int y)
{
    if (pic)
        draw_sprite_h_flip(buffer, pic, x, y);
}

static void putFacing(BITMAP *pic, int x, int y, int direction)
{
    if (direction == FACING_RIGHT)
        putPicture(pic, x, y);
    else if (direction == FACING_LEFT)
        putMirrored(pic, x, y);
}

template <class Record, int N>
static Record *slot(Record *(&pool)[N], int i)
{
    return i < N ? pool[i] : NULL;
}

static int liveAt(const Projectile *p)
{
    return p && p->active != 0;
}

static int inSideMargins(double x, double y)
{
    return y > 4 && x > 4 && x < 1596;
}

// A bolt: four lines from the start through its three corners to its end.
static void drawBolt(const EffectParticle *e)
{
    const int x = (int)e->x, y = (int)e->y;
    const int *p = e->points;
    line(buffer, x, y, p[0], p[1], e->colour);
    line(buffer, p[0], p[1], p[2], p[3], e->colour);
    line(buffer, p[2], p[3], p[4], p[5], e->colour);
    line(buffer, p[4], p[5], p[6], p[7], e->colour);
}

static int boltShown(const EffectParticle *e, int minY)
{
    return e && e->active != 0 && e->y > minY && e->x > 4 && e->x < 1596;
}

static void drawLightningPool(EffectParticle **pool, int count, int minY)
{
    for (int i = 0; i < count; i++)
        if (boltShown(pool[i], minY))
            drawBolt(pool[i]);
}

// The library's filled circle, also for the negative radii of small particles' inner
// circles. The library draws radius -r as a small cross (the run x - r .. x + r on row y and
// one pixel r above and r below its middle), but judges whether to clip it by a box that
// misses the arms; the same cross is drawn here, clipped like any other run and pixel.
static void fillCircle(int x, int y, int radius, int colour)
{
    if (radius >= 0) {
        circlefill(buffer, x, y, radius, colour);
        return;
    }
    const int arm = -radius;
    hline(buffer, x - arm, y, x + arm, colour);
    putpixel(buffer, x, y - arm, colour);
    putpixel(buffer, x, y + arm, colour);
}

static void drawRespawnBubble(const EffectParticle *e)
{
    const int x = (int)e->x, y = (int)e->y;
    circlefill(buffer, x, y, e->size, makecol(160, 0, 0));
    fillCircle(x, y, e->size - 3, makecol(255, 0, 0));
    putpixel(buffer, x + 2, y - 1, makecol(255, 255, 255));
}

static void drawRespawnBubbles(int side)
{
    for (int i = 0; i < RESPAWNBUBBLE_COUNT; i++) {
        EffectParticle *e = respawnbubble[i];
        if (e && e->active != 0 && (side ? e->side != 0 : e->side == 0))
            drawRespawnBubble(e);
    }
}

static void drawBlueFlames()
{
    for (int i = 0; i < BLUEFLAME_COUNT; i++) {
        FlameParticle *f = blueflame[i];
        if (!f || f->active != 1)
            continue;
        circlefill(buffer, f->x, f->y, f->size, packColour(f->red, f->green, f->blue));
        if (f->green > 20)
            circlefill(buffer, f->x, f->y, f->size / 2,
                       packColour(f->red, f->green - 20, f->blue));
    }
}

static void drawBackPass()
{
    for (int i = 0; i < PASS_BOUND; i++) {
        EffectParticle *e = slot(lightning, i);
        if (boltShown(e, 4))
            drawBolt(e);
        e = slot(respawnbubble, i);
        if (e && e->active != 0 && e->side == 0)
            drawRespawnBubble(e);
    }
}

static void drawFighters()
{
    if (player2->slowed == 0)
        drawPlayer2();
    if (player->slowed == 0)
        drawPlayer();
    if (player2->slowed == 1)
        drawGreyPlayer2();
    if (player->slowed == 1)
        drawGreyPlayer();
}

static void drawCasingPass()
{
    for (int i = 0; i < PASS_BOUND; i++) {
        DebrisParticle *d = slot(gibcasing, i);
        if (d && d->active != 0)
            drawTurned(buffer, gibcasing_image, (int)d->x, (int)d->y, d->angle);
        d = slot(zapzapcasing, i);
        if (d && d->active != 0)
            drawTurned(buffer, zapzapcasing_image, (int)d->x, (int)d->y, d->angle);
        d = slot(homocasing, i);
        if (d && d->active != 0)
            drawTurned(buffer, homocasing_image, (int)d->x, (int)d->y, d->angle);
    }
}

static void drawBooths()
{
    putPicture(greenbooth[0], (int)booth->x, (int)booth->y);
    putMirrored(purplebooth[0], (int)booth2->x, (int)booth2->y);
    if (map == SCREEN_TUTORIAL) {
        putPicture(tutorialBooth, (int)booth->x, (int)booth->y);
        putMirrored(tutorialBooth, (int)(booth2->x + 23), (int)booth2->y);
    }
}

static void drawShot(const Projectile *p, BITMAP *pic)
{
    if (liveAt(p))
        putFacing(pic, (int)p->x, (int)p->y, p->direction);
}

// A blaster bolt: its ball, and ten crackling lines to fighter 1.
static void drawBlasterBolt(const Projectile *p)
{
    const int x = (int)p->x, y = (int)p->y;
    circlefill(buffer, x, y, p->life / 10, p->colour);
    for (int k = 0; k < 10; k++) {
        const int tx = player->x + rand() % 33;
        const int ty = player->y + rand() % 48;
        line(buffer, x, y, tx, ty, p->colour);
    }
}

static void drawTrailPuff(const TrailPuff *t)
{
    circlefill(buffer, t->x, t->y, t->size, packColour(t->red, t->green, t->blue));
    const int dy = rand() % 3 - 2;
    const int dx = rand() % 3 - 2;
    circlefill(buffer, t->x + dx, t->y + dy, t->size / 2,
               packColour(t->red - 20, t->green - 20, t->blue - 20));
}

static void drawShotPass()
{
    for (int i = 0; i < PASS_BOUND; i++) {
        drawShot(slot(bullet, i), bullet_image);
        drawShot(slot(bullet2, i), bullet_image);
        drawShot(slot(plasma, i), plasma_image);
        drawShot(slot(plasma2, i), plasma_image);
        drawShot(slot(homorocket, i), greenhomo_image);
        drawShot(slot(homorocket2, i), purplehomo_image);
        drawShot(slot(mummrathruster, i), greenmummra_image);
        drawShot(slot(mummrathruster2, i), purplemummra_image);
        Projectile *b = slot(blaster, i);
        if (liveAt(b))
            drawBlasterBolt(b);
        TrailPuff *t = slot(homotrail, i);
        if (t && t->active != 0)
            drawTrailPuff(t);
        EffectParticle *l = slot(lazer, i);
        if (l && l->active != 0)
            triangle(buffer, (int)l->x, (int)l->y, l->points[0], l->points[1], l->points[0],
                     l->points[1] - 5, l->colour);
    }
}

static BITMAP *minePicture(const Mine *m)
{
    const int frame = m->blinkFrame < 0 ? 0 : m->blinkFrame > 8 ? 8 : m->blinkFrame;
    switch (m->owner) {
    case TEAM_NEUTRAL: return mine_image[frame];
    case TEAM_GREEN: return mine_green_image[frame];
    case TEAM_PURPLE: return mine_purple_image[frame];
    }
    return NULL;
}

// A spark's figure: its pixel and the three lines back along its trail.
static void drawSparkFigure(const EffectParticle *e, int colour)
{
    const int x = (int)e->x, y = (int)e->y;
    const int *t = e->trail;
    putpixel(buffer, x, y, colour);
    line(buffer, x, y, t[0], t[1], colour);
    line(buffer, t[0], t[1], t[2], t[3], colour);
    line(buffer, t[2], t[3], t[4], t[5], colour);
}

static void drawFFPart(const EffectParticle *e, int r, int g, int b)
{
    if (!e || e->active != 1)
        return;
    circlefill(buffer, (int)e->x, (int)e->y, e->size, makecol(r, g, b));
    fillCircle((int)e->x, (int)e->y, e->size - 2, makecol(255, 255, 255));
}

static void drawBlast(const Projectile *p, BITMAP *pic, int mirrored)
{
    if (!liveAt(p) || !(p->y > 6))
        return;
    if (mirrored)
        putMirrored(pic, (int)p->x, (int)p->y);
    else
        putPicture(pic, (int)p->x, (int)p->y);
}

static void drawObjectPass()
{
    for (int i = 0; i < PASS_BOUND; i++) {
        Cube *c = slot(cube, i);
        if (c && c->active != 0)
            drawTurned(buffer, cube_image, (int)c->x, (int)c->y, c->angle);
        EffectParticle *e = slot(cubefrazzle, i);
        if (e && e->active != 0)
            putPicture(cubefrazzle_image[e->animFrame < 0 ? 0 : e->animFrame > 4 ? 4 : e->animFrame],
                (int)e->x, (int)e->y);
        Bomb *b = slot(bomb1, i);
        if (b && b->active != 0)
            putPicture(bomb_image, (int)b->x, (int)b->y);
        b = slot(bomb2, i);
        if (b && b->active != 0)
            putPicture(bomb_image, (int)b->x, (int)b->y);
        c = slot(powerup, i);
        if (c && c->active != 0)
            putPicture(powerup_image, (int)c->x, (int)c->y);
        Mine *m = slot(mine, i);
        if (m && m->active != 0 && m->y > 8 && m->x > 4 && m->x + m->w < 1596)
            drawTurned(buffer, minePicture(m), (int)m->x, (int)m->y, m->angle);
        drawBlast(slot(bombblastleft, i), bombblasthorizontal_image, 1);
        drawBlast(slot(bombblastright, i), bombblasthorizontal_image, 0);
        drawBlast(slot(bombblastup, i), bombblastvertical_image, 0);
        drawFFPart(slot(greenffpart, i), 64, 255, 64);
        drawFFPart(slot(purpleffpart, i), 192, 0, 192);
        e = slot(rain, i);
        if (e && e->active == 1 && inSideMargins(e->x, e->y))
            line(buffer, (int)e->x, (int)e->y, (int)e->x - e->size, (int)e->y + e->size,
                 makecol(255, 255, 255));
        e = slot(snow, i);
        if (e && e->active == 1 && inSideMargins(e->x, e->y))
            circlefill(buffer, (int)e->x, (int)e->y, e->size,
                       e->kind == 0 ? makecol(255, 255, 255) : makecol(80, 80, 80));
        e = slot(groundBit, i);
        if (e && e->active != 0)
            circlefill(buffer, (int)e->x, (int)e->y, e->size, packColour(e->red, e->green, e->blue));
        e = slot(spark, i);
        if (e && e->active == 1 && inSideMargins(e->x, e->y))
            drawSparkFigure(e, packColour(e->red, e->green, e->blue));
        e = slot(puppartspawner, i);
        if (e && e->active == 1) {
            if (e->kind == TEAM_GREEN)
                drawSparkFigure(e, makecol(0, 255, 0));
            else if (e->kind == TEAM_PURPLE)
                drawSparkFigure(e, makecol(192, 0, 192));
        }
        e = slot(puppart, i);
        if (e && e->active == 1 && (e->kind == 1 || e->kind == 2) && e->aux3 >= 0 &&
            e->aux3 < PUPPARTSPAWNER_COUNT) {
            const EffectParticle *from = puppartspawner[e->aux3];
            if (from && from->y < e->y)
                line(buffer, (int)e->x, (int)e->y, from->trail[4], from->trail[5],
                     packColour(e->red, e->green, e->blue));
        }
    }
}

// Reads the pixel at (x, y) of `buffer`, the point first held inside the playfield.
static int playfieldPixel(int x, int y)
{
    x = x < 0 ? 0 : x > PLAYFIELD_W - 1 ? PLAYFIELD_W - 1 : x;
    y = y < 0 ? 0 : y > PLAYFIELD_H - 1 ? PLAYFIELD_H - 1 : y;
    return getpixel(buffer, x, y);
}

static int brighten(int component)
{
    return component > 215 ? 255 : component + 20;
}

// A speed line takes the colour under it, brightened, and keeps it in its record.
static void drawSpeedLine(EffectParticle *e)
{
    const int x = (int)e->x, y = (int)e->y;
    const int under = playfieldPixel(e->lineDirection == 1 ? x - 30 : x, y);
    e->red = brighten(getr(under));
    e->green = brighten(getg(under));
    e->blue = brighten(getb(under));
    const int colour = makecol(e->red, e->green, e->blue);
    line(buffer, x, y, x - e->size, y, colour);
    line(buffer, x, y + 1, x - e->size, y + 1, colour);
}

static void drawLateParticles()
{
    for (int i = 0; i < POO_COUNT; i++)
        if (poo[i] && poo[i]->active == 1)
            putPicture(poo_image, poo[i]->x, poo[i]->y);
    for (int i = 0; i < SPEEDLINE_COUNT; i++)
        if (speedLine[i] && speedLine[i]->active == 1)
            drawSpeedLine(speedLine[i]);
    for (int i = 0; i < BUBBLE_COUNT; i++)
        if (bubble[i] && bubble[i]->active == 1)
            circle(buffer, (int)bubble[i]->x, (int)bubble[i]->y, bubble[i]->aux5,
                   makecol(52, 151, 172));
}

// The pictures and ray colour of each kind of explosion; rays with no colour are not drawn.
struct ExplosionLook {
    int rays;               // 0 none, 1 fixed colour, 2 yellow of random warmth
    int r, g, b;
    BITMAP *large, *small;
    int d, e;               // half sizes of the two layers
};

static ExplosionLook explosionLook(int type)
{
    switch (type) {
    case EXPLOSION_BOMB:
        return {1, 255, 255, 255, explosionelec2_image, explosionelec_image, 150, 95};
    case EXPLOSION_THRUSTER:
        return {1, 255, 255, 255, explosion_image2, explosion_image, 150, 95};
    case EXPLOSION_ROCKET:
        return {0, 0, 0, 0, explosionhomo2_image, explosionhomo_image, 60, 38};
    case EXPLOSION_GREEN_MINE:
        return {1, 64, 255, 64, explosiongreen2_image, explosiongreen_image, 150, 95};
    case EXPLOSION_PURPLE_MINE:
        return {1, 200, 64, 255, explosionpurple2_image, explosionpurple_image, 150, 95};
    case EXPLOSION_TALL:
        return {2, 255, 255, 0, NULL, NULL, 0, 0};
    }
    return {0, 0, 0, 0, NULL, NULL, 0, 0};
}

static void drawExplosion(const Explosion *x)
{
    const ExplosionLook look = explosionLook(x->type);
    if (look.rays) {
        const int colour = look.rays == 2 ? makecol(255, 255, rand() % 210)
                                          : makecol(look.r, look.g, look.b);
        const int *p = x->rayPoints;
        for (int k = 0; k < 3; k++)
            triangle(buffer, p[4 * k], p[4 * k + 1], p[4 * k + 2], p[4 * k + 3], (int)x->x,
                     (int)x->y, colour);
    }
    drawTurned(buffer, look.large, (int)(x->x - look.d), (int)(x->y - look.d), x->angleA);
    drawTurned(buffer, look.small, (int)(x->x - look.e), (int)(x->y - look.e), x->angleB);
}

static void drawExplosions()
{
    for (int i = 0; i < EXPLOSION_COUNT; i++) {
        Explosion *x = boom[i];
        if (x && x->active != 0 && x->y > 4 && x->y < 1198 && x->x > 4 && x->x < 1596)
            drawExplosion(x);
    }
}

void draw()
{
    quickenDrawing(buffer);
    quickenDrawing(prebuffer);
    set_clip_rect(buffer, 0, 0, PLAYFIELD_W - 1, PLAYFIELD_H - 1);
    if (prebuffer) {
        set_clip_rect(prebuffer, 0, 0, PLAYFIELD_W - 1, PLAYFIELD_H - 1);
        blit(prebuffer, buffer, 0, 0, 0, 0, PLAYFIELD_W, PLAYFIELD_H);
    }
    drawBlueFlames();
    if (map == ARENA_HELL)
        drawHellBG();
    if (map == ARENA_LONDON)
        drawLondonBG();
    drawBackPass();
    drawFighters();
    drawMagnoBits();
    drawRespawnBubbles(1);
    drawBlood();
    drawCasingPass();
    drawBooths();
    drawLightningPool(minilightning, MINILIGHTNING_COUNT, 4);
    drawBoothHud();
    drawShotPass();
    drawObjectPass();
    drawMonitors();
    if (map == ARENA_HELL)
        drawHellFG();
    if (map == SCREEN_TUTORIAL)
        drawTutorialFG();
    if (map == ARENA_FANTASTIC)
        drawLightningPool(lightning, LIGHTNING_COUNT, 983);
    drawLateParticles();
    drawExplosions();
    stretchToScreen();
}
