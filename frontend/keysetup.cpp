#include <allegro.h>

#include "core/assets.h"
#include "core/match.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/world.h"
#include "frontend/screen.h"
#include "frontend/title.h"

// Player 1's keys, player 2's keys, player 1's pad, player 2's pad: the first slot of each
// group and where its rows start and end.
struct RowGroup {
    int first, count, x, y, endX;
};
static const RowGroup rowGroups[] = {
    {BIND_P1_LEFT, 7, KEY_ROWS_P1_X, KEY_ROWS_Y, KEY_ROWS_P1_END},
    {BIND_P2_LEFT, 7, KEY_ROWS_P2_X, KEY_ROWS_Y, KEY_ROWS_P2_END},
    {BIND_P1_PAD_FIRE, 3, KEY_ROWS_P1_X, PAD_ROWS_Y, KEY_ROWS_P1_END},
    {BIND_P2_PAD_FIRE, 3, KEY_ROWS_P2_X, PAD_ROWS_Y, KEY_ROWS_P2_END},
};

void bindingRow(int slot, int *x, int *y, int *endX)
{
    *x = *y = *endX = 0;
    for (const RowGroup &g : rowGroups) {
        if (slot >= g.first && slot < g.first + g.count) {
            *x = g.x;
            *y = g.y + KEY_ROW_STEP * (slot - g.first);
            *endX = g.endX;
            return;
        }
    }
}

static void armBinding(int slot)
{
    clear_keybuf();
    playSample(SND_CLICK, 100, 128, 1000);
    for (int s = 0; s < BIND_COUNT; s++)
        keyBindings[s].active = s == slot;
}

void clickkeys()
{
    for (int slot = 0; slot < BIND_COUNT; slot++) {
        int x, y, endX;
        bindingRow(slot, &x, &y, &endX);
        if (TitleScreenPhase == TITLE_PAGE_OPTIONS && keyBindings[slot].active == 0 &&
            clickedBox(x, y, endX - x, KEY_ROW_H))
            armBinding(slot);
    }
    if (key[KEY_ESC] && TitleScreenPhase == TITLE_PAGE_OPTIONS)
        for (int slot = 0; slot < BIND_COUNT; slot++)
            keyBindings[slot].active = 0;
}

void drawKeySetup()
{
    for (int slot = 0; slot < BIND_COUNT; slot++) {
        const KeyBinding &b = keyBindings[slot];
        BITMAP *label = slot < BIND_KEY_COUNT ? keyLabel(b.code) : padButtonLabel(b.code);
        if (label)
            draw_sprite(buffer, label, b.x, b.y);
    }
}
