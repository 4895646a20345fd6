// The fighters' weapons: a shot pool built afresh, the firing of gun bullets, plasma, homing
// rockets, thrusters and the blaster, and each pool's tick. The shot record and the pools
// themselves are core/shots.h's.
#pragma once

struct Projectile;

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
