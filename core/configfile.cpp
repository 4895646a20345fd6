#include "core/configfile.h"

#include <allegro.h>
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "core/wholefile.h"

// The text last read and the file it came from: a save of that file keeps its lines. Where
// it could not be read, why: the save must not write over what it never read.
static char *readText;
static size_t readSize;
static char readFrom[256];
static int readFailure;

static int failure()
{
    return errno ? errno : EIO;
}

// ---- The saved text.

// A UTF-8 byte-order mark, which some editors put before a file's first line: the library
// is given the text after it, so a first "[section]" line is one, and a save writes it back.
static const char MARK[] = "\xEF\xBB\xBF";

static size_t markLength(const char *text, size_t size)
{
    return text && size >= 3 && memcmp(text, MARK, 3) == 0 ? 3 : 0;
}

// One line as the library reads it: it ends at '\r' or '\n' (a pair of the two ends one
// line). Its name runs from the first character that is not a space up to a space, '=' or
// '#'. A line with no name is a comment, or blank where it is empty (to the library, a line
// of spaces is no blank one: a key it adds is filed past it); a name in brackets starts a
// section.
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
        line->kind = n == 0 || !start[0] ? LINE_BLANK : LINE_COMMENT;
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

// The text read, its byte-order mark first, with each key's current value, then the keys
// and sections it did not have.
static int writeConfigText(FILE *f, const char *text, size_t size)
{
    Save s = {};
    s.f = f;
    const size_t mark = markLength(text, size);
    if (mark && fwrite(text, 1, mark, f) != mark)
        s.err = failure();
    s.text = mark ? text + mark : text;   // the lines past it, as the library reads them
    s.size = size - mark;
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
    for (size_t at = 0; !s.err && readLine(s.text, s.size, &at, &line);) {
        if (inFirstLines && line.kind != LINE_KEY && line.kind != LINE_COMMENT) {
            addNewKeys(&s, section);
            inFirstLines = 0;
        }
        if (line.kind == LINE_KEY && line.name[0] != ';') {
            const char *name = terminated(&s.name, line.name, line.nameLength);
            // A first key whose name begins with the mark (past blanks, or it would be the
            // file's mark) keeps its blanks where the file has none, or it would be read past.
            const int markFirst = !mark && line.text == s.text &&
                                  markLength(line.name, line.nameLength) != 0;
            const size_t blanks = markFirst ? (size_t)(line.name - line.text) : 0;
            if (!name)
                s.err = ENOMEM;
            else
                putLine(&s, line.name - blanks, line.nameLength + blanks,
                        get_config_string(section, name, ""));
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

// ---- Selecting and saving.

// The text as the library is given it: a blank line before every section line that does
// not follow one. The library files a key it adds after the lines that follow its section's
// line, up to the first blank one: without it, into the next section, where the key is
// never read back (and the unlock store, which cannot read its unlock back, saves on every
// frame).
static char *partedText(const char *text, size_t size, size_t *partedSize)
{
    // A section line that needs a blank line follows another line: the two and their ends
    // take at least three bytes.
    char *parted = (char *)malloc(size + size / 2 + 1);
    if (!parted)
        return NULL;
    size_t n = 0;
    int afterBlank = 1;   // the first line follows none
    Line line;
    for (size_t at = 0, from = 0; readLine(text, size, &at, &line); from = at) {
        // The end the line before had, again: after a lone '\r' a '\n' would only pair with it.
        if (line.kind == LINE_SECTION && !afterBlank)
            parted[n++] = text[from - 1];
        memcpy(parted + n, text + from, at - from);
        n += at - from;
        afterBlank = line.kind == LINE_BLANK;
    }
    *partedSize = n;
    return parted;
}

int selectConfigFile(const char *name)
{
    free(readText);
    readFailure = readWholeFile(name, &readText, &readSize);
    if (snprintf(readFrom, sizeof readFrom, "%s", name) >= (int)sizeof readFrom)
        readFrom[0] = 0;
    const size_t mark = markLength(readText, readSize);
    const char *text = readText ? readText + mark : "";
    size_t size = 0;
    char *parted = partedText(text, readSize - mark, &size);
    if (parted)
        set_config_data(parted, (int)size);   // the library keeps a copy
    else
        set_config_data(text, (int)(readSize - mark));
    free(parted);
    return readFailure;
}

// The text a save writes, in a new buffer of malloc's: 0, or why there is none.
static int makeSavedText(const char *from, size_t fromSize, char **text, size_t *size)
{
    *text = NULL;
    *size = 0;
    FILE *f = open_memstream(text, size);
    if (!f)
        return failure();
    errno = 0;
    int err = writeConfigText(f, from, fromSize);
    if (fclose(f) != 0 && !err)
        err = failure();
    if (err) {
        free(*text);
        *text = NULL;
    }
    return err;
}

// The file whose failure was said last, and what was said: a save repeated every frame says
// it once.
static char unsavedFile[64];
static char unsavedSaid[256];

void saveConfigFile(const char *name, int unread)
{
    // The text kept is the file selected last: saved under another name, the configuration
    // is written as a new file.
    const int selected = strcmp(name, readFrom) == 0;
    // A file that could not be read is not written over: its lines and values would be lost.
    // One no longer there is made. (Looked for only then: the result screen saves on every
    // frame while its store cannot be written.)
    const int unreadNow = selected ? readFailure : 0;
    const int there = (unread || unreadNow) && (access(name, F_OK) == 0 || errno != ENOENT);
    const int atStart = unread && there;
    int reason = !there ? 0 : unread ? unread : unreadNow;
    char *text = NULL;
    size_t size = 0;
    if (reason == 0)
        reason = makeSavedText(selected ? readText : NULL, selected ? readSize : 0, &text, &size);
    // Past a limit on file size the system ends a program that writes with a signal: ignored
    // while the file is saved and a failure told (the terminal may be a file at its limit
    // too), the write fails instead, "File too large", and the game goes on.
    struct sigaction ignore = {}, was;
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &was);
    if (reason == 0)
        reason = replaceWholeFile(name, text, size);
    free(text);
    if (reason == 0) {
        if (strcmp(unsavedFile, name) == 0)
            unsavedFile[0] = 0;
    } else {
        char said[sizeof unsavedSaid];
        if (atStart)
            snprintf(said, sizeof said, "%s is not saved over: it could not be read at start (%s)",
                     name, saveFailureText(reason));
        else
            snprintf(said, sizeof said, "cannot save %s: %s", name, saveFailureText(reason));
        if (strcmp(unsavedFile, name) != 0 || strcmp(said, unsavedSaid) != 0)
            fprintf(stderr, "gor: %s\n", said);
        snprintf(unsavedFile, sizeof unsavedFile, "%s", name);
        snprintf(unsavedSaid, sizeof unsavedSaid, "%s", said);
    }
    sigaction(SIGXFSZ, &was, NULL);
}
