#include "shell/render.h"

// Stand-ins until the frame renderer lands.
void draw() {}
void player1Camera() {}
void player2Camera() {}
