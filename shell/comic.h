// The comic panels of the map pre-screen and their streaks.
#pragma once

void setupManga();
