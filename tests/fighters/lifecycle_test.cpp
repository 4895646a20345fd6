// A fighter's life: death booked once, the stay in the booth and the return, cube cash-in,
// the end of power-up effects, bombs and their blast fronts; for both fighters.
#include <gtest/gtest.h>

#include "core/assets.h"
#include "core/clock.h"
#include "core/match.h"
#include "core/settings.h"
#include "fighters/actions.h"
#include "fighters/bombs.h"
#include "fighters/twins.h"
#include "fighters_env.h"
#include "shell/loop.h"

namespace {

class LifeTest : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        loadMirroredArena(kFloor, kFloorRow);
    }
};

TEST_F(LifeTest, ADeathIsBookedOnceAndTheFighterReturnsAfter494Ticks)
{
    int *frags[3] = {NULL, &GreenFrags, &PurpleFrags}, *deaths[3] = {NULL, &GreenDeaths, &PurpleDeaths};
    for (int side = 1; side <= 2; side++) {
        FighterTest::SetUp();
        settle(600);
        Fighter *victim = fighter(side), *killer = fighter(3 - side);
        PurpleActive = 1;
        int killerFrags = *frags[3 - side], victimDeaths = *deaths[side];
        SampleLog log;
        victim->health = 0;
        combatTicks(keys(""), 20);
        EXPECT_EQ(victim->power, 185);
        EXPECT_EQ(killer->power, 215);
        EXPECT_EQ(killer->frags, 1);
        EXPECT_EQ(*frags[3 - side], killerFrags + 1);
        EXPECT_EQ(*deaths[side], victimDeaths + 1);
        EXPECT_EQ(victim->state, FIGHTER_RESPAWNING);
        int ticks = 20;
        while (victim->alive == 0 && ticks < 1000) {
            combatTick(keys(""));
            ticks++;
        }
        // The death tick, then 19 booth frames of 26 ticks.
        EXPECT_EQ(ticks, 1 + 494);
        EXPECT_EQ(victim->health, 12);
        // Thrown out of the booth into the arena, 10 px in the tick of his return.
        Booth *b = side == 1 ? booth : booth2;
        EXPECT_EQ(victim->x, (int)b->x + b->w / 3 + (side == 1 ? 10 : -10));
        EXPECT_EQ(victim->knockY, -7);
        EXPECT_EQ(log.plays(SND_RESPAWN), 1);
        EXPECT_EQ(log.plays(SND_SPAWN, side == 1 ? 800 : 700), 1);
        EXPECT_EQ(player->hasSpawned, side == 1);
    }
    // A purple team counts only while chosen and played by a human.
    PurpleActive = 0;
    int purpleFrags = PurpleFrags, greenDeaths = GreenDeaths;
    player->health = 0;
    combatTick(keys(""));
    EXPECT_EQ(PurpleFrags, purpleFrags);
    EXPECT_EQ(GreenDeaths, greenDeaths + 1);
}

// The cubes a fighter carries are lost with his life: he is back without them.
TEST_F(LifeTest, ADeadFighterLosesTheCubesHeCarried)
{
    for (int side = 1; side <= 2; side++) {
        FighterTest::SetUp();
        settle(600);
        Fighter *f = fighter(side);
        f->cubesCarried = 3;
        f->health = 0;
        combatTick(keys(""));
        EXPECT_EQ(f->cubesCarried, 0) << "fighter " << side;
        for (int t = 0; t < 600 && f->alive == 0; t++)
            combatTick(keys(""));
        EXPECT_EQ(f->alive, 1);
        combatTicks(keys(""), 20);
        EXPECT_EQ(f->cubesCarried, 0) << "fighter " << side;
    }
}

struct Burst {
    int armless, lava;
    int blood, gibs, heads, torsos, arms, legs;
};

// The gore of a death is thrown once, in his team's colour, at the tick of the death; a
// fighter who sank into the lava goes to the booth at once and throws none.
TEST_F(LifeTest, ADeathThrowsItsGoreOnce)
{
    const Burst bursts[] = {{0, 0, 100, 35, 1, 1, 2, 2}, {1, 0, 100, 35, 1, 1, 0, 2},
                            {0, 1, 0, 0, 0, 0, 0, 0}};
    const char *kinds[6] = {"blood", "gibs", "head", "torso", "arm", "leg"};
    secondscount = 1;   // no once-a-second bleeding in between
    for (const Burst &b : bursts) {
        for (int side = 1; side <= 2; side++) {
            SCOPED_TRACE(testing::Message() << "armless " << b.armless << ", lava " << b.lava
                                            << ", fighter " << side);
            settle(600);
            resetCalls();
            Fighter *f = fighter(side);
            f->armless = b.armless;
            f->powerupTimer = 5;
            f->health = 0;
            f->respawning = b.lava;   // as the lava leaves him
            combatTicks(keys(""), 5);
            const int counts[6] = {b.blood, b.gibs, b.heads, b.torsos, b.arms, b.legs};
            for (int k = 0; k < 6; k++) {
                EXPECT_EQ(callCount(std::string(kinds[k]) + (side == 1 ? "" : "2")), counts[k])
                    << kinds[k];
            }
            EXPECT_EQ(fighter(3 - side)->frags, 1);   // booked all the same
            fighter(3 - side)->frags = 0;
        }
    }
    secondscount = 0;
}

// A badly wounded fighter leaves a trail in his team's colour: a few drops in the tick the
// second turns, from health 3 down.
TEST_F(LifeTest, AWoundedFighterBleedsOnceASecondFromHealthThree)
{
    for (int side = 1; side <= 2; side++) {
        for (int health : {3, 4}) {
            SCOPED_TRACE(testing::Message() << "fighter " << side << ", health " << health);
            settle(600);
            resetCalls();
            fighter(side)->health = health;
            const int drops = health == 3 ? 8 : 0;
            secondscount = 0;
            combatTick(keys(""));
            EXPECT_EQ(callCount(side == 1 ? "blood" : "blood2"), drops);
            secondscount = 1;   // the rest of the second
            combatTick(keys(""));
            EXPECT_EQ(callCount("blood") + callCount("blood2"), drops);
        }
    }
    secondscount = 0;
}

TEST_F(LifeTest, ADeathThatEmptiesThePoolLeavesHimOutOfTheBooth)
{
    settle(600);
    player2->power = 15;
    player2->health = 0;
    combatTicks(keys(""), 5);
    EXPECT_EQ(player2->power, 0);
    EXPECT_EQ(player2->alive, 0);
    EXPECT_EQ(player2->respawning, 0);
    EXPECT_LT(player2->x, 1200);   // never placed in his booth
}

struct CashIn {
    int cubes, gain, loss, lightning;
};

TEST_F(LifeTest, CubesCashedInAtTheOwnBoothMovePowerBothWays)
{
    const CashIn cases[] = {{1, 25, 10, 50}, {2, 70, 25, 75}, {3, 100, 35, 200}};
    for (const CashIn &c : cases) {
        for (int side = 1; side <= 2; side++) {
            SCOPED_TRACE(testing::Message() << c.cubes << " cubes, fighter " << side);
            restFighters(300, 1200, 500);
            Fighter *f = fighter(side), *o = fighter(3 - side);
            Booth *b = side == 1 ? booth : booth2;
            // Each cashes in at his own part of the booth.
            f->x = (int)b->x + (side == 1 ? 40 : 70) - f->w / 2;
            f->y = (int)b->y + 60;
            f->cubesCarried = c.cubes;
            f->bonusTimer = 0;
            f->power = o->power = 200;
            SampleLog log;
            FighterSide s = sideOf(side);
            f->respawning = 1;   // not while in the booth
            fighterCashIn(s);
            EXPECT_EQ(f->power, 200);
            f->respawning = 0;
            int x = f->x;
            f->x = (int)b->x + (side == 1 ? 70 : 40) - f->w / 2;   // the other's part
            fighterCashIn(s);
            EXPECT_EQ(f->power, 200);
            f->x = x;
            f->respawning = 0;
            fighterCashIn(s);
            EXPECT_EQ(f->power, 200 + c.gain);
            EXPECT_EQ(o->power, 200 - c.loss);
            EXPECT_EQ(b->lightningTimer, c.lightning - 1);
            EXPECT_EQ(f->cubesCarried, 0);
            EXPECT_EQ(log.plays(SND_CUBE_CASHIN, side == 1 ? 1200 : 1000), 1);
            // Player 2's three-cube delivery also starts his bonus timer.
            EXPECT_EQ(f->bonusTimer, side == 2 && c.cubes == 3 ? 499 : 0);
            fighterBombBaseAndPowerups(s);
            EXPECT_EQ(f->inBase, 1);
        }
    }
}

TEST_F(LifeTest, WhenThePowerUpRunsOutHeThawsAndGetsHisWeaponBack)
{
    for (int side = 1; side <= 2; side++) {
        restFighters(300, 1200, 500);
        Fighter *f = fighter(side);
        f->frozen = f->slowed = f->armless = 1;
        f->weapon = WEAPON_NONE;
        f->savedWeapon = WEAPON_ZAPZAP;
        f->savedAmmo = 7;
        f->maxRunSpeed = 14.0;
        f->powerupTimer = 1;
        fighterBombBaseAndPowerups(sideOf(side));
        EXPECT_EQ(f->frozen, 1);
        f->powerupTimer = 0;
        fighterBombBaseAndPowerups(sideOf(side));
        EXPECT_EQ(f->frozen, 0);
        EXPECT_EQ(f->slowed, 0);
        EXPECT_EQ(f->maxRunSpeed, 8.0);
        EXPECT_EQ(f->weapon, WEAPON_ZAPZAP);
        EXPECT_EQ(f->ammo, 7);
        EXPECT_EQ(f->armless, 0);
    }
}

static int liveBombs(Bomb **pool)
{
    int n = 0;
    for (int i = 0; i < BOMB_COUNT; i++)
        n += pool[i]->active;
    return n;
}

// Laid under himself, the bomb comes to rest on the floor, goes off on its 90th tick and its
// own fronts kill the bomber.
TEST_F(LifeTest, ABombRestsGoesOffOnItsNinetiethTickAndKillsItsBomber)
{
    for (int side = 1; side <= 2; side++) {
        FighterTest::SetUp();
        settle(600);
        Fighter *f = fighter(side);
        Bomb **pool = side == 1 ? bomb1 : bomb2;
        int &lay = side == 1 ? laybomb1 : laybomb2;
        SampleLog log;
        lay = 1;
        int wentOff = 0, restY = 0;
        for (int t = 1; t <= 100 && !wentOff; t++) {
            combatTick(keys(""));
            restY = (int)(pool[0]->y + pool[0]->h);
            if (log.plays(SND_BOMB_EXPLODE))
                wentOff = t;
        }
        EXPECT_EQ(wentOff, 90);
        EXPECT_EQ(callCount("explosion 0/190"), 1);
        EXPECT_GE(restY, 959);   // resting on the floor's top row (960)
        EXPECT_LE(restY, 964);
        EXPECT_EQ(f->power, 190);   // one bomb for one long press
        EXPECT_EQ(liveBombs(pool), 0);
        EXPECT_EQ(bombblastleft[0]->active + bombblastright[0]->active + bombblastup[0]->active, 3);
        lay = 0;
        combatTick(keys(""));
        EXPECT_EQ(fighter(3 - side)->frags, 1);
    }
}

TEST_F(LifeTest, BombsCostTenWithNoFloorAndNeedAFreeSlotAndAFreeHand)
{
    for (int side = 1; side <= 2; side++) {
        FighterTest::SetUp();
        restFighters(300, 1200, 500);
        Fighter *f = fighter(side);
        Bomb **pool = side == 1 ? bomb1 : bomb2;
        int &lay = side == 1 ? laybomb1 : laybomb2;
        FighterSide s = sideOf(side);
        f->power = 5;
        f->powerupTimer = 9;
        // Frozen, the press lays nothing; held on, it lays its bomb once he thaws.
        f->frozen = 1;
        lay = 1;
        fighterBombBaseAndPowerups(s);
        EXPECT_EQ(liveBombs(pool), 0);
        f->frozen = 0;
        fighterBombBaseAndPowerups(s);
        fighterBombBaseAndPowerups(s);
        EXPECT_EQ(liveBombs(pool), 1);
        EXPECT_EQ(f->power, -5);
        for (int i = 0; i < 8; i++) {
            lay = 0;
            fighterBombBaseAndPowerups(s);
            lay = 1;
            fighterBombBaseAndPowerups(s);
        }
        EXPECT_EQ(liveBombs(pool), 6);
        EXPECT_EQ(f->power, -55);   // a press with every slot live costs nothing
        lay = 0;
    }
}

struct FrontCase {
    int inBase, frozen, killed;
};

TEST_F(LifeTest, FrontsKillOutsideTheBaseButSpareTheFrozenAndThoseInTheirBase)
{
    const FrontCase cases[] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
    for (const FrontCase &c : cases) {
        for (int side = 1; side <= 2; side++) {
            SCOPED_TRACE(testing::Message() << "in base " << c.inBase << ", frozen " << c.frozen
                                            << ", fighter " << side);
            setupBombblastLeft();
            setupBombblastRight();
            restFighters(300, 1200, 500);
            Fighter *f = fighter(side), *other = fighter(3 - side);
            f->x = 800;
            f->inBase = c.inBase;
            f->frozen = c.frozen;
            // The other fighter's flags are the opposite: only the victim's own may count.
            other->inBase = !c.inBase;
            other->frozen = !c.frozen;
            // After its first move of 5 px its centre row reaches 45 px into him.
            spawnBombblastRight(760, f->y + 10);
            updateBombblastRight();
            EXPECT_EQ(f->health == 0, c.killed);
            EXPECT_EQ(other->health, 12);
        }
    }
}

} // namespace
