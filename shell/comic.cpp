#include "shell/comic.h"

// Stand-in until the comic panels land.
void setupManga() {}
