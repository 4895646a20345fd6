#include "arena/forcefields.h"

#include "arena/effects.h"

// Stand-ins until the force fields land.
void setupForcefields() {}
void updateGreenFFPart() {}
void updatePurpleFFPart() {}
