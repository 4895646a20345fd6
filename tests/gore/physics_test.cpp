// The flight, bounce, rest and landing rules of every gore and casing kind, on the
// generated arenas.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/clock.h"
#include "core/fighter.h"
#include "core/world.h"
#include "gore_env.h"

namespace {

// Hell: open air around (800, 400); a plain floor whose top is y 256 at x 330; a stairs
// block whose top is y 224 at x 514 with a plain floor under it; the left edge wall, its
// face at x 32, at y 900. London: open sky along its top rows, right to both side edges.
const int FLOOR_X = 330, FLOOR_TOP = 256, STAIRS_X = 514, STAIRS_TOP = 224;

// Clamps, one moving frame, the blood trail, air friction, the fall and the spin step.
TEST_F(GoreTest, EveryKindFliesByItsOwnBoundsAndFriction)
{
    const struct { const char *kind; int clampX, xVelAfter, trail, xVelAfter4, angle; } rows[] = {
        {"green blood", 20, 19, 0, 8, 260},   {"purple blood", 20, 19, 0, 8, 260},
        {"green gib", 20, 19, 0, 8, 260},     {"purple gib", 20, 19, 0, 8, 260},
        {"green head", 15, 15, 2, 10, 0},     {"purple head", 15, 15, 1, 10, 0},
        {"green torso", 15, 15, 3, 10, 0},    {"purple torso", 15, 15, 2, 10, 0},
        {"green arm", 15, 15, 1, 10, 0},      {"purple leg", 15, 15, 1, 10, 0},
        {"gib casing", 20, 19, 0, 8, 260},    {"zapzap casing", 20, 19, 0, 8, 260},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.kind);
        const GoreKind &k = goreKind(r.kind);
        setupBlood();
        setupBlood2();
        DebrisParticle *p = placeStill(k, 800, 400);
        p->xVel = 99;   // as an explosion's push may leave it
        p->yImpulse = -99;
        p->fallSpeed = 20;
        p->angle = 250;
        p->spin = 10;
        k.update();
        EXPECT_EQ(p->x, 800 + r.clampX);
        EXPECT_EQ(p->xVel, r.xVelAfter);
        EXPECT_EQ(p->yImpulse, -29);
        EXPECT_EQ(p->y, 400 - 30 + 20);
        EXPECT_EQ(p->fallSpeed, 14);
        EXPECT_EQ(p->angle, r.angle);
        int own = 0, other = 0;
        for (int i = 0; i < BLOOD_COUNT; i++) {
            own += (k.team == 2 ? purpleblood : greenblood)[i]->active;
            other += (k.team == 2 ? greenblood : purpleblood)[i]->active;
        }
        EXPECT_EQ(own - (k.pool == greenblood || k.pool == purpleblood), r.trail);
        EXPECT_EQ(other, 0);

        p = placeStill(k, 800, 300);
        p->xVel = 10;
        p->frictionPeriod = 1;
        for (int i = 0; i < 4; i++)
            k.update();
        EXPECT_EQ(p->xVel, r.xVelAfter4);
        EXPECT_EQ(p->y, 300 + 0 + 1 + 2 + 3);
    }
}

const int ANY = -999;
enum Spot { AT, ON_FLOOR, ABOVE_STAIRS };   // ABOVE_STAIRS: one fall above the stairs block

struct FrameRow {
    const char *kind;
    int arena;
    Spot spot;
    double x, y;
    int xVel, fall;
    int live, stained, xVelAfter, fallAfter;
};

const int H = ARENA_HELL, L = ARENA_LONDON;
const FrameRow frameRows[] = {
    // Where each kind leaves the arena, and whether it is painted there.
    {"green blood", L, AT, 800, 1197, 0, 0, 0, 0, ANY, ANY},
    {"purple blood", L, AT, 800, 1197, 0, 0, 0, 1, ANY, ANY},
    {"green blood", L, AT, 800, 7, 0, 0, 1, 0, ANY, ANY},
    {"purple blood", L, AT, 800, 7, 0, 0, 0, 0, ANY, ANY},
    {"green blood", L, AT, 1597, 100, 0, 0, 0, 1, ANY, ANY},
    {"purple blood", L, AT, 1596, 100, 0, 0, 1, 0, ANY, ANY},
    {"purple blood", L, AT, 3, 100, 0, 0, 0, 1, ANY, ANY},
    {"green gib", L, AT, 800, 1191, 0, 0, 0, 0, ANY, ANY},
    {"purple gib", L, AT, 800, 1191, 0, 0, 0, 1, ANY, ANY},
    {"green gib", L, AT, -0.5, 100, 0, 0, 0, 1, ANY, ANY},
    {"gib casing", L, AT, 800, 3, 0, 0, 0, 1, ANY, ANY},
    {"green head", L, AT, 800, 1191, 0, 0, 0, 0, ANY, ANY},
    {"purple head", L, AT, 800, 1191, 0, 0, 0, 1, ANY, ANY},
    {"green torso", L, AT, 800, 1191, 0, 0, 0, 0, ANY, ANY},
    {"purple torso", L, AT, 800, 1191, 0, 0, 0, 1, ANY, ANY},
    // The side edges turn heads and body parts back.
    {"green torso", L, AT, 1605, 100, 12, 0, 1, 0, -6, ANY},
    {"purple torso", L, AT, 1605, 100, 12, 0, 1, 0, -12, ANY},
    {"green head", L, AT, 1605, 100, 6, 0, 1, 0, -6, ANY},
    {"green torso", L, AT, -5, 100, -12, 0, 1, 0, 6, ANY},
    // Floors and stairs bounce a fast fall and slow a slow one.
    {"green torso", H, ON_FLOOR, 0, 0, 0, 14, 1, 0, ANY, -4},
    {"green arm", H, ON_FLOOR, 0, 0, 0, 14, 1, 0, ANY, -3},
    {"green torso", H, ON_FLOOR, 0, 0, 0, 4, 1, 0, ANY, 0},
    {"green arm", H, ON_FLOOR, 0, 0, 0, 4, 1, 0, ANY, 2},
    {"green head", H, ON_FLOOR, 0, 0, 0, 14, 1, 0, ANY, -9},
    {"green arm", H, ABOVE_STAIRS, 0, 0, 0, 11, 1, 0, ANY, -6},
    {"green leg", H, ABOVE_STAIRS, 0, 0, 0, 7, 1, 0, ANY, 6},
    {"green torso", H, ABOVE_STAIRS, 0, 0, 0, 7, 1, 0, ANY, 7},
    {"purple torso", H, ABOVE_STAIRS, 0, 0, 0, 7, 1, 0, ANY, 0},
    {"green head", H, ABOVE_STAIRS, 0, 0, 0, 11, 1, 0, ANY, -8},
    // Fighter 2's box turns the green kinds back only.
    {"green head", H, AT, 1105, 385, 6, 0, 1, 0, -6, ANY},
    {"purple head", H, AT, 1105, 385, 6, 0, 1, 0, 6, ANY},
    {"green torso", H, AT, 1105, 385, 9, 0, 1, 0, -3, ANY},
    {"green arm", H, AT, 1105, 385, 9, 0, 1, 0, -2, ANY},
    // Gib and homo casings rebound off a wall, zapzap casings fly on.
    {"gib casing", H, AT, 46, 900, -10, 0, 1, 0, 9, ANY},
    {"zapzap casing", H, AT, 46, 900, -10, 0, 1, 0, -9, ANY},
};

TEST_F(GoreTest, OneFrameAtTheEdgesFloorsWallsAndTheOpponent)
{
    int arena = H;
    for (const FrameRow &r : frameRows) {
        SCOPED_TRACE(::testing::Message() << r.kind << " at " << r.x << ", " << r.y << " falling "
                                          << r.fall);
        if (r.arena != arena)
            useArena(arena = r.arena);
        player2->x = 1100;
        player2->y = 380;
        const GoreKind &k = goreKind(r.kind);
        const int h = k.pool[0]->h;
        double x = r.spot == AT ? r.x : r.spot == ON_FLOOR ? FLOOR_X : STAIRS_X;
        double y = r.spot == AT         ? r.y
                   : r.spot == ON_FLOOR ? FLOOR_TOP - h
                                        : STAIRS_TOP - h - r.fall;
        clearStains();
        srand(1);   // a head lodged in the floor is painted 0..9 px low: here within the layer
        StainWatch stains;
        DebrisParticle *p = placeStill(k, x, y);
        p->xVel = r.xVel;
        p->fallSpeed = r.fall;
        k.update();
        EXPECT_EQ(p->active, r.live);
        EXPECT_EQ(stains.changed((int)x - 4, (int)y - 4, 40, 40) > 0, r.stained);
        if (r.xVelAfter != ANY) {
            EXPECT_EQ(p->xVel, r.xVelAfter);
        }
        if (r.fallAfter != ANY) {
            EXPECT_EQ(p->fallSpeed, r.fallAfter);
        }
    }
}

// A still piece on the floor lives 99 frames, is painted on the 100th (a head by its ground
// timer), and its stain is left alone after.
TEST_F(GoreTest, RestingPiecesArePaintedOnce)
{
    for (const char *name : {"green head", "purple head", "green torso", "purple arm"}) {
        SCOPED_TRACE(name);
        const GoreKind &k = goreKind(name);
        const int h = k.pool[0]->h, w = k.pool[0]->w;
        clearStains();
        StainWatch before;
        DebrisParticle *p = placeStill(k, FLOOR_X, FLOOR_TOP - h);
        p->restTimer = k.pool == greenhead || k.pool == purplehead ? 150 : 100;
        for (int i = 1; i < 100; i++)
            k.update();
        EXPECT_EQ(p->active, 1);
        EXPECT_EQ(before.changed(FLOOR_X, FLOOR_TOP - h, w, h + 10), 0);
        k.update();
        EXPECT_EQ(p->active, 0);
        EXPECT_GT(before.changed(FLOOR_X, FLOOR_TOP - h, w, h + 10), 0);
        StainWatch after;
        for (int i = 0; i < 200; i++)
            k.update();
        EXPECT_EQ(after.changed(0, 0, 1600, 1200), 0);
    }
}

// A landing is painted where the piece lies, or 0..9 px lower (`lower`), over 12 seeds.
TEST_F(GoreTest, LandingsArePaintedWhereThePieceLiesOrLower)
{
    const struct { const char *kind; int stairs, lower; } rows[] = {
        {"green gib", 0, 0},    {"purple gib", 1, 1},   {"green blood", 0, 1},
        {"purple blood", 0, 0}, {"purple blood", 1, 1}, {"gib casing", 0, 0},
        {"zapzap casing", 1, 1},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(::testing::Message() << r.kind << (r.stairs ? " on stairs" : ""));
        const GoreKind &k = goreKind(r.kind);
        const int h = k.pool[0]->h, w = k.pool[0]->w;
        const int x = r.stairs ? STAIRS_X : FLOOR_X, y = (r.stairs ? STAIRS_TOP : FLOOR_TOP) - h;
        int deepest = -1;
        for (int seed = 1; seed <= 12; seed++) {
            srand(seed);
            clearStains();
            StainWatch stains;
            DebrisParticle *p = placeStill(k, x, y);
            k.update();
            ASSERT_EQ(p->active, 0);
            const int row = stains.lowestChangedRow(x, y, w, h + 20);
            ASSERT_GE(row, y);
            ASSERT_LE(row, y + h - 1 + 9);
            deepest = std::max(deepest, row);
        }
        EXPECT_EQ(deepest > y + h - 1, (bool)r.lower);
    }
}

// The lifetime belongs to the slot: counted down once a second, removed without a stain
// when it runs out, and set back to 15 only then.
TEST_F(GoreTest, ACasingSlotsLifetimeRunsOutInWholeSeconds)
{
    DebrisParticle *p = placeStill(goreKind("zapzap casing"), 800, 400);
    p->imageIndex = 2;
    StainWatch stains;
    updateZapZapCasing();
    secondscount = 0;
    updateZapZapCasing();
    EXPECT_TRUE(p->active == 1 && p->imageIndex == 1);
    updateZapZapCasing();
    EXPECT_TRUE(p->active == 0 && p->imageIndex == 15);
    EXPECT_EQ(stains.changed(0, 0, 1600, 1200), 0);
}

}  // namespace
