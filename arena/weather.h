// Weather: slanting rain blowing in from the top and the right edge, and snow that drifts
// down and settles on solid ground, each settled flake painted for good into the stain layer.
// Only London rolls weather; a frozen fighter sheds frost flakes through the same snow pool.
#pragma once

// Rain falls only while this is 1; London sets it and nothing clears it.
extern int raining;
// The weather roll of the current bout: 0 snow, 1..11 rain, 12..99 clear.
extern int weather;

// One tick of the rain: up to four drops enter (two from the top, two from the right edge),
// then every live drop moves and ends on the first solid block after its life has run out.
void updateRain();
// One drop at (x, y); nothing calls it, the rain update spawns its own drops.
void spawnRain(int x, int y, int speedY, int speedX);
// One flake at (x, y) that passes through solid blocks for `settleDelay` ticks; colour 0
// white, 1 grey.
void spawnSnow(int x, int y, int settleDelay, int colour);
// One tick of every flake: drift, fall, settle into the stain layer or leave the playfield.
void updateSnow();
