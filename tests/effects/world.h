// Shared set-up of the effect and explosion tests: headless Allegro, both fighters and both
// booths as plain records (no game data, no tile map), and every pool the effects and
// explosions touch built empty.
#pragma once

#include <gtest/gtest.h>

#include "core/fighter.h"

class EffectsWorld : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Builds the world afresh with no tile map: fighters at rest with full health, booths in place, every
    // pool empty, rand() seeded with 1.
    void resetWorld();

    // Puts a fighter's box so that its centre lies at (cx, cy).
    static void centreFighterAt(Fighter *f, int cx, int cy);

    Fighter fighter1{}, fighter2{};
    Booth greenBooth{}, purpleBooth{};

private:
    Fighter *savedPlayer = nullptr, *savedPlayer2 = nullptr;
    Booth *savedBooth = nullptr, *savedBooth2 = nullptr;
    int savedMap = 0;
};

// Runs `update` until the record that `live` watches is freed; the number of updates it
// took, or -1 when it was still live after `limit`.
template <class Update, class Live>
int updatesUntilFreed(Update update, Live live, int limit = 400)
{
    for (int n = 1; n <= limit; n++) {
        update();
        if (!live())
            return n;
    }
    return -1;
}
