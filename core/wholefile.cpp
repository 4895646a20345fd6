#include "core/wholefile.h"

#include <ctype.h>
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

// A leftover of a save younger than this may be another copy's save in progress.
static const int LEFTOVER_AGE = 60 * 60;

// A lease another program holds on a file (a file server's, for a client that has it open)
// fails an open with EWOULDBLOCK, and that first try has asked the holder to let go: the open
// is tried again for this long at most, never for the system's break time (45 s), as the
// result screen reads and saves on every frame.
static const int LEASE_TRIES = 10;
static const useconds_t LEASE_STEP = 5000;

// `path` opened; an open a signal interrupted is tried again, as reads and writes are (one
// at start would leave the whole session's settings unread, and so unsaved).
static int openFile(const char *path, int flags, mode_t mode = 0)
{
    int fd;
    do
        fd = open(path, flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// `path` opened, without waiting on a pipe put in its place or out a lease.
static int openLeased(const char *path, int flags)
{
    for (int tries = 1;; tries++) {
        const int fd = openFile(path, flags | O_NONBLOCK | O_NOCTTY);
        if (fd >= 0 || errno != EWOULDBLOCK || tries == LEASE_TRIES)
            return fd;
        usleep(LEASE_STEP);
    }
}

// Why a name that is there is no file to read or write: a folder, or something else.
static int notPlainFile(const struct stat *st)
{
    return S_ISDIR(st->st_mode) ? EISDIR : SAVE_NOT_PLAIN_FILE;
}

int readWholeFile(const char *name, char **text, size_t *size)
{
    *text = NULL;
    *size = 0;
    // Looked at before it is opened: opening a pipe waits for a writer, and a device may do
    // anything. Looked at again once open, in case the name changed in between.
    struct stat st;
    if (stat(name, &st) != 0)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISREG(st.st_mode))
        return notPlainFile(&st);
    const int fd = openLeased(name, O_RDONLY);
    if (fd < 0)
        return errno;
    char *bytes = NULL;
    size_t got = 0, room = 0;
    int err = 0;
    if (fstat(fd, &st) != 0)
        err = errno;
    else if (!S_ISREG(st.st_mode))
        err = notPlainFile(&st);
    while (!err) {
        if (got == room) {
            if (room > INT_MAX / 4) {
                err = EFBIG;   // more than the library takes
                break;
            }
            room = room * 2 + 4096;
            char *more = (char *)realloc(bytes, room);
            if (!more) {
                err = ENOMEM;
                break;
            }
            bytes = more;
        }
        const ssize_t n = read(fd, bytes + got, room - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            err = errno;
        if (n <= 0)
            break;
        got += (size_t)n;
    }
    close(fd);
    if (err) {
        free(bytes);
        return err;
    }
    *text = bytes;
    *size = got;
    return 0;
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

// The bytes a save writes, and the file it replaces, if there is one: its name and record.
// `inPlace` is set where a new file cannot stand for it.
struct Source {
    const char *text;
    size_t size;
    const char *oldPath;
    const struct stat *old;
    int inPlace;
};

// The old file's owner and group on the new one: 0, or why not (a player who is not root
// cannot give a file away).
static int keepOwner(int fd, const struct stat *old)
{
    struct stat now;
    if (fstat(fd, &now) != 0)
        return errno;
    if (now.st_uid == old->st_uid && now.st_gid == old->st_gid)
        return 0;
    return fchown(fd, old->st_uid, old->st_gid) == 0 ? 0 : errno;
}

// What a file system answers for what it cannot do at all.
static int notSupported(int err)
{
    return err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS;
}

// Every extended attribute of the old file on the new one, as it stands (the access ACL is
// one: who else may read and write the file), and none the old one lacks (an ACL the folder
// gives every new file): 0 once the two are alike, or why not. One the new file has already
// with the same value (a security label) is left alone. The old file's are read by its name,
// never opened: an open would break another program's lease on it.
static int keepAttributes(const char *oldPath, int fd)
{
    // The system's own limits on a list of names and on a value.
    static char names[XATTR_LIST_MAX], value[XATTR_SIZE_MAX], had[XATTR_SIZE_MAX];
    ssize_t length = llistxattr(oldPath, names, sizeof names);
    if (length < 0)
        return notSupported(errno) ? 0 : errno;
    for (ssize_t at = 0; at < length; at += (ssize_t)strlen(names + at) + 1) {
        const char *name = names + at;
        const ssize_t n = lgetxattr(oldPath, name, value, sizeof value);
        if (n < 0)
            return errno;
        if (fgetxattr(fd, name, had, sizeof had) != n || memcmp(had, value, (size_t)n) != 0)
            if (fsetxattr(fd, name, value, (size_t)n, 0) != 0)
                return errno;
    }
    length = flistxattr(fd, names, sizeof names);
    if (length < 0)
        return notSupported(errno) ? 0 : errno;
    for (ssize_t at = 0; at < length; at += (ssize_t)strlen(names + at) + 1)
        if (lgetxattr(oldPath, names + at, NULL, 0) < 0 &&
            (errno != ENODATA || fremovexattr(fd, names + at) != 0))
            return errno;
    return 0;
}

// The old file's permission bits, after the owner (a change of owner may clear some) and
// the ACL (which sets them as well). A file system that cannot set a mode (FAT through FUSE
// answers ENOSYS) or one that refuses the mode the file has already is no reason to lose
// the save.
static int keepMode(int fd, const struct stat *old)
{
    const mode_t want = old->st_mode & 07777;
    if (fchmod(fd, want) == 0)
        return 0;
    const int err = errno;
    struct stat now;
    if (notSupported(err) || (fstat(fd, &now) == 0 && (now.st_mode & 07777) == want))
        return 0;
    return err;
}

// Bytes `from` to `to` of `text` at the same place in the file: 0 once all are written.
// *wrote (where given) is set once any is. A new file is written from its start as it
// stands (`positioned` 0), an old one at the places given: the tests tell the two apart by
// the call, to fail or end a save at its first write over the old file.
static int putRange(int fd, const char *text, size_t from, size_t to, int *wrote,
                    int positioned = 1)
{
    while (from < to) {
        const ssize_t n = positioned ? pwrite(fd, text + from, to - from, (off_t)from)
                                     : write(fd, text + from, to - from);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        if (wrote)
            *wrote = 1;
        from += (size_t)n;
    }
    return 0;
}

// The bytes into `fd`, the save's own new file, which stays open, as the old file was kept
// where it can be; 0 once every byte is on the disk.
static int fillFile(int fd, Source *from)
{
    if (from->old) {
        if (!from->inPlace &&
            (keepOwner(fd, from->old) || keepAttributes(from->oldPath, fd)))
            from->inPlace = 1;
        const int err = keepMode(fd, from->old);
        if (err)
            return err;
    }
    const int err = putRange(fd, from->text, 0, from->size, NULL, 0);
    return err ? err : fsync(fd) == 0 ? 0 : errno;
}

// The bytes written over the file itself, where a new one cannot stand for it. It is opened
// only now that the whole text is beside it, and locked: another copy of the game writing in
// place waits for this one (for a while: then it goes on), and a file another copy put in
// its place meanwhile is the one written. *changed is set once the file may no longer be as
// it was: the whole text must then stay beside it.
//
// At no moment does the file hold a byte that neither text has at its place (a kill may come
// at any): a longer text's own bytes past the old end go first, which takes the room it
// needs, so a disk without it fails the save with the file as it was; then the rest from the
// start, the file cut to the new length and synced (its data and length: nothing else of it
// changed).
static int writeInPlace(const char *path, const char *text, size_t size, int *changed)
{
    int fd = -1;
    struct stat st, named;
    for (int attempt = 0;; attempt++) {
        if (attempt == 10)
            return EBUSY;
        if ((fd = openLeased(path, O_WRONLY)) < 0)
            return errno;
        for (int wait = 0; wait < 300 && flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
             wait++)
            usleep(10000);
        const int current = fstat(fd, &st) == 0 && stat(path, &named) == 0 &&
                            st.st_dev == named.st_dev && st.st_ino == named.st_ino;
        if (current && S_ISREG(st.st_mode))
            break;
        close(fd);
        if (current)
            return SAVE_NOT_PLAIN_FILE;
    }
    const size_t oldSize = (size_t)st.st_size;
    int err = size > oldSize ? putRange(fd, text, oldSize, size, NULL) : 0;
    if (!err)
        err = putRange(fd, text, 0, size < oldSize ? size : oldSize, changed);
    if (!err) {
        *changed = 1;   // a shorter text's cut, too
        if (ftruncate(fd, (off_t)size) != 0 || fdatasync(fd) != 0)
            err = errno;
    }
    // Failing before an old byte is written, the file is the old text with some of the new
    // one's tail after it: cut back, the old text again. Past that, a cut would leave a new
    // text's start only, a value the player never set: the file stays as the writes left it
    // (after a failed sync, the new text whole).
    if (err && !*changed && size > oldSize && ftruncate(fd, (off_t)oldSize) != 0)
        *changed = 1;
    close(fd);
    return err;
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
            *fd = openFile(own, O_WRONLY | O_CREAT | O_EXCL, 0666);
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
static int writeOwnFile(const Place *place, Source *from, char *own, size_t size)
{
    // Unnamed until it is whole: a save cut off leaves nothing behind.
    int fd = openFile(place->folder, O_TMPFILE | O_WRONLY, 0666);
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
    const int fd = openFile(folder, O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// The whole text a failed save left beside a file (one at most, the newest, of each file this
// copy of the game saves: a handful).
struct Kept {
    char path[PATH_MAX];
    char own[PATH_MAX + 32];
};
static Kept kept[8];

// Removes the whole text an earlier failed save of `path` left beside it, and notes `own`
// (where not empty) as the one left now.
static void keepOnly(const char *path, const char *own)
{
    Kept *slot = NULL;
    for (Kept &k : kept)
        if (k.path[0] && strcmp(k.path, path) == 0) {
            unlink(k.own);
            k.path[0] = 0;
            slot = &k;
        } else if (!slot && !k.path[0]) {
            slot = &k;
        }
    if (own[0] && slot) {
        snprintf(slot->path, sizeof slot->path, "%s", path);
        snprintf(slot->own, sizeof slot->own, "%s", own);
    }
}

int replaceWholeFile(const char *name, const char *text, size_t size)
{
    Place place;
    int err = findPlace(name, &place);
    if (err)
        return err;
    struct stat old;
    Source from = {text, size, place.path, NULL, 0};
    if (stat(place.path, &old) == 0) {
        // The rename would refuse a folder too, but only after a file was written and
        // synced, and the result screen tries its store again on every frame.
        if (S_ISDIR(old.st_mode))
            return EISDIR;
        // A link to /dev/null or a pipe keeps the game from saving; the device stays itself.
        if (!S_ISREG(old.st_mode))
            return SAVE_NOT_PLAIN_FILE;
        // A file the player made read-only stays as it is, though its folder would allow a
        // new one.
        if (faccessat(AT_FDCWD, place.path, W_OK, AT_EACCESS) != 0)
            return errno;
        from.old = &old;
        from.inPlace = old.st_nlink > 1;   // a new file would part its names
    }
    char own[PATH_MAX + 32] = "";
    err = writeOwnFile(&place, &from, own, sizeof own);
    int keepOwn = 0;   // a file that may not be as it was: the whole new text stays beside it
    if (!err && from.inPlace) {
        syncFolder(place.folder);   // the whole text's name is on the disk first
        err = writeInPlace(place.path, text, size, &keepOwn);
        keepOwn = keepOwn && err;
    } else if (!err && rename(own, place.path) == 0) {
        own[0] = 0;
    } else if (!err) {
        err = errno;
    }
    if (own[0] && !keepOwn)
        unlink(own);
    if (!err || keepOwn)
        keepOnly(place.path, keepOwn ? own : "");
    if (err)
        return err;
    removeLeftovers(&place);
    syncFolder(place.folder);
    return 0;
}

const char *saveFailureText(int reason)
{
    return reason == SAVE_NOT_PLAIN_FILE ? "not a plain file" : strerror(reason);
}
