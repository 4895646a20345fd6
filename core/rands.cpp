#include "core/rands.h"

#include <stdint.h>
#include <stdlib.h>

#ifdef __GLIBC__
// The C library's rand() is its random(): one generator state behind a lock. setstate()
// hands that state (with its place in it) to us while random() uses a spare one, the
// lock-free random_r() steps it, and setstate() hands it back with the place reached.
void takeRands(int *out, int n)
{
    static char spare[128], oursAtRest[128];
    static random_data spareRun, ours;
    static int ready = 0;
    if (!ready) {
        initstate_r(1, spare, sizeof spare, &spareRun);
        initstate_r(1, oursAtRest, sizeof oursAtRest, &ours);
        ready = 1;
    }
    char *shared = setstate(spare);
    if (!shared || setstate_r(shared, &ours) != 0) {
        if (shared)
            setstate(shared);
        for (int i = 0; i < n; i++)
            out[i] = rand();
        return;
    }
    for (int i = 0; i < n; i++) {
        int32_t value;
        random_r(&ours, &value);
        out[i] = value;
    }
    setstate_r(oursAtRest, &ours);   // writes the place reached into the shared state
    setstate(shared);
}
#else
void takeRands(int *out, int n)
{
    for (int i = 0; i < n; i++)
        out[i] = rand();
}
#endif
