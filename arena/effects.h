// Effect pools: every visual effect of a bout (lightning, sparks, trails, bubbles, flames,
// force-field particles, weather, magnet particles) lives in a fixed pool of records built
// whole by setupEffects and never grown. A spawn takes the first free record in slot order
// and does nothing when none is free; a record is freed by its own update.
#pragma once

#include "core/pools.h"

// The generic particle record shared by most pools; each pool uses a subset of the fields.
struct EffectParticle {
    double x, y;
    int w, h;
    int active;            // 0 free, 1 live
    int animTick, animPeriod, animFrame;
    int side;              // respawn bubble: 0 behind the fighters, 1 in front
    int size;              // radius or length in px
    int aux1, aux2;
    int speedY, speedX;
    int endY;
    int life;              // ticks left (snow: settle delay)
    int points[8];         // bolt corners and end; the lazer's end in the first two
    int colour;            // packed screen colour
    int xVel, yVel;
    int frictionCount, frictionPeriod;
    int frictionCountY, frictionPeriodY;
    int fallSpeed, maxFallSpeed;
    int trail[6];          // three earlier positions x0, y0, x1, y1, x2, y2
    int aux3;              // power-up particle: slot of its emitter
    int red, green, blue;
    int kind;              // spark kind, team of a power-up particle, snowflake colour
    int direction;
    int aux4;
    int settleOffset;      // snow: the flake tests and stamps this far above its y
    int lineDirection;     // speed line: 0 toward -x, 1 toward +x
    int aux5;              // bubble outline radius
    int topY;              // bubble: y at which it is freed
};

// A smoke puff behind a homing rocket or thruster.
struct TrailPuff {
    int active, x, y;
    int phase;             // 0 while growing, 1 once past size 12
    int size;
    int red, green, blue;
    int life;
};

// A rocket-pack flame puff.
struct FlameParticle {
    int active, x, y;
    int originX, originY;
    int size;
    int riseSpeed, sway;
    int red, green, blue;
    int fade;
    int aux1, aux2;
    int life;
};

struct PooParticle {
    int active, x, y, w, h;
    int xVel, fallSpeed, maxFallSpeed;
};

// A particle of the magnet power, drawn toward or away from its fighter.
struct MagnoBit {
    int active, x, y;
    int stepX, stepY;
    int stepTick, stepPeriod;
    int fadeCount, life;
    int fighterIndex;      // 0 around fighter 1, 1 around fighter 2
};

enum {
    CUBEFRAZZLE_COUNT = 2,
    RESPAWNBUBBLE_COUNT = 40,
    HOMOTRAIL_COUNT = 80,
    FFPART_COUNT = 12,
    LIGHTNING_COUNT = 28,
    MINILIGHTNING_COUNT = 13,
    RAIN_COUNT = 80,
    SNOW_COUNT = 66,
    LAZER_COUNT = 2,
    SPARK_COUNT = 25,
    PUPPART_COUNT = 50,
    PUPPARTSPAWNER_COUNT = 11,
    BLUEFLAME_COUNT = 40,
    POO_COUNT = 10,
    SPEEDLINE_COUNT = 50,
    BUBBLE_COUNT = 50,
    GROUNDBIT_COUNT = 50,
    MAGNOBIT_COUNT = 30
};

extern EffectParticle *cubefrazzle[CUBEFRAZZLE_COUNT];
extern EffectParticle *respawnbubble[RESPAWNBUBBLE_COUNT];
extern TrailPuff *homotrail[HOMOTRAIL_COUNT];
extern EffectParticle *greenffpart[FFPART_COUNT];
extern EffectParticle *purpleffpart[FFPART_COUNT];
extern EffectParticle *lightning[LIGHTNING_COUNT];
extern EffectParticle *minilightning[MINILIGHTNING_COUNT];
extern EffectParticle *rain[RAIN_COUNT];
extern EffectParticle *snow[SNOW_COUNT];
extern EffectParticle *lazer[LAZER_COUNT];
extern EffectParticle *spark[SPARK_COUNT];
extern EffectParticle *puppart[PUPPART_COUNT];
extern EffectParticle *puppartspawner[PUPPARTSPAWNER_COUNT];
extern FlameParticle *blueflame[BLUEFLAME_COUNT];
extern PooParticle *poo[POO_COUNT];
extern EffectParticle *speedLine[SPEEDLINE_COUNT];
extern EffectParticle *bubble[BUBBLE_COUNT];
extern EffectParticle *groundBit[GROUNDBIT_COUNT];
extern MagnoBit *magnobit[MAGNOBIT_COUNT];

// Builds every effect pool with every record free. Records of an earlier build are reused,
// so effects in flight vanish at every world rebuild without the pools growing.
void setupEffects();

// Spawns; each follows the spawn rule above.
void spawnCubeFrazzle(int x, int y);
void spawnRespawnBubble(int x, int y);
void spawnHomoTrail(int x, int y);
void spawnLightning(int x1, int y1, int x2, int y2);
void spawnGreenLightning(int x1, int y1, int x2, int y2);
void spawnPurpleLightning(int x1, int y1, int x2, int y2);
void spawnRedLightning(int x, int y);
void spawnRedLightning2(int x, int y);
void spawnBoothLightning(int x, int y);
void spawnBooth2Lightning(int x, int y);
void spawnColouredLightning(int x1, int y1, int x2, int y2, int r, int g, int b);
void spawnMiniLightning(int x1, int y1, int x2, int y2);
void spawnLazer(int x1, int y1, int x2, int y2);
// Kinds 1 yellow, 2 cyan, 3 green, 4 magenta (shots striking), 5 the street lamp's long-lived
// yellow that bounces off the ground.
void spawnSpark(int x, int y, int kind);
// A power-up emitter of `team` (1 green, 2 purple) rising from (x, y); `target` is the index
// in `powerup` of the box it curls back to (0, the only box; any other index means no box).
void spawnPupPartSpawner(int x, int y, int team, int target);
// A fading particle left by the emitter in slot `emitter` of `puppartspawner`.
void spawnPupPart(int x, int y, int team, int target, int emitter);
void spawnBlueFlame(int x, int y);
void spawnPoo(int x, int y);
void spawnSpeedLine(int x, int y, int direction, int speed);
void spawnBubble(int x, int y, int xVel, int yVel, int radius, int topY);
void spawnGroundBit(int x, int y, int red, int green, int blue, int xVel, int yVel);
void spawnMagnoBit(int x, int y, int fighterIndex);
// Draws every live magnet particle into `buffer`; the renderer calls it after the fighters.
void drawMagnoBits();

// One tick of each pool, run by the game frame in this order (rain is run by London's
// level script instead, before the fighters move).
void updateCubeFrazzle();
void updateRespawnBubble();
void updateHomoTrail();
void updateGreenFFPart();
void updatePurpleFFPart();
void updateLightning();
void updateMiniLightning();
void updateLazer();
void updateSpark();
void updatePupPartSpawner();
void updatePupPart();
void updateBlueFlame();
void updatePoo();
void updateSpeedLine();
void updateBubble();
void updateGroundBit();
void updateMagnoBit();
// updateSnow, the last of them, is declared with the weather.

// Leaves, conkers and barrels: named effects that have no pool and no caller; each of
// these does nothing.
void spawnLeaf();
void updateLeaf();
void spawnConker();
void updateConker();
void spawnBarrel();
void updateBarrel();

#include "arena/weather.h"
