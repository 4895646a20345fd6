#include "frontend/splash.h"

// Stand-in until the end splash lands.
void updateEndSplash() {}
