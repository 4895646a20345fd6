// Cubes, the cube spawner and the power-up box.
#pragma once

void setupcubespawner();
void cubespawnerroutine();
void updatecube();
void updatepowerup();
