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

// The text last read and the file it came from: a save of that file keeps its lines.
static char *readText;
static size_t readSize;
static char readFrom[256];

void selectConfigFile(const char *name)
{
    free(readText);
    readText = NULL;
    readSize = 0;
    size_t room = 0;
    FILE *f = fopen(name, "rb");
    if (f) {
        for (;;) {
            if (readSize == room) {
                if (room > INT_MAX / 4)
                    break;   // more than the library takes
                room = room * 2 + 4096;
                char *more = (char *)realloc(readText, room);
                if (!more)
                    break;
                readText = more;
            }
            const size_t got = fread(readText + readSize, 1, room - readSize, f);
            if (got == 0)
                break;
            readSize += got;
        }
        // A folder in its place, say, reads as no file, as the library had it.
        if (ferror(f) || !feof(f))
            readSize = 0;
        fclose(f);
    }
    if (snprintf(readFrom, sizeof readFrom, "%s", name) >= (int)sizeof readFrom)
        readFrom[0] = 0;
    set_config_data(readText ? readText : "", (int)readSize);
}

static int failure()
{
    return errno ? errno : EIO;
}

// ---- The saved text.

// One line as the library reads it: it ends at '\r' or '\n' (a pair of the two ends one
// line). Its name runs from the first character that is not a space up to a space, '=' or
// '#'. A line with no name is a comment (or blank); a name in brackets starts a section.
enum LineKind { LINE_BLANK, LINE_COMMENT, LINE_SECTION, LINE_KEY };
struct Line {
    const char *text;
    size_t length;   // without its end
    const char *name;
    size_t nameLength;
    LineKind kind;
};

static int isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

// The line at `*at` (moved past it); 0 at the end of the text.
static int readLine(const char *text, size_t size, size_t *at, Line *line)
{
    if (*at >= size)
        return 0;
    const char *start = text + *at;
    size_t n = 0;
    while (*at + n < size && start[n] != '\r' && start[n] != '\n')
        n++;
    *at += n;
    if (*at < size) {
        const char end = text[(*at)++];
        if (*at < size && (text[*at] == '\r' || text[*at] == '\n') && text[*at] != end)
            (*at)++;
    }
    size_t i = 0;
    while (i < n && isSpace(start[i]))
        i++;
    size_t j = i;   // the library's names also end at a NUL byte
    while (j < n && start[j] && !isSpace(start[j]) && start[j] != '=' && start[j] != '#')
        j++;
    line->text = start;
    line->length = n;
    line->name = start + i;
    line->nameLength = j - i;
    if (j == i)
        line->kind = i == n || !start[i] ? LINE_BLANK : LINE_COMMENT;
    else
        line->kind = start[i] == '[' && start[j - 1] == ']' ? LINE_SECTION : LINE_KEY;
    return 1;
}

// A name as a string the library takes, in a buffer that grows as needed.
struct Scratch {
    char *bytes;
    size_t room;
};

static const char *terminated(Scratch *s, const char *name, size_t length)
{
    if (length >= s->room) {
        char *more = (char *)realloc(s->bytes, length + 64);
        if (!more)
            return NULL;
        s->bytes = more;
        s->room = length + 64;
    }
    memcpy(s->bytes, name, length);
    s->bytes[length] = 0;
    return s->bytes;
}

// Section names match as the library matches them, whatever the case.
static int sameSection(const char *name, size_t length, const char *section)
{
    size_t i = 0;
    for (; i < length && section[i]; i++)
        if (utolower((unsigned char)name[i]) != utolower((unsigned char)section[i]))
            return 0;
    return i == length && !section[i];
}

struct Save {
    FILE *f;
    const char *text;   // the file as it was read
    size_t size;
    const char **sections;   // the current configuration's, each marked once its keys are out
    int sectionCount;
    char *sectionDone;
    Scratch name;
    int err;
    int wroteAny, lastBlank;
};

static void putLine(Save *s, const char *text, size_t length, const char *value)
{
    if (s->err)
        return;
    if (fwrite(text, 1, length, s->f) != length || (value && fprintf(s->f, " = %s", value) < 0) ||
        putc('\n', s->f) == EOF)
        s->err = failure();
    s->wroteAny = 1;
    s->lastBlank = 0;
}

// The keys of `section` (NULL: those before any section) that the text has no line for,
// each as "key = value". A section's keys are added once, after its first group of lines.
static void addNewKeys(Save *s, const char *section)
{
    for (int i = 0; section && i < s->sectionCount; i++)
        if (sameSection(s->sections[i], strlen(s->sections[i]), section)) {
            if (s->sectionDone[i])
                return;
            s->sectionDone[i] = 1;
        }
    const char **names = NULL;
    const int count = list_config_entries(section, &names);
    char *had = (char *)calloc(count + 1, 1);
    if (!had) {
        s->err = ENOMEM;
        if (names)
            free_config_entries(&names);
        return;
    }
    int inSection = !section;
    Line line;
    for (size_t at = 0; !s->err && readLine(s->text, s->size, &at, &line);) {
        if (line.kind == LINE_SECTION)
            inSection = section && sameSection(line.name, line.nameLength, section);
        else if (line.kind == LINE_KEY && inSection)
            for (int k = 0; k < count; k++)
                if (strlen(names[k]) == line.nameLength &&
                    memcmp(names[k], line.name, line.nameLength) == 0)
                    had[k] = 1;
    }
    for (int k = 0; k < count; k++)
        if (!had[k])
            putLine(s, names[k], strlen(names[k]), get_config_string(section, names[k], ""));
    free(had);
    if (names)
        free_config_entries(&names);
}

// The text read, with each key's current value, then the keys and sections it did not have.
static int writeConfigText(FILE *f, const char *text, size_t size)
{
    Save s = {};
    s.f = f;
    s.text = text;
    s.size = size;
    Scratch sectionName = {NULL, 0};
    s.sectionCount = list_config_sections(&s.sections);
    s.sectionDone = (char *)calloc(s.sectionCount + 1, 1);
    if (!s.sectionDone)
        s.err = ENOMEM;
    const char *section = NULL;
    // New keys go where the library puts them: after the run of lines that starts the
    // section, up to its first blank line, but never into the next section.
    int inFirstLines = 1;
    Line line;
    for (size_t at = 0; !s.err && readLine(text, size, &at, &line);) {
        if (inFirstLines && line.kind != LINE_KEY && line.kind != LINE_COMMENT) {
            addNewKeys(&s, section);
            inFirstLines = 0;
        }
        if (line.kind == LINE_KEY && line.name[0] != ';') {
            const char *name = terminated(&s.name, line.name, line.nameLength);
            if (!name)
                s.err = ENOMEM;
            else
                putLine(&s, line.name, line.nameLength, get_config_string(section, name, ""));
        } else {
            // Comments, blank lines and "[section]" lines as they stand; a "; ..." line too,
            // a note to the player, though to the library it is a key (one no one reads).
            putLine(&s, line.text, line.length, NULL);
            s.lastBlank = line.kind == LINE_BLANK;
        }
        if (line.kind == LINE_SECTION) {
            section = terminated(&sectionName, line.name, line.nameLength);
            if (!section)
                s.err = ENOMEM;
            inFirstLines = 1;
        }
    }
    if (inFirstLines)
        addNewKeys(&s, section);
    for (int i = 0; i < s.sectionCount && !s.err; i++)
        if (!s.sectionDone[i]) {
            if (s.wroteAny && !s.lastBlank)
                putLine(&s, "", 0, NULL);
            putLine(&s, s.sections[i], strlen(s.sections[i]), NULL);
            addNewKeys(&s, s.sections[i]);
        }
    free(s.sectionDone);
    if (s.sections)
        free_config_entries(&s.sections);
    free(s.name.bytes);
    free(sectionName.bytes);
    return s.err;
}

// ---- Replacing the file.

// The file a save writes: `name`, or the last name a chain of symbolic links ends at,
// which need not exist yet.
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

static void folderOf(const char *file, char *folder, size_t size)
{
    snprintf(folder, size, "%s", file);
    char *slash = strrchr(folder, '/');
    if (slash)
        slash[slash == folder] = 0;
    else
        snprintf(folder, size, ".");
}

// The text a save starts from (none for a new file) and the old file, if there is one.
struct Source {
    const char *text;
    size_t size;
    const struct stat *old;
};

// The new text into `fd`, which stays open, with the old file's permissions; 0 once every
// byte is on the disk.
static int fillFile(int fd, const Source *from)
{
    const struct stat *old = from->old;
    if (old && fchmod(fd, old->st_mode & 07777) != 0)
        return errno;
    const int own = dup(fd);
    FILE *f = own >= 0 ? fdopen(own, "w") : NULL;
    if (!f) {
        const int err = errno;
        if (own >= 0)
            close(own);
        return err;
    }
    errno = 0;
    int err = writeConfigText(f, from->text, from->size);
    if (!err && fflush(f) != 0)
        err = failure();
    if (!err && fsync(fd) != 0)
        err = failure();
    if (fclose(f) != 0 && !err)
        err = failure();
    return err;
}

// Gives the save's file a name beside `target` that no other file has (this game's or
// another copy's save, or anything of the player's): the unnamed file `*fd` is linked
// there, or, where there is none (*fd < 0), a new file is made there.
static int nameOwnFile(const char *target, int *fd, char *own, size_t size)
{
    static unsigned serial;
    char path[32];
    snprintf(path, sizeof path, "/proc/self/fd/%d", *fd);
    for (int attempt = 0; attempt < 100; attempt++) {
        if (snprintf(own, size, "%s.%d-%u.tmp", target, (int)getpid(), serial++) >= (int)size) {
            own[0] = 0;
            return ENAMETOOLONG;
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

// The new text in a synced file of the save's own in `folder`, beside `target`, named `own`.
static int writeOwnFile(const char *folder, const char *target, const Source *from, char *own,
                        size_t size)
{
    // Unnamed until it is whole: a save cut off leaves nothing behind.
    int fd = open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
        const int err = fillFile(fd, from);
        const int named = !err && nameOwnFile(target, &fd, own, size) == 0;
        close(fd);
        if (err || named)
            return err;
    }
    // No unnamed files on this file system, or no way to name one: a new name of its own.
    fd = -1;
    int err = nameOwnFile(target, &fd, own, size);
    if (err)
        return err;
    err = fillFile(fd, from);
    close(fd);
    return err;
}

// After the rename the folder holds the new name; synced, a crash keeps one file or the other.
static void syncFolder(const char *folder)
{
    const int fd = open(folder, O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// 0, or why the file could not be replaced (it is then as it was).
static int replaceFile(const char *name, const char *text, size_t size)
{
    char target[PATH_MAX];
    int err = followLinks(name, target, sizeof target);
    if (err)
        return err;
    struct stat old;
    const int exists = stat(target, &old) == 0;
    // The rename would refuse a folder too, but only after a file was written and synced,
    // and the result screen tries its store again on every frame.
    if (exists && S_ISDIR(old.st_mode))
        return EISDIR;
    // A file the player made read-only stays as it is, though its folder would allow a new one.
    if (exists && faccessat(AT_FDCWD, target, W_OK, AT_EACCESS) != 0)
        return errno;
    char folder[PATH_MAX], own[PATH_MAX + 32] = "";
    folderOf(target, folder, sizeof folder);
    const Source from = {text, size, exists ? &old : NULL};
    err = writeOwnFile(folder, target, &from, own, sizeof own);
    if (!err && rename(own, target) != 0)
        err = errno;
    if (err) {
        if (own[0])
            unlink(own);
        return err;
    }
    syncFolder(folder);
    return 0;
}

// The file whose failure was said last, and why: a save repeated every frame says it once.
static char unsavedFile[64];
static int unsavedReason;

void saveConfigFile(const char *name)
{
    // The text kept is the file selected last: saved under another name, the configuration
    // is written as a new file.
    const int selected = strcmp(name, readFrom) == 0;
    const int reason = replaceFile(name, selected ? readText : NULL, selected ? readSize : 0);
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
