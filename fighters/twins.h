// One fighter's side of the game, as the shared per-tick routines see it: his records, his
// opponent's, his input flags, and every way in which player 2's routines differ from
// player 1's. Built afresh on every call (the records are replaced before each bout).
#pragma once

#include "fighters/fighter.h"
#include "fighters/weapons.h"

struct ForceField;

struct FighterSide {
    Fighter *self, *opponent;
    GunAnchor *gun;
    Booth *ownBooth, *enemyBooth;
    ForceField *enemyField;
    // The opponent's thruster: a carry that kills this fighter at the arena's edge ends it.
    Projectile **enemyThruster;
    const int *left, *right, *up, *down, *jump;
    int team;                   // 1 green (player 1), 2 purple (player 2): blood colour
    int enemyBaseOnRight;       // player 1 meets the purple base moving right

    // Sounds of the jumps: sample slot, double-jump pitch, pitch of a wall jump off a wall on
    // the left and off a wall on the right.
    int jumpSample, doubleJumpFreq, wallJumpOffLeftFreq, wallJumpOffRightFreq;
    // Player 1 wears the rocket pack: its rules run and its fields gate his jumps, grabs,
    // climbs, crouches and slides. Player 2's rules never look at it.
    int rocketPackRules;
    // Player 2's climb up also takes back this tick's gravity (y - fallSpeed - climbSpeed).
    int climbUpTakesBackFall;
    // Player 2 re-arms a slide with a slide length.
    int armsSlideLength;
    // Slide lift at the own booth: player 1 while x < booth x + reach (80), player 2 while
    // x > booth x + reach (-15).
    int slideLiftReach;
    // Player 2 is the computer's body: knocked flat he locks its ladder decisions, and at
    // its top level an evading computer takes the ladder-top jump without a key.
    int computerDriven;
    // Player 2 counts the ticks of a fast fall in `fallTimer`.
    int countsFallTimer;
    // Player 2's gravity waits for `gravityOn`; player 1's clamps a negative fall speed.
    int gravityNeedsSwitch, clampsNegativeFall;
    // Player 2's collision sweeps upward knock-back against ceilings a second time.
    int secondCeilingSweep;
    // Player 1 is killed at the top edge only while alive; player 2 in any case.
    int topKillNeedsAlive;
    // Spread of the snow of the frozen look (x + rand() % spread).
    int snowSpread;
};

// The sides of player 1 (green) and player 2 (purple), from the globals as they stand.
FighterSide sideOne();
FighterSide sideTwo();

// The standing state of the fighter's facing.
int standingState(const Fighter *f);
// One green (team 1) or purple (team 2) blood drop.
void spawnTeamBlood(int team, int x, int y);
// 20 drops of the fighter's blood within 10 px of his centre, the y offset drawn first.
void spillCarryBlood(const FighterSide &s);
// Plays a slot of the sample table, not looped; an empty slot plays nothing.
void playFighterSample(int slot, int volume, int pan, int frequency);
