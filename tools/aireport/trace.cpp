#include "tools/aireport/trace.h"

#include <stdio.h>
#include <string.h>

#include "core/fighter.h"
#include "core/nodes.h"
#include "core/world.h"
#include "shell/loop.h"

namespace {

struct Snap {
    int tick;
    int x, y, feet, cx, cy;
    int move, goalX, goalY, jumpX, jumpY, phase, onGround, carried, hunting;
    int node;          // index of the node that changed his plan this tick, -1 none
    int nodeMove;      // the direction that node left
    char keys[8];      // the flags his movement read this tick: L R U D J F B
    int state;
};

enum { KEEP = 240 };
Snap ring[KEEP];
int count = 0;
int wasAlive = 1;
int windowFrom = -1, windowTo = -1;

// Node watch: the plan before updateNode, and which node changed it.
int beforeMove, beforeJumpX, beforeJumpY;
int pendingNode = -1, pendingMove = 0;
char keysRead[8] = "-------";

// The trip with cubes under way.
int carrying = 0, tripStart = 0, tripX = 0, tripY = 0;

// The rectangles of Hell's route hints that steer him (centre ranges), to name the one he
// is in.
struct Rect {
    const char *name;
    int cx0, cx1, cy0, cy1;
};
const Rect hellHints[] = {
    {"fall:island", 711, 879, 751, 928},        {"low:jump-up-right", 1059, 1096, 893, 962},
    {"low:jump-back-right", 1059, 1096, 933, 1004}, {"low:to-right-ledge", 1415, 1441, 899, 948},
    {"low:off-left-ledge", 1, 74, 933, 999},     {"low:to-left-ledge", 159, 218, 897, 952},
    {"top-gap:right", 621, 669, 150, 219},      {"top-gap:left", 941, 999, 150, 219},
    {"up-to-centre:right", 611, 634, 651, 719}, {"up-to-centre:left", 1011, 1059, 651, 719},
    {"ladder-top:left", 339, 374, 526, 542},    {"ladder-top:right", 1234, 1268, 526, 542},
    {"land:left-544", 501, 549, 426, 524},      {"land:right-544", 1073, 1137, 417, 515},
    {"land:left-low", 211, 259, 844, 942},      {"land:right-low", 1349, 1415, 809, 944},
    {"hold:over-centre", 681, 759, 246, 399},
};

const char *hintAt(int cx, int cy)
{
    if (map != ARENA_HELL)
        return "";
    for (const Rect &r : hellHints)
        if (r.cx0 <= cx && cx <= r.cx1 && r.cy0 <= cy && cy <= r.cy1)
            return r.name;
    return cy >= 734 ? "lower" : "";
}

const char *moveName(int m)
{
    static const char *names[] = {"LEFT", "RIGHT", "CLIMB", "DROP", "HOLD"};
    return m >= 0 && m <= 4 ? names[m] : "?";
}

void onStep(const char *step)
{
    const Fighter *f = player2;
    if (!strcmp(step, "playerGravity")) {
        const int flags[7] = {pd1, pd2, up2, down2, jump2, fire2, laybomb2};
        for (int i = 0; i < 7; i++)
            keysRead[i] = flags[i] ? "LRUDJFB"[i] : '-';
    }
    if (!strcmp(step, "updateNode")) {
        beforeMove = f->aiMove;
        beforeJumpX = f->aiJumpTargetX;
        beforeJumpY = f->aiJumpTargetY;
    } else if (!strcmp(step, "draw")) {
        if (f->aiMove != beforeMove || f->aiJumpTargetX != beforeJumpX || f->aiJumpTargetY != beforeJumpY) {
            // The node he stands on or runs toward: the nearest one.
            int best = -1, bestD = 1 << 30;
            for (int i = 0; i < AINODE_COUNT; i++) {
                const AiNode *n = aiNode[i];
                if (!n || !n->active)
                    continue;
                const int dx = n->x - (f->x + f->w / 2), dy = n->y - (f->y + f->h);
                const int d = dx * dx + dy * dy;
                if (d < bestD)
                    bestD = d, best = i;
            }
            pendingNode = best;
            pendingMove = f->aiMove;
        }
    }
}

void printSnap(const Snap &s)
{
    printf("  t%6d  at (%4d,%4d) feet %4d  %-5s goal (%4d,%4d) jump->(%4d,%4d) %s%s %s st%d cubes %d %s",
           s.tick, s.cx, s.cy, s.feet, moveName(s.move), s.goalX, s.goalY, s.jumpX, s.jumpY,
           s.phase == 0 ? "ground" : s.phase == 1 ? "rising" : "fall  ", s.onGround ? "+" : " ", s.keys, s.state,
           s.carried, hintAt(s.cx, s.cy));
    if (s.node >= 0) {
        const AiNode *n = aiNode[s.node];
        printf("  node %d (%d,%d) up %d down %d chance %d advice %d -> %s", s.node, n->x, n->y, n->ladderUp,
               n->ladderDown, n->chance, n->advice, moveName(s.nodeMove));
    }
    printf("\n");
}

int planChanged(const Snap *prev, const Snap &s)
{
    return !prev || prev->move != s.move || prev->phase != s.phase || prev->jumpX != s.jumpX ||
           prev->jumpY != s.jumpY || s.node >= 0 || (s.tick % 60) == 0;
}

// The last seconds before a death: every tick on which his plan changed, and one a second.
void printHistory()
{
    const int n = count < KEEP ? count : KEEP;
    const Snap *prev = NULL;
    for (int k = n; k >= 1; k--) {
        const Snap &s = ring[(count - k) % KEEP];
        if (planChanged(prev, s) || k <= 3)
            printSnap(s);
        prev = &s;
    }
}

}  // namespace

void traceWindow(int from, int to)
{
    windowFrom = from;
    windowTo = to;
}

namespace {

void traceBegin(const StandingBoutJob &job)
{
    printf("=== %s level %d seed %u\n", job.arena == ARENA_HELL ? "Hell" : "London", job.level, job.seed);
    frameStepHook = onStep;
    count = 0;
    wasAlive = 1;
    carrying = 0;
}

void traceTick(int tick)
{
    const Fighter *f = player2;
    Snap s = {tick, f->x, f->y, f->y + f->h, f->x + f->w / 2, f->y + f->h / 2, f->aiMove, f->aiGoalX,
              f->aiGoalY, f->aiJumpTargetX, f->aiJumpTargetY, f->jumpPhase, f->onGround, f->cubesCarried,
              f->aiCubeHunting, pendingNode, pendingMove, {0}, f->state};
    memcpy(s.keys, keysRead, sizeof s.keys);
    pendingNode = -1;
    if (windowFrom <= tick && tick <= windowTo)
        printSnap(s);
    if (f->health > 0 || wasAlive)
        ring[count++ % KEEP] = s;
    if (wasAlive && f->health <= 0) {
        printf("death at t%d (%.1f s), at (%d,%d), feet %d%s\n", tick, tick / 60.0, s.cx, s.cy, s.feet,
               s.feet > 1150 && map == ARENA_HELL ? " in the lava" : "");
        printHistory();
    }
    wasAlive = f->health > 0;
    if (f->cubesCarried > carrying && carrying == 0) {
        tripStart = tick;
        tripX = s.cx;
        tripY = s.cy;
    }
    if (f->cubesCarried > 0 && (tick - tripStart) % 600 == 599)
        printf("trip from t%d (%d,%d): at t%d still carrying %d at (%d,%d) %s goal (%d,%d)\n", tripStart, tripX,
               tripY, tick, f->cubesCarried, s.cx, s.cy, moveName(s.move), s.goalX, s.goalY);
    if (f->cubesCarried < carrying)
        printf("trip from t%d (%d,%d): %s %d cube(s) at t%d (%.1f s later) at (%d,%d)\n", tripStart, tripX, tripY,
               f->health > 0 ? "cashed" : "lost", carrying, tick, (tick - tripStart) / 60.0, s.cx, s.cy);
    carrying = f->cubesCarried;
}

void traceBoutEnd(const StandingBout &r)
{
    if (carrying > 0)
        printf("trip from t%d (%d,%d): bout ended carrying %d\n", tripStart, tripX, tripY, carrying);
    printf("bout: %d ticks, deaths %d (lava %d), cubes taken %d cashed %d, %s, power %d to %d\n", r.ticks,
           r.ownDeaths, r.lavaDeaths, r.cubesTaken, r.cubesCashed, !r.ended ? "no end" : r.won ? "won" : "lost",
           player->power, player2->power);
    frameStepHook = NULL;
}

}  // namespace

const StandingBoutWatch traceWatch = {traceBegin, traceTick, traceBoutEnd};
