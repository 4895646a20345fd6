#include "arena/pickups.h"

// Stand-ins until the pick-ups land.
void setupcubespawner() {}
void cubespawnerroutine() {}
void updatecube() {}
void updatepowerup() {}
