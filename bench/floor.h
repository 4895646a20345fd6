// The frame floor the tick benchmarks measure against: what every frame costs before anything
// is drawn on it (the stain layer copied into the back buffer and stretched onto the screen).
#pragma once

#include <allegro.h>
#include <algorithm>
#include <chrono>
#include <vector>

#include "shell/startup.h"
#include "shell/world.h"

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

// Median time of `tick` over median time of the floor, the two taken turn about so both see
// the same machine and the same caches.
inline double tickOverFloor(void (*tick)(), int rounds)
{
    std::vector<double> ticks, floors;
    for (int i = 0; i < rounds; i++) {
        ticks.push_back(secondsOf(tick));
        floors.push_back(secondsOf(floorFrame));
    }
    std::sort(ticks.begin(), ticks.end());
    std::sort(floors.begin(), floors.end());
    return ticks[rounds / 2] / floors[rounds / 2];
}
