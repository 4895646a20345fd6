// Cubes, the cube spawner and the power-up box.
#pragma once

#include <stdlib.h>

#include "core/probes.h"

// A cube, and the power-up box, which uses the same record.
struct Cube {
    double x, y;        // top-left of the picture
    int active;         // 0 free, 1 live
    int w, h;           // size of the picture
    int fallSpeed;      // px per tick downward, negative upward
    int maxFallSpeed;
    int xVel, yVel;     // push velocity, px per tick
    int frictionCount, frictionPeriod;
    int pan;            // stereo pan of the cube's sounds
    int angle;          // 256 steps a turn
    int spin;           // turn per tick
    int countdown;      // bounce-sound hold-off, ticks
    int materialise;    // hover ticks left after a spawn
    int life;           // power-up box: whole seconds left
    int particleTimer, particlePeriod;   // power-up box: ticks between sparkle bursts
    int inGreenBase;    // 1 while the centre lies in the green base (computer opponent only)
    int noPoints;       // 0 until the cube first touches a solid or stairs block
};

// The roaming point where cubes and the power-up box appear.
struct SpawnPoint {
    double x, y;
};

enum { CUBE_COUNT = 15, POWERUP_COUNT = 1 };

// What a collected power-up box does (its booth message is the outcome + 1). A box draws
// only the first POWERUP_DRAWN of them.
enum PowerupOutcome {
    POWERUP_ZAPZAP = 0,
    POWERUP_HOMO,
    POWERUP_SLOW_OPPONENT,
    POWERUP_SPEED,
    POWERUP_OPPONENT_HEALTH_ONE,
    POWERUP_DISARM_OPPONENT,
    POWERUP_FREEZE_OPPONENT,
    POWERUP_MAGNET,
    POWERUP_MUMMRA,
    POWERUP_MOONRAKER,
    POWERUP_MINEDROP,
    POWERUP_DUALGIBBER,
    POWERUP_ROCKETPACK,
    POWERUP_BLASTER,
    POWERUP_DRAWN = POWERUP_ROCKETPACK
};

enum {
    POWERUP_LIFE = 210,            // seconds a box waits to be collected
    POWERUP_SECONDS = 20,          // length of the timed outcomes but freezing
    POWERUP_MESSAGE_TICKS = 200,   // the booth monitors show the outcome this long
    // The tutorial drops its boxes at one place, one every 19 seconds while it teaches them.
    TUTORIAL_POWERUP_X = 800,
    TUTORIAL_POWERUP_Y = 80,
    TUTORIAL_POWERUP_PERIOD = 19,
    // Random points tried for one spawn before it is given up (or, for the bout-start
    // cubes, put off to the next tick).
    SPAWN_TRIES = 300
};
extern Cube *cube[CUBE_COUNT];
extern Cube *powerup[POWERUP_COUNT];
extern SpawnPoint *cubespawner;
extern int initialcubes;            // bout-start cubes for each half, 2..4
extern int cube1spawn, cube1spawnR; // bout-start cubes already placed, left and right half

// Rolls the bout's initial cubes and builds the spawn point, the cubes and the box afresh.
void setupcubespawner();
// Starts one cube at (px, py): hovering `materialise` ticks, then moving with the velocities.
void spawncube(int px, int py, int materialise, int xVel, int yVel);
// Starts the power-up box at (x, y).
void spawnpowerup(int x, int y);
// The power-up box's outcome for fighter 1 and fighter 2: drawn at random (for fighter 1 on
// the tutorial, in order) and applied.
void playerPowerup();
void player2Powerup();
// Applies `outcome` (PowerupOutcome) for fighter 1 (taker 1) or fighter 2 (taker 2) and posts
// its message on the booth monitors.
void givePowerup(int taker, int outcome);
// The factory floor's conveyor bands: when (cx, cy) lies inside a band and the block under
// the foot point is belt or ground, the thing is carried at the band's speed (its fall and
// spin stop).
void conveyorCarry(double cx, double cy, int footX, int footY, int *xVel, int *fallSpeed,
                   int *spin);
// Once per game frame: the spawn point, the bout-start cubes and the cube and box
// countdowns; every cube; the box.
void cubespawnerroutine();
void updatecube();
void updatepowerup();

// ---- What cubes, the box and mines share: records whose head is the cube's (`x` to `spin`).

// The push velocities clamped (sideways to `maxXVel`, up and down to 30) and applied: the
// record moves by them, and each moving tick slows the fall-off toward 0 (sideways only
// every `frictionPeriod` + 1 ticks). A move up that would end at or above `ceilingY` is left
// out.
template <class Body>
void pushBody(Body *b, int maxXVel, double ceilingY)
{
    b->yVel = b->yVel < -30 ? -30 : b->yVel > 30 ? 30 : b->yVel;
    b->xVel = b->xVel < -maxXVel ? -maxXVel : b->xVel > maxXVel ? maxXVel : b->xVel;
    if (b->xVel == 0 && b->yVel == 0)
        return;
    b->x += b->xVel;
    b->frictionCount += 1;
    if (b->y + b->yVel > ceilingY)
        b->y += b->yVel;
    if (b->frictionCount > b->frictionPeriod) {
        b->frictionCount = 0;
        b->xVel += b->xVel > 0 ? -1 : b->xVel < 0 ? 1 : 0;
    }
    b->yVel += b->yVel > 0 ? -1 : b->yVel < 0 ? 1 : 0;
}

// A record pushed sideways turns; a new roll takes a random spin in its direction.
template <class Body>
void rollBody(Body *b)
{
    if (b->xVel != 0)
        b->angle += b->spin;
    if (b->angle < 0)
        b->angle = 256;
    else if (b->angle > 256)
        b->angle = 0;
    if (b->spin == 0 && b->xVel != 0)
        b->spin = b->xVel < 0 ? -(rand() % 50) : rand() % 50;
}

// Probe column k of a moving record against blocks that `blocked` reports: a side that
// meets one turns the record back, a top or bottom that meets one stops its push up or
// down. Returns how many times it was turned back.
template <class Body>
int bounceOffBlocks(Body *b, int k, int (*blocked)(int x, int y))
{
    int turned = 0;
    for (int side = 0; side < 2; side++) {
        if (b->xVel != 0 && blocked((int)(b->x + b->xVel + side * b->w), (int)(b->y + k))) {
            b->xVel = -b->xVel;
            turned++;
        }
    }
    for (int side = 0; side < 2; side++)
        if (b->yVel != 0 && blocked((int)(b->x + k), (int)(b->y + b->yVel + side * b->h)))
            b->yVel = 0;
    return turned;
}

// Gravity: unless the block under the record's bottom centre is solid it falls by its fall
// speed, which then grows by 1; the speed stays within -14 (a faster rise ends) and
// `maxFallSpeed`.
template <class Body>
void fallBody(Body *b)
{
    if (!collided((int)(b->x + b->w / 2), (int)(b->y + b->h))) {
        b->y += b->fallSpeed;
        b->fallSpeed += 1;
    }
    if (b->fallSpeed < -14)
        b->fallSpeed = 0;
    if (b->fallSpeed > b->maxFallSpeed)
        b->fallSpeed = b->maxFallSpeed;
}

// 1 when the record's top-left corner and the middle of its right side are both in solid
// ground, or both in stairs: it has been pushed into a wall.
template <class Body>
int wedgedInBlocks(const Body *b)
{
    int x = (int)b->x, y = (int)b->y, right = (int)(b->x + b->w), middle = (int)(b->y + b->h / 2);
    return (collided(right, middle) && collided(x, y)) || (stairs(right, middle) && stairs(x, y));
}
