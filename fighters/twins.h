// One fighter's side of the game, as the shared per-tick routines see it: his records, his
// opponent's, his input flags, and every way in which player 2's routines differ from
// player 1's. Built afresh on every call (the records are replaced before each bout).
#pragma once

#include "core/fighter.h"
#include "core/shots.h"

struct ForceField;

// An open rectangle of the playfield: a point on its border is outside.
struct Window {
    double left, right, top, bottom;
};
int insideWindow(const Window &w, double x, double y);

struct FighterSide {
    Fighter *self, *opponent;
    GunAnchor *gun;
    Booth *ownBooth, *enemyBooth;
    ForceField *enemyField;
    // The opponent's thruster: a carry that kills this fighter at the arena's edge ends it.
    Projectile **enemyThruster;
    const int *left, *right, *up, *down, *jump, *fire, *laybomb;
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

    // His own pools; only player 1 has a blaster (NULL for player 2).
    Projectile **bullets, **plasmas, **rocket, **thruster, **blasters;
    // Where his shots stop at the opponent's base: bullets, plasma and rockets, and the
    // thruster (player 2's thruster crosses the green field and stops only inside the base).
    Window enemyBaseForShots, enemyBaseForThruster;
    // His own base as his bullets meet it (he cannot shoot out of it); the two windows are
    // not mirror images of each other.
    Window ownBaseForBullets;
    // Player 1's bullets mark walls by each arena's own rule and stop at the Moon's spark
    // walls; player 2's spark at walls everywhere but the tutorial.
    int bulletMarksByArena;
    // His rocket, once out of the arena, is still probed at the base and the blocks.
    int rocketProbesAfterEdge;
    // His thruster explodes at x < this on the left side (1550 on the right for both).
    int thrusterLeftLimit;
    // The catch sound of his thruster on a standing victim is latched by the victim's
    // latch (player 1) or his own (player 2); a crouch catch always by his own.
    int standingCatchUsesVictimLatch;

    // The booth: the way he faces while waiting, the x of the bubbles over the booth's
    // left edge, the knock-back that throws him out and the pitch of the spawn sample.
    int boothFacing, respawnBubbleX, spawnThrowX, spawnFreq;
    // Firing: the gun's pitch; letting go of fire cuts the gun flash at once; the laser
    // keeps a muzzle flash; the spread of a laser that misses an opponent level behind him
    // while facing the enemy base; a laser hit turns the computer opponent to the shooter.
    int gibberFreq, releaseCutsGibberFlash, keepsMoonrakerFlash, laserBehindSpread,
        laserTurnsComputer;
    // Cash-in: the booth's span less these insets left and right, the sample's pitch, and
    // the bonus timer a three-cube delivery starts.
    int cashInInsetLeft, cashInInsetRight, cashInFreq, threeCubeBonusTimer;
    // Sound cues: the pitch of the wall-grab cue.
    int wallGrabFreq;
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
// The spark kind of a team's colour: 3 green, 4 magenta.
int teamSparkKind(int team);
