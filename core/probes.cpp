#include "core/probes.h"

#include "tilemap/tilemap.h"

// The one lookup behind every probe: the pixel becomes a cell by truncating division (so a
// point a little left of or above the map still falls into column or row 0), and the tile
// map answers an empty block for any cell outside the map.
static const BlockStr *probeBlock(int x, int y) {
  if (mapblockwidth <= 0 || mapblockheight <= 0) return MapGetBlock(-1, -1);
  return MapGetBlock(x / mapblockwidth, y / mapblockheight);
}

int collided(int x, int y) { return probeBlock(x, y)->tr ? 1 : 0; }

int stairs(int x, int y) { return (int)probeBlock(x, y)->user1; }

int ladder(int x, int y) { return (int)probeBlock(x, y)->user2; }

int laddertop(int x, int y) { return (uint16_t)probeBlock(x, y)->user3; }

int laddertopside(int x, int y) { return (uint16_t)probeBlock(x, y)->user4; }
