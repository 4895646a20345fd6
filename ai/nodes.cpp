// The path nodes at work: each tick a node measures its ladder and tells the computer
// opponent where to climb, drop through or leap for a ladder. The node records and the scan
// that places them are core/nodes.h's.
#include <stdlib.h>

#include "ai/opponent.h"
#include "arena/effects.h"
#include "core/fighter.h"
#include "core/nodes.h"
#include "core/probes.h"
#include "core/settings.h"
#include "core/world.h"

namespace {

inline int between(int v, int lo, int hi) { return lo < v && v < hi; }

// A node may send him leaping at it from up to 150 px away: from level 2 on, off arenas 3, 9
// and 21, and not while it rests.
int mayLeap(const AiNode *n)
{
    return n->cooldown == 0 && map != ARENA_MONKEY && map != ARENA_FANTASTIC && map != ARENA_SMUG &&
           AIcomp > 1;
}

// He fires on the way when player 1 is ahead and he holds the gun.
void fireAheadWithGun(Fighter *f, int p1Ahead)
{
    if (p1Ahead && f->weapon == WEAPON_GIBBER)
        aiPlayer2Shoot();
}

void measureAndWeigh(AiNode *n, const Fighter *f)
{
    if (ladder(n->x, n->y - n->ladderUp))
        n->ladderUp += 1;
    const int onLadder = ladder(n->x, n->y) != 0;
    if (onLadder && f->aiGoalY < n->y) {
        n->chance = (n->y - f->aiGoalY) * 100 / n->ladderUp;
        if (n->chance > 100)
            n->chance = 100;
    }
    if (ladder(n->x, n->y + n->ladderDown + 10))
        n->ladderDown += 1;
    // A platform node whose ladder below has not been found yet keeps its chance.
    if (!onLadder && n->y < f->aiGoalY && n->ladderDown > 0) {
        n->chance = (f->aiGoalY - n->y) * 100 / n->ladderDown;
        if (n->chance > 100)
            n->chance = 100;
    }
}

void adviseAndAct(AiNode *n, Fighter *f)
{
    const int x = n->x, y = n->y;
    const int px = f->x, py = f->y, w = f->w, h = f->h;
    if (f->aiGoalX < x)
        n->advice = NODE_GOAL_LEFT;
    else if (f->aiGoalX > x)
        n->advice = NODE_GOAL_RIGHT;
    if (f->aiGoalY < y && ladder(x, y - 2))
        n->advice = NODE_CLIMB;
    if (f->aiGoalY > y && !collided(x, y + 3))
        n->advice = NODE_DROP;
    if (n->cooldown > 0)
        n->cooldown -= 1;

    const int underMiddle = between(x, px + w / 3, px + 2 * (w / 3));
    const int atFeet = between(y, py + h - 4, py + h + 5);
    if (underMiddle && atFeet && ladder(x, y) && n->advice == NODE_CLIMB && n->cooldown == 0) {
        n->cooldown = 150;
        if (rand() % 100 <= n->chance)
            f->aiMove = AI_MOVE_CLIMB;
    }
    // Leap for a ladder ahead.
    const int ladderLeap = n->chance == 100 && between(y, py + h - 8, py + h + 2) && ladder(x, y) &&
                           n->advice == NODE_CLIMB && mayLeap(n);
    if (f->aiMove == AI_MOVE_LEFT && ladderLeap && between(x, px - 150, px - 35)) {
        f->aiJumpTargetY = py + h / 2;
        f->aiJumpTargetX = AI_STEER_LEFT;
        aiPlayer2Jump();
        fireAheadWithGun(f, player->x < px);
    }
    if (f->aiMove == AI_MOVE_RIGHT && ladderLeap && between(x, px + w + 35, px + w + 150)) {
        f->aiJumpTargetY = py + h / 2;
        f->aiJumpTargetX = AI_STEER_RIGHT;
        aiPlayer2Jump();
        fireAheadWithGun(f, px < player->x);
    }
    if (underMiddle && atFeet && laddertop(x, y + 2) && n->advice == NODE_DROP && n->cooldown == 0) {
        if (rand() % 100 <= n->chance)
            f->aiMove = AI_MOVE_DROP;
        n->cooldown = 150;
    }
    // Rest after climbing or dropping through.
    const int acrossBody = between(x, px, px + w);
    if (acrossBody && between(y, py - 2, py + 20) && laddertop(x, y + 2) &&
        f->aiMove == AI_MOVE_CLIMB && n->cooldown == 0)
        n->cooldown = 200;
    if (acrossBody && between(y, py + h - 5, py + h + 10) && ladder(x, y) &&
        f->aiMove == AI_MOVE_DROP && n->cooldown == 0)
        n->cooldown = 200;
    // Leap over a gap onto a platform ahead.
    const int gapLeap = n->advice == NODE_DROP && n->chance == 100 &&
                        between(y, py + h - 8, py + h + 4) && laddertop(x, y + 4) &&
                        f->slideArmed == 1 && f->knockX == 0 && f->onGround == 1 && mayLeap(n);
    if (f->aiMove == AI_MOVE_LEFT && gapLeap && between(x, px - 150, px - 35) &&
        !collided(px, py - h)) {
        f->aiJumpTargetX = x;
        f->aiJumpTargetY = y;
        aiPlayer2Jump();
        fireAheadWithGun(f, player->x < px);
    }
    if (f->aiMove == AI_MOVE_RIGHT && gapLeap && between(x, px + 35, px + w + 150) &&
        !collided(px + w, py - h)) {
        f->aiJumpTargetX = x;
        f->aiJumpTargetY = y;
        aiPlayer2Jump();
        fireAheadWithGun(f, px < player->x);
    }
    // Steering onto a platform below in mid-air (top level only).
    const int below = f->onGround == 0 && acrossBody && between(y, py + h, py + 200) &&
                      laddertop(x, y + 4) && n->cooldown == 0 && f->knockX == 0 &&
                      n->advice == NODE_DROP && AIcomp == 3;
    if (below && n->chance == 100) {
        f->aiJumpTargetX = x;
        f->aiJumpTargetY = y;
    }
    if (below && f->aiEvadeTimer != 0) {
        f->aiJumpTargetX = x;
        f->aiJumpTargetY = y;
    }
}

}  // namespace

void updateNode()
{
    Fighter *f = player2;
    for (int i = 0; i < AINODE_COUNT; i++) {
        AiNode *n = aiNode[i];
        if (!n || n->active == 0)
            continue;
        measureAndWeigh(n, f);
        if (n->type == 1)
            adviseAndAct(n, f);
    }
}
