// Quicker drawing on our 16-bit memory pages. A bitmap's drawing goes through its table of
// routines; the quickened table is the library's own with a few routines replaced by ones
// that put the very same pixels with less work per pixel: the single pixel (which circles
// and curves are made of), the line (each pixel set straight, not by a call each), the
// horizontal run (which filled rectangles, circles and triangles are made of) and the flood
// fill, in the solid drawing mode (in any other mode they hand over to the library's), and
// the masked sprite, plain and mirrored. A drawing helper of the ground
// (core/): the renderer and the pre-screen quicken their pages with it.
#pragma once

struct BITMAP;

// Gives `bmp` the quickened table, if it is a 16-bit memory bitmap with the library's own
// table (else leaves it as it is). Safe to call on every frame.
void quickenDrawing(BITMAP *bmp);
