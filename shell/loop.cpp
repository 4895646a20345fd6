#include "shell/loop.h"

#include <allegro.h>
#include <stddef.h>

#include "ai/opponent.h"
#include "ai/tutorial.h"
#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/levels.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/music.h"
#include "core/settings.h"
#include "core/tutorial.h"
#include "fighters/bombs.h"
#include "fighters/fighter.h"
#include "fighters/weapons.h"
#include "frontend/credits.h"
#include "frontend/pause.h"
#include "frontend/premap.h"
#include "frontend/quit.h"
#include "frontend/result.h"
#include "frontend/screen.h"
#include "frontend/splash.h"
#include "frontend/title.h"
#include "gore/gore.h"
#include "shell/clock.h"
#include "shell/render.h"
#include "shell/startup.h"

std::atomic<int> closeRequested{0};


void increment_speed_counter()
{
    speed_counter.fetch_add(1);
}
END_OF_FUNCTION(increment_speed_counter)

// Pad sources: the digital directions of stick 0 and the numbered buttons. A pad that is
// not there reads as released.
static int padLeft(int pad) { return pad < num_joysticks && joy[pad].stick[0].axis[0].d1; }
static int padRight(int pad) { return pad < num_joysticks && joy[pad].stick[0].axis[0].d2; }
static int padUp(int pad) { return pad < num_joysticks && joy[pad].stick[0].axis[1].d1; }
static int padDown(int pad) { return pad < num_joysticks && joy[pad].stick[0].axis[1].d2; }

// The P key pauses for both players; the tenth pad button pauses for its own player.
static const int PAD_PAUSE_BUTTON = 9;

// One player's bindings and the flags they feed; player 2 is the same latch with his own
// slots, his own pad and no pause key.
struct LatchSide {
    int pad;
    const int *left, *right, *up, *down, *action, *fire, *bomb;
    const int *padAction, *padFire, *padBomb;
    int pauseKey;   // key code in the settings file's numbering, or -1 for none
    int *fLeft, *fRight, *fUp, *fDown, *fJump, *fFire, *fBomb, *fPause;
};

static void latchSide(const LatchSide &s)
{
    *s.fLeft = bindingKeyDown(*s.left) || padLeft(s.pad);
    *s.fRight = bindingKeyDown(*s.right) || padRight(s.pad);
    *s.fUp = bindingKeyDown(*s.up) || padUp(s.pad);
    *s.fDown = bindingKeyDown(*s.down) || padDown(s.pad);
    *s.fJump = bindingKeyDown(*s.action) || padButtonDown(s.pad, *s.padAction);
    *s.fFire = bindingKeyDown(*s.fire) || padButtonDown(s.pad, *s.padFire);
    *s.fBomb = bindingKeyDown(*s.bomb) || padButtonDown(s.pad, *s.padBomb);
    *s.fPause = (s.pauseKey >= 0 && bindingKeyDown(s.pauseKey)) ||
                padButtonDown(s.pad, PAD_PAUSE_BUTTON);
}

void latchInput()
{
    static const LatchSide one = {0, &p1left, &p1right, &p1up, &p1down, &p1action, &p1fire,
                                  &p1bomb, &p1padaction, &p1padfire, &p1padbomb, KEY_P,
                                  &d1, &d2, &up1, &down1, &jump1, &fire1, &laybomb1,
                                  &pausebutton};
    static const LatchSide two = {1, &p2left, &p2right, &p2up, &p2down, &p2action, &p2fire,
                                  &p2bomb, &p2padaction, &p2padfire, &p2padbomb, -1,
                                  &pd1, &pd2, &up2, &down2, &jump2, &fire2, &laybomb2,
                                  &pausebutton2};
    latchSide(one);
    if (p2cpu == 0)
        latchSide(two);
}

void (*frameStepHook)(const char *step) = NULL;

// Every step of the game frame goes through here, so a test can see the order.
#define STEP(fn)                        \
    do {                                \
        if (frameStepHook)              \
            frameStepHook(#fn);         \
        fn();                           \
    } while (0)

static int gameFrameGateOpen()
{
    return playersActive != 0 && paused == 0 && map != SCREEN_TITLE && quitting == 0 &&
           tutorialWait == 0 && map != SCREEN_PREMAP && map != SCREEN_CREDITS &&
           map != SCREEN_END_SPLASH && map != SCREEN_INTRO;
}

void gameFrame()
{
    if (musicOn == 1 && (music == 0 || music == 2)) {
        STEP(startTrack);
        music = 1;
    }
    if (p2cpu == 1)
        STEP(Player2ai);
    if (map == ARENA_HELL)
        STEP(updateHell);
    if (map == ARENA_LONDON)
        STEP(updateLondon);
    if (map == SCREEN_TUTORIAL)
        STEP(updateTutorial);

    STEP(playerGravity);
    STEP(player2Gravity);
    STEP(playerMove);
    STEP(player2Move);
    STEP(playerBackCollision);
    STEP(player2BackCollision);
    STEP(playerArms);
    STEP(player2arms);
    STEP(playerSound);
    STEP(player2Sound);
    STEP(player1Camera);
    STEP(player2Camera);

    STEP(updateBullet);
    STEP(updateBullet2);
    STEP(updatePlasma);
    STEP(updatePlasma2);
    STEP(updateHomoRocket);
    STEP(updateHomoRocket2);
    STEP(updateMummraThruster);
    STEP(updateMummraThruster2);
    STEP(updateBlaster);

    STEP(cubespawnerroutine);
    STEP(updatecube);
    STEP(updatepowerup);
    STEP(updateBomb);
    STEP(updateBomb2);
    STEP(updateExplosion);
    STEP(updateBombblastLeft);
    STEP(updateBombblastRight);
    STEP(updateBombblastUp);
    STEP(updatemines);

    STEP(updateBlood);
    STEP(updateGibs);
    STEP(updateHead);
    STEP(updateTorso);
    STEP(updateArm);
    STEP(updateLeg);
    STEP(updateBlood2);
    STEP(updateGibs2);
    STEP(updateHead2);
    STEP(updateTorso2);
    STEP(updateArm2);
    STEP(updateLeg2);
    STEP(updateGibCasing);
    STEP(updateZapZapCasing);
    STEP(updateHomoCasing);

    STEP(updateCubeFrazzle);
    STEP(updateRespawnBubble);
    STEP(updateHomoTrail);
    STEP(updateGreenFFPart);
    STEP(updatePurpleFFPart);
    STEP(updateLightning);
    STEP(updateMiniLightning);
    STEP(updateLazer);
    STEP(updateSpark);
    STEP(updatePupPartSpawner);
    STEP(updatePupPart);
    STEP(updateBlueFlame);
    STEP(updatePoo);
    STEP(updateSpeedLine);
    STEP(updateBubble);
    STEP(updateGroundBit);
    STEP(updateMagnoBit);
    STEP(updateSnow);

    if (p2cpu == 1) {
        pd1 = pd2 = up2 = down2 = jump2 = fire2 = laybomb2 = 0;
        STEP(updateNode);
    }

    if (map != SCREEN_RESULT && map != SCREEN_PREMAP)
        STEP(draw);
}

void runTick()
{
    if (key[KEY_ESC] && map != SCREEN_TITLE && map != SCREEN_END_SPLASH && map != SCREEN_INTRO) {
        quitting = 1;
        if (music == 1)
            stopTrack();
    }
    if (quitting == 1)
        quitoption();

    if (map == SCREEN_TUTORIAL && tutorialWait == 1) {
        if (key[KEY_SPACE]) {
            speed_counter = 0;
            player->won = 0;
            player2->won = 0;
            playersActive = 1;
            tutorialWait = 0;
            // As a key ends it: the next hint then also waits its full time for a key, and is
            // not let go at once by the run key held on the way into it.
            tutWaitCount = 0;
        } else if (quitting != 1) {
            // The hint pause would draw over the quit prompt; it waits until the prompt closes.
            waitTutorial();
        }
    }

    if (map == SCREEN_TITLE)
        TitleScreen();

    poll_joystick();
    pollMouse();
    latchInput();

    if (map == SCREEN_RESULT)
        updateResultScreen();
    if (map == SCREEN_PREMAP)
        updatePreMap();
    if (map == SCREEN_CREDITS)
        updateCredits();
    if (map == SCREEN_END_SPLASH)
        updateEndSplash();

    if (map != SCREEN_RESULT && map != SCREEN_INTRO)
        secondsfunct();

    if (gameFrameGateOpen())
        gameFrame();
}

void runDueTicks()
{
    while (speed_counter.load() > 0) {
        runTick();
        gameState();
        speed_counter.fetch_sub(1);
        // Leave the batch at once when the end splash has ended the program, so ticks
        // that keep falling due cannot hold it open.
        if (gameover)
            break;
    }
}

void runLoop()
{
    while (gameover == 0) {
        if (closeRequested.load()) {
            // The window's close button ends the program the way the end splash does.
            gameover = 1;
            break;
        }
        while (speed_counter.load() <= 0 && closeRequested.load() == 0) {
            // Busy wait: the timer thread raises the counter.
        }
        runDueTicks();
    }
}
