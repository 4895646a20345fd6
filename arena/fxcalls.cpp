#include "arena/fxcalls.h"

// Stand-in until the explosions' spawn lands.
void spawnExplosion(double, double, int, int) {}
