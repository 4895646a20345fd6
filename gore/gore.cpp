#include "gore/gore.h"

#include <allegro.h>
#include <stdlib.h>

#include "shell/assets.h"
#include "shell/world.h"

DebrisParticle *greenblood[BLOOD_COUNT], *purpleblood[BLOOD_COUNT];
DebrisParticle *greengib[GIB_COUNT], *purplegib[GIB_COUNT];
DebrisParticle *greenhead[HEAD_COUNT], *purplehead[HEAD_COUNT];
DebrisParticle *greentorso[TORSO_COUNT], *purpletorso[TORSO_COUNT];
DebrisParticle *greenarm[LIMB_COUNT], *purplearm[LIMB_COUNT];
DebrisParticle *greenleg[LIMB_COUNT], *purpleleg[LIMB_COUNT];
DebrisParticle *gibcasing[GIBCASING_COUNT];
DebrisParticle *zapzapcasing[ZAPZAPCASING_COUNT];
DebrisParticle *homocasing[HOMOCASING_COUNT];

// The kinds differ at set-up in how they start to tumble and how long they rest.
enum DebrisKind { KIND_DROP, KIND_HEAD, KIND_TORSO, KIND_LIMB };

// Replaces the records of one pool with fresh free ones sized by `pic`. The records an
// earlier set-up made are released: nothing else holds them.
static void renewDebrisPool(DebrisParticle **pool, int count, BITMAP *pic, DebrisKind kind)
{
    for (int i = 0; i < count; i++) {
        delete pool[i];
        DebrisParticle *p = new DebrisParticle();
        p->w = pic ? pic->w : 0;
        p->h = pic ? pic->h : 0;
        p->maxFallSpeed = 14;
        if (kind == KIND_LIMB) {
            p->angle = rand() % 255;
            p->spin = rand() % 6 + 1;
        } else {
            p->spin = rand() % 6;
        }
        if (kind == KIND_DROP || kind == KIND_HEAD) {
            p->xVel = rand() % 12 - 6;
            p->yImpulse = rand() % 20 - 10;
        }
        p->frictionPeriod = kind == KIND_DROP ? 0 : 1;
        p->restTimer = kind == KIND_DROP ? 0 : 100;
        p->groundTimer = kind == KIND_HEAD ? 100 : 0;
        pool[i] = p;
    }
}

// One team's six pools with that team's pictures (blood and heads are shared).
static void setupTeamGore(DebrisParticle **blood, DebrisParticle **gib, DebrisParticle **head,
                          DebrisParticle **torso, DebrisParticle **arm, DebrisParticle **leg,
                          BITMAP *gibPic, BITMAP *torsoPic, BITMAP *armPic, BITMAP *legPic)
{
    renewDebrisPool(blood, BLOOD_COUNT, blood_image, KIND_DROP);
    renewDebrisPool(gib, GIB_COUNT, gibPic, KIND_DROP);
    renewDebrisPool(head, HEAD_COUNT, head_image[0], KIND_HEAD);
    renewDebrisPool(torso, TORSO_COUNT, torsoPic, KIND_TORSO);
    renewDebrisPool(arm, LIMB_COUNT, armPic, KIND_LIMB);
    renewDebrisPool(leg, LIMB_COUNT, legPic, KIND_LIMB);
}

void setupBlood()
{
    setupTeamGore(greenblood, greengib, greenhead, greentorso, greenarm, greenleg,
                  greengib_image, greentorso_image, greenarm_image, greenleg_image);
}

void setupBlood2()
{
    setupTeamGore(purpleblood, purplegib, purplehead, purpletorso, purplearm, purpleleg,
                  purplegib_image, purpletorso_image, purplearm_image, purpleleg_image);
}

static void renewCasingPool(DebrisParticle **pool, int count, BITMAP *pic)
{
    for (int i = 0; i < count; i++) {
        delete pool[i];
        DebrisParticle *p = new DebrisParticle();
        p->w = pic ? pic->w : 0;
        p->h = pic ? pic->h : 0;
        p->yImpulse = rand() % 20 - 10;
        p->xVel = rand() % 12 - 6;
        p->spin = rand() % 6;
        p->maxFallSpeed = 14;
        p->imageIndex = 15;   // seconds of life left
        pool[i] = p;
    }
}

void setupCasings()
{
    renewCasingPool(gibcasing, GIBCASING_COUNT, gibcasing_image);
    renewCasingPool(zapzapcasing, ZAPZAPCASING_COUNT, zapzapcasing_image);
    renewCasingPool(homocasing, HOMOCASING_COUNT, homocasing_image);
}

// Stand-ins until the gore physics land.
void spawnBlood(int, int) {}
void spawnGibs(int, int) {}
void spawnHead(int, int) {}
void spawnTorso(int, int) {}
void spawnArm(int, int) {}
void spawnLeg(int, int) {}
void spawnBlood2(int, int) {}
void spawnGibs2(int, int) {}
void spawnHead2(int, int) {}
void spawnTorso2(int, int) {}
void spawnArm2(int, int) {}
void spawnLeg2(int, int) {}
void spawnGibCasing(int, int, int) {}
void spawnZapZapCasing(int, int, int) {}
void spawnHomoCasing(int, int, int) {}
void updateBlood() {}
void updateGibs() {}
void updateHead() {}
void updateTorso() {}
void updateArm() {}
void updateLeg() {}
void updateBlood2() {}
void updateGibs2() {}
void updateHead2() {}
void updateTorso2() {}
void updateArm2() {}
void updateLeg2() {}
void updateGibCasing() {}
void updateZapZapCasing() {}
void updateHomoCasing() {}

// Gore touching the 2-pixel band along any edge is not drawn.
static void drawDebris(const DebrisParticle *p, BITMAP *pic)
{
    if (p && p->active && p->y > 2 && p->y + p->h < 1198 && p->x > 2 && p->x + p->w < 1598)
        drawTurned(buffer, pic, (int)p->x, (int)p->y, p->angle);
}

// Slot by slot, green before purple, so a purple piece covers a green one of the same slot.
static void drawDebrisPair(DebrisParticle **green, DebrisParticle **purple, int count,
                           BITMAP *greenPic, BITMAP *purplePic)
{
    for (int i = 0; i < count; i++) {
        drawDebris(green[i], greenPic);
        drawDebris(purple[i], purplePic);
    }
}

static BITMAP *headPicture(const DebrisParticle *p)
{
    return p ? head_image[p->imageIndex & 3] : NULL;
}

void drawBlood()
{
    drawDebrisPair(greenblood, purpleblood, BLOOD_COUNT, blood_image, blood_image);
    drawDebrisPair(greengib, purplegib, GIB_COUNT, greengib_image, purplegib_image);
    for (int i = 0; i < HEAD_COUNT; i++) {
        drawDebris(greenhead[i], headPicture(greenhead[i]));
        drawDebris(purplehead[i], headPicture(purplehead[i]));
    }
    drawDebrisPair(greentorso, purpletorso, TORSO_COUNT, greentorso_image, purpletorso_image);
    drawDebrisPair(greenarm, purplearm, LIMB_COUNT, greenarm_image, purplearm_image);
    drawDebrisPair(greenleg, purpleleg, LIMB_COUNT, greenleg_image, purpleleg_image);
}
