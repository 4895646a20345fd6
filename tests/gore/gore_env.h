// Shared set-up of the gore tests: every gore and casing kind in one table, pieces placed
// by hand on a generated arena, and the stain layer watched for changes.
#pragma once

#include <gtest/gtest.h>

#include "gore/gore.h"
#include "support/test_env.h"

struct BITMAP;

struct GoreKind {
    const char *name;
    int team;                                    // 1 green, 2 purple, 0 casings
    DebrisParticle **pool;
    int count;
    void (*spawn)(int x, int y);                 // null for casings
    void (*spawnCasing)(int x, int y, int facing);
    void (*update)();
};

extern const GoreKind goreKinds[15];
const GoreKind &goreKind(const char *name);
// Frees the kind's pool and makes slot 0 live at (x, y): no speed, angle or spin, friction
// period 0, full timers.
DebrisParticle *placeStill(const GoreKind &k, double x, double y);
void spawnOne(const GoreKind &k, int x, int y, int facing);

// Pixels of a rectangle of the stain layer that differ from a copy taken at construction.
class StainWatch {
public:
    StainWatch();
    ~StainWatch();
    int changed(int x, int y, int w, int h) const;
    int lowestChangedRow(int x, int y, int w, int h) const;   // -1: none
private:
    BITMAP *copy;
};
// The arena pictures double as the stain layer, so stains outlive a test: this puts back
// the picture the arena had when this process first set it up.
void clearStains();

class GoreTest : public HarnessTest {
protected:
    void SetUp() override;
    // The arena's script, all pools fresh, both fighters far off the map.
    void useArena(int arena);
};
