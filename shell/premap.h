// The map pre-screen: rebuilds the world for the next bout and slides in the comic panels.
#pragma once

void setupPreMap(int nextMap);
void updatePreMap();
