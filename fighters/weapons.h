// The fighters' projectiles: gun bullets, plasma, homing rockets, thrusters, the blaster.
#pragma once

void updateBullet();
void updateBullet2();
void updatePlasma();
void updatePlasma2();
void updateHomoRocket();
void updateHomoRocket2();
void updateMummraThruster();
void updateMummraThruster2();
void updateBlaster();
