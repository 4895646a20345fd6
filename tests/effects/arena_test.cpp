// Effects on Hell with the generated data: sparks and emitters on solid ground, an edge sweep
// that runs and draws every effect around and past the playfield's edges, and the effects as
// the renderer shows them.
#include <gtest/gtest.h>

#include <allegro.h>
#include <algorithm>
#include <array>
#include <functional>
#include <vector>
#include <stdlib.h>
#include <string>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/pickups.h"
#include "core/probes.h"
#include "shell/harness.h"
#include "core/world.h"
#include "tools/recorder/record.h"

namespace {

class OnHell : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!harnessGameDataPresent())
            GTEST_SKIP() << "no generated game data in " << harnessGameDir();
        static RecordScript script;
        char err[200];
        ASSERT_EQ(parseRecordScript("seed 3\narena hell\nspawn 0 p1\nspawn 0 p2\n", &script, err,
                                    sizeof err), 0) << err;
        startRecordedBout(script);
        prepareRecordTick(script, 0);
        // The first solid pixel below (400, 300).
        floorY = 300;
        while (!collided(400, floorY))
            floorY++;
    }
    int floorY = 0;
};

// Lamp sparks bounce off the ground, other sparks fall through; an emitter striking the
// ground sends a bolt to its box only while the box is there.
TEST_F(OnHell, SparksAndEmittersOnSolidGround)
{
    for (int kind : {5, 1}) {
        setupEffects();
        spawnSpark(400, floorY + 1, kind);
        spark[0]->xVel = spark[0]->yVel = 0;
        spark[0]->fallSpeed = spark[0]->maxFallSpeed;
        updateSpark();
        EXPECT_EQ(spark[0]->fallSpeed, kind == 5 ? -9 + 1 : 14) << "kind " << kind;
    }
    for (int boxLive : {1, 0}) {
        setupEffects();
        powerup[0]->active = boxLive;
        powerup[0]->x = 600;
        powerup[0]->y = 200;
        spawnPupPartSpawner(400, floorY + 1, 1, 0);
        updatePupPartSpawner();
        EXPECT_EQ(puppartspawner[0]->active, 1 - boxLive);
        EXPECT_EQ(lightning[0]->active, boxLive);
        if (boxLive) {
            EXPECT_EQ(lightning[0]->points[6], 600 + powerup[0]->w / 2);
            EXPECT_EQ(lightning[0]->points[7], 205);
        }
    }
}

// Every spawn once at (x, y), with bolts and beams reaching further out.
void spawnEverything(int x, int y, int variant)
{
    spawnExplosion(x, y, variant % 8, 190);
    spawnCubeFrazzle(x, y);
    spawnRespawnBubble(x, y);
    spawnHomoTrail(x, y);
    spawnLightning(x, y, x + 200, y - 300);
    spawnGreenLightning(x, y, 1800 - x, y + 300);
    spawnPurpleLightning(x, y, -x, -y);
    spawnRedLightning(x, y);
    spawnRedLightning2(x, y);
    spawnBoothLightning(x, y);
    spawnBooth2Lightning(x, y);
    spawnColouredLightning(x, y, x, y + 50, 255, 9, 9);
    spawnMiniLightning(x, y, x - 90, y + 90);
    spawnLazer(x, y, 1600 - x, y - 200);
    spawnSpark(x, y, variant % 7);
    spawnPupPartSpawner(x, y, variant % 3, variant % 3);
    spawnPupPart(x, y, variant % 3, variant % 3, variant % 13 - 1);
    spawnBlueFlame(x, y);
    spawnPoo(x, y);
    spawnSpeedLine(x, y, variant % 2, variant % 50);
    spawnBubble(x, y, variant % 9 - 4, variant % 7 - 3, variant % 20, y - 100);
    spawnGroundBit(x, y, 255, 0, 0, variant % 31 - 15, variant % 35 - 17);
    spawnMagnoBit(x, y, variant % 2);
}

TEST_F(OnHell, EffectsAtAndPastTheEdgesDrawNothingOutsideThePlayfield)
{
    const int sentinel = makecol(1, 2, 3);
    rectfill(buffer, 0, PLAYFIELD_H, BUFFER_W - 1, BUFFER_H - 1, sentinel);
    powerup[0]->active = 1;
    const int xs[] = {-40, 0, 3, 200, 1597, 1599, 1640};
    const int ys[] = {-40, 0, 3, 600, 1197, 1199, 1290};
    int variant = 0;
    for (int x : xs) {
        for (int y : ys) {
            spawnEverything(x, y, variant++);
            harnessTicks(3);
        }
    }
    harnessTicks(60);
    for (int y = PLAYFIELD_H; y < BUFFER_H; y++)
        for (int x = 0; x < BUFFER_W; x++)
            ASSERT_EQ(getpixel(buffer, x, y), sentinel) << "at " << x << "," << y;
}

// Pixels of the playfield rectangle for which `match` holds.
int countPixels(int x0, int y0, int w, int h, std::function<bool(int c)> match)
{
    int n = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++)
            n += match(getpixel(buffer, x, y));
    return n;
}

// A matcher for any of the given colours, as the 16-bit screen holds them.
std::function<bool(int)> anyOf(std::initializer_list<std::array<int, 3>> colours)
{
    std::vector<int> packed;
    for (const auto &rgb : colours)
        packed.push_back(makecol(rgb[0], rgb[1], rgb[2]));
    return [packed](int c) { return std::find(packed.begin(), packed.end(), c) != packed.end(); };
}

TEST_F(OnHell, FieldLightningExplosionRaysSparksAndPowerUpParticlesAreDrawn)
{
    // The green field's column of lightning: on about half the ticks.
    int bolts = 0;
    for (int t = 0; t < 20 && bolts == 0; t++) {
        harnessTick();
        bolts = countPixels(270, 560, 90, 150,
                            anyOf({{0, 192, 0}, {64, 255, 64}, {142, 228, 142}}));
    }
    EXPECT_GT(bolts, 20);

    // A bomb over the middle and a green mine on the left floor; their rays reach the top
    // edge and the sides.
    spawnExplosion(800, 300, EXPLOSION_BOMB, 190);
    spawnExplosion(400, 650, EXPLOSION_GREEN_MINE, 190);
    harnessTicks(2);
    EXPECT_GT(countPixels(780, 20, 40, 40, anyOf({{255, 255, 255}})), 100);
    EXPECT_GT(countPixels(380, 20, 40, 40, anyOf({{64, 255, 64}})), 100);
    harnessTicks(10);

    // A shower of sparks where shots strike a wall, and a power-up box with its emitters.
    for (int k = 0; k < 20; k++)
        spawnSpark(1000, 660, k % 4 + 1);
    Cube *box = powerup[0];
    box->active = 1;
    box->x = 780;
    box->y = 560;
    for (int t = 0; t < 30; t++) {
        if (t % 10 == 0) {
            spawnPupPartSpawner((int)box->x, (int)box->y, 1, 0);
            spawnPupPartSpawner((int)box->x + box->w, (int)box->y, 2, 0);
        }
        harnessTick();
        if (t == 3) {
            // White fading to yellow, cyan, green or magenta.
            EXPECT_GT(countPixels(900, 500, 200, 200, [](int c) {
                          return getg(c) == 255 || (getr(c) == 255 && getb(c) == 255);
                      }),
                      20);
        }
    }
    // Green emitters and their particles fading to white; purple particles fading to grey.
    EXPECT_GT(countPixels(600, 250, 400, 400, anyOf({{0, 255, 0}, {80, 255, 80}})), 0);
    const int purple = makecol(192, 0, 192);
    EXPECT_GT(countPixels(600, 250, 400, 400,
                          [purple](int c) {
                              return getr(c) == getr(purple) && getb(c) == getb(purple) &&
                                     getg(c) >= 40;
                          }),
              0);
}

}  // namespace
