// The pause overlay, a screen laid over the bout and kept with the other screens (frontend/):
// P (or the tenth pad button) stops the bout; while paused, the frozen picture is tinted
// toward the leading team each tick and the standings are drawn over it.
#pragma once

extern int paused;       // 1 while the game is paused
extern int pausedelay;   // debounce of the pause toggle, ticks

// Who leads on power, which picks the tint.
enum Standing { STANDING_EQUAL, STANDING_GREEN_LEADS, STANDING_PURPLE_LEADS };

// One tick of the pause overlay, run by the loop after every tick: the toggle, and while
// paused the overlay.
void gameState();
// One step of the tint over the whole playfield of the back buffer.
void tintPage(Standing standing);
