// The frame renderer: composes one picture of the arena per game frame into `buffer`
// and stretches the playfield onto the display.
#pragma once

#include "core/world.h"

// Draws one frame: every layer into `buffer`, the monitors into `prebuffer`, then the
// playfield onto the screen.
void draw();
// Frame camera of each fighter for his booth's monitor, and his frag digits.
void player1Camera();
void player2Camera();
