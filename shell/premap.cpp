#include "shell/premap.h"

// Stand-ins until the map pre-screen lands.
void setupPreMap(int) {}
void updatePreMap() {}
