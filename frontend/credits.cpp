#include "frontend/credits.h"

// Stand-ins until the credits screen lands.
void setupCredits() {}
void updateCredits() {}
