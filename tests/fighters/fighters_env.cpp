#include "fighters_env.h"

#include <allegro.h>
#include <stdlib.h>
#include <string.h>

#include <map>

#include "arena/forcefields.h"
#include "core/assets.h"
#include "core/settings.h"
#include "fighters/bombs.h"
#include "fighters/fighter.h"
#include "fighters/weapons.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "support/test_env.h"
#include "tilemap/tilemap.h"

namespace {

enum { COLS = 50, ROWS = 38 };
short cells[COLS * ROWS];
BlockStr blocks[6];   // 0 empty, 1 solid, 2 ladder, 3 ladder top, 4 ladder-top side, 5 stairs

int blockOf(char c)
{
    switch (c) {
    case '#': return 1;
    case 'H': return 2;
    case 'T': return 3;
    case '=': return 4;
    case 'S': return 5;
    default: return 0;
    }
}

void needPicture(BITMAP *&b, int w, int h)
{
    if (!b)
        b = create_bitmap(w, h);
}

} // namespace

void loadMirroredArena(const std::vector<std::string> &rows, int firstRow)
{
    if (mappt != cells)
        MapFreeMem();   // an arena the engine loaded earlier in this process
    memset(blocks, 0, sizeof blocks);
    blocks[1].tr = 1;
    blocks[2].user2 = 1;
    blocks[3].user3 = 1;
    blocks[4].user4 = 1;
    blocks[5].user1 = 1;
    memset(cells, 0, sizeof cells);
    for (int r = 0; r < ROWS; r++) {
        cells[r * COLS] = 1;
        cells[r * COLS + COLS - 1] = 1;
    }
    for (size_t i = 0; i < rows.size(); i++) {
        int r = firstRow + (int)i;
        for (int c = 0; c < 25 && c < (int)rows[i].size(); c++) {
            cells[r * COLS + c] = blockOf(rows[i][c]);
            cells[r * COLS + COLS - 1 - c] = blockOf(rows[i][c]);
        }
    }
    mapwidth = COLS;
    mapheight = ROWS;
    mapblockwidth = mapblockheight = 32;
    mapnumblockstr = 6;
    mapblockstrpt = blocks;
    mappt = cells;
    maparraypt = NULL;
}

void unloadArena()
{
    mappt = NULL;
    mapblockstrpt = NULL;
    mapnumblockstr = 0;
}

Keys keys(const char *which)
{
    Keys k;
    k.left = strchr(which, 'l') != NULL;
    k.right = strchr(which, 'r') != NULL;
    k.up = strchr(which, 'u') != NULL;
    k.down = strchr(which, 'd') != NULL;
    k.jump = strchr(which, 'j') != NULL;
    return k;
}

void fighterTick(const Keys &k)
{
    d1 = k.left;
    d2 = k.right;
    up1 = k.up;
    down1 = k.down;
    jump1 = k.jump;
    pd1 = k.right;
    pd2 = k.left;
    up2 = k.up;
    down2 = k.down;
    jump2 = k.jump;
    harnessFighterSteps();
}

void fighterTicks(const Keys &k, int count)
{
    for (int i = 0; i < count; i++)
        fighterTick(k);
}

void updateShots()
{
    updateBullet();
    updateBullet2();
    updatePlasma();
    updatePlasma2();
    updateHomoRocket();
    updateHomoRocket2();
    updateMummraThruster();
    updateMummraThruster2();
    updateBlaster();
}

void combatTick(const Keys &k)
{
    fighterTick(k);
    playerSound();
    player2Sound();
    updateShots();
    updateBomb();
    updateBomb2();
    updateBombblastLeft();
    updateBombblastRight();
    updateBombblastUp();
}

void combatTicks(const Keys &k, int count)
{
    for (int i = 0; i < count; i++)
        combatTick(k);
}

static SampleLog *activeLog = NULL;

static void logSample(const SampleCall &call) { activeLog->calls.push_back(call); }

SampleLog::SampleLog()
{
    activeLog = this;
    sampleCallHook = logSample;
}

SampleLog::~SampleLog()
{
    sampleCallHook = NULL;
    activeLog = NULL;
}

int SampleLog::plays(int slot) const { return plays(slot, -1); }

int SampleLog::plays(int slot, int frequency) const
{
    int n = 0;
    for (const SampleCall &c : calls)
        n += !c.stopped && c.slot == slot && (frequency < 0 || c.frequency == frequency);
    return n;
}

int SampleLog::stops(int slot) const
{
    int n = 0;
    for (const SampleCall &c : calls)
        n += c.stopped && c.slot == slot;
    return n;
}

static std::map<std::string, int> callCounts;

int callCount(const std::string &name) { return callCounts[name]; }
void resetCalls() { callCounts.clear(); }

// Each counts its call under `key`, then calls on to the real function.
#define COUNT_ON(symbol, name, params, args, key)                                           \
    void real_##name params __asm__("__real_" symbol);                                      \
    void wrap_##name params __asm__("__wrap_" symbol);                                      \
    void wrap_##name params                                                                  \
    {                                                                                        \
        callCounts[key] += 1;                                                                \
        real_##name args;                                                                    \
    }
#define COUNT_ON_XY(symbol, name) COUNT_ON(symbol, name, (int x, int y), (x, y), #name)
#define COUNT_ON_CASING(symbol, name) \
    COUNT_ON(symbol, name, (int x, int y, int f), (x, y, f), #name)

COUNT_ON_XY("_Z10spawnBloodii", blood)
COUNT_ON_XY("_Z11spawnBlood2ii", blood2)
COUNT_ON_XY("_Z9spawnGibsii", gibs)
COUNT_ON_XY("_Z10spawnGibs2ii", gibs2)
COUNT_ON_XY("_Z9spawnHeadii", head)
COUNT_ON_XY("_Z10spawnHead2ii", head2)
COUNT_ON_XY("_Z10spawnTorsoii", torso)
COUNT_ON_XY("_Z11spawnTorso2ii", torso2)
COUNT_ON_XY("_Z8spawnArmii", arm)
COUNT_ON_XY("_Z9spawnArm2ii", arm2)
COUNT_ON_XY("_Z8spawnLegii", leg)
COUNT_ON_XY("_Z9spawnLeg2ii", leg2)
COUNT_ON_XY("_Z14spawnGreenmineii", greenmine)
COUNT_ON_XY("_Z15spawnPurplemineii", purplemine)
COUNT_ON_CASING("_Z14spawnGibCasingiii", gibcasing)
COUNT_ON_CASING("_Z17spawnZapZapCasingiii", zapzapcasing)
COUNT_ON_CASING("_Z15spawnHomoCasingiii", homocasing)
COUNT_ON("_Z10spawnSparkiii", spark, (int x, int y, int kind), (x, y, kind),
         "spark" + std::to_string(kind))
COUNT_ON("_Z14spawnExplosionddii", explosion, (double x, double y, int type, int radius),
         (x, y, type, radius),
         "explosion " + std::to_string(type) + "/" + std::to_string(radius))

int mirrorX(int x) { return 1600 - 33 - x; }

const std::vector<std::string> kFloor = {"#########################"};

void FighterTest::settleOn(const std::vector<std::string> &rows, int firstRow, int x)
{
    loadMirroredArena(rows, firstRow);
    place(x, kRestY);
    combatTicks(keys(""), 3);
}

void FighterTest::SetUp()
{
    startHeadlessAllegro();
    needPicture(player_run[0], 33, 48);
    needPicture(gibber, 38, 20);
    needPicture(gibber2, 38, 20);
    needPicture(greenbooth[0], 97, 131);
    needPicture(purplebooth[0], 97, 131);
    needPicture(bomb_image, 12, 12);
    p2cpu = 0;
    srand(7);
    setupPlayer();
    setupPlayer2();
    setupForcefields();
    setupBombs();
    setupBombs2();
    setupBombblastLeft();
    setupBombblastRight();
    setupBombblastUp();
    fire1 = fire2 = laybomb1 = laybomb2 = 0;
    resetCalls();
}

void FighterTest::TearDown() { unloadArena(); }

void restFighters(int x1, int x2, int y)
{
    Fighter *both[2] = {player, player2};
    for (int i = 0; i < 2; i++) {
        Fighter *f = both[i];
        f->alive = 1;
        f->respawning = 0;
        f->health = 12;
        f->deathCounted = 0;
        f->weapon = WEAPON_GIBBER;
        f->x = f->prevX = i == 0 ? x1 : x2;
        f->y = f->prevY = y;
        f->runSpeed = 0.0;
        f->knockX = f->knockY = 0;
        f->fallSpeed = 0;
        f->facing = i == 0 ? FACING_RIGHT : FACING_LEFT;
        f->state = i == 0 ? FIGHTER_STAND_RIGHT : FIGHTER_STAND_LEFT;
    }
}
