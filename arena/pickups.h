// Cubes, the cube spawner and the power-up box.
#pragma once

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
// spin stop). 1 when a band carries it.
int conveyorCarry(double cx, double cy, int footX, int footY, int *xVel, int *fallSpeed,
                  int *spin);
// Once per game frame: the spawn point, the bout-start cubes and the cube and box
// countdowns; every cube; the box.
void cubespawnerroutine();
void updatecube();
void updatepowerup();
