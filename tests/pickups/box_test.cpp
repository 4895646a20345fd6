// The power-up box and its outcomes.
#include <allegro.h>

#include "ai/tutorial.h"
#include "arena/pickups.h"
#include "fighters/fighter.h"
#include "pickups_env.h"
#include "shell/clock.h"
#include "shell/world.h"
#include "shell/sound.h"

namespace {

// Who collects a box under both fighters, by who holds down and who waits in his booth.
TEST_F(PickupTest, TheBoxGoesToFighterOneOnATieAndNeverWhileTheOpponentRespawns)
{
    struct Case {
        int down1, down2, respawning1, respawning2;
        int collector;   // 0 nobody, else 1 or 2
    } cases[] = {
        {1, 1, 0, 0, 1}, {0, 1, 0, 0, 2}, {1, 0, 0, 1, 0}, {1, 1, 0, 1, 2}, {0, 1, 1, 0, 0},
    };
    for (const Case &k : cases) {
        powerup[0]->active = 0;
        spawnpowerup(400, 300);
        putFighter(0, 390, 290);
        putFighter(1, 395, 295);
        player->respawning = k.respawning1;
        player2->respawning = k.respawning2;
        down1 = k.down1;
        down2 = k.down2;
        calls.clear();
        runPickups(1);
        std::vector<Call> s = samplesOf(SND_POWERUP_PICKUP);
        ASSERT_EQ(s.size(), (size_t)(k.collector != 0));
        EXPECT_EQ(powerup[0]->active, k.collector == 0);
        if (k.collector) {
            EXPECT_EQ(s[0].c, k.collector == 1 ? 1200 : 1100);
        }
    }
}

TEST_F(PickupTest, TheBoxSparklesFallsBouncesAndExpires)
{
    std::vector<std::string> rows(31);
    rows[30] = std::string(50, '#');
    loadGrid(rows);
    spawnpowerup(400, 600);
    ASSERT_EQ(samplesOf(SND_POWERUP_APPEAR).size(), 1u);
    Cube *b = powerup[0];
    runPickups(10);
    std::vector<Call> bursts = callsTo("sparkler");
    ASSERT_EQ(bursts.size(), 2u);
    EXPECT_EQ(bursts[0].c, 1);
    EXPECT_EQ(bursts[1].c, 2);
    EXPECT_EQ(bursts[0].d, 0) << "the emitters follow the one box";
    EXPECT_EQ(bursts[1].d, 0);

    // Landing at 10 a tick it bounces back at 6; landing at 6 it does not bounce.
    for (int speed : {10, 6}) {
        b->y = 950 - b->h;
        b->fallSpeed = speed - 1;
        updatepowerup();
        if (speed == 10)
            EXPECT_EQ(b->fallSpeed, -6);
        else
            EXPECT_GE(b->fallSpeed, 0);
    }
    b->life = 2;
    runPickups(60);
    EXPECT_EQ(b->active, 1);
    runPickups(1);
    EXPECT_EQ(b->active, 0);
    EXPECT_EQ(b->life, POWERUP_LIFE);
}

TEST_F(PickupTest, OnTheTutorialTheBoxComesToOnePlaceEveryNineteenSeconds)
{
    map = SCREEN_TUTORIAL;
    for (int stage : {3, 12}) {
        tutorial = stage;
        powerup[0]->active = 0;
        powerupspawncount = 0;
        cubespawnerroutine();
        EXPECT_EQ(powerup[0]->x, TUTORIAL_POWERUP_X);
        EXPECT_EQ(powerup[0]->y, TUTORIAL_POWERUP_Y);
        if (stage < 12) {
            EXPECT_EQ(powerupspawncount, 19);
        } else {
            EXPECT_TRUE(powerupspawncount >= 32 && powerupspawncount <= 40);
        }
    }
}

// What each outcome changes, on the taker ("self") or his opponent.
struct Effect {
    int outcome;
    bool onSelf;
    int Fighter::*field;
    int value;
};
const Effect effects[] = {
    {POWERUP_ZAPZAP, true, &Fighter::weapon, WEAPON_ZAPZAP},
    {POWERUP_ZAPZAP, true, &Fighter::ammo, 6},
    {POWERUP_HOMO, true, &Fighter::weapon, WEAPON_HOMO},
    {POWERUP_HOMO, true, &Fighter::ammo, 8},
    {POWERUP_SLOW_OPPONENT, false, &Fighter::slowed, 1},
    {POWERUP_SLOW_OPPONENT, false, &Fighter::powerupTimer, 20},
    {POWERUP_SLOW_OPPONENT, false, &Fighter::climbSpeed, 3},
    {POWERUP_SLOW_OPPONENT, false, &Fighter::runTicksPerFrame, 8},
    {POWERUP_SLOW_OPPONENT, false, &Fighter::climbTicksPerFrame, 8},
    {POWERUP_SLOW_OPPONENT, false, &Fighter::maxFallSpeed, 8},
    {POWERUP_SPEED, true, &Fighter::sonic, 1},
    {POWERUP_SPEED, true, &Fighter::powerupTimer, 20},
    {POWERUP_SPEED, true, &Fighter::climbSpeed, 8},
    {POWERUP_SPEED, true, &Fighter::runTicksPerFrame, 1},
    {POWERUP_OPPONENT_HEALTH_ONE, false, &Fighter::health, 1},
    {POWERUP_DISARM_OPPONENT, false, &Fighter::armless, 1},
    {POWERUP_DISARM_OPPONENT, false, &Fighter::weapon, WEAPON_NONE},
    {POWERUP_DISARM_OPPONENT, false, &Fighter::ammo, 999},
    {POWERUP_DISARM_OPPONENT, false, &Fighter::savedAmmo, 50},
    {POWERUP_DISARM_OPPONENT, false, &Fighter::powerupTimer, 20},
    {POWERUP_FREEZE_OPPONENT, false, &Fighter::frozen, 1},
    {POWERUP_FREEZE_OPPONENT, false, &Fighter::powerupTimer, 12},
    {POWERUP_MAGNET, true, &Fighter::magnet, 1},
    {POWERUP_MAGNET, true, &Fighter::powerupTimer, 20},
    {POWERUP_MUMMRA, true, &Fighter::weapon, WEAPON_MUMMRA},
    {POWERUP_MUMMRA, true, &Fighter::ammo, 1},
    {POWERUP_MOONRAKER, true, &Fighter::weapon, WEAPON_MOONRAKER},
    {POWERUP_MOONRAKER, true, &Fighter::ammo, 8},
    {POWERUP_MINEDROP, true, &Fighter::weapon, WEAPON_MINEDROP},
    {POWERUP_MINEDROP, true, &Fighter::ammo, 4},
    {POWERUP_DUALGIBBER, true, &Fighter::weapon, WEAPON_DUALGIBBER},
    {POWERUP_DUALGIBBER, true, &Fighter::ammo, 999},
    {POWERUP_ROCKETPACK, true, &Fighter::rocketPack, 1},
    {POWERUP_ROCKETPACK, true, &Fighter::rocketPackTimer, 600},
};

TEST_F(PickupTest, EveryOutcomeActsOnTheRightFighterAndPostsItsMessage)
{
    for (int taker = 1; taker <= 2; taker++)
        for (const Effect &e : effects) {
            setupPlayer();
            setupPlayer2();
            setupcubespawner();
            for (Fighter *f : {player, player2}) {
                f->weapon = WEAPON_GIBBER;
                f->ammo = 50;
                f->health = 12;
            }
            booth->messageId = 0;
            calls.clear();
            givePowerup(taker, e.outcome);
            Fighter *self = taker == 1 ? player : player2;
            Fighter *target = e.onSelf ? self : (taker == 1 ? player2 : player);
            Fighter *other = target == player ? player2 : player;
            EXPECT_EQ(target->*e.field, e.value) << "outcome " << e.outcome << " taker " << taker;
            EXPECT_NE(other->*e.field, e.value) << "outcome " << e.outcome << " taker " << taker;
            EXPECT_EQ(booth->messageId, e.outcome + 1);
            EXPECT_EQ(booth->messageTimer, 200);
            if (e.outcome == POWERUP_SLOW_OPPONENT || e.outcome == POWERUP_SPEED) {
                EXPECT_EQ(target->maxRunSpeed, e.outcome == POWERUP_SPEED ? 11.0 : 4.0);
            }
            if (e.outcome == POWERUP_DISARM_OPPONENT) {
                std::vector<Call> arms = callsTo(taker == 1 ? "purpleArm" : "greenArm");
                ASSERT_EQ(arms.size(), 2u);
                EXPECT_EQ(arms[0].a, target->x);
                EXPECT_EQ(arms[1].a, target->x + 20);
                EXPECT_EQ(arms[1].b, target->y + 17);
            }
        }
}

TEST_F(PickupTest, ASecondDisarmKeepsTheWeaponOfTheFirst)
{
    player2->weapon = WEAPON_HOMO;
    player2->ammo = 5;
    givePowerup(1, POWERUP_DISARM_OPPONENT);
    player2->powerupTimer = 3;
    givePowerup(1, POWERUP_DISARM_OPPONENT);
    EXPECT_EQ(player2->savedWeapon, WEAPON_HOMO);
    EXPECT_EQ(player2->savedAmmo, 5);
    EXPECT_EQ(player2->powerupTimer, 20);
    EXPECT_EQ(callsTo("purpleArm").size(), 4u);
}

TEST_F(PickupTest, TheMagnetRainsTwoCubesAndIsGrantedWithTheCubePoolFull)
{
    givePowerup(2, POWERUP_MAGNET);
    int live = 0;
    for (Cube *c : cube)
        live += c->active;
    EXPECT_EQ(live, 2);
    EXPECT_EQ(samplesOf(SND_CUBE_RAIN).size(), 1u);
    for (Cube *c : cube)
        c->active = 1;
    player->magnet = 0;
    double x = cubespawner->x, y = cubespawner->y;
    givePowerup(1, POWERUP_MAGNET);
    EXPECT_EQ(player->magnet, 1);
    EXPECT_TRUE(cubespawner->x != x || cubespawner->y != y);
}

TEST_F(PickupTest, TheTutorialHandsOutTheOutcomesInOrderToFighterOneOnly)
{
    map = SCREEN_TUTORIAL;
    for (int stage = 0; stage < 12; stage++) {
        tutorialWait = 0;
        playerPowerup();
        EXPECT_EQ(booth->messageId, stage + 1);
        EXPECT_EQ(tutorialWait, 1);
    }
    EXPECT_EQ(tutorial, 12);
    tutorialWait = 0;
    player2Powerup();
    playerPowerup();
    EXPECT_EQ(tutorial, 13);
    EXPECT_EQ(tutorialWait, 0);
    EXPECT_LE(booth->messageId, 12);
}

} // namespace
