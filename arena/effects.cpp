#include "arena/effects.h"

#include <allegro.h>
#include <stdlib.h>

#include "shell/assets.h"

EffectParticle *cubefrazzle[CUBEFRAZZLE_COUNT];
EffectParticle *respawnbubble[RESPAWNBUBBLE_COUNT];
TrailPuff *homotrail[HOMOTRAIL_COUNT];
EffectParticle *greenffpart[FFPART_COUNT];
EffectParticle *purpleffpart[FFPART_COUNT];
EffectParticle *lightning[LIGHTNING_COUNT];
EffectParticle *minilightning[MINILIGHTNING_COUNT];
EffectParticle *rain[RAIN_COUNT];
EffectParticle *snow[SNOW_COUNT];
EffectParticle *lazer[LAZER_COUNT];
EffectParticle *spark[SPARK_COUNT];
EffectParticle *puppart[PUPPART_COUNT];
EffectParticle *puppartspawner[PUPPARTSPAWNER_COUNT];
FlameParticle *blueflame[BLUEFLAME_COUNT];
PooParticle *poo[POO_COUNT];
EffectParticle *speedLine[SPEEDLINE_COUNT];
EffectParticle *bubble[BUBBLE_COUNT];
EffectParticle *groundBit[GROUNDBIT_COUNT];
MagnoBit *magnobit[MAGNOBIT_COUNT];

void setupEffects()
{
    clearRecords(cubefrazzle);
    clearRecords(respawnbubble);
    clearRecords(homotrail);
    clearRecords(greenffpart);
    clearRecords(purpleffpart);
    clearRecords(lightning);
    clearRecords(minilightning);
    clearRecords(rain);
    clearRecords(snow);
    clearRecords(lazer);
    clearRecords(spark);
    clearRecords(puppart);
    clearRecords(puppartspawner);
    clearRecords(blueflame);
    clearRecords(poo);
    clearRecords(speedLine);
    clearRecords(bubble);
    clearRecords(groundBit);
    clearRecords(magnobit);

    for (EffectParticle *p : cubefrazzle) {
        p->w = cubefrazzle_image[0] ? cubefrazzle_image[0]->w : 0;
        p->h = cubefrazzle_image[0] ? cubefrazzle_image[0]->h : 0;
        p->animPeriod = 6;
    }
    for (EffectParticle *p : respawnbubble)
        p->w = p->h = 3;
    for (EffectParticle *p : greenffpart) {
        p->w = p->h = 6;
        p->aux2 = 3;
    }
    for (EffectParticle *p : purpleffpart) {
        p->w = p->h = 6;
        p->aux2 = 3;
    }
    for (EffectParticle *p : spark) {
        p->colour = 255;
        p->frictionPeriod = 2;
        p->maxFallSpeed = 14;
    }
    for (EffectParticle *p : puppart)
        p->y = 1100.0;
    for (EffectParticle *p : puppartspawner)
        p->y = 1100.0;
    for (FlameParticle *p : blueflame) {
        p->size = 1;
        p->aux2 = 3;
    }
    for (PooParticle *p : poo) {
        p->w = poo_image ? poo_image->w : 0;
        p->h = poo_image ? poo_image->h : 0;
        p->maxFallSpeed = 10;
    }
    for (EffectParticle *p : speedLine) {
        p->x = 1600.0;
        p->speedX = 40;
    }
    for (MagnoBit *p : magnobit) {
        p->stepX = p->stepY = 12;
        p->fadeCount = rand() % 8 + 1;
        p->life = rand() % 100 + 100;
    }
}

// Stand-ins for the effects still to come (lightning, power-up particles, flames, lazer,
// trails and the small particles): each spawn drops its effect, each update has nothing
// to move. The pools above are complete, so the renderer can already draw them.
void spawnCubeFrazzle(int, int) {}
void spawnRespawnBubble(int, int) {}
void spawnHomoTrail(int, int) {}
void spawnLightning(int, int, int, int) {}
void spawnGreenLightning(int, int, int, int) {}
void spawnPurpleLightning(int, int, int, int) {}
void spawnRedLightning(int, int) {}
void spawnRedLightning2(int, int) {}
void spawnBoothLightning(int, int) {}
void spawnBooth2Lightning(int, int) {}
void spawnColouredLightning(int, int, int, int, int, int, int) {}
void spawnMiniLightning(int, int, int, int) {}
void spawnLazer(int, int, int, int) {}
void spawnSpark(int, int, int) {}
void spawnPupPartSpawner(int, int, int, int) {}
void spawnPupPart(int, int, int, int, int) {}
void spawnBlueFlame(int, int) {}
void spawnPoo(int, int) {}
void spawnSpeedLine(int, int, int, int) {}
void spawnBubble(int, int, int, int, int, int) {}
void spawnGroundBit(int, int, int, int, int, int, int) {}
void spawnMagnoBit(int, int, int) {}

void updateCubeFrazzle() {}
void updateRespawnBubble() {}
void updateHomoTrail() {}
void updateLightning() {}
void updateMiniLightning() {}
void updateLazer() {}
void updateSpark() {}
void updatePupPartSpawner() {}
void updatePupPart() {}
void updateBlueFlame() {}
void updatePoo() {}
void updateSpeedLine() {}
void updateBubble() {}
void updateGroundBit() {}
void updateMagnoBit() {}
void drawMagnoBits() {}
