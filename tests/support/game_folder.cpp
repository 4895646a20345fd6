// Every test program plays in a private folder of its own: links to the generated data and
// nothing else. The game writes its settings, unlocks and team statistics into the folder
// it runs in, and the test runner starts many test programs at once; sharing one folder
// they would read each other's files half-written.
#include <dirent.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "shell/harness.h"

namespace {

char folder[] = "/tmp/gor_test_XXXXXX";
pid_t owner;

// Only the program that made the folder removes it: a test's forked child that exits
// through exit() runs the same exit handlers.
void removeFolder()
{
    if (getpid() != owner)
        return;
    DIR *d = opendir(folder);
    if (!d)
        return;
    while (struct dirent *e = readdir(d)) {
        char path[PATH_MAX * 2];
        snprintf(path, sizeof path, "%s/%s", folder, e->d_name);
        if (e->d_name[0] != '.')
            unlink(path);
    }
    closedir(d);
    rmdir(folder);
}

// Links every generated file but the settings the game writes (*.cfg), then points the
// harness at the new folder. Without generated data nothing changes: the tests that need
// it skip themselves. A test program that starts a fresh copy of itself hands it its own
// folder (GOR_PRIVATE_GAME_DIR).
struct PrivateGameFolder {
    PrivateGameFolder()
    {
        char source[PATH_MAX];
        if (getenv("GOR_PRIVATE_GAME_DIR") || !harnessGameDataPresent() ||
            !realpath(harnessGameDir(), source) || !mkdtemp(folder))
            return;
        owner = getpid();
        atexit(removeFolder);
        if (DIR *d = opendir(source)) {
            while (struct dirent *e = readdir(d)) {
                const char *dot = strrchr(e->d_name, '.');
                if (e->d_name[0] == '.' || (dot && strcmp(dot, ".cfg") == 0))
                    continue;
                char from[PATH_MAX * 2], to[PATH_MAX * 2];
                snprintf(from, sizeof from, "%s/%s", source, e->d_name);
                snprintf(to, sizeof to, "%s/%s", folder, e->d_name);
                if (symlink(from, to) != 0)
                    perror(to);
            }
            closedir(d);
        }
        setenv("GOR_GAME_DIR", folder, 1);
        setenv("GOR_PRIVATE_GAME_DIR", "1", 1);
    }
} privateGameFolder;

}  // namespace
