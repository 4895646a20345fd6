// The tutorial arena: its level script, one-shot hint triggers, hint pictures and pause.
#pragma once

extern int tutorial;       // stage counter, 0..12
extern int tutorialWait;   // 1 while a hint holds the game

void setupTutorial();
void updateTutorial();
void waitTutorial();
void drawTutorialFG();
