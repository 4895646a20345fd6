// Headless harness for tests and tools: the game's own start-up path with Allegro on
// SYSTEM_NONE, 16-bit memory bitmaps, `screen` a memory bitmap, no timer and no sound.
// The tick is driven by the caller; input is written into key[], joy[] and the mouse
// globals directly.
#pragma once

#include <string>

// The folder the game's data was generated into: $GOR_GAME_DIR, else "build/game".
const char *harnessGameDir();
// 1 when that folder holds gor.dat and the three tile maps.
int harnessGameDataPresent();

// Changes into the game folder, runs main's first pass headless (settings read from the
// folder's gorSetup.cfg, if any), then seeds rand() with `seed`, sets the title screen and
// runs its set-up, exactly as main does before its loop.
void harnessStart(unsigned seed);
// One tick as the loop runs it per counted tick: the tick, then the pause overlay.
void harnessTick();
// `count` ticks.
void harnessTicks(int count);
// The fighters' part of one game frame, in the game frame's order: gravity, movement,
// tile collision and gun anchors of both fighters (no sound cues, no cameras).
void harnessFighterSteps();
// A fighter out of his booth at its respawn spot, alive with the gun and full health, facing
// the given way, as the end of a respawn leaves him.
struct Fighter;
struct Booth;
void harnessLeaveBooth(Fighter *f, const Booth *b, int facing);
// A fresh bout on `arena` (Hell or London) as the pre-screen and its next button start one:
// every bout pool rebuilt, then the level's set-up (which scans the path nodes when the
// computer drives player 2). Both fighters still wait in their booths.
void harnessNewBout(int arena);
// Releases everything as main does at exit.
void harnessStop();

// The whole of a file as bytes; empty when it cannot be read.
std::string harnessReadFile(const char *path);

// Clears every key, pad button and direction, and the mouse buttons.
void harnessReleaseInput();
