#include "core/configfile.h"

#include <allegro.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

void selectConfigFile(const char *name)
{
    char *text = NULL;
    size_t size = 0, room = 0;
    FILE *f = fopen(name, "rb");
    if (f) {
        for (;;) {
            if (size == room) {
                if (room > INT_MAX / 4)
                    break;   // more than the library takes
                room = room * 2 + 4096;
                char *more = (char *)realloc(text, room);
                if (!more)
                    break;
                text = more;
            }
            const size_t got = fread(text + size, 1, room - size, f);
            if (got == 0)
                break;
            size += got;
        }
        // A folder in its place, say, reads as no file, as the library had it.
        if (ferror(f) || !feof(f))
            size = 0;
        fclose(f);
    }
    set_config_data(text ? text : "", (int)size);
    free(text);
}

static int failure()
{
    return errno ? errno : EIO;
}

// One section's lines as the library writes them: "[name]" (after a blank line, unless it
// comes first), then "key = value" in its order. Section NULL is the part before the first
// section.
static int writeSection(FILE *f, const char *section)
{
    const char **names = NULL;
    const int n = list_config_entries(section, &names);
    int err = 0;
    if (section && fprintf(f, "%s%s\n", ftell(f) > 0 ? "\n" : "", section) < 0)
        err = failure();
    for (int i = 0; i < n && !err; i++)
        if (fprintf(f, "%s = %s\n", names[i], get_config_string(section, names[i], "")) < 0)
            err = failure();
    if (names)
        free_config_entries(&names);
    return err;
}

// The current configuration into `fd`, which is closed; 0 once every byte is on the disk.
static int writeConfigText(int fd)
{
    FILE *f = fdopen(fd, "w");
    if (!f) {
        const int err = errno;
        close(fd);
        return err;
    }
    errno = 0;
    int err = writeSection(f, NULL);
    const char **sections = NULL;
    const int n = list_config_sections(&sections);
    for (int i = 0; i < n && !err; i++)
        err = writeSection(f, sections[i]);
    if (sections)
        free_config_entries(&sections);
    if (!err && fflush(f) != 0)
        err = failure();
    if (!err && fsync(fileno(f)) != 0)
        err = failure();
    if (fclose(f) != 0 && !err)
        err = failure();
    return err;
}

// After the rename the folder holds the new name; synced, a crash keeps one file or the other.
static void syncFolderOf(const char *file)
{
    char folder[PATH_MAX];
    snprintf(folder, sizeof folder, "%s", file);
    char *slash = strrchr(folder, '/');
    if (slash)
        slash[slash == folder] = 0;
    else
        snprintf(folder, sizeof folder, ".");
    const int fd = open(folder, O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// 0, or why the file could not be replaced (it is then as it was).
static int replaceFile(const char *name)
{
    char target[PATH_MAX];
    if (!realpath(name, target) &&
        snprintf(target, sizeof target, "%s", name) >= (int)sizeof target)
        return ENAMETOOLONG;
    struct stat old;
    const int exists = stat(target, &old) == 0;
    // The rename would refuse a folder too, but only after a file was written and synced,
    // and the result screen tries its store again on every frame.
    if (exists && S_ISDIR(old.st_mode))
        return EISDIR;
    // A file the player made read-only stays as it is, though its folder would allow a new one.
    if (exists && faccessat(AT_FDCWD, target, W_OK, AT_EACCESS) != 0)
        return errno;
    char temp[PATH_MAX + 8];
    snprintf(temp, sizeof temp, "%s.tmp", target);
    unlink(temp);   // left by a save that was cut off
    const int fd = open(temp, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0)
        return errno;
    int err = 0;
    if (exists && fchmod(fd, old.st_mode & 07777) != 0) {
        err = errno;
        close(fd);
    } else {
        err = writeConfigText(fd);
    }
    if (!err && rename(temp, target) != 0)
        err = errno;
    if (err) {
        unlink(temp);
        return err;
    }
    syncFolderOf(target);
    return 0;
}

// The file whose failure was said last, and why: a save repeated every frame says it once.
static char unsavedFile[64];
static int unsavedReason;

void saveConfigFile(const char *name)
{
    const int reason = replaceFile(name);
    if (reason == 0) {
        if (strcmp(unsavedFile, name) == 0)
            unsavedFile[0] = 0;
        return;
    }
    if (strcmp(unsavedFile, name) != 0 || reason != unsavedReason)
        fprintf(stderr, "gor: cannot save %s: %s\n", name, strerror(reason));
    snprintf(unsavedFile, sizeof unsavedFile, "%s", name);
    unsavedReason = reason;
}
