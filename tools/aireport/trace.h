// The report's trace: what the computer was doing before each of its deaths and on each
// trip with cubes.
#pragma once

#include "tools/aireport/standing_bout.h"

// Keeps the last seconds of the computer's state and prints them when he dies; follows his
// trips with cubes; sums up each bout.
extern const StandingBoutWatch traceWatch;
// Also print every tick of [from, to].
void traceWindow(int from, int to);
