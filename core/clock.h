// The bout clock: turns the 60 Hz tick into whole seconds of live play and does the
// once-a-second work (spawn countdowns, play timer, power drain, power-up timers).
#pragma once

extern int secondscount;    // ticks counted in the current second; 0 when a second completes
extern int secondsdelay;    // ticks per second minus one
extern int seconds;         // whole seconds of live play in the current bout or screen
extern int cubespawncount, cubespawncount2, powerupspawncount;
extern int timersecs, timermins, timerhours;

void secondsfunct();
