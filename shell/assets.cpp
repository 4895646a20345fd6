#include "shell/assets.h"

#include <allegro.h>
#include <stdio.h>

// Stand-in until the cutting lands: checks only the pointer picture.
const char *findDataFileFault(DATAFILE *d)
{
    static char why[80];
    for (int i = 0; i <= DAT_POINTER; i++) {
        if (d[i].type == DAT_END) {
            snprintf(why, sizeof why, "entry %d is missing", i);
            return why;
        }
    }
    if (d[DAT_POINTER].type != DAT_BITMAP) {
        snprintf(why, sizeof why, "entry %d is not a bitmap", (int)DAT_POINTER);
        return why;
    }
    return NULL;
}

void load_files() {}
void setupGraphics() {}
