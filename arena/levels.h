// The level scripts of the playable arenas, Hell and London.
#pragma once

void setupHell();
void setupLondon();
void updateHell();
void updateLondon();
void drawHellBG();
void drawHellFG();
void drawLondonBG();
