// The title screen: its reset, its four pages and their widgets, the sliding main menu,
// the animated logo, the key set-up page and the drawing of it all.
#pragma once

struct BITMAP;

enum TitlePage {
    TITLE_PAGE_MAIN = 1,
    TITLE_PAGE_QUICK_BOUT = 2,
    TITLE_PAGE_OPTIONS = 3,
    TITLE_PAGE_TEAMS = 4
};

// Scan line, release line of the menu slide, and the two curtain ends.
extern int ThickLiney, releasey, titlerecty1, titlerecty2;

// Widget positions on the 1600x1200 page.
extern int quickboutx, quickbouty, teamsx, teamsy, optionsx, optionsy, creditstextx,
    creditstexty, quitx, quity;
extern int backqbx, backqby;
extern int textplayer2x, textplayer2y;
extern int textAICompx, textAICompy, textAIleftx, textAIrightx;
extern int textgamelengthx, textgamelengthy, textGLleftx, textGLnumberx, textGLrightx;
// The GO button stands at textGox, textGoy (core/match.h).
extern int textdetailx, textdetaily;
extern int textmusicx, textmusicy;
extern int defaultsx, defaultsy;
// The quick-bout page's two team-name boxes, either side of the player 2 label: room for a
// name of 20 letters at the caption's 17-pixel spacing. Nothing draws them.
enum {
    GREEN_TEAM_BOX_X = 300, PURPLE_TEAM_BOX_X = 960, TEAM_BOX_Y = 980, TEAM_BOX_W = 340,
    TEAM_BOX_H = 14
};
// The quick-bout page's 28 thumbnail slots (index = slot number - 1).
enum { THUMB_SLOTS = 28 };
extern int mapThumbx[THUMB_SLOTS], mapThumby[THUMB_SLOTS];

// One block of the logo: it walks its legs one pixel a step inside the 434x55 canvas.
struct TitlePiece {
    int x, y;
    int originX, originY;   // where the current leg began
    int phase;              // current leg from 1; one past the last: arrived
};
enum { TITLE_PIECES = 6, LOGO_SETTLED_PHASE = 6, LOGO_W = 434, LOGO_H = 55 };
extern TitlePiece titlePiece[TITLE_PIECES];

// Puts the game back into a fresh title screen (the caller sets `map` to the title).
void setupTitleScreen();
// One tick of the title screen.
void TitleScreen();
// One step of the main menu's slide.
void moveTexts();
// Keeps the match's five arenas filled with different unlocked arenas.
void fillArenaList();
// The options page's resolution label: the next of 800x600, 1280x1024, 1600x1200 that
// the desktop can show (800x600 always).
void cycleResolution();
// The DEFAULTS button: 1280x1024 (800x600 when the desktop cannot show it), music on, the
// button's own bindings.
void restoreDefaults();

// One step of the logo pieces and the curtains.
void updateGorblatTitle();
// Draws one title frame into the page and presents it.
void DrawTitleScreen();

// Key set-up page: arming a binding's row, Escape, and drawing the bound keys.
enum {
    KEY_ROWS_P1_X = 420, KEY_ROWS_P2_X = 1045, KEY_ROWS_Y = 650, PAD_ROWS_Y = 800,
    KEY_ROWS_P1_END = 630, KEY_ROWS_P2_END = 1310, KEY_ROW_STEP = 16, KEY_ROW_H = 14
};
// The arming row of a binding slot.
void bindingRow(int slot, int *x, int *y, int *endX);
void clickkeys();
void drawKeySetup();
