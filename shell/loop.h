// The 60 Hz fixed-step loop: the tick counter shared with the timer thread, the screen
// state `map`, the players' input flags latched each tick, and the order of one tick.
#pragma once

#include <atomic>

#include "core/world.h"

void increment_speed_counter();

// 1 once the window's close button was pressed (set from the library's own thread).
extern std::atomic<int> closeRequested;

// Reads the bindings and both pads into the input flags (player 2 only when human).
void latchInput();
// Runs every step of one tick up to and including the game frame and the renderer.
void runTick();
// The game frame: every per-frame update of a bout in its fixed order, then the renderer.
void gameFrame();
// Runs the ticks due now, as one batch of the loop does: one tick and the pause overlay
// per unit of the counter.
void runDueTicks();
// When set, called with the name of each game-frame step just before it runs.
extern void (*frameStepHook)(const char *step);
// The loop itself: runs ticks as the counter says until `gameover` is set.
void runLoop();
