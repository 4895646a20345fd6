// The credits screen.
#pragma once

void setupCredits();
void updateCredits();
