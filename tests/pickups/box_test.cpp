// The power-up box and its outcomes.
#include <algorithm>

#include "arena/pickups.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/sound.h"
#include "core/tutorial.h"
#include "core/world.h"
#include "fighters/fighter.h"
#include "pickups_env.h"

namespace {

// Who collects a box under both fighters, by who holds down and who waits in his booth.
TEST_F(PickupTest, TheBoxGoesToFighterOneOnATieAndNeverWhileTheOpponentRespawns)
{
    struct Case {
        int down1, down2, respawning1, respawning2, collector;   // 0 nobody
    } cases[] = {{1, 1, 0, 0, 1}, {0, 1, 0, 0, 2}, {1, 0, 0, 1, 0}, {1, 1, 0, 1, 2}, {0, 1, 1, 0, 0}};
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
        std::vector<Call> s = callsTo("sample", SND_POWERUP_PICKUP);
        ASSERT_EQ(s.size(), (size_t)(k.collector != 0));
        EXPECT_EQ(powerup[0]->active, k.collector == 0);
        EXPECT_TRUE(!k.collector || s[0].d == (k.collector == 1 ? 1200 : 1100));
    }
}

TEST_F(PickupTest, TheBoxSparklesAndExpires)
{
    spawnpowerup(400, 600);
    ASSERT_EQ(callsTo("sample", SND_POWERUP_APPEAR).size(), 1u);
    powerup[0]->life = 2;
    runPickups(10);
    std::vector<Call> bursts = callsTo("sparkler");
    ASSERT_EQ(bursts.size(), 2u);
    EXPECT_TRUE(bursts[0].c == 1 && bursts[1].c == 2);
    EXPECT_TRUE(bursts[0].d == 0 && bursts[1].d == 0) << "the emitters follow the one box";
    runPickups(51);
    EXPECT_EQ(powerup[0]->active, 0);
    EXPECT_EQ(powerup[0]->life, POWERUP_LIFE);
}

// What each outcome sets on the taker ("self") or his opponent.
struct Effect {
    int outcome;
    bool onSelf;
    std::vector<std::pair<int Fighter::*, int>> fields;
};
const Effect effects[] = {
    {POWERUP_ZAPZAP, true, {{&Fighter::weapon, WEAPON_ZAPZAP}, {&Fighter::ammo, 6}}},
    {POWERUP_HOMO, true, {{&Fighter::weapon, WEAPON_HOMO}, {&Fighter::ammo, 8}}},
    {POWERUP_SLOW_OPPONENT, false, {{&Fighter::slowed, 1}, {&Fighter::powerupTimer, 20},
        {&Fighter::climbSpeed, 3}, {&Fighter::runTicksPerFrame, 8},
        {&Fighter::climbTicksPerFrame, 8}, {&Fighter::maxFallSpeed, 8}}},
    {POWERUP_SPEED, true, {{&Fighter::sonic, 1}, {&Fighter::powerupTimer, 20},
        {&Fighter::climbSpeed, 8}, {&Fighter::runTicksPerFrame, 1}}},
    {POWERUP_OPPONENT_HEALTH_ONE, false, {{&Fighter::health, 1}}},
    {POWERUP_DISARM_OPPONENT, false, {{&Fighter::armless, 1}, {&Fighter::weapon, WEAPON_NONE},
        {&Fighter::ammo, 999}, {&Fighter::savedAmmo, 50}, {&Fighter::powerupTimer, 20}}},
    {POWERUP_FREEZE_OPPONENT, false, {{&Fighter::frozen, 1}, {&Fighter::powerupTimer, 12}}},
    {POWERUP_MAGNET, true, {{&Fighter::magnet, 1}, {&Fighter::powerupTimer, 20}}},
    {POWERUP_MUMMRA, true, {{&Fighter::weapon, WEAPON_MUMMRA}, {&Fighter::ammo, 1}}},
    {POWERUP_MOONRAKER, true, {{&Fighter::weapon, WEAPON_MOONRAKER}, {&Fighter::ammo, 8}}},
    {POWERUP_MINEDROP, true, {{&Fighter::weapon, WEAPON_MINEDROP}, {&Fighter::ammo, 4}}},
    {POWERUP_DUALGIBBER, true, {{&Fighter::weapon, WEAPON_DUALGIBBER}, {&Fighter::ammo, 999}}},
    {POWERUP_ROCKETPACK, true, {{&Fighter::rocketPack, 1}, {&Fighter::rocketPackTimer, 600}}},
};

TEST_F(PickupTest, EveryOutcomeActsOnTheRightFighterAndPostsItsMessage)
{
    for (int taker = 1; taker <= 2; taker++)
        for (const Effect &e : effects) {
            setupPlayer();
            setupPlayer2();
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
            for (auto &field : e.fields) {
                EXPECT_EQ(target->*field.first, field.second) << "outcome " << e.outcome << " by " << taker;
                EXPECT_NE(other->*field.first, field.second) << "outcome " << e.outcome << " by " << taker;
            }
            // ...and nothing another outcome does (a case running on into the next one).
            for (const Effect &o : effects) {
                if (o.outcome == e.outcome)
                    continue;
                for (auto &field : o.fields)
                    for (Fighter *f : {player, player2}) {
                        if (f == target && std::count(e.fields.begin(), e.fields.end(), field))
                            continue;
                        EXPECT_NE(f->*field.first, field.second)
                            << "outcome " << e.outcome << " by " << taker << " did the work of "
                            << o.outcome;
                    }
            }
            EXPECT_EQ(booth->messageId, e.outcome + 1);
            EXPECT_EQ(booth->messageTimer, 200);
            if (e.outcome == POWERUP_SLOW_OPPONENT || e.outcome == POWERUP_SPEED) {
                EXPECT_EQ(target->maxRunSpeed, e.outcome == POWERUP_SPEED ? 11.0 : 4.0);
            }
            std::vector<Call> arms = callsTo(taker == 1 ? "purpleArm" : "greenArm");
            ASSERT_EQ(arms.size(), e.outcome == POWERUP_DISARM_OPPONENT ? 2u : 0u);
            if (!arms.empty()) {
                EXPECT_TRUE(arms[0].a == target->x && arms[1].a == target->x + 20 &&
                            arms[1].b == target->y + 17);
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
    for (Cube *c : cube)
        c->active = 1;
    givePowerup(1, POWERUP_MAGNET);
    EXPECT_EQ(player->magnet, 1);
}

// The tutorial drops every box at one place, one every 19 seconds while it teaches, and
// hands fighter 1 the outcomes in order.
TEST_F(PickupTest, TheTutorialPlacesItsBoxesAndHandsOutTheOutcomesInOrder)
{
    map = SCREEN_TUTORIAL;
    for (int stage : {3, 12}) {
        tutorial = stage;
        powerup[0]->active = 0;
        powerupspawncount = 0;
        cubespawnerroutine();
        EXPECT_TRUE(powerup[0]->x == TUTORIAL_POWERUP_X && powerup[0]->y == TUTORIAL_POWERUP_Y);
        EXPECT_TRUE(stage < 12 ? powerupspawncount == 19
                               : powerupspawncount >= 32 && powerupspawncount <= 40);
    }
    tutorial = 0;
    for (int stage = 0; stage < 12; stage++) {
        tutorialWait = 0;
        playerPowerup();
        EXPECT_EQ(booth->messageId, stage + 1);
        EXPECT_EQ(tutorialWait, 1);
    }
    tutorialWait = 0;
    player2Powerup();
    playerPowerup();
    EXPECT_EQ(tutorial, 13);
    EXPECT_EQ(tutorialWait, 0);
    EXPECT_LE(booth->messageId, 12);
}

} // namespace
