#include "gore/gore.h"

#include <allegro.h>
#include <stdlib.h>

#include <initializer_list>

#include "core/assets.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/pools.h"
#include "core/probes.h"
#include "core/world.h"

DebrisParticle *greenblood[BLOOD_COUNT], *purpleblood[BLOOD_COUNT];
DebrisParticle *greengib[GIB_COUNT], *purplegib[GIB_COUNT];
DebrisParticle *greenhead[HEAD_COUNT], *purplehead[HEAD_COUNT];
DebrisParticle *greentorso[TORSO_COUNT], *purpletorso[TORSO_COUNT];
DebrisParticle *greenarm[LIMB_COUNT], *purplearm[LIMB_COUNT];
DebrisParticle *greenleg[LIMB_COUNT], *purpleleg[LIMB_COUNT];
DebrisParticle *gibcasing[GIBCASING_COUNT];
DebrisParticle *zapzapcasing[ZAPZAPCASING_COUNT];
DebrisParticle *homocasing[HOMOCASING_COUNT];

// The kinds differ at set-up in how they start to tumble and how long they rest.
enum DebrisKind { KIND_DROP, KIND_HEAD, KIND_TORSO, KIND_LIMB };

// Replaces the records of one pool with fresh free ones sized by `pic`. The records an
// earlier set-up made are released: nothing else holds them.
static void renewDebrisPool(DebrisParticle **pool, int count, BITMAP *pic, DebrisKind kind)
{
    for (int i = 0; i < count; i++) {
        delete pool[i];
        DebrisParticle *p = new DebrisParticle();
        p->w = pic ? pic->w : 0;
        p->h = pic ? pic->h : 0;
        p->maxFallSpeed = 14;
        if (kind == KIND_LIMB) {
            p->angle = rand() % 255;
            p->spin = rand() % 6 + 1;
        } else {
            p->spin = rand() % 6;
        }
        if (kind == KIND_DROP || kind == KIND_HEAD) {
            p->xVel = rand() % 12 - 6;
            p->yImpulse = rand() % 20 - 10;
        }
        p->frictionPeriod = kind == KIND_DROP ? 0 : 1;
        p->restTimer = kind == KIND_DROP ? 0 : 100;
        p->groundTimer = kind == KIND_HEAD ? 100 : 0;
        pool[i] = p;
    }
}

// One team's six pools with that team's pictures (blood and heads are shared).
static void setupTeamGore(DebrisParticle **blood, DebrisParticle **gib, DebrisParticle **head,
                          DebrisParticle **torso, DebrisParticle **arm, DebrisParticle **leg,
                          BITMAP *gibPic, BITMAP *torsoPic, BITMAP *armPic, BITMAP *legPic)
{
    renewDebrisPool(blood, BLOOD_COUNT, blood_image, KIND_DROP);
    renewDebrisPool(gib, GIB_COUNT, gibPic, KIND_DROP);
    renewDebrisPool(head, HEAD_COUNT, head_image[0], KIND_HEAD);
    renewDebrisPool(torso, TORSO_COUNT, torsoPic, KIND_TORSO);
    renewDebrisPool(arm, LIMB_COUNT, armPic, KIND_LIMB);
    renewDebrisPool(leg, LIMB_COUNT, legPic, KIND_LIMB);
}

void setupBlood()
{
    setupTeamGore(greenblood, greengib, greenhead, greentorso, greenarm, greenleg,
                  greengib_image, greentorso_image, greenarm_image, greenleg_image);
}

void setupBlood2()
{
    setupTeamGore(purpleblood, purplegib, purplehead, purpletorso, purplearm, purpleleg,
                  purplegib_image, purpletorso_image, purplearm_image, purpleleg_image);
}

static void renewCasingPool(DebrisParticle **pool, int count, BITMAP *pic)
{
    for (int i = 0; i < count; i++) {
        delete pool[i];
        DebrisParticle *p = new DebrisParticle();
        p->w = pic ? pic->w : 0;
        p->h = pic ? pic->h : 0;
        p->yImpulse = rand() % 20 - 10;
        p->xVel = rand() % 12 - 6;
        p->spin = rand() % 6;
        p->maxFallSpeed = 14;
        p->imageIndex = 15;   // seconds of life left
        pool[i] = p;
    }
}

void setupCasings()
{
    renewCasingPool(gibcasing, GIBCASING_COUNT, gibcasing_image);
    renewCasingPool(zapzapcasing, ZAPZAPCASING_COUNT, zapzapcasing_image);
    renewCasingPool(homocasing, HOMOCASING_COUNT, homocasing_image);
}

// ---- The steps every kind is made of.

typedef int (*BlockProbe)(int x, int y);
typedef void (*BloodSpawn)(int x, int y);
typedef int (*BoxTest)(int x, int y);

// The block under the piece's position plus an offset, the pixel truncated toward zero.
// Every probe goes through the bounded lookup, so a piece past an edge reads empty blocks.
static int probeAt(BlockProbe probe, const DebrisParticle *p, int dx, int dy)
{
    return probe((int)(p->x + dx), (int)(p->y + dy));
}

static int towardZero(int v)
{
    return v > 0 ? v - 1 : v < 0 ? v + 1 : 0;
}

static int clampSpeed(int v, int limit)
{
    return v < -limit ? -limit : v > limit ? limit : v;
}

// Keeps turning on free slots too: a new piece starts at the angle its slot has reached.
static void spinStep(DebrisParticle *p)
{
    p->angle += p->spin;
}

// Bounds what an explosion's push may have added.
static void clampStep(DebrisParticle *p, int xLimit, int yLimit)
{
    p->xVel = clampSpeed(p->xVel, xLimit);
    p->yImpulse = clampSpeed(p->yImpulse, yLimit);
}

// Flying pieces lose sideways speed every frictionPeriod + 1 moving frames; at rest the
// friction count stands still.
static void moveStep(DebrisParticle *p)
{
    if (p->xVel == 0 && p->yImpulse == 0)
        return;
    p->x += p->xVel;
    p->y += p->yImpulse;
    if (++p->frictionCount > p->frictionPeriod) {
        p->frictionCount = 0;
        p->xVel = towardZero(p->xVel);
    }
    p->yImpulse = towardZero(p->yImpulse);
}

static void capFall(DebrisParticle *p)
{
    if (p->fallSpeed > p->maxFallSpeed)
        p->fallSpeed = p->maxFallSpeed;
}

// Falls faster every frame in which the support point (dx, dy) is not solid.
static void gravityStep(DebrisParticle *p, int dx, int dy)
{
    if (!probeAt(collided, p, dx, dy)) {
        p->y += p->fallSpeed;
        p->fallSpeed++;
    }
    capFall(p);
}

// Paints `pic` turned about its centre with its top-left at (x, y); pieces are painted
// partly past the left and top edges, which the shared helper takes.
static void paintTurned(BITMAP *dest, BITMAP *pic, int x, int y, int angle)
{
    if (!dest || !pic)
        return;
    // Wholly off the layer, even turned: nothing to paint (and no fixed-point overflow for a
    // piece thrown from far away).
    const int reach = pic->w + pic->h;
    if (x > dest->w + reach || y > dest->h + reach || x < -reach || y < -reach)
        return;
    drawTurned(dest, pic, x, y, angle);
}

// Paints the piece into the stain layer for good, `drop` px below where it lies.
static void stamp(const DebrisParticle *p, BITMAP *pic, int drop)
{
    paintTurned(prebuffer, pic, (int)p->x, (int)p->y + drop, p->angle);
}

static void freeParticle(DebrisParticle *p)
{
    p->active = 0;
    p->x = 0.0;
    p->y = 0.0;
}

// Where a flying piece leaves the arena. Past the side edges it is always painted where it
// is; past the bottom and top edges only where the kind says so.
struct ArenaEdges {
    int bottom, bottomStamps;
    int top, topStamps;
    int right, left;
};

// Frees (and maybe stamps) a piece past an edge; true when it did.
static bool leavesArena(DebrisParticle *p, const ArenaEdges &e, BITMAP *pic)
{
    int stamps;
    if (p->y > e.bottom)
        stamps = e.bottomStamps;
    else if (p->y < e.top)
        stamps = e.topStamps;
    else if (p->x > e.right || p->x < e.left)
        stamps = 1;
    else
        return false;
    if (stamps)
        stamp(p, pic, 0);
    freeParticle(p);
    return true;
}

// How every drop, gib and casing starts its frame: the slot turns, free or not; a live
// piece is then clamped, moved and tested against the arena's edges. True when it is still
// live and inside.
static bool fliesOn(DebrisParticle *p, const ArenaEdges &edges, BITMAP *pic)
{
    spinStep(p);
    if (p->active == 0)
        return false;
    clampStep(p, 20, 30);
    moveStep(p);
    return !leavesArena(p, edges, pic);
}

// A throw speed carrying the fighter's run the way he faces, truncated toward zero.
static int thrownWith(const Fighter *f, double speed)
{
    if (f && f->facing == FACING_LEFT)
        return (int)(speed - f->runSpeed);
    if (f && f->facing == FACING_RIGHT)
        return (int)(speed + f->runSpeed);
    return (int)speed;
}

// The first free slot, made live at (x, y); none when the pool is full.
static DebrisParticle *takeSlot(DebrisParticle **pool, int count, int x, int y)
{
    DebrisParticle *p = takeFreeRecord(pool, count);
    if (p) {
        p->x = x;
        p->y = y;
    }
    return p;
}

// ---- Blood drops.

struct DropKind {
    DebrisParticle **pool;
    Fighter **owner;
    ArenaEdges edges;
    int scatterOnSolid;   // a drop landing on a solid block is painted 0..9 px low
};

static const DropKind greenDrops = {greenblood, &player, {1190, 0, 4, 0, 1596, 4}, 1};
static const DropKind purpleDrops = {purpleblood, &player2, {1196, 1, 8, 0, 1596, 4}, 0};

static void spawnDrop(const DropKind &k, int x, int y)
{
    DebrisParticle *p = takeSlot(k.pool, BLOOD_COUNT, x, y);
    if (!p)
        return;
    p->yImpulse = rand() % 20 - 10;
    p->fallSpeed = 0;
    p->frictionPeriod = rand() % 6;
    p->xVel = thrownWith(*k.owner, rand() % 12 - 6);
}

// A landing drop keeps testing its remaining bottom points, so it can leave several
// stamps: that is its splash.
static void updateDrops(const DropKind &k)
{
    for (int i = 0; i < BLOOD_COUNT; i++) {
        DebrisParticle *p = k.pool[i];
        if (!p || !fliesOn(p, k.edges, blood_image))
            continue;
        gravityStep(p, p->w / 2, p->h);
        for (int dx = 0; dx < 4; dx++) {
            if (probeAt(collided, p, dx, p->h)) {
                stamp(p, blood_image, k.scatterOnSolid ? rand() % 10 : 0);
                p->active = 0;
            }
            if (probeAt(stairs, p, dx, p->h)) {
                stamp(p, blood_image, rand() % 10);
                p->active = 0;
            }
        }
    }
}

void spawnBlood(int x, int y) { spawnDrop(greenDrops, x, y); }
void spawnBlood2(int x, int y) { spawnDrop(purpleDrops, x, y); }
void updateBlood() { updateDrops(greenDrops); }
void updateBlood2() { updateDrops(purpleDrops); }

// ---- Gibs: stick where they first touch a floor, never bounce.

struct GibKind {
    DebrisParticle **pool;
    BITMAP **picture;
    Fighter **owner;
    ArenaEdges edges;
};

static const GibKind greenGibs = {greengib, &greengib_image, &player, {1190, 0, 8, 0, 1599, 0}};
static const GibKind purpleGibs = {purplegib, &purplegib_image, &player2, {1199, 1, 8, 0, 1599, 0}};

static void spawnGib(const GibKind &k, int x, int y)
{
    DebrisParticle *p = takeSlot(k.pool, GIB_COUNT, x, y);
    if (!p)
        return;
    p->yImpulse = rand() % 20 - 10;
    p->fallSpeed = 0;
    p->xVel = thrownWith(*k.owner, rand() % 12 - 6);
}

static void updateGibKind(const GibKind &k)
{
    BITMAP *pic = *k.picture;
    for (int i = 0; i < GIB_COUNT; i++) {
        DebrisParticle *p = k.pool[i];
        if (!p || !fliesOn(p, k.edges, pic))
            continue;
        gravityStep(p, p->w / 2, p->h / 2);
        for (int dx = 0; dx < 5; dx++) {
            if (probeAt(collided, p, dx, p->h)) {
                stamp(p, pic, 0);
                freeParticle(p);
                break;
            }
            if (probeAt(stairs, p, dx, p->h)) {
                stamp(p, pic, rand() % 10);
                freeParticle(p);
                break;
            }
        }
    }
}

void spawnGibs(int x, int y) { spawnGib(greenGibs, x, y); }
void spawnGibs2(int x, int y) { spawnGib(purpleGibs, x, y); }
void updateGibs() { updateGibKind(greenGibs); }
void updateGibs2() { updateGibKind(purpleGibs); }

// ---- What heads and body parts share: they tumble, bleed, bounce and rest before they
// are painted.

// How a fall meets a floor: from `bounceFrom` px a frame up it turns into an upward bounce
// of times * (fall / per), lifting the piece by `lift`; a slower fall loses 1.
struct LandingRule {
    int bounceFrom, times, per, lift;
};

static void land(DebrisParticle *p, const LandingRule &r)
{
    if (p->fallSpeed >= r.bounceFrom) {
        p->fallSpeed = -r.times * (p->fallSpeed / r.per);
        p->y += r.lift;
    } else if (p->fallSpeed >= 1) {
        p->fallSpeed -= 1;
    }
}

static void landOnBlocks(DebrisParticle *p, BlockProbe probe, int dx, const LandingRule &r)
{
    if (probeAt(probe, p, dx, p->h + p->fallSpeed))
        land(p, r);
}

// Rebounds off the block just ahead of either side at height dy; slower than `divisor` px
// a frame it stops dead.
static void bounceOffWalls(DebrisParticle *p, BlockProbe probe, int dy, int divisor)
{
    if (p->xVel != 0 && probeAt(probe, p, p->xVel, dy))
        p->xVel = -p->xVel / divisor;
    if (p->xVel != 0 && probeAt(probe, p, p->w + p->xVel, dy))
        p->xVel = -p->xVel / divisor;
}

static void rubOnGround(DebrisParticle *p)
{
    if (p->xVel > 0 && probeAt(collided, p, p->w / 2, p->h + 4))
        p->xVel--;
    if (p->xVel < 0 && probeAt(collided, p, p->w / 2, p->h + 4))
        p->xVel++;
}

// A ceiling above or a floor below the vertical impulse takes it away.
static void stopImpulse(DebrisParticle *p, BlockProbe probe, int dx)
{
    if (p->yImpulse != 0 && probeAt(probe, p, dx, p->yImpulse))
        p->yImpulse = 0;
    if (p->yImpulse != 0 && probeAt(probe, p, dx, p->h + p->yImpulse))
        p->yImpulse = 0;
}

static int centreIn(BlockProbe probe, const DebrisParticle *p)
{
    return probeAt(probe, p, p->w / 2, p->h / 2);
}

// Counts the still frames toward the stamp.
static void countRest(DebrisParticle *p)
{
    if (p->fallSpeed == 0 && p->xVel == 0 && p->yImpulse == 0 && p->restTimer > 0)
        p->restTimer--;
}

static void bleedTrail(const DebrisParticle *p, BloodSpawn bleed, int drops)
{
    if (p->xVel != 0)
        for (int n = 0; n < drops; n++)
            bleed((int)p->x, (int)p->y);
}

// Flight without a friction counter: the impulse decays every frame, a crawl of 1 px a
// frame stops, and the piece turns only while it moves sideways. An angle below 0 becomes
// 256 and one above 256 becomes 0: the small jump in the tumble is part of its look.
static void tumble(DebrisParticle *p)
{
    clampStep(p, 15, 30);
    if (p->xVel != 0 || p->yImpulse != 0) {
        p->x += p->xVel;
        p->y += p->yImpulse;
    }
    p->yImpulse = towardZero(p->yImpulse);
    if (p->xVel == 1 || p->xVel == -1)
        p->xVel = 0;
    if (p->xVel != 0)
        p->angle += p->spin;
    if (p->angle < 0)
        p->angle = 256;
    else if (p->angle > 256)
        p->angle = 0;
    if (p->spin == 0 && p->xVel < 0)
        p->spin = -(rand() % 50);
    if (p->spin == 0 && p->xVel > 0)
        p->spin = rand() % 50;
}

// The arena's side walls send a piece back at -xVel / divisor.
static void turnAtSides(DebrisParticle *p, int divisor)
{
    if (p->x > 1599) {
        p->x = 1599.0;
        p->xVel = -p->xVel / divisor;
    }
    if (p->x < 0) {
        p->x = 0.0;
        p->xVel = -p->xVel / divisor;
    }
}

// A piece moving sideways with its centre inside the opponent's box turns back; it is not
// pushed out, so it turns again on every frame it stays inside.
static void turnAtOpponent(DebrisParticle *p, BoxTest inside, int divisor)
{
    if (p->xVel != 0 && inside((int)(p->x + p->w / 2), (int)(p->y + p->h / 2)))
        p->xVel = -p->xVel / divisor;
}

// Gravity on the block under the centre column; a bounce faster than 14 px a frame upward
// is dropped.
static void fallTumbling(DebrisParticle *p, bool live)
{
    if (live && !probeAt(collided, p, p->w / 2, p->h)) {
        p->y += p->fallSpeed;
        p->fallSpeed++;
    }
    if (p->fallSpeed < -14)
        p->fallSpeed = 0;
    capFall(p);
}

// ---- Heads.

struct HeadKind {
    DebrisParticle **pool;
    Fighter **owner;
    BloodSpawn bleed;
    int trailDrops;
    int bottomEdge;
    BoxTest opponentHit;   // the box of the fighter who turns this team's heads back
};

static const HeadKind greenHeads = {greenhead, &player, spawnBlood, 2, 1190, hit};
static const HeadKind purpleHeads = {purplehead, &player2, spawnBlood2, 1, 1199, hit2};

static const LandingRule headOnSolid = {5, 3, 4, 0};
static const LandingRule headOnStairs = {9, 2, 3, 4};

static void spawnHeadOf(const HeadKind &k, int x, int y)
{
    DebrisParticle *p = takeSlot(k.pool, HEAD_COUNT, x, y);
    if (!p)
        return;
    p->yImpulse = -16;
    p->fallSpeed = 0;
    p->restTimer = 150;
    p->imageIndex = rand() % 4;
    p->groundTimer = 100;
    p->xVel = thrownWith(*k.owner, rand() % 16 - 8);
}

// One frame of a live head; false when it ended (stamped or gone).
static bool moveHead(DebrisParticle *p, const HeadKind &k)
{
    BITMAP *pic = head_image[p->imageIndex & 3];
    countRest(p);
    if (p->restTimer < 1) {
        stamp(p, pic, 0);
        return false;
    }
    bleedTrail(p, k.bleed, k.trailDrops);
    if (probeAt(collided, p, p->w / 2, p->h / 2 + 14))
        p->groundTimer--;
    if (p->groundTimer < 1) {
        stamp(p, pic, 0);
        return false;
    }
    tumble(p);
    if (p->y > k.bottomEdge || p->y < 8)
        return false;
    turnAtSides(p, 1);
    fallTumbling(p, true);

    landOnBlocks(p, collided, 0, headOnSolid);
    bounceOffWalls(p, collided, 0, 2);
    rubOnGround(p);
    stopImpulse(p, collided, 0);
    if (centreIn(collided, p) || centreIn(stairs, p)) {
        stamp(p, pic, rand() % 10);
        return false;
    }
    landOnBlocks(p, stairs, 0, headOnStairs);
    bounceOffWalls(p, stairs, 0, 2);
    stopImpulse(p, stairs, 0);

    turnAtOpponent(p, k.opponentHit, 1);
    return true;
}

static void updateHeadKind(const HeadKind &k)
{
    for (int i = 0; i < HEAD_COUNT; i++) {
        DebrisParticle *p = k.pool[i];
        if (p && p->active == 1 && !moveHead(p, k))
            freeParticle(p);
    }
}

void spawnHead(int x, int y) { spawnHeadOf(greenHeads, x, y); }
void spawnHead2(int x, int y) { spawnHeadOf(purpleHeads, x, y); }
void updateHead() { updateHeadKind(greenHeads); }
void updateHead2() { updateHeadKind(purpleHeads); }

// ---- Torsos, arms and legs.

struct BodyPartKind {
    DebrisParticle **pool;
    int count;
    BITMAP **picture;
    Fighter **owner;
    int armThrow;          // thrown up at a random speed and a random angle
    BloodSpawn bleed;
    int trailDrops;
    int bottomEdge;
    int sideDivisor;       // the arena's side edges send it back at -xVel / this
    int torsoForm;         // the green torso's own single collision pass
    int sweeps;            // else the collision pass runs once per column 0..sweeps-1
    int divisor;           // D: bounces off floors, walls and the opponent
    BoxTest opponentHit;
};

static const BodyPartKind greenTorsos = {greentorso, TORSO_COUNT, &greentorso_image, &player, 0,
                                         spawnBlood, 3, 1190, 2, 1, 0, 3, hit};
static const BodyPartKind purpleTorsos = {purpletorso, TORSO_COUNT, &purpletorso_image, &player2, 0,
                                          spawnBlood2, 2, 1199, 1, 0, 13, 3, hit2};
static const BodyPartKind greenArms = {greenarm, LIMB_COUNT, &greenarm_image, &player, 1,
                                       spawnBlood, 1, 1190, 1, 0, 2, 4, hit};
static const BodyPartKind greenLegs = {greenleg, LIMB_COUNT, &greenleg_image, &player, 0,
                                       spawnBlood, 1, 1190, 1, 0, 2, 4, hit};
static const BodyPartKind purpleArms = {purplearm, LIMB_COUNT, &purplearm_image, &player2, 1,
                                        spawnBlood2, 1, 1199, 1, 0, 2, 4, hit2};
static const BodyPartKind purpleLegs = {purpleleg, LIMB_COUNT, &purpleleg_image, &player2, 0,
                                        spawnBlood2, 1, 1199, 1, 0, 2, 4, hit2};

static const LandingRule partOnSurface = {9, 1, 2, 0};

// A part whose throw starts from the sideways speed its slot was left with.
static void spawnBodyPart(const BodyPartKind &k, int x, int y)
{
    DebrisParticle *p = takeSlot(k.pool, k.count, x, y);
    if (!p)
        return;
    if (k.armThrow) {
        p->yImpulse = rand() % 10 - 17;
        p->angle = rand() % 255;
    } else {
        p->yImpulse = -16;
    }
    p->fallSpeed = 0;
    p->restTimer = 100;
    p->xVel = thrownWith(*k.owner, p->xVel);
}

// A part lodged in a solid or stairs block is painted where it is.
static void lodgeIfInside(DebrisParticle *p, BITMAP *pic)
{
    for (BlockProbe probe : {collided, stairs}) {
        if (p->active && centreIn(probe, p)) {
            stamp(p, pic, 0);
            p->active = 0;
        }
    }
}

static void collideSweep(DebrisParticle *p, const BodyPartKind &k, BITMAP *pic, int i)
{
    const LandingRule onSolid = {5, 1, k.divisor, 0};
    landOnBlocks(p, collided, i, onSolid);
    bounceOffWalls(p, collided, i, k.divisor);
    rubOnGround(p);
    stopImpulse(p, collided, i);
    lodgeIfInside(p, pic);
    landOnBlocks(p, stairs, i, partOnSurface);
    bounceOffWalls(p, stairs, i, k.divisor);
    stopImpulse(p, stairs, i);
}

// The green torso feels the floor under its first 13 columns but meets walls, ceilings and
// stairs at one point 13 px in.
static void collideTorso(DebrisParticle *p, const BodyPartKind &k, BITMAP *pic)
{
    const LandingRule onSolid = {5, 1, k.divisor, 0};
    for (int i = 0; i < 13; i++)
        landOnBlocks(p, collided, i, onSolid);
    bounceOffWalls(p, collided, 13, k.divisor);
    rubOnGround(p);
    stopImpulse(p, collided, 13);
    lodgeIfInside(p, pic);
    if (probeAt(stairs, p, 13, p->h + p->fallSpeed)) {
        land(p, partOnSurface);
        bounceOffWalls(p, stairs, 13, k.divisor);
        stopImpulse(p, stairs, 13);
    }
}

// A freed part still runs the rest of its turn, except for gravity, lodging and the
// opponent: the slot keeps the speed the turn ends with.
static void updateBodyParts(const BodyPartKind &k)
{
    BITMAP *pic = *k.picture;
    for (int i = 0; i < k.count; i++) {
        DebrisParticle *p = k.pool[i];
        if (!p || p->active != 1)
            continue;
        countRest(p);
        if (p->restTimer <= 0) {
            stamp(p, pic, 0);
            p->active = 0;
        }
        bleedTrail(p, k.bleed, k.trailDrops);
        tumble(p);
        if (p->y > k.bottomEdge) {
            p->y = k.bottomEdge;
            p->yImpulse = 0;
            p->active = 0;
        }
        if (p->y < 8) {
            p->y = 0;
            p->yImpulse = 0;
            p->active = 0;
        }
        turnAtSides(p, k.sideDivisor);
        fallTumbling(p, p->active != 0);
        if (k.torsoForm)
            collideTorso(p, k, pic);
        else
            for (int s = 0; s < k.sweeps; s++)
                collideSweep(p, k, pic, s);
        if (p->active)
            turnAtOpponent(p, k.opponentHit, k.divisor);
    }
}

void spawnTorso(int x, int y) { spawnBodyPart(greenTorsos, x, y); }
void spawnArm(int x, int y) { spawnBodyPart(greenArms, x, y); }
void spawnLeg(int x, int y) { spawnBodyPart(greenLegs, x, y); }
void spawnTorso2(int x, int y) { spawnBodyPart(purpleTorsos, x, y); }
void spawnArm2(int x, int y) { spawnBodyPart(purpleArms, x, y); }
void spawnLeg2(int x, int y) { spawnBodyPart(purpleLegs, x, y); }
void updateTorso() { updateBodyParts(greenTorsos); }
void updateArm() { updateBodyParts(greenArms); }
void updateLeg() { updateBodyParts(greenLegs); }
void updateTorso2() { updateBodyParts(purpleTorsos); }
void updateArm2() { updateBodyParts(purpleArms); }
void updateLeg2() { updateBodyParts(purpleLegs); }

// ---- Spent casings: no team; both fighters throw into the same pools.

struct CasingKind {
    DebrisParticle **pool;
    int count;
    BITMAP **picture;
    int wallBounce;
};

static const CasingKind gibCasings = {gibcasing, GIBCASING_COUNT, &gibcasing_image, 1};
static const CasingKind zapZapCasings = {zapzapcasing, ZAPZAPCASING_COUNT, &zapzapcasing_image, 0};
static const CasingKind homoCasings = {homocasing, HOMOCASING_COUNT, &homocasing_image, 1};

// A casing is painted wherever it leaves the arena.
static const ArenaEdges casingEdges = {1196, 1, 4, 1, 1596, 4};

// Thrown up and out behind a shooter facing `facing`.
static void spawnCasing(const CasingKind &k, int x, int y, int facing)
{
    DebrisParticle *p = takeSlot(k.pool, k.count, x, y);
    if (!p)
        return;
    p->yImpulse = rand() % 5 - 10;
    p->fallSpeed = 0;
    if (facing == FACING_LEFT)
        p->xVel = rand() % 10 + 4;
    else if (facing == FACING_RIGHT)
        p->xVel = rand() % 10 - 14;
}

// The casing's lifetime (`imageIndex`) belongs to its slot: counted down once a second
// while a casing lives there, back to 15 only when it runs out.
static void ageCasing(DebrisParticle *p)
{
    if (secondscount == 0)
        p->imageIndex--;
    if (p->imageIndex <= 0) {
        p->imageIndex = 15;
        p->active = 0;
    }
}

static void updateCasings(const CasingKind &k)
{
    BITMAP *pic = *k.picture;
    for (int i = 0; i < k.count; i++) {
        DebrisParticle *p = k.pool[i];
        if (!p)
            continue;
        const int wasLive = p->active;
        if (fliesOn(p, casingEdges, pic)) {
            gravityStep(p, p->w / 2, p->h);
            if (probeAt(collided, p, 0, p->h)) {
                stamp(p, pic, 0);
                p->active = 0;
            }
            if (k.wallBounce) {
                if (probeAt(collided, p, -p->xVel, 0))
                    p->xVel = -p->xVel;
                if (probeAt(collided, p, p->xVel, 0))
                    p->xVel = -p->xVel;
                if (probeAt(collided, p, p->w + p->xVel, 0))
                    p->xVel = -p->xVel;
            }
            if (probeAt(stairs, p, 0, p->h)) {
                stamp(p, pic, rand() % 10);
                p->active = 0;
            }
        }
        // Even a casing that has just left the arena ages its slot.
        if (wasLive)
            ageCasing(p);
    }
}

void spawnGibCasing(int x, int y, int facing) { spawnCasing(gibCasings, x, y, facing); }
void spawnZapZapCasing(int x, int y, int facing) { spawnCasing(zapZapCasings, x, y, facing); }
void spawnHomoCasing(int x, int y, int facing) { spawnCasing(homoCasings, x, y, facing); }
void updateGibCasing() { updateCasings(gibCasings); }
void updateZapZapCasing() { updateCasings(zapZapCasings); }
void updateHomoCasing() { updateCasings(homoCasings); }

// Gore touching the 2-pixel band along any edge is not drawn.
static void drawDebris(const DebrisParticle *p, BITMAP *pic)
{
    if (p && p->active && p->y > 2 && p->y + p->h < 1198 && p->x > 2 && p->x + p->w < 1598)
        drawTurned(buffer, pic, (int)p->x, (int)p->y, p->angle);
}

// Slot by slot, green before purple, so a purple piece covers a green one of the same slot.
static void drawDebrisPair(DebrisParticle **green, DebrisParticle **purple, int count,
                           BITMAP *greenPic, BITMAP *purplePic)
{
    for (int i = 0; i < count; i++) {
        drawDebris(green[i], greenPic);
        drawDebris(purple[i], purplePic);
    }
}

static BITMAP *headPicture(const DebrisParticle *p)
{
    return p ? head_image[p->imageIndex & 3] : NULL;
}

void drawBlood()
{
    drawDebrisPair(greenblood, purpleblood, BLOOD_COUNT, blood_image, blood_image);
    drawDebrisPair(greengib, purplegib, GIB_COUNT, greengib_image, purplegib_image);
    for (int i = 0; i < HEAD_COUNT; i++) {
        drawDebris(greenhead[i], headPicture(greenhead[i]));
        drawDebris(purplehead[i], headPicture(purplehead[i]));
    }
    drawDebrisPair(greentorso, purpletorso, TORSO_COUNT, greentorso_image, purpletorso_image);
    drawDebrisPair(greenarm, purplearm, LIMB_COUNT, greenarm_image, purplearm_image);
    drawDebrisPair(greenleg, purpleleg, LIMB_COUNT, greenleg_image, purpleleg_image);
}
