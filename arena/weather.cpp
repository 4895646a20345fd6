#include "arena/weather.h"

// Stand-ins until the weather lands.
int raining = 0;
int weather = 0;

void updateRain() {}
void spawnRain(int, int, int, int) {}
void spawnSnow(int, int, int, int) {}
void updateSnow() {}
