#include "arena/effects.h"

#include <allegro.h>
#include <stdlib.h>

#include "arena/pickups.h"
#include "core/assets.h"
#include "core/fighter.h"
#include "core/probes.h"
#include "core/world.h"

EffectParticle *cubefrazzle[CUBEFRAZZLE_COUNT];
EffectParticle *respawnbubble[RESPAWNBUBBLE_COUNT];
TrailPuff *homotrail[HOMOTRAIL_COUNT];
EffectParticle *greenffpart[FFPART_COUNT];
EffectParticle *purpleffpart[FFPART_COUNT];
EffectParticle *lightning[LIGHTNING_COUNT];
EffectParticle *minilightning[MINILIGHTNING_COUNT];
EffectParticle *rain[RAIN_COUNT];
EffectParticle *snow[SNOW_COUNT];
EffectParticle *lazer[LAZER_COUNT];
EffectParticle *spark[SPARK_COUNT];
EffectParticle *puppart[PUPPART_COUNT];
EffectParticle *puppartspawner[PUPPARTSPAWNER_COUNT];
FlameParticle *blueflame[BLUEFLAME_COUNT];
PooParticle *poo[POO_COUNT];
EffectParticle *speedLine[SPEEDLINE_COUNT];
EffectParticle *bubble[BUBBLE_COUNT];
EffectParticle *groundBit[GROUNDBIT_COUNT];
MagnoBit *magnobit[MAGNOBIT_COUNT];

void setupEffects()
{
    clearRecords(cubefrazzle);
    clearRecords(respawnbubble);
    clearRecords(homotrail);
    clearRecords(greenffpart);
    clearRecords(purpleffpart);
    clearRecords(lightning);
    clearRecords(minilightning);
    clearRecords(rain);
    clearRecords(snow);
    clearRecords(lazer);
    clearRecords(spark);
    clearRecords(puppart);
    clearRecords(puppartspawner);
    clearRecords(blueflame);
    clearRecords(poo);
    clearRecords(speedLine);
    clearRecords(bubble);
    clearRecords(groundBit);
    clearRecords(magnobit);

    for (EffectParticle *p : cubefrazzle) {
        p->w = cubefrazzle_image[0] ? cubefrazzle_image[0]->w : 0;
        p->h = cubefrazzle_image[0] ? cubefrazzle_image[0]->h : 0;
        p->animPeriod = 6;
    }
    for (EffectParticle *p : respawnbubble)
        p->w = p->h = 3;
    for (EffectParticle *p : greenffpart) {
        p->w = p->h = 6;
        p->aux2 = 3;
    }
    for (EffectParticle *p : purpleffpart) {
        p->w = p->h = 6;
        p->aux2 = 3;
    }
    for (EffectParticle *p : spark) {
        p->colour = 255;
        p->frictionPeriod = 2;
        p->maxFallSpeed = 14;
    }
    for (EffectParticle *p : puppart)
        p->y = 1100.0;
    for (EffectParticle *p : puppartspawner)
        p->y = 1100.0;
    for (FlameParticle *p : blueflame) {
        p->size = 1;
        p->aux2 = 3;
    }
    for (PooParticle *p : poo) {
        p->w = poo_image ? poo_image->w : 0;
        p->h = poo_image ? poo_image->h : 0;
        p->maxFallSpeed = 10;
    }
    for (EffectParticle *p : speedLine) {
        p->x = 1600.0;
        p->speedX = 40;
    }
    for (MagnoBit *p : magnobit) {
        p->stepX = p->stepY = 12;
        p->fadeCount = rand() % 8 + 1;
        p->life = rand() % 100 + 100;
    }
}

// ---- Lightning.

// A bolt runs from its start through three jittered corners to its end. Between two given
// points the corners sit at a quarter, a half and three quarters of the height; a bolt down
// to a booth's floor steps down by random amounts and ends on the floor near its start.
enum BoltGeometry { BOLT_BETWEEN_POINTS, BOLT_TO_BOOTH_FLOOR };

struct Jitter {
    int spread, shift;   // rand() % spread + shift
};

struct BoltVariant {
    int mini;                // 1: a booth's crackle, in its own pool; its start x wanders
                             // by rand() % 10 - 5
    int geometry;            // BoltGeometry
    Jitter corner[3];
    int colours[3][3];       // one of the three, drawn at random
    Booth **floorBooth;      // BOLT_TO_BOOTH_FLOOR: the booth it strikes
    int floorInset;          // ends this far above that booth's bottom
};

static int roll(Jitter j)
{
    return rand() % j.spread + j.shift;
}

#define CYAN_BOLT {{3, 242, 200}, {0, 255, 255}, {76, 200, 242}}
#define RED_BOLT {{255, 0, 0}, {192, 0, 0}, {220, 16, 16}}

static const BoltVariant CUBE_BOLT = {0, BOLT_BETWEEN_POINTS,
    {{60, -30}, {60, -30}, {80, -40}}, CYAN_BOLT, NULL, 0};
static const BoltVariant GREEN_BOLT = {0, BOLT_BETWEEN_POINTS,
    {{20, -10}, {20, -15}, {20, -15}}, {{0, 192, 0}, {64, 255, 64}, {142, 228, 142}}, NULL, 0};
static const BoltVariant PURPLE_BOLT = {0, BOLT_BETWEEN_POINTS,
    {{10, 5}, {15, -10}, {30, -15}}, {{128, 0, 128}, {192, 0, 192}, {164, 26, 166}}, NULL, 0};
static const BoltVariant MINI_BOLT = {1, BOLT_BETWEEN_POINTS,
    {{10, 5}, {15, -10}, {30, -15}}, CYAN_BOLT, NULL, 0};
static const BoltVariant RESPAWN_BOLT = {0, BOLT_TO_BOOTH_FLOOR,
    {{40, -10}, {30, -12}, {40, -10}}, RED_BOLT, &booth, 2};
static const BoltVariant RESPAWN_BOLT2 = {0, BOLT_TO_BOOTH_FLOOR,
    {{20, -20}, {32, -10}, {30, -20}}, RED_BOLT, &booth2, 2};
static const BoltVariant CASHIN_BOLT = {0, BOLT_TO_BOOTH_FLOOR,
    {{40, -10}, {30, -12}, {40, -10}}, CYAN_BOLT, &booth, 3};
static const BoltVariant CASHIN_BOLT2 = {0, BOLT_TO_BOOTH_FLOOR,
    {{20, -20}, {32, -10}, {30, -20}}, CYAN_BOLT, &booth2, 3};

static void spawnBolt(const BoltVariant &v, int x1, int y1, int x2, int y2)
{
    // The colour is drawn even when no record is free.
    const int *rgb = v.colours[rand() % 3];
    const int colour = makecol(rgb[0], rgb[1], rgb[2]);
    EffectParticle *b = v.mini ? takeFreeRecord(minilightning) : takeFreeRecord(lightning);
    if (!b)
        return;
    b->life = rand() % 6 + 5;
    b->x = v.mini ? x1 + rand() % 10 - 5 : x1;
    b->y = y1;
    int *p = b->points;
    if (v.geometry == BOLT_BETWEEN_POINTS) {
        const int d = y2 - y1, q = d / 4;
        p[0] = x1 + roll(v.corner[0]);
        p[1] = y1 + q;
        p[2] = p[0] + roll(v.corner[1]);
        p[3] = y1 + d / 2;
        p[4] = p[2] + roll(v.corner[2]);
        p[5] = y1 + 3 * q;
        p[6] = x2;
        p[7] = y2;
    } else {
        p[0] = x1 + roll(v.corner[0]);
        p[1] = y1 + rand() % 15 + 5;
        p[2] = p[0] + roll(v.corner[1]);
        p[3] = p[1] + rand() % 15 + 5;
        p[4] = p[2] + roll(v.corner[2]);
        p[5] = p[3] + rand() % 16 + 3;
        p[6] = x1 + rand() % 20 - 10;
        const Booth *floor = *v.floorBooth;
        p[7] = (int)(floor->y + floor->h - v.floorInset);
    }
    b->colour = colour;
}

void spawnLightning(int x1, int y1, int x2, int y2)
{
    spawnBolt(CUBE_BOLT, x1, y1, x2, y2);
}

void spawnGreenLightning(int x1, int y1, int x2, int y2)
{
    spawnBolt(GREEN_BOLT, x1, y1, x2, y2);
}

void spawnPurpleLightning(int x1, int y1, int x2, int y2)
{
    spawnBolt(PURPLE_BOLT, x1, y1, x2, y2);
}

void spawnColouredLightning(int x1, int y1, int x2, int y2, int r, int g, int b)
{
    BoltVariant v = GREEN_BOLT;
    for (int k = 0; k < 3; k++) {
        v.colours[k][0] = r;
        v.colours[k][1] = g;
        v.colours[k][2] = b;
    }
    spawnBolt(v, x1, y1, x2, y2);
}

void spawnMiniLightning(int x1, int y1, int x2, int y2)
{
    spawnBolt(MINI_BOLT, x1, y1, x2, y2);
}

void spawnRedLightning(int x, int y)
{
    spawnBolt(RESPAWN_BOLT, x, y, 0, 0);
}

void spawnRedLightning2(int x, int y)
{
    spawnBolt(RESPAWN_BOLT2, x, y, 0, 0);
}

void spawnBoothLightning(int x, int y)
{
    spawnBolt(CASHIN_BOLT, x, y, 0, 0);
}

void spawnBooth2Lightning(int x, int y)
{
    spawnBolt(CASHIN_BOLT2, x, y, 0, 0);
}

// Bolts never move; their corners are only kept on the playfield (the start stays put).
static int clampInt(int v, int lo, int hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

template <int N>
static void ageBolts(EffectParticle *(&pool)[N])
{
    for (EffectParticle *b : pool) {
        if (b->active != 1)
            continue;
        for (int k = 0; k < 8; k += 2) {
            b->points[k] = clampInt(b->points[k], 10, 1590);
            b->points[k + 1] = clampInt(b->points[k + 1], 10, 1190);
        }
        if (--b->life < 0)
            b->active = 0;
    }
}

// What each booth's automatic lightning needs: its fighter, the bolt that falls on him while
// he waits to respawn, the bolt of a cash-in and where along the booth that one starts.
struct BoothLightning {
    Fighter **fighter;
    Booth **booth;
    const BoltVariant *respawnBolt, *cashInBolt;
    Jitter cashInStart;
};

static const BoothLightning BOOTH_LIGHTNING[2] = {
    {&player, &booth, &RESPAWN_BOLT, &CASHIN_BOLT, {30, 0}},
    {&player2, &booth2, &RESPAWN_BOLT2, &CASHIN_BOLT2, {25, 15}},
};

// How far above a booth's top the bolt strikes.
static const int BOOTH_BOLT_DROP = 52;

void updateLightning()
{
    const int r = rand() % 10;
    rand();
    rand();
    if (r < 5) {
        // The force-field columns.
        int endX = (int)(booth->x + 310 + (rand() % 50 - 60));
        spawnGreenLightning((int)(booth->x + 303), (int)booth->y, endX,
                            (int)(booth->y + booth->h));
        endX = (int)(booth2->x - 210 + rand() % 80);
        spawnPurpleLightning((int)(booth2->x - 202), (int)booth2->y, endX,
                             (int)(booth2->y + booth2->h));
    }
    for (const BoothLightning &s : BOOTH_LIGHTNING) {
        const Booth *b = *s.booth;
        if ((*s.fighter)->respawning == 1)
            spawnBolt(*s.respawnBolt, (int)(b->x + b->w / 2), (int)(b->y + BOOTH_BOLT_DROP), 0, 0);
    }
    for (const BoothLightning &s : BOOTH_LIGHTNING) {
        const Booth *b = *s.booth;
        if (b->lightningTimer > 0)
            spawnBolt(*s.cashInBolt, (int)(b->x + b->w / 4 + roll(s.cashInStart)),
                      (int)(b->y + BOOTH_BOLT_DROP), 0, 0);
    }
    ageBolts(lightning);
}

// The crackle on top of a booth: three bolts over one end of its roof (not on arena 2) and
// three over the other, as offsets from the booth's top-left, start then end.
struct MiniBoltSet {
    int bolts[6][4];         // A1..A3, then B1..B3
};

struct BoothCrackle {
    Fighter **fighter;
    Booth **booth;
    int quietOnTutorial;
    MiniBoltSet offsets;
};

// The purple booth is drawn mirrored, so its offsets mirror the green ones.
static const BoothCrackle BOOTH_CRACKLE[2] = {
    {&player, &booth, 1,
     {{{-6, -10, 11, 27}, {1, -10, 15, 17}, {8, -10, 22, 5},
       {68, -10, 72, 26}, {72, -10, 69, 15}, {77, -10, 59, 5}}}},
    {&player2, &booth2, 0,
     {{{82, -10, 87, 26}, {85, -10, 84, 15}, {89, -10, 74, 5},
       {17, -10, 23, 27}, {20, -10, 27, 17}, {29, -10, 34, 5}}}},
};

// One booth crackles on about one tick in 18 while its team has power, once fighter 1 has
// come out of his booth for the first time.
static void crackle(const BoothCrackle &c, int roll18)
{
    const Fighter *f = *c.fighter;
    if (!(f->power > 0 && roll18 == 0 && player->hasSpawned == 1))
        return;
    if (c.quietOnTutorial && map == SCREEN_TUTORIAL)
        return;
    const Booth *b = *c.booth;
    for (int i = map == ARENA_BEAST ? 3 : 0; i < 6; i++) {
        const int *o = c.offsets.bolts[i];
        spawnMiniLightning((int)(b->x + o[0]), (int)(b->y + o[1]), (int)(b->x + o[2]),
                           (int)(b->y + o[3]));
    }
}

void updateMiniLightning()
{
    const int r1 = rand() % 18;
    const int r2 = rand() % 18;
    crackle(BOOTH_CRACKLE[0], r1);
    crackle(BOOTH_CRACKLE[1], r2);
    ageBolts(minilightning);
}

// ---- Lazer, sparks, power-up particles and flames.

void spawnLazer(int x1, int y1, int x2, int y2)
{
    EffectParticle *l = takeFreeRecord(lazer);
    if (!l)
        return;
    l->x = x1;
    l->y = y1;
    l->points[0] = x2;
    l->points[1] = y2;
    l->life = 4;
    l->colour = makecol(255, 0, 0);
}

void updateLazer()
{
    for (EffectParticle *l : lazer)
        if (l->active == 1 && --l->life < 1)
            l->active = 0;
}

enum { SPARK_KIND_LAMP = 5 };

void spawnSpark(int x, int y, int kind)
{
    EffectParticle *s = takeFreeRecord(spark);
    if (!s)
        return;
    s->x = x;
    s->y = y;
    s->fallSpeed = 0;
    s->frictionCount = 0;
    s->frictionPeriod = 4;
    s->colour = 255;
    s->kind = kind;
    s->red = s->green = s->blue = 255;
    rand();
    if (kind == SPARK_KIND_LAMP) {
        s->life = rand() % 5 + 25;
        s->xVel = rand() % 16 - 8;
        s->yVel = rand() % 5 - 5;
    } else {
        s->life = rand() % 5 + 10;
        s->xVel = rand() % 16 - 8;
        s->yVel = rand() % 21 - 21;
    }
}

// How each kind of spark fades from white, per tick and channel.
static const int SPARK_FADE[6][3] = {
    {0, 0, 0},       // no such kind
    {0, 0, -10},     // yellow
    {-10, 0, 0},     // cyan
    {-30, 0, -30},   // green
    {0, -30, 0},     // magenta
    {0, 0, -10},     // the street lamp's yellow
};

static int towardZero(int v)
{
    return v > 0 ? v - 1 : v < 0 ? v + 1 : 0;
}

static int floorAtZero(int v)
{
    return v < 0 ? 0 : v;
}

static void setTrail(EffectParticle *e)
{
    for (int k = 0; k < 6; k += 2) {
        e->trail[k] = (int)e->x;
        e->trail[k + 1] = (int)e->y;
    }
}

void updateSpark()
{
    for (EffectParticle *s : spark) {
        if (s->active != 1)
            continue;
        setTrail(s);
        const int *fade = SPARK_FADE[s->kind >= 1 && s->kind <= 5 ? s->kind : 0];
        s->red = floorAtZero(s->red + fade[0]);
        s->green = floorAtZero(s->green + fade[1]);
        s->blue = floorAtZero(s->blue + fade[2]);
        if (--s->life < 0)
            s->active = 0;
        // The lamp's sparks bounce off the ground once they fall at full speed.
        if (s->kind == SPARK_KIND_LAMP && s->fallSpeed == s->maxFallSpeed &&
            collided((int)s->x, (int)s->y))
            s->fallSpeed = -((s->fallSpeed / 4) * 3);
        s->yVel = clampInt(s->yVel, -30, 30);
        s->xVel = clampInt(s->xVel, -20, 20);
        if (s->xVel != 0 || s->yVel != 0) {
            s->x += s->xVel;
            s->y += s->yVel;
            if (++s->frictionCount > s->frictionPeriod) {
                s->frictionCount = 0;
                s->xVel = towardZero(s->xVel);
            }
            s->yVel = towardZero(s->yVel);
        }
        if (s->y > 1196 || s->y < 4 || s->x > 1596 || s->x < 4)
            s->active = 0;
        if (s->active == 1) {
            s->y += s->fallSpeed;
            s->fallSpeed++;
        }
        if (s->fallSpeed > s->maxFallSpeed)
            s->fallSpeed = s->maxFallSpeed;
    }
}

// The two teams' power-up particles: the colour they start in, and per channel the value it
// is held at, or PUP_FADES where the channel climbs by 40 a tick until it passes 255.
enum { PUP_FADES = -1, PUP_FADE_STEP = 40 };

struct PupTeamLook {
    int start[3];
    int held[3];
    void (*boltHome)(int x1, int y1, int x2, int y2);
};

static const PupTeamLook PUP_LOOK[2] = {
    {{0, 255, 0}, {PUP_FADES, 255, PUP_FADES}, spawnGreenLightning},
    {{255, 0, 255}, {192, PUP_FADES, 192}, spawnPurpleLightning},
};

static const PupTeamLook &pupLook(int team)
{
    return PUP_LOOK[team == 2 ? 1 : 0];
}

static void paint(EffectParticle *e, const int rgb[3])
{
    e->red = rgb[0];
    e->green = rgb[1];
    e->blue = rgb[2];
}

void spawnPupPartSpawner(int x, int y, int team, int target)
{
    // The side it curls out to is drawn even when no record is free.
    const int r = rand();
    EffectParticle *e = takeFreeRecord(puppartspawner);
    if (!e)
        return;
    e->x = x;
    e->y = y;
    e->kind = team;
    e->direction = target;
    e->speedY = rand() % 10 + 5;
    e->aux4 = 3;
    e->speedX = r % 2 == 0 ? -(rand() % 6 + 2) : rand() % 6 + 2;
    paint(e, pupLook(team).start);
}

void spawnPupPart(int x, int y, int team, int target, int emitter)
{
    EffectParticle *e = takeFreeRecord(puppart);
    if (!e)
        return;
    e->x = x;
    e->y = y;
    e->kind = team;
    e->direction = target;
    e->aux3 = emitter;
    e->speedX = rand() % 3 - 1;
    e->speedY = rand() % 3;
    e->aux4 = 3;
    paint(e, pupLook(team).start);
}

static int leftPupBand(const EffectParticle *e)
{
    return e->y < 50 || e->x > 1596 || e->x < 4;
}

// A running fighter whose box holds the emitter drags it along.
static void dragWith(EffectParticle *e, const Fighter *f, int inside)
{
    if (!inside)
        return;
    if (f->facing == FACING_RIGHT)
        e->x += f->runSpeed + 3;
    else if (f->facing == FACING_LEFT)
        e->x -= f->runSpeed + 3;
}

void updatePupPartSpawner()
{
    for (int i = 0; i < PUPPARTSPAWNER_COUNT; i++) {
        EffectParticle *e = puppartspawner[i];
        if (e->active != 1)
            continue;
        spawnPupPart((int)e->x, (int)e->y, e->kind, e->direction, i);
        setTrail(e);
        if (leftPupBand(e))
            e->active = 0;
        const Cube *box = e->direction >= 0 && e->direction < POWERUP_COUNT
                              ? powerup[e->direction] : NULL;
        const int boxLive = box && box->active == 1;
        const double centreX = boxLive ? box->x + box->w / 2 : 0;
        if (boxLive && collided((int)e->x, (int)e->y)) {
            // It strikes the ground and lightning leaps back to the box.
            pupLook(e->kind).boltHome((int)e->x, (int)e->y, (int)centreX, (int)(box->y + 5));
            e->active = 0;
        }
        if (boxLive) {
            if (e->x < centreX)
                e->speedX++;
            if (e->x > centreX)
                e->speedX--;
        } else {
            e->speedX += rand() % 7;
            e->speedX -= rand() % 7;
        }
        e->x += e->speedX;
        e->y -= e->speedY;
        dragWith(e, player, hit2((int)e->x, (int)e->y));
        dragWith(e, player2, hit((int)e->x, (int)e->y));
    }
}

void updatePupPart()
{
    for (EffectParticle *e : puppart) {
        if (e->active != 1)
            continue;
        const PupTeamLook &look = pupLook(e->kind);
        int *channel[3] = {&e->red, &e->green, &e->blue};
        for (int k = 0; k < 3; k++) {
            if (look.held[k] != PUP_FADES) {
                *channel[k] = look.held[k];
                continue;
            }
            *channel[k] += PUP_FADE_STEP;
            if (*channel[k] > 255)
                e->active = 0;
        }
        if (leftPupBand(e))
            e->active = 0;
    }
}

void spawnBlueFlame(int x, int y)
{
    FlameParticle *f = takeFreeRecord(blueflame);
    if (!f)
        return;
    f->x = f->originX = x;
    f->y = f->originY = y;
    f->size = rand() % 4 + 9;
    f->riseSpeed = rand() % 3 + 4;
    f->sway = rand() % 11 - 5;
    f->red = 255;
    f->green = 255;
    f->blue = 225;
    f->fade = rand() % 6 + 5;
    f->aux1 = 0;
    f->aux2 = 3;
    f->life = 16;
}

// A puff stays where it was spawned, shrinks and turns from near white to blue.
void updateBlueFlame()
{
    for (FlameParticle *f : blueflame) {
        if (f->y < 10 || f->x < 10 || f->x > 1590)
            f->active = 0;
        if (f->active != 1)
            continue;
        if (--f->life < 1)
            f->active = 0;
        f->fade = rand() % 8 + 6;
        if (f->green > 60) {
            f->green -= 2 * f->fade;
            f->red -= 2 * f->fade;
        }
        if (f->green < 61) {
            f->green = 0;
            f->size = 1;
        }
        if (f->size > 4)
            f->size--;
        f->x += rand() % 3 - 1;
    }
}

// ---- Trails, bits and small particles.

void spawnHomoTrail(int x, int y)
{
    TrailPuff *t = takeFreeRecord(homotrail);
    if (!t)
        return;
    t->x = x;
    t->y = y;
    t->phase = 0;
    t->size = 1;
    t->red = t->green = t->blue = 255;
    t->life = 15;
}

// A puff greys from white down to this and no further.
static const int TRAIL_GREY = 80;

void updateHomoTrail()
{
    for (TrailPuff *t : homotrail) {
        if (t->active != 1)
            continue;
        t->y--;
        t->x += rand() % 14 - 7;
        t->size += t->phase == 0 ? 1 : -1;
        if (t->size > 12)
            t->phase = 1;
        int *channel[3] = {&t->red, &t->green, &t->blue};
        for (int *c : channel)
            *c = *c - 12 < TRAIL_GREY ? TRAIL_GREY : *c - 12;
        if (--t->life < 0)
            t->active = 0;
    }
}

void spawnCubeFrazzle(int x, int y)
{
    EffectParticle *e = takeFreeRecord(cubefrazzle);
    if (!e)
        return;
    e->x = x;
    e->y = y;
    e->animTick = 0;
    e->animFrame = 0;
}

enum { FRAZZLE_LAST_FRAME = 4 };

// The five pictures play once, then the sparkle ends.
void updateCubeFrazzle()
{
    for (EffectParticle *e : cubefrazzle) {
        if (e->active != 1)
            continue;
        if (++e->animTick > e->animPeriod) {
            e->animTick = 0;
            if (++e->animFrame > FRAZZLE_LAST_FRAME) {
                e->animFrame = 0;
                e->active = 0;
            }
        }
    }
}

// A respawn bubble rises this far, then bursts.
static const int RESPAWN_BUBBLE_RISE = 91;

void spawnRespawnBubble(int x, int y)
{
    EffectParticle *e = takeFreeRecord(respawnbubble);
    if (!e)
        return;
    e->x = x + rand() % 34;
    e->y = y;
    e->side = rand() % 2;
    e->size = rand() % 5 + 1;
    e->speedY = (rand() % 3) * 2 + 2;
    e->endY = y - RESPAWN_BUBBLE_RISE;
}

void updateRespawnBubble()
{
    for (EffectParticle *e : respawnbubble) {
        if (e->active != 1)
            continue;
        e->y -= e->speedY;
        if (e->y < e->endY)
            e->active = 0;
    }
}

void spawnMagnoBit(int x, int y, int fighterIndex)
{
    MagnoBit *m = takeFreeRecord(magnobit);
    if (!m)
        return;
    m->x = x;
    m->y = y;
    m->fadeCount = rand() % 8 + 1;
    m->life = rand() % 10 + 5;
    m->fighterIndex = fighterIndex;
    m->stepX = m->stepY = 0;
    m->stepTick = 0;
    m->stepPeriod = 2;
}

// A bit this close to its fighter's centre (on both axes) is absorbed by the magnet.
static const int MAGNET_CATCH = 8;

void updateMagnoBit()
{
    for (MagnoBit *m : magnobit) {
        if (m->active != 1)
            continue;
        const Fighter *f = m->fighterIndex == 0 ? player : player2;
        const int cx = f->x + f->w / 2, cy = f->y + f->h / 2;
        if (m->y < 20 || m->y > 1180 || m->x < 20 || m->x > 1580)
            m->active = 0;
        if (--m->life < 0)
            m->fadeCount--;
        if (m->fadeCount < 1)
            m->active = 0;
        // The bits speed up by one every fourth tick.
        if (m->stepTick++ > m->stepPeriod) {
            m->stepX++;
            m->stepY++;
            m->stepTick = 0;
        }
        if (f->state == FIGHTER_RUN_LEFT)
            m->x = (int)(m->x - f->runSpeed);
        else if (f->state == FIGHTER_RUN_RIGHT)
            m->x = (int)(m->x + f->runSpeed);
        m->y += f->fallSpeed;
        if (f->magnet == 1) {
            if (m->x < cx - MAGNET_CATCH)
                m->x += m->stepX;
            else if (m->x > cx + MAGNET_CATCH)
                m->x -= m->stepX;
            if (m->y < cy - MAGNET_CATCH)
                m->y += m->stepY;
            else if (m->y > cy + MAGNET_CATCH)
                m->y -= m->stepY;
            if (m->x > cx - MAGNET_CATCH && m->x < cx + MAGNET_CATCH &&
                m->y > cy - MAGNET_CATCH && m->y < cy + MAGNET_CATCH)
                m->active = 0;
        } else if (f->magnet == 0) {
            m->x += m->x >= cx ? m->stepX : -m->stepX;
            m->y += m->y >= cy ? m->stepY : -m->stepY;
        }
    }
}

// Three light cyan pixels per bit. A bit's last moves can carry it past the playfield's
// edge, so every pixel is checked against it.
void drawMagnoBits()
{
    if (!buffer)
        return;
    const int colour = makecol(128, 255, 255);
    static const int SHAPE[3][2] = {{0, 0}, {0, 1}, {1, 1}};
    for (MagnoBit *m : magnobit) {
        if (!m || m->active != 1)
            continue;
        for (const int *d : SHAPE) {
            const int x = m->x + d[0], y = m->y + d[1];
            if (x >= 0 && x < PLAYFIELD_W && y >= 0 && y < PLAYFIELD_H)
                putpixel(buffer, x, y, colour);
        }
    }
}

void spawnGroundBit(int x, int y, int red, int green, int blue, int xVel, int yVel)
{
    EffectParticle *e = takeFreeRecord(groundBit);
    if (!e)
        return;
    e->x = x;
    e->y = y;
    e->red = red;
    e->green = green;
    e->blue = blue;
    e->xVel = xVel;
    e->yVel = yVel;
    e->size = map == ARENA_BARRELS ? rand() % 4 + 2 : rand() % 3 + 1;
    e->w = e->h = e->size;
    e->fallSpeed = 0;
    e->maxFallSpeed = 14;
    e->frictionCount = 0;
    e->frictionPeriod = rand() % 3;
    e->frictionCountY = 0;
    e->frictionPeriodY = rand() % 3;
}

void updateGroundBit()
{
    for (EffectParticle *e : groundBit) {
        if (e->active != 1)
            continue;
        if (collided((int)e->x, (int)e->y)) {
            // A bit that lands stays painted into the arena.
            if (prebuffer)
                circlefill(prebuffer, (int)e->x, (int)e->y, e->size,
                           packColour(e->red, e->green, e->blue));
            e->active = 0;
        }
        e->yVel = clampInt(e->yVel, -17, 17);
        e->xVel = clampInt(e->xVel, -15, 15);
        if (collided((int)(e->x + e->w / 2), (int)(e->y + e->yVel)))
            e->yVel = -(e->yVel / 2);
        e->x += e->xVel;
        e->y += e->yVel;
        if (++e->frictionCount > e->frictionPeriod) {
            e->frictionCount = 0;
            e->xVel = towardZero(e->xVel);
        }
        if (++e->frictionCountY > e->frictionPeriodY) {
            e->frictionCountY = 0;
            e->yVel = towardZero(e->yVel);
        }
        if (e->x < 0 || e->x > 1590 || e->y < 20 || e->y + e->fallSpeed > 1190)
            e->active = 0;
        if (e->fallSpeed < e->maxFallSpeed)
            e->fallSpeed++;
        e->y += e->fallSpeed;
    }
}

void spawnPoo(int x, int y)
{
    PooParticle *p = takeFreeRecord(poo);
    if (!p)
        return;
    p->x = x + rand() % 3 - 1;
    p->y = y + rand() % 3 - 1;
    p->xVel = rand() % 5 - 2;
    p->fallSpeed = 0;
}

void updatePoo()
{
    for (PooParticle *p : poo) {
        if (p->active != 1)
            continue;
        if (p->fallSpeed < p->maxFallSpeed)
            p->fallSpeed++;
        p->x += p->xVel;
        p->y += p->fallSpeed;
        if (collided(p->x, p->y + p->fallSpeed - rand() % 3)) {
            p->fallSpeed = 0;
            if (prebuffer && poo_image)
                draw_sprite(prebuffer, poo_image, p->x, p->y);
            p->active = 0;
        }
    }
}

void spawnBubble(int x, int y, int xVel, int yVel, int radius, int topY)
{
    EffectParticle *e = takeFreeRecord(bubble);
    if (!e)
        return;
    e->x = x;
    e->y = y;
    e->xVel = xVel;
    e->yVel = yVel;
    e->aux5 = radius;
    e->topY = topY;
    e->speedY = rand() % 3 + 1;
}

void updateBubble()
{
    for (EffectParticle *e : bubble) {
        if (e->active != 1)
            continue;
        if (e->y > e->topY)
            e->y -= e->speedY;
        else
            e->active = 0;
        e->xVel = towardZero(e->xVel);
        e->yVel = towardZero(e->yVel);
        e->y += e->yVel;
        e->x += e->xVel + (rand() % 5 - 2);
    }
}

void spawnSpeedLine(int x, int y, int direction, int speed)
{
    EffectParticle *e = takeFreeRecord(speedLine);
    if (!e)
        return;
    e->x = x;
    e->y = y;
    e->speedX = speed;
    e->size = rand() % 50 + 50;
    e->speedY = 0;
    e->red = e->green = e->blue = 255;
    e->lineDirection = direction;
}

void updateSpeedLine()
{
    for (EffectParticle *e : speedLine) {
        if (e->active != 1)
            continue;
        if (e->lineDirection == 0)
            e->x -= e->speedX;
        else if (e->lineDirection == 1)
            e->x += e->speedX;
        e->y += e->speedY;
        if (e->x < 0 || e->x > 1650 || e->speedX == 0)
            e->active = 0;
        // On arena 9 the lines only cross the middle of the arena.
        if (map == ARENA_FANTASTIC &&
            ((e->lineDirection == 0 && e->x < 1300) || (e->lineDirection == 1 && e->x > 300)))
            e->active = 0;
    }
}

void spawnLeaf() {}
void updateLeaf() {}
void spawnConker() {}
void updateConker() {}
void spawnBarrel() {}
void updateBarrel() {}
