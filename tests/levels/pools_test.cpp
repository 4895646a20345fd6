// The effect pools, the force fields and the base test, on bare records (no game data).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include "arena/effects.h"
#include "arena/forcefields.h"
#include "core/fighter.h"
#include "support/test_env.h"

namespace {

// Fills the pool through `spawn`, checks the first-free order, that a spawn into a full pool
// changes nothing, and that a freed slot is the next one taken.
template <class Record, int N, class Spawn>
void expectFirstFreeAndSilentDrop(Record *(&pool)[N], Spawn spawn)
{
    ASSERT_EQ(countLiveRecords(pool), 0);
    for (int i = 0; i < N; i++) {
        spawn();
        ASSERT_EQ(pool[i]->active, 1) << "slot " << i << " is not the first free one";
        if (i + 1 < N) {
            ASSERT_EQ(pool[i + 1]->active, 0);
        }
    }
    static Record before[N];
    for (int i = 0; i < N; i++)
        before[i] = *pool[i];
    spawn();
    for (int i = 0; i < N; i++)
        ASSERT_EQ(memcmp(&before[i], pool[i], sizeof(Record)), 0) << "full pool changed at " << i;
    pool[N / 2]->active = 0;
    spawn();
    EXPECT_EQ(pool[N / 2]->active, 1);
    EXPECT_EQ(countLiveRecords(pool), N);
}

TEST(EffectPools, EveryPoolFillsFirstFreeAndDropsSilentlyWhenFull)
{
    startHeadlessAllegro();
    setupEffects();
    // The shared rule on one pool; every effect's own spawn keeps its capacity (the effect
    // tests), and the spawns of this module go through the same rule.
    expectFirstFreeAndSilentDrop(spark, [] { takeFreeRecord(spark); });
    expectFirstFreeAndSilentDrop(greenffpart, [] { spawnGreenFFPart(290, 581); });
    expectFirstFreeAndSilentDrop(purpleffpart, [] { spawnPurpleFFPart(1278, 581); });
    expectFirstFreeAndSilentDrop(snow, [] { spawnSnow(800, 20, 5, 1); });
    expectFirstFreeAndSilentDrop(rain, [] { spawnRain(800, 20, 12, 12); });
}

TEST(EffectPools, RebuildFreesEveryRecordAndReusesTheMemory)
{
    startHeadlessAllegro();
    setupEffects();
    EffectParticle *firstSpark = spark[0];
    MagnoBit *lastBit = magnobit[MAGNOBIT_COUNT - 1];
    for (int i = 0; i < 10; i++) {
        spawnSnow(100 + i, 50, 0, 0);
        takeFreeRecord(lightning);
        takeFreeRecord(spark)->maxFallSpeed = 99;
        takeFreeRecord(speedLine)->x = 3;
    }
    setupEffects();
    EXPECT_EQ(spark[0], firstSpark);
    EXPECT_EQ(magnobit[MAGNOBIT_COUNT - 1], lastBit);
    EXPECT_EQ(countLiveRecords(snow), 0);
    EXPECT_EQ(countLiveRecords(lightning), 0);
    EXPECT_EQ(countLiveRecords(spark), 0);
    // The initial values are set again on every build.
    EXPECT_EQ(spark[0]->maxFallSpeed, 14);
    EXPECT_EQ(speedLine[0]->x, 1600.0);
}

// Booths and fighters of our own for the force-field tests; the real ones are restored after.
class ForceFieldTest : public ::testing::Test {
protected:
    Fighter one{}, two{};
    Booth greenBooth{}, purpleBooth{};
    Fighter *savedPlayer = nullptr, *savedPlayer2 = nullptr;
    Booth *savedBooth = nullptr, *savedBooth2 = nullptr;

    void SetUp() override
    {
        startHeadlessAllegro();
        savedPlayer = player;
        savedPlayer2 = player2;
        savedBooth = booth;
        savedBooth2 = booth2;
        player = &one;
        player2 = &two;
        booth = &greenBooth;
        booth2 = &purpleBooth;
        greenBooth = {15, 1037, 97, 131, 0, 0, 0};
        purpleBooth = {1490, 1037, 97, 131, 0, 0, 0};
        // Fighters far from both fields.
        one.x = two.x = 800;
        one.y = two.y = 100;
        one.w = two.w = 33;
        one.h = two.h = 48;
        setupForcefields();
        setupEffects();
        srand(7);
    }
    void TearDown() override
    {
        player = savedPlayer;
        player2 = savedPlayer2;
        booth = savedBooth;
        booth2 = savedBooth2;
    }
};

TEST_F(ForceFieldTest, BaseTestIsStrictOnEveryEdge)
{
    // The fields stand in front of the booths, 5 px higher: green base x 15..325,
    // y 1032..1168; purple base x 1278..1587.
    EXPECT_TRUE(insideBase(1, 16, 1100));
    EXPECT_FALSE(insideBase(1, 15, 1100));
    EXPECT_TRUE(insideBase(1, 324, 1100));
    EXPECT_FALSE(insideBase(1, 325, 1100));
    EXPECT_FALSE(insideBase(1, 100, 1032));
    EXPECT_TRUE(insideBase(1, 100, 1033));
    EXPECT_FALSE(insideBase(1, 100, 1168));
    EXPECT_TRUE(insideBase(2, 1279, 1100));
    EXPECT_FALSE(insideBase(2, 1278, 1100));
    EXPECT_TRUE(insideBase(2, 1586, 1100));
    EXPECT_FALSE(insideBase(2, 1587, 1100));
    EXPECT_FALSE(insideBase(2, 300, 1100));
    // The spawn exclusion: 50 px round the base, its top from the booth's top.
    EXPECT_TRUE(nearBase(1, 370, 988, 50));
    EXPECT_FALSE(nearBase(1, 375, 988, 50));
    EXPECT_FALSE(nearBase(1, 100, 987, 50));
    EXPECT_TRUE(nearBase(2, 1229, 1200, 50));
    EXPECT_FALSE(nearBase(2, 1228, 1200, 50));
}

TEST_F(ForceFieldTest, ParticlesFallInsideTheirFieldAndEndAtItsBottom)
{
    int spawnedGreen = 0, spawnedPurple = 0;
    for (int tick = 0; tick < 3000; tick++) {
        int liveG = countLiveRecords(greenffpart), liveP = countLiveRecords(purpleffpart);
        updateGreenFFPart();
        updatePurpleFFPart();
        spawnedGreen += countLiveRecords(greenffpart) > liveG;
        spawnedPurple += countLiveRecords(purpleffpart) > liveP;
        for (const ForceField *field : {greenforcefield, purpleforcefield}) {
            EffectParticle **pool = field == greenforcefield ? greenffpart : purpleffpart;
            for (int i = 0; i < FFPART_COUNT; i++) {
                const EffectParticle *p = pool[i];
                if (!p->active)
                    continue;
                ASSERT_GE(p->y, field->y);
                // The last step may carry it at most one fall step past the bottom.
                ASSERT_LT(p->y + p->h, field->y + field->h + 8 + 1);
                ASSERT_GE(p->size, 1);
                ASSERT_LE(p->size, 5);
            }
        }
    }
    // About 4 in 10 ticks start a particle while records are free.
    EXPECT_GT(spawnedGreen, 100);
    EXPECT_GT(spawnedPurple, 100);
    // Particles start in the right-hand part of the green field and the left of the purple.
    setupEffects();
    for (int i = 0; i < 200; i++) {
        spawnGreenFFPart(290, 1037);
        spawnPurpleFFPart(1278, 1037);
        ASSERT_GE(greenffpart[0]->x, 310);
        ASSERT_LE(greenffpart[0]->x, 319);
        ASSERT_GE(purpleffpart[0]->x, 1283);
        ASSERT_LE(purpleffpart[0]->x, 1292);
        ASSERT_EQ(greenffpart[0]->y, 1037);
        ASSERT_GE(greenffpart[0]->speedY, 1);
        ASSERT_LE(greenffpart[0]->speedY, 8);
        greenffpart[0]->active = purpleffpart[0]->active = 0;
    }
}

TEST_F(ForceFieldTest, OnlyTheOwnTeamsFighterHoldsAndDragsParticles)
{
    // Both fighters stand in the green field; only fighter 1 touches its particles.
    one.x = two.x = 290;
    one.y = two.y = 1080;
    one.facing = 1;
    one.runSpeed = 3;
    EffectParticle *p = greenffpart[0];
    p->active = 1;
    p->x = 300;
    p->y = 1090;
    p->w = p->h = 6;
    p->speedY = 7;
    srand(3);
    double before = p->x;
    updateGreenFFPart();
    EXPECT_EQ(p->speedY, 1);
    double drift = p->x - before - 3;
    EXPECT_GE(drift, -2);
    EXPECT_LE(drift, 1);

    // A fighter standing still slows them without moving them sideways.
    one.runSpeed = 0;
    p->speedY = 5;
    before = p->x;
    updateGreenFFPart();
    EXPECT_EQ(p->speedY, 1);
    EXPECT_GE(p->x - before, -2);
    EXPECT_LE(p->x - before, 1);

    // In the purple field the green fighter has no effect.
    one.x = 1278;
    two.x = 800;
    EffectParticle *q = purpleffpart[0];
    q->active = 1;
    q->x = 1285;
    q->y = 1090;
    q->speedY = 6;
    updatePurpleFFPart();
    EXPECT_EQ(q->speedY, 6);
    EXPECT_EQ(q->y, 1096);
}

}  // namespace
