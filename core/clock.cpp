#include "core/clock.h"

int secondscount = 0;
int secondsdelay = 59;
int seconds = 0;
int cubespawncount = 10;
int cubespawncount2 = 35;
int powerupspawncount = 38;
int timersecs = 0, timermins = 0, timerhours = 0;
