// The map pre-screen, the screen before every bout (frontend/): rebuilds the world for the
// next bout, slides in the comic panels, shows the arena's title, and starts the bout from
// its next button (or Space).
#pragma once

extern int nextMap;        // the arena of the coming bout
extern int overinfo;       // 1 while the information picture is shown
extern int displaytitle;   // 1 once the arena title is shown
extern int maptitley;      // y of the title glyphs
extern int nextx, nexty, infox, infoy;

// The arena's title in capitals (spaces and other characters draw nothing), or "" outside
// 1..27.
const char *arenaTitle(int arena);

// Every pool of a bout (effects, cubes, bombs, blast fronts, explosions, mines, gore,
// casings, force fields) built with all its records free, after the fighters' set-ups.
void setupBoutPools();
void setupPreMap(int nextMap);
// Opens the pre-screen for an arena drawn as arrangeGLarenas (core/unlocks.h) draws it.
void randomMap();
void updatePreMap();
void drawPreMap();
