// The quit prompt laid over the screen that was showing: Y on to the end splash, N back to
// that screen, back-to-menu to the title screen (not offered over the title itself).
#pragma once

extern int quitting;   // 0 none, 1 prompt open, 2 the end splash is ending the program

// Where the prompt's pieces stand on the page.
enum {
    QUIT_LABEL_X = 700, QUIT_LABEL_Y = 418, QUIT_YES_X = 908, QUIT_NO_X = 954,
    QUIT_SLASH_X = 898, QUIT_CHOICE_Y = 430, QUIT_MENU_X = 700, QUIT_MENU_Y = 1125
};

// One tick of the prompt: the answers, then the drawing.
void quitoption();
// Darkens the page a step, draws the prompt over it and presents it.
void drawquitoption();
// Lowers each colour part of every page pixel by 10, stopping at 0.
void darkenPage();
