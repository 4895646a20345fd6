#include "gore_env.h"

#include <allegro.h>
#include <string.h>

#include "arena/levels.h"
#include "core/fighter.h"
#include "core/clock.h"
#include "shell/harness.h"
#include "core/world.h"

const GoreKind goreKinds[15] = {
    {"green blood", 1, greenblood, BLOOD_COUNT, spawnBlood, nullptr, updateBlood},
    {"purple blood", 2, purpleblood, BLOOD_COUNT, spawnBlood2, nullptr, updateBlood2},
    {"green gib", 1, greengib, GIB_COUNT, spawnGibs, nullptr, updateGibs},
    {"purple gib", 2, purplegib, GIB_COUNT, spawnGibs2, nullptr, updateGibs2},
    {"green head", 1, greenhead, HEAD_COUNT, spawnHead, nullptr, updateHead},
    {"purple head", 2, purplehead, HEAD_COUNT, spawnHead2, nullptr, updateHead2},
    {"green torso", 1, greentorso, TORSO_COUNT, spawnTorso, nullptr, updateTorso},
    {"purple torso", 2, purpletorso, TORSO_COUNT, spawnTorso2, nullptr, updateTorso2},
    {"green arm", 1, greenarm, LIMB_COUNT, spawnArm, nullptr, updateArm},
    {"purple arm", 2, purplearm, LIMB_COUNT, spawnArm2, nullptr, updateArm2},
    {"green leg", 1, greenleg, LIMB_COUNT, spawnLeg, nullptr, updateLeg},
    {"purple leg", 2, purpleleg, LIMB_COUNT, spawnLeg2, nullptr, updateLeg2},
    {"gib casing", 0, gibcasing, GIBCASING_COUNT, nullptr, spawnGibCasing, updateGibCasing},
    {"zapzap casing", 0, zapzapcasing, ZAPZAPCASING_COUNT, nullptr, spawnZapZapCasing,
     updateZapZapCasing},
    {"homo casing", 0, homocasing, HOMOCASING_COUNT, nullptr, spawnHomoCasing, updateHomoCasing},
};

const GoreKind &goreKind(const char *name)
{
    for (const GoreKind &k : goreKinds)
        if (strcmp(k.name, name) == 0)
            return k;
    ADD_FAILURE() << "no gore kind " << name;
    return goreKinds[0];
}

DebrisParticle *placeStill(const GoreKind &k, double x, double y)
{
    for (int i = 0; i < k.count; i++)
        k.pool[i]->active = 0;
    DebrisParticle *p = k.pool[0];
    int w = p->w, h = p->h;
    *p = DebrisParticle();
    p->x = x;
    p->y = y;
    p->active = 1;
    p->w = w;
    p->h = h;
    p->maxFallSpeed = 14;
    p->restTimer = p->groundTimer = 100;
    p->imageIndex = k.spawnCasing ? 15 : 0;   // a casing's lifetime in seconds
    return p;
}

void spawnOne(const GoreKind &k, int x, int y, int facing)
{
    if (k.spawnCasing)
        k.spawnCasing(x, y, facing);
    else
        k.spawn(x, y);
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
    for (int py = y + h - 1; py >= y; py--)
        if (changed(x, py, w, 1))
            return py;
    return -1;
}

void clearStains()
{
    static BITMAP *layer[2], *pristine[2];
    for (int i = 0; i < 2; i++) {
        if (layer[i] == prebuffer) {
            blit(pristine[i], prebuffer, 0, 0, 0, 0, prebuffer->w, prebuffer->h);
            return;
        }
        if (!layer[i]) {
            layer[i] = prebuffer;
            pristine[i] = create_bitmap(prebuffer->w, prebuffer->h);
            blit(prebuffer, pristine[i], 0, 0, 0, 0, prebuffer->w, prebuffer->h);
            return;
        }
    }
}

void GoreTest::SetUp()
{
    HarnessTest::SetUp();
    if (IsSkipped())
        return;
    srand(12);
    useArena(ARENA_HELL);
}

void GoreTest::useArena(int arena)
{
    startTestBout(arena);
    player->x = player2->x = player->y = player2->y = -5000;
    player->runSpeed = player2->runSpeed = 0.0;
    secondscount = 1;
    clearStains();
}
