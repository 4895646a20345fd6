// The frame renderer: composes one picture of the arena per game frame into `buffer`
// and stretches the playfield onto the display; the monitor cameras it shows.
#pragma once

void draw();
void player1Camera();
void player2Camera();
