// The effects on bare records (no game data, no tile map): how long each lives, full pools,
// the lightning variants and when bolts come by themselves, and how sparks, power-up
// emitters and magnet bits move.
#include <gtest/gtest.h>

#include <allegro.h>
#include <functional>
#include <set>
#include <stdlib.h>
#include <string.h>
#include <string>

#include "arena/effects.h"
#include "arena/pickups.h"
#include "arena/weather.h"
#include "core/world.h"
#include "effects/world.h"

namespace {

class Effects : public EffectsWorld {};

// A pool as the table watches it: its live records (or whether its first one is live), the
// bytes of its first record, that record freed holding given bytes, and junk put into the
// fields its spawn must set.
struct PoolWatch {
    std::function<int()> live;
    std::function<std::string()> first;
    std::function<void(const std::string &)> putFirst;
    std::function<void()> dirty;
};

template <class T>
void junk(T &field)
{
    memset((void *)&field, 0x5A, sizeof field);
}

struct Every {};   // a record whose spawn sets every field

template <bool FirstOnly = false, class Record, int N, class Junk>
PoolWatch watchWith(Record *(&pool)[N], Junk dirty)
{
    return {[&pool] { return FirstOnly ? pool[0]->active : countLiveRecords(pool); },
            [&pool] { return std::string((const char *)pool[0], sizeof(Record)); },
            [&pool](const std::string &bytes) {
                memcpy((void *)pool[0], bytes.data(), sizeof(Record));
                pool[0]->active = 0;
            },
            [&pool, dirty] { dirty(pool[0]); }};
}

// The spawn sets the position and the fields named.
template <bool FirstOnly = false, class Record, int N, class... Fields>
PoolWatch watch(Record *(&pool)[N], Fields Record::*... fields)
{
    return watchWith<FirstOnly>(pool, [fields...](Record *r) {
        junk(r->x);
        junk(r->y);
        (junk(r->*fields), ...);
    });
}

template <class Record, int N>
PoolWatch watch(Record *(&pool)[N], Every)
{
    return watchWith(pool, [](Record *r) { junk(*r); });
}

struct EffectCase {
    const char *name;
    std::function<void()> spawn, update;
    PoolWatch pool;
    int capacity;
    int shortest, longest;          // updates until the first spawn is freed (0: not timed)
    std::function<bool()> firstTick;   // how it stands after its first update
};

using EP = EffectParticle;

// Each pool's record is also taken again after use: spawned, run until freed, the fields
// its spawn must set filled with junk; spawned anew it stands as a fresh record does.
TEST_F(Effects, EachEffectMovesLivesItsSpanFreesItsSlotAndAFullPoolDropsSpawns)
{
    static EffectParticle *&s = spark[0];   // the first spark slot, whatever it holds
    const PoolWatch sparks = watch(spark, &EP::fallSpeed, &EP::frictionCount, &EP::frictionPeriod,
                                   &EP::colour, &EP::kind, &EP::red, &EP::green, &EP::blue,
                                   &EP::life, &EP::xVel, &EP::yVel);
    const PoolWatch pupParts = watch(puppart, &EP::kind, &EP::direction, &EP::aux3, &EP::speedX,
                                     &EP::speedY, &EP::aux4, &EP::red, &EP::green, &EP::blue);
    const EffectCase cases[] = {
        {"homing trail", [] { spawnHomoTrail(800, 600); }, updateHomoTrail,
         watch(homotrail, Every()), HOMOTRAIL_COUNT, 16, 16,
         [] { return homotrail[0]->y == 599 && homotrail[0]->size == 2; }},
        {"cube frazzle", [] { spawnCubeFrazzle(800, 600); }, updateCubeFrazzle,
         watch(cubefrazzle), CUBEFRAZZLE_COUNT, 35, 35, [] { return cubefrazzle[0]->x == 800; }},
        {"respawn bubble", [] { spawnRespawnBubble(800, 600); }, updateRespawnBubble,
         watch(respawnbubble, &EP::side, &EP::size, &EP::speedY, &EP::endY), RESPAWNBUBBLE_COUNT,
         16, 46, [] { return respawnbubble[0]->y == 600 - respawnbubble[0]->speedY; }},
        {"lazer", [] { spawnLazer(800, 600, 900, 650); }, updateLazer,
         watch(lazer, &EP::life, &EP::colour), LAZER_COUNT, 4, 4,
         [] { return lazer[0]->points[0] == 900 && lazer[0]->points[1] == 650; }},
        {"bolt", [] { spawnLightning(800, 600, 820, 700); }, updateLightning,
         watch<true>(lightning, &EP::life, &EP::points, &EP::colour), 0, 6, 11,
         [] { return lightning[0]->x == 800; }},
        {"mini bolt", [] { spawnMiniLightning(800, 600, 820, 700); }, updateMiniLightning,
         watch(minilightning, &EP::life, &EP::points, &EP::colour), MINILIGHTNING_COUNT, 6, 11,
         [] { return abs(minilightning[0]->x - 800) <= 5 && minilightning[0]->points[7] == 700; }},
        // Sparks fly from where they were (the streak behind them), slowing their climb.
        {"yellow spark", [] { spawnSpark(800, 400, 1); }, updateSpark, sparks,
         SPARK_COUNT, 11, 15, [] {
             return s->x == 800 + s->xVel && s->y == 399 + s->yVel && s->trail[4] == 800 &&
                    s->trail[5] == 400 && s->fallSpeed == 1 && s->blue == 245;
         }},
        {"cyan spark", [] { spawnSpark(800, 400, 2); }, updateSpark, sparks,
         SPARK_COUNT, 11, 15, [] { return s->red == 245 && s->green == 255 && s->blue == 255; }},
        {"green spark", [] { spawnSpark(800, 400, 3); }, updateSpark, sparks,
         SPARK_COUNT, 11, 15, [] { return s->red == 225 && s->green == 255 && s->blue == 225; }},
        {"magenta spark", [] { spawnSpark(800, 400, 4); }, updateSpark, sparks,
         SPARK_COUNT, 11, 15, [] { return s->red == 255 && s->green == 225 && s->blue == 255; }},
        {"lamp spark", [] { spawnSpark(800, 400, 5); }, updateSpark, sparks,
         SPARK_COUNT, 26, 30, [] { return s->blue == 245 && s->y > 399 - 5 && s->y < 400; }},
        {"green power-up particle", [] { spawnPupPart(800, 600, 1, 0, 0); }, updatePupPart,
         pupParts, PUPPART_COUNT, 7, 7,
         [] { return puppart[0]->red == 40 && puppart[0]->green == 255 && puppart[0]->y == 600; }},
        {"purple power-up particle", [] { spawnPupPart(800, 600, 2, 0, 0); }, updatePupPart,
         pupParts, PUPPART_COUNT, 7, 7,
         [] { return puppart[0]->red == 192 && puppart[0]->green == 40; }},
        {"blue flame", [] { spawnBlueFlame(800, 600); }, updateBlueFlame,
         watch(blueflame, Every()), BLUEFLAME_COUNT, 16, 16, [] {
             const FlameParticle *f = blueflame[0];
             return f->y == 600 && abs(f->x - 800) <= 1 && f->size >= 8 && f->green < 255 - 2 * 5;
         }},
        {"magnet bit", [] { spawnMagnoBit(800, 600, 0); }, updateMagnoBit,
         watch(magnobit, Every()), MAGNOBIT_COUNT, 6, 22,
         [] { return magnobit[0]->x == 800 && magnobit[0]->y == 600; }},
        {"speed line", [] { spawnSpeedLine(800, 600, 1, 40); }, updateSpeedLine,
         watch(speedLine, &EP::speedX, &EP::size, &EP::speedY, &EP::red, &EP::green, &EP::blue,
               &EP::lineDirection),
         SPEEDLINE_COUNT, 22, 22, [] { return speedLine[0]->x == 840; }},
        {"bubble", [] { spawnBubble(800, 600, 0, 0, 5, 500); }, updateBubble,
         watch(bubble, &EP::xVel, &EP::yVel, &EP::aux5, &EP::topY, &EP::speedY), BUBBLE_COUNT, 35,
         101, [] { return bubble[0]->y == 600 - bubble[0]->speedY; }},
        {"ground bit", [] { spawnGroundBit(800, 600, 9, 9, 9, 0, 0); }, updateGroundBit,
         watch(groundBit, &EP::red, &EP::green, &EP::blue, &EP::xVel, &EP::yVel, &EP::size, &EP::w,
               &EP::h, &EP::fallSpeed, &EP::maxFallSpeed, &EP::frictionCount, &EP::frictionPeriod,
               &EP::frictionCountY, &EP::frictionPeriodY),
         GROUNDBIT_COUNT, 49, 49, [] { return groundBit[0]->y == 601; }},
        {"power-up emitter", [] { spawnPupPartSpawner(800, 600, 1, 0); }, updatePupPartSpawner,
         watch(puppartspawner, &EP::kind, &EP::direction, &EP::speedY, &EP::aux4, &EP::speedX,
               &EP::red, &EP::green, &EP::blue),
         PUPPARTSPAWNER_COUNT, 0, 0,
         [] { return puppartspawner[0]->y == 600 - puppartspawner[0]->speedY; }},
        {"poo", [] { spawnPoo(800, 600); }, updatePoo,
         watch(poo, &PooParticle::xVel, &PooParticle::fallSpeed), POO_COUNT, 0, 0,
         [] { return abs(poo[0]->y - 601) <= 1; }},
        {"rain drop", [] { spawnRain(800, 600, 12, 12); }, updateRain,
         watch(rain, &EP::size, &EP::speedY, &EP::life, &EP::speedX), RAIN_COUNT, 46, 46,
         [] { return rain[0]->x == 788 && rain[0]->y == 612; }},
        {"snowflake", [] { spawnSnow(800, 600, 5, 0); }, updateSnow,
         watch(snow, &EP::speedY, &EP::life, &EP::size, &EP::settleOffset, &EP::kind), SNOW_COUNT,
         0, 0, [] { return snow[0]->y == 600 + snow[0]->speedY && snow[0]->life == 4; }},
    };
    for (const EffectCase &c : cases) {
        std::set<int> spans;
        for (unsigned seed = 1; seed <= 200; seed++) {
            resetWorld();
            srand(seed);
            c.spawn();
            c.update();
            ASSERT_TRUE(c.firstTick()) << c.name << ", seed " << seed;
            const std::string fresh = c.pool.first();
            if (c.shortest)
                spans.insert(1 + updatesUntilFreed(c.update, c.pool.live));
            resetWorld();
            srand(seed + 500);
            c.spawn();
            updatesUntilFreed(c.update, c.pool.live);
            c.pool.dirty();
            const std::string used = c.pool.first();
            resetWorld();
            c.pool.putFirst(used);
            srand(seed);
            c.spawn();
            c.update();
            ASSERT_EQ(c.pool.first(), fresh) << c.name << " taken again, seed " << seed;
        }
        if (c.shortest) {
            EXPECT_EQ(*spans.begin(), c.shortest) << c.name;
            EXPECT_EQ(*spans.rbegin(), c.longest) << c.name;
        }
        if (c.capacity == 0)
            continue;   // the bolts' own update adds bolts; their full pool is tested below
        resetWorld();
        for (int i = 0; i <= c.capacity; i++)
            c.spawn();
        EXPECT_EQ(c.pool.live(), c.capacity) << c.name;
    }
}

TEST_F(Effects, BoltsAndEmittersDrawTheirFirstNumberAlsoWhenTheirPoolIsFull)
{
    const std::function<void()> spawns[] = {
        [] { spawnGreenLightning(800, 600, 820, 700); },
        [] { spawnPupPartSpawner(800, 600, 1, 0); },
    };
    for (int i = 0; i < LIGHTNING_COUNT; i++)
        spawns[0]();
    for (int i = 0; i < PUPPARTSPAWNER_COUNT; i++)
        spawns[1]();
    for (const auto &spawn : spawns) {
        srand(5);
        spawn();
        const int afterFullSpawn = rand();
        srand(5);
        rand();
        EXPECT_EQ(afterFullSpawn, rand());
    }
}

struct BoltCase {
    const char *name;
    std::function<void()> spawn;
    int jitter[3][2];         // lowest and highest step of each corner's x
    int colours[3][3];
};

TEST_F(Effects, EachBoltVariantJittersAndColoursItsCornersByItsOwnTable)
{
    const BoltCase cases[] = {
        {"cube", [] { spawnLightning(800, 600, 820, 700); }, {{-30, 29}, {-30, 29}, {-40, 39}},
         {{3, 242, 200}, {0, 255, 255}, {76, 200, 242}}},
        {"green field", [] { spawnGreenLightning(800, 600, 820, 700); },
         {{-10, 9}, {-15, 4}, {-15, 4}}, {{0, 192, 0}, {64, 255, 64}, {142, 228, 142}}},
        {"purple field", [] { spawnPurpleLightning(800, 600, 820, 700); },
         {{5, 14}, {-10, 4}, {-15, 14}}, {{128, 0, 128}, {192, 0, 192}, {164, 26, 166}}},
        {"respawn", [] { spawnRedLightning(800, 600); }, {{-10, 29}, {-12, 17}, {-10, 29}},
         {{255, 0, 0}, {192, 0, 0}, {220, 16, 16}}},
        {"respawn 2", [] { spawnRedLightning2(800, 600); }, {{-20, -1}, {-10, 21}, {-20, 9}},
         {{255, 0, 0}, {192, 0, 0}, {220, 16, 16}}},
        {"cash-in 2", [] { spawnBooth2Lightning(800, 600); }, {{-20, -1}, {-10, 21}, {-20, 9}},
         {{3, 242, 200}, {0, 255, 255}, {76, 200, 242}}},
    };
    for (const BoltCase &c : cases) {
        int low[3] = {99, 99, 99}, high[3] = {-99, -99, -99};
        std::set<int> colours;
        for (int n = 0; n < 400; n++) {
            resetWorld();
            srand(n);
            c.spawn();
            const EffectParticle *b = lightning[0];
            int from = 800;
            for (int k = 0; k < 3; k++) {
                low[k] = std::min(low[k], b->points[2 * k] - from);
                high[k] = std::max(high[k], b->points[2 * k] - from);
                from = b->points[2 * k];
            }
            colours.insert(b->colour);
        }
        for (int k = 0; k < 3; k++) {
            EXPECT_EQ(low[k], c.jitter[k][0]) << c.name << " corner " << k + 1;
            EXPECT_EQ(high[k], c.jitter[k][1]) << c.name << " corner " << k + 1;
        }
        std::set<int> expected;
        for (const int *rgb : c.colours)
            expected.insert(makecol(rgb[0], rgb[1], rgb[2]));
        EXPECT_EQ(colours, expected) << c.name;
    }
}

TEST_F(Effects, BoltCornersFollowTheirGeometryAndAreKeptOnThePlayfield)
{
    // Between two points, rising by 7: quarters truncate toward zero.
    spawnLightning(1580, 20, 1700, 13);
    const int *p = lightning[0]->points;
    EXPECT_EQ(p[1], 19);
    EXPECT_EQ(p[3], 17);
    EXPECT_EQ(p[5], 17);
    // Down to a booth's floor: each corner lower than the last, the end on the floor.
    spawnBooth2Lightning(1500, 633);
    const int *q = lightning[1]->points;
    EXPECT_TRUE(q[1] > 633 && q[3] > q[1] && q[5] > q[3]);
    EXPECT_EQ(q[7], 581 + 131 - 3);
    EXPECT_LE(abs(q[6] - 1500), 10);
    updateLightning();
    EXPECT_EQ(p[6], 1590);
    EXPECT_EQ(p[7], 13);       // inside 10..1190
    EXPECT_EQ(lightning[0]->x, 1580);
}

// Live bolts starting at a y and an x in left..right.
int boltsFrom(int left, int right, int y)
{
    int n = 0;
    for (EffectParticle *b : lightning)
        n += b->active == 1 && b->x >= left && b->x <= right && b->y == y;
    return n;
}

TEST_F(Effects, BoltsFallOnTheForceFieldsOnHalfTheTicksAndOnBoothsWhileTheyAreBusy)
{
    int fieldTicks = 0;
    for (int t = 0; t < 200; t++) {
        resetWorld();
        srand(t);
        player->respawning = 1;
        booth2->lightningTimer = 1;
        updateLightning();
        // The field columns start at their field's top; the respawn bolt over the middle of
        // the booth, the cash-in bolts somewhere along it, both 52 px below its top.
        const int green = boltsFrom(15 + 303, 15 + 303, 581);
        const int purple = boltsFrom(1490 - 202, 1490 - 202, 581);
        EXPECT_EQ(green, purple);
        fieldTicks += green;
        EXPECT_EQ(boltsFrom(15 + 48, 15 + 48, 633), 1);
        EXPECT_EQ(boltsFrom(1490 + 24 + 15, 1490 + 24 + 39, 633), 1);
    }
    EXPECT_GT(fieldTicks, 70);
    EXPECT_LT(fieldTicks, 130);
}

struct CrackleCase {
    int map, power1, power2, hasSpawned;
    int greenBolts, purpleBolts;   // per crackle
};

TEST_F(Effects, BoothsCrackleWhileTheirTeamHasPowerOnceFighterOneHasSpawned)
{
    const CrackleCase cases[] = {
        {ARENA_HELL, 100, 100, 1, 6, 6},
        {ARENA_HELL, 0, 100, 1, 0, 6},
        {ARENA_HELL, 100, 0, 1, 6, 0},
        {ARENA_HELL, 100, 100, 0, 0, 0},
        {SCREEN_TUTORIAL, 100, 100, 1, 0, 6},
        {ARENA_BEAST, 100, 100, 1, 3, 3},
    };
    for (const CrackleCase &c : cases) {
        int most[2] = {0, 0};
        for (unsigned seed = 1; seed <= 150; seed++) {
            resetWorld();
            srand(seed);
            map = c.map;
            player->power = c.power1;
            player2->power = c.power2;
            player->hasSpawned = c.hasSpawned;
            updateMiniLightning();
            int n[2] = {0, 0};
            for (EffectParticle *b : minilightning)
                if (b->active == 1)
                    n[b->x > 800]++;
            most[0] = std::max(most[0], n[0]);
            most[1] = std::max(most[1], n[1]);
        }
        EXPECT_EQ(most[0], c.greenBolts) << "map " << c.map;
        EXPECT_EQ(most[1], c.purpleBolts) << "map " << c.map;
    }
}

TEST_F(Effects, EmittersRiseCurlTowardTheBoxLeaveParticlesAndAreDraggedByARunner)
{
    powerup[0]->active = 1;
    powerup[0]->x = 900;
    powerup[0]->w = 40;
    spawnPupPartSpawner(800, 600, 2, 0);
    EffectParticle *e = puppartspawner[0];
    // Each flies out to a random side first.
    std::set<int> firstSpeeds;
    for (unsigned seed = 1; seed < 100; seed++) {
        srand(seed);
        e->active = 0;
        spawnPupPartSpawner(800, 600, 2, 0);
        firstSpeeds.insert(e->speedX);
    }
    EXPECT_EQ(*firstSpeeds.begin(), -7);
    EXPECT_EQ(*firstSpeeds.rbegin(), 7);
    EXPECT_EQ(firstSpeeds.count(-1) + firstSpeeds.count(0) + firstSpeeds.count(1), 0u);
    e->speedX = 0;
    const int rise = e->speedY;
    updatePupPartSpawner();
    EXPECT_EQ(e->speedX, 1);   // toward the box's centre at 920
    EXPECT_EQ(e->x, 801);
    EXPECT_EQ(e->y, 600 - rise);
    EXPECT_EQ(puppart[0]->active, 1);
    EXPECT_EQ(puppart[0]->aux3, 0);
    EXPECT_EQ(puppart[0]->kind, 2);
    // Fighter 2, running right, holds it in his box.
    centreFighterAt(player2, 802, (int)e->y - rise);
    player2->runSpeed = 4.0;
    updatePupPartSpawner();
    EXPECT_EQ(e->x, 801 + 2 + 4 + 3);
}

TEST_F(Effects, TrailPuffsSwellThenShrinkAndGreyNoFurtherThan80)
{
    spawnHomoTrail(800, 600);
    for (int t = 0; t < 15; t++)
        updateHomoTrail();
    EXPECT_EQ(homotrail[0]->size, 13 - 3);
    EXPECT_EQ(homotrail[0]->red + homotrail[0]->green + homotrail[0]->blue, 3 * 80);
}

// Leaves, conkers and barrels have no pool: their steps touch neither a live effect nor
// the random sequence.
TEST_F(Effects, LeavesConkersAndBarrelsDoNothing)
{
    spawnSpark(800, 600, 1);
    srand(5);
    int next = rand();
    srand(5);
    for (auto step : {spawnLeaf, updateLeaf, spawnConker, updateConker, spawnBarrel, updateBarrel})
        step();
    EXPECT_TRUE(rand() == next && spark[0]->x == 800);
}

TEST_F(Effects, MagnetBitsFlyToTheFighterAndAreAbsorbedOrScatterOutward)
{
    centreFighterAt(player, 800, 600);
    player->magnet = 1;
    spawnMagnoBit(761, 600, 0);
    magnobit[0]->life = 100;
    const int absorbedAfter = updatesUntilFreed(updateMagnoBit, [] { return magnobit[0]->active; });
    EXPECT_GT(magnobit[0]->x, 792);
    EXPECT_GT(absorbedAfter, 4);
    EXPECT_LT(absorbedAfter, 40);

    player->magnet = 0;
    player->state = FIGHTER_RUN_RIGHT;
    player->runSpeed = 2.0;
    spawnMagnoBit(780, 590, 0);
    MagnoBit *m = magnobit[0];
    m->life = 100;
    int x = m->x, y = m->y;
    for (int t = 1; t <= 8; t++) {
        updateMagnoBit();
        const int step = t / 4;   // grows every fourth tick
        EXPECT_EQ(m->x, x + 2 - step) << "tick " << t;
        EXPECT_EQ(m->y, y - step) << "tick " << t;
        x = m->x;
        y = m->y;
    }
}

TEST_F(Effects, MagnetBitsAreDrawnAsThreePixelsAndNeverPastThePlayfield)
{
    BITMAP *worldBuffer = buffer;
    buffer = create_bitmap(BUFFER_W, BUFFER_H);
    clear_to_color(buffer, 0);
    set_clip_rect(buffer, 0, 0, BUFFER_W - 1, BUFFER_H - 1);
    spawnMagnoBit(100, 100, 0);
    spawnMagnoBit(1599, 1199, 1);
    drawMagnoBits();
    const int cyan = makecol(128, 255, 255);
    EXPECT_EQ(getpixel(buffer, 100, 100), cyan);
    EXPECT_EQ(getpixel(buffer, 100, 101), cyan);
    EXPECT_EQ(getpixel(buffer, 101, 101), cyan);
    EXPECT_EQ(getpixel(buffer, 101, 100), 0);
    EXPECT_EQ(getpixel(buffer, 1599, 1199), cyan);
    EXPECT_EQ(getpixel(buffer, 1599, 1200), 0);
    destroy_bitmap(buffer);
    buffer = worldBuffer;
}

}  // namespace
