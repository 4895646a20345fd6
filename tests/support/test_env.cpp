#include "support/test_env.h"

#include <allegro.h>

void startHeadlessAllegro()
{
    static bool started = false;
    if (started)
        return;
    set_uformat(U_ASCII);   // as the game starts the library
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        abort();
    set_color_depth(16);
    started = true;
}
