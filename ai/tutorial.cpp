#include "ai/tutorial.h"

// Stand-ins until the tutorial lands.
int tutorial = 0;
int tutorialWait = 0;

void setupTutorial() {}
void updateTutorial() {}
void waitTutorial() {}
void drawTutorialFG() {}
