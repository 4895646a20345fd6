// The title screen and its menu pages.
#pragma once

extern int textdetailx;   // x of the resolution label on the options page

void setupTitleScreen();
void TitleScreen();
