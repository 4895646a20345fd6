#include "ai/opponent.h"

// Stand-ins until the computer opponent lands.
void Player2ai() {}
void updateNode() {}
void clearNodes() {}
void scanNodes() {}
