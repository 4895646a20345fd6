#include "core/tutorial.h"

int tutorial = 0;
int tutorialWait = 0;
int tutWaitCount = 0;
