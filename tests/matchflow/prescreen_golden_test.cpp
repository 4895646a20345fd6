// Golden frames of the pre-screen: seeded runs of the screen for two arenas, the panels
// sliding in, the pictures panning, the title shimmering and the information panel shown,
// hashed at chosen ticks. The values are those of the screen as first built; a change that
// moves them changes the picture.
#include <allegro.h>
#include <gtest/gtest.h>
#include <inttypes.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "matchflow_env.h"
#include "frontend/comic.h"
#include "shell/harness.h"
#include "core/match.h"
#include "core/music.h"
#include "frontend/premap.h"
#include "core/settings.h"
#include "shell/startup.h"

namespace {

uint64_t pageHash()
{
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < PLAYFIELD_H; y++) {
        const uint8_t *row = buffer->line[y];
        for (int i = 0; i < PLAYFIELD_W * 2; i++)
            h = (h ^ row[i]) * 1099511628211ull;
    }
    return h;
}

struct Golden {
    int arena, tick;
    uint64_t hash;
};

const Golden golden[] = {
    {ARENA_THEATRE, 1, 0x2c118de2b9025383ull},  {ARENA_THEATRE, 12, 0x97d365aab873c6d2ull},
    {ARENA_THEATRE, 30, 0xbafb30de922351c0ull}, {ARENA_THEATRE, 45, 0x7dfe61b8fe35fdd3ull},
    {ARENA_LONDON, 5, 0x8c7199551dd57c4cull},   {ARENA_LONDON, 40, 0x9f99cd390b5b78e6ull},
    {ARENA_LONDON, 70, 0xf05977f2af620c3eull},
};

using PreScreenGolden = MatchFlowTest;

TEST_F(PreScreenGolden, SeededFramesKeepTheirHashes)
{
    std::string table;
    int wrong = 0;
    for (int arena : {ARENA_THEATRE, ARENA_LONDON}) {
        // Everything the screen draws from, as earlier tests may have left it otherwise.
        stopManga();
        GreenPercentage = 70;
        PurplePercentage = 35;
        AIcomp = 1;
        srand(11);
        setupPreMap(arena);
        for (int tick = 1; tick <= 70; tick++) {
            // The information panel from tick 50 on (London has a picture for it).
            overinfo = tick >= 50;
            harnessTick();
            for (const Golden &g : golden) {
                if (g.arena != arena || g.tick != tick)
                    continue;
                const uint64_t h = pageHash();
                char line[120];
                snprintf(line, sizeof line, "    {%s, %d, 0x%016" PRIx64 "ull},\n",
                         arena == ARENA_THEATRE ? "ARENA_THEATRE" : "ARENA_LONDON", tick, h);
                table += line;
                wrong += h != g.hash;
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "frames whose hash moved; the table now:\n" << table;
}

}  // namespace
