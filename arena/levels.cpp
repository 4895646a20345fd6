#include "arena/levels.h"

#include <allegro.h>
#include <stdlib.h>

#include "arena/effects.h"
#include "arena/forcefields.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/nodes.h"
#include "core/probes.h"
#include "core/settings.h"
#include "core/world.h"
#include "tilemap/tilemap.h"

// Monitor insets; the values are those of the booths' default places until a level moves them.
int greenmonitorx = 128, greenmonitory = 1040, greenmonitorwidth = 90, greenmonitorheight = 40;
int purplemonitorx = 1389, purplemonitory = 1041, purplemonitorwidth = 90,
    purplemonitorheight = 40;
int greenmonitor2x = 203, greenmonitor2y = 1119, greenmonitor2width = 26,
    greenmonitor2height = 16;
int purplemonitor2x = 1365, purplemonitor2y = 1118, purplemonitor2width = 26,
    purplemonitor2height = 16;

LavaBubble *lavabubble[LAVABUBBLE_COUNT];
TorchFlame *t_flame[TORCH_COUNT];

int points1[8] = {75, 1064, 100, 1064, 160, 1064, 204, 1064};
int points2[8] = {268, 1064, 278, 1064, 320, 1064, 372, 1064};
int points3[8] = {424, 1064, 457, 1064, 500, 1064, 533, 1064};
int points4[8] = {594, 1064, 610, 1064, 630, 1064, 643, 1064};
int points5[8] = {682, 1064, 695, 1064, 700, 1064, 726, 1064};
int points6[8] = {872, 1064, 882, 1064, 899, 1064, 909, 1064};
int points7[8] = {940, 1064, 955, 1064, 971, 1064, 1011, 1064};
int points8[8] = {1058, 1064, 1110, 1064, 1150, 1064, 1188, 1064};
int points9[8] = {1243, 1064, 1260, 1064, 1300, 1064, 1348, 1064};
int points10[8] = {1404, 1064, 1430, 1064, 1500, 1064, 1519, 1064};
int points1y1 = 1064, points2y1 = 1064, points3y1 = 1064, points4y1 = 1064, points5y1 = 1064,
    points6y1 = 1064, points7y1 = 1064, points8y1 = 1064, points9y1 = 1064, points10y1 = 1064;
int points1y2 = 1064, points2y2 = 1064, points3y2 = 1064, points4y2 = 1064, points5y2 = 1064,
    points6y2 = 1064, points7y2 = 1064, points8y2 = 1064, points9y2 = 1064, points10y2 = 1064;
int points1dir1 = 2, points2dir1 = 2, points3dir1 = 2, points4dir1 = 2, points5dir1 = 2,
    points6dir1 = 2, points7dir1 = 2, points8dir1 = 2, points9dir1 = 2, points10dir1 = 2;
int points1dir2 = -2, points2dir2 = -2, points3dir2 = -2, points4dir2 = -2, points5dir2 = -2,
    points6dir2 = -2, points7dir2 = -2, points8dir2 = -2, points9dir2 = -2, points10dir2 = -2;

// The ten curves and their wandering middle points, in drawing order.
static int *const splinePoints[LAVA_SPLINE_COUNT] = {points1, points2, points3, points4, points5,
                                                    points6, points7, points8, points9, points10};
static int *const splineY1[LAVA_SPLINE_COUNT] = {&points1y1, &points2y1, &points3y1, &points4y1,
                                                &points5y1, &points6y1, &points7y1, &points8y1,
                                                &points9y1, &points10y1};
static int *const splineY2[LAVA_SPLINE_COUNT] = {&points1y2, &points2y2, &points3y2, &points4y2,
                                                &points5y2, &points6y2, &points7y2, &points8y2,
                                                &points9y2, &points10y2};
static int *const splineDir1[LAVA_SPLINE_COUNT] = {
    &points1dir1, &points2dir1, &points3dir1, &points4dir1, &points5dir1,
    &points6dir1, &points7dir1, &points8dir1, &points9dir1, &points10dir1};
static int *const splineDir2[LAVA_SPLINE_COUNT] = {
    &points1dir2, &points2dir2, &points3dir2, &points4dir2, &points5dir2,
    &points6dir2, &points7dir2, &points8dir2, &points9dir2, &points10dir2};

// ---- What both level set-ups share.

void loadLevelMap(const char *file)
{
    mapgfxinbitmaps = 2;
    if (MapRealLoad(file) != 0)
        fatalError("cannot load the level file \"%s\" from the working directory", file);
}

static BITMAP *dataBitmap(int entry)
{
    return (BITMAP *)data[entry].dat;
}

// Every arena puts the booths at the same height, at the two outer edges, and the fields at
// fixed places in front of them.
static const double GREEN_BOOTH_X = 15, PURPLE_BOOTH_X = 1490;
static const double GREEN_FIELD_X = 290, PURPLE_FIELD_X = 1278;

void placeBases(double boothY)
{
    booth->x = GREEN_BOOTH_X;
    booth->y = boothY;
    booth2->x = PURPLE_BOOTH_X;
    booth2->y = boothY;
    greenforcefield->x = GREEN_FIELD_X;
    greenforcefield->y = booth->y - 5;
    greenforcefield->w = FORCEFIELD_W;
    greenforcefield->h = FORCEFIELD_H;
    purpleforcefield->x = PURPLE_FIELD_X;
    purpleforcefield->y = booth2->y - 5;
    purpleforcefield->w = FORCEFIELD_W;
    purpleforcefield->h = FORCEFIELD_H;
}

void placeMonitors()
{
    greenmonitorx = (int)(booth->x + 113);
    greenmonitory = (int)(booth->y + 3);
    greenmonitor2x = (int)(booth->x + 188);
    greenmonitor2y = (int)(booth->y + 81);
    purplemonitorx = (int)(booth2->x - 101);
    purplemonitory = (int)(booth2->y + 3);
    purplemonitor2x = (int)(booth2->x - 125);
    purplemonitor2y = (int)(booth2->y + 80);
    greenmonitorwidth = purplemonitorwidth = 90;
    greenmonitorheight = purplemonitorheight = 40;
    greenmonitor2width = purplemonitor2width = 26;
    greenmonitor2height = purplemonitor2height = 16;
}

// The booths' back pictures are painted into the stain layer once; Hell's background wants
// them nudged in by `shiftX` and down by `shiftY`.
static void paintBooths(int shiftX, int shiftY)
{
    if (greenbooth[1])
        draw_sprite(prebuffer, greenbooth[1], (int)(booth->x + shiftX), (int)(booth->y + shiftY));
    if (purplebooth[1])
        draw_sprite_h_flip(prebuffer, purplebooth[1], (int)(booth2->x - shiftX),
                           (int)(booth2->y + shiftY));
}

static void resetPathNodes()
{
    clearNodes();
    if (p2cpu == 1)
        scanNodes();
}

void startLevelScreen(int arena)
{
    speed_counter = 0;
    map = arena;
    seconds = 0;
}

// ---- Hell.

static const int HELL_BOOTH_Y = 581;
static const int LAVA_COLOUR_R = 255, LAVA_COLOUR_G = 109, LAVA_COLOUR_B = 1;
static const int BUBBLE_START_Y = 1050;

static const int candleAt[HELL_CANDLE_COUNT][2] = {
    {526, 510}, {499, 529}, {540, 528}, {728, 577}, {745, 566},   {761, 569},
    {1057, 529}, {1091, 529}, {1111, 511}, {1396, 509}, {1418, 505}, {189, 495},
    {209, 496}, {202, 234}, {218, 222}, {246, 234}, {396, 215},   {451, 206},
    {468, 218}, {1117, 206}, {1134, 209}, {1170, 218}, {1563, 222}};

static const int torchAt[TORCH_COUNT][2] = {{396, 603},  {748, 476}, {875, 476},
                                            {1194, 603}, {123, 387}, {1459, 387}};

// Seeds of the flood fills that repaint the lava body under the surface curves.
static const int lavaSeedX[3][10] = {
    {145, 315, 492, 627, 729, 878, 981, 1119, 1312, 1465},
    {125, 295, 472, 607, 709, 858, 961, 1100, 1292, 1445},
    {165, 335, 512, 647, 749, 898, 1000, 1139, 1332, 1485}};
static const int lavaSeedY[3] = {1125, 1150, 1135};

static void cutCandleFrames()
{
    BITMAP *sheet = dataBitmap(DAT_CANDLE_FLAME);
    for (int i = 0; i < 8; i++)
        candleflame[i] = grabframe(sheet, 8, 8, 0, 0, 8, i);
}

void setupHell()
{
    loadLevelMap("Hell.FMP");
    prebuffer = dataBitmap(DAT_HELL_BACKGROUND);
    if (loadedHell == 0) {
        cutCandleFrames();
        loadedHell = 1;
    }
    placeBases(HELL_BOOTH_Y);
    placeMonitors();
    // The bubble and torch records of an earlier bout are reused, all free again.
    clearRecords(lavabubble);
    clearRecords(t_flame);
    for (TorchFlame *t : t_flame) {
        t->unused1[0] = t->unused1[1] = 500;
        t->animFrame = rand() % 8;
        t->animPeriod = 2;
    }
    paintBooths(1, 2);
    weather = 0;
    resetPathNodes();
    startLevelScreen(ARENA_HELL);
}

void updateFlameTorch()
{
    for (TorchFlame *t : t_flame) {
        t->animTick++;
        if (t->animTick > t->animPeriod) {
            t->animTick = 0;
            t->animFrame = rand() % 8;
        }
    }
}

static int bubbleOverSolid(const LavaBubble *b)
{
    return collided(b->x + b->radius / 2, b->y + b->radius / 2);
}

void updateLavabubble()
{
    for (LavaBubble *b : lavabubble) {
        if (b->active != 1)
            continue;
        if (bubbleOverSolid(b))
            b->active = 0;
        b->y -= b->riseSpeed;
        if (b->y > 1100)
            b->active = 0;
        b->shrinkDelay--;
        if (b->shrinkDelay < 1)
            b->radius--;
        if (b->radius < 1)
            b->active = 0;
    }
}

void spawnLavabubble(int x, int y)
{
    LavaBubble *b = takeFreeRecord(lavabubble);
    if (!b)
        return;
    *b = LavaBubble();
    b->active = 1;
    b->x = x;
    b->y = y;
    b->riseSpeed = rand() % 3 + 1;
    b->radius = rand() % 5 + 1;
    b->shrinkDelay = rand() % 20 + 10;
    b->unused3[0] = -10;
}

// A fighter sinking below the lava line dies; the movement code counts the death without
// gore and respawns him in his booth.
static void sinkIntoLava(Fighter *f)
{
    if (f->y + f->h > HELL_LAVA_LINE) {
        f->health = 0;
        f->respawning = 1;
    }
}

static void wanderControlPoint(int *y, int *dir)
{
    *y += *dir;
    if (*y > LAVA_SURFACE_BOTTOM)
        *dir = rand() % 3 - 2;
    if (*y < LAVA_SURFACE_TOP)
        *dir = rand() % 3;
}

void updateHell()
{
    updateFlameTorch();
    updateLavabubble();
    // One bubble a tick at most; its place is drawn even when every bubble is live.
    int r = rand();
    spawnLavabubble(r % 1500 + 79, BUBBLE_START_Y);
    sinkIntoLava(player);
    sinkIntoLava(player2);
    for (int i = 0; i < LAVA_SPLINE_COUNT; i++) {
        wanderControlPoint(splineY1[i], splineDir1[i]);
        wanderControlPoint(splineY2[i], splineDir2[i]);
        splinePoints[i][3] = *splineY1[i];
        splinePoints[i][5] = *splineY2[i];
    }
}

void drawHellBG()
{
    for (int i = 0; i < HELL_CANDLE_COUNT; i++) {
        BITMAP *frame = candleflame[rand() % 8];
        if (frame)
            draw_sprite(buffer, frame, candleAt[i][0], candleAt[i][1]);
    }
    for (int i = 0; i < TORCH_COUNT; i++) {
        BITMAP *frame = t_flame[i] ? torchflame[t_flame[i]->animFrame & 7] : NULL;
        if (frame)
            draw_sprite(buffer, frame, torchAt[i][0], torchAt[i][1]);
    }
}

void drawHellFG()
{
    for (int i = 0; i < LAVA_SPLINE_COUNT; i++)
        spline(buffer, splinePoints[i], makecol(255, 0, 0));
    int lava = makecol(LAVA_COLOUR_R, LAVA_COLOUR_G, LAVA_COLOUR_B);
    for (int row = 0; row < 3; row++)
        for (int i = 0; i < 10; i++)
            floodfill(buffer, lavaSeedX[row][i], lavaSeedY[row], lava);
    for (LavaBubble *b : lavabubble)
        if (b->active == 1 && !bubbleOverSolid(b))
            circlefill(buffer, b->x, b->y, b->radius, lava);
}

// ---- London.

static const int LONDON_BOOTH_Y = 861;

void setupLondon()
{
    loadLevelMap("london.fmp");
    placeBases(LONDON_BOOTH_Y);
    prebuffer = dataBitmap(DAT_LONDON_BACKGROUND);
    placeMonitors();
    if (loadedLondon == 0) {
        loadedLondon = 1;
        londonlight = dataBitmap(DAT_LONDON_LIGHT);
    }
    paintBooths(0, 0);
    weather = rand() % 100;
    resetPathNodes();
    startLevelScreen(ARENA_LONDON);
}

// The route hint: a computer opponent on the middle floor heading for the far top corner is
// sent the right way round.
static int onMiddleFloor(int cy)
{
    return cy > 300 && cy < 524;
}

static void londonRouteHint()
{
    Fighter *p2 = player2;
    int cx = p2->x + p2->w / 2;
    int cy = p2->y + p2->h / 2;
    int mayTurn = p2->aiMove != AI_MOVE_CLIMB && p2->aiMove != AI_MOVE_DROP;
    if (cx < 630 && onMiddleFloor(cy) && p2->aiGoalX > 1096 && p2->aiGoalY < 303 && mayTurn)
        p2->aiMove = AI_MOVE_RIGHT;
    mayTurn = p2->aiMove != AI_MOVE_CLIMB && p2->aiMove != AI_MOVE_DROP;
    if (cx > 970 && onMiddleFloor(cy) && p2->aiGoalX < 490 && p2->aiGoalY < 303 && mayTurn)
        p2->aiMove = AI_MOVE_LEFT;
}

void updateLondon()
{
    // Sparks from the broken lamp.
    if (rand() % 10 == 0) {
        int y = rand() % 3 + 562;
        int x = rand() % 5 + 156;
        spawnSpark(x, y, 5);
    }
    if (weather >= 1 && weather <= 11) {
        raining = 1;
        updateRain();
    }
    if (weather == 0) {
        int delay = rand() % 280;
        spawnSnow(1599 - rand() % 1500, 0, delay, 0);
        delay = rand() % 280;
        spawnSnow(1600, rand() % 1000, delay, 0);
    }
    if (p2cpu == 1)
        londonRouteHint();
}

void drawLondonBG()
{
    if (rand() % 40 < 10 && londonlight)
        draw_sprite(buffer, londonlight, 1395, 555);
}
