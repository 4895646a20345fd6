// The bout clock's counters: the 60 Hz tick turned into whole seconds of live play, the spawn
// countdowns and the play timer. The loop's once-a-second routine (shell/clock.h) moves them.
#pragma once

extern int secondscount;    // ticks counted in the current second; 0 when a second completes
extern int secondsdelay;    // ticks per second minus one
extern int seconds;         // whole seconds of live play in the current bout or screen
extern int cubespawncount, cubespawncount2, powerupspawncount;
extern int timersecs, timermins, timerhours;
