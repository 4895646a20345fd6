// Explosions: damage and push of fighters, cubes, mines and debris.
#pragma once

void setupExplosions();
void updateExplosion();
