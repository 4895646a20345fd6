// The flight, bounce and edge rules of every gore and casing kind, on the generated arenas.
#include <gtest/gtest.h>

#include "fighters/fighter.h"
#include "gore_env.h"
#include "shell/clock.h"
#include "shell/loop.h"

namespace {

// Hell: open air around (800, 400); a plain floor whose top is y 256 at x 330; a stairs
// block whose top is y 224 at x 514, a plain floor under it.
const int AIR_X = 800, AIR_Y = 400, FLOOR_X = 330, FLOOR_TOP = 256, STAIRS_X = 514,
          STAIRS_TOP = 224;

struct FlightRow {
    const char *kind;
    int clampX;          // sideways speed bound
    int xVelAfterClamp;  // after the clamp and one moving frame
    int trailDrops;      // blood drops its own team's pool gets per moving frame
    int xVelAfter4;      // 4 moving frames from 10 with friction period 1
    int angleAfter;      // from 250 turning 10 a frame: heads and parts wrap past 256 to 0
};

class GoreFlight : public GoreTest, public ::testing::WithParamInterface<FlightRow> {};

TEST_P(GoreFlight, ClampsMovesRubsAndCapsTheFall)
{
    const FlightRow &r = GetParam();
    const GoreKind &k = goreKind(r.kind);
    DebrisParticle **ownBlood = k.team == 2 ? purpleblood : greenblood;
    DebrisParticle **otherBlood = k.team == 2 ? greenblood : purpleblood;
    DebrisParticle *p = placeStill(k, AIR_X, AIR_Y);
    p->xVel = 99;
    p->yImpulse = -99;
    p->fallSpeed = 20;
    p->angle = 250;
    p->spin = 10;
    k.update();
    EXPECT_EQ(p->angle, r.angleAfter);
    EXPECT_EQ(p->x, AIR_X + r.clampX);
    EXPECT_EQ(p->xVel, r.xVelAfterClamp);
    EXPECT_EQ(p->yImpulse, -29);
    EXPECT_EQ(p->y, AIR_Y - 30 + 20);
    EXPECT_EQ(p->fallSpeed, 14);
    int drops = 0, foreign = 0;
    for (int i = 0; i < BLOOD_COUNT; i++) {
        drops += ownBlood[i]->active && ownBlood[i] != p;
        foreign += otherBlood[i]->active;
    }
    EXPECT_EQ(drops, r.trailDrops);
    EXPECT_EQ(foreign, 0);

    p = placeStill(k, AIR_X, 300);
    p->xVel = 10;
    p->frictionPeriod = 1;
    for (int i = 0; i < 4; i++)
        k.update();
    EXPECT_EQ(p->xVel, r.xVelAfter4);
    EXPECT_EQ(p->fallSpeed, 4);
    EXPECT_EQ(p->y, 300 + 0 + 1 + 2 + 3);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, GoreFlight,
    ::testing::Values(FlightRow{"green blood", 20, 19, 0, 8, 260},
                      FlightRow{"purple blood", 20, 19, 0, 8, 260},
                      FlightRow{"green gib", 20, 19, 0, 8, 260},
                      FlightRow{"purple gib", 20, 19, 0, 8, 260},
                      FlightRow{"green head", 15, 15, 2, 10, 0},
                      FlightRow{"purple head", 15, 15, 1, 10, 0},
                      FlightRow{"green torso", 15, 15, 3, 10, 0},
                      FlightRow{"purple torso", 15, 15, 2, 10, 0},
                      FlightRow{"green arm", 15, 15, 1, 10, 0},
                      FlightRow{"purple leg", 15, 15, 1, 10, 0},
                      FlightRow{"gib casing", 20, 19, 0, 8, 260},
                      FlightRow{"zapzap casing", 20, 19, 0, 8, 260}));

// A still piece at (x, y) on London, whose top rows are open sky: is it still live after one
// frame, and did it leave a stain?
struct EdgeRow {
    const char *kind;
    double x, y;
    int live, stained;
};

TEST_F(GoreTest, EachKindLeavesTheArenaByItsOwnEdges)
{
    useArena(ARENA_LONDON);
    const EdgeRow rows[] = {
        {"green blood", 800, 1197, 0, 0},   {"purple blood", 800, 1197, 0, 1},
        {"green blood", 800, 7, 1, 0},      {"purple blood", 800, 7, 0, 0},
        {"green blood", 1597, 100, 0, 1},   {"purple blood", 1596, 100, 1, 0},
        {"purple blood", 3, 100, 0, 1},     {"green blood", 4, 100, 1, 0},
        {"green gib", 800, 1191, 0, 0},     {"purple gib", 800, 1191, 0, 1},
        {"green gib", -0.5, 100, 0, 1},     {"purple gib", 0, 100, 1, 0},
        {"purple gib", 800, 7, 0, 0},       {"gib casing", 800, 3, 0, 1},
        {"zapzap casing", 800, 1197, 0, 1}, {"homo casing", 1597, 100, 0, 1},
        {"green head", 800, 1191, 0, 0},    {"purple head", 800, 1191, 0, 1},
        {"purple head", 800, 7, 0, 0},      {"green torso", 800, 1191, 0, 0},
        {"purple torso", 800, 1191, 0, 1},  {"green arm", 800, 7, 0, 0},
    };
    for (const EdgeRow &r : rows) {
        SCOPED_TRACE(::testing::Message() << r.kind << " at " << r.x << ", " << r.y);
        const GoreKind &k = goreKind(r.kind);
        clearStains();
        srand(1);   // a head lodged in the floor is painted 0..9 px low: here within the layer
        StainWatch stains;
        DebrisParticle *p = placeStill(k, r.x, r.y);
        k.update();
        EXPECT_EQ(p->active, r.live);
        EXPECT_EQ(stains.changed((int)r.x - 4, (int)r.y - 4, 40, 40) > 0, r.stained);
    }
}

TEST_F(GoreTest, SideEdgesTurnHeadsAndBodyPartsBack)
{
    useArena(ARENA_LONDON);
    const struct { const char *kind; double x; int xVel, x2, xVel2; } rows[] = {
        {"green torso", 1605, 12, 1599, -6}, {"purple torso", 1605, 12, 1599, -12},
        {"green arm", 1605, 12, 1599, -12},  {"purple leg", 1605, 12, 1599, -12},
        {"green head", 1605, 6, 1599, -6},   {"green torso", -5, -12, 0, 6},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.kind);
        DebrisParticle *p = placeStill(goreKind(r.kind), r.x, 100);
        p->xVel = r.xVel;
        goreKind(r.kind).update();
        EXPECT_EQ(p->active, 1);
        EXPECT_EQ(p->x, r.x2);
        EXPECT_EQ(p->xVel, r.xVel2);
    }
}

// Fall speed after one frame of a piece resting on a floor (or falling onto the stairs
// block) at `fall` px a frame.
TEST_F(GoreTest, FloorsAndStairsBounceOrSlowAFall)
{
    const struct { const char *kind; int stairs, fall, after; } rows[] = {
        {"green torso", 0, 14, -4},  {"purple torso", 0, 14, -4}, {"green arm", 0, 14, -3},
        {"purple leg", 0, 14, -3},   {"green torso", 0, 4, 0},    {"purple torso", 0, 4, 0},
        {"green arm", 0, 4, 2},      {"green head", 0, 14, -9},   {"purple head", 0, 8, -6},
        {"green arm", 1, 11, -6},    {"green leg", 1, 7, 6},      {"green torso", 1, 7, 7},
        {"purple torso", 1, 7, 0},   {"green torso", 1, 11, -6},  {"green head", 1, 11, -8},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(::testing::Message() << r.kind << (r.stairs ? " on stairs from " : " from ")
                                          << r.fall);
        const GoreKind &k = goreKind(r.kind);
        int h = k.pool[0]->h;
        DebrisParticle *p = r.stairs ? placeStill(k, STAIRS_X, STAIRS_TOP - h - r.fall)
                                     : placeStill(k, FLOOR_X, FLOOR_TOP - h);
        p->fallSpeed = r.fall;
        k.update();
        EXPECT_EQ(p->active, 1);
        EXPECT_EQ(p->fallSpeed, r.after);
    }
}

// Fighter 2 stands in open air, fighter 1 far away: only the green kinds meet a box.
TEST_F(GoreTest, HeadsAndPartsTurnAtTheOpponentOnly)
{
    player2->x = 780;
    player2->y = 380;
    const struct { const char *kind; int xVel, after; } rows[] = {
        {"green head", 6, -6}, {"purple head", 6, 6}, {"green torso", 9, -3},
        {"green arm", 9, -2},  {"purple arm", 9, 9},  {"green leg", 0, 0},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.kind);
        DebrisParticle *p = placeStill(goreKind(r.kind), 785, 385);
        p->xVel = r.xVel;
        goreKind(r.kind).update();
        EXPECT_EQ(p->xVel, r.after);
    }
    // Still inside the box, the head turns back again on the next frame.
    DebrisParticle *head = greenhead[0];
    updateHead();
    EXPECT_EQ(head->xVel, 6);
}

// A still piece on the floor: live for `frames` - 1 frames, stamped on the last, then the
// stain is left alone.
TEST_F(GoreTest, RestingPiecesAreStampedOnce)
{
    const struct { const char *kind; int frames; } rows[] = {
        {"green head", 100}, {"purple head", 100}, {"green torso", 100}, {"purple arm", 100},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.kind);
        const GoreKind &k = goreKind(r.kind);
        int h = k.pool[0]->h, w = k.pool[0]->w;
        clearStains();
        StainWatch before;
        DebrisParticle *p = placeStill(k, FLOOR_X, FLOOR_TOP - h);
        for (int i = 1; i < r.frames; i++)
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

// Where a landing is painted: exactly where the piece lies, or 0..9 px lower.
TEST_F(GoreTest, LandingsPaintWhereThePieceLiesOrLower)
{
    const struct { const char *kind; int stairs, lower; } rows[] = {
        {"green gib", 0, 0},  {"purple gib", 1, 1},   {"green blood", 0, 1},
        {"purple blood", 0, 0}, {"purple blood", 1, 1}, {"gib casing", 0, 0},
        {"zapzap casing", 1, 1},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(::testing::Message() << r.kind << (r.stairs ? " on stairs" : ""));
        const GoreKind &k = goreKind(r.kind);
        int h = k.pool[0]->h, w = k.pool[0]->w;
        int x = r.stairs ? STAIRS_X : FLOOR_X, y = (r.stairs ? STAIRS_TOP : FLOOR_TOP) - h;
        int deepest = -1;
        for (int seed = 1; seed <= 12; seed++) {
            srand(seed);
            clearStains();
            StainWatch stains;
            DebrisParticle *p = placeStill(k, x, y);
            k.update();
            ASSERT_EQ(p->active, 0);
            int row = stains.lowestChangedRow(x, y, w, h + 20);
            ASSERT_GE(row, y);
            ASSERT_LE(row, y + h - 1 + 9);
            deepest = std::max(deepest, row);
        }
        EXPECT_EQ(deepest > y + h - 1, (bool)r.lower);
    }
}

// Casings fly out behind the shooter; gib and homo casings rebound off a wall, zapzap
// casings never do.
TEST_F(GoreTest, OnlyGibAndHomoCasingsBounceOffWalls)
{
    for (const auto &r : {std::make_pair("gib casing", 9), std::make_pair("homo casing", 9),
                          std::make_pair("zapzap casing", -9)}) {
        DebrisParticle *p = placeStill(goreKind(r.first), 430, 900);
        p->xVel = -10;
        goreKind(r.first).update();
        EXPECT_EQ(p->xVel, r.second) << r.first;
    }
}

TEST_F(GoreTest, ACasingsLifetimeIsCountedInWholeSecondsByItsSlot)
{
    useArena(ARENA_LONDON);
    StainWatch stains;
    DebrisParticle *p = placeStill(goreKind("zapzap casing"), 800, 100);
    p->imageIndex = 2;
    updateZapZapCasing();
    EXPECT_EQ(p->imageIndex, 2);
    secondscount = 0;
    updateZapZapCasing();
    EXPECT_EQ(p->imageIndex, 1);
    EXPECT_EQ(p->active, 1);
    updateZapZapCasing();
    EXPECT_EQ(p->active, 0);
    EXPECT_EQ(p->imageIndex, 15);
    EXPECT_EQ(stains.changed(0, 0, 1600, 1200), 0);
}

}  // namespace
