#include "fighters/fighter.h"

// Filled in by the movement work that follows.
void playerGravity() {}
void player2Gravity() {}
void playerMove() {}
void player2Move() {}
void playerBackCollision() {}
void player2BackCollision() {}
void playerArms() {}
void player2arms() {}
void playerPower() {}
void player2Power() {}
