#include "shell/render.h"

#include <stddef.h>

BITMAP *prebuffer = NULL;

// Stand-ins until the frame renderer lands.
void draw() {}
void player1Camera() {}
void player2Camera() {}
