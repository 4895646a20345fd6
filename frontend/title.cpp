#include "frontend/title.h"

#include <allegro.h>
#include <stdlib.h>

#include "ai/tutorial.h"
#include "arena/pickups.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/match.h"
#include "core/music.h"
#include "core/nodes.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/tutorial.h"
#include "core/unlocks.h"
#include "core/world.h"
#include "fighters/fighter.h"
#include "frontend/comic.h"
#include "frontend/credits.h"
#include "frontend/pause.h"
#include "frontend/premap.h"
#include "frontend/quit.h"
#include "frontend/screen.h"

int ThickLiney, releasey, titlerecty1, titlerecty2;
int quickboutx, quickbouty, teamsx, teamsy, optionsx, optionsy, creditstextx, creditstexty,
    quitx, quity;
int backqbx, backqby;
int textplayer2x, textplayer2y;
int textAICompx, textAICompy, textAIleftx, textAIrightx;
int textgamelengthx, textgamelengthy, textGLleftx, textGLnumberx, textGLrightx;
int textdetailx = 707, textdetaily;
int textmusicx, textmusicy;
int defaultsx, defaultsy;
int mapThumbx[THUMB_SLOTS], mapThumby[THUMB_SLOTS];

// The logo canvas is made once and cleared at every reset; the previous screen's stain
// layer is not the title's to free.
static BITMAP *logoCanvas = NULL;

enum { MENU_OFF_X = -200, MENU_IN_X = 300, MENU_SLIDE = 30, MENU_FALL = 40, ARROW_W = 20 };

static void placeWidgets()
{
    quickboutx = teamsx = optionsx = creditstextx = quitx = MENU_OFF_X;
    quickbouty = 600;
    teamsy = 670;
    optionsy = 740;
    creditstexty = 810;
    quity = 880;
    backqbx = 769;
    backqby = 1080;
    textplayer2x = 700;
    textplayer2y = 980;
    textAICompx = 610;
    textAICompy = 1010;
    textAIleftx = 820;
    textAIrightx = 910;
    textgamelengthx = 585;
    textgamelengthy = 1040;
    int w = textgamelength ? textgamelength->w : 0;
    textGLleftx = w + 625;
    textGLnumberx = w + 655;
    textGLrightx = w + 755;
    textGox = 1250;
    textGoy = 1048;
    textdetailx = 725;
    textdetaily = 500;
    textmusicx = 732;
    textmusicy = 525;
    defaultsx = 306;
    defaultsy = 996;
    for (int n = 0; n < THUMB_SLOTS; n++) {
        mapThumbx[n] = 200 + 175 * (n % 7);
        mapThumby[n] = 450 + 130 * (n / 7);
    }
}

static void placeLogo()
{
    static const int start[TITLE_PIECES][2] = {
        {136, 40}, {146, 15}, {181, 40}, {216, 0}, {251, 0}, {296, 15},
    };
    for (int i = 0; i < TITLE_PIECES; i++) {
        TitlePiece &p = titlePiece[i];
        p.x = p.originX = start[i][0];
        p.y = p.originY = start[i][1];
        p.phase = 1;
    }
    titlerecty1 = 0;
    titlerecty2 = 1200;
}

static void rebuildWorld()
{
    setupPlayer();
    setupPlayer2();
    setupSound();
    setupBoutPools();
    setupManga();
    clearNodes();
}

static void clearMatchTotals()
{
    playerOnePower = playerTwoPower = playerOneFrags = playerTwoFrags = 0;
}

void setupTitleScreen()
{
    if (quitting == 1)
        quitting = 0;
    stopSample(SND_RESULT_JINGLE);
    // The track goes, but `musicLoaded` stays: a track never started (music off)
    // still counts as loaded, so the title does not decode another one for nothing.
    releaseTrack();
    // A pause left on from the pre-screen would freeze the title under its tint.
    paused = 0;
    pausedelay = 0;

    backtomenux = 100;
    backtomenuy = 1100;
    GLarena1 = GLarena2 = GLarena3 = GLarena4 = GLarena5 = 0;
    clearMatchTotals();

    set_mapdata(ARENA_LONDON);
    get_mapdata();

    TitleScreenPhase = TITLE_PAGE_MAIN;
    GameLengthCurrent = 0;
    set_mouse_range(0, 0, PLAYFIELD_W, PLAYFIELD_H);
    if (!logoCanvas)
        logoCanvas = create_bitmap(LOGO_W, LOGO_H);
    clear_to_color(logoCanvas, pageBackground());
    prebuffer = logoCanvas;
    position_mouse_z(TitleWobble);

    ThickLiney = 1190;
    placeWidgets();
    releasey = 550;
    placeLogo();

    playersActive = 1;
    gameover = 0;
    rebuildWorld();
    clearMatchTotals();
    placePointer(800, 500);
    titlemusic = 0;
    seconds = 0;
}

// ---- One tick.

static void resetBoutCounters()
{
    music = 0;
    tutorial = 0;
    tutorialWait = 0;
    tutWaitCount = 0;
    cube1spawn = 0;
    cube1spawnR = 0;
    timerhours = timermins = timersecs = 0;
    cubespawncount = rand() % 5 + 8;
    cubespawncount2 = rand() % 10 + 30;
}

static int differsFrom(int v, int a, int b, int c, int d)
{
    return v != a && v != b && v != c && v != d;
}

void fillArenaList()
{
    if (GLarena1 == 0)
        GLarena1 = arrangeGLarenas();
    if (GLarena2 == 0 || GLarena2 == GLarena1)
        GLarena2 = arrangeGLarenas();
    if (GLarena3 == 0 || !differsFrom(GLarena3, GLarena1, GLarena2, GLarena2, GLarena2))
        GLarena3 = arrangeGLarenas();
    if (GLarena4 == 0 || !differsFrom(GLarena4, GLarena1, GLarena2, GLarena3, GLarena3))
        GLarena4 = arrangeGLarenas();
    if (GLarena5 == 0 || !differsFrom(GLarena5, GLarena1, GLarena2, GLarena3, GLarena4))
        GLarena5 = arrangeGLarenas();
}

// A main-menu label slides in from the left while the release line is below it.
static void slideIn(int &x, int y)
{
    if (y < releasey && x < MENU_IN_X)
        x += MENU_SLIDE;
}

static void slideOut(int &x, int y)
{
    if (releasey < y && x > MENU_OFF_X)
        x -= MENU_SLIDE;
}

static void climbBack(int &y, int rest)
{
    if (y > rest)
        y -= MENU_SLIDE;
    if (y < rest)
        y = rest;
}

static void fall(int &y, int stop)
{
    if (releasey < y && y < stop)
        y += MENU_FALL;
}

void moveTexts()
{
    int settled = titlePiece[0].phase == LOGO_SETTLED_PHASE;
    if (TitleScreenPhase == TITLE_PAGE_MAIN) {
        if (settled && releasey < 900)
            releasey += 10;
        slideIn(quickboutx, quickbouty);
        climbBack(quickbouty, 600);
        slideIn(teamsx, teamsy);
        climbBack(teamsy, 670);
        slideIn(optionsx, optionsy);
        climbBack(optionsy, 740);
        slideIn(creditstextx, creditstexty);
        slideIn(quitx, quity);
        return;
    }
    if (settled && releasey > 550)
        releasey -= 10;
    if (TitleScreenPhase == TITLE_PAGE_QUICK_BOUT)
        fall(quickbouty, 1100);
    else
        slideOut(quickboutx, quickbouty);
    if (TitleScreenPhase == TITLE_PAGE_TEAMS)
        fall(teamsy, 1100);
    else
        slideOut(teamsx, teamsy);
    if (TitleScreenPhase == TITLE_PAGE_OPTIONS)
        fall(optionsy, 1100);
    else
        slideOut(optionsx, optionsy);
    slideOut(creditstextx, creditstexty);
    slideOut(quitx, quity);
}

static void stopTitleMusic()
{
    if (titlemusic == 1)
        stopSample(SND_TITLE_MUSIC);
}

// The first three thumbnails start the tutorial, London and Hell; the rest are for
// arenas this game does not have. Returns 1 when the title is left.
static int thumbnailClicked()
{
    if (TitleScreenPhase != TITLE_PAGE_QUICK_BOUT)
        return 0;
    for (int slot = 0; slot < 3; slot++) {
        if (!clickedOn(mapthumbs[0], mapThumbx[slot], mapThumby[slot]))
            continue;
        stopTitleMusic();
        if (slot == 0) {
            map = SCREEN_TUTORIAL;
            speed_counter = 0;
            seconds = 0;
            setupTutorial();
        } else {
            setupPreMap(slot == 1 ? ARENA_LONDON : ARENA_HELL);
            seconds = 0;
        }
        return 1;
    }
    return 0;
}

// The label's display modes in the order it steps through them, and where the label
// stands to fit each mode's picture. A mode larger than the desktop is passed over, on to
// the next, down to 800x600, which is taken whatever the desktop holds.
struct DisplayModeStep {
    int w, h, labelX;
};
enum { MODE_STEPS = 3 };
static const DisplayModeStep modeSteps[MODE_STEPS] = {
    {800, 600, 728},
    {1280, 1024, 707},
    {1600, 1200, 725},
};

static void setDisplayMode(int w, int h)
{
    resx = w;
    resy = h;
    if (switchDisplayMode(w, h) != 0) {
        resx = 800;
        resy = 600;
        switchDisplayMode(800, 600);
    }
    set_mouse_range(0, 0, PLAYFIELD_W, PLAYFIELD_H);
}

// The step of the current mode; -1 for a mode the label does not list (one from a
// hand-edited settings file), which leaves the label inert.
static int currentModeStep()
{
    for (int i = 0; i < MODE_STEPS; i++)
        if (resx == modeSteps[i].w)
            return i;
    return -1;
}

// The first mode after step `from`, in the label's order, that the desktop can show.
static const DisplayModeStep &nextFittingMode(int from)
{
    for (int i = from + 1; i < MODE_STEPS; i++)
        if (displayModeFits(modeSteps[i].w, modeSteps[i].h))
            return modeSteps[i];
    return modeSteps[0];
}

void cycleResolution()
{
    int step = currentModeStep();
    if (step < 0)
        return;
    const DisplayModeStep &next = nextFittingMode(step);
    setDisplayMode(next.w, next.h);
    textdetailx = next.labelX;
}

void restoreDefaults()
{
    if (displayModeFits(1280, 1024)) {
        setDisplayMode(1280, 1024);
        textdetailx = 734;
    } else {
        setDisplayMode(modeSteps[0].w, modeSteps[0].h);
        textdetailx = modeSteps[0].labelX;
    }
    musicOn = 1;
    setDefaultBindings();
}

// A debounced widget of one page: hit, click sound, debounce.
static int pageButton(int page, BITMAP *pic, int x, int y, int delay)
{
    if (TitleScreenPhase != page || !clickedOn(pic, x, y))
        return 0;
    playSample(SND_CLICK, 100, 128, 1000);
    startDebounce(delay);
    return 1;
}

static int pageArrow(int page, int x, int y, BITMAP *row, int delay)
{
    if (TitleScreenPhase != page || !row || !clickedBox(x, y, ARROW_W, row->h))
        return 0;
    playSample(SND_CLICK, 100, 128, 1000);
    startDebounce(delay);
    return 1;
}

static int teamBoxClicked(int teamChosen, int x)
{
    return teamChosen == 1 && TitleScreenPhase == TITLE_PAGE_QUICK_BOUT &&
           clickedBox(x, TEAM_BOX_Y, TEAM_BOX_W, TEAM_BOX_H);
}

static void handleWidgets()
{
    if (TitleScreenPhase == TITLE_PAGE_MAIN && mbL == 1 && pointerOn(textQuit, quitx, quity))
        quitting = 1;
    if (pageButton(TITLE_PAGE_MAIN, textQB, quickboutx, quickbouty, 20))
        TitleScreenPhase = TITLE_PAGE_QUICK_BOUT;
    if (pageButton(TITLE_PAGE_QUICK_BOUT, textBack, backqbx, backqby, 20))
        TitleScreenPhase = TITLE_PAGE_MAIN;
    if (quickbouty >= 1100 &&
        pageButton(TITLE_PAGE_QUICK_BOUT, textQB, quickboutx, quickbouty, 20))
        TitleScreenPhase = TITLE_PAGE_MAIN;
    if (pageButton(TITLE_PAGE_QUICK_BOUT, textplayer2human, textplayer2x, textplayer2y, 20)) {
        p2cpu = p2cpu == 1 ? 0 : 1;
        textplayer2x = p2cpu == 1 ? 716 : 700;
    }
    // From the menu the computer plays at level 1 or 2; a 3 comes only from the settings.
    if (AIcomp > 1 && pageArrow(TITLE_PAGE_QUICK_BOUT, textAIleftx, textAICompy,
                                textAICompetence, 20))
        AIcomp--;
    if (AIcomp < 2 && pageArrow(TITLE_PAGE_QUICK_BOUT, textAIrightx, textAICompy,
                                textAICompetence, 10))
        AIcomp++;
    if (pageArrow(TITLE_PAGE_QUICK_BOUT, textGLleftx, textgamelengthy, textgamelength, 10))
        GameLength--;
    // A match started here has one bout, so GO never answers.
    GameLength = 1;
    if (GameLength != 1 && TitleScreenPhase == TITLE_PAGE_QUICK_BOUT &&
        clickedOn(textGo, textGox, textGoy)) {
        startDebounce(10);
        stopTitleMusic();
        setupPreMap(GLarena1);
        seconds = 0;
    }
    // A side's team-name box answers only while a team is chosen for that side, which
    // nothing in the game does yet.
    if (teamBoxClicked(GreenActive, GREEN_TEAM_BOX_X) ||
        teamBoxClicked(PurpleActive, PURPLE_TEAM_BOX_X)) {
        teamsx = 310;
        teamsy = 1100;
        startDebounce(10);
        TitleScreenPhase = TITLE_PAGE_TEAMS;
    }
    if (pageButton(TITLE_PAGE_MAIN, textOpt, optionsx, optionsy, 20))
        TitleScreenPhase = TITLE_PAGE_OPTIONS;
    if (pageButton(TITLE_PAGE_OPTIONS, textBack, backqbx, backqby, 20))
        TitleScreenPhase = TITLE_PAGE_MAIN;
    if (optionsy >= 1100 && pageButton(TITLE_PAGE_OPTIONS, textOpt, optionsx, optionsy, 20))
        TitleScreenPhase = TITLE_PAGE_MAIN;
    if (currentModeStep() >= 0 &&
        pageButton(TITLE_PAGE_OPTIONS, texthighdetail, textdetailx, textdetaily, 20))
        cycleResolution();
    if (pageButton(TITLE_PAGE_OPTIONS, textmusicon, textmusicx, textmusicy, 20))
        musicOn = musicOn == 1 ? 0 : 1;
    if (TitleScreenPhase == TITLE_PAGE_OPTIONS && clickedOn(defaults, defaultsx, defaultsy)) {
        playSample(SND_DEFAULTS, 100, 128, 1000);
        startDebounce(20);
        restoreDefaults();
    }
}

void TitleScreen()
{
    resetBoutCounters();
    latchMouse();
    fillArenaList();
    latchWobble();
    countClickDelay();
    moveTexts();

    if (thumbnailClicked())
        return;
    if (escapeOpensPrompt())
        quitting = 1;
    if (seconds > 1 && titlePiece[0].phase < LOGO_SETTLED_PHASE && quitting == 0)
        updateGorblatTitle();
    if (quitting == 0)
        DrawTitleScreen();
    if (musicLoaded == 0)
        loadTrack();
    if (titlemusic == 0 && musicLoaded == 1) {
        playSample(SND_TITLE_MUSIC, 255, 128, 1000);
        titlemusic = 1;
    }
    ThickLiney--;
    if (ThickLiney < 10)
        ThickLiney = 1190;

    captureWaitingBindings();
    handleWidgets();
    clickkeys();

    if (TitleScreenPhase == TITLE_PAGE_MAIN && clickedOn(textCredits, creditstextx,
                                                         creditstexty)) {
        playSample(SND_CLICK, 100, 128, 1000);
        stopTitleMusic();
        setupCredits();
        seconds = 0;
    }
}
