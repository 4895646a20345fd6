#include "arena/mines.h"

#include <allegro.h>
#include <math.h>
#include <stdlib.h>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/pickups.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/probes.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/world.h"

Mine *mine[MINE_COUNT];

void setupMines()
{
    for (int i = 0; i < MINE_COUNT; i++) {
        delete mine[i];
        Mine *m = new Mine();
        m->w = mine_image[0] ? mine_image[0]->w : 0;
        m->h = mine_image[0] ? mine_image[0]->h : 0;
        m->maxFallSpeed = 14;
        m->frictionPeriod = 1;
        mine[i] = m;
    }
}

static const int MINE_BLAST_RADIUS = 190;
static const int SOUND_HOLD_OFF = 10;

static void layMine(int x, int y, int owner, int blinkPeriod)
{
    Mine *m = takeFreeRecord(mine);
    if (!m)
        return;
    m->x = x;
    m->y = y;
    m->fuse = rand() % 40 + 10;
    m->blinkFrame = rand() % 8;
    m->blinkPeriod = blinkPeriod >= 0 ? blinkPeriod : rand() % 3 + 2;
    m->owner = owner;
    m->fallSpeed = m->xVel = m->yVel = 0;
}

void spawnGreenmine(int x, int y) { layMine(x, y, TEAM_GREEN, -1); }
void spawnPurplemine(int x, int y) { layMine(x, y, TEAM_PURPLE, 5); }
void spawnmine() { layMine((int)cubespawner->x, (int)cubespawner->y, TEAM_NEUTRAL, -1); }

// Within 60 px of the fighter's centre.
static int nearFighter(const Fighter *f, int x, int y)
{
    int cx = f->x + f->w / 2, cy = f->y + f->h / 2;
    return (cx - x) * (cx - x) + (y - cy) * (y - cy) < 3600;
}

int hitmine(int x, int y) { return nearFighter(player2, x, y); }
int hit2mine(int x, int y) { return nearFighter(player, x, y); }

static void playMineSample(const Mine *m, int slot, int volume, int frequency)
{
    playSample(slot, volume, m->pan, frequency);
}

static void mayBounceSound(Mine *m)
{
    if (m->bounceSoundDelay == 0 && seconds > 5) {
        playMineSample(m, SND_ITEM_BOUNCE, 50, 2000);
        m->bounceSoundDelay = SOUND_HOLD_OFF;
    }
}

static int blastType(int owner)
{
    return owner == TEAM_GREEN ? EXPLOSION_GREEN_MINE
           : owner == TEAM_PURPLE ? EXPLOSION_PURPLE_MINE : EXPLOSION_THRUSTER;
}

static void explodeMine(Mine *m, double x, double y)
{
    spawnExplosion(x, y, blastType(m->owner), MINE_BLAST_RADIUS);
    playMineSample(m, SND_EXPLOSION, 400, 1000);
    m->triggered = 0;
    m->active = 0;
}

static void mineProbes(Mine *m, int k)
{
    int h = m->h;
    if (collided((int)(m->x + k), (int)(m->y + h + m->fallSpeed))) {
        if (m->fallSpeed <= 4 || seconds <= 5) {
            if (m->fallSpeed > 0)
                m->fallSpeed -= 1;
        } else {
            playMineSample(m, SND_ITEM_BOUNCE, 50, 2000);
            m->fallSpeed = m->fallSpeed / 4 * -3;
        }
    }
    if (bounceOffBlocks(m, k, collided))
        mayBounceSound(m);
    if (stairs((int)(m->x + k), (int)(m->y + h + m->fallSpeed))) {
        if (m->fallSpeed < 9) {
            m->fallSpeed -= 1;
        } else {
            mayBounceSound(m);
            m->fallSpeed = m->fallSpeed / 3 * -2;
        }
    }
    bounceOffBlocks(m, k, stairs);
}

// A fighter of another team coming near from above arms the mine; any fighter it rolls
// into turns it back.
static void mineMeetsFighter(Mine *m, int who, int cx, int cy)
{
    const Fighter *f = who == 0 ? player : player2;
    int ownTeam = who == 0 ? TEAM_GREEN : TEAM_PURPLE;
    int near = who == 0 ? hit2mine(cx, cy) : hitmine(cx, cy);
    if (near && m->active && !m->triggered && m->owner != ownTeam && f->y + f->h / 2 < m->y) {
        m->triggered = 1;
        m->blinkPeriod = 0;
        if (who == 1 && p2cpu == 1 && m->owner == TEAM_NEUTRAL)
            m->fuse = rand() % 12 + 46;
    }
    int inside = who == 0 ? hit2(cx, cy) : hit(cx, cy);
    if (inside && m->active && m->xVel != 0)
        m->xVel = -m->xVel;
}

static void updateOneMine(Mine *m)
{
    if (map == ARENA_MOON) {
        double cx = m->x + m->w / 2;
        m->maxFallSpeed = ((0 < cx && cx < 440) || (1167 < cx && cx < 1599)) && m->y + m->h > 328 ? 14 : 3;
    }
    if (map == ARENA_FACTORY) {
        conveyorCarry(m->x + m->w / 2, m->y + m->h / 2, (int)(m->x + m->w),
                      (int)(m->y + m->h + 4), &m->xVel, &m->fallSpeed, &m->spin);
        // The belts' far ends throw mines into the machinery.
        if (m->x < 4 || m->x > 1596) {
            explodeMine(m, m->x < 4 ? 20 : 1580, m->y + m->h / 2);
            return;
        }
    }
    m->pan = (int)(m->x / 1600 * 255);
    m->blinkTick += 1;
    if (m->blinkTick > m->blinkPeriod) {
        m->blinkTick = 0;
        m->blinkFrame += 1;
        if (m->blinkFrame > 8)
            m->blinkFrame = 0;
    }
    if (m->bounceSoundDelay > 0)
        m->bounceSoundDelay -= 1;
    pushBody(m, 15, -HUGE_VAL);
    rollBody(m);
    // A mine at rest rolls onto the nearest of its flat sides (0, 128 or 192).
    if (m->fallSpeed == 0 && m->xVel == 0 && m->angle >= 65 && m->angle <= 255 && m->angle != 128 &&
        m->angle != 192) {
        m->angle += m->angle <= 127 ? 1 : -1;
        m->spin = 0;
    }
    if (m->y > 1199) {
        m->y = 1199;
        m->yVel = 0;
    }
    // Flown off the top: freed without a blast, but the tick's probes below still run (a
    // bounce may still sound); gravity, fighters and the fuse need a live mine.
    if (m->y < 8) {
        m->y = 0;
        m->yVel = 0;
        m->active = 0;
        m->triggered = 0;
    }
    if (m->x > 1592) {
        m->xVel = -m->xVel;
        m->x = 1599;
    }
    if (m->x < 8) {
        m->xVel = -m->xVel;
        m->x = 0;
    }
    if (m->active == 1)
        fallBody(m);
    for (int k = 0; k <= 9; k++)
        mineProbes(m, k);
    int cx = (int)(m->x + m->w / 2), cy = (int)(m->y + m->h / 2);
    mineMeetsFighter(m, 0, cx, cy);
    mineMeetsFighter(m, 1, cx, cy);
    if (m->triggered) {
        m->fuse -= 1;
        if (m->fuse < 1) {
            explodeMine(m, m->x + m->w / 2, m->y + m->h / 2);
            return;
        }
        if (m->blinkFrame == 0)
            playMineSample(m, SND_MINE_BEEP, 60, 2000);
    }
}

void updatemines()
{
    for (int i = 0; i < MINE_COUNT; i++)
        if (mine[i] && mine[i]->active)
            updateOneMine(mine[i]);
}
