// Turned pictures, drawn through the library's own parallelogram mapper (which picks every
// row, its first and last pixel and the picture position each starts from) with a row
// drawer of our own: the library's handles one pixel at a time, ours eight at a time where
// the processor has AVX2. Each row puts the same pixels the library's would. A drawing
// helper of the ground (core/), under core/world.h's drawTurned.
#pragma once

struct BITMAP;

// Maps `pic` onto the parallelogram with corners (xs[i], ys[i]) (16.16 fixed point, as the
// library's rotation routines compute them) in `dest`, masked, as the library's
// _parallelogram_map_standard does. Our rows serve 16-bit memory bitmaps; any other pair
// goes to the library whole.
void mapTurnedPicture(BITMAP *dest, BITMAP *pic, int xs[4], int ys[4]);

// 1 (the default) to draw rows eight pixels at a time where the processor has AVX2, 0 to
// draw them one at a time; the tests run both.
extern int turnRowsWide;
