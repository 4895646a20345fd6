// Cubes: where they appear, how they hover, fall and come to rest, who takes them, bullets
// and the magnet.
#include "arena/forcefields.h"
#include "arena/pickups.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/settings.h"
#include "core/shots.h"
#include "core/sound.h"
#include "core/world.h"
#include "pickups_env.h"

namespace {

int liveCubes(int fromX, int toX)
{
    int n = 0;
    for (Cube *c : cube)
        n += c->active && c->x >= fromX && c->x < toX;
    return n;
}

// Each half is counted on its own, but the right half's first cube goes where the left
// half's last try left the spawn point. (Bases out of the way: no spawn is moved off one.)
TEST_F(PickupTest, EachHalfGetsItsBoutStartCubes)
{
    booth->y = booth2->y = -2000;
    setupForcefields();
    for (unsigned seed = 1; seed <= 20; seed++) {
        srand(seed);
        setupcubespawner();
        cube1spawn = cube1spawnR = 0;
        cubespawnerroutine();
        EXPECT_EQ(liveCubes(0, 800), initialcubes + 1) << "seed " << seed;
        EXPECT_EQ(liveCubes(800, 1600), initialcubes - 1) << "seed " << seed;
        cubespawnerroutine();
        EXPECT_EQ(liveCubes(0, 1600), 2 * initialcubes) << "placed again";
    }
}

// A spawn beside a base moves to a random point instead; neither a map without room nor
// bases that cover the arena can hold the game, and what could not be placed comes later.
TEST_F(PickupTest, SpawnsKeepClearOfBasesAndGiveUpWhereThereIsNoRoom)
{
    spawncube((int)booth2->x, (int)booth2->y - 49, 50, 4, 4);
    EXPECT_FALSE(nearBase(2, (int)cube[0]->x, (int)cube[0]->y, 50));
    EXPECT_EQ(cube[0]->xVel, 0);
    setupcubespawner();
    loadGrid(std::vector<std::string>(38, std::string(50, '#')));
    powerupspawncount = 0;
    cubespawnerroutine();
    EXPECT_EQ(liveCubes(0, 1600), 0);
    EXPECT_EQ(powerupspawncount, 0);
    loadGrid({});
    cubespawnerroutine();
    EXPECT_EQ(liveCubes(0, 1600), 2 * initialcubes);
    setupcubespawner();
    booth->x = booth->y = -100;
    booth->h = 2000;
    greenforcefield->x = 1700;
    spawncube(700, 500, 50, 0, 0);
    spawnpowerup(700, 500);
    EXPECT_EQ(liveCubes(0, 1600) + powerup[0]->active, 0);
}

TEST_F(PickupTest, ANewCubeHoversInLightningThenFallsBouncesAndRests)
{
    loadFloor();
    spawncube(400, 300, 50, 0, 0);
    Cube *c = cube[0];
    runPickups(50);
    EXPECT_EQ(c->y, 300.0) << "moved during its hover";
    std::vector<Call> bolts = callsTo("lightning");
    EXPECT_GT(bolts.size(), 5u);
    EXPECT_LT(bolts.size(), 25u);
    for (const Call &b : bolts)
        EXPECT_TRUE(b.a == 410 && b.b == 310 && b.c == 410 && b.d >= 200 && b.d < 220) << b.d;
    calls.clear();
    int bounced = 0;
    for (int t = 0; t < 300; t++) {
        runPickups(1);
        bounced |= c->fallSpeed < 0;
    }
    EXPECT_TRUE(bounced);
    EXPECT_TRUE(callsTo("lightning").empty());
    EXPECT_FALSE(callsTo("sample", SND_ITEM_BOUNCE).empty());
    // At rest the lift and gravity hold it two pixels over the floor.
    EXPECT_EQ(c->y + c->h, 958.0);
    runPickups(10);
    EXPECT_EQ(c->y + c->h, 958.0);
    EXPECT_EQ(c->noPoints, 1);
}

TEST_F(PickupTest, PickUpNeedsDownAndRoomAndPaysForACatchInTheAir)
{
    struct Case {
        int down, carried, noPoints, taken, power;
    } cases[] = {{1, 0, 0, 1, 10}, {1, 2, 1, 1, 0}, {0, 0, 0, 0, 0}, {1, 3, 0, 0, 0}};
    for (int who = 0; who < 2; who++)
        for (const Case &k : cases) {
            setupcubespawner();
            Fighter *f = who == 0 ? player : player2;
            putFighter(1 - who, 1000, 20);
            putFighter(who, 390, 295);
            f->cubesCarried = k.carried;
            f->power = 50;
            (who == 0 ? down1 : down2) = k.down;
            spawncube(400, 300, 50, 0, 0);
            cube[0]->noPoints = k.noPoints;
            calls.clear();
            runPickups(1);
            EXPECT_EQ(cube[0]->active, !k.taken) << "fighter " << who + 1;
            EXPECT_EQ(f->cubesCarried, k.carried + k.taken);
            EXPECT_EQ(f->power, 50 + k.power);
            std::vector<Call> s = callsTo("sample", SND_CUBE_PICKUP);
            ASSERT_EQ(s.size(), (size_t)k.taken);
            EXPECT_TRUE(!k.taken || s[0].d == (who == 0 ? 1200 : 1100));
            down1 = down2 = 0;
        }
    // Both over it with down held: fighter 1 takes it.
    setupcubespawner();
    putFighter(0, 390, 295);
    putFighter(1, 395, 290);
    player->cubesCarried = player2->cubesCarried = 0;
    down1 = down2 = 1;
    spawncube(400, 300, 50, 0, 0);
    runPickups(1);
    EXPECT_EQ(player->cubesCarried, 1);
    EXPECT_EQ(player2->cubesCarried, 0);
}

TEST_F(PickupTest, OnlyTheFirstBulletOfEachPoolStrikesACube)
{
    spawncube(400, 300, 50, 0, 0);
    for (Projectile *b : {bullet[1], bullet2[0]}) {
        b->active = 1;
        b->x = 405;
        b->y = 305;
    }
    runPickups(1);
    EXPECT_TRUE(bullet[1]->active && !bullet2[0]->active);
    EXPECT_EQ(callsTo("explosion").size(), 1u);
    std::vector<Call> sparks = callsTo("spark");
    ASSERT_EQ(sparks.size(), 4u);
    EXPECT_TRUE(sparks[3].a == 410 && sparks[3].b == 310 && sparks[3].c == 2);
}

// The computer opponent is told which cubes and whether the box lie in the green base.
TEST_F(PickupTest, TheComputerLearnsWhatLiesInTheGreenBase)
{
    p2cpu = 1;
    spawncube(800, 300, 50, 0, 0);
    spawncube(800, 300, 50, 0, 0);
    spawnpowerup(800, 300);
    for (Cube *c : {cube[0], powerup[0]}) {
        c->x = booth->x + 150;
        c->y = booth->y + 60;
    }
    runPickups(1);
    EXPECT_TRUE(cube[0]->inGreenBase && powerup[0]->inGreenBase && !cube[1]->inGreenBase);
}

// On Hell a cube that sinks into the lava comes back hovering at the spawn point, and the
// box is put back on the middle platform.
TEST_F(PickupTest, HellGivesBackWhatFallsIntoTheLava)
{
    map = ARENA_HELL;
    spawncube(800, 1085, 0, 0, 0);
    spawnpowerup(700, 1105);
    runPickups(1);
    EXPECT_EQ(cube[0]->active, 0);
    EXPECT_EQ(liveCubes(0, 1600), 1);
    EXPECT_EQ(cube[1]->materialise, 49);
    EXPECT_TRUE(powerup[0]->x == 800 && powerup[0]->y < 540);
}

// Pulled toward the owner and pushed away from his opponent on the far side, a cube gathers
// speed toward the owner.
TEST_F(PickupTest, TheMagnetDrawsCubesToItsOwner)
{
    loadFloor();
    for (int who = 0; who < 2; who++) {
        setupcubespawner();
        player->magnet = who == 0;
        player2->magnet = who == 1;
        putFighter(who, 100, 912);
        putFighter(1 - who, 1400, 912);
        spawncube(700, 600, 0, 0, 0);
        runPickups(60);
        EXPECT_LT(cube[0]->x, 400) << "fighter " << who + 1;
    }
}

} // namespace
