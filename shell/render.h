// The frame renderer: composes one picture of the arena per game frame into `buffer`
// and stretches the playfield onto the display; the monitor cameras it shows.
#pragma once

struct BITMAP;

// The stain layer: the arena's background with everything painted into it during play;
// copied into `buffer` at the start of every frame.
extern BITMAP *prebuffer;

void draw();
void player1Camera();
void player2Camera();
