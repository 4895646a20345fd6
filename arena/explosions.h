// Explosions: damage and push of fighters, cubes, mines and debris.
#pragma once

// What made an explosion; each kind has its own pictures and rays.
enum ExplosionType {
    EXPLOSION_BOMB = 0,
    EXPLOSION_THRUSTER = 2,
    EXPLOSION_ROCKET = 3,
    EXPLOSION_GREEN_MINE = 4,
    EXPLOSION_PURPLE_MINE = 5,
    EXPLOSION_CUBE_HIT = 6,
    EXPLOSION_TALL = 7
};

struct Explosion {
    double x, y;        // centre
    int active;         // 0 free, 1 live
    int w, h;           // size of explosion_image
    int radius;         // damage and push radius, px
    int life;           // ticks left
    int pan;            // stereo pan 0..255
    int angleA;         // turn of the large picture layer, 256 steps a turn
    int angleB;         // turn of the small picture layer
    int spin;           // turn per tick
    int type;           // ExplosionType
    int rayPoints[12];  // three rays, two corner points (x, y) each
    int raySweep;       // per-tick shift of the ray corners
};

enum { EXPLOSION_COUNT = 10 };
extern Explosion *boom[EXPLOSION_COUNT];

// Builds the explosion pool afresh, all free.
void setupExplosions();
// Starts one explosion of `type` (ExplosionType) and `radius` centred at (x, y); dropped when
// all ten records are live.
void spawnExplosion(double x, double y, int type, int radius);
// One tick of every live explosion: it ages, hurts and shoves the fighters; then the
// explosion in the first slot alone shoves cubes, the power-up box, mines, gore and ground
// bits.
void updateExplosion();

// What explosion `e` does at the point (px, py); a coordinate of exactly 0.0 counts as 1.0,
// and a free record does nothing. 1.0 inside the radius, else 0.0.
double explosionDamage(const Explosion &e, double px, double py);
// Sideways shove away from the centre: 15 on the centre's vertical line, falling linearly to
// 0 at the radius; 0.0 on that line itself and outside the radius.
double Forcex(const Explosion &e, double px, double py);
// Upward shove, never negative: the larger the nearer the centre (whole-number steps).
double Forcey(const Explosion &e, double px, double py);
