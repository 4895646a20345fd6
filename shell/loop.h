// The 60 Hz fixed-step loop: the tick counter shared with the timer thread, the screen
// state `map`, the players' input flags latched each tick, and the order of one tick.
#pragma once

#include <atomic>

// Ticks due and not yet run. The timer thread adds one 60 times a second; the loop takes
// one off per tick run; set-ups zero it to drop ticks that fell due during slow work.
extern std::atomic<int> speed_counter;
void increment_speed_counter();

// `map` is both the screen state and, during a bout, the arena being played.
enum ScreenId {
    SCREEN_NONE = -1,
    SCREEN_TITLE = 0,
    SCREEN_RESULT = 28,
    SCREEN_TUTORIAL = 29,
    SCREEN_PREMAP = 30,
    SCREEN_CREDITS = 31,
    SCREEN_END_SPLASH = 32,
    SCREEN_INTRO = 33
};

enum ArenaId {
    ARENA_SMOG_CITY = 1, ARENA_BEAST, ARENA_MONKEY, ARENA_ARMY, ARENA_HELL, ARENA_MOON,
    ARENA_TRAINS, ARENA_GREEN_HILL, ARENA_FANTASTIC, ARENA_LONDON, ARENA_COGS, ARENA_ZWARD,
    ARENA_DESERTS, ARENA_CAVERN, ARENA_ORCAAKE, ARENA_FLUX, ARENA_CONKER, ARENA_TILES,
    ARENA_ICE, ARENA_FACTORY, ARENA_SMUG, ARENA_BOG, ARENA_CARNIVAL, ARENA_THEATRE,
    ARENA_BARRELS, ARENA_GRAVEYARD, ARENA_ONE_UP
};

extern int map;

// 1 while a bout's fighters are in play; the game frame runs only then.
extern int playersActive;

// Input flags, 0 or 1, held this tick. Player 2's first seven come from the computer
// opponent instead of the latch while `p2cpu` is 1.
extern int d1, d2, up1, down1, jump1, fire1, laybomb1, pausebutton;
extern int pd1, pd2, up2, down2, jump2, fire2, laybomb2, pausebutton2;

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
