// Bombs and the blast fronts they send out.
#pragma once

void setupBombs();
void setupBombs2();
void setupBombblastLeft();
void setupBombblastRight();
void setupBombblastUp();
void updateBomb();
void updateBomb2();
void updateBombblastLeft();
void updateBombblastRight();
void updateBombblastUp();
