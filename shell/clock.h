// The bout clock's routine: once a second of live play it counts down the spawns, runs the
// play timer, drains both power pools and the power-up timers. Its counters are core/clock.h's.
#pragma once

void secondsfunct();
