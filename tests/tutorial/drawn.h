// Whether a picture stands in the back buffer.
#pragma once

#include <allegro.h>

#include "core/world.h"

// Every pixel `pic` shows on the playfield is in `buffer` at (x, y).
inline bool drawnAt(BITMAP *pic, int x, int y)
{
    int mask = bitmap_mask_color(pic);
    for (int j = 0; j < pic->h; j++)
        for (int i = 0; i < pic->w; i++) {
            int c = getpixel(pic, i, j);
            if (c != mask && x + i < PLAYFIELD_W && getpixel(buffer, x + i, y + j) != c)
                return false;
        }
    return true;
}
