// The pause overlay: P (or the tenth pad button) stops the bout and tints the arena.
#pragma once

extern int paused;       // 1 while the game is paused
extern int pausedelay;   // debounce of the pause toggle

// One tick of the pause overlay, run by the loop after every tick.
void gameState();
