// Mines laid by the mine dropper.
#pragma once

// Whose a mine is (field `owner`): its colour and whom it waits for.
enum Team { TEAM_NEUTRAL = 0, TEAM_GREEN = 1, TEAM_PURPLE = 2 };

// A mine: its head repeats the cube record's fields up to `spin`.
struct Mine {
    double x, y;        // top-left
    int active;         // 0 free, 1 live
    int w, h;
    int fallSpeed, maxFallSpeed;
    int xVel, yVel;
    int frictionCount, frictionPeriod;
    int pan;
    int angle;          // 256 steps a turn
    int spin;
    int triggered;      // 1 once armed: the fuse runs
    int fuse;           // ticks left once armed
    int bounceSoundDelay;
    int blinkFrame;     // light frame 0..8
    int blinkTick;      // ticks since the last frame step
    int blinkPeriod;    // ticks per frame step minus one
    int owner;          // Team of the layer
};

enum { MINE_COUNT = 25 };
extern Mine *mine[MINE_COUNT];

// Builds the mine pool afresh, all free.
void setupMines();
// Lay one mine of the green or purple team at (x, y); dropped when the pool is full.
void spawnGreenmine(int x, int y);
void spawnPurplemine(int x, int y);
// A mine of no team at the cube spawn point; nothing in the game lays one.
void spawnmine();
// 1 when (x, y) lies within 60 px of fighter 2's (`hitmine`) or fighter 1's (`hit2mine`)
// box centre.
int hitmine(int x, int y);
int hit2mine(int x, int y);
// One tick of every live mine: blink, roll, fall and bounce, arming by an enemy from above,
// the fuse, the beeps and the blast.
void updatemines();
