// arenaview <data dir> <out dir>: paints the three arena backgrounds from the grids under
// <data dir>/arenas and writes them as tutorial.bmp, hell.bmp and london.bmp, to look at.
#include <allegro.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "tools/gendata/arena_grid.h"
#include "tools/gendata/arenas.h"

int main(int argc, char **argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: arenaview <data dir> <out dir>\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
  set_color_depth(16);
  for (int a = 0; a < ARENA_COUNT; a++) {
    std::string path = std::string(argv[2]) + "/" + arenaPlaces[a].name + ".bmp";
    if (!saveArenaPreview(a, argv[1], path.c_str())) return 1;
    printf("%s\n", path.c_str());
  }
  return 0;
}
