// The frame floor every benchmark of a frame is measured against: copying the stain layer
// into the back buffer and stretching the playfield onto the screen, which every frame
// must do.
#pragma once

#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "core/world.h"
#include "shell/startup.h"

inline void floorFrame()
{
    blit(prebuffer, buffer, 0, 0, 0, 0, PLAYFIELD_W, PLAYFIELD_H);
    stretchToScreen();
}

inline double secondsOf(void (*step)())
{
    auto t0 = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Median time of `work` over median time of `base`, the two taken turn about so both see
// the same machine and the same caches.
inline double medianRatio(void (*work)(), void (*base)(), int rounds)
{
    std::vector<double> works, bases;
    for (int i = 0; i < rounds; i++) {
        works.push_back(secondsOf(work));
        bases.push_back(secondsOf(base));
    }
    std::sort(works.begin(), works.end());
    std::sort(bases.begin(), bases.end());
    return works[rounds / 2] / bases[rounds / 2];
}

// Median time of `work` over median time of the floor.
inline double ratioToFloor(void (*work)(), int rounds) { return medianRatio(work, floorFrame, rounds); }
