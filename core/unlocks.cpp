#include "core/unlocks.h"

#include <allegro.h>
#include <stdio.h>
#include <stdlib.h>

#include "core/configfile.h"
#include "core/fighter.h"
#include "core/settings.h"

int map1code, map2code, map3code, map4code, map5code, map6code, map7code, map8code, map9code,
    map10code, map11code, map12code, map13code, map14code, map15code, map16code, map17code,
    map18code, map19code, map20code, map21code, map22code, map23code, map24code, map25code,
    map26code, map27code;

const int mapUnlockOrder[ARENA_COUNT] = {10, 4, 8, 5, 1, 2, 3, 7, 11, 17, 25, 14, 21, 15,
                                         9, 22, 23, 13, 18, 6, 19, 24, 20, 16, 26, 12, 27};

static const char *const MAPS_FILE = "gorMaps.cfg";

// Arena n's code and its stored value, index n - 1.
static const int codes[ARENA_COUNT] = {47,    3816,  59,   284,  7193,   4402, 6651,
                                       1937,  8275,  7,    5548, 83,     619,  2764,
                                       9031,  41287, 73519, 3390, 6128,  26,   8842,
                                       1575,  50963, 27741, 318206, 91,  6402195};
static int *const stored[ARENA_COUNT] = {
    &map1code,  &map2code,  &map3code,  &map4code,  &map5code,  &map6code,  &map7code,
    &map8code,  &map9code,  &map10code, &map11code, &map12code, &map13code, &map14code,
    &map15code, &map16code, &map17code, &map18code, &map19code, &map20code, &map21code,
    &map22code, &map23code, &map24code, &map25code, &map26code, &map27code};

static void keyOf(int n, char *name, int size) { snprintf(name, size, "map%dcode", n); }

int unlockCode(int n) { return n >= 1 && n <= ARENA_COUNT ? codes[n - 1] : 0; }

int mapUnlocked(int n) { return n >= 1 && n <= ARENA_COUNT && *stored[n - 1] == codes[n - 1]; }

void set_mapdata(int n)
{
    selectConfigFile(MAPS_FILE);
    if (n < 1 || n > ARENA_COUNT)
        return;
    char name[16];
    keyOf(n, name, sizeof name);
    // The result screen unlocks on every frame: the file is rewritten only when the
    // arena was not unlocked in it yet (a store that cannot be written is tried on every
    // frame, and the terminal told once).
    if (get_config_int("Settings", name, 0) == codes[n - 1])
        return;
    set_config_int("Settings", name, codes[n - 1]);
    saveConfigFile(MAPS_FILE);
}

void get_mapdata()
{
    selectConfigFile(MAPS_FILE);
    char name[16];
    for (int n = 1; n <= ARENA_COUNT; n++) {
        keyOf(n, name, sizeof name);
        *stored[n - 1] = get_config_int("Settings", name, 0);
    }
}

void unlockNextMap(int previous)
{
    const int unlocks = p2cpu == 1 ? (player->won == 1 && player2->won == 0) : 1;
    if (!unlocks)
        return;
    for (int k = 0; k + 1 < ARENA_COUNT; k++)
        if (mapUnlockOrder[k] == previous) {
            set_mapdata(mapUnlockOrder[k + 1]);
            return;
        }
}

int arrangeGLarenas()
{
    int n = 0;
    for (int a = 1; a <= ARENA_COUNT; a++)
        n += mapUnlocked(a);
    // With nothing unlocked (a store that cannot be written) the first arena of the order.
    if (n == 0)
        return mapUnlockOrder[0];
    return mapUnlockOrder[rand() % n];
}
