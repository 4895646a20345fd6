// What the mouse-driven front-end screens share: the pointer latch, the strict hit rule,
// the click debounce, the pointer drawn into the page, presenting the page, the click
// sounds and the display-mode switch of the options page.
#pragma once

struct BITMAP;

// The page's background colour and the colour of the curtains and bars.
int pageBackground();
int curtainColour();

// Latches the pointer (page pixels) and the left button into mx, my, mbL.
void latchPointer();
// 1 when the pointer is strictly inside the w x h box at (x, y): the border does not count.
int pointerInside(int x, int y, int w, int h);
int pointerOn(BITMAP *pic, int x, int y);
// A hit: the pointer strictly inside, the left button down and no click pending.
int clickedOn(BITMAP *pic, int x, int y);
int clickedBox(int x, int y, int w, int h);
// Starts a debounce of `ticks` ticks with the button up.
void startDebounce(int ticks);
// One debounce step: an expired delay clears `clicking`; a running one counts down only
// while the button is up.
void stepDebounce();

// Draws the pointer picture into the page at the latched pointer.
void drawPagePointer();
// Stretches the page onto the display.
void presentPage();
// Puts the pointer at a page position.
void placePointer(int x, int y);

// Plays a sample slot once, centred, at the recorded speed.
void playSlot(int slot, int volume);
void stopSlot(int slot);

// Sets a full-screen 16-bit display mode; 0 on success. Headless it makes a memory screen
// of that size. The start-up's display seam, when set, decides the outcome.
int switchDisplayMode(int w, int h);
