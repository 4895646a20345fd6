#include "core/nodes.h"

#include "core/pools.h"
#include "core/probes.h"

AiNode *aiNode[AINODE_COUNT];
int totalNodes = 0;
int iNodeCount = 0, jNodeCount = 0;

void setupNodes() { clearRecords(aiNode); }

void clearNodes()
{
    for (int i = 0; i < AINODE_COUNT; i++)
        if (aiNode[i])
            aiNode[i]->active = 0;
}

void spawnNode(int x, int y, int type)
{
    int slot = 0;
    while (slot < AINODE_COUNT && aiNode[slot] && aiNode[slot]->active != 0)
        slot++;
    if (slot == AINODE_COUNT || !aiNode[slot])
        return;
    // Along a row of hits only every other one is kept: nodes stand 16 px apart.
    if (slot > 0 && aiNode[slot - 1]->x == x - 8 && aiNode[slot - 1]->y == y)
        return;
    AiNode *n = aiNode[slot];
    n->x = x;
    n->y = y;
    n->active += 1;
    n->advice = NODE_GOAL_LEFT;
    n->ladderUp = 0;
    n->ladderDown = 0;
    n->type = type;
    n->cooldown = 0;
    n->chance = 0;
    n->spare1 = 0;
    n->spare2 = 0;
    n->spare3 = 1;
}

void scanNodes()
{
    for (jNodeCount = 7; jNodeCount < 1190; jNodeCount += 8)
        for (iNodeCount = 4; iNodeCount < 1550; iNodeCount += 8) {
            const int x = iNodeCount, y = jNodeCount;
            // The foot of a ladder: ladder all across, solid floor under it.
            if (collided(x, y + 1) && ladder(x, y) && ladder(x - 8, y) && ladder(x + 8, y)) {
                spawnNode(x, y, 1);
                totalNodes += 1;
            }
            // The top of a platform one can drop through.
            if (laddertop(x, y + 1) && !laddertop(x, y) && laddertop(x - 8, y + 1) &&
                laddertop(x + 8, y + 1)) {
                spawnNode(x, y, 1);
                totalNodes += 1;
            }
        }
}
