#include "arena/effects.h"

// Stand-ins until the effect pools land.
void setupEffects() {}
void updateCubeFrazzle() {}
void updateRespawnBubble() {}
void updateHomoTrail() {}
void updateGreenFFPart() {}
void updatePurpleFFPart() {}
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
void updateSnow() {}
