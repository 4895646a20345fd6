// Every weapon fired by each fighter at the other on a mirrored test arena: damage, push,
// ammunition, who is immune and when, and the homing rocket's and thruster's flights.
#include <allegro.h>
#include <gtest/gtest.h>

#include "core/settings.h"
#include "fighters/actions.h"
#include "fighters/fighter.h"
#include "fighters/twins.h"
#include "fighters/weapons.h"
#include "fighters_env.h"
#include "shell/loop.h"

namespace {

class WeaponsTest : public FighterTest {
protected:
    static int &fireOf(int side) { return side == 1 ? fire1 : fire2; }
};

enum ShotKind { BULLET, PLASMA, ROCKET, THRUSTER };

Projectile *shotOf(int side, int kind)
{
    FighterSide s = side == 1 ? sideOne() : sideTwo();
    Projectile **pools[] = {s.bullets, s.plasmas, s.rocket, s.thruster};
    return pools[kind][0];
}

struct Volley {
    int weapon, ammo;
    int damage, knockX, knockY, ammoAfter, weaponAfter;
    const char *casing;
    int casings;
};

TEST_F(WeaponsTest, EachWeaponFiredByEachFighterHurtsAndPushesTheOther)
{
    const Volley volleys[] = {
        {WEAPON_GIBBER, 0, 3, 2, 0, 0, WEAPON_GIBBER, "gibcasing", 1},
        // The second, rising bullet passes over him; the guns use no ammunition.
        {WEAPON_DUALGIBBER, 5, 3, 2, 0, 5, WEAPON_DUALGIBBER, "gibcasing", 2},
        {WEAPON_ZAPZAP, 1, 6, 9, -6, 0, WEAPON_GIBBER, "zapzapcasing", 1},
        {WEAPON_HOMO, 2, 3, 2, 0, 1, WEAPON_HOMO, "homocasing", 1},
        {WEAPON_MOONRAKER, 2, 2, 0, 0, 1, WEAPON_MOONRAKER, "gibcasing", 0},
        {WEAPON_BLASTER, 2, 6, 9, -6, 1, WEAPON_BLASTER, "zapzapcasing", 1},
    };
    for (const Volley &v : volleys) {
        for (int side = 1; side <= 2; side++) {
            if (v.weapon == WEAPON_BLASTER && side == 2)
                continue;   // player 1's alone
            SCOPED_TRACE(testing::Message() << "weapon " << v.weapon << ", fighter " << side);
            settle(600);
            resetCalls();
            Fighter *shooter = fighter(side), *target = fighter(3 - side);
            shooter->weapon = v.weapon;
            shooter->ammo = v.ammo;
            fireOf(side) = 1;
            combatTick(keys(""));
            fireOf(side) = 0;
            EXPECT_EQ(shooter->ammo, v.ammoAfter);
            EXPECT_EQ(shooter->weapon, v.weaponAfter);
            int firstHit = 0, knockX = 0, knockY = 0;
            for (int t = 1; t <= 60; t++) {
                if (!firstHit && target->health < 12) {
                    firstHit = t;
                    knockX = side == 1 ? target->knockX : -target->knockX;
                    knockY = target->knockY;
                }
                combatTick(keys(""));
            }
            EXPECT_EQ(callCount(v.casing), v.casings);
            // The target bleeds 44 drops of his colour, except from the laser; the rocket
            // ends in its small explosion.
            EXPECT_EQ(callCount(side == 1 ? "blood2" : "blood"), v.weapon == WEAPON_MOONRAKER ? 0 : 44);
            EXPECT_EQ(callCount("explosion 3/6"), v.weapon == WEAPON_HOMO);
            // Only the laser hits in the tick it is fired.
            EXPECT_EQ(firstHit == 1, v.weapon == WEAPON_MOONRAKER) << "first hit " << firstHit;
            EXPECT_EQ(12 - target->health, v.damage);
            EXPECT_EQ(knockX, v.knockX);
            EXPECT_EQ(knockY, v.knockY);
        }
    }
}

// Plasma and the blaster kick their shooter back, away from where he faces, and up; not
// while he hangs on a wall, crouches or slides.
TEST_F(WeaponsTest, PlasmaAndTheBlasterKickTheirShooterBackAndUp)
{
    struct Kick {
        int facing, state, hanging, knockX, knockY;
    } kicks[] = {
        {FACING_RIGHT, FIGHTER_STAND_RIGHT, 0, -4, -4}, {FACING_LEFT, FIGHTER_STAND_LEFT, 0, 4, -4},
        {FACING_RIGHT, FIGHTER_CROUCH, 0, 0, 0},        {FACING_LEFT, FIGHTER_SLIDE, 0, 0, 0},
        {FACING_RIGHT, FIGHTER_STAND_RIGHT, 1, 0, 0},
    };
    const struct { int side; void (*shoot)(); } guns[] = {
        {1, playerShootZapZap}, {2, player2ShootZapZap}, {1, playerShootBlaster}};
    for (const auto &g : guns)
        for (const Kick &k : kicks) {
            restFighters(300, 1200, kRestY);
            for (int i = 0; i < PLASMA_COUNT; i++)
                plasma[i]->active = plasma2[i]->active = 0;
            for (int i = 0; i < BLASTER_COUNT; i++)
                blaster[i]->active = 0;
            Fighter *f = fighter(g.side);
            f->facing = k.facing;
            f->state = k.state;
            f->wallGrabTimer = k.hanging ? 5 : 0;
            g.shoot();
            EXPECT_EQ(f->knockX, k.knockX) << "fighter " << g.side << ", state " << k.state;
            EXPECT_EQ(f->knockY, k.knockY) << "fighter " << g.side << ", state " << k.state;
        }
}

enum Pose { STANDING, SLIDING, FROZEN, FLIPPING, CROUCHING };
struct Immunity {
    int kind, pose, lowerHalf, struck;
};

// A shot about to reach the middle of the target: struck (hurt, or caught by a thruster)
// or passing, by the target's pose and the half of his box it crosses.
TEST_F(WeaponsTest, WhoIsStruckDependsOnThePoseAndTheHalfOfTheBox)
{
    const Immunity cases[] = {
        {BULLET, STANDING, 0, 1},   {BULLET, SLIDING, 1, 0},    {BULLET, FROZEN, 1, 0},
        {BULLET, FLIPPING, 1, 0},   {BULLET, CROUCHING, 0, 0},  {BULLET, CROUCHING, 1, 1},
        {PLASMA, SLIDING, 1, 0},    {PLASMA, FROZEN, 1, 0},     {PLASMA, FLIPPING, 1, 1},
        {PLASMA, CROUCHING, 0, 1},  {ROCKET, STANDING, 0, 1},   {ROCKET, SLIDING, 1, 0},
        {ROCKET, FROZEN, 1, 0},     {ROCKET, CROUCHING, 0, 0},  {ROCKET, CROUCHING, 1, 1},
        {THRUSTER, SLIDING, 1, 1},  {THRUSTER, FROZEN, 1, 0},   {THRUSTER, CROUCHING, 0, 0},
        {THRUSTER, CROUCHING, 1, 1},
    };
    loadMirroredArena(kFloor, kFloorRow);
    for (const Immunity &c : cases) {
        for (int side = 1; side <= 2; side++) {
            SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", pose " << c.pose
                                            << ", lower " << c.lowerHalf << ", fighter " << side);
            setupPlayer();
            setupPlayer2();
            place(300, 500);
            Fighter *t = fighter(3 - side);
            t->x = 800;
            t->state = c.pose == SLIDING ? FIGHTER_SLIDE
                     : c.pose == CROUCHING ? FIGHTER_CROUCH : FIGHTER_STAND_LEFT;
            t->sliding = c.pose == SLIDING;
            t->frozen = c.pose == FROZEN;
            t->flipTimer = c.pose == FLIPPING ? 2 : 0;
            int dir = side == 1 ? 1 : 0, sign = side == 1 ? 1 : -1, mid = t->x + t->w / 2;
            Projectile *p = shotOf(side, c.kind);
            p->active = 1;
            p->direction = dir;
            p->y = t->y + (c.lowerHalf ? 40 : 8);
            p->stepX = 8;
            p->stepY = 0;
            // Placed so that this tick's move brings its centre into the middle of the box.
            int step = c.kind == ROCKET ? -2 * sign : c.kind == THRUSTER ? 1 : p->speed;
            p->x = mid - sign * step;
            updateShots();
            int struck = c.kind == THRUSTER ? t->thrusterCaught != THRUSTER_FREE : t->health < 12;
            EXPECT_EQ(struck, c.struck);
        }
    }
}

struct Press {
    int weapon, ammo, state, wallGrab, frozen, busy;   // busy: his rocket or thruster is out
    int fired, ammoAfter, weaponAfter;
};

// One press of fire, for each fighter: whether the weapon fires (its sample, or the mine's
// ammunition), what it costs and the fall back to the gun.
TEST_F(WeaponsTest, APressFiresOnceAndCountsTheAmmunition)
{
    const Press presses[] = {
        {WEAPON_GIBBER, 0, FIGHTER_STAND_LEFT, 0, 0, 0, 1, 0, WEAPON_GIBBER},
        {WEAPON_GIBBER, 0, FIGHTER_CLIMB_UP, 0, 0, 0, 0, 0, WEAPON_GIBBER},
        {WEAPON_GIBBER, 0, FIGHTER_STAND_LEFT, 0, 1, 0, 0, 0, WEAPON_GIBBER},
        {WEAPON_ZAPZAP, 1, FIGHTER_STAND_LEFT, 0, 0, 0, 1, 0, WEAPON_GIBBER},
        {WEAPON_HOMO, 2, FIGHTER_STAND_LEFT, 0, 0, 1, 0, 2, WEAPON_HOMO},
        {WEAPON_MUMMRA, 2, FIGHTER_STAND_LEFT, 0, 0, 1, 1, 1, WEAPON_MUMMRA},
        {WEAPON_MOONRAKER, 2, FIGHTER_STAND_LEFT, 5, 0, 0, 0, 2, WEAPON_MOONRAKER},
        {WEAPON_DUALGIBBER, 2, FIGHTER_STAND_LEFT, 5, 0, 0, 0, 2, WEAPON_DUALGIBBER},
        {WEAPON_MINEDROP, 1, FIGHTER_CLIMB_DOWN, 0, 0, 0, 1, 0, WEAPON_GIBBER},
        {WEAPON_MINEDROP, 1, FIGHTER_RESPAWNING, 0, 0, 0, 0, 1, WEAPON_MINEDROP},
    };
    const int sample[] = {0, SND_GIBBER_FIRE, SND_ZAPZAP_FIRE, SND_HOMING_FIRE, SND_MUMMRA_FIRE,
                          SND_MOONRAKER_FIRE, -1, SND_DUALGIBBER_FIRE};
    for (const Press &p : presses) {
        for (int side = 1; side <= 2; side++) {
            SCOPED_TRACE(testing::Message() << "weapon " << p.weapon << ", state " << p.state
                                            << ", fighter " << side);
            FighterTest::SetUp();
            Fighter *f = fighter(side);
            FighterSide s = sideOf(side);
            restFighters(300, 1200, 500);
            f->weapon = p.weapon;
            f->ammo = p.ammo;
            f->state = p.state;
            f->wallGrabTimer = p.wallGrab;
            f->frozen = p.frozen;
            f->powerupTimer = 9;
            s.rocket[0]->active = s.thruster[0]->active = p.busy;
            SampleLog log;
            fireOf(side) = 1;
            fighterFire(s);
            fireOf(side) = 1;
            fighterFire(s);   // held: no second shot
            int fired = p.weapon == WEAPON_MINEDROP ? callCount(side == 1 ? "greenmine" : "purplemine")
                                                    : (int)log.calls.size();
            EXPECT_EQ(fired, p.fired);
            if (p.weapon != WEAPON_MINEDROP) {
                EXPECT_EQ(log.plays(sample[p.weapon]), p.fired);
            }
            EXPECT_EQ(f->ammo, p.ammoAfter);
            EXPECT_EQ(f->weapon, p.weaponAfter);
            // A press the rocket row refused stays unused for the next tick.
            EXPECT_EQ(f->fireLatch, p.fired);
        }
    }
}

TEST_F(WeaponsTest, UnderTheSpeedPowerUpHeldFireShootsEveryFiveTicks)
{
    for (int side = 1; side <= 2; side++) {
        FighterTest::SetUp();
        restFighters(300, 1200, 500);
        Fighter *f = fighter(side);
        FighterSide s = sideOf(side);
        SampleLog log;
        fireOf(side) = 1;
        f->sonic = 1;
        for (int t = 0; t < 11; t++)
            fighterFire(s);
        // On ticks 1, 6 and 11; the gun's pitch tells the fighters apart.
        EXPECT_EQ(log.plays(SND_GIBBER_FIRE, side == 1 ? 1000 : 1100), 3);
        fireOf(side) = 0;
        fighterFire(s);
        // Only player 2's flash is cut when fire is let go.
        EXPECT_EQ(f->gibberFlash, side == 1 ? 3 : 0);
    }
}

struct Stop {
    int side, kind, x, y, ends;
    const char *effect;   // and how many of it
    int count;
    int arena;            // 0: Hell
};

// Where shots stop, one tick after being put there: each fighter's bullets die in his own
// base, his plasma leaves it; player 2's thruster crosses the green field (x 290..325) and
// stops only inside the base; walls (x 640..671 and 928..959 here, rows y 320..959, stairs
// in y 896..927) stop every shot, with the mark the arena gives.
TEST_F(WeaponsTest, BasesAndWallsStopShotsWhereEachFightersWindowsSay)
{
    const Stop stops[] = {
        {1, BULLET, 132, 1097, 1, "spark3", 8, 0},
        {1, PLASMA, 132, 1097, 0, "spark3", 0, 0},
        {2, BULLET, 1470, 1097, 1, "spark4", 8, 0},
        {2, PLASMA, 1470, 1097, 0, "spark4", 0, 0},
        {1, BULLET, 1295, 1097, 1, "spark4", 8, 0},
        {2, BULLET, 307, 1097, 1, "spark3", 8, 0},
        {1, THRUSTER, 1295, 1097, 1, "explosion 2/80", 1, 0},
        {2, THRUSTER, 307, 1097, 0, "explosion 2/80", 0, 0},
        {2, THRUSTER, 262, 1097, 1, "explosion 2/80", 1, 0},
        {1, BULLET, 645, 510, 1, "spark1", 5, 0},
        {1, PLASMA, 645, 510, 1, "spark2", 10, 0},
        {1, ROCKET, 645, 510, 1, "explosion 3/6", 1, 0},
        {1, THRUSTER, 645, 510, 1, "explosion 2/80", 1, 0},
        {2, BULLET, 955, 510, 1, "spark1", 5, 0},
        {2, PLASMA, 955, 510, 1, "spark2", 10, 0},
        {2, ROCKET, 955, 510, 1, "explosion 3/6", 1, 0},
        {2, THRUSTER, 955, 510, 1, "explosion 2/80", 1, 0},
        {1, BULLET, 645, 900, 1, "spark1", 5, 0},
        {2, BULLET, 955, 900, 1, "spark1", 5, 0},
        // Player 1's bullets mark walls by the arena's own rule; player 2's spark on all
        // but the tutorial.
        {1, BULLET, 645, 510, 1, "spark1", 5, ARENA_SMOG_CITY},
        {1, BULLET, 645, 510, 1, "spark1", 5, ARENA_ONE_UP},
        {1, BULLET, 645, 510, 1, "spark1", 0, ARENA_BEAST},
        {1, BULLET, 645, 510, 1, "blood2", 44, ARENA_BEAST},
        {1, BULLET, 645, 510, 1, "spark1", 0, ARENA_GREEN_HILL},
        {1, BULLET, 645, 772, 1, "spark1", 5, ARENA_CAVERN},
        {1, BULLET, 645, 773, 1, "spark1", 0, ARENA_CAVERN},
        {1, BULLET, 645, 510, 1, "spark1", 0, SCREEN_RESULT},
        {1, BULLET, 645, 510, 1, "spark1", 0, SCREEN_TUTORIAL},
        {2, BULLET, 955, 510, 1, "spark1", 5, ARENA_GREEN_HILL},
        {2, BULLET, 955, 510, 1, "spark1", 0, SCREEN_TUTORIAL},
        // The Moon's two spark walls stand in open air (440..480 and 1127..1167, below 503)
        // and stop player 1's bullets only.
        {1, BULLET, 460, 600, 1, "spark3", 8, ARENA_MOON},
        {1, BULLET, 1140, 600, 1, "spark4", 8, ARENA_MOON},
        {1, BULLET, 460, 503, 0, "spark3", 0, ARENA_MOON},
        {1, BULLET, 460, 600, 0, "spark3", 0, ARENA_HELL},
        {2, BULLET, 1140, 600, 0, "spark4", 0, ARENA_MOON},
    };
    std::vector<std::string> rows(20, "....................#");
    rows[18].back() = 'S';
    loadMirroredArena(rows, 10);
    for (const Stop &c : stops) {
        SCOPED_TRACE(testing::Message() << "fighter " << c.side << ", kind " << c.kind
                                        << " at " << c.x << "," << c.y);
        setupPlayer();
        setupPlayer2();
        restFighters(300, mirrorX(300), 500);
        resetCalls();
        map = c.arena ? c.arena : (int)ARENA_HELL;
        Projectile *p = shotOf(c.side, c.kind);
        p->active = 1;
        p->speed = 0;
        p->stepX = 8;
        p->direction = c.side == 1;
        p->x = c.x;
        p->y = c.y;
        updateShots();
        EXPECT_EQ(p->active, !c.ends);
        EXPECT_EQ(callCount(c.effect), c.count);
        EXPECT_EQ(player->health + player2->health, 24);
    }
    map = ARENA_HELL;
}

enum Relation { LEVEL_AHEAD, LEVEL_BEHIND, ABOVE };
struct LaserShot {
    int relation, targetInBase, struck;
};

// The laser hits at once, through walls, an opponent level with the shooter and ahead of
// him, unless he stands in his base.
TEST_F(WeaponsTest, TheLaserHitsALevelOpponentAheadOutsideHisBase)
{
    const LaserShot shots[] = {
        {LEVEL_AHEAD, 0, 1}, {LEVEL_AHEAD, 1, 0}, {LEVEL_BEHIND, 0, 0}, {ABOVE, 0, 0}};
    // A wall between the two.
    loadMirroredArena(std::vector<std::string>(20, "....................#"), 10);
    for (const LaserShot &l : shots) {
        for (int side = 1; side <= 2; side++) {
            SCOPED_TRACE(testing::Message() << "relation " << l.relation << ", in base "
                                            << l.targetInBase << ", fighter " << side);
            restFighters(300, mirrorX(300), 500);
            Fighter *f = fighter(side), *t = fighter(3 - side);
            if (l.relation == LEVEL_BEHIND)
                f->facing = !f->facing;
            if (l.relation == ABOVE)
                t->y += t->h + 5;
            t->inBase = l.targetInBase;
            t->runSpeed = 5.0;
            f->weapon = WEAPON_MOONRAKER;
            f->fireLatch = 0;
            f->ammo = 3;
            p2cpu = 1;
            t->aiMove = AI_MOVE_HOLD;
            fireOf(side) = 1;
            fighterFire(sideOf(side));
            fireOf(side) = 0;
            p2cpu = 0;
            EXPECT_EQ(f->ammo, 2);
            EXPECT_EQ(t->health, l.struck ? 10 : 12);
            EXPECT_EQ(t->runSpeed, l.struck ? 0.0 : 5.0);
            // Player 1's hit turns the computer toward him.
            EXPECT_EQ(t->aiMove, side == 1 && l.struck ? AI_MOVE_LEFT : AI_MOVE_HOLD);
        }
    }
}

TEST_F(WeaponsTest, TheRocketStepsEightSidewaysAndFollowsTheSlope)
{
    loadMirroredArena(kFloor, kFloorRow);
    for (int side = 1; side <= 2; side++) {
        restFighters(300, mirrorX(300), 500);
        Fighter *t = fighter(3 - side);
        FighterSide s = sideOf(side);
        Projectile *p = s.rocket[0];
        p->active = 1;
        p->stepX = p->stepY = 8;
        p->x = side == 1 ? 300 : mirrorX(300) + 33;
        p->y = 500;
        t->x = side == 1 ? 500 : p->x - 200;
        t->y = 540;
        int sign = side == 1 ? 1 : -1;
        for (int tick = 0; tick < 10; tick++) {
            double x = p->x, y = p->y;
            int stepY = p->stepY;
            (side == 1 ? updateHomoRocket : updateHomoRocket2)();
            ASSERT_EQ(p->active, 1);
            EXPECT_EQ(p->x - x, 8 * sign);
            EXPECT_EQ(p->y - y, stepY);
            EXPECT_LE(p->stepY, 8);
            EXPECT_EQ(p->direction, side == 1 ? 1 : 0);
        }
        // Out through the left edge into the wall's column: only player 1's rocket is
        // still probed there, and explodes.
        SampleLog log;
        p->x = 3;
        t->x = -100;
        (side == 1 ? updateHomoRocket : updateHomoRocket2)();
        EXPECT_EQ(p->active, 0);
        EXPECT_EQ(log.plays(SND_EXPLOSION), side == 1);
        p->active = 1;
        t->x = 600;
        // Straight above him the slope has no value: the step is its cap.
        p->x = t->x;
        p->y = 100;
        (side == 1 ? updateHomoRocket : updateHomoRocket2)();
        EXPECT_EQ(p->stepY, 8);
    }
}

TEST_F(WeaponsTest, TheThrusterCatchesAndCarriesTowardTheSideHisShooterFaced)
{
    for (int side = 1; side <= 2; side++) {
        settle(600);
        SampleLog log;
        Fighter *f = fighter(side), *t = fighter(3 - side);
        f->weapon = WEAPON_MUMMRA;
        f->ammo = 1;
        f->thrusterSoundLatch = t->thrusterSoundLatch = 0;   // as after a stay in the booth
        fireOf(side) = 1;
        int caught = 0;
        for (int tick = 0; tick < 120 && t->health > 0; tick++) {
            combatTick(keys(""));
            fireOf(side) = 0;
            caught |= t->thrusterCaught;
        }
        // Carried toward the side his opponent faced (and killed there).
        EXPECT_EQ(caught, side == 1 ? THRUSTER_CARRY_RIGHT : THRUSTER_CARRY_LEFT);
        ASSERT_EQ(t->health, 0);
        EXPECT_EQ(log.plays(SND_THRUSTER), 1);
        // Player 1's catch of a standing victim is latched by the victim, player 2's by
        // himself.
        EXPECT_EQ(t->thrusterSoundLatch, side == 1);
        EXPECT_EQ(f->thrusterSoundLatch, side == 2);
        combatTick(keys(""));
        EXPECT_EQ(f->frags, 1);
        EXPECT_EQ((side == 1 ? mummrathruster : mummrathruster2)[0]->active, 0);

        // Flying free near the left side, player 2's thruster explodes 30 px earlier.
        Projectile *p = (side == 1 ? mummrathruster : mummrathruster2)[0];
        p->active = 1;
        p->attached = p->attachX = p->speed = 0;
        p->direction = 0;
        p->x = 75;
        p->y = 300;
        (side == 1 ? updateMummraThruster : updateMummraThruster2)();
        EXPECT_EQ(p->active, side == 1);
    }
}

// The blaster bolt slows as its life runs down, fades to white without its colour
// overflowing, and ends on its 96th tick.
TEST_F(WeaponsTest, TheBlasterBoltFadesToWhiteAndEndsOnItsNinetySixthTick)
{
    restFighters(300, 1200, 100);
    player->weapon = WEAPON_BLASTER;
    player->ammo = 1;
    fire1 = 1;
    fighterFire(sideOne());
    fire1 = 0;
    Projectile *p = blaster[0];
    ASSERT_EQ(p->active, 1);
    int ticks = 0;
    double x = p->x;
    while (p->active && ticks < 200) {
        updateBlaster();
        ticks++;
        if (ticks == 1) {
            EXPECT_EQ(p->x - x, 13);
        }
        if (ticks == 40) {
            EXPECT_EQ(p->colour, makecol(255, 255, 255));
        }
    }
    EXPECT_EQ(ticks, 96);
}

} // namespace
