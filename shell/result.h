// The result screen: totals, team statistics and arena unlocking after a bout.
#pragma once

void setupResultScreen(int endedMap);
void updateResultScreen();
