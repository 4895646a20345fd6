// The Hell and London level scripts and the weather, on the generated arenas.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <vector>

#include "arena/effects.h"
#include "arena/forcefields.h"
#include "arena/levels.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/probes.h"
#include "core/settings.h"
#include "frontend/pause.h"
#include "frontend/quit.h"
#include "gore/gore.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "shell/render.h"
#include "shell/startup.h"
#include "support/test_env.h"

namespace {

class ArenaTest : public HarnessTest {
protected:
    // Fighters parked on the map's top edge, far from lava, fields and weather floors.
    void parkFighters()
    {
        player->x = 600;
        player2->x = 1000;
        player->y = player2->y = 20;
    }
};

void expectMonitors(int gx, int gy, int g2x, int g2y, int px, int py, int p2x, int p2y)
{
    EXPECT_EQ(greenmonitorx, gx);
    EXPECT_EQ(greenmonitory, gy);
    EXPECT_EQ(greenmonitor2x, g2x);
    EXPECT_EQ(greenmonitor2y, g2y);
    EXPECT_EQ(purplemonitorx, px);
    EXPECT_EQ(purplemonitory, py);
    EXPECT_EQ(purplemonitor2x, p2x);
    EXPECT_EQ(purplemonitor2y, p2y);
    EXPECT_EQ(greenmonitorwidth, 90);
    EXPECT_EQ(purplemonitorheight, 40);
    EXPECT_EQ(greenmonitor2width, 26);
    EXPECT_EQ(purplemonitor2height, 16);
}

void expectBases(double boothY)
{
    EXPECT_EQ(booth->x, 15.0);
    EXPECT_EQ(booth->y, boothY);
    EXPECT_EQ(booth2->x, 1490.0);
    EXPECT_EQ(booth2->y, boothY);
    EXPECT_EQ(greenforcefield->x, 290.0);
    EXPECT_EQ(greenforcefield->y, boothY - 5);
    EXPECT_EQ(purpleforcefield->x, 1278.0);
    EXPECT_EQ(purpleforcefield->y, boothY - 5);
    EXPECT_EQ(greenforcefield->w, 35);
    EXPECT_EQ(purpleforcefield->h, 136);
}

// The first picture pixel of the booth's back frame is found in the stain layer at the booth.
void expectBoothPainted(BITMAP *frame, int atX, int atY, bool mirrored)
{
    ASSERT_NE(frame, nullptr);
    int mask = bitmap_mask_color(frame);
    for (int y = 0; y < frame->h; y++)
        for (int x = 0; x < frame->w; x++) {
            int c = getpixel(frame, x, y);
            if (c == mask)
                continue;
            int dx = mirrored ? frame->w - 1 - x : x;
            EXPECT_EQ(getpixel(prebuffer, atX + dx, atY + y), c);
            return;
        }
}

TEST_F(ArenaTest, HellPlacesBoothsFieldsAndMonitors)
{
    speed_counter = 5;
    seconds = 9;
    weather = 7;
    startTestBout(ARENA_HELL);
    EXPECT_EQ(map, ARENA_HELL);
    EXPECT_EQ(seconds, 0);
    EXPECT_EQ(speed_counter.load(), 0);
    EXPECT_EQ(weather, 0);
    EXPECT_EQ(prebuffer, (BITMAP *)data[DAT_HELL_BACKGROUND].dat);
    expectBases(581);
    expectMonitors(128, 584, 203, 662, 1389, 584, 1365, 661);
    for (BITMAP *frame : candleflame) {
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->w, 8);
        EXPECT_EQ(frame->h, 8);
    }
    expectBoothPainted(greenbooth[1], 16, 583, false);
    expectBoothPainted(purplebooth[1], 1489, 583, true);
    for (TorchFlame *t : t_flame) {
        EXPECT_GE(t->animFrame, 0);
        EXPECT_LT(t->animFrame, 8);
        EXPECT_EQ(t->animPeriod, 2);
    }

    // A second bout on Hell reuses the records of the first, all free again.
    LavaBubble *firstBubble = lavabubble[0];
    ForceField *field = greenforcefield;
    parkFighters();
    for (int i = 0; i < 50; i++)
        updateHell();
    EXPECT_GT(countLiveRecords(lavabubble), 0);
    startTestBout(ARENA_HELL);
    EXPECT_EQ(lavabubble[0], firstBubble);
    EXPECT_EQ(greenforcefield, field);
    EXPECT_EQ(countLiveRecords(lavabubble), 0);
}

TEST_F(ArenaTest, LondonPlacesBoothsFieldsAndMonitorsAndRollsTheWeather)
{
    startTestBout(ARENA_LONDON);
    EXPECT_EQ(map, ARENA_LONDON);
    EXPECT_EQ(seconds, 0);
    EXPECT_EQ(prebuffer, (BITMAP *)data[DAT_LONDON_BACKGROUND].dat);
    EXPECT_EQ(londonlight, (BITMAP *)data[DAT_LONDON_LIGHT].dat);
    expectBases(861);
    expectMonitors(128, 864, 203, 942, 1389, 864, 1365, 941);
    expectBoothPainted(greenbooth[1], 15, 861, false);
    expectBoothPainted(purplebooth[1], 1490, 861, true);
    EXPECT_GE(weather, 0);
    EXPECT_LT(weather, 100);
}

// (That a lava death throws no gore is the fighters' life cycle's test.)
TEST_F(ArenaTest, SinkingBelowTheLavaLineKills)
{
    startTestBout(ARENA_HELL);
    parkFighters();
    player->respawning = player2->respawning = 0;
    player->health = player2->health = 12;
    player->y = 1150 - player->h;   // box bottom exactly on the line: safe
    updateHell();
    EXPECT_EQ(player->health, 12);
    EXPECT_EQ(player->respawning, 0);

    player->y = 1151 - player->h;
    player2->y = 1300;
    updateHell();
    for (Fighter *f : {player, player2}) {
        EXPECT_EQ(f->health, 0);
        EXPECT_EQ(f->respawning, 1);
    }
}

TEST_F(ArenaTest, LavaSurfaceWandersWithinItsBounds)
{
    startTestBout(ARENA_HELL);
    int *const splines[] = {points1, points2, points3, points4, points5,
                            points6, points7, points8, points9, points10};
    int lowest = 2000, highest = 0;
    for (int tick = 0; tick < 20000; tick++) {
        parkFighters();
        updateHell();
        for (int *points : splines) {
            // The end points stay put; the middle two wander inside the band.
            ASSERT_EQ(points[1], 1064);
            ASSERT_EQ(points[7], 1064);
            for (int k : {3, 5}) {
                ASSERT_GE(points[k], LAVA_SURFACE_TOP - 2);
                ASSERT_LE(points[k], LAVA_SURFACE_BOTTOM + 2);
                lowest = std::min(lowest, points[k]);
                highest = std::max(highest, points[k]);
            }
        }
    }
    EXPECT_EQ(points1[3], points1y1);
    EXPECT_EQ(points10[5], points10y2);
    EXPECT_LT(lowest, LAVA_SURFACE_TOP + 2);
    EXPECT_GT(highest, LAVA_SURFACE_BOTTOM - 2);
}

// Finds a solid cell's pixel in the given band, or returns false.
bool findSolid(int x0, int x1, int y0, int y1, int *sx, int *sy)
{
    for (int y = y0; y < y1; y += 4)
        for (int x = x0; x < x1; x += 4)
            if (collided(x, y)) {
                *sx = x;
                *sy = y;
                return true;
            }
    return false;
}

TEST_F(ArenaTest, BubblesVanishOverSolidGround)
{
    startTestBout(ARENA_HELL);
    int sx, sy;
    ASSERT_TRUE(findSolid(79, 1578, 1000, 1100, &sx, &sy)) << "no rock near the lava";
    blit(prebuffer, buffer, 0, 0, 0, 0, PLAYFIELD_W, PLAYFIELD_H);
    drawHellFG();
    int rock = getpixel(buffer, sx, sy);

    // A bubble over rock is not drawn, and the next update frees it.
    LavaBubble *b = lavabubble[0];
    b->active = 1;
    b->radius = 3;
    b->x = sx - 1;
    b->y = sy - 1;
    b->riseSpeed = 1;
    b->shrinkDelay = 20;
    blit(prebuffer, buffer, 0, 0, 0, 0, PLAYFIELD_W, PLAYFIELD_H);
    drawHellFG();
    EXPECT_EQ(getpixel(buffer, sx, sy), rock);
    updateLavabubble();
    EXPECT_EQ(b->active, 0);
}

// The stain layer swapped for a black one of our own while a weather test paints into it.
struct ScratchStainLayer {
    BITMAP *saved = prebuffer;
    BITMAP *scratch = create_bitmap(PLAYFIELD_W, PLAYFIELD_H);
    ScratchStainLayer()
    {
        clear_to_color(scratch, makecol(0, 0, 0));
        prebuffer = scratch;
    }
    ~ScratchStainLayer()
    {
        prebuffer = saved;
        destroy_bitmap(scratch);
    }
};

TEST_F(ArenaTest, SnowSettlesOnSolidCellsOnly)
{
    startTestBout(ARENA_LONDON);
    ScratchStainLayer stain;
    int white = makecol(255, 255, 255);
    int settled = 0;
    for (int tick = 0; tick < 4000; tick++) {
        if (tick < 2000) {
            spawnSnow(20 + rand() % 1560, 12, 0, 0);
            spawnSnow(20 + rand() % 1560, 12, 0, 1);
        }
        std::vector<EffectParticle> before;
        for (EffectParticle *f : snow)
            before.push_back(*f);
        updateSnow();
        for (int i = 0; i < SNOW_COUNT; i++) {
            const EffectParticle *f = snow[i];
            if (!before[i].active || f->active)
                continue;
            // Freed this tick: either it left the playfield or it settled on solid ground.
            if (f->x < 10 || f->x > 1590 || f->y < 0 || f->y > 1150)
                continue;
            int sx = (int)f->x, sy = (int)(f->y - f->settleOffset);
            ASSERT_TRUE(collided(sx, sy)) << "flake settled in the open at " << sx << "," << sy;
            int expected = f->kind == 1 ? makecol(80, 80, 80) : white;
            ASSERT_EQ(getpixel(prebuffer, sx, sy), expected);
            settled++;
        }
    }
    EXPECT_GT(settled, 300);
    EXPECT_EQ(countLiveRecords(snow), 0);
}

TEST_F(ArenaTest, AFlakeWithASettleDelayFallsThroughPlatforms)
{
    startTestBout(ARENA_LONDON);
    ScratchStainLayer stain;
    // Find a column with a solid cell below open air, then one more solid cell lower down.
    int sx = -1, sy = -1;
    for (int x = 640; x < 1560 && sx < 0; x += 32)
        for (int y = 40; y < 1000; y += 4)
            if (!collided(x, y - 8) && collided(x, y)) {
                sx = x;
                sy = y;
                break;
            }
    ASSERT_GE(sx, 0);
    setupEffects();
    spawnSnow(sx, sy - 40, 1000, 0);
    EffectParticle *f = snow[0];
    int deepest = 0;
    for (int tick = 0; tick < 200 && f->active; tick++) {
        updateSnow();
        deepest = (int)f->y;
    }
    EXPECT_GT(deepest, sy + 32) << "the flake stopped on the first platform";
}

TEST_F(ArenaTest, RainEndsOnTheFirstSolidBlockAfterItsLife)
{
    startTestBout(ARENA_LONDON);
    setupEffects();
    raining = 1;
    int landed = 0;
    for (int tick = 0; tick < 3000; tick++) {
        std::vector<EffectParticle> before;
        for (EffectParticle *d : rain)
            before.push_back(*d);
        updateRain();
        for (int i = 0; i < RAIN_COUNT; i++) {
            const EffectParticle *d = rain[i];
            bool solid = collided((int)d->x, (int)d->y);
            if (d->active && before[i].active) {
                // A live drop never stands in a solid block once its life has run out.
                ASSERT_FALSE(solid && d->life < 1);
            } else if (before[i].active && !d->active) {
                ASSERT_TRUE((solid && d->life < 1) || d->y > 1150);
                landed += d->y <= 1150;
            }
        }
    }
    EXPECT_GT(landed, 100);
    EXPECT_LE(countLiveRecords(rain), RAIN_COUNT);
}

TEST_F(ArenaTest, WeatherAtAndBeyondTheEdgesStaysInsideTheMap)
{
    // Drops and flakes at x 1600, left of 0 and above the top probe cells outside the map;
    // those read as open ground (the sanitizer build checks nothing is read out of bounds).
    startTestBout(ARENA_LONDON);
    ScratchStainLayer stain;
    setupEffects();
    raining = 0;
    for (int i = 0; i < 20; i++) {
        spawnRain(-40 - i, 1100, 10, 10);
        spawnRain(1600, -30, 12, 12);
        spawnSnow(1600 + i, 5, 0, 0);
        spawnSnow(-i, 40, 0, 1);
    }
    for (EffectParticle *d : rain)
        d->life = 0;
    for (int tick = 0; tick < 200; tick++) {
        updateRain();
        updateSnow();
    }
    EXPECT_EQ(countLiveRecords(rain), 0);
    EXPECT_EQ(countLiveRecords(snow), 0);
    EXPECT_EQ(collided(1600, 500), 0);
}

TEST_F(ArenaTest, LondonWeatherFollowsTheRoll)
{
    startTestBout(ARENA_LONDON);
    parkFighters();
    setupEffects();
    weather = 0;
    updateLondon();
    EXPECT_EQ(countLiveRecords(snow), 2);
    EXPECT_EQ(snow[0]->y, 0.0);
    EXPECT_EQ(snow[1]->x, 1600.0);
    EXPECT_EQ(countLiveRecords(rain), 0);

    setupEffects();
    raining = 0;
    weather = 11;
    updateLondon();
    EXPECT_EQ(raining, 1);
    EXPECT_EQ(countLiveRecords(rain), 4);
    EXPECT_EQ(countLiveRecords(snow), 0);

    setupEffects();
    weather = 12;
    updateLondon();
    EXPECT_EQ(countLiveRecords(rain), 0);
    EXPECT_EQ(countLiveRecords(snow), 0);
}

TEST_F(ArenaTest, LondonRouteHintSendsTheComputerRoundTheRightWay)
{
    startTestBout(ARENA_LONDON);
    weather = 50;
    p2cpu = 1;
    Fighter *p2 = player2;
    auto place = [p2](int cx, int cy) {
        p2->x = cx - p2->w / 2;
        p2->y = cy - p2->h / 2;
    };
    p2->aiGoalX = 1200;
    p2->aiGoalY = 200;
    place(400, 400);
    p2->aiMove = AI_MOVE_LEFT;
    updateLondon();
    EXPECT_EQ(p2->aiMove, AI_MOVE_RIGHT);

    p2->aiMove = AI_MOVE_CLIMB;
    updateLondon();
    EXPECT_EQ(p2->aiMove, AI_MOVE_CLIMB);

    p2->aiMove = AI_MOVE_LEFT;
    place(400, 300);   // on the zone's edge: outside
    updateLondon();
    EXPECT_EQ(p2->aiMove, AI_MOVE_LEFT);

    p2->aiGoalX = 300;
    place(1100, 450);
    p2->aiMove = AI_MOVE_RIGHT;
    updateLondon();
    EXPECT_EQ(p2->aiMove, AI_MOVE_LEFT);

    // With two human players the hint never runs.
    p2cpu = 0;
    p2->aiMove = AI_MOVE_RIGHT;
    updateLondon();
    EXPECT_EQ(p2->aiMove, AI_MOVE_RIGHT);
}

}  // namespace
