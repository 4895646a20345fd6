// What the game calls on the fighters: the set-ups that build both fighters before every bout
// and their per-tick steps. The records themselves are core/fighter.h's.
#pragma once

// Player 1's record, gun, booth and shot pools, fresh for a bout (the old ones are freed).
void setupPlayer();
// The same for player 2, with his computer-opponent memory and the opponent's aim probes.
void setupPlayer2();

// The per-tick steps of both fighters, in the order the game frame runs them.
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
// Each team's power pool: clamp, split into digits, end the bout when it is empty.
void playerPower();
void player2Power();
