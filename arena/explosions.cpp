#include "arena/explosions.h"

// Stand-ins until the explosions land.
void setupExplosions() {}
void updateExplosion() {}
