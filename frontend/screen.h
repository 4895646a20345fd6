// What every mouse-driven screen between bouts shares: the pointer latched in page pixels
// and put on the page, hit tests and the click debounce, buttons and digits, the page
// colours, the page put on the display (with or without the pointer), and the options
// page's display-mode switch. The latched pointer and the debounce state are core/match.h's.
#pragma once

struct BITMAP;

// The pointer in playfield coordinates (1600x1200) whatever the display size.
int pageMouseX();
int pageMouseY();
// Latches the pointer (page pixels) and the left button.
void latchMouse();
// The library's mouse callback, called on its input thread at every change of the mouse:
// notes a press of the left button, so that a click let go before the screens next look at
// the button still counts.
void noteMousePress(int flags);
// Once a tick: polls the mouse where the driver needs it (polling switches the library
// for good to changes seen only at the polls, and a click between two polls is lost), and
// takes the press noted since the last tick for the screens to read.
void pollMouse();
// The left button as every mouse-driven screen reads it: down now, or pressed and let go
// since the last tick (one held tick).
int sampleLeftButton();
// The wheel sets `TitleWobble`, held to 1..8.
void latchWobble();
// 1 when (x, y) lies strictly inside `pic` placed with its top-left at (left, top).
int insidePicture(BITMAP *pic, int left, int top, int x, int y);
// One step of the click debounce: a finished delay frees the button; the delay runs down
// only while the button is up.
void countClickDelay();
// Lights a button under the pointer: flood fills of the hover colour from fixed points
// inside its picture at (left, top).
void lightButton(int left, int top, const int (*seeds)[2], int seedCount);
// Digit picture `d` of a ten-picture set, or NULL when `d` is not a single digit.
BITMAP *digitPicture(BITMAP *const *set, int d);
// Puts the page on the display with the pointer drawn into it. The pointer is taken out of
// the page again afterwards, so a picture that stays (the frozen pause frame) keeps no
// trace of it.
void showPageWithPointer();
// 1 when Escape may open the quit prompt over a mouse-driven screen.
int escapeOpensPrompt();

// The page's background colour and the colour of the curtains and bars.
int pageBackground();
int curtainColour();

// 1 when the latched pointer is strictly inside the w x h box at (x, y).
int pointerInside(int x, int y, int w, int h);
int pointerOn(BITMAP *pic, int x, int y);
// A hit: the pointer strictly inside, the left button down and no click pending.
int clickedOn(BITMAP *pic, int x, int y);
int clickedBox(int x, int y, int w, int h);
// Starts a debounce of `ticks` ticks with the button up.
void startDebounce(int ticks);

// Draws the pointer picture into the page at the latched pointer (the title screen shows
// it only after the pointer has moved).
void drawPagePointer();
// Puts the pointer at a page position.
void placePointer(int x, int y);

// Sets a full-screen 16-bit display mode; 0 on success. Headless it makes a memory screen
// of that size. The display mode's seam (setGfxModeHook), when set, decides the outcome.
int switchDisplayMode(int w, int h);
// Stretches the page onto the display as it stands (no pointer added).
void presentPage();
