// The fighters' projectiles: gun bullets, plasma, homing rockets, thrusters, the blaster, and
// the computer opponent's invisible aim probes. The pools are built by the fighters' set-ups.
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

// Frees the records of a pool and puts fresh free ones in: position (0, 0), inactive, the
// given size and speed, every other field 0.
void setupProjectilePool(Projectile **pool, int count, int w, int h, int speed);

// Firing: each starts one shot from the fighter's gun if its pool has a free slot. A
// fighter hanging on a wall fires away from it. The gun fires one bullet (the dual gun a
// second, rising one); the zapzap and the blaster push their shooter back.
void playerShoot();
void playerShootSecond();
void playerShootZapZap();
void playerShootBlaster();
void playerShootHomo();
void playerShootMummra();
void player2Shoot();
void player2ShootSecond();
void player2ShootZapZap();
void player2ShootHomo();
void playerShootMummra2();

// One tick of each pool: move, then end the shot at the edges, the bases, the blocks or on
// the opponent, whom it hurts.
void updateBullet();
void updateBullet2();
void updatePlasma();
void updatePlasma2();
void updateHomoRocket();
void updateHomoRocket2();
void updateMummraThruster();
void updateMummraThruster2();
void updateBlaster();
