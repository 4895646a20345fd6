#include "core/wholefile.h"

#include <ctype.h>
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

// A leftover of a save younger than this may be another copy's save in progress.
static const int LEFTOVER_AGE = 60 * 60;

void readWholeFile(const char *name, char **text, size_t *size)
{
    *text = NULL;
    *size = 0;
    // Looked at before it is opened: opening a pipe waits for a writer, and a device may do
    // anything. Looked at again once open, in case the name changed in between.
    struct stat st;
    if (stat(name, &st) != 0 || !S_ISREG(st.st_mode))
        return;
    const int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    char *bytes = NULL;
    size_t got = 0, room = 0;
    int whole = 0;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        for (;;) {
            if (got == room) {
                if (room > INT_MAX / 4)
                    break;   // more than the library takes
                room = room * 2 + 4096;
                char *more = (char *)realloc(bytes, room);
                if (!more)
                    break;
                bytes = more;
            }
            const ssize_t n = read(fd, bytes + got, room - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                whole = n == 0;
                break;
            }
            got += (size_t)n;
        }
    close(fd);
    if (!whole) {
        free(bytes);
        return;
    }
    *text = bytes;
    *size = got;
}

// ---- Where the file is.

// The file a save writes, its folder, where its own name starts, and the longest name the
// folder takes.
struct Place {
    char path[PATH_MAX];
    char folder[PATH_MAX];
    size_t nameAt;
    long nameMax;
};

// `name`, or the last name a chain of symbolic links ends at, which need not exist yet.
static int followLinks(const char *name, char *target, size_t size)
{
    if (snprintf(target, size, "%s", name) >= (int)size)
        return ENAMETOOLONG;
    for (int hops = 0;; hops++) {
        char link[PATH_MAX];
        const ssize_t n = readlink(target, link, sizeof link);
        if (n < 0)
            return errno == EINVAL || errno == ENOENT ? 0 : errno;   // no link: the file
        if (n == (ssize_t)sizeof link)
            return ENAMETOOLONG;
        if (hops == 40)
            return ELOOP;   // the system's own limit
        link[n] = 0;
        // A relative link names a file in the link's own folder.
        const char *slash = strrchr(target, '/');
        const size_t keep = link[0] != '/' && slash ? (size_t)(slash - target) + 1 : 0;
        if (snprintf(target + keep, size - keep, "%s", link) >= (int)(size - keep))
            return ENAMETOOLONG;
    }
}

static int findPlace(const char *name, Place *place)
{
    const int err = followLinks(name, place->path, sizeof place->path);
    if (err)
        return err;
    const char *slash = strrchr(place->path, '/');
    place->nameAt = slash ? (size_t)(slash - place->path) + 1 : 0;
    snprintf(place->folder, sizeof place->folder, "%s", place->path);
    if (slash)
        place->folder[place->nameAt > 1 ? place->nameAt - 1 : 1] = 0;
    else
        snprintf(place->folder, sizeof place->folder, ".");
    place->nameMax = pathconf(place->folder, _PC_NAME_MAX);
    if (place->nameMax <= 0 || place->nameMax > NAME_MAX)
        place->nameMax = NAME_MAX;
    return 0;
}

// How much of the file's name begins the save's own name that ends in a tail of
// `tailLength` bytes: all of it, or as much as fits in the folder without cutting a character
// of several bytes in two; -1 where not even the tail fits.
static long nameKept(const Place *place, size_t tailLength)
{
    if ((long)tailLength >= place->nameMax)
        return -1;
    const char *name = place->path + place->nameAt;
    const size_t room = (size_t)place->nameMax - tailLength;
    size_t keep = strlen(name);
    if (keep <= room)
        return (long)keep;
    keep = room;
    while (keep > 0 && ((unsigned char)name[keep] & 0xC0) == 0x80)
        keep--;
    return (long)keep;
}

// The save's own name number `serial` of process `pid`, beside the file: 0, or too long.
static int ownName(const Place *place, int pid, unsigned serial, char *own, size_t size)
{
    char tail[32];
    const size_t tailLength = (size_t)snprintf(tail, sizeof tail, ".%d-%u.tmp", pid, serial);
    const long keep = nameKept(place, tailLength);
    if (keep < 0 || place->nameAt + keep + tailLength >= size)
        return ENAMETOOLONG;
    memcpy(own, place->path, place->nameAt + keep);
    strcpy(own + place->nameAt + keep, tail);
    return 0;
}

// Whether folder entry `entry` has a name this file's saves give their own files.
static int isOwnName(const Place *place, const char *entry)
{
    size_t at = strlen(entry);
    const size_t length = at;
    if (at < 4 || strcmp(entry + at - 4, ".tmp") != 0)
        return 0;
    at -= 4;
    // The serial after '-', the process after '.'.
    for (const char *before = "-."; *before; before++) {
        const size_t end = at;
        while (at > 0 && isdigit((unsigned char)entry[at - 1]))
            at--;
        if (at == end || at == 0 || entry[at - 1] != *before)
            return 0;
        at--;
    }
    return nameKept(place, length - at) == (long)at &&
           memcmp(entry, place->path + place->nameAt, at) == 0;
}

// Removes what saves of this file cut off left, once it is old enough to be no save in
// progress. The age is told by the file just saved, so a network share's own clock counts.
static void removeLeftovers(const Place *place)
{
    struct stat st;
    const time_t now = stat(place->path, &st) == 0 ? st.st_mtime : time(NULL);
    DIR *folder = opendir(place->folder);
    if (!folder)
        return;
    while (const struct dirent *entry = readdir(folder))
        if (isOwnName(place, entry->d_name) &&
            fstatat(dirfd(folder), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && st.st_mtime < now - LEFTOVER_AGE)
            unlinkat(dirfd(folder), entry->d_name, 0);
    closedir(folder);
}

// ---- Writing the save's own file.

// The bytes a save writes, and the file it replaces, if there is one.
struct Source {
    const char *text;
    size_t size;
    const struct stat *old;
};

// A file two players share stays theirs: the owner and group carry over where the system
// allows, else the group alone (a player may give his file to a group he is in). A save
// never fails for this.
static void keepOwner(int fd, const struct stat *old)
{
    struct stat now;
    if (fstat(fd, &now) != 0 || (now.st_uid == old->st_uid && now.st_gid == old->st_gid))
        return;
    if (fchown(fd, old->st_uid, old->st_gid) == 0 || now.st_gid == old->st_gid)
        return;
    const int groupOnly = fchown(fd, (uid_t)-1, old->st_gid);
    (void)groupOnly;   // the saver's own group, then
}

// The old file's permission bits, after the owner (a change of owner may clear some). A
// file system that cannot set a mode (FAT through FUSE answers ENOSYS) or one that refuses
// the mode the file has already is no reason to lose the save.
static int keepMode(int fd, const struct stat *old)
{
    const mode_t want = old->st_mode & 07777;
    if (fchmod(fd, want) == 0)
        return 0;
    const int err = errno;
    struct stat now;
    if (err == ENOSYS || err == EOPNOTSUPP || err == ENOTSUP ||
        (fstat(fd, &now) == 0 && (now.st_mode & 07777) == want))
        return 0;
    return err;
}

// The bytes into `fd`, which stays open, as the old file was kept; 0 once every byte is on
// the disk.
static int fillFile(int fd, const Source *from)
{
    if (from->old) {
        keepOwner(fd, from->old);
        const int err = keepMode(fd, from->old);
        if (err)
            return err;
    }
    for (size_t done = 0; done < from->size;) {
        const ssize_t n = write(fd, from->text + done, from->size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += (size_t)n;
    }
    return fsync(fd) == 0 ? 0 : errno;
}

// Gives the save's file a name beside the file that no other file has (this game's or
// another copy's save, or anything of the player's): the unnamed file `*fd` is linked
// there, or, where there is none (*fd < 0), a new file is made there.
static int nameOwnFile(const Place *place, int *fd, char *own, size_t size)
{
    static unsigned serial;
    char path[32];
    snprintf(path, sizeof path, "/proc/self/fd/%d", *fd);
    for (int attempt = 0; attempt < 100; attempt++) {
        const int err = ownName(place, (int)getpid(), serial++, own, size);
        if (err) {
            own[0] = 0;
            return err;
        }
        if (*fd < 0) {
            *fd = open(own, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (*fd >= 0)
                return 0;
        } else if (linkat(AT_FDCWD, path, AT_FDCWD, own, AT_SYMLINK_FOLLOW) == 0 ||
                   (errno != EEXIST && linkat(*fd, "", AT_FDCWD, own, AT_EMPTY_PATH) == 0)) {
            return 0;   // without /proc, a process allowed to may link it by its descriptor
        }
        if (errno != EEXIST) {
            own[0] = 0;
            return errno;
        }
    }
    own[0] = 0;
    return EEXIST;
}

// The bytes in a synced file of the save's own beside the file, named `own`.
static int writeOwnFile(const Place *place, const Source *from, char *own, size_t size)
{
    // Unnamed until it is whole: a save cut off leaves nothing behind.
    int fd = open(place->folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
        const int err = fillFile(fd, from);
        const int named = !err && nameOwnFile(place, &fd, own, size) == 0;
        close(fd);
        if (err || named)
            return err;
    }
    // No unnamed files on this file system, or no way to name one: a new name of its own.
    fd = -1;
    int err = nameOwnFile(place, &fd, own, size);
    if (err)
        return err;
    err = fillFile(fd, from);
    close(fd);
    return err;
}

// After the rename the folder holds the new name; synced, a crash keeps one file or the other.
static void syncFolder(const char *folder)
{
    const int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

int replaceWholeFile(const char *name, const char *text, size_t size)
{
    Place place;
    int err = findPlace(name, &place);
    if (err)
        return err;
    struct stat old;
    const int exists = stat(place.path, &old) == 0;
    // The rename would refuse a folder too, but only after a file was written and synced,
    // and the result screen tries its store again on every frame.
    if (exists && S_ISDIR(old.st_mode))
        return EISDIR;
    // A link to /dev/null or a pipe keeps the game from saving; the device stays itself.
    if (exists && !S_ISREG(old.st_mode))
        return SAVE_NOT_PLAIN_FILE;
    // A file the player made read-only stays as it is, though its folder would allow a new one.
    if (exists && faccessat(AT_FDCWD, place.path, W_OK, AT_EACCESS) != 0)
        return errno;
    char own[PATH_MAX + 32] = "";
    const Source from = {text, size, exists ? &old : NULL};
    err = writeOwnFile(&place, &from, own, sizeof own);
    if (!err && rename(own, place.path) != 0)
        err = errno;
    if (err) {
        if (own[0])
            unlink(own);
        return err;
    }
    removeLeftovers(&place);
    syncFolder(place.folder);
    return 0;
}

const char *saveFailureText(int reason)
{
    return reason == SAVE_NOT_PLAIN_FILE ? "not a plain file" : strerror(reason);
}
