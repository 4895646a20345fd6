// gor: a two-player arena deathmatch. Everything is found in the working directory.
#include "frontend/title.h"
#include "shell/loop.h"
#include "shell/startup.h"

int main()
{
    if (initsetup == 0)
        firstPass();
    map = SCREEN_TITLE;
    setupTitleScreen();
    runLoop();
    shutdownGame();
    return 0;
}
