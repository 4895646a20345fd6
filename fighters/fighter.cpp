#include "fighters/fighter.h"

#include <allegro.h>
#include <stdlib.h>

#include "core/assets.h"
#include "core/fighter.h"
#include "core/nodes.h"
#include "core/sound.h"
#include "fighters/twins.h"
#include "fighters/weapons.h"

// Sizes are copied from the pictures; a picture not cut yet measures 0.
static int widthOf(BITMAP *b) { return b ? b->w : 0; }
static int heightOf(BITMAP *b) { return b ? b->h : 0; }

// Replaces a record with a fresh, zeroed one.
template <typename T> static T *freshRecord(T *&slot)
{
    free(slot);
    slot = (T *)calloc(1, sizeof(T));
    return slot;
}

// The start values both fighters share: dead and waiting in the booth, 200 power.
static void startFighter(Fighter *f, int facing, int state)
{
    f->w = widthOf(player_run[0]);
    f->h = heightOf(player_run[0]);
    f->runLastFrame = 10;
    f->runTicksPerFrame = 3;
    f->idleTicksPerFrame = 10;
    f->idleLastFrame = 10;
    f->slideLastFrame = 3;
    f->slideTicksPerFrame = 2;
    f->maxFallSpeed = 14;
    f->maxRunSpeed = 8.0;
    f->facing = facing;
    f->state = state;
    f->jumpPhase = JUMP_NONE;
    f->doubleJumpReady = 1;
    f->jumpStrength = 11;
    f->climbLastFrame = 6;
    f->climbTicksPerFrame = 2;
    f->respawnLastFrame = 18;
    f->respawnTicksPerFrame = 25;
    f->slideTicksPerStep = 1;
    f->respawning = 1;
    f->power = 200;
    f->powerHundreds = 2;
    f->knockPeriodX = 2;
    f->knockPeriodY = 2;
    f->deathCounted = 1;   // the bout starts in the booth without a death to book
    f->climbSpeed = 6;
    f->savedWeapon = WEAPON_GIBBER;
    f->thrusterCaught = THRUSTER_FREE;
    f->flipReady = 1;
}

static void startGun(GunAnchor *g, int x, int y, BITMAP *picture)
{
    g->x = x;
    g->y = y;
    g->w = widthOf(picture);
    g->h = heightOf(picture);
}

static void startBooth(Booth *b, double x, double y, BITMAP *picture)
{
    b->x = x;
    b->y = y;
    b->w = widthOf(picture);
    b->h = heightOf(picture);
}

void setupPlayer()
{
    startFighter(freshRecord(player), FACING_RIGHT, FIGHTER_STAND_LEFT);
    startGun(freshRecord(arms), 100, 100, gibber);
    startBooth(freshRecord(booth), 15.0, 1037.0, greenbooth[0]);

    setupProjectilePool(bullet, BULLET_COUNT, widthOf(bullet_image), heightOf(bullet_image), 12);
    setupProjectilePool(plasma, PLASMA_COUNT, widthOf(plasma_image), heightOf(plasma_image), 20);
    setupProjectilePool(homorocket, HOMOROCKET_COUNT, widthOf(greenhomo_image),
                        heightOf(greenhomo_image), 0);
    setupProjectilePool(mummrathruster, MUMMRATHRUSTER_COUNT, widthOf(greenmummra_image),
                        heightOf(greenmummra_image), 0);
    setupProjectilePool(blaster, BLASTER_COUNT, 5, 5, 0);
}

void setupPlayer2()
{
    Fighter *f = freshRecord(player2);
    startFighter(f, FACING_LEFT, FIGHTER_STAND_RIGHT);
    // Player 2's own switches: his gravity can be turned off, he keeps a slide length and
    // counts his falls.
    f->gravityOn = 1;
    f->slideLength = 20;
    f->fallTimerMax = 80;
    // The computer opponent's memory.
    f->aiCubeDistance = 9999999;
    f->aiCubeHunting = 1;
    f->aiMove = AI_MOVE_LEFT;
    f->aiLadderLock = 25;
    f->aiBombTimer = rand() % 15 + 10;
    f->aiMineTimer = rand() % 10 + 20;

    startGun(freshRecord(arms2), 500, 500, gibber2);
    startBooth(freshRecord(booth2), 1490.0, 1037.0, purplebooth[0]);

    setupProjectilePool(bullet2, BULLET_COUNT, widthOf(bullet_image), heightOf(bullet_image),
                        12);
    setupProjectilePool(plasma2, PLASMA_COUNT, widthOf(plasma_image), heightOf(plasma_image),
                        20);
    setupProjectilePool(homorocket2, HOMOROCKET_COUNT, widthOf(purplehomo_image),
                        heightOf(purplehomo_image), 8);
    setupProjectilePool(mummrathruster2, MUMMRATHRUSTER_COUNT, widthOf(purplemummra_image),
                        heightOf(purplemummra_image), 0);
    setupProjectilePool(fakeHomer, FAKEHOMER_COUNT, widthOf(purplehomo_image),
                        heightOf(purplehomo_image), 16);
    setupProjectilePool(fakeBullet, FAKEBULLET_COUNT, widthOf(bullet_image),
                        heightOf(bullet_image), 100);
    setupNodes();
}

// Each movement sound marks a field reaching a value and sounds once: its latch holds from
// the tick it sounds until a later value clears it.
static void cue(const FighterSide &s, int latch, int sounds, int clears, int slot, int volume,
                int frequency)
{
    Fighter *f = s.self;
    if (sounds && f->soundLatch[latch] == 0) {
        playSample(slot, volume, f->pan, frequency);
        if (slot == SND_WALL_GRAB)
            stopSample(s.jumpSample);   // stops every jump sound, the opponent's too
        f->soundLatch[latch] = 1;
    }
    if (clears)
        f->soundLatch[latch] = 0;
}

static void soundCues(const FighterSide &s)
{
    const Fighter *f = s.self;
    int climbing = f->state == FIGHTER_CLIMB_UP || f->state == FIGHTER_CLIMB_DOWN;
    cue(s, 0, f->runFrame == 2 && f->onGround == 1, f->runFrame == 3, SND_STEP_1, 40, 1100);
    cue(s, 1, f->runFrame == 7 && f->onGround == 1, f->runFrame == 8, SND_STEP_2, 40, 1200);
    cue(s, 6, f->jumpPhase == JUMP_FALLING && f->onGround == 1, f->jumpPhase == JUMP_NONE,
        SND_LAND, 50, 500);
    cue(s, 2, f->climbFrame == 0 && climbing, f->climbFrame == 1, SND_LADDER_1, 30, 1200);
    cue(s, 3, f->climbFrame == 4 && climbing, f->climbFrame == 5, SND_LADDER_2, 30, 1200);
    cue(s, 5, f->wallGrabTimer == 79, f->wallGrabTimer == 78, SND_WALL_GRAB, 40, s.wallGrabFreq);
    cue(s, 4, f->slideFrame == 1, f->slideFrame == 2, SND_SLIDE, 40, 350);
}

void playerSound() { soundCues(sideOne()); }
void player2Sound() { soundCues(sideTwo()); }
