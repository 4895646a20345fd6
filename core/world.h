// The world's shared state, at the bottom of the ground (core/) so that every subsystem may
// use it: the screen state and arena, the tick counter, the players' input flags, the
// display mode and the headless flag, the world back buffer and the stain layer, the loaded
// data file, and the drawing helpers every layer shares. Start-up, the loop and the
// renderer (shell/) sit above all of it and fill it in.
#pragma once

#include <atomic>

struct BITMAP;
struct DATAFILE;

// Ticks due and not yet run. The timer thread adds one 60 times a second; the loop takes
// one off per tick run; set-ups zero it to drop ticks that fell due during slow work.
extern std::atomic<int> speed_counter;

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

extern int initsetup;       // 1 once main's first pass has run
extern int gameover;        // 1 ends the tick loop and starts the shut-down
extern BITMAP *buffer;      // the world back buffer, 1600x1300, 16-bit
extern DATAFILE *data;      // gor.dat, loaded whole
extern BITMAP *pointer;     // the mouse pointer picture (the data file's own bitmap)
extern int resx, resy;      // display mode, from the settings

// 1 when the program runs without display, timer or sound: Allegro on SYSTEM_NONE,
// `screen` a memory bitmap of resx x resy. Set by the headless harness before start-up.
extern int headless;
// A seam for tests of the display mode's failure paths: when set, it is called in place of
// the library's set_gfx_mode (by the start-up and the options page's mode switch) and
// returns what that call would.
extern int (*setGfxModeHook)(int card, int w, int h);
// A seam for tests of the desktop size: when set, it is called in place of the library's
// get_desktop_resolution (headless too) and returns what that call would.
extern int (*desktopSizeHook)(int *w, int *h);
// The smallest display a mode may ask for.
enum { DISPLAY_MIN_W = 320, DISPLAY_MIN_H = 200 };
// 1 when the page could be seen in a w x h display: at least the smallest display mode
// there is, and no larger than the desktop where that is known (the full-screen window of
// a larger mode hangs off the screen, and the buttons low on the page with it). Start-up
// and the options page go by it.
int displayModeFits(int w, int h);
extern int loadedTutorial, loadedHell, loadedLondon, loadedCredits;

// Size of the world back buffer and of the playfield drawn in it.
enum { BUFFER_W = 1600, BUFFER_H = 1300, PLAYFIELD_W = 1600, PLAYFIELD_H = 1200 };

// The stain layer: the arena's background with everything painted into it during play;
// copied into `buffer` at the start of every frame.
extern BITMAP *prebuffer;

// Draws `pic` with its top-left at (x, y), turned about its centre by `angle` (256 steps a
// turn). Angles that are never wrapped keep growing, so only the turn within one
// revolution reaches the library's fixed-point angle.
void drawTurned(BITMAP *dest, BITMAP *pic, int x, int y, int angle);
// Draws `pic` masked into the back buffer at (x, y); nothing for a missing picture.
void putPicture(BITMAP *pic, int x, int y);
// Width and height of the display (the memory screen when headless).
int displayW();
int displayH();
// Stretches the 1600x1200 playfield of `buffer` onto the display, as every screen does
// at the end of its tick.
void stretchToScreen();
// rectfill and clear_to_color, putting the same pixels: on a clipped 16-bit memory bitmap
// in the solid drawing mode the first row is filled and copied down the rest, where the
// library puts every pixel one at a time; any other bitmap or mode goes to the library.
void fillRect(BITMAP *bmp, int x1, int y1, int x2, int y2, int colour);
void clearPage(BITMAP *bmp, int colour);
// makecol with each component held to 0..255 first.
int packColour(int r, int g, int b);

// Shows `text` in the library's message box and waits for the player to answer it. A
// full-screen display holds the keyboard and the pointer, so the box could not be answered
// over it: the display is given up first (set it again to go on). Does nothing where the
// library has no message box (headless: the caller's terminal output is all there is).
void showMessageBox(const char *text);
// Ends the program with a message on stderr and in the message box, and exit status 1.
[[noreturn]] void fatalError(const char *fmt, ...);
