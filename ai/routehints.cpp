// Route hints: hand-placed rectangles of arenas 1 to 7 where the computer, heading a given
// way, is told to climb, turn, hold or jump for a fixed landing point. Each arena's hints
// run in order; a later one overwrites what an earlier one wrote.
#include <stdlib.h>

#include "ai/opponent.h"
#include "core/fighter.h"
#include "core/probes.h"
#include "core/world.h"

namespace {

inline int in(int v, int lo, int hi) { return lo <= v && v <= hi; }

// Leave the jump request as it is.
enum { KEEP_REQUEST = -1 };

void aimJump(Fighter *f, int tx, int ty)
{
    f->aiJumpTargetX = tx;
    f->aiJumpTargetY = ty;
}

// A jump toward (tx, ty), with the request set as given.
void leap(Fighter *f, int request, int tx, int ty)
{
    if (request != KEEP_REQUEST)
        f->aiJumpRequest = request;
    aimJump(f, tx, ty);
    aiPlayer2Jump();
}

// Turn the given way, then leap.
void turnAndLeap(Fighter *f, int move, int request, int tx, int ty)
{
    f->aiMove = move;
    leap(f, request, tx, ty);
}

int carryingHome(const Fighter *f) { return f->aiGoalX == (int)(booth2->x + booth2->w); }

int climbingOrDropping(const Fighter *f)
{
    return f->aiMove == AI_MOVE_CLIMB || f->aiMove == AI_MOVE_DROP;
}

// The edge jumps of Hell's upper half probe this far out and down from the feet.
enum { EDGE_PROBE_DX = 20, EDGE_PROBE_DY = 35 };

void hellUpperEdgeJumps(Fighter *f, const AiBody &v)
{
    const int dx = EDGE_PROBE_DX, dy = EDGE_PROBE_DY, feet = v.feet + dy;
    const int goalNotBelow = f->aiGoalY < v.feet + 4;
    const int lx = v.x - dx - 1;
    if (collided(v.x - dx, feet + 2) && !collided(lx, feet + 1) && !collided(lx, feet + 2) &&
        !collided(lx, feet + 3) && f->onGround != 0 && f->aiMove == AI_MOVE_LEFT &&
        !laddertop(lx, feet + 4) && !laddertopside(lx, feet + 4) && goalNotBelow &&
        !stairs(v.x - dx - 3, feet + 4)) {
        f->aiJumpTargetY = v.feet;
        f->aiJumpRequest = 1;
        f->aiJumpTargetX = AI_STEER_LEFT;
        aiPlayer2Jump();
    }
    const int rx = v.x + v.w + 1 + dx;
    // The right side's ladder-top test looks at the feet's own height.
    if (collided(v.x + v.w + dx, feet + 2) && !collided(rx, feet + 1) && !collided(rx, feet + 2) &&
        !collided(rx, feet + 3) && f->onGround != 0 && f->aiMove == AI_MOVE_RIGHT &&
        !laddertop(rx, v.feet + 4) && !laddertopside(rx, feet + 4) && goalNotBelow &&
        !stairs(v.x + v.w + 3 + dx, feet + 4)) {
        f->aiJumpTargetY = v.feet;
        f->aiJumpRequest = 1;
        f->aiJumpTargetX = AI_STEER_RIGHT;
        aiPlayer2Jump();
    }
}

void hellLowerEdgesAndLandings(Fighter *f, const AiBody &v)
{
    if (collided(v.x, v.feet + 2) && !collided(v.x - 8, v.feet + 2) &&
        !collided(v.x - 8, v.feet + 9) && f->aiMove == AI_MOVE_LEFT)
        leap(f, 1, AI_STEER_LEFT, v.cy);
    if (collided(v.x + v.w, v.feet + 2) && !collided(v.x + v.w + 8, v.feet + 2) &&
        !collided(v.x + v.w + 8, v.feet + 9) && f->aiMove == AI_MOVE_RIGHT)
        leap(f, 1, 1595, v.cy);
    if (f->jumpPhase != JUMP_NONE && v.x + v.w / 3 < f->aiGoalX &&
        f->aiGoalX < v.x + 2 * (v.w / 3) && v.feet < f->aiGoalY &&
        collided(f->aiGoalX, f->aiGoalY + 15))
        aimJump(f, v.cx, v.feet + 8);
    if (f->jumpPhase == JUMP_FALLING)
        for (int k = 0; k <= 54; k++)
            if (collided(v.cx, v.feet + k)) {
                aimJump(f, v.cx, v.feet + k);
                break;
            }
}

void hellLowerLandings(Fighter *f, const AiBody &v)
{
    const int grounded = f->onGround != 0;
    if (f->aiMove == AI_MOVE_LEFT && !collided(v.x + v.w / 3 + 6, v.feet + 3) && grounded)
        f->aiMove = AI_MOVE_RIGHT;
    if (f->aiMove == AI_MOVE_RIGHT && !collided(v.x + 2 * (v.w / 3) - 6, v.feet + 3) && grounded)
        f->aiMove = AI_MOVE_LEFT;
    if (in(v.cx, 1059, 1096) && in(v.cy, 893, 962) && f->aiMove == AI_MOVE_RIGHT && grounded) {
        f->aiJumpRequest = 1;
        f->aiJumpTargetY = 895;
        aiPlayer2Jump();
    }
    if (in(v.cx, 1059, 1096) && in(v.cy, 933, 1004) && f->aiMove == AI_MOVE_LEFT && grounded)
        leap(f, 0, 1385, 941);
    if (in(v.cx, 1415, 1441) && in(v.cy, 899, 948) && f->aiMove == AI_MOVE_RIGHT && grounded)
        leap(f, 0, 1530, 989);
    if (in(v.cx, 1, 74) && in(v.cy, 933, 999) && f->aiMove == AI_MOVE_RIGHT && grounded)
        leap(f, 1, 185, 940);
    if (v.y >= 816 && v.x < 212 && !grounded && f->aiMove == AI_MOVE_RIGHT)
        aimJump(f, 216, 940);
    if (in(v.cx, 159, 218) && in(v.cy, 897, 952) && f->aiMove == AI_MOVE_LEFT && grounded)
        leap(f, 0, 48, 991);
}

void hellHints(Fighter *f, const AiBody &v)
{
    const int cx = v.cx, cy = v.cy;
    if (cy >= 734)
        f->aiJumpRequest = 1;
    if (in(cx, 711, 879) && in(cy, 751, 928) && f->jumpPhase == JUMP_FALLING)
        aimJump(f, 795, 1045);
    if (v.y <= 732)
        hellUpperEdgeJumps(f, v);
    if (v.y >= 734 && !climbingOrDropping(f))
        hellLowerEdgesAndLandings(f, v);
    if (in(v.x, 61, 1509) && in(v.y, 41, 732) && in(cx, 1, 79) && in(cy, 369, 519) &&
        f->wallGrabTimer != 0)
        f->aiMove = AI_MOVE_RIGHT;
    if (cy >= 734 && f->jumpPhase != JUMP_NONE && f->aiJumpTargetY >= 734 && !climbingOrDropping(f))
        hellLowerLandings(f, v);
    if (in(cx, 621, 669) && in(cy, 150, 219) && f->aiMove == AI_MOVE_RIGHT && f->aiGoalX > 990 &&
        f->aiGoalY < 300)
        leap(f, 1, AI_STEER_RIGHT, 0);
    if (in(cx, 941, 999) && in(cy, 150, 219) && f->aiMove == AI_MOVE_LEFT && f->aiGoalX < 627 &&
        f->aiGoalY < 300)
        leap(f, 1, AI_STEER_LEFT, 0);
    if (in(cx, 611, 634) && in(cy, 651, 719) && f->aiMove == AI_MOVE_RIGHT &&
        f->aiGoalY < v.feet + 2 && f->aiGoalX > 735)
        leap(f, 1, 800, 0);
    if (in(cx, 1011, 1059) && in(cy, 651, 719) && f->aiMove == AI_MOVE_LEFT &&
        f->aiGoalY < v.feet + 2 && f->aiGoalX < 871)
        leap(f, 1, 800, 0);
    if (in(cx, 339, 374) && in(cy, 526, 542) && f->aiGoalY < 526 && f->aiGoalX < 622 &&
        f->aiMove == AI_MOVE_CLIMB)
        f->aiMove = AI_MOVE_LEFT;
    if (in(cx, 1234, 1268) && in(cy, 526, 542) && f->aiGoalY < 526 && f->aiGoalX > 980 &&
        f->aiMove == AI_MOVE_CLIMB)
        f->aiMove = AI_MOVE_RIGHT;
    // Falling straight onto the jump target: stop steering.
    if (v.y >= 734 && f->jumpPhase != JUMP_NONE && v.x + v.w / 3 < f->aiJumpTargetX &&
        f->aiJumpTargetX < v.x + 2 * (v.w / 3) && f->aiJumpTargetY > v.feet + 3)
        f->aiMove = AI_MOVE_HOLD;
    const int airborne = f->onGround == 0;
    if (in(cx, 501, 549) && in(cy, 426, 524) && f->aiMove == AI_MOVE_LEFT && airborne)
        aimJump(f, 500, 545);
    if (in(cx, 1073, 1137) && in(cy, 417, 515) && f->aiMove == AI_MOVE_RIGHT && airborne)
        aimJump(f, 1111, 542);
    if (in(cx, 211, 259) && in(cy, 844, 942) && f->aiMove == AI_MOVE_LEFT && airborne)
        aimJump(f, 210, 943);
    if (in(cx, 1349, 1415) && in(cy, 809, 944) && f->aiMove == AI_MOVE_LEFT && airborne)
        aimJump(f, 1348, 945);
    if (in(cx, 681, 759) && in(cy, 246, 399) && f->aiMove == AI_MOVE_RIGHT)
        f->aiMove = AI_MOVE_HOLD;
}

void arena1Hints(Fighter *f, const AiBody &v)
{
    if (v.x + v.w > 670 && v.cx < 1080 && v.cy > 100 && v.feet < 280 && f->aiGoalX < 424 &&
        f->aiGoalY < 380 && ladder(v.cx, v.cy))
        f->aiMove = AI_MOVE_CLIMB;
}

void arena2Hints(Fighter *f, const AiBody &v)
{
    const int cx = v.cx, cy = v.cy, onLadder = ladder(cx, cy) != 0;
    if (in(cx, 691, 705) && v.y > 1030 && f->aiGoalX > 800 && onLadder)
        f->aiMove = AI_MOVE_CLIMB;
    if (in(cx, 904, 915) && v.y > 1030 && f->aiGoalX < 800 && onLadder)
        f->aiMove = AI_MOVE_CLIMB;
    if (in(cx, 571, 582) && v.y > 887 && cy < 1025 && f->aiGoalX < 520 && onLadder)
        f->aiMove = AI_MOVE_CLIMB;
    if (in(cx, 1021, 1034) && v.y > 887 && cy < 1025 && f->aiGoalX > 1061 && onLadder)
        f->aiMove = AI_MOVE_CLIMB;
    if (in(cx, 500, 514) && in(cy, 791, 860) && f->aiMove == AI_MOVE_LEFT)
        leap(f, KEEP_REQUEST, 0, cy);
    if (in(cx, 1073, 1104) && in(cy, 791, 860) && f->aiMove == AI_MOVE_RIGHT)
        leap(f, 1, 1212, 1012);
    if (in(cx, 738, 871) && in(cy, 627, 724))
        f->aiMove = rand() % 2;
    if (v.x + v.w > 1570)
        f->aiMove = AI_MOVE_LEFT;
    if (v.x < 30)
        f->aiMove = AI_MOVE_RIGHT;
    if (in(cx, 1163, 1179) && in(cy, 981, 1127) && f->aiMove == AI_MOVE_LEFT) {
        aimJump(f, 1173, 1168);
        f->aiMove = AI_MOVE_RIGHT;
    }
    if (in(cx, 1052, 1079) && in(cy, 451, 493) && f->aiMove == AI_MOVE_LEFT && f->aiGoalY < 610)
        leap(f, KEEP_REQUEST, 912, 573);
    if (in(cx, 511, 549) && in(cy, 451, 493) && f->aiMove == AI_MOVE_RIGHT && f->aiGoalY < 610)
        leap(f, KEEP_REQUEST, 684, 569);
    if (in(cx, 419, 444) && in(cy, 981, 1072) && f->aiMove == AI_MOVE_RIGHT)
        aimJump(f, 431, 1168);
    if (in(cx, 1209, 1589) && in(cy, 951, 1015) && carryingHome(f) &&
        f->aiGoalY == (int)(booth2->y + booth2->h) && f->aiEvadeTimer == 0)
        f->aiMove = AI_MOVE_LEFT;
    if (in(cx, 421, 449) && in(cy, 901, 1049) && f->jumpPhase != JUMP_NONE)
        aimJump(f, 431, 1168);
    if (in(cx, 1377, 1412) && in(cy, 730, 745) && laddertop(cx, v.feet + 1))
        f->aiMove = AI_MOVE_RIGHT;
    if (cy < 930 && f->aiJumpTargetX > 1480 && f->aiJumpTargetY > 770 && f->onGround == 0)
        aimJump(f, 0, 0);
}

void arena3Hints(Fighter *f, const AiBody &v)
{
    const int cx = v.cx, cy = v.cy;
    const int onLadderTop = laddertop(cx, v.feet + 1) != 0;
    if (in(cx, 416, 489) && in(cy, 848, 914) && onLadderTop && f->aiGoalY < v.y)
        f->aiMove = AI_MOVE_LEFT;
    if (in(cx, 1111, 1193) && in(cy, 848, 914) && onLadderTop && f->aiGoalY < v.y)
        f->aiMove = AI_MOVE_RIGHT;
    if (cx > 1525 && in(cy, 431, 529))
        f->aiMove = AI_MOVE_LEFT;
    if (v.x < 65 && in(cy, 431, 529))
        f->aiMove = AI_MOVE_RIGHT;
    if (cx > 1416 && in(cy, 571, 664))
        f->aiMove = AI_MOVE_LEFT;
    if (v.x < 184 && in(cy, 571, 664))
        f->aiMove = AI_MOVE_RIGHT;
    if (cx > 1520 && in(cy, 707, 804))
        f->aiMove = AI_MOVE_LEFT;
    if (v.x < 69 && in(cy, 707, 804) && f->aiMove == AI_MOVE_LEFT)
        f->aiMove = AI_MOVE_RIGHT;
    if (in(cx, 83, 138) && in(cy, 221, 257) && onLadderTop && f->aiGoalY < 310)
        f->aiMove = AI_MOVE_RIGHT;
    if (in(cx, 1451, 1506) && in(cy, 221, 257) && onLadderTop && f->aiGoalY < 310)
        f->aiMove = AI_MOVE_LEFT;
    if (v.x + v.w > 1560 && in(cy, 365, 1010))
        f->aiMove = AI_MOVE_LEFT;
    if (v.x < 40 && in(cy, 365, 1010))
        f->aiMove = AI_MOVE_RIGHT;
    if (in(cx, 1385, 1458) && in(cy, 281, 362) && f->onGround != 0 && f->aiGoalY < v.y + 10)
        f->aiMove = AI_MOVE_RIGHT;
}

void arena4Hints(Fighter *f, const AiBody &v)
{
    const int cx = v.cx, cy = v.cy, right = v.x + v.w;
    const int gx = f->aiGoalX, gy = f->aiGoalY;
    if (in(cx, 581, 609) && in(cy, 871, 929) && f->aiMove == AI_MOVE_LEFT)
        leap(f, 0, 553, 879);
    if (in(cx, 991, 1019) && in(cy, 871, 929) && f->aiMove == AI_MOVE_RIGHT)
        leap(f, 0, 1047, 887);
    if (in(cx, 146, 209) && in(cy, 571, 654) && in(gx, 301, 644) && in(gy, 454, 613) &&
        f->aiMove != AI_MOVE_DROP)
        turnAndLeap(f, AI_MOVE_RIGHT, 1, 303, 590);
    if (in(cx, 1405, 1460) && in(cy, 571, 654) && in(gx, 958, 1308) && in(gy, 454, 613) &&
        f->aiMove != AI_MOVE_DROP)
        turnAndLeap(f, AI_MOVE_LEFT, 1, 1293, 590);
    if (in(cx, 1101, 1199) && in(cy, 616, 739) && gx > 800 && gy < cy)
        f->aiMove = AI_MOVE_RIGHT;
    if (in(cx, 401, 499) && in(cy, 616, 739) && gx < 800 && gy < cy)
        f->aiMove = AI_MOVE_LEFT;
    if (cx > 1435 && in(cy, 841, 933) && f->aiMove == AI_MOVE_LEFT && gy > 934)
        turnAndLeap(f, AI_MOVE_LEFT, KEEP_REQUEST, 1393, 880);
    if (in(right, 201, 234) && in(cy, 369, 431) && f->aiMove == AI_MOVE_RIGHT && gx > 266 && gy < 432)
        leap(f, 1, 272, 337);
    if (in(right, 142, 167) && in(cy, 881, 919) && f->aiMove == AI_MOVE_RIGHT && gx > 184 && gy > 805)
        leap(f, 1, 185, 888);
    if (in(right, 1518, 1544) && in(cy, 597, 649) && f->aiMove == AI_MOVE_RIGHT && gx < right)
        f->aiMove = AI_MOVE_LEFT;
    if (in(v.x, 51, 88) && in(cy, 597, 649) && f->aiMove == AI_MOVE_LEFT && v.x < gx)
        f->aiMove = AI_MOVE_RIGHT;
    if (in(cx, 734, 752) && in(cy, 878, 926) && gx > 852 && gy < 1030 && f->aiMove == AI_MOVE_RIGHT)
        leap(f, 1, AI_STEER_RIGHT, 920);
    if (in(cx, 852, 886) && in(cy, 878, 926) && gx < 756 && gy < 1030 && f->aiMove == AI_MOVE_LEFT)
        leap(f, 1, AI_STEER_LEFT, 926);
}

void arena6Hints(Fighter *f, const AiBody &v)
{
    const int cx = v.cx, cy = v.cy, gx = f->aiGoalX, gy = f->aiGoalY;
    const int grounded = f->onGround != 0;
    if (in(cx, 631, 699) && in(cy, 531, 579) && gy < 470 && gx < 565 && grounded)
        turnAndLeap(f, AI_MOVE_LEFT, 0, 555, 447);
    if (in(cx, 488, 559) && in(cy, 410, 449) && gy < 330 && gx < 454 && grounded)
        turnAndLeap(f, AI_MOVE_LEFT, 0, 440, 328);
    if (in(cx, 916, 973) && in(cy, 531, 579) && gy < 470 && gx > 1040 && grounded)
        turnAndLeap(f, AI_MOVE_RIGHT, 0, 1048, 447);
    if (in(cx, 1046, 1110) && in(cy, 410, 449) && gy < 330 && gx > 1155 && grounded)
        turnAndLeap(f, AI_MOVE_RIGHT, 0, 1153, 328);
    if (in(cx, 686, 719) && in(cy, 516, 579) && gx > 880 && grounded)
        turnAndLeap(f, AI_MOVE_RIGHT, 0, 900, 577);
    if (in(cx, 891, 928) && in(cy, 516, 579) && gx < 720 && grounded)
        turnAndLeap(f, AI_MOVE_LEFT, 0, 710, 577);
    if (in(cx, 801, 909) && in(cy, 1071, 1179) && carryingHome(f) && grounded)
        turnAndLeap(f, AI_MOVE_RIGHT, 0, 1049, 1016);
    const int fallingFree = gy < 1030 && !grounded && f->jumpPhase == JUMP_FALLING;
    if (in(cx, 686, 719) && in(cy, 471, 499) && fallingFree && f->aiMove == AI_MOVE_RIGHT)
        aimJump(f, cx, v.feet + 4);
    if (in(cx, 891, 928) && in(cy, 471, 499) && fallingFree && f->aiMove == AI_MOVE_LEFT)
        aimJump(f, cx, v.feet + 4);
    if (in(cx, 1169, 1206) && in(cy, 955, 1016) && carryingHome(f) && f->aiMove == AI_MOVE_CLIMB)
        f->aiMove = AI_MOVE_RIGHT;
}

void arena7Hints(Fighter *f, const AiBody &v)
{
    const int cx = v.cx, cy = v.cy, gx = f->aiGoalX, gy = f->aiGoalY;
    const int grounded = f->onGround != 0, onLadder = ladder(cx, cy) != 0;
    if (in(cx, 753, 835) && in(cy, 933, 978) && carryingHome(f) && grounded)
        turnAndLeap(f, AI_MOVE_RIGHT, 1, AI_STEER_RIGHT, v.y - v.h);
    if (in(cx, 710, 751) && in(cy, 868, 919) && gx > 856 && grounded)
        turnAndLeap(f, AI_MOVE_RIGHT, 0, 863, 920);
    if (in(cx, 857, 892) && in(cy, 868, 919) && gx < 752 && grounded)
        turnAndLeap(f, AI_MOVE_LEFT, 0, 745, 920);
    if (v.x < 656 && f->jumpPhase != JUMP_NONE && gy < cy && onLadder)
        f->aiMove = AI_MOVE_CLIMB;
    if (v.x + v.w > 992 && f->jumpPhase != JUMP_NONE && gy < cy && onLadder)
        f->aiMove = AI_MOVE_CLIMB;
    if (in(cx, 748, 862) && (laddertop(cx, v.feet + 2) || laddertopside(cx, v.feet + 2))) {
        if (gx < 700)
            turnAndLeap(f, AI_MOVE_LEFT, 1, 700, 532);
        else if (gx > 900)
            turnAndLeap(f, AI_MOVE_RIGHT, 1, 900, 532);
    }
    if (in(cx, 1148, 1201) && in(cy, 877, 919) && carryingHome(f) && f->aiMove == AI_MOVE_CLIMB)
        f->aiMove = AI_MOVE_RIGHT;
    if (in(cx, 901, 929) && in(cy, 484, 539) && gx < 705 && gy < 590 && grounded)
        turnAndLeap(f, AI_MOVE_LEFT, 1, 710, 534);
    if (in(cx, 686, 709) && in(cy, 484, 539) && gx > 900 && gy < 590 && grounded)
        turnAndLeap(f, AI_MOVE_RIGHT, 1, 900, 534);
    const int midGoal = in(gy, 628, 756);
    if (in(cx, 406, 457) && in(cy, 873, 920) && gx < 365 && midGoal && grounded && onLadder)
        f->aiMove = AI_MOVE_CLIMB;
    if (in(cx, 406, 457) && in(cy, 649, 687) && gx < 365 && midGoal && onLadder)
        turnAndLeap(f, AI_MOVE_LEFT, 0, 362, 751);
    if (in(cx, 1152, 1201) && in(cy, 873, 920) && gx > 1241 && midGoal && grounded && onLadder)
        f->aiMove = AI_MOVE_CLIMB;
    if (in(cx, 1152, 1201) && in(cy, 649, 687) && gx > 1241 && midGoal && onLadder)
        turnAndLeap(f, AI_MOVE_RIGHT, 0, 1241, 751);
    const int calm = grounded && f->aiEvadeTimer == 0;
    if (cx < 191 && cy < 587 && calm && (gx > 191 || gy > 587))
        f->aiMove = AI_MOVE_RIGHT;
    if (cx > 1420 && cy < 587 && calm && (gx < 1420 || gy > 587))
        f->aiMove = AI_MOVE_LEFT;
    const int climbingMid = v.y > 615 && v.feet < 865 && f->aiMove == AI_MOVE_CLIMB && v.y < gy;
    if (in(cx, 753, 784) && climbingMid && gx < cx)
        f->aiMove = AI_MOVE_LEFT;
    if (in(cx, 825, 854) && climbingMid && cx < gx)
        f->aiMove = AI_MOVE_RIGHT;
}

}  // namespace

void aiRouteHints(Fighter *f, const AiBody &v)
{
    switch (map) {
    case ARENA_SMOG_CITY: arena1Hints(f, v); break;
    case ARENA_BEAST: arena2Hints(f, v); break;
    case ARENA_MONKEY: arena3Hints(f, v); break;
    case ARENA_ARMY: arena4Hints(f, v); break;
    case ARENA_HELL: hellHints(f, v); break;
    case ARENA_MOON: arena6Hints(f, v); break;
    case ARENA_TRAINS: arena7Hints(f, v); break;
    default: break;
    }
}
