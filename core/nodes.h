// The computer opponent's path nodes: the foot of every ladder and the top of every platform
// one can drop through, scanned from the loaded tile map when a level is set up. The records
// and the scan are part of the ground: the level set-ups scan them, the fighters' set-up and
// the title's reset clear them, and the computer (ai/opponent.h) reads them every tick.
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

// Gives every node slot a zeroed, free record (player 2's set-up, before every bout). The
// records of the first call are reused, so rebuilding the world leaks none.
void setupNodes();
// Frees all 200 path nodes.
void clearNodes();
// The path-node scan of the loaded tile map: a node at the foot of every ladder and on top
// of every platform that can be dropped through.
void scanNodes();
void spawnNode(int x, int y, int type);
