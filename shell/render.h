// The frame renderer: composes one picture of the arena per game frame into `buffer`
// and stretches the playfield onto the display.
#pragma once

struct BITMAP;

// The stain layer: the arena's background with everything painted into it during play;
// copied into `buffer` at the start of every frame.
extern BITMAP *prebuffer;

// Draws one frame: every layer into `buffer`, the monitors into `prebuffer`, then the
// playfield onto the screen.
void draw();
// Frame camera of each fighter for his booth's monitor, and his frag digits.
void player1Camera();
void player2Camera();

// Draws `pic` with its top-left at (x, y), turned about its centre by `angle` (256 steps a
// turn). Angles that are never wrapped keep growing, so only the turn within one
// revolution reaches the library's fixed-point angle.
void drawTurned(BITMAP *dest, BITMAP *pic, int x, int y, int angle);
// makecol with each component held to 0..255 first.
int packColour(int r, int g, int b);
