// The computer-driven player 2. It plays only through player 2's seven input flags, as a
// second person would: the driver presses them each tick from what the behaviour routine
// decided, invisible aim probes tell it when a shot would land, and path nodes scanned from
// the tile map at each level set-up (core/nodes.h) teach it the arena's ladders and
// drop-through platforms.
// Everything it remembers lives in the computer-opponent block of player 2's Fighter record.
#pragma once

// The air-steering targets that stand for "steer left" and "steer right".
enum { AI_STEER_LEFT = 0, AI_STEER_RIGHT = 1590 };

// One tick of every node: measure its ladder, advise, and make player 2 climb, drop or leap.
// Runs after the game frame has cleared player 2's flags, so its presses act next tick.
void updateNode();

struct Fighter;

// Player 2's box as the behaviour reads it in one tick (the behaviour never moves him):
// top-left, size, centre and the y of his feet.
struct AiBody {
    int x, y, w, h;
    int cx, cy, feet;
};
AiBody aiBodyOf(const Fighter *f);

// One tick of the computer opponent: the behaviour, then the presses of its direction.
void Player2ai();
// The decision routine: goals, movement, pick-ups, weapons, dodging, bombs, route hints.
void aiPlayer2Behaviour();
// Per-arena route hints for arenas 1 to 7 (the part of the behaviour that knows a layout).
void aiRouteHints(Fighter *f, const AiBody &b);

// The presses. Each sets player 2's input flags as his keys would.
void aiPlayer2Left();
void aiPlayer2Right();
void aiPlayer2Up();
void aiPlayer2Down();
// Lays a bomb, except at level 1, where it clears the bomb flag instead.
void aiPlayer2Bomb();
// Presses fire when the cooldown has run out, outside his base and with player 1 in play;
// re-rolls the cooldown on every call, pressed or not.
void aiPlayer2Shoot();
// Presses jump when a jump makes sense; flips the air-steering side at a wall even when the
// jump itself is refused.
void aiPlayer2Jump();

// The aim probes: shots that fly like the real ones, are never drawn and hit nothing; a
// probe that reaches player 1 makes the computer press fire.
void spawnFakeBullet();
void updateFakeBullet();
void spawnFakeHomer();
void updateFakeHomer();
