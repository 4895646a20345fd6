// Stand-in for the arena half of the generator until it lands: weak definitions, so the
// real ones in arenas.cpp win as soon as they exist. Remove this file then.
#include "tools/gendata/arenas.h"

#include <allegro.h>

__attribute__((weak)) bool writeArenaMaps(const char *, const char *)
{
    return true;
}

__attribute__((weak)) BITMAP *paintArenaBackground(int arena, const char *)
{
    BITMAP *b = create_bitmap_ex(16, 1600, 1200);
    clear_to_color(b, makecol16(40 + arena * 30, 40, 60));
    return b;
}
