#include "shell/pause.h"

int paused = 0;
int pausedelay = 0;

// Stand-in: the pause overlay is built with the match-flow screens.
void gameState() {}
