#include "frontend/premap.h"

#include <allegro.h>
#include <stdlib.h>
#include <string.h>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/forcefields.h"
#include "arena/levels.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/match.h"
#include "core/music.h"
#include "core/quickdraw.h"
#include "core/rands.h"
#include "core/sound.h"
#include "core/unlocks.h"
#include "core/world.h"
#include "fighters/bombs.h"
#include "fighters/fighter.h"
#include "frontend/comic.h"
#include "frontend/quit.h"
#include "frontend/screen.h"
#include "frontend/title.h"
#include "gore/gore.h"

int nextMap = 0;
int overinfo = 0;
int displaytitle = 0;
int maptitley = 90;
int nextx = 700, nexty = 1067, infox = 700, infoy = 1009;

// 1 once the screen's first frame has looked for a track: the buttons and panels show from
// then on, with or without music to play.
static int premapReady = 0;

// The pre-screen's own stain layer, made once and cleared for every bout.
static BITMAP *premapLayer = NULL;

static const char *const titles[ARENA_COUNT + 1] = {
    "",
    "STREET LEVEL",
    "I THOUGHT THEY SMELLED BAD ON THE OUTSIDE",
    "MONKEY BUSINESS",
    "DOUBLE BASE",
    "HUIS CLOS",
    "SPACE OFF",
    "TRAINED KILLERS",
    "GREEN HELL ZONE",
    "FANTASTIC",
    "CAPITAL PUNISHMENT",
    "DEAD RINGERS",
    "DONT USE THE Z WARD",
    "JUST DESERTS",
    "WATER TORTURE",
    "PANIC ON PLANET PONG",
    "LAVA PALAVER",
    "COMMAND AND CONKER",
    "A NIGHT ON THE TILES",
    "THE INEVITABLE SLIPPY SLIDEY ICE LEVEL",
    "FACTORY FLAW",
    "CITY CITY BANG BANG",
    "ON THE BOG",
    "UNFAIR",
    "GORBLAT THE MUSICAL",
    "BARRELS O FUN",
    "THE GRAVEYARD SHIFT",
    "ONE UP"};

const char *arenaTitle(int arena)
{
    return arena >= 1 && arena <= ARENA_COUNT ? titles[arena] : "";
}

void setupBoutPools()
{
    setupEffects();
    setupcubespawner();
    setupBombs();
    setupBombs2();
    setupExplosions();
    setupBombblastLeft();
    setupBombblastRight();
    setupBombblastUp();
    setupMines();
    setupBlood();
    setupBlood2();
    setupCasings();
    setupForcefields();
}

void setupPreMap(int arena)
{
    releaseTrack();
    musicLoaded = 0;
    playersActive = 0;

    if (!premapLayer)
        premapLayer = create_bitmap(PLAYFIELD_W, PLAYFIELD_H);
    if (!premapLayer)
        fatalError("out of memory for the pre-screen's page");
    prebuffer = premapLayer;
    makeMangaRuns(1);
    clear_bitmap(prebuffer);
    clear_bitmap(buffer);

    GameLengthCurrent += 1;
    nextx = 700, nexty = 1067;
    infox = 700, infoy = 1009;
    backtomenux = 700, backtomenuy = 1125;
    overinfo = 0;

    setupPlayer();
    setupPlayer2();
    setupBoutPools();

    speed_counter = 0;
    powerup[0]->active = 0;
    nextMap = arena;
    powerupspawncount = 38;

    displaytitle = 0;
    mangaOneX = 0;
    mangaOneSpeed = 20;
    seconds = 0;
    premapReady = 0;
    map = SCREEN_PREMAP;
    playSample(SND_PREMAP, 200, 128, 1000);
}

void randomMap() { setupPreMap(arrangeGLarenas()); }

static void toggleInformation()
{
    playSample(SND_JUMP, 130, 128, 600);
    overinfo = !overinfo;
    clicking = 1;
    clickdelay = 20;
    if (overinfo == 0) {
        // The comic pictures pan again when the panels come back.
        mangaOneX = 0;
        mangaOneSpeed = 20;
    }
}

// Starts the bout of an arena that has a level script; 0 for any other arena.
static int startLevel(int arena)
{
    if (arena == ARENA_HELL)
        setupHell();
    else if (arena == ARENA_LONDON)
        setupLondon();
    else
        return 0;
    seconds = 0;
    playersActive = 1;
    speed_counter = 0;
    return 1;
}

void updatePreMap()
{
    if (manga[0]->active == 0) {
        spawnManga(-600, 410, 0, 60, 0);
        spawnManga(1800, 410, 1, 60, 0);
    }
    updateManga();

    if (insidePicture(info_image, infox, infoy, mx, my) && mbL && clicking == 0)
        toggleInformation();
    countClickDelay();
    latchMouse();
    latchWobble();

    if (escapeOpensPrompt())
        quitting = 1;

    if (insidePicture(textBacktoMenu, backtomenux, backtomenuy, mx, my) && mbL) {
        setupTitleScreen();
        seconds = 0;
        map = SCREEN_TITLE;
    }

    if ((insidePicture(textQB, nextx, nexty, mx, my) && mbL) || key[KEY_SPACE]) {
        stopManga();
        if (startLevel(nextMap))
            return;
    }

    if (!quitting)
        drawPreMap();
    if (musicLoaded == 0)
        loadTrack();
    premapReady = 1;
}

// The strip behind the title: every pixel brightened by a new random amount each frame.
static void shimmer(int x0, int x1, int y0, int y1)
{
    if (x0 < 0)
        x0 = 0;
    if (x1 > PLAYFIELD_W)
        x1 = PLAYFIELD_W;
    if (y0 < 0)
        y0 = 0;
    static int rands[PLAYFIELD_W];
    for (int y = y0; y < y1; y++) {
        uint16_t *row = (uint16_t *)buffer->line[y];
        takeRands(rands, x1 - x0);
        for (int x = x0; x < x1; x++) {
            const int c = row[x];
            const int r = getr16(c), g = getg16(c), b = getb16(c);
            const int k = 180 - rands[x - x0] % 100;
            const int nr = (r + k > 255 ? 255 - k : r) + k / 2;
            const int ng = g + k < 255 ? g + k : 255;
            const int nb = b + k < 255 ? b + k : 255;
            row[x] = makecol16(nr, ng, nb);
        }
    }
}

static void drawTitle(const char *title)
{
    const int n = (int)strlen(title), y0 = maptitley;
    shimmer(791 - 9 * n, 809 + 9 * n, y0 - 9, y0 + 24);
    for (int i = 0; i < n; i++)
        if (title[i] >= 'A' && title[i] <= 'Z')
            putPicture(letter[title[i] - 'A'], 800 - 9 * n + 18 * i, y0);
    const int white = makecol(255, 255, 255);
    rect(buffer, 790 - 9 * n, y0 - 10, 810 + 9 * n, y0 + 25, white);
    rect(buffer, 791 - 9 * n, y0 - 9, 809 + 9 * n, y0 + 24, white);
}

static const int infoSeeds[][2] = {{5, 5}, {143, 15}};
static const int nextSeeds[][2] = {{5, 5}, {96, 15}, {127, 15}};
static const int backSeeds[][2] = {{5, 5}, {53, 16}, {53, 22}, {70, 17}, {143, 17}};

struct PremapButton {
    BITMAP **pic;
    int *x, *y;
    const int (*seeds)[2];
    int seedCount;
};

void drawPreMap()
{
    quickenDrawing(buffer);
    set_clip_rect(buffer, 0, 0, PLAYFIELD_W - 1, PLAYFIELD_H - 1);
    const int drawsManga = premapReady && manga[0]->x + 400 > 50;
    // Rows the comic panels paint over whole need no clearing first.
    fillRect(buffer, 0, drawsManga ? mangaCoversRowsTo() + 1 : 0, PLAYFIELD_W - 1,
             PLAYFIELD_H - 1, makecol(30, 20, 33));
    if (drawsManga)
        drawManga();
    if (overinfo == 1) {
        if (nextMap == ARENA_LONDON)
            putPicture(premap_image[0], 200, 303);
        if (nextMap == ARENA_HELL)
            putPicture(premap_image[1], 200, 303);
    }
    if (manga[0]->x > 100)
        displaytitle = 1;
    if (displaytitle == 1)
        drawTitle(arenaTitle(nextMap));
    if (premapReady) {
        const PremapButton buttons[] = {
            {&info_image, &infox, &infoy, infoSeeds, 2},
            {&textQB, &nextx, &nexty, nextSeeds, 3},
            {&textBacktoMenu, &backtomenux, &backtomenuy, backSeeds, 5}};
        for (const PremapButton &b : buttons) {
            putPicture(*b.pic, *b.x, *b.y);
            if (clicking == 0 && insidePicture(*b.pic, *b.x, *b.y, mx, my))
                lightButton(*b.x, *b.y, b.seeds, b.seedCount);
        }
    }
    showPageWithPointer();
}
