#include "tilemap/tilemap.h"
int mapgfxinbitmaps = 0;
int MapRealLoad(char *) { return 0; }
void MapFreeMem() {}
