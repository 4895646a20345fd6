// Shared set-up of the gore tests: a bout's pools on a generated arena, every gore and
// casing kind in one table, pieces placed by hand and the stain layer watched for changes.
#pragma once

#include <gtest/gtest.h>

#include "gore/gore.h"

struct BITMAP;

enum GoreFamily { FAMILY_DROP, FAMILY_GIB, FAMILY_HEAD, FAMILY_PART, FAMILY_CASING };

struct GoreKind {
    const char *name;
    GoreFamily family;
    int team;                 // 1 green, 2 purple, 0 for casings (no team)
    DebrisParticle **pool;
    int count;
    void (*spawn)(int x, int y);           // casings: null
    void (*spawnCasing)(int x, int y, int facing);
    void (*update)();
};

extern const GoreKind goreKinds[15];
const GoreKind &goreKind(const char *name);
std::ostream &operator<<(std::ostream &os, const GoreKind &k);

// Frees every slot of the kind's pool, then makes slot 0 live at (x, y) with every speed,
// angle and spin 0, friction period 0 and full timers.
DebrisParticle *placeStill(const GoreKind &k, double x, double y);
// Live slots of a pool.
int liveCount(const GoreKind &k);
// Runs every gore and casing update once, in the game frame's order.
void updateAllGore();

// A copy of the stain layer to compare it with later.
class StainWatch {
public:
    StainWatch();
    ~StainWatch();
    // Pixels of the rectangle (clipped to the layer) that differ from the copy.
    int changed(int x, int y, int w, int h) const;
    // The lowest row of the rectangle holding a changed pixel, or -1.
    int lowestChangedRow(int x, int y, int w, int h) const;
private:
    BITMAP *copy;
};

// Puts back the stain layer the arena had when the test process first set it up.
void clearStains();

class GoreTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    // Fresh fighters far off the arena, the arena's script set up, all pools fresh.
    void useArena(int arena);
};
