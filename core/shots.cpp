#include "core/shots.h"

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
