#include "gore_env.h"

#include <allegro.h>
#include <string.h>

#include <ostream>

#include "arena/levels.h"
#include "fighters/fighter.h"
#include "shell/assets.h"
#include "shell/clock.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "shell/render.h"

const GoreKind goreKinds[15] = {
    {"green blood", FAMILY_DROP, 1, greenblood, BLOOD_COUNT, spawnBlood, nullptr, updateBlood},
    {"purple blood", FAMILY_DROP, 2, purpleblood, BLOOD_COUNT, spawnBlood2, nullptr, updateBlood2},
    {"green gib", FAMILY_GIB, 1, greengib, GIB_COUNT, spawnGibs, nullptr, updateGibs},
    {"purple gib", FAMILY_GIB, 2, purplegib, GIB_COUNT, spawnGibs2, nullptr, updateGibs2},
    {"green head", FAMILY_HEAD, 1, greenhead, HEAD_COUNT, spawnHead, nullptr, updateHead},
    {"purple head", FAMILY_HEAD, 2, purplehead, HEAD_COUNT, spawnHead2, nullptr, updateHead2},
    {"green torso", FAMILY_PART, 1, greentorso, TORSO_COUNT, spawnTorso, nullptr, updateTorso},
    {"purple torso", FAMILY_PART, 2, purpletorso, TORSO_COUNT, spawnTorso2, nullptr, updateTorso2},
    {"green arm", FAMILY_PART, 1, greenarm, LIMB_COUNT, spawnArm, nullptr, updateArm},
    {"purple arm", FAMILY_PART, 2, purplearm, LIMB_COUNT, spawnArm2, nullptr, updateArm2},
    {"green leg", FAMILY_PART, 1, greenleg, LIMB_COUNT, spawnLeg, nullptr, updateLeg},
    {"purple leg", FAMILY_PART, 2, purpleleg, LIMB_COUNT, spawnLeg2, nullptr, updateLeg2},
    {"gib casing", FAMILY_CASING, 0, gibcasing, GIBCASING_COUNT, nullptr, spawnGibCasing,
     updateGibCasing},
    {"zapzap casing", FAMILY_CASING, 0, zapzapcasing, ZAPZAPCASING_COUNT, nullptr,
     spawnZapZapCasing, updateZapZapCasing},
    {"homo casing", FAMILY_CASING, 0, homocasing, HOMOCASING_COUNT, nullptr, spawnHomoCasing,
     updateHomoCasing},
};

const GoreKind &goreKind(const char *name)
{
    for (const GoreKind &k : goreKinds)
        if (strcmp(k.name, name) == 0)
            return k;
    ADD_FAILURE() << "no gore kind " << name;
    return goreKinds[0];
}

std::ostream &operator<<(std::ostream &os, const GoreKind &k)
{
    return os << k.name;
}

DebrisParticle *placeStill(const GoreKind &k, double x, double y)
{
    for (int i = 0; i < k.count; i++)
        k.pool[i]->active = 0;
    DebrisParticle *p = k.pool[0];
    p->active = 1;
    p->x = x;
    p->y = y;
    p->xVel = p->yImpulse = p->fallSpeed = 0;
    p->angle = p->spin = 0;
    p->frictionCount = p->frictionPeriod = 0;
    p->restTimer = k.family == FAMILY_HEAD ? 150 : 100;
    p->groundTimer = 100;
    p->imageIndex = k.family == FAMILY_CASING ? 15 : 0;
    return p;
}

int liveCount(const GoreKind &k)
{
    int n = 0;
    for (int i = 0; i < k.count; i++)
        n += k.pool[i]->active != 0;
    return n;
}

void updateAllGore()
{
    for (const GoreKind &k : goreKinds)
        k.update();
}

StainWatch::StainWatch()
{
    copy = create_bitmap(prebuffer->w, prebuffer->h);
    blit(prebuffer, copy, 0, 0, 0, 0, prebuffer->w, prebuffer->h);
}

StainWatch::~StainWatch()
{
    destroy_bitmap(copy);
}

int StainWatch::changed(int x, int y, int w, int h) const
{
    int n = 0;
    for (int py = y < 0 ? 0 : y; py < y + h && py < copy->h; py++)
        for (int px = x < 0 ? 0 : x; px < x + w && px < copy->w; px++)
            n += getpixel(copy, px, py) != getpixel(prebuffer, px, py);
    return n;
}

int StainWatch::lowestChangedRow(int x, int y, int w, int h) const
{
    int lowest = -1;
    for (int py = y; py < y + h; py++)
        if (changed(x, py, w, 1))
            lowest = py;
    return lowest;
}

// The arena pictures double as the stain layer, so stains outlive a test: each arena's
// first picture is kept here.
static BITMAP *pristine[2];
static BITMAP *pristineOf[2];

void clearStains()
{
    for (int i = 0; i < 2; i++) {
        if (pristineOf[i] == prebuffer) {
            blit(pristine[i], prebuffer, 0, 0, 0, 0, prebuffer->w, prebuffer->h);
            return;
        }
        if (!pristineOf[i]) {
            pristineOf[i] = prebuffer;
            pristine[i] = create_bitmap(prebuffer->w, prebuffer->h);
            blit(prebuffer, pristine[i], 0, 0, 0, 0, prebuffer->w, prebuffer->h);
            return;
        }
    }
}

void GoreTest::SetUpTestSuite()
{
    if (harnessGameDataPresent())
        harnessStart(2024);
}

void GoreTest::SetUp()
{
    if (!harnessGameDataPresent())
        GTEST_SKIP() << "skipped: no generated arenas in " << harnessGameDir();
    srand(12);
    useArena(ARENA_HELL);
}

void GoreTest::useArena(int arena)
{
    setupPlayer();
    setupPlayer2();
    if (arena == ARENA_LONDON)
        setupLondon();
    else
        setupHell();
    setupBlood();
    setupBlood2();
    setupCasings();
    // Off the map: no piece meets a fighter's box unless a test puts one there.
    player->x = player2->x = -5000;
    player->y = player2->y = -5000;
    player->runSpeed = player2->runSpeed = 0.0;
    secondscount = 1;
    clearStains();
}
