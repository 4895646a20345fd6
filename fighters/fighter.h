// The fighter record, the gun anchor, the booths and force fields, and each fighter's
// per-frame steps (gravity, movement, collision, arms, sound cues, power pool).
#pragma once

// Stand-in record: the fields the shell reads so far. The fighters' own module
// completes it.
struct Fighter {
    int x, y, w, h;
    int power;
    int hasSpawned;
    int powerupTimer;
    int won;
    int slowed;
};

struct GunAnchor {
    int x, y, w, h;
};

struct Booth {
    int x, y, w, h;
};

struct ForceField {
    int x, y, w, h;
};

extern Fighter *player, *player2;
extern GunAnchor *arms, *arms2;
extern Booth *booth, *booth2;

void setupPlayer();
void setupPlayer2();
void playerGravity();
void player2Gravity();
void playerMove();
void player2Move();
void playerBackCollision();
void player2BackCollision();
void playerArms();
void player2arms();
void playerSound();
void player2Sound();
void playerPower();
void player2Power();
