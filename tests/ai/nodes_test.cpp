// Path nodes on the generated arenas, checked against the arenas' own block grids.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <set>
#include <string>
#include <utility>

#include "ai/opponent.h"
#include "ai_env.h"
#include "core/fighter.h"
#include "core/nodes.h"
#include "core/settings.h"
#include "fighters/fighter.h"
#include "shell/loop.h"
#include "tools/gendata/arena_grid.h"
#include "tools/gendata/arenas.h"

namespace {

class PathNodes : public AiBout {};

typedef std::set<std::pair<int, int>> NodeSet;

// Where the scan must put nodes, read off the grid: at the foot of every ladder (a ladder
// block standing on a solid one) and on top of every platform one can drop through (the
// upper ladder-top block of a column), in both cases at the block's x + 12 (the first scan
// column with ladder on both sides; its neighbour 8 px on is skipped) and 1 px above the
// block's top.
NodeSet nodesOfGrid(const ArenaGrid &g)
{
    NodeSet nodes;
    for (int r = 1; r < ARENA_ROWS; r++)
        for (int c = 0; c < ARENA_COLS; c++) {
            const int x = c * ARENA_BLOCK + 12, y = r * ARENA_BLOCK - 1;
            if (x >= 1550 || y >= 1190)
                continue;
            const char here = g.cell[r][c], above = g.cell[r - 1][c];
            if ((above == CELL_LADDER && here == CELL_SOLID) ||
                (here == CELL_LADDER_TOP && above != CELL_LADDER_TOP))
                nodes.insert(std::make_pair(x, y));
        }
    return nodes;
}

NodeSet liveNodes()
{
    NodeSet nodes;
    for (int i = 0; i < AINODE_COUNT; i++)
        if (aiNode[i]->active)
            nodes.insert(std::make_pair(aiNode[i]->x, aiNode[i]->y));
    return nodes;
}

const AiNode *nodeAt(int x, int y)
{
    for (int i = 0; i < AINODE_COUNT; i++)
        if (aiNode[i]->active && aiNode[i]->x == x && aiNode[i]->y == y)
            return aiNode[i];
    return NULL;
}

TEST_F(PathNodes, EveryLadderOfBothArenasJoinsAFootNodeAndAPlatformNodeThatMeasureIt)
{
    const char *src = getenv("GOR_SOURCE_DIR");
    for (int arena : {ARENA_HELL, ARENA_LONDON}) {
        ArenaGrid grid;
        std::string why;
        ASSERT_TRUE(loadArenaGrid(arena == ARENA_HELL ? GEN_ARENA_HELL : GEN_ARENA_LONDON,
                                  (std::string(src ? src : ".") + "/data").c_str(), grid, why))
            << why;
        startBout(arena, 2, 5);
        const NodeSet expected = nodesOfGrid(grid);
        EXPECT_EQ(liveNodes(), expected) << "arena " << arena;

        // The nodes measure their ladders a pixel a tick; player 2 is kept out of their way.
        standP2(800, 100);
        player2->aiGoalY = 0;
        for (int t = 0; t < 400; t++)
            updateNode();
        int ladders = 0;
        for (const auto &n : expected) {
            const AiNode *foot = nodeAt(n.first, n.second);
            if (!foot || foot->ladderUp == 0)
                continue;
            ladders++;
            // The ladder, its top block included, ends under the platform node.
            const AiNode *top = nodeAt(foot->x, foot->y - foot->ladderUp);
            EXPECT_TRUE(top != NULL) << "arena " << arena << ": ladder from (" << foot->x << ", "
                                     << foot->y << ") up " << foot->ladderUp << " px leads to no node";
            // Goal 1 px above the top: a certain climb.
            EXPECT_EQ(foot->chance, 100);
            // The platform node finds the same ladder going down, from 10 px under it to the
            // floor the foot node stands on: else it would almost never send him down.
            if (top) {
                EXPECT_EQ(top->y + top->ladderDown + 9, foot->y)
                    << "arena " << arena << ": platform node (" << top->x << ", " << top->y
                    << ") measures " << top->ladderDown << " px of ladder below it";
            }
        }
        int columns = 0;
        for (int r = 1; r < ARENA_ROWS; r++)
            for (int c = 0; c < ARENA_COLS - 1; c++)
                columns += grid.cell[r - 1][c] == CELL_LADDER && grid.cell[r][c] == CELL_SOLID;
        EXPECT_EQ(ladders, columns) << "arena " << arena;
        EXPECT_GT(ladders, 0);
    }
}

TEST_F(PathNodes, ARowOfHitsKeepsEveryOtherNodeAndAFullPoolDropsTheRest)
{
    startBout(ARENA_HELL, 2, 5);
    clearNodes();
    for (int x : {100, 108, 116, 124})
        spawnNode(x, 40, 1);
    EXPECT_EQ(liveNodes(), (NodeSet{{100, 40}, {116, 40}}));
    // Two hits at one place (the skip rule looks only 8 px back) both stay.
    spawnNode(300, 40, 1);
    spawnNode(300, 40, 1);
    EXPECT_EQ(aiNode[2]->x, 300);
    EXPECT_EQ(aiNode[3]->x, 300);
    for (int i = 0; i < AINODE_COUNT + 5; i++)
        spawnNode(400 + 16 * i, 80, 1);
    EXPECT_EQ(liveNodes().size(), (size_t)AINODE_COUNT - 1);   // one pair shares a place
}

TEST_F(PathNodes, APlatformNodeWithNoLadderFoundBelowKeepsItsChance)
{
    startBout(ARENA_HELL, 2, 5);
    clearNodes();
    // A node in open air: no ladder above or below it.
    spawnNode(800, 150, 1);
    AiNode *n = aiNode[0];
    n->chance = 37;
    player2->aiGoalY = 900;
    updateNode();
    EXPECT_EQ(n->ladderDown, 0);
    EXPECT_EQ(n->chance, 37);
}

TEST_F(PathNodes, RebuildingTheWorldReusesTheNodeRecords)
{
    startBout(ARENA_LONDON, 2, 5);
    AiNode *first = aiNode[0], *last = aiNode[AINODE_COUNT - 1];
    ASSERT_NE(first->active, 0);
    setupPlayer2();
    EXPECT_EQ(aiNode[0], first);
    EXPECT_EQ(aiNode[AINODE_COUNT - 1], last);
    EXPECT_EQ(first->active, 0);
}

// A node at player 2's feet acts on his goal: a climb where the goal is above and the node
// stands on a ladder, with the chance the measured ladder gives; the node then rests.
TEST_F(PathNodes, ANodeUnderHisFeetMakesHimClimbTowardAGoalAbove)
{
    startBout(ARENA_HELL, 2, 5);
    // Hell's ladder in block column 11 stands on the floor at y 704.
    const AiNode *foot = nodeAt(11 * 32 + 12, 703);
    ASSERT_TRUE(foot != NULL);
    standP2(foot->x, 704);
    player2->aiGoalY = 100;
    player2->aiMove = AI_MOVE_LEFT;
    updateNode();
    EXPECT_EQ(player2->aiMove, AI_MOVE_CLIMB);
    EXPECT_EQ(foot->cooldown, 150);
    // Resting, it does not act again.
    player2->aiMove = AI_MOVE_LEFT;
    updateNode();
    EXPECT_EQ(player2->aiMove, AI_MOVE_LEFT);
}

}  // namespace
