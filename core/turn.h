// Turned pictures, drawn through the library's own parallelogram mapper (which picks every
// row, its first and last pixel and the picture position each starts from) with a row
// drawer of our own: the library's handles one pixel at a time, ours eight at a time where
// the processor has AVX2. Pictures prepared as turned often also keep their rows per angle
// and skip the masked pixels that begin and end them. Each row puts the same pixels the
// library's would. A drawing helper of the ground (core/), under core/world.h's drawTurned.
#pragma once

struct BITMAP;

// Maps `pic` onto the parallelogram with corners (xs[i], ys[i]) (16.16 fixed point, as the
// library's rotation routines compute them) in `dest`, masked, as the library's
// _parallelogram_map_standard does. Our rows serve 16-bit memory bitmaps; any other pair
// goes to the library whole.
// `angle` (0 to 255, or -1 for none) names the turn for a prepared picture.
void mapTurnedPicture(BITMAP *dest, BITMAP *pic, int xs[4], int ys[4], int angle);

// Prepares a picture that never changes after and is turned often: from then on, each row
// drawn at an angle is scanned once for the masked pixels that begin and end it, and later
// draws of the same row skip them. Up to 32 pictures, called at start-up: the rows' table
// (16 bytes a row, as many rows as the diagonal is long, for each of 256 angles) is taken
// here and filled as rows are first drawn. forgetTurnedPictures drops them all, before the
// pictures are freed.
void prepareTurnedPicture(BITMAP *pic);
void forgetTurnedPictures();

// 1 (the default) to draw rows eight pixels at a time where the processor has AVX2, 0 to
// draw them one at a time; the tests run both.
extern int turnRowsWide;
