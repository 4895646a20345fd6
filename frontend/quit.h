// The quit prompt: back to the game, back to the menu, or on to the end splash.
#pragma once

extern int quitting;   // 0 none, 1 prompt open, 2 the end splash is ending the program

void quitoption();
