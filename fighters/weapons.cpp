#include "fighters/weapons.h"

#include <stdlib.h>

Projectile *bullet[BULLET_COUNT];
Projectile *plasma[PLASMA_COUNT];
Projectile *homorocket[HOMOROCKET_COUNT];
Projectile *mummrathruster[MUMMRATHRUSTER_COUNT];
Projectile *blaster[BLASTER_COUNT];
Projectile *bullet2[BULLET_COUNT];
Projectile *plasma2[PLASMA_COUNT];
Projectile *homorocket2[HOMOROCKET_COUNT];
Projectile *mummrathruster2[MUMMRATHRUSTER_COUNT];
Projectile *fakeHomer[FAKEHOMER_COUNT];
Projectile *fakeBullet[FAKEBULLET_COUNT];

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

// Stand-ins until the weapons land.
void updateBullet() {}
void updateBullet2() {}
void updatePlasma() {}
void updatePlasma2() {}
void updateHomoRocket() {}
void updateHomoRocket2() {}
void updateMummraThruster() {}
void updateMummraThruster2() {}
void updateBlaster() {}
