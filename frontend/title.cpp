#include "frontend/title.h"

// Stand-ins until the title screen lands.
int textdetailx = 0;

void setupTitleScreen() {}
void TitleScreen() {}
