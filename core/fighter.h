// The fighter record, the gun anchor, the booths and force fields, the small codes stored in
// them, the globals that hold both fighters' records, and the point tests on a fighter's box.
// Part of the ground: gore, arenas, the computer and the screens read these records as much
// as the fighters' own code (fighters/) that moves them.
#pragma once

// What the fighter is doing (field `state`).
enum FighterState {
    FIGHTER_STAND_LEFT = 0,   // also airborne, knocked back or leaving a ladder facing left
    FIGHTER_STAND_RIGHT = 1,  // the same facing right; the state after a respawn
    FIGHTER_RUN_RIGHT = 2,
    FIGHTER_RUN_LEFT = 3,
    FIGHTER_RESPAWNING = 4,   // waiting in the booth: no firing, no bombs
    FIGHTER_CLIMB_UP = 5,
    FIGHTER_CLIMB_DOWN = 6,
    FIGHTER_CROUCH = 7,
    FIGHTER_SLIDE = 8
};

// Which way the body faces; pictures are stored facing right. Shots travel the same way.
enum Facing { FACING_LEFT = 0, FACING_RIGHT = 1 };

enum JumpPhase {
    JUMP_NONE = 0,
    JUMP_RISING = 1,   // on the jump impulse; also while knocked back
    JUMP_FALLING = 2   // after the apex, after a long fall, while carried by a thruster
};

enum WeaponId {
    WEAPON_NONE = -1,  // disarmed
    WEAPON_GIBBER = 1,
    WEAPON_ZAPZAP = 2,
    WEAPON_HOMO = 3,
    WEAPON_MUMMRA = 4,
    WEAPON_MOONRAKER = 5,
    WEAPON_MINEDROP = 6,
    WEAPON_DUALGIBBER = 7,
    WEAPON_BLASTER = 8  // player 1 only
};

// Set by the opponent's thruster (field `thrusterCaught`).
enum ThrusterCatch { THRUSTER_FREE = 0, THRUSTER_CARRY_LEFT = 1, THRUSTER_CARRY_RIGHT = 2 };

// The direction the computer opponent presses (field `aiMove` of player 2's record).
enum AiMove {
    AI_MOVE_LEFT = 0,
    AI_MOVE_RIGHT = 1,
    AI_MOVE_CLIMB = 2,
    AI_MOVE_DROP = 3,
    AI_MOVE_HOLD = 4
};

enum { FIGHTER_SOUND_LATCHES = 7 };

// One fighter; the same layout for both players. Positions are playfield pixels (x right,
// y down, (x, y) the top-left of the body box); timers count ticks unless said otherwise.
struct Fighter {
    int alive;                  // 1 while in play; 0 dead or waiting in the booth
    int x, y;
    int w, h;                   // body box
    int runFrame, runLastFrame;
    int animTick;               // shared by the running and standing animations
    int runTicksPerFrame;       // a running frame lasts this + 1 ticks
    int idleTicksPerFrame;
    int idleFrame, idleLastFrame;
    int slideFrame, slideLastFrame;
    int slideTicksPerFrame;
    int gravityOn;              // player 2's gravity runs only while 1
    int fallSpeed, maxFallSpeed;
    double maxRunSpeed;
    double runSpeed;            // also the speed handed to the fighter's gore
    int facing;                 // Facing
    int prevX, prevY;           // position at the start of this tick's move
    int state;                  // FighterState
    int jumpImpulse;            // upward speed, -1 each tick
    int jumpPhase;              // JumpPhase
    int doubleJumpReady;
    int jumpLatch;              // 1 from a jump or wall grab until jump is released
    int jumpStrength;
    int onGround;               // set by the collision: solid two pixels under the feet
    int onLadder;
    int climbing;
    int onStairs;
    int climbFrame, climbLastFrame, climbTick, climbTicksPerFrame;
    int respawnFrame, respawnLastFrame, respawnTick, respawnTicksPerFrame;
    int sliding;
    int slideTick;
    int slideLength;
    int slideTicksPerStep;
    int slideArmed;             // a full running cycle has been run: a slide may start
    int wallSide;               // 1 wall on the left, 2 on the right, 0 none
    int wallGrabTimer;
    int slideAnimTick;
    int onLadderTop;            // the cell two pixels under the feet centre is a ladder top
    int respawning;
    int health;                 // 12 at each respawn
    int power;                  // the team's pool, 0..999 once clamped
    int powerOnes, powerTens, powerHundreds;
    int knockX, knockY;         // knock-back velocity
    int knockTickX, knockPeriodX, knockTickY, knockPeriodY;
    int knockedBack;
    int floorTimer;             // ticks left lying flat after a hard landing
    int overspeedFrames;        // ticks at terminal speed in the current fall
    int fallTimer, fallTimerMax;
    int pan;                    // stereo position of the fighter's samples
    int soundLatch[FIGHTER_SOUND_LATCHES];
    int fireLatch;
    int frags;
    int deathCounted;
    int gibberFlash, zapzapFlash, moonrakerFlash, dualFlash;
    int cubesCarried;
    int bonusTimer;
    int won;
    int weapon;                 // WeaponId
    int ammo;
    int bombLatch;
    int climbSpeed;
    int inBase;
    int powerupTimer;           // whole seconds, counted down by the bout clock
    int savedWeapon, savedAmmo;
    int armless, frozen, sonic, magnet;
    int thrusterCaught;         // ThrusterCatch
    int thrusterPush;
    int respawnSoundLatch, thrusterSoundLatch;
    int cameraX, cameraY, cameraW, cameraH;
    int fragOnes, fragTens, fragHundreds;
    int rocketPack, rocketLift, rocketSoundLatch, rocketPackTimer;
    int hasSpawned;             // player 1's first respawn starts the pools draining
    int slowed;                 // 1: grey look
    int autoFireCounter;
    int flipTimer;              // after a back flip or ladder-top jump: no ladders
    // The computer opponent's memory (player 2; player 1's copy is unused).
    int aiShotCooldown;
    int aiCubeDistance, aiCubeIndex, aiCubeHunting;
    int aiMove;                 // AiMove
    int aiGoalX, aiGoalY;
    int aiLadderLock;
    int aiJumpTargetX, aiJumpTargetY, aiJumpRequest;
    int aiBombTimer, aiMineTimer;   // seconds
    int aiTurnCooldown;
    int aiEvadeTimer;
    int flipReady;
    int aiStallCounter;
    int aiLockTimer, aiSecondTimer;
    int aiStuckX, aiStuckY, aiStuckClimbX, aiStuckClimbY;
    int aiNoUpDown;
};

// Where a fighter holds his gun: every shot, muzzle flash and casing starts here.
struct GunAnchor {
    int x, y;
    int w, h;                   // size of the fighter's gun picture
};

// A team base.
struct Booth {
    double x, y;                // top-left
    int w, h;
    int messageTimer;           // ticks the power-up message shows (only `booth`'s is used)
    int messageId;
    int lightningTimer;         // ticks of booth lightning after a cash-in
};

// The field that closes a team's base; a base reaches from its booth to its field.
struct ForceField {
    double x, y;
    int w, h;
};

extern Fighter *player, *player2;
extern GunAnchor *arms, *arms2;
extern Booth *booth, *booth2;

// Point tests: 1 when (px, py) lies strictly inside the box; no side effects. `hit` and
// `hitcrouch` test player 2 (the whole box, its lower half); `hit2`, `hit2crouch` player 1.
int hit(int px, int py);
int hitcrouch(int px, int py);
int hit2(int px, int py);
int hit2crouch(int px, int py);
// The same two tests on any fighter's box.
int insideBody(const Fighter *f, int px, int py);
int insideLowerHalf(const Fighter *f, int px, int py);
