// The parts of a fighter's tick that are not locomotion: the booth and the respawn, death,
// firing, cube cash-in, bombs, the base test and the end of power-up effects. The movement
// runs them at fixed places in its tick (see movement.cpp). Each serves both fighters
// through their side.
#pragma once

#include "fighters/twins.h"

// A dead fighter is put back into his booth; waiting there he trembles, and after the
// booth animation he is thrown back into play.
void fighterRespawn(const FighterSide &s);
// A fighter out of health dies: his death is booked once, his gore bursts, and a badly hurt
// fighter bleeds once a second.
void fighterDeath(const FighterSide &s);
// The fire input fires the current weapon once per press; rapid fire, flash timers and the
// fall-back to the gun.
void fighterFire(const FighterSide &s);
// Carried cubes are cashed in at the own booth; the booth's timers run down.
void fighterCashIn(const FighterSide &s);
// The bomb input, the in-base flag, the end of power-up effects, the magnet, the booth
// message timer.
void fighterBombBaseAndPowerups(const FighterSide &s);
