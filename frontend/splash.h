// The end splash that closes the program: two pictures at once, ten more one by one on a
// half-second clock with a sting each, until a key, a fire input or a click ends the run.
#pragma once

extern int halfseconds;   // half-seconds since the splash began

// Entered from the quit prompt's Y.
void setupEndSplash();
// One tick: the half-second clock, the end conditions, then the drawing.
void updateEndSplash();
void drawEndSplash();
