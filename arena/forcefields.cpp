#include "arena/forcefields.h"

// Stand-in until the force fields land.
void setupForcefields() {}
