#include "fighters/weapons.h"

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
