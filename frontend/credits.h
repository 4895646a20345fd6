// The credits screen (the credits picture between the title's curtains, with a way back to
// the menu) and the intro screen, a diagnostic page nothing opens.
#pragma once

enum { CREDITS_X = 150, CREDITS_Y = 230, CREDITS_MENU_X = 700, CREDITS_MENU_Y = 1125 };

void setupCredits();
// One tick: the pointer, the back-to-menu button, then the drawing unless the quit prompt
// holds the page.
void updateCredits();
void drawCredits();

void setupIntro();
void updateIntro();
void drawIntro();
