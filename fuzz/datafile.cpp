// Any gor.dat: the structure check either refuses it or the library's loader reads it
// whole, without a crash, an out-of-bounds access or a runaway allocation; and what loaded
// can be checked for the game's entries and released.
#include <allegro.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "core/assets.h"
#include "shell/datacheck.h"

static char path[64];

static void removeFile()
{
    unlink(path);
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    snprintf(path, sizeof path, "/tmp/gor-fuzz-datafile-%d.dat", (int)getpid());
    atexit(removeFile);
    set_uformat(U_ASCII);   // as the game starts the library
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        abort();
    set_color_depth(16);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *bytes, size_t size)
{
    if (findDataBytesDamage(bytes, size))
        return 0;
    // The loader reads only from a file: the same bytes through one, checked there again.
    FILE *f = fopen(path, "wb");
    if (!f)
        abort();
    fwrite(bytes, 1, size, f);
    fclose(f);
    if (findDataFileDamage(path))
        abort();   // the file and memory walks must agree
    DATAFILE *dat = load_datafile(path);
    if (!dat)
        return 0;
    findDataFileFault(dat);
    unload_datafile(dat);
    return 0;
}
