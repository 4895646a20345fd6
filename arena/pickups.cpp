#include "arena/pickups.h"

#include <allegro.h>
#include <math.h>
#include <stdlib.h>

#include "arena/effects.h"
#include "arena/forcefields.h"
#include "arena/hittests.h"
#include "arena/mines.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/probes.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/tutorial.h"
#include "core/world.h"
#include "gore/gore.h"

Cube *cube[CUBE_COUNT];
Cube *powerup[POWERUP_COUNT];
SpawnPoint *cubespawner = NULL;
int initialcubes = 2;
int cube1spawn = 0, cube1spawnR = 0;

static Cube *freshCube(Cube *old, BITMAP *pic)
{
    delete old;
    Cube *c = new Cube();
    c->w = pic ? pic->w : 0;
    c->h = pic ? pic->h : 0;
    c->maxFallSpeed = 14;
    c->frictionPeriod = 1;
    return c;
}

void setupcubespawner()
{
    initialcubes = rand() % 3 + 2;
    delete cubespawner;
    cubespawner = new SpawnPoint();
    cubespawner->x = 500.0;
    cubespawner->y = 300.0;
    if (data)
        cube_image = (BITMAP *)data[DAT_CUBE].dat;
    for (int i = 0; i < CUBE_COUNT; i++) {
        cube[i] = freshCube(cube[i], cube_image);
        cube[i]->materialise = 50;
    }
    for (int i = 0; i < POWERUP_COUNT; i++)
        powerup[i] = freshCube(powerup[i], powerup_image);
}

// ---- The roaming spawn point.

static const int HOVER_TICKS = 50;
static const int CUBE_PERIOD = 10, CUBE_PERIOD2 = 35;
static const int CUBE_CLEARANCE = 15, POWERUP_CLEARANCE = 20;
static const int BASE_MARGIN = 50;

static int randomArenaX() { return rand() % 1540 + 30; }
static int randomArenaY() { return rand() % 1140 + 30; }

static void moveSpawnPoint(int x, int y)
{
    cubespawner->x = x;
    cubespawner->y = y;
}

static void moveSpawnPointAnywhere()
{
    int x = randomArenaX();
    moveSpawnPoint(x, randomArenaY());
}

// The spawn point and the four points `d` px away from it along the axes are all free.
static int roomAtSpawnPoint(int d)
{
    int sx = (int)cubespawner->x, sy = (int)cubespawner->y;
    return !collided(sx, sy) && !collided(sx + d, sy) && !collided(sx - d, sy) &&
           !collided(sx, sy - d) && !collided(sx, sy + d);
}

// New pick-ups never appear on or beside a base.
static int besideABase(int x, int y)
{
    return nearBase(1, x, y, BASE_MARGIN) || nearBase(2, x, y, BASE_MARGIN);
}

// A point beside a base is replaced by random points, solid or not, until one lies clear of
// both bases. The tries are bounded so that no arena can hold the game here; on a real arena
// the first few always do. 0 when every try failed.
static int findSpotClearOfBases(int *x, int *y)
{
    for (int tries = 0; tries < SPAWN_TRIES; tries++) {
        if (!besideABase(*x, *y))
            return 1;
        moveSpawnPointAnywhere();
        *x = (int)cubespawner->x;
        *y = (int)cubespawner->y;
    }
    return 0;
}

void spawncube(int px, int py, int materialise, int xVel, int yVel)
{
    Cube *c = firstFreeRecord(cube, CUBE_COUNT);
    if (!c)
        return;
    if (besideABase(px, py)) {
        if (!findSpotClearOfBases(&px, &py))
            return;
        materialise = HOVER_TICKS;
        xVel = yVel = 0;
    }
    c->active = 1;
    c->x = px;
    c->y = py;
    c->materialise = materialise;
    c->xVel = xVel;
    c->yVel = yVel;
    c->fallSpeed = 0;
    c->angle = 0;
    c->noPoints = 0;
}

static void spawnCubeAtSpawnPoint()
{
    spawncube((int)cubespawner->x, (int)cubespawner->y, HOVER_TICKS, 0, 0);
}

// The bout-start cubes of one half: random points of that half are tried until the half
// holds its share. Where the half has no room left the tries run out, and the placing goes
// on next tick.
static void placeBoutStartCubes(int *placed, int halfLeft)
{
    for (int tries = 0; *placed < initialcubes && tries < SPAWN_TRIES; tries++) {
        if (roomAtSpawnPoint(CUBE_CLEARANCE)) {
            spawnCubeAtSpawnPoint();
            *placed += 1;
        }
        int x = rand() % 770 + halfLeft;
        moveSpawnPoint(x, randomArenaY());
    }
}

// A countdown that has run out spawns a cube when the spawn point has room, and is then
// re-armed; otherwise it is tried again next tick while the count stays at 0.
static void fireCubeCountdown(int *count, int period)
{
    if (*count != 0)
        return;
    if (roomAtSpawnPoint(CUBE_CLEARANCE)) {
        spawnCubeAtSpawnPoint();
        *count = period;
    }
    moveSpawnPointAnywhere();
}

static int nextPowerupDelay() { return rand() % 9 + 32; }

void cubespawnerroutine()
{
    if (cubespawner->x > 1559 || cubespawner->x < 0)
        cubespawner->x = randomArenaX();
    if (cubespawner->y > 1199 || cubespawner->y < 0)
        cubespawner->y = randomArenaY();
    if (collided((int)cubespawner->x, (int)cubespawner->y))
        moveSpawnPointAnywhere();

    placeBoutStartCubes(&cube1spawn, 30);
    placeBoutStartCubes(&cube1spawnR, 800);

    fireCubeCountdown(&cubespawncount, CUBE_PERIOD);
    fireCubeCountdown(&cubespawncount2, CUBE_PERIOD2);

    if (powerupspawncount == 0) {
        if (roomAtSpawnPoint(POWERUP_CLEARANCE)) {
            if (map == SCREEN_TUTORIAL) {
                spawnpowerup(TUTORIAL_POWERUP_X, TUTORIAL_POWERUP_Y);
                powerupspawncount = tutorial < 12 ? TUTORIAL_POWERUP_PERIOD : nextPowerupDelay();
            } else {
                spawnpowerup((int)cubespawner->x, (int)cubespawner->y);
                powerupspawncount = nextPowerupDelay();
            }
        }
        moveSpawnPointAnywhere();
    }
}

// ---- Shared by the cubes and the box.

static int centreX(const Cube *c) { return (int)(c->x + c->w / 2); }
static int centreY(const Cube *c) { return (int)(c->y + c->h / 2); }

// 1 when (x, y) lies strictly inside fighter 1's box (who 0) or fighter 2's (who 1).
static int touchesFighter(int who, int x, int y) { return who == 0 ? hit2(x, y) : hit(x, y); }

static int pickupFrequency(int who) { return who == 0 ? 1200 : 1100; }

// The factory floor's conveyor bands: a pick-up or mine whose centre lies strictly inside a
// band and that rests on the belt is carried along at the band's speed.
struct ConveyorBand {
    int left, right, top, bottom;
    int speed;
};
static const ConveyorBand conveyorBands[] = {
    {0, 700, 300, 358, 3},    {900, 1599, 300, 358, -3}, {400, 745, 500, 540, -3},
    {864, 1200, 500, 540, 3}, {-30, 503, 690, 730, -3},  {1104, 1630, 690, 730, 3},
};

void conveyorCarry(double cx, double cy, int footX, int footY, int *xVel, int *fallSpeed,
                   int *spin)
{
    for (const ConveyorBand &b : conveyorBands) {
        if (!(b.left < cx && cx < b.right && b.top < cy && cy < b.bottom))
            continue;
        if (!collided(footX, footY) && !laddertopside(footX, footY))
            continue;
        *fallSpeed = 0;
        *xVel = b.speed;
        *spin = 0;
    }
}

// The ends of the lowest band drop things off the arena.
static int atFactoryDrop(int cx, int cy) { return (cx < 10 || cx > 1590) && 690 < cy && cy < 730; }

// ---- Cubes.

static void playCubeBounce(const Cube *c) { playSample(SND_ITEM_BOUNCE, 50, c->pan, 2000); }

// A cube lost in a drop zone comes back as a new hovering cube at the spawn point, which
// then moves to a random point no lower than `spawnYRange` + 30.
static void replaceLostCube(Cube *c, int spawnYRange)
{
    spawnCubeAtSpawnPoint();
    int x = randomArenaX();
    moveSpawnPoint(x, rand() % spawnYRange + 30);
    c->active = 0;
}

// The rules of arenas without a level script of their own; 0 when the cube is gone.
static int cubeArenaRules(Cube *c)
{
    int cx = centreX(c);
    double bottom = c->y + c->h;
    if (map == ARENA_HELL && bottom > 1100) {
        replaceLostCube(c, 970);
        return 0;
    }
    if (map == ARENA_MOON)
        c->maxFallSpeed = ((0 < cx && cx < 440) || (1167 < cx && cx < 1599)) && bottom > 328 ? 14 : 3;
    if (map == ARENA_BOG) {
        if (bottom > 750) {
            replaceLostCube(c, 650);
            return 0;
        }
        if (690 < bottom && bottom < 720 && rand() % 15 == 0)
            c->yVel -= rand() % 7;
    }
    return 1;
}

// A fighter holding down over a cube takes it, up to three; one caught before it ever
// touched ground is worth 10 power at once.
static int takeCube(Cube *c, int who)
{
    Fighter *f = who == 0 ? player : player2;
    int down = who == 0 ? down1 : down2;
    if (!touchesFighter(who, centreX(c), centreY(c)) || !down || f->cubesCarried >= 3)
        return 0;
    if (c->noPoints == 0)
        f->power += 10;
    playSample(SND_CUBE_PICKUP, 300, f->pan, pickupFrequency(who));
    c->active = 0;
    f->cubesCarried += 1;
    return 1;
}

// The magnet pulls every cube toward its owner and pushes it away from the other fighter,
// a random step at a time, never into a wall.
static void magnetPull(Cube *c, const Fighter *owner, const Fighter *other)
{
    int cy = centreY(c);
    int ocx = owner->x + owner->w / 2, ocy = owner->y + owner->h / 2;
    if (ocx < c->x && !collided((int)(c->x + c->xVel + c->w), cy))
        c->xVel -= rand() % 2;
    if (c->x < ocx && !collided((int)(c->x + c->xVel), cy))
        c->xVel += rand() % 2;
    if (ocy < c->y)
        c->yVel -= rand() % 2;
    if (c->y < ocy)
        c->yVel += rand() % 2;
    int otherX = other->x + other->w / 2;
    if (c->x > otherX && !collided((int)(c->x + c->xVel + c->w), cy))
        c->xVel += rand() % 2;
    if (c->x < otherX && !collided((int)(c->x + c->xVel), cy))
        c->xVel -= rand() % 2;
    if (collided((int)(c->x + c->w + c->xVel), cy))
        c->xVel = 0;
    if (collided((int)(c->x + c->xVel), cy))
        c->xVel = 0;
}

// The block tests of one probe column k against solid ground and stairs; 0 when the cube
// was wedged into a wall and is gone.
static int cubeProbes(Cube *c, int k)
{
    int h = c->h;
    if (collided((int)(c->x + k), (int)(c->y + h + c->fallSpeed))) {
        c->noPoints = 1;
        if (c->fallSpeed <= 4) {
            if (c->fallSpeed > 0)
                c->fallSpeed -= 1;
        } else {
            if (c->countdown == 0 && seconds > 5 && (map != ARENA_BOG || c->y < 650))
                playCubeBounce(c);
            c->fallSpeed = -3 * (c->fallSpeed / 4);
        }
    }
    if (bounceOffBlocks(c, k, collided) && c->countdown == 0 && seconds > 5) {
        playCubeBounce(c);
        c->countdown = 10;
    }
    if (wedgedInBlocks(c)) {
        c->active = 0;
        stopSample(SND_ITEM_BOUNCE);
        return 0;
    }
    if (stairs((int)(c->x + k), (int)(c->y + h + c->fallSpeed))) {
        c->noPoints = 1;
        if (c->fallSpeed <= 8) {
            c->fallSpeed -= 1;
        } else {
            if (c->countdown == 0) {
                playCubeBounce(c);
                c->countdown = 10;
            }
            c->fallSpeed = -2 * (c->fallSpeed / 3);
        }
    }
    bounceOffBlocks(c, k, stairs);
    return 1;
}

// The free cube's motion after its hover; 0 when it left the arena or is gone.
static int moveCube(Cube *c)
{
    pushBody(c, 15, 30);
    rollBody(c);
    // A cube at rest tips over onto its nearest face.
    if (c->fallSpeed == 0 && c->xVel == 0) {
        if (c->angle >= 129 && c->angle <= 191) {
            c->spin = 0;
            c->angle += 1;
        } else if (c->angle >= 65 && c->angle <= 127) {
            c->spin = 0;
            c->angle -= 1;
        }
    }
    if (c->y > 1199 || c->y < 0) {
        c->y = c->y > 1199 ? 1199 : 0;
        c->yVel = 0;
        c->active = 0;
        return 0;
    }
    if (c->x > 1599 || c->x < 0) {
        c->x = c->x > 1599 ? 1599 : 0;
        c->xVel = -c->xVel;
    }
    fallBody(c);
    for (int k = 0; k <= 10; k++)
        if (!cubeProbes(c, k))
            return 0;
    for (int who = 0; who < 2; who++)
        if (touchesFighter(who, centreX(c), centreY(c)) && c->xVel != 0)
            c->xVel = -c->xVel;
    if (map == ARENA_FACTORY) {
        conveyorCarry(centreX(c), centreY(c), (int)(c->x + c->w), (int)(c->y + c->h + 4),
                      &c->xVel, &c->fallSpeed, &c->spin);
        if (atFactoryDrop(centreX(c), centreY(c))) {
            replaceLostCube(c, 970);
            return 0;
        }
    }
    return 1;
}

static void updateOneCube(Cube *c)
{
    c->pan = (int)(c->x / 1600 * 255);
    if (c->countdown > 0)
        c->countdown -= 1;
    if (!c->active || !cubeArenaRules(c))
        return;
    if (p2cpu == 1)
        c->inGreenBase = insideBase(1, centreX(c), centreY(c));
    if (c->x > 1592)
        c->x -= 1;
    if (c->x < 8)
        c->x += 1;
    // Only the first bullet of each pool is looked at.
    int left = (int)c->x, right = (int)(c->x + c->w), top = (int)c->y, bottom = (int)(c->y + c->h);
    for (int who = 0; who < 2; who++) {
        int struck = who == 0 ? hitbullet(left, right, bottom, top) : hitbullet2(left, right, bottom, top);
        for (int i = 0; struck && i < 4; i++)
            spawnSpark(centreX(c), centreY(c), 2);
    }
    if (collided(centreX(c), (int)(c->y + c->h + 2)) && !collided(centreX(c), (int)c->y) && c->y > 40)
        c->y -= 1;
    // Fighter 1 takes a cube both reach in the same tick.
    if (takeCube(c, 0) || takeCube(c, 1))
        return;
    if (player->magnet == 1)
        magnetPull(c, player, player2);
    if (player2->magnet == 1)
        magnetPull(c, player2, player);
    c->materialise -= 1;
    if (c->materialise > 0 && rand() % 100 > 73) {
        int cx = centreX(c), cy = centreY(c);
        spawnLightning(cx, cy, cx, (int)(c->y + rand() % 20 - 100));
    }
    if (c->materialise < 0) {
        c->materialise = 0;
        moveCube(c);
    }
}

void updatecube()
{
    // Now and then a cube lying still sparkles.
    Cube *s = cube[rand() % CUBE_COUNT];
    if (s && s->active && s->xVel == 0 && s->yVel == 0 && s->fallSpeed == 0 && secondscount == 0)
        spawnCubeFrazzle((int)(s->x - 5), (int)(s->y - 8));
    for (int i = 0; i < CUBE_COUNT; i++)
        if (cube[i])
            updateOneCube(cube[i]);
}

// ---- The power-up box.

void spawnpowerup(int x, int y)
{
    Cube *b = powerup[0];
    if (b->active || !findSpotClearOfBases(&x, &y))
        return;
    b->x = x;
    b->y = y;
    b->active = 1;
    b->fallSpeed = 0;
    b->pan = (int)(b->x / 1600 * 255);
    b->particleTimer = 0;
    b->particlePeriod = 9;
    b->xVel = b->yVel = 0;
    b->life = POWERUP_LIFE;
    playSample(SND_POWERUP_APPEAR, 100, b->pan, 1100);
}

static void putBoxBack(Cube *b, int x, int y)
{
    b->x = x;
    b->y = y;
}

static void boxProbes(Cube *b, int k)
{
    int h = b->h;
    if (collided((int)(b->x + k), (int)(b->y + h + b->fallSpeed))) {
        if (b->fallSpeed <= 6) {
            if (b->fallSpeed > 0)
                b->fallSpeed -= 1;
        } else {
            b->fallSpeed = b->fallSpeed / 4 * -3;
        }
    }
    bounceOffBlocks(b, k, collided);
    if (stairs((int)(b->x + k), (int)(b->y + h + b->fallSpeed))) {
        if (b->fallSpeed <= 8)
            b->fallSpeed -= 1;
        else
            b->fallSpeed = b->fallSpeed / 4 * -3;
    }
    bounceOffBlocks(b, k, stairs);
}

// A fighter holding down over the box collects it, but not while his opponent waits in his
// booth; otherwise the box bounces off him.
static int collectBox(Cube *b, int who)
{
    Fighter *f = who == 0 ? player : player2;
    const Fighter *other = who == 0 ? player2 : player;
    int down = who == 0 ? down1 : down2;
    if (!touchesFighter(who, centreX(b), centreY(b)))
        return 0;
    if (down && !other->respawning) {
        playSample(SND_POWERUP_PICKUP, 300, f->pan, pickupFrequency(who));
        b->active = 0;
        if (who == 0)
            playerPowerup();
        else
            player2Powerup();
        return 1;
    }
    if (b->xVel != 0)
        b->xVel = -b->xVel;
    return 0;
}

void updatepowerup()
{
    Cube *b = powerup[0];
    if (!b || !b->active)
        return;
    if (secondscount == 0)
        b->life -= 1;
    if (b->life < 1) {
        b->life = POWERUP_LIFE;
        b->active = 0;
        return;
    }
    if (map == ARENA_HELL && b->y > 1100)
        putBoxBack(b, 800, 530);
    b->particleTimer += 1;
    if (b->particleTimer > b->particlePeriod) {
        int x = (int)(b->x + rand() % 2 + 4);
        spawnPupPartSpawner(x, (int)(b->y + rand() % 4 + 4), TEAM_GREEN, 0);
        x = (int)(b->x + b->w - rand() % 2 - 4);
        spawnPupPartSpawner(x, (int)(b->y + rand() % 4 + 4), TEAM_PURPLE, 0);
        b->particleTimer = 0;
    }
    if (map == ARENA_FACTORY) {
        conveyorCarry(centreX(b), centreY(b), (int)(b->x + b->w), (int)(b->y + b->h + 4),
                      &b->xVel, &b->fallSpeed, &b->spin);
        if (atFactoryDrop(centreX(b), centreY(b)))
            putBoxBack(b, 795, 200);
    }
    if (map == ARENA_BOG && b->y + b->h > 750)
        putBoxBack(b, 795, 200);
    if (collided(centreX(b), (int)(b->y + b->h + 2)) && !collided(centreX(b), (int)b->y))
        b->y -= 1;
    if (p2cpu == 1)
        b->inGreenBase = insideBase(1, centreX(b), centreY(b));
    pushBody(b, 20, -HUGE_VAL);
    if (b->y > 1199 || b->y < 0 || b->x > 1599 || b->x < 0) {
        b->y = b->y > 1199 ? 1199 : b->y < 0 ? 0 : b->y;
        b->x = b->x > 1599 ? 1599 : b->x < 0 ? 0 : b->x;
        b->active = 0;
        return;
    }
    fallBody(b);
    for (int k = 0; k <= 12; k++)
        boxProbes(b, k);
    if (wedgedInBlocks(b)) {
        b->active = 0;
        return;
    }
    if (!collectBox(b, 0))
        collectBox(b, 1);
}

// ---- Outcomes of the box.

static void giveWeapon(Fighter *f, int weapon, int ammo)
{
    f->weapon = weapon;
    f->ammo = ammo;
}

// Two cubes drop from the sky and the taker's cubes fly to him for a while.
static void rainCubes(Fighter *self)
{
    for (int i = 0; i < 2; i++) {
        spawnCubeAtSpawnPoint();
        int x = randomArenaX();
        moveSpawnPoint(x, rand() % 970 + 30);
    }
    self->powerupTimer = POWERUP_SECONDS;
    self->magnet = 1;
    playSample(SND_CUBE_RAIN, 100, self->pan, 1100);
}

void givePowerup(int taker, int outcome)
{
    Fighter *self = taker == 1 ? player : player2;
    Fighter *opponent = taker == 1 ? player2 : player;
    switch (outcome) {
    case POWERUP_ZAPZAP: giveWeapon(self, WEAPON_ZAPZAP, 6); break;
    case POWERUP_HOMO: giveWeapon(self, WEAPON_HOMO, 8); break;
    case POWERUP_SLOW_OPPONENT:
        opponent->slowed = 1;
        opponent->powerupTimer = POWERUP_SECONDS;
        opponent->climbSpeed = 3;
        opponent->maxRunSpeed = 4.0;
        opponent->runTicksPerFrame = 8;
        opponent->climbTicksPerFrame = 8;
        opponent->maxFallSpeed = 8;
        break;
    case POWERUP_SPEED:
        self->powerupTimer = POWERUP_SECONDS;
        self->maxRunSpeed = 11.0;
        self->climbSpeed = 8;
        self->sonic = 1;
        self->runTicksPerFrame = 1;
        break;
    case POWERUP_OPPONENT_HEALTH_ONE: opponent->health = 1; break;
    case POWERUP_DISARM_OPPONENT:
        // A fighter disarmed twice keeps the weapon he had before the first time.
        if (!opponent->armless) {
            opponent->savedWeapon = opponent->weapon;
            opponent->savedAmmo = opponent->ammo;
        }
        opponent->armless = 1;
        opponent->powerupTimer = POWERUP_SECONDS;
        giveWeapon(opponent, WEAPON_NONE, 999);
        for (int dx = 0; dx <= 20; dx += 20) {
            if (taker == 1)
                spawnArm2(opponent->x + dx, opponent->y + 17);
            else
                spawnArm(opponent->x + dx, opponent->y + 17);
        }
        break;
    case POWERUP_FREEZE_OPPONENT:
        opponent->frozen = 1;
        opponent->powerupTimer = 12;
        break;
    case POWERUP_MAGNET: rainCubes(self); break;
    case POWERUP_MUMMRA: giveWeapon(self, WEAPON_MUMMRA, 1); break;
    case POWERUP_MOONRAKER: giveWeapon(self, WEAPON_MOONRAKER, 8); break;
    case POWERUP_MINEDROP: giveWeapon(self, WEAPON_MINEDROP, 4); break;
    case POWERUP_DUALGIBBER: giveWeapon(self, WEAPON_DUALGIBBER, 999); break;
    case POWERUP_ROCKETPACK:
        self->rocketPack = 1;
        self->rocketPackTimer = 600;
        break;
    case POWERUP_BLASTER:
        if (taker == 1)
            giveWeapon(self, WEAPON_BLASTER, 999);
        break;
    }
    // Both teams' monitors show the message kept with the green booth.
    booth->messageTimer = POWERUP_MESSAGE_TICKS;
    if (outcome != POWERUP_BLASTER)
        booth->messageId = outcome + 1;
}

void playerPowerup()
{
    if (map != SCREEN_TUTORIAL) {
        givePowerup(1, rand() % POWERUP_DRAWN);
        return;
    }
    // The tutorial hands out the outcomes in order, pausing on each one's hint.
    int outcome = tutorial;
    if (tutorial <= 11)
        tutorialWait = 1;
    tutorial += 1;
    if (outcome >= POWERUP_DRAWN)
        outcome = rand() % POWERUP_DRAWN;
    givePowerup(1, outcome);
}

void player2Powerup() { givePowerup(2, rand() % POWERUP_DRAWN); }
