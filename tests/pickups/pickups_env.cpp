#include "pickups_env.h"

#include <allegro.h>
#include <string.h>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/forcefields.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/tutorial.h"
#include "core/world.h"
#include "fighters/fighter.h"
#include "support/test_env.h"
#include "tilemap/tilemap.h"

std::vector<Call> calls;

static void record(const char *name, int a, int b, int c = 0, int d = 0)
{
    calls.push_back({name, a, b, c, d});
}

// The calls of the code under test pass through these on their way (wraps.txt names them
// to the linker by their symbols).
#define PASS_ON(symbol, wrapper, real, params, args, ...)                                      \
    void real params __asm__("__real_" symbol);                                             \
    void wrapper params __asm__("__wrap_" symbol);                                          \
    void wrapper params                                                                      \
    {                                                                                        \
        record(__VA_ARGS__);                                                                 \
        real args;                                                                           \
    }

PASS_ON("_Z14spawnExplosionddii", seeExplosion, realExplosion, (double x, double y, int t, int r),
        (x, y, t, r), "explosion", (int)x, (int)y, t, r)
PASS_ON("_Z14spawnLightningiiii", seeLightning, realLightning, (int x1, int y1, int x2, int y2),
        (x1, y1, x2, y2), "lightning", x1, y1, x2, y2)
PASS_ON("_Z10spawnSparkiii", seeSpark, realSpark, (int x, int y, int k), (x, y, k), "spark", x, y, k)
PASS_ON("_Z19spawnPupPartSpawneriiii", seeSparkler, realSparkler, (int x, int y, int s, int t),
        (x, y, s, t), "sparkler", x, y, s, t)
PASS_ON("_Z8spawnArmii", seeGreenArm, realGreenArm, (int x, int y), (x, y), "greenArm", x, y)
PASS_ON("_Z9spawnArm2ii", seePurpleArm, realPurpleArm, (int x, int y), (x, y), "purpleArm", x, y)

// No sound device in the tests: the samples are only noted, by slot.
extern "C" int __wrap_play_sample(const SAMPLE *spl, int vol, int pan, int freq, int)
{
    for (int slot = 0; slot < SND_SLOT_COUNT; slot++)
        if (sounds[slot] == spl)
            record("sample", slot, vol, pan, freq);
    return 0;
}

std::vector<Call> callsTo(const char *name, int sampleSlot)
{
    std::vector<Call> out;
    for (const Call &c : calls)
        if (c.name == name && (sampleSlot < 0 || c.a == sampleSlot))
            out.push_back(c);
    return out;
}

namespace {

enum { COLS = 50, ROWS = 38 };
short cells[COLS * ROWS];
BlockStr blocks[3];   // 0 empty, 1 solid, 2 stairs

// The test's own pictures and samples: whatever the harness loaded is gone once it stopped.
void usePicture(BITMAP *&b, int index, int w, int h)
{
    static BITMAP *own[8];
    if (!own[index])
        own[index] = create_bitmap(w, h);
    b = own[index];
}
SAMPLE *testSamples[SND_SLOT_COUNT];

} // namespace

void loadGrid(const std::vector<std::string> &rows)
{
    if (mappt != cells)
        MapFreeMem();
    memset(cells, 0, sizeof cells);
    for (size_t r = 0; r < rows.size() && r < ROWS; r++)
        for (size_t c = 0; c < rows[r].size() && c < COLS; c++)
            cells[r * COLS + c] = rows[r][c] == '#' ? 1 : rows[r][c] == 'S' ? 2 : 0;
    memset(blocks, 0, sizeof blocks);
    blocks[1].tr = 1;
    blocks[2].user1 = 1;
    mapwidth = COLS;
    mapheight = ROWS;
    mapblockwidth = mapblockheight = 32;
    mapnumblockstr = 3;
    mapblockstrpt = blocks;
    mappt = cells;
    maparraypt = NULL;
}

void loadFloor(char cell)
{
    std::vector<std::string> rows(31);
    rows[30] = std::string(COLS, cell);
    loadGrid(rows);
}

void PickupTest::SetUp()
{
    startHeadlessAllegro();
    usePicture(player_run[0], 0, 33, 48);
    usePicture(greenbooth[0], 1, 97, 131);
    usePicture(purplebooth[0], 2, 97, 131);
    usePicture(cube_image, 3, 20, 20);
    usePicture(powerup_image, 4, 30, 30);
    usePicture(mine_image[0], 5, 14, 10);
    usePicture(bullet_image, 6, 8, 4);
    for (int slot = 0; slot < SND_SLOT_COUNT; slot++) {
        if (!testSamples[slot])
            testSamples[slot] = create_sample(8, 0, 11025, 4);
        sounds[slot] = testSamples[slot];
    }
    srand(11);
    map = ARENA_LONDON;
    p2cpu = tutorial = down1 = down2 = cube1spawn = cube1spawnR = 0;
    seconds = 10;
    secondscount = 1;
    cubespawncount = 10;
    cubespawncount2 = 35;
    powerupspawncount = 38;
    setupPlayer();
    setupPlayer2();
    setupForcefields();
    setupcubespawner();
    setupMines();
    setupEffects();
    setupExplosions();
    putFighter(0, 600, 20);
    putFighter(1, 1000, 20);
    loadGrid({});
    calls.clear();
}

void PickupTest::TearDown()
{
    mappt = NULL;
    mapblockstrpt = NULL;
    mapnumblockstr = 0;
    for (SAMPLE *&s : sounds)
        s = NULL;
}

void PickupTest::putFighter(int who, int x, int y)
{
    Fighter *f = who == 0 ? player : player2;
    f->alive = 1;
    f->respawning = 0;
    f->x = x;
    f->y = y;
}

void PickupTest::runPickups(int count)
{
    for (int i = 0; i < count; i++) {
        secondscount = i % 60;
        updatecube();
        updatepowerup();
    }
}
