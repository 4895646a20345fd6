// The arena unlock store, `gorMaps.cfg`: which arenas a player has opened, and the fixed
// order in which winning opens them. In the ground (core/): the title's quick-bout page
// reads it and the result screen writes it.
#pragma once

// Unlock values read by get_mapdata: arena n is unlocked when map<n>code holds its code.
extern int map1code, map2code, map3code, map4code, map5code, map6code, map7code, map8code,
    map9code, map10code, map11code, map12code, map13code, map14code, map15code, map16code,
    map17code, map18code, map19code, map20code, map21code, map22code, map23code, map24code,
    map25code, map26code, map27code;

enum { ARENA_COUNT = 27 };

// The arenas in the order in which they are unlocked.
extern const int mapUnlockOrder[ARENA_COUNT];

// Writes arena n's unlock code into the store (n 1..27; any other n only selects the file).
// The file is written only when the stored value changes.
void set_mapdata(int n);
// Reads the 27 unlock values from the store.
void get_mapdata();
// Unlocks the arena that follows `previous` in the unlock order, when the bout allows it:
// against the computer only when the human won alone, between two humans always.
void unlockNextMap(int previous);
// An arena drawn at random from the first n of the unlock order, n being the number of
// unlocked arenas; arena 10 (the first of the order) when none is unlocked.
int arrangeGLarenas();
// Arena n's unlock code (0 outside 1..27), and 1 when the value last read for it is that code.
int unlockCode(int n);
int mapUnlocked(int n);
