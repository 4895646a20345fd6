#include "fighters/actions.h"

// Stand-ins until the weapons and the fighters' life cycle land.
void fighterRespawn(const FighterSide &) {}
void fighterDeath(const FighterSide &) {}
void fighterFire(const FighterSide &) {}
void fighterCashIn(const FighterSide &) {}
void fighterBombBaseAndPowerups(const FighterSide &) {}
