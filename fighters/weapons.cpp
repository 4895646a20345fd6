#include "fighters/weapons.h"

#include <allegro.h>
#include <math.h>
#include <stdlib.h>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "core/pools.h"
#include "core/probes.h"
#include "core/sound.h"
#include "core/world.h"
#include "fighters/twins.h"

void setupProjectilePool(Projectile **pool, int count, int w, int h, int speed)
{
    for (int i = 0; i < count; i++) {
        free(pool[i]);
        pool[i] = (Projectile *)calloc(1, sizeof(Projectile));
        pool[i]->w = w;
        pool[i]->h = h;
        pool[i]->speed = speed;
    }
}

// Where a shot leaves the gun, from the gun anchor, by facing and wall grab.
enum Barrel { BARREL_MAIN, BARREL_SECOND, BARREL_PLASMA };
static const int muzzle[3][4][2] = {
    // facing left, left on a wall, facing right, right on a wall
    {{0, 10}, {40, 7}, {25, 10}, {0, 7}},
    {{0, 0}, {43, 0}, {28, 0}, {0, 0}},
    {{10, 0}, {30, 2}, {-10, 0}, {-25, 2}},
};

// Places a shot at the muzzle; it flies the way he faces, or away from the wall he hangs
// on. Answers whether he hangs on a wall.
static int aimShot(Projectile *p, const FighterSide &s, int barrel)
{
    const Fighter *f = s.self;
    int hanging = f->wallGrabTimer != 0;
    int right = f->facing == FACING_RIGHT;
    const int *d = muzzle[barrel][right * 2 + hanging];
    p->active = 1;
    p->x = s.gun->x + d[0];
    p->y = s.gun->y + d[1];
    p->direction = hanging ? !right : right;
    return hanging;
}

static int centreX(const Projectile *p) { return (int)(p->x + p->w / 2); }
static int centreY(const Projectile *p) { return (int)(p->y + p->h / 2); }
static int knockSign(const Projectile *p) { return p->direction == 1 ? 1 : -1; }

static void sparks(int count, int x, int y, int kind)
{
    for (int i = 0; i < count; i++)
        spawnSpark(x, y, kind);
}

static void bleed(int team, int count, int x, int y)
{
    for (int i = 0; i < count; i++)
        spawnTeamBlood(team, x, y);
}

// The opponent struck by a shot: it ends, he loses health, is pushed along its path and
// bleeds 44 drops at its centre.
static void strike(const FighterSide &s, Projectile *p, int damage, int knock)
{
    Fighter *t = s.opponent;
    t->health -= damage;
    p->active = 0;
    t->knockX += knockSign(p) * knock;
    bleed(3 - s.team, 44, centreX(p), centreY(p));
}

// A standing target is struck anywhere in his box, a crouching one in its lower half only.
static int strikesBody(const Fighter *t, const Projectile *p)
{
    if (t->state == FIGHTER_CROUCH)
        return insideLowerHalf(t, centreX(p), centreY(p));
    return insideBody(t, centreX(p), centreY(p));
}

static void shootBullet(const FighterSide &s, int barrel)
{
    Projectile *p = firstFreeRecord(s.bullets, BULLET_COUNT);
    if (!p)
        return;
    const Fighter *f = s.self;
    p->stepY = barrel == BARREL_SECOND ? -1 : 0;
    // The speed power-up wins over being slowed.
    if (f->slowed == 1)
        p->speed = 6;
    if (f->sonic == 1)
        p->speed = 18;
    if (f->slowed == 0 && f->sonic == 0)
        p->speed = 12;
    aimShot(p, s, barrel);
}

// Plasma and the blaster kick their shooter back and up, unless he hangs on a wall,
// crouches or slides.
static void recoil(const FighterSide &s, int hanging)
{
    Fighter *f = s.self;
    if (hanging || f->state == FIGHTER_CROUCH || f->state == FIGHTER_SLIDE)
        return;
    f->knockX += f->facing == FACING_LEFT ? 4 : -4;
    f->knockY -= 4;
}

static void shootPlasma(const FighterSide &s)
{
    Projectile *p = firstFreeRecord(s.plasmas, PLASMA_COUNT);
    if (p)
        recoil(s, aimShot(p, s, BARREL_PLASMA));
}

static void shootBlaster(const FighterSide &s)
{
    Projectile *p = s.blasters ? firstFreeRecord(s.blasters, BLASTER_COUNT) : NULL;
    if (!p)
        return;
    p->speed = 13;
    p->life = 200;
    p->red = 0;
    p->green = 255;
    p->blue = 0;
    p->colour = makecol(0, 255, 0);
    recoil(s, aimShot(p, s, BARREL_PLASMA));
}

static void shootRocket(const FighterSide &s)
{
    Projectile *p = s.rocket[0];
    if (!p || p->active)
        return;
    p->stepX = 8;
    p->stepY = 8;
    aimShot(p, s, BARREL_MAIN);
}

static void shootThruster(const FighterSide &s)
{
    Projectile *p = s.thruster[0];
    if (!p || p->active)
        return;
    p->attached = 0;
    p->attachX = 0;
    p->attachY = 0;
    p->speed = 0;
    aimShot(p, s, BARREL_MAIN);
}

void playerShoot() { shootBullet(sideOne(), BARREL_MAIN); }
void playerShootSecond() { shootBullet(sideOne(), BARREL_SECOND); }
void playerShootZapZap() { shootPlasma(sideOne()); }
void playerShootBlaster() { shootBlaster(sideOne()); }
void playerShootHomo() { shootRocket(sideOne()); }
void playerShootMummra() { shootThruster(sideOne()); }
void player2Shoot() { shootBullet(sideTwo(), BARREL_MAIN); }
void player2ShootSecond() { shootBullet(sideTwo(), BARREL_SECOND); }
void player2ShootZapZap() { shootPlasma(sideTwo()); }
void player2ShootHomo() { shootRocket(sideTwo()); }
void playerShootMummra2() { shootThruster(sideTwo()); }

static void moveStraight(Projectile *p) { p->x += p->direction == 1 ? p->speed : -p->speed; }

// A bullet meeting a wall or stairs. Player 2's spark on every arena but the tutorial;
// player 1's leave each arena's own mark: yellow sparks, the Beast's walls bleed purple,
// the Cavern sparks only above y 773, and the Green Hill, the tutorial and any screen
// that is not an arena (the result screen, in the rest of a frame that ended the bout)
// take bullets silently.
static void bulletWallImpact(const FighterSide &s, const Projectile *p)
{
    int x = centreX(p), y = centreY(p);
    if (!s.bulletMarksByArena) {
        if (map != SCREEN_TUTORIAL)
            sparks(5, x, y, 1);
        return;
    }
    if (map == ARENA_BEAST)
        bleed(2, 44, x, y);
    else if (map == ARENA_CAVERN)
        sparks(p->y < 773 ? 5 : 0, x, y, 1);
    else if (map >= ARENA_SMOG_CITY && map <= ARENA_ONE_UP && map != ARENA_GREEN_HILL)
        sparks(5, x, y, 1);
}

// The Moon's two spark walls stand in open air: the left one sparks green, the right one
// magenta, and each stops the bullet.
static void moonSparkWalls(Projectile *p)
{
    static const struct {
        double left, right;
        int kind;
    } walls[2] = {{440, 480, 3}, {1127, 1167, 4}};
    for (const auto &w : walls) {
        if (p->active == 1 && w.left < p->x && p->x < w.right && 503 < p->y && p->y < 1200) {
            sparks(8, centreX(p), centreY(p), w.kind);
            p->active = 0;
        }
    }
}

static void updateBullets(const FighterSide &s)
{
    for (int i = 0; i < BULLET_COUNT; i++) {
        Projectile *p = s.bullets[i];
        if (!p || p->active != 1)
            continue;
        moveStraight(p);
        p->y += p->stepY;
        if (p->x > 1599 || p->x < 0 || p->y + p->stepY < 8) {
            p->active = 0;
            continue;
        }
        if (insideWindow(s.enemyBaseForShots, p->x, p->y)) {
            sparks(8, centreX(p), centreY(p), teamSparkKind(3 - s.team));
            p->active = 0;
            continue;
        }
        if (insideWindow(s.ownBaseForBullets, p->x, p->y)) {
            sparks(8, centreX(p), centreY(p), teamSparkKind(s.team));
            p->active = 0;
            continue;
        }
        if (collided((int)p->x, (int)p->y) || stairs((int)p->x, (int)p->y)) {
            bulletWallImpact(s, p);
            p->active = 0;
            continue;
        }
        // Sliding, frozen or flipping, the target lets bullets pass.
        const Fighter *t = s.opponent;
        if (t->state != FIGHTER_SLIDE && t->frozen == 0 && t->flipTimer < 2 && strikesBody(t, p))
            strike(s, p, 3, 2);
        if (s.bulletMarksByArena && map == ARENA_MOON)
            moonSparkWalls(p);
    }
}

// Plasma and blaster bolts after their move: the edges, the enemy base (silently), the
// blocks (cyan sparks), then the opponent, anywhere in his box unless he slides or is
// frozen. Each step needs the shot still live.
static void resolvePlasma(const FighterSide &s, Projectile *p)
{
    if (p->x > 1599 || p->x < 0) {
        p->active = 0;
        return;
    }
    if (insideWindow(s.enemyBaseForShots, p->x, p->y)) {
        p->active = 0;
        return;
    }
    if (collided((int)p->x, (int)p->y) || stairs((int)p->x, (int)p->y)) {
        sparks(10, centreX(p), centreY(p), 2);
        p->active = 0;
        return;
    }
    Fighter *t = s.opponent;
    if (insideBody(t, centreX(p), centreY(p)) && t->state != FIGHTER_SLIDE && t->frozen == 0) {
        playSample(SND_PLASMA_HIT, 100, t->pan, 1000);
        strike(s, p, 6, 9);
        t->knockY -= 6;
    }
}

static void updatePlasmas(const FighterSide &s)
{
    for (int i = 0; i < PLASMA_COUNT; i++) {
        Projectile *p = s.plasmas[i];
        if (!p || p->active != 1)
            continue;
        moveStraight(p);
        resolvePlasma(s, p);
    }
}

void updateBullet() { updateBullets(sideOne()); }
void updateBullet2() { updateBullets(sideTwo()); }
void updatePlasma() { updatePlasmas(sideOne()); }
void updatePlasma2() { updatePlasmas(sideTwo()); }

// A blaster bolt slows as its life runs down and fades from green to white.
void updateBlaster()
{
    FighterSide s = sideOne();
    for (int i = 0; i < BLASTER_COUNT; i++) {
        Projectile *p = blaster[i];
        if (!p || p->active != 1)
            continue;
        moveStraight(p);
        p->life -= 2;
        p->speed = p->life / 14;
        if (p->life < 10)
            p->active = 0;
        if (p->red < 255) {
            p->red += 8;
            p->blue += 8;
        }
        // The fade overshoots to 256: packed as full white, never into the next component.
        p->colour = makecol(MIN(p->red, 255), MIN(p->green, 255), MIN(p->blue, 255));
        if (p->active == 1)
            resolvePlasma(s, p);
    }
}

static void rocketBlast(Projectile *p, int volume)
{
    if (volume > 0)
        playSample(SND_EXPLOSION, volume, p->pan, 1000);
    spawnExplosion(p->x + p->w / 2, p->y + p->h / 2, EXPLOSION_ROCKET, 6);
    p->active = 0;
}

// The homing rocket steers toward a point 7 px above the opponent's feet, 8 px a tick
// sideways and at most as steeply downward or upward.
static void updateRocket(const FighterSide &s)
{
    Projectile *p = s.rocket[0];
    if (!p || p->active != 1)
        return;
    const Fighter *t = s.opponent;
    spawnHomoTrail((int)p->x, (int)p->y);
    p->pan = (int)(p->x / 1600.0 * 255.0);

    int targetX = t->x + t->w / 2, aimY = t->y + t->h - 7;
    if (p->x + p->w / 2 < targetX) {
        p->direction = 1;
        p->x += p->stepX;
    }
    if (targetX < p->x + p->w / 2) {
        p->direction = 0;
        p->x -= p->stepX;
    }
    if (p->y + p->h / 2 < aimY)
        p->y += p->stepY;
    if (aimY < p->y + p->h / 2)
        p->y -= p->stepY;
    // Straight above or below him the slope has no value: its cap serves.
    double dx = t->x - p->x;
    double slope = dx == 0 ? 8.0 : fabs(p->stepX * (t->y - p->y) / dx);
    p->stepY = slope > 8.0 ? 8 : (int)slope;

    if (p->x > 1599 || p->x < 0 || p->y > 1199 || p->y < 0) {
        p->active = 0;
        if (!s.rocketProbesAfterEdge)
            return;
    }
    // These three look only at the place: a rocket one of them ended is tested again.
    if (insideWindow(s.enemyBaseForShots, p->x, p->y))
        rocketBlast(p, 0);
    if (collided((int)p->x, (int)p->y))
        rocketBlast(p, 200);
    if (stairs((int)p->x, (int)p->y))
        rocketBlast(p, 200);
    if (p->active == 1 && t->state != FIGHTER_SLIDE && t->frozen == 0 && strikesBody(t, p)) {
        rocketBlast(p, 230);
        strike(s, p, 3, 2);
    }
}

void updateHomoRocket() { updateRocket(sideOne()); }
void updateHomoRocket2() { updateRocket(sideTwo()); }

static void thrusterBlast(Projectile *p)
{
    spawnExplosion(p->x + p->w / 2, p->y + p->h / 2, EXPLOSION_THRUSTER, 80);
    p->active = 0;
}

// The thruster sticks to the opponent where it meets him and rides on him; his own
// movement carries him off, bleeding, toward the side it was heading for.
static void catchVictim(const FighterSide &s, Projectile *p, int *soundLatch)
{
    Fighter *t = s.opponent;
    t->thrusterCaught = p->direction == 0 ? THRUSTER_CARRY_LEFT : THRUSTER_CARRY_RIGHT;
    p->attachX = (int)p->x;
    p->attachY = (int)p->y;
    p->attached = 1;
    p->speed = 0;
    bleed(3 - s.team, 44, centreX(p), centreY(p));
    if (*soundLatch == 0) {
        playSample(SND_THRUSTER, 300, t->pan, 1000);
        *soundLatch = 1;
    }
}

static void updateThruster(const FighterSide &s)
{
    Projectile *p = s.thruster[0];
    if (!p || p->active != 1)
        return;
    Fighter *t = s.opponent;
    for (int i = 0; i < 3; i++) {
        int jitter = rand() % 12 - 6;
        spawnHomoTrail((int)(p->x + p->w / 2), (int)(p->y + p->h / 2 + jitter));
    }
    int flying = p->attachX == 0;
    if (p->speed < 25 && flying)
        p->speed += 1;
    if (flying)
        moveStraight(p);
    if (p->attached == 1) {
        p->x = t->x + t->w / 2;
        p->y = p->attachY;
    }
    // Each of these looks only at the place: one tick can make several explosions.
    if (p->x > 1550.0)
        thrusterBlast(p);
    if (p->x < s.thrusterLeftLimit)
        thrusterBlast(p);
    if (p->attached == 0) {
        if (insideWindow(s.enemyBaseForThruster, p->x, p->y))
            thrusterBlast(p);
        if (collided((int)p->x, (int)p->y))
            thrusterBlast(p);
        if (stairs((int)p->x, (int)p->y))
            thrusterBlast(p);
    }
    if (p->active != 1 || t->frozen != 0)
        return;
    if (t->state != FIGHTER_CROUCH && insideBody(t, centreX(p), centreY(p)))
        catchVictim(s, p,
                    s.standingCatchUsesVictimLatch ? &t->thrusterSoundLatch
                                                   : &s.self->thrusterSoundLatch);
    if (p->active == 1 && t->state == FIGHTER_CROUCH && insideLowerHalf(t, centreX(p), centreY(p)))
        catchVictim(s, p, &s.self->thrusterSoundLatch);
}

void updateMummraThruster() { updateThruster(sideOne()); }
void updateMummraThruster2() { updateThruster(sideTwo()); }
