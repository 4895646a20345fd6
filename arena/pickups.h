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
// The power-up box's outcome for fighter 1 and fighter 2.
void playerPowerup();
void player2Powerup();
void cubespawnerroutine();
void updatecube();
void updatepowerup();
