#include "fighters/fighter.h"

#include <stdlib.h>

// Stand-ins until the fighters land: two zeroed records so the shell can read them.
Fighter *player = NULL, *player2 = NULL;
GunAnchor *arms = NULL, *arms2 = NULL;
Booth *booth = NULL, *booth2 = NULL;

void setupPlayer()
{
    player = (Fighter *)calloc(1, sizeof(Fighter));
    arms = (GunAnchor *)calloc(1, sizeof(GunAnchor));
    booth = (Booth *)calloc(1, sizeof(Booth));
}

void setupPlayer2()
{
    player2 = (Fighter *)calloc(1, sizeof(Fighter));
    arms2 = (GunAnchor *)calloc(1, sizeof(GunAnchor));
    booth2 = (Booth *)calloc(1, sizeof(Booth));
}

void playerGravity() {}
void player2Gravity() {}
void playerMove() {}
void player2Move() {}
void playerBackCollision() {}
void player2BackCollision() {}
void playerArms() {}
void player2arms() {}
void playerSound() {}
void player2Sound() {}
void playerPower() {}
void player2Power() {}
