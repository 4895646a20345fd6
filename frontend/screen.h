// What the front-end screens add to the mouse-driven screens' shared helpers (core/match.h):
// the page colours, the strict hit rule for boxes without a picture, a hit with the
// debounce, putting the pointer on a page position, and the options
// page's display-mode switch.
#pragma once

struct BITMAP;

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
// of that size. The start-up's display seam, when set, decides the outcome.
int switchDisplayMode(int w, int h);
// Stretches the page onto the display as it stands (no pointer added).
void presentPage();
