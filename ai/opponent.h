// The computer-driven player 2. It plays only through player 2's seven input flags, as a
// second person would: the driver presses them each tick from what the behaviour routine
// decided, invisible aim probes tell it when a shot would land, and path nodes scanned from
// the tile map at each level set-up teach it the arena's ladders and drop-through platforms.
// Everything it remembers lives in the computer-opponent block of player 2's Fighter record.
#pragma once

// One path node: the foot of a ladder or the top of a platform one can drop through.
struct AiNode {
    int x, y;
    int active;         // 0 free; a spawn adds 1
    int spare0;
    int spare1, spare2, spare3;
    int advice;         // AiNodeAdvice
    int ladderUp;       // ladder measured upward from the node, px (grows 1 px a tick)
    int ladderDown;     // ladder measured downward from 10 px below the node, px
    int type;           // 1 for every scanned node; only type 1 advises
    int unused[7];
    int cooldown;       // ticks before the node may act again
    int chance;         // percent: how likely a climb or drop advice is taken
};

// What a node advises for player 2's current goal.
enum AiNodeAdvice { NODE_GOAL_LEFT = 0, NODE_GOAL_RIGHT = 1, NODE_CLIMB = 2, NODE_DROP = 3 };

enum { AINODE_COUNT = 200 };
extern AiNode *aiNode[AINODE_COUNT];
// Scan hits, counted even when the pool was full or the spawn skipped them; never reset.
extern int totalNodes;
// The scan's position counters.
extern int iNodeCount, jNodeCount;

// The air-steering targets that stand for "steer left" and "steer right".
enum { AI_STEER_LEFT = 0, AI_STEER_RIGHT = 1590 };

// Gives every node slot a zeroed, free record (player 2's set-up, before every bout). The
// records of the first call are reused, so rebuilding the world leaks none.
void setupNodes();
// Frees all 200 path nodes.
void clearNodes();
// The path-node scan of the loaded tile map: a node at the foot of every ladder and on top
// of every platform that can be dropped through.
void scanNodes();
void spawnNode(int x, int y, int type);
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
