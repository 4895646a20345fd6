// Block probes: what the game asks of the loaded tile map about the block under a world
// pixel. Outside the map, with no map loaded, or on a cell that names nothing, every probe
// answers an empty block (0). In the ground (core/): the fighters, gore, the arenas and the
// computer all probe the same map.
#pragma once

int collided(int x, int y);       // 1 when the block is solid, else 0
int stairs(int x, int y);         // non-zero on a stair block
int ladder(int x, int y);         // non-zero on a ladder
int laddertop(int x, int y);      // non-zero on a ladder top (a platform one can drop through)
int laddertopside(int x, int y);  // non-zero beside a ladder top
