// Cost of decoding an arena-sized map and of the block probes the collision code calls
// hundreds of times per fighter per tick.
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <errno.h>

#include <vector>

#include "core/probes.h"
#include "shell/startup.h"
#include "tilemap/tilemap.h"
#include "tools/fmpwrite/fmpwrite.h"

namespace {

// 50 x 38 cells of 32 x 32 16-bit blocks: a solid border and a few platforms and ladders.
std::vector<unsigned char> arenaSizedMap(int mapType) {
  FmpMap m;
  m.width = 50;
  m.height = 38;
  m.mapType = mapType;
  fmpAddGraphics(m, 6);
  m.blocks.resize(6);
  for (int i = 1; i < 6; i++) m.blocks[i].bg = i;
  m.blocks[1].flags = FMP_FLAG_TR;
  m.blocks[2].user2 = 1;
  m.blocks[3].user3 = 1;
  m.blocks[4].user4 = 1;
  m.blocks[5].user1 = 1;
  m.layers.assign(1, std::vector<short>(50 * 38, 0));
  for (int r = 0; r < 38; r++)
    for (int c = 0; c < 50; c++) {
      short v = (r == 0 || r == 37 || c == 0 || c == 49 || (r % 6 == 0 && c % 9 < 6)) ? 1 : 0;
      if (r % 6 > 0 && c % 9 == 7) v = 2;
      m.layers[0][r * 50 + c] = v;
    }
  std::vector<unsigned char> bytes;
  fmpWriteMemory(m, bytes);
  return bytes;
}

void startHeadless() {
  static bool started = false;
  if (!started) startLibrary(SYSTEM_NONE);
  started = true;
  maptargetdepth = 16;
  mapgfxinbitmaps = 2;
}

void BM_MapDecodeArena(benchmark::State &state) {
  startHeadless();
  std::vector<unsigned char> bytes = arenaSizedMap((int)state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(MapDecode(bytes.data(), (long)bytes.size()));
  MapFreeMem();
}
BENCHMARK(BM_MapDecodeArena)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

// One probe per iteration, walking points inside and a little outside the playfield.
void BM_CollidedProbe(benchmark::State &state) {
  startHeadless();
  std::vector<unsigned char> bytes = arenaSizedMap(1);
  MapDecode(bytes.data(), (long)bytes.size());
  int x = 0, y = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(collided(x - 40, y - 40));
    x = (x + 37) % 1680;
    y = (y + 23) % 1290;
  }
  MapFreeMem();
}
BENCHMARK(BM_CollidedProbe);

}  // namespace
