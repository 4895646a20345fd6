// Stand-ins until the computer opponent lands: its press helpers, as far as the tutorial's
// guidance uses them. The opponent's own definitions replace this file.
#include "shell/world.h"

void aiPlayer2Jump() { jump2 = 1; }
void aiPlayer2Right()
{
    pd2 = 1;
    pd1 = 0;
}
