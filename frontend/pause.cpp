#include "frontend/pause.h"

#include <allegro.h>
#include <string.h>

#include "arena/pickups.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/match.h"
#include "core/music.h"
#include "core/pixelpass.h"
#include "core/world.h"
#include "frontend/screen.h"
#include "frontend/title.h"

int paused = 0;
int pausedelay = 0;

static int pauseAllowed()
{
    return map != SCREEN_TITLE && map != SCREEN_RESULT && map != SCREEN_CREDITS;
}

// ---- The tint: each channel above its threshold loses its step, per standing.

struct TintStep {
    int above, step;
};
static const TintStep tintSteps[3][3] = {
    {{110, 10}, {100, 10}, {90, 10}},    // equal
    {{60, 10}, {120, 1}, {60, 10}},      // green leads
    {{130, 10}, {0, 10}, {205, 1}}};     // purple leads

static int tintStanding;   // the standing whose rule tintChannel applies

static int tintChannel(int channel, int c)
{
    const TintStep &rule = tintSteps[tintStanding][channel];
    if (c > rule.above)
        c -= rule.step;
    return c < 0 ? 0 : c;
}

// Built at the first pause with each standing.
static PixelPass tintPasses[3];

// Rows the tint has settled: its last run left them as they were, so running it again
// would change nothing. That holds from one paused tick to the next only over an arena,
// where nothing draws while paused but the overlay, which puts the same pixels on the same
// places every tick (the pre-screen, the end splash and the tutorial's hints go on
// drawing); there the tint skips settled rows.
static uint8_t rowSettled[PLAYFIELD_H];
static uint8_t rowChanged[PLAYFIELD_H];
static int settledValid = 0;
static Standing settledStanding;

void tintPage(Standing standing)
{
    if (!tintPasses[standing].built) {
        tintStanding = standing;
        buildPixelPass(&tintPasses[standing], tintChannel);
    }
    const int overArena = map >= ARENA_SMOG_CITY && map <= ARENA_ONE_UP;
    if (!settledValid || standing != settledStanding)
        memset(rowSettled, 0, sizeof rowSettled);
    runPixelPass(&tintPasses[standing], buffer, rowSettled, rowChanged);
    for (int y = 0; y < PLAYFIELD_H; y++)
        if (!rowSettled[y])
            rowSettled[y] = !rowChanged[y];
    settledValid = overArena;
    settledStanding = standing;
}

static Standing currentStanding()
{
    if (player->power > player2->power)
        return STANDING_GREEN_LEADS;
    if (player2->power > player->power)
        return STANDING_PURPLE_LEADS;
    return STANDING_EQUAL;
}

// ---- The standings drawn over the frozen picture, one table row per fighter.

struct PauseSide {
    Fighter **fighter;
    Booth **booth;
    int fragX;          // x of the frag hundreds digit
    int powerX;         // power digits from the booth's x
    int cubeX;          // cube squares from the booth's x
    BITMAP **label;
    int fixedX, fixedY; // where a label that would cover the pause picture goes
};
static const PauseSide pauseSides[2] = {
    {&player, &booth, 550, 39, 30, &greentext_image, 618, 650},
    {&player2, &booth2, 850, 34, 65, &purpletext_image, 900, 650}};

// The four places a label can take around its fighter.
struct LabelCase {
    int right, below;        // fighter's centre right of x 800, below y 600
    int dx, dy;              // label point from the fighter's x, y
    int fixedLo, fixedHi;    // fighter x range in which the label may be moved
    int fromX, fromY;        // line start from the fighter's x, y
    int picDy;               // label picture's y from the label point
};
static const LabelCase labelCases[4] = {
    {1, 1, -200, -200, 719, 1280, 5, 8, -24},
    {0, 1, 200, -200, 319, 880, 25, 7, -24},
    {1, 0, -200, 200, 719, 1280, 0, 34, 10},
    {0, 0, 200, 200, 319, 880, 33, 39, 10}};

static void drawDigits(BITMAP *const *set, const int *values, int x, int pitch, int y)
{
    for (int i = 0; i < 3; i++)
        putPicture(digitPicture(set, values[i]), x + pitch * i, y);
}

static void drawSideFigures(const PauseSide &s, int white)
{
    const Fighter *f = *s.fighter;
    const int bx = (int)(*s.booth)->x, by = (int)(*s.booth)->y;
    const int frags[3] = {f->fragHundreds, f->fragTens, f->fragOnes};
    drawDigits(retronums, frags, s.fragX, 70, 30);
    if (player->hasSpawned == 1) {
        const int zero[3] = {0, 0, 0};
        const int power[3] = {f->powerHundreds, f->powerTens, f->powerOnes};
        drawDigits(digits, f->power < 1 ? zero : power, bx + s.powerX, 8, by + 22);
    }
    for (int i = 0; i < 3; i++)
        if (f->cubesCarried > i)
            rectfill(buffer, bx + s.cubeX, by + 31 - 5 * i, bx + s.cubeX + 2, by + 33 - 5 * i,
                     white);
    const int health = f->health < 0 ? 0 : f->health > 12 ? 12 : f->health;
    putPicture(whitehealthbar[health], bx + 29, by + 37);
}

static void drawLabel(const PauseSide &s, int white)
{
    const Fighter *f = *s.fighter;
    const int cx = f->x + f->w / 2, cy = f->y + f->h / 2;
    if (cy == 600)
        return;
    for (const LabelCase &c : labelCases) {
        if ((cx > 800) != (c.right != 0) || (cy > 600) != (c.below != 0))
            continue;
        int lx = f->x + c.dx, ly = f->y + c.dy;
        if (f->x >= c.fixedLo && f->x <= c.fixedHi && ly > 500 && ly < 660) {
            lx = s.fixedX;
            ly = s.fixedY;
        }
        line(buffer, f->x + c.fromX, f->y + c.fromY, lx, ly, white);
        putPicture(*s.label, lx - 30, ly + c.picDy);
        return;
    }
}

static void drawOverlay()
{
    const int white = makecol(255, 255, 255);
    set_clip_rect(buffer, 0, 0, PLAYFIELD_W - 1, PLAYFIELD_H - 1);
    tintPage(currentStanding());
    putPicture(paused_image, 518, 500);
    for (const PauseSide &s : pauseSides)
        drawSideFigures(s, white);
    for (const PauseSide &s : pauseSides) {
        const Fighter *f = *s.fighter;
        circle(buffer, f->x + 18, f->y + 25, 20, white);
    }
    for (const Cube *c : cube)
        if (c && c->active)
            rect(buffer, (int)c->x - 4, (int)c->y - 4, (int)c->x + 15, (int)c->y + 15, white);
    const Cube *box = powerup[0];
    if (box && box->active) {
        const int x = (int)box->x, y = (int)box->y;
        line(buffer, x - 8, y, x + 21, y, white);
        line(buffer, x - 8, y, x + box->w / 2, y + box->h + 8, white);
        line(buffer, x + 21, y, x + box->w / 2, y + box->h + 8, white);
    }
    for (const PauseSide &s : pauseSides)
        drawLabel(s, white);
    putPicture(textBacktoMenu, backtomenux, backtomenuy);
    showPageWithPointer();
}

void gameState()
{
    const int inputs[2] = {pausebutton, pausebutton2};
    for (int input : inputs) {
        if (input && paused == 0 && pausedelay == 0 && pauseAllowed()) {
            pausedelay = 10;
            paused = 1;
            if (music == 1) {
                stopTrack();
                music = 2;
            }
        }
        if (paused == 1 && pausedelay == 0 && input && pauseAllowed()) {
            pausedelay = 10;
            speed_counter = 0;
            paused = 0;
            return;
        }
    }
    if (pausedelay > 0)
        pausedelay -= 1;
    if (paused != 1) {
        settledValid = 0;   // the next pause starts from a new frame
        return;
    }

    latchMouse();
    if (insidePicture(textBacktoMenu, backtomenux, backtomenuy, mx, my) && mbL) {
        setupTitleScreen();
        seconds = 0;
        map = SCREEN_TITLE;
        paused = 0;
    }
    drawOverlay();
}
