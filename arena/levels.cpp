#include "arena/levels.h"

// Stand-ins until the level scripts land.
void setupHell() {}
void setupLondon() {}
void updateHell() {}
void updateLondon() {}
void drawHellBG() {}
void drawHellFG() {}
void drawLondonBG() {}
