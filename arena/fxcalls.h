// Arena services the fighters call that the arenas do not provide yet. Each declaration
// moves to its own module (with its body) when that module lands; this file then goes.
#pragma once

// Starts one explosion of `type` (ExplosionType) and `radius` centred at (x, y).
void spawnExplosion(double x, double y, int type, int radius);
