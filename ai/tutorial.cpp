#include "ai/tutorial.h"

#include <allegro.h>
#include <stdlib.h>

#include "ai/opponent.h"
#include "arena/levels.h"
#include "arena/pickups.h"
#include "arena/weather.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/match.h"
#include "core/nodes.h"
#include "core/pixelpass.h"
#include "core/probes.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/tutorial.h"
#include "core/world.h"
#include "fighters/drawfighter.h"

int seenJump, seenUp, seenDown, seenDoubleJump, seenWallJump, seenLadderTrick, seenBackFire,
    seenSlide, seenBomb;

enum { TUTORIAL_BOOTH_Y = 1037 };

// Small hint pictures are 200 x 100, big stage pictures 465 x 248, all in one row.
enum { SMALL_COUNT = 17, SMALL_W = 200, SMALL_H = 100, BIG_COUNT = 18, BIG_W = 465, BIG_H = 248 };

// Where the pictures stand on the playfield.
enum {
    BIG_X = 573, BIG_Y = 494,
    BOOTH_SIGN_Y = 970, GREEN_BOOTH_SIGN_X = 43, PURPLE_BOOTH_SIGN_X = 1430,
    RESPAWN_SIGN_X = 96, RESPAWN_SIGN_Y = 1089,
    WALL_SIGN_Y = 900,
    LADDER_SIGN_Y = 410
};

// Small pictures that are not a hint rectangle's own.
enum {
    SIGN_BASE = 0, SIGN_CUBE = 6, SIGN_BOX = 7, SIGN_LADDER_TRICK = 8, SIGN_CUBES_FULL = 11,
    SIGN_PAYBACK = 13, SIGN_RESPAWN = 14, SIGN_YOU_GREEN = 15, SIGN_ENEMY_PURPLE = 16
};

// Big pictures shown by the pause itself when a power pool ran dry.
enum { BIG_PURPLE_WON = 15, BIG_GREEN_WON = 16 };

// The stage from which the tutorial plays like a bout: damage counts, the box goes to
// player 2 too, and an empty pool ends it.
enum { LAST_STAGE = 12 };

// Player 2 is handed to the computer once player 1 is this far into the course, or once
// player 2 has walked this far from his booth after player 1's first spawn.
enum { HANDOVER_X = 365, PLAYER2_HANDOVER_X = 1200 };

// A key ends a pause once it has lasted this many ticks.
enum { PAUSE_MIN_TICKS = 20 };

// Both pools are refilled to this while a pause holds the game.
enum { REFILLED_POWER = 200 };

// Where a rectangle's small picture goes: beside player 1 at his head's height, or beside
// him at the wall-jump signs' height.
enum SignPlace { SIGN_RIGHT, SIGN_LEFT, SIGN_RIGHT_AT_WALL, SIGN_LEFT_AT_WALL };

enum { ANY_FACING = -1 };

struct HintRect {
    int cxMin, cxMax;   // player 1's centre x, inclusive
    int facing;         // Facing, or ANY_FACING
    int picture;        // entry of tutorialtext
    int place;          // SignPlace
};

struct Hint {
    int *seen;
    int yMin, yMax;     // player 1's centre y, inclusive (his top y when climbingUp)
    int climbingUp;     // 1: the rectangles hold only while he climbs up
    int rectCount;
    HintRect rects[4];
};

// The course: each place where a move is taught, in the order they are tested.
static const Hint hints[] = {
    {&seenJump, 1098, 1166, 0, 4,
     {{369, 454, FACING_RIGHT, 1, SIGN_RIGHT}, {545, 630, FACING_LEFT, 1, SIGN_RIGHT},
      {977, 1062, FACING_RIGHT, 1, SIGN_RIGHT}, {1153, 1238, FACING_LEFT, 1, SIGN_RIGHT}}},
    {&seenUp, 1112, 1166, 0, 2,
     {{633, 670, ANY_FACING, 2, SIGN_RIGHT}, {937, 974, ANY_FACING, 2, SIGN_RIGHT}}},
    {&seenDown, 960, 1014, 0, 2,
     {{633, 670, ANY_FACING, 3, SIGN_RIGHT}, {937, 974, ANY_FACING, 3, SIGN_RIGHT}}},
    {&seenDoubleJump, 945, 1014, 0, 2,
     {{673, 766, FACING_RIGHT, 4, SIGN_RIGHT}, {841, 934, FACING_LEFT, 4, SIGN_RIGHT}}},
    {&seenWallJump, 921, 1014, 0, 2,
     {{41, 183, FACING_LEFT, 5, SIGN_RIGHT_AT_WALL},
      {1416, 1558, FACING_RIGHT, 12, SIGN_LEFT_AT_WALL}}},
    {&seenLadderTrick, 506, 515, 1, 2,
     {{217, 270, ANY_FACING, 8, SIGN_RIGHT}, {1329, 1382, ANY_FACING, 8, SIGN_RIGHT}}},
    {&seenBackFire, 421, 510, 0, 2,
     {{346, 382, FACING_RIGHT, 9, SIGN_RIGHT}, {1217, 1259, FACING_LEFT, 9, SIGN_RIGHT}}},
    {&seenSlide, 164, 214, 0, 2,
     {{1, 678, ANY_FACING, 10, SIGN_RIGHT}, {929, 1599, ANY_FACING, 10, SIGN_LEFT}}},
};
// The ladder trick's entry in the table above.
enum { LADDER_TRICK_HINT = 5 };

// While a pause holds him on the ladder-trick ladders in this band, he is put where the jump
// from the ladder top works.
enum { LADDER_HOLD_TOP = 491, LADDER_HOLD_BOTTOM = 524, LADDER_HOLD_Y = 510 };

static int centreX(const Fighter *f) { return f->x + f->w / 2; }
static int centreY(const Fighter *f) { return f->y + f->h / 2; }

static int within(int v, int lo, int hi) { return v >= lo && v <= hi; }

static int inCxRange(const Fighter *f, const HintRect &r)
{
    return within(centreX(f), r.cxMin, r.cxMax);
}

static int inRect(const Fighter *f, const Hint &h, const HintRect &r)
{
    if (!inCxRange(f, r))
        return 0;
    if (r.facing != ANY_FACING && f->facing != r.facing)
        return 0;
    if (h.climbingUp)
        return f->state == FIGHTER_CLIMB_UP && within(f->y, h.yMin, h.yMax);
    return within(centreY(f), h.yMin, h.yMax);
}

// ---- Set-up.

static BITMAP *dataBitmap(int entry)
{
    return (BITMAP *)data[entry].dat;
}

static void cutTutorialPictures()
{
    BITMAP *small = dataBitmap(DAT_TUTORIAL_TEXT);
    for (int i = 0; i < SMALL_COUNT; i++)
        tutorialtext[i] = grabframe(small, SMALL_W, SMALL_H, 0, 0, SMALL_COUNT, i);
    BITMAP *big = dataBitmap(DAT_TUTORIAL_TEXT_BIG);
    for (int i = 0; i < BIG_COUNT; i++)
        tutorialtextBig[i] = grabframe(big, BIG_W, BIG_H, 0, 0, BIG_COUNT, i);
}

void setupTutorial()
{
    loadLevelMap("Tutorial.fmp");
    prebuffer = dataBitmap(DAT_TUTORIAL_BACKGROUND);
    if (loadedTutorial == 0) {
        cutTutorialPictures();
        loadedTutorial = 1;
        tutorialBooth = dataBitmap(DAT_TUTORIAL_BOOTH);
    }
    // The tutorial's booth pictures are drawn over the booths every frame; nothing is
    // painted into the stain layer.
    placeBases(TUTORIAL_BOOTH_Y);
    placeMonitors();
    // No weather here; the roll only keeps the random sequence as the other levels draw it.
    weather = rand() % 100;
    // The computer takes player 2 over during the bout, so its nodes are always wanted.
    clearNodes();
    scanNodes();
    for (const Hint &h : hints)
        *h.seen = 0;
    seenBomb = 0;
    powerupspawncount = 38;
    p2cpu = 0;
    startLevelScreen(SCREEN_TUTORIAL);
}

// ---- The tick.

// The box's centre, the halves whole and the sums not.
static double boxCentreX(const Cube *b) { return b->x + b->w / 2; }
static double boxCentreY(const Cube *b) { return b->y + b->h / 2; }

// 1 when the box's centre lies strictly inside player 2's box widened by `side` px left and
// right, `above` px up and `below` px down.
static int boxNearPlayer2(const Cube *b, int side, int above, int below)
{
    const Fighter *p2 = player2;
    double bx = boxCentreX(b), by = boxCentreY(b);
    return bx > p2->x - side && bx < p2->x + p2->w + side && by > p2->y - above &&
           by < p2->y + p2->h + below;
}

// From the last stage on, player 2 takes the box the computer walks him onto; while player 1
// respawns he waits on it.
static void player2AtBox()
{
    Cube *b = powerup[0];
    if (b->active != 1 || tutorial < LAST_STAGE)
        return;
    Fighter *p2 = player2;
    if (boxNearPlayer2(b, 4, 4, 7) && player->respawning == 0) {
        playSample(SND_POWERUP_PICKUP, 300, p2->pan, 1100);
        b->active = 0;
        player2Powerup();
    }
    if (boxNearPlayer2(b, 4, 4, 7) && b->active == 1 && player->respawning == 1)
        p2->aiMove = AI_MOVE_HOLD;
    if (boxNearPlayer2(b, 50, 50, 50)) {
        p2->aiJumpTargetX = (int)boxCentreX(b);
        p2->aiJumpTargetY = (int)boxCentreY(b);
    }
}

static void triggerHints()
{
    for (const Hint &h : hints) {
        if (*h.seen != 0)
            continue;
        for (int i = 0; i < h.rectCount; i++)
            if (inRect(player, h, h.rects[i])) {
                *h.seen = 1;
                tutorialWait = 1;
            }
    }
}

void updateTutorial()
{
    if (player->health < 12 && tutorial < LAST_STAGE)
        player->health = 12;
    tutorialAI();
    if (p2cpu == 0 && player->x > HANDOVER_X)
        p2cpu = 1;
    if (p2cpu == 0 && player2->x < PLAYER2_HANDOVER_X && player->hasSpawned == 1)
        p2cpu = 1;
    player2AtBox();
    triggerHints();
}

// Aims the computer's jump at the far side of the arena (`targetX` 0 left, 1590 right) at his
// own height, and presses jump.
static void jumpToward(Fighter *p2, int targetX)
{
    p2->aiJumpTargetX = targetX;
    p2->aiJumpTargetY = centreY(p2);
    aiPlayer2Jump();
}

// A double jump from the upper platform onto the pillar's far end, on the way to the goal.
static void jumpOntoPillar(Fighter *p2, int targetX)
{
    p2->aiJumpTargetX = targetX;
    p2->aiJumpTargetY = 800;
    p2->aiJumpRequest = 1;
    aiPlayer2Jump();
}

void tutorialAI()
{
    if (p2cpu != 1)
        return;
    Fighter *p2 = player2;
    int cx = centreX(p2), cy = centreY(p2);
    int onFloor = cy >= 1139;
    int goalAbovePlayer1 = p2->aiGoalY < player->y;
    int solidUnderFeet = collided(cx, p2->y + p2->h + 4);
    int standing = p2->jumpPhase == JUMP_NONE;

    // Up the ground-floor ladders toward a goal on the upper floors.
    if (cy > 1020 && p2->aiGoalY < 1020 && ladder(cx, cy))
        p2->aiMove = AI_MOVE_CLIMB;
    // Over the two low walls on the ground floor.
    if (within(cx, 1176, 1209) && onFloor && goalAbovePlayer1 && solidUnderFeet)
        jumpToward(p2, 0);
    if (within(cx, 401, 434) && onFloor && goalAbovePlayer1 && solidUnderFeet)
        jumpToward(p2, 1590);
    if (onFloor && p2->aiMove == AI_MOVE_LEFT && standing &&
        collided(p2->x - 8, p2->y + p2->h - 5))
        jumpToward(p2, 0);
    if (onFloor && p2->aiMove == AI_MOVE_RIGHT && standing &&
        collided(p2->x + p2->w + 8, p2->y + p2->h - 5))
        jumpToward(p2, 1590);
    // Onto the pillar from either end of the upper platform.
    int onPlatform = cy > 980 && cy <= 1014;
    if (within(cx, 979, 1012) && onPlatform && p2->aiMove == AI_MOVE_LEFT && p2->aiGoalX < 839)
        jumpOntoPillar(p2, 769);
    if (within(cx, 606, 631) && onPlatform && p2->aiMove == AI_MOVE_RIGHT && p2->aiGoalX > 768)
        jumpOntoPillar(p2, 865);
    // Off the edge walls' shafts on the last tick of a wall grab.
    int inShafts = cy > 826 && cy < 1000;
    if (cx < 100 && inShafts && p2->wallGrabTimer == 1)
        aiPlayer2Right();
    if (cx > 1515 && inShafts && p2->wallGrabTimer == 1) {
        // Off the right wall: left is pressed without the press helper.
        pd1 = 1;
        pd2 = 0;
    }
}

// ---- Pictures.

static void drawSmall(int picture, int x, int y)
{
    if (tutorialtext[picture])
        draw_sprite(buffer, tutorialtext[picture], x, y);
}

static void drawBig(int picture)
{
    if (tutorialtextBig[picture])
        draw_sprite(buffer, tutorialtextBig[picture], BIG_X, BIG_Y);
}

static void drawBeside(int picture, int place)
{
    const Fighter *f = player;
    switch (place) {
    case SIGN_RIGHT: drawSmall(picture, f->x + f->w, f->y - SMALL_H); break;
    case SIGN_LEFT: drawSmall(picture, f->x - SMALL_W, f->y - SMALL_H); break;
    case SIGN_RIGHT_AT_WALL: drawSmall(picture, f->x + f->w, WALL_SIGN_Y); break;
    case SIGN_LEFT_AT_WALL: drawSmall(picture, f->x - SMALL_W, WALL_SIGN_Y); break;
    }
}

// Pick-up signs face the middle of the arena.
static void drawPickUpSign(int picture)
{
    drawBeside(picture, player->x < 800 ? SIGN_RIGHT : SIGN_LEFT);
}

// The sign over something player 1 could pick up right now, if any: 1 when one was drawn.
static int drawPickUpSigns()
{
    for (Cube *c : cube) {
        if (c->active != 1)
            continue;
        if (hit2((int)(c->x + c->w / 2), (int)(c->y + c->h / 2))) {
            drawPickUpSign(player->cubesCarried < 3 ? SIGN_CUBE : SIGN_CUBES_FULL);
            return 1;
        }
    }
    Cube *b = powerup[0];
    if (b->active == 1 && hit2((int)boxCentreX(b), (int)boxCentreY(b))) {
        drawPickUpSign(SIGN_BOX);
        return 1;
    }
    return 0;
}

void drawTutorialFG()
{
    drawTutorialBigText();
    if (drawPickUpSigns())
        return;
    const Fighter *f = player;
    int enemyFrags = player2->frags;
    if (f->hasSpawned == 0) {
        drawSmall(SIGN_YOU_GREEN, GREEN_BOOTH_SIGN_X, BOOTH_SIGN_Y);
        drawSmall(SIGN_ENEMY_PURPLE, PURPLE_BOOTH_SIGN_X, BOOTH_SIGN_Y);
    }
    if (f->respawning == 1 && f->hasSpawned == 1 && (enemyFrags == 1 || enemyFrags == 2))
        drawSmall(SIGN_PAYBACK, RESPAWN_SIGN_X, RESPAWN_SIGN_Y);
    if (f->respawning == 1 && f->hasSpawned == 0 && enemyFrags == 0)
        drawSmall(SIGN_RESPAWN, RESPAWN_SIGN_X, RESPAWN_SIGN_Y);
    if (f->respawning == 1 && f->hasSpawned == 1 && enemyFrags >= 3)
        drawSmall(SIGN_RESPAWN, RESPAWN_SIGN_X, RESPAWN_SIGN_Y);
    if (f->inBase == 1 && f->respawning == 0)
        drawBeside(SIGN_BASE, SIGN_RIGHT);
    for (const Hint &h : hints)
        for (int i = 0; i < h.rectCount; i++)
            if (inRect(f, h, h.rects[i]))
                drawBeside(h.rects[i].picture, h.rects[i].place);
}

// What a big stage picture waits for besides its stage.
enum BigTextNeed {
    NEED_NOTHING, NEED_SPAWNED, NEED_BOX_OUT_UNARMED, NEED_WEAPON, NEED_OWN_TIMER,
    NEED_ENEMY_TIMER, NEED_ENEMY_ARMLESS, NEED_ENEMY_FROZEN
};

struct BigTextRule {
    int stage;      // -1: any stage
    int need;       // BigTextNeed
    int weapon;     // for NEED_WEAPON
    int picture;
};

// Stage k shows what the box of stage k - 1 gave, as long as it lasts; picture 2 sends a
// player whose ammunition ran out back to the boxes.
static const BigTextRule bigTextRules[] = {
    {0, NEED_SPAWNED, 0, 0},
    {-1, NEED_BOX_OUT_UNARMED, 0, 1},
    {1, NEED_WEAPON, WEAPON_ZAPZAP, 3},
    {2, NEED_WEAPON, WEAPON_HOMO, 4},
    {3, NEED_ENEMY_TIMER, 0, 5},
    {4, NEED_OWN_TIMER, 0, 6},
    {5, NEED_NOTHING, 0, 7},
    {6, NEED_ENEMY_ARMLESS, 0, 8},
    {7, NEED_ENEMY_FROZEN, 0, 9},
    {8, NEED_OWN_TIMER, 0, 10},
    {9, NEED_WEAPON, WEAPON_MUMMRA, 11},
    {10, NEED_WEAPON, WEAPON_MOONRAKER, 12},
    {11, NEED_WEAPON, WEAPON_MINEDROP, 13},
    {12, NEED_WEAPON, WEAPON_DUALGIBBER, 14},
    {1, NEED_WEAPON, WEAPON_GIBBER, 2},
    {2, NEED_WEAPON, WEAPON_GIBBER, 2},
    {9, NEED_WEAPON, WEAPON_GIBBER, 2},
    {10, NEED_WEAPON, WEAPON_GIBBER, 2},
    {11, NEED_WEAPON, WEAPON_GIBBER, 2},
    {12, NEED_WEAPON, WEAPON_GIBBER, 2},
};

static int bigTextNeedMet(const BigTextRule &r)
{
    const Fighter *f = player, *enemy = player2;
    switch (r.need) {
    case NEED_SPAWNED: return f->hasSpawned == 1;
    case NEED_BOX_OUT_UNARMED:
        return powerup[0]->active == 1 && f->weapon == WEAPON_GIBBER && f->powerupTimer == 0 &&
               enemy->powerupTimer == 0;
    case NEED_WEAPON: return f->weapon == r.weapon;
    case NEED_OWN_TIMER: return f->powerupTimer > 0;
    case NEED_ENEMY_TIMER: return enemy->powerupTimer > 0;
    case NEED_ENEMY_ARMLESS: return enemy->armless == 1;
    case NEED_ENEMY_FROZEN: return enemy->frozen == 1;
    }
    return 1;
}

void drawTutorialBigText()
{
    for (const BigTextRule &r : bigTextRules)
        if ((r.stage < 0 || r.stage == tutorial) && bigTextNeedMet(r))
            drawBig(r.picture);
}

// ---- The pause.

static int tenDarker(int, int c) { return c > 10 ? c - 10 : 0; }

// Built at the first pause.
static PixelPass fadePass;

// Darkens the playfield in `buffer` by one step.
static void fadePlayfield()
{
    if (!fadePass.built)
        buildPixelPass(&fadePass, tenDarker);
    runPixelPass(&fadePass, buffer);
    int last = getpixel(buffer, PLAYFIELD_W - 1, PLAYFIELD_H - 1);
    bufferR = getr(last);
    bufferG = getg(last);
    bufferB = getb(last);
}

static int anyPauseKey()
{
    return d1 || d2 || up1 || down1 || jump1 || fire1 || pd1 || pd2 || up2 || down2 || jump2 ||
           fire2 || key[KEY_SPACE];
}

// The ladder trick's sign is shown from the pause itself, with player 1 held at the height
// where jumping off the ladder top works.
static void holdOnLadderTrick()
{
    Fighter *f = player;
    const Hint &h = hints[LADDER_TRICK_HINT];
    int onLadders = inCxRange(f, h.rects[0]) || inCxRange(f, h.rects[1]);
    if (onLadders && within(f->y, LADDER_HOLD_TOP, LADDER_HOLD_BOTTOM) &&
        f->state == FIGHTER_CLIMB_UP) {
        f->y = LADDER_HOLD_Y;
        drawSmall(SIGN_LADDER_TRICK, f->x + f->w, LADDER_SIGN_Y);
    }
}

void waitTutorial()
{
    if (player->power < 1)
        player->power = REFILLED_POWER;
    if (player2->power < 1)
        player2->power = REFILLED_POWER;
    if (tutWaitCount > PAUSE_MIN_TICKS && anyPauseKey()) {
        player->won = 0;
        player2->won = 0;
        speed_counter = 0;
        tutWaitCount = 0;
        playersActive = 1;
        tutorialWait = 0;
    }
    tutWaitCount += 1;
    fadePlayfield();
    drawPlayer();
    drawTutorialFG();
    holdOnLadderTrick();
    drawTutorialBigText();
    if (player2->won == 1) {
        drawBig(BIG_PURPLE_WON);
        player->power = player2->power = REFILLED_POWER;
    }
    if (player->won == 1) {
        drawBig(BIG_GREEN_WON);
        player->power = player2->power = REFILLED_POWER;
    }
    stretchToScreen();
}
