// The shot record and every shot pool: gun bullets, plasma, homing rockets, thrusters, the
// blaster and the computer opponent's invisible aim probes. Part of the ground: the fighters'
// weapons (fighters/weapons.h) build, fire and move them, the pick-ups test them
// (arena/hittests.h), the computer aims with its probes and the renderer draws them.
#pragma once

// One shot; each pool uses the fields its kind needs. The same record serves the bomb blast
// fronts and the aim probes.
struct Projectile {
    double x, y;        // top-left
    int active;         // 0 free, 1 in flight
    int w, h;           // size of the shot's picture
    int direction;      // Facing of travel
    int speed;          // px per tick
    int pan;
    int attached;       // thruster: 1 once stuck on the opponent
    int attachX, attachY;
    int stepX, stepY;   // homing steps; a bullet's vertical drift in stepY
    int life;           // ticks left
    int colour;         // packed screen colour
    int red, green, blue;
};

enum {
    BULLET_COUNT = 40,
    PLASMA_COUNT = 8,
    HOMOROCKET_COUNT = 1,
    MUMMRATHRUSTER_COUNT = 1,
    BLASTER_COUNT = 3,
    FAKEHOMER_COUNT = 1,
    FAKEBULLET_COUNT = 8
};

// Player 1's pools.
extern Projectile *bullet[BULLET_COUNT];
extern Projectile *plasma[PLASMA_COUNT];
extern Projectile *homorocket[HOMOROCKET_COUNT];
extern Projectile *mummrathruster[MUMMRATHRUSTER_COUNT];
extern Projectile *blaster[BLASTER_COUNT];
// Player 2's pools (he has no blaster).
extern Projectile *bullet2[BULLET_COUNT];
extern Projectile *plasma2[PLASMA_COUNT];
extern Projectile *homorocket2[HOMOROCKET_COUNT];
extern Projectile *mummrathruster2[MUMMRATHRUSTER_COUNT];
// The computer opponent's aim probes; never drawn.
extern Projectile *fakeHomer[FAKEHOMER_COUNT];
extern Projectile *fakeBullet[FAKEBULLET_COUNT];
