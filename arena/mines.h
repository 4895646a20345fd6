// Mines laid by the mine dropper.
#pragma once

void setupMines();
void updatemines();
