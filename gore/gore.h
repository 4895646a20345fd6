// Gore and debris: blood drops, gibs, heads, torsos, arms and legs of both teams, and the
// spent shell casings.
#pragma once

// One piece of gore or one casing. Positions are the sprite's top-left corner.
struct DebrisParticle {
    double x, y;
    int active;         // 0 free, 1 live
    int w, h;           // sprite size, copied from the kind's picture at set-up
    int angle;          // 256 steps a turn; never wrapped, the blitter takes it modulo 256
    int spin;           // added to angle by the spin step
    int xVel;           // px per frame, + right
    int yImpulse;       // px per frame, - up; decays toward 0
    int frictionCount;  // moving frames since the last friction step
    int frictionPeriod; // a friction step happens when frictionCount exceeds this
    int fallSpeed;      // gravity speed, px per frame
    int maxFallSpeed;   // terminal fall speed
    int pan;            // stereo position 0..255
    int restTimer;      // body parts: still frames left before the part is stamped
    int imageIndex;     // heads: which head picture; casings: seconds of life left
    int groundTimer;    // heads: frames on the ground left before the head is stamped
};

enum {
    BLOOD_COUNT = 100,
    GIB_COUNT = 35,
    HEAD_COUNT = 2,
    TORSO_COUNT = 2,
    LIMB_COUNT = 4,
    GIBCASING_COUNT = 8,
    ZAPZAPCASING_COUNT = 8,
    HOMOCASING_COUNT = 2
};

extern DebrisParticle *greenblood[BLOOD_COUNT], *purpleblood[BLOOD_COUNT];
extern DebrisParticle *greengib[GIB_COUNT], *purplegib[GIB_COUNT];
extern DebrisParticle *greenhead[HEAD_COUNT], *purplehead[HEAD_COUNT];
extern DebrisParticle *greentorso[TORSO_COUNT], *purpletorso[TORSO_COUNT];
extern DebrisParticle *greenarm[LIMB_COUNT], *purplearm[LIMB_COUNT];
extern DebrisParticle *greenleg[LIMB_COUNT], *purpleleg[LIMB_COUNT];
extern DebrisParticle *gibcasing[GIBCASING_COUNT];
extern DebrisParticle *zapzapcasing[ZAPZAPCASING_COUNT];
extern DebrisParticle *homocasing[HOMOCASING_COUNT];

// Build each team's six gore pools afresh, all free (green, purple).
void setupBlood();
void setupBlood2();
// Builds the three casing pools afresh, all free.
void setupCasings();
// Spawns take the first free slot of their pool and do nothing when it is full. A hit's
// blood and a death's burst are these spawns, called by the fighters; a drop, gib, head or
// body part takes its speed from its own team's fighter (green: player, purple: player2).
void spawnBlood(int x, int y);
void spawnGibs(int x, int y);
void spawnHead(int x, int y);
void spawnTorso(int x, int y);
void spawnArm(int x, int y);
void spawnLeg(int x, int y);
void spawnBlood2(int x, int y);
void spawnGibs2(int x, int y);
void spawnHead2(int x, int y);
void spawnTorso2(int x, int y);
void spawnArm2(int x, int y);
void spawnLeg2(int x, int y);
// A spent casing thrown out behind a shooter facing `facing`.
void spawnGibCasing(int x, int y, int facing);
void spawnZapZapCasing(int x, int y, int facing);
void spawnHomoCasing(int x, int y, int facing);
void updateBlood();
void updateGibs();
void updateHead();
void updateTorso();
void updateArm();
void updateLeg();
void updateBlood2();
void updateGibs2();
void updateHead2();
void updateTorso2();
void updateArm2();
void updateLeg2();
void updateGibCasing();
void updateZapZapCasing();
void updateHomoCasing();
// Draws every live piece of gore of both teams into `buffer`, turned at its angle.
void drawBlood();
