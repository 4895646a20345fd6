// Fuzzes the FMP decoder from memory, then the queries, animation steps and drawing on
// whatever loaded, and a MAR layer decoded from the same bytes; then the same bytes once
// more from a file, through the packfile reader the game itself loads its arenas with.
#include <allegro.h>
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <unistd.h>
#include <stdlib.h>

#include <vector>

#include "core/probes.h"
#include "tilemap/tilemap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static BITMAP *dest[4];
  static const int depths[4] = {8, 16, 24, 32};
  if (!dest[0]) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    for (int i = 0; i < 4; i++) dest[i] = create_bitmap_ex(depths[i], 64, 48);
  }
  // The target depth comes from the input's length so every conversion path is reached.
  int pick = size % 4;
  maptargetdepth = depths[pick];
  mapgfxinbitmaps = 2;
  std::vector<unsigned char> copy(data, data + size);  // exact size: overreads are caught
  if (MapDecode(copy.data(), (long)size) == 0) {
    volatile unsigned seen = 0;  // volatile: keeps the probes from being optimised away
    // About 60 x 60 probe points over the map and a margin around it, whatever its size.
    int right = mapwidth * mapblockwidth + 40, bottom = mapheight * mapblockheight + 40;
    int stepx = right / 60 > 11 ? right / 60 : 11, stepy = bottom / 60 > 13 ? bottom / 60 : 13;
    for (int y = -40; y < bottom; y += stepy)
      for (int x = -40; x < right; x += stepx)
        seen = seen ^ collided(x, y) ^ stairs(x, y) ^ ladder(x, y) ^ laddertop(x, y) ^ laddertopside(x, y) ^
                (MapGetBlockInPixels(x, y) != NULL);
    for (int i = 0; i < 5; i++) MapUpdateAnims();
    MapDrawBG(dest[pick], 3, 5, 0, 0, 64, 48);
    MapDrawBGT(dest[pick], 0, 0, 2, 2, 40, 40);
    MapDrawFG(dest[pick], 7, 1, 0, 0, 64, 48, 2);
    MapDrawRow(dest[pick], 0, 0, 0, 0, 64, 48, 1, NULL);
    // a window running off both sides of the bitmap, every cell of it reported
    MapDrawRow(dest[pick], 5, 9, -30, 4, 130, 30, 2, [](int, int, int, int) {});
    MapGenerateYLookup();
    MapDecodeMAR(copy.data(), 1, (long)size);
    if (MapChangeLayer(1) == 1) MapDrawBG(dest[pick], 0, 0, 0, 0, 64, 48);
  }
  MapFreeMem();

  static char path[64];
  if (!path[0]) {
    snprintf(path, sizeof path, "/tmp/fuzz_tilemap_%d.fmp", (int)getpid());
    atexit([] { unlink(path); });
  }
  FILE *f = fopen(path, "wb");
  if (f) {
    size_t written = fwrite(data, 1, size, f);
    if (fclose(f) == 0 && written == size && MapRealLoad(path) == 0) {
      MapDrawBG(dest[pick], 0, 0, 0, 0, 64, 48);
      for (int i = 0; i < 3; i++) MapUpdateAnims();
    }
    MapFreeMem();
  }
  return 0;
}
