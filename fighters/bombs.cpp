#include "fighters/bombs.h"

// Stand-ins until the bombs land.
void setupBombs() {}
void setupBombs2() {}
void setupBombblastLeft() {}
void setupBombblastRight() {}
void setupBombblastUp() {}
void updateBomb() {}
void updateBomb2() {}
void updateBombblastLeft() {}
void updateBombblastRight() {}
void updateBombblastUp() {}
