// Explosions: what they do to the fighters at various distances and on both sides, which
// kinds hurt or shove, the base and the frozen look, and the push on loose objects.
#include <gtest/gtest.h>

#include <functional>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "effects/world.h"
#include "gore/gore.h"

namespace {

class Explosions : public EffectsWorld {};

struct FighterCase {
    int bx, by;          // explosion centre (a bomb, radius 190)
    int cx, cy;          // the fighter's centre
    int health, knockX, knockY;   // after one update
};

TEST_F(Explosions, OneTickHurtsAndShovesAFighterByHisDistanceFromTheCentre)
{
    const FighterCase cases[] = {
        {800, 600, 800, 600, 11, 0, -95},      // on the centre: full lift, no sideways push
        {800, 600, 705, 600, 11, -7, -71},     // left of it: pushed left
        {800, 600, 895, 600, 11, 7, -71},      // right of it: pushed right
        {800, 600, 800, 500, 11, 0, -68},
        {800, 600, 934, 734, 11, 4, 0},        // near the rim: the lift rounds to nothing
        {800, 600, 666, 466, 11, -4, 0},
        {800, 600, 989, 600, 11, 0, 0},        // just inside the radius
        {800, 600, 990, 600, 12, 0, 0},        // on the radius: outside
        {800, 600, 935, 735, 12, 0, 0},
        {800, 144, 800, 144, 11, 0, 0},        // the lift would leave him 25 px from the top
        {800, 150, 800, 150, 11, 0, -95},      // 31 px: lifted
        {30, 600, 20, 600, 11, 0, 0},          // at the left edge: hurt, never shoved
        {1570, 600, 1580, 600, 11, 0, 0},      // at the right edge likewise
    };
    for (const FighterCase &c : cases) {
        resetWorld();
        centreFighterAt(player, c.cx, c.cy);
        spawnExplosion(c.bx, c.by, EXPLOSION_BOMB, 190);
        updateExplosion();
        EXPECT_EQ(player->health, c.health) << "fighter at " << c.cx << "," << c.cy;
        EXPECT_EQ(player->knockX, c.knockX) << "fighter at " << c.cx << "," << c.cy;
        EXPECT_EQ(player->knockY, c.knockY) << "fighter at " << c.cx << "," << c.cy;
    }
}

struct KindCase {
    int type;
    int inBase, frozen;
    int hurts, shoves;
};

TEST_F(Explosions, EachKindHurtsAndShovesBothFightersOrNot)
{
    const KindCase cases[] = {
        {EXPLOSION_BOMB, 0, 0, 1, 1},
        {1, 0, 0, 1, 1},
        {EXPLOSION_THRUSTER, 0, 0, 1, 1},
        {EXPLOSION_ROCKET, 0, 0, 0, 1},
        {EXPLOSION_GREEN_MINE, 0, 0, 1, 1},
        {EXPLOSION_PURPLE_MINE, 0, 0, 1, 1},
        {EXPLOSION_CUBE_HIT, 0, 0, 0, 0},
        {EXPLOSION_TALL, 0, 0, 1, 0},
        {EXPLOSION_BOMB, 1, 0, 0, 0},          // safe in his own base
        {EXPLOSION_ROCKET, 1, 0, 0, 0},
        {EXPLOSION_BOMB, 0, 1, 0, 1},          // frozen: shoved, not hurt
        {EXPLOSION_BOMB, 1, 1, 0, 0},
    };
    for (const KindCase &c : cases) {
        resetWorld();
        // Fighter 1 right of the centre, fighter 2 left of it.
        centreFighterAt(player, 895, 600);
        centreFighterAt(player2, 705, 600);
        player->inBase = player2->inBase = c.inBase;
        player->frozen = player2->frozen = c.frozen;
        spawnExplosion(800, 600, c.type, 190);
        updateExplosion();
        for (int side = 0; side < 2; side++) {
            const Fighter *f = side == 0 ? player : player2;
            const int away = side == 0 ? 7 : -7;
            EXPECT_EQ(f->health, 12 - c.hurts) << "type " << c.type << " fighter " << side + 1;
            EXPECT_EQ(f->knockX, c.shoves ? away : 0) << "type " << c.type << " fighter " << side + 1;
            EXPECT_EQ(f->knockY, c.shoves ? -71 : 0) << "type " << c.type << " fighter " << side + 1;
        }
    }
}

TEST_F(Explosions, ABombHurtsOnNineTicksAndOverlappingOnesEachHurtInTheSameTick)
{
    centreFighterAt(player, 800, 600);
    spawnExplosion(800, 600, EXPLOSION_BOMB, 190);
    for (int t = 1; t <= 12; t++) {
        updateExplosion();
        EXPECT_EQ(boom[0]->active, t < 10 ? 1 : 0) << "after update " << t;
    }
    EXPECT_EQ(player->health, 12 - 9);

    resetWorld();
    centreFighterAt(player, 800, 600);
    spawnExplosion(780, 600, EXPLOSION_THRUSTER, 80);
    spawnExplosion(820, 600, EXPLOSION_THRUSTER, 80);
    updateExplosion();
    EXPECT_EQ(player->health, 10);
    EXPECT_EQ(player->knockX, 0);   // equal shoves from either side cancel
}

TEST_F(Explosions, AnEleventhExplosionIsLost)
{
    for (int i = 0; i < EXPLOSION_COUNT; i++)
        spawnExplosion(100 + i, 600, EXPLOSION_BOMB, 190);
    spawnExplosion(1500, 600, EXPLOSION_BOMB, 190);
    for (int i = 0; i < EXPLOSION_COUNT; i++) {
        EXPECT_EQ(boom[i]->active, 1);
        EXPECT_EQ(boom[i]->x, 100 + i);
    }
}

TEST_F(Explosions, TheHelpersTakeACoordinateOfExactlyZeroAsOne)
{
    spawnExplosion(0.5, 50, EXPLOSION_BOMB, 10);
    // Measured from 1.0, the point lies right of the centre and is pushed right.
    EXPECT_GT(Forcex(*boom[0], 0.0, 50), 0);
    EXPECT_LT(Forcex(*boom[0], 0.25, 50), 0);
    // From 1.0 the point is 0.5 away, from 0.0 it would be 1.5 away.
    spawnExplosion(800, 1.5, EXPLOSION_BOMB, 1);
    EXPECT_EQ(explosionDamage(*boom[1], 800, 0.0), 1.0);
    spawnExplosion(800, 1.5, EXPLOSION_BOMB, 10);
    EXPECT_EQ(Forcey(*boom[2], 800, 0.0), 5.0);
}

// One loose record of each pushed pool, its box 40 x 40; the last slot of the pool, looked up
// afresh on every call because each world rebuild makes new records.
struct LoosePool {
    const char *name;
    std::function<void(double x, double y)> place;   // top-left; makes it live, at rest
    std::function<int()> xVel, upward;
    int kx, ky, topMargin, liftFromTop;
};

template <class Record, int N>
LoosePool loose(const char *name, Record *(&pool)[N], int Record::*upward, int kx, int ky,
                int topMargin, int liftFromTop = 0)
{
    Record *(*p)[N] = &pool;
    return {name,
            [p, upward](double x, double y) {
                Record *r = (*p)[N - 1];
                r->x = x;
                r->y = y;
                r->w = r->h = 40;
                r->active = 1;
                r->xVel = 0;
                r->*upward = 0;
            },
            [p] { return (*p)[N - 1]->xVel; }, [p, upward] { return (*p)[N - 1]->*upward; },
            kx, ky, topMargin, liftFromTop};
}

TEST_F(Explosions, TheFirstSlotAlonePushesCubesTheBoxMinesGoreAndGroundBits)
{
    const LoosePool pools[] = {
        loose("cube", cube, &Cube::yVel, 1, 1, 50, 1),
        loose("power-up box", powerup, &Cube::yVel, 1, 1, 30),
        loose("mine", mine, &Mine::yVel, 1, 1, 60),
        loose("green blood", greenblood, &DebrisParticle::yImpulse, 1, 2, 30),
        loose("purple blood", purpleblood, &DebrisParticle::yImpulse, 1, 2, 30),
        loose("green gib", greengib, &DebrisParticle::yImpulse, 1, 2, 30),
        loose("purple gib", purplegib, &DebrisParticle::yImpulse, 1, 2, 30),
        loose("green head", greenhead, &DebrisParticle::yImpulse, 4, 2, 30),
        loose("purple head", purplehead, &DebrisParticle::yImpulse, 4, 2, 30),
        loose("green torso", greentorso, &DebrisParticle::yImpulse, 1, 2, 30),
        loose("purple torso", purpletorso, &DebrisParticle::yImpulse, 1, 2, 30),
        loose("green arm", greenarm, &DebrisParticle::yImpulse, 1, 2, 30),
        loose("purple arm", purplearm, &DebrisParticle::yImpulse, 1, 2, 30),
        loose("green leg", greenleg, &DebrisParticle::yImpulse, 1, 2, 30),
        loose("purple leg", purpleleg, &DebrisParticle::yImpulse, 1, 2, 30),
        loose("ground bit", groundBit, &EffectParticle::yVel, 1, 2, 30),
    };
    for (const LoosePool &p : pools) {
        // Centre 95 px right of the blast: sideways 7.5, lift 71 (70 from the top edge). The
        // kind is not asked: even a cube hit, harmless to fighters, pushes loose objects.
        resetWorld();
        spawnExplosion(800, 600, EXPLOSION_CUBE_HIT, 190);
        p.place(875, 580);
        updateExplosion();
        EXPECT_EQ(p.xVel(), (int)(p.kx * 7.5)) << p.name;
        EXPECT_EQ(p.upward(), -p.ky * (p.liftFromTop ? 70 : 71)) << p.name;

        // Lifted only while that leaves it more than its margin below the top edge.
        for (int above = 0; above < 2; above++) {
            resetWorld();
            const int lift = p.ky * (p.liftFromTop ? 70 : 71);
            const int y = lift + p.topMargin + above;
            p.place(875, y);
            spawnExplosion(800, y + 20, EXPLOSION_BOMB, 190);
            updateExplosion();
            EXPECT_EQ(p.upward(), above ? -lift : 0) << p.name << " at y " << y;
        }

        // Nothing for a blast in the second slot while the first is free.
        resetWorld();
        boom[0]->active = 1;
        spawnExplosion(800, 600, EXPLOSION_BOMB, 190);
        boom[0]->active = 0;
        p.place(875, 580);
        updateExplosion();
        EXPECT_EQ(p.xVel(), 0) << p.name;
        EXPECT_EQ(p.upward(), 0) << p.name;
    }
}

}  // namespace
