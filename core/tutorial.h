// The tutorial's stage and hold, read by play code beyond the tutorial's own script
// (ai/tutorial.h): the fighters' power pools, the pick-ups, the loop and the title's reset.
#pragma once

// Stage 0..12: power-up boxes player 1 has collected here. Player 1 cannot die of damage
// before the last stage, and an empty power pool holds the game instead of ending it.
extern int tutorial;
// 1 while a hint (or an empty pool) holds the game: `waitTutorial` runs instead of the
// game frame.
extern int tutorialWait;
// Ticks since the current pause began; a pause ends on a key only after 20 of them.
extern int tutWaitCount;
