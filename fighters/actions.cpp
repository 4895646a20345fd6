#include "fighters/actions.h"

#include <stdlib.h>

#include "arena/effects.h"
#include "arena/forcefields.h"
#include "arena/mines.h"
#include "core/clock.h"
#include "core/match.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/world.h"
#include "fighters/bombs.h"
#include "fighters/fighter.h"
#include "fighters/weapons.h"
#include "gore/gore.h"

// Where a dead fighter is held in his booth: a third in from its left edge, two fifths down.
static int respawnSpotX(const Booth *b) { return (int)(b->x + b->w / 3); }
static int respawnSpotY(const Booth *b) { return (int)(b->y + (b->h / 5) * 2 + 5.0); }

static void placeInBooth(Fighter *f, const Booth *b)
{
    f->x = respawnSpotX(b);
    f->y = respawnSpotY(b);
}

void fighterRespawn(const FighterSide &s)
{
    Fighter *f = s.self;
    Booth *b = s.ownBooth;
    if (f->alive == 0 && f->power != 0) {
        placeInBooth(f, b);
        f->respawning = 1;
        f->powerupTimer = 0;
        f->thrusterCaught = THRUSTER_FREE;
        f->thrusterPush = 0;
        f->thrusterSoundLatch = 0;
    }
    if (f->respawning != 1)
        return;
    f->knockX = 0;
    f->knockY = 0;
    f->facing = s.boothFacing;
    f->x += rand() % 8 - 4;   // he trembles around the spot
    f->y += rand() % 8 - 4;
    f->weapon = WEAPON_GIBBER;
    f->ammo = 0;
    f->state = FIGHTER_RESPAWNING;
    f->sliding = 0;
    f->jumpPhase = JUMP_NONE;
    f->climbing = 0;
    f->wallGrabTimer = 0;
    spawnRespawnBubble((int)(b->x + s.respawnBubbleX), (int)(b->y + 121.0));
    s.gun->x = f->x;
    s.gun->y = f->y;
    if (f->respawnSoundLatch == 0) {
        f->pan = (int)(f->x / 1600.0 * 255.0);
        playSample(SND_RESPAWN, 85, f->pan, 1000);
        f->respawnSoundLatch = 1;
    }
    f->respawnTick += 1;
    if (f->respawnTick <= f->respawnTicksPerFrame)
        return;
    f->respawnTick = 0;
    placeInBooth(f, b);
    f->respawnFrame += 1;
    if (f->respawnFrame <= f->respawnLastFrame)
        return;
    // Back in play, thrown up and out of the booth by the knock-back.
    f->alive = 1;
    f->knockX += s.spawnThrowX;
    f->knockY -= 7;
    f->health = 12;
    f->state = s.boothFacing == FACING_RIGHT ? FIGHTER_STAND_RIGHT : FIGHTER_STAND_LEFT;
    f->deathCounted = 0;
    f->respawnFrame = 0;
    f->respawning = 0;
    playSample(SND_SPAWN, 100, f->pan, s.spawnFreq);
    f->respawnSoundLatch = 0;
    f->hasSpawned = 1;
}

// Gore of a team; both teams have the same kinds.
enum GoreKind { GORE_BLOOD, GORE_GIB, GORE_HEAD, GORE_TORSO, GORE_ARM, GORE_LEG };

static void spawnGore(int team, int kind, int x, int y)
{
    int green = team == 1;
    switch (kind) {
    case GORE_BLOOD: green ? spawnBlood(x, y) : spawnBlood2(x, y); break;
    case GORE_GIB: green ? spawnGibs(x, y) : spawnGibs2(x, y); break;
    case GORE_HEAD: green ? spawnHead(x, y) : spawnHead2(x, y); break;
    case GORE_TORSO: green ? spawnTorso(x, y) : spawnTorso2(x, y); break;
    case GORE_ARM: green ? spawnArm(x, y) : spawnArm2(x, y); break;
    default: green ? spawnLeg(x, y) : spawnLeg2(x, y); break;
    }
}

// `count` pieces at random points of the upper half of his body, the y offset drawn first.
static void goreOverBody(const FighterSide &s, int kind, int count)
{
    const Fighter *f = s.self;
    for (int i = 0; i < count; i++) {
        int dy = (rand() % f->h) / 2;
        int dx = rand() % f->w;
        spawnGore(s.team, kind, f->x + dx, f->y + dy);
    }
}

// A team's statistics count the purple side only while a human plays it for a chosen team.
static void bookStatistic(int team, int *counter)
{
    if (team == 1 || (PurpleActive == 1 && p2cpu == 0))
        *counter += 1;
}

void fighterDeath(const FighterSide &s)
{
    Fighter *f = s.self;
    if (f->health < 1) {
        f->cubesCarried = 0;   // the carried cubes are lost
        f->health = 0;
        f->alive = 0;
        if (s.rocketPackRules) {
            f->rocketPack = 0;
            f->rocketPackTimer = 0;
        }
        if (f->deathCounted == 0) {
            // The pools are tested at the next second or cash-in, not here.
            f->power -= 15;
            s.opponent->frags += 1;
            s.opponent->power += 15;
            int killer = 3 - s.team;
            bookStatistic(killer, killer == 1 ? &GreenFrags : &PurpleFrags);
            bookStatistic(s.team, s.team == 1 ? &GreenDeaths : &PurpleDeaths);
            f->deathCounted = 1;
        }
        // Once, unless his pool is exactly 0: then he is never placed and it repeats.
        if (f->respawning == 0) {
            goreOverBody(s, GORE_BLOOD, 100);
            goreOverBody(s, GORE_GIB, 35);
            spawnGore(s.team, GORE_HEAD, f->x, f->y);
            spawnGore(s.team, GORE_TORSO, f->x + f->w / 2, f->y + f->h / 2);
            goreOverBody(s, GORE_LEG, 2);
            if (f->armless != 1)
                goreOverBody(s, GORE_ARM, 2);
        }
    }
    if (f->health < 4 && f->respawning == 0 && secondscount == 0)
        goreOverBody(s, GORE_BLOOD, 8);
}

static int notInBoothOrClimbing(const Fighter *f)
{
    return f->state != FIGHTER_RESPAWNING && f->state != FIGHTER_CLIMB_UP &&
           f->state != FIGHTER_CLIMB_DOWN;
}

static void throwCasing(const FighterSide &s, void (*spawnCasing)(int, int, int))
{
    spawnCasing(s.gun->x + s.gun->w / 2, s.gun->y, s.self->facing);
}

// The laser hits at once and ignores walls: it reaches an opponent level with the shooter
// and ahead of him, unless the opponent stands in his base; the beam is drawn in any case
// but a few.
static void fireLaser(const FighterSide &s)
{
    const Fighter *f = s.self;
    Fighter *t = s.opponent;
    int right = f->facing == FACING_RIGHT;
    int x1 = s.gun->x + (right ? 40 : 0), y1 = s.gun->y + 10;
    int edge = right ? 1599 : 1;
    int above = f->y + f->h < t->y, below = f->y > t->y + t->h;
    int level = f->y + f->h > t->y && f->y < t->y + t->h;
    int cP = f->x + f->w / 2, cQ = t->x + t->w / 2;
    int ahead = right ? cP < cQ : cP > cQ;
    int behind = right ? cP > cQ : cP < cQ;
    int towardEnemyBase = right == s.enemyBaseOnRight;

    if (above || below) {
        spawnLazer(x1, y1, edge, s.gun->y + rand() % 60 - 30);
    } else if (!level) {
        return;   // bodies exactly touching
    } else if (ahead && t->inBase == 0) {
        spawnLazer(x1, y1, cQ, t->y + t->h / 2 + rand() % 6 - 3);
        t->health -= 2;
        if (t->sliding == 0)
            t->runSpeed = 0.0;
        if (s.laserTurnsComputer && f->inBase == 0)
            t->aiMove = right ? AI_MOVE_LEFT : AI_MOVE_RIGHT;
    } else if (behind && t->inBase == 0) {
        int spread = towardEnemyBase ? s.laserBehindSpread : 60;
        spawnLazer(x1, y1, edge, s.gun->y + rand() % spread - spread / 2);
    } else if (ahead && towardEnemyBase) {
        // His force field stops the beam.
        spawnLazer(x1, y1, (int)s.enemyField->x, t->y + t->h / 2);
    } else if (behind && !towardEnemyBase) {
        spawnLazer(x1, y1, edge, t->y + t->h / 2);
    }
}

// Tries the current weapon; answers 1 when it fired.
static int fireWeapon(const FighterSide &s)
{
    Fighter *f = s.self;
    int free = notInBoothOrClimbing(f);
    switch (f->weapon) {
    case WEAPON_GIBBER:
        if (!free)
            return 0;
        playSample(SND_GIBBER_FIRE, 500, f->pan, s.gibberFreq);
        f->gibberFlash = 5;
        s.team == 1 ? playerShoot() : player2Shoot();
        throwCasing(s, spawnGibCasing);
        return 1;
    case WEAPON_ZAPZAP:
        if (!free || f->ammo <= 0)
            return 0;
        playSample(SND_ZAPZAP_FIRE, 300, f->pan, 1000);
        f->ammo -= 1;
        f->zapzapFlash = 5;
        s.team == 1 ? playerShootZapZap() : player2ShootZapZap();
        throwCasing(s, spawnZapZapCasing);
        return 1;
    case WEAPON_HOMO:
        // While his rocket flies the row waits without using the press.
        if (!free || f->ammo <= 0 || s.rocket[0]->active)
            return 0;
        playSample(SND_HOMING_FIRE, 300, f->pan, 2000);
        f->ammo -= 1;
        s.team == 1 ? playerShootHomo() : player2ShootHomo();
        throwCasing(s, spawnHomoCasing);
        return 1;
    case WEAPON_MUMMRA:
        if (!free)
            return 0;
        playSample(SND_MUMMRA_FIRE, 500, f->pan, 1000);
        s.team == 1 ? playerShootMummra() : playerShootMummra2();
        f->ammo -= 1;   // also when his thruster is still out and nothing fires
        return 1;
    case WEAPON_MOONRAKER:
        if (!free || f->wallGrabTimer != 0)
            return 0;
        playSample(SND_MOONRAKER_FIRE, 300, f->pan, 1000);
        f->ammo -= 1;
        if (s.keepsMoonrakerFlash)
            f->moonrakerFlash = 5;
        fireLaser(s);
        return 1;
    case WEAPON_MINEDROP:
        // Mines can be laid from a ladder.
        if (f->state == FIGHTER_RESPAWNING)
            return 0;
        s.team == 1 ? spawnGreenmine(f->x + f->w / 2, f->y + f->h / 2)
                    : spawnPurplemine(f->x + f->w / 2, f->y + f->h / 2);
        f->ammo -= 1;
        return 1;
    case WEAPON_DUALGIBBER:
        if (!free || f->wallGrabTimer != 0)
            return 0;
        playSample(SND_DUALGIBBER_FIRE, 40, f->pan, 2000);
        s.team == 1 ? playerShoot() : player2Shoot();
        s.team == 1 ? playerShootSecond() : player2ShootSecond();
        f->dualFlash = 4;
        f->gibberFlash = 6;
        throwCasing(s, spawnGibCasing);
        throwCasing(s, spawnGibCasing);
        return 1;
    case WEAPON_BLASTER:
        if (!s.blasters || !free || f->ammo <= 0)
            return 0;
        f->ammo -= 1;
        playerShootBlaster();
        throwCasing(s, spawnZapZapCasing);
        return 1;
    default:
        return 0;   // disarmed
    }
}

static void countDown(int &timer)
{
    if (timer > 0)
        timer -= 1;
}

void fighterFire(const FighterSide &s)
{
    Fighter *f = s.self;
    int fire = *s.fire;
    if (!fire) {
        f->fireLatch = 0;
        if (s.releaseCutsGibberFlash)
            f->gibberFlash = 0;
    } else if (f->fireLatch == 0 && f->frozen == 0 && fireWeapon(s)) {
        f->fireLatch = 1;   // one shot per press
    }
    // Under the speed power-up a held fire key shoots every 5 ticks.
    if (f->sonic == 1) {
        if (fire && f->autoFireCounter == 0)
            f->autoFireCounter = 5;
        countDown(f->autoFireCounter);
        if (f->autoFireCounter < 1)
            f->fireLatch = 0;
    }
    countDown(f->gibberFlash);
    countDown(f->zapzapFlash);
    countDown(f->moonrakerFlash);
    countDown(f->dualFlash);
    if (f->ammo < 1 && f->weapon != WEAPON_GIBBER)
        f->weapon = WEAPON_GIBBER;
}

void fighterCashIn(const FighterSide &s)
{
    Fighter *f = s.self, *o = s.opponent;
    Booth *b = s.ownBooth;
    int cx = f->x + f->w / 2;
    if (b->x + s.cashInInsetLeft < cx && cx < b->x + b->w - s.cashInInsetRight &&
        f->y > b->y + 15.0 && f->y + f->h / 2 < b->y + b->h && f->cubesCarried != 0 &&
        f->health > 0 && f->respawning == 0) {
        static const int gain[4] = {0, 25, 70, 100}, loss[4] = {0, 10, 25, 35},
                         lightning[4] = {0, 50, 75, 200};
        int n = f->cubesCarried < 3 ? f->cubesCarried : 3;
        f->power += gain[n];
        o->power -= loss[n];
        b->lightningTimer = lightning[n];
        if (n == 3 && s.threeCubeBonusTimer)
            f->bonusTimer = s.threeCubeBonusTimer;
        // Only his own pool is tested now; the opponent's at the next second.
        s.team == 1 ? playerPower() : player2Power();
        playSample(SND_CUBE_CASHIN, 700, f->pan, s.cashInFreq);
        f->cubesCarried = 0;
    }
    countDown(f->bonusTimer);
    countDown(b->lightningTimer);
}

// The power-up effects last as long as the timer; at its end everything is as before.
static void endPowerups(Fighter *f)
{
    if (f->powerupTimer >= 1)
        return;
    f->maxFallSpeed = 14;
    f->maxRunSpeed = 8.0;
    f->climbSpeed = 6;
    f->sonic = 0;
    f->magnet = 0;
    f->rocketLift = 0;
    f->runTicksPerFrame = 3;
    f->climbTicksPerFrame = 2;
    f->slowed = 0;
    f->frozen = 0;
    if (f->armless == 1) {
        f->weapon = f->savedWeapon;
        f->ammo = f->savedAmmo;
        f->armless = 0;
    }
}

static void magnetBits(const Fighter *f, int index)
{
    int dy = rand() % 100 - 50;
    int dx = rand() % 100 - 50;
    spawnMagnoBit(f->x + f->w / 2 + dx, f->y + f->h / 2 + dy, index);
}

void fighterBombBaseAndPowerups(const FighterSide &s)
{
    Fighter *f = s.self;
    if (!*s.laybomb) {
        f->bombLatch = 0;
    } else if (f->bombLatch == 0 && f->state != FIGHTER_RESPAWNING && f->armless == 0 &&
               f->frozen == 0) {
        f->bombLatch = 1;   // one bomb per press
        s.team == 1 ? spawnBomb() : spawnBomb2();
    }
    f->inBase = insideBase(s.team, f->x + f->w / 2, f->y);
    endPowerups(f);
    if (f->magnet == 1 && secondscount == 0) {
        for (int i = 0; i < 15; i++) {
            playSample(SND_ALARM, 100, 128, 1000);
            magnetBits(player, 0);
            magnetBits(player2, 1);
        }
    }
    countDown(s.ownBooth->messageTimer);
}
