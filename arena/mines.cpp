#include "arena/mines.h"

// Stand-ins until the mines land.
void setupMines() {}
void updatemines() {}
