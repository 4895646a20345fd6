#include "randominput.h"

#include <allegro.h>

#include "core/settings.h"

int RandomInput::roll(int n)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return (int)(state % (uint32_t)n);
}

void pressRandomKeys(RandomInput &in, int tick, int player2Human)
{
    if (tick >= in.nextChange) {
        for (int &h : in.held)
            h = in.roll(3) == 0;
        in.nextChange = tick + 5 + in.roll(20);
    }
    const int slots = player2Human ? BIND_P2_BOMB + 1 : BIND_P1_BOMB + 1;
    for (int slot = BIND_P1_LEFT; slot < slots; slot++) {
        const int index = keyIndexOfCode(keyBindings[slot].code);
        if (in.held[slot - BIND_P1_LEFT] && index >= 0)
            key[index] = 1;
    }
}
