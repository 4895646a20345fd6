// Start-up and shut-down: bringing the library, display, input and sound up, the first
// pass that builds the game world once, and the release sequence at exit. The same path
// runs headless for tests and tools (no display, no timer, no sound).
#pragma once

#include "core/world.h"

// A seam for tests of the start-up's failure paths: when set, it is called in place of the
// library's install_sound and returns what that call would. The display mode's and the
// desktop size's seams (setGfxModeHook, desktopSizeHook) and the rule for a size the
// display can show stand with `headless` in core/world.h: the options page switches modes
// too.
extern int (*installSoundHook)(int digi, int midi);
// The digital voices the sound start-up reserved last (-1 before it ran): the library's
// no-sound driver has none, so installing it fails while any are reserved.
extern int reservedDigiVoices;

// Starts the library with the given system driver, its texts plain 8-bit as the game reads
// them; 0 when it runs. One that runs already (a test's, say) is not installed again: the
// library would reload its configuration by file name, and the game's, held in memory,
// has none, so it would crash. The game, the tests and the benchmarks start it here (the
// fuzzers and tools, which start it once and hold no settings, call the library).
int startLibrary(int systemId);
// Brings the library up: settings, timer, input, random seed, the 60 Hz callback, the
// display, sound, the back buffer, gor.dat and the mouse. Stops the program with a
// message and a non-zero status when something it cannot do without fails.
void setupScreen();
// The display and sound steps of setupScreen, with their fallbacks.
void setupDisplay();
void setupSoundDevice();
// Loads gor.dat from the working directory into `data`; a file that is missing, damaged
// or short of an entry the game reads stops the program with a message and status 1.
void loadDataFile();
// main's first pass: cuts the pictures, builds every pool, runs each level set-up once.
void firstPass();
// Writes the settings and releases the tile map, the music, the codec, the data file
// and sound, then shuts the library down.
void shutdownGame();
// Two further copies of the shut-down's release sequence kept for callers outside the
// loop; nothing calls them.
void cleanups();
void quit();
