#include "tools/recorder/record.h"

#include <allegro.h>
#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "ai/tutorial.h"
#include "arena/levels.h"
#include "arena/pickups.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/settings.h"
#include "fighters/fighter.h"
#include "frontend/premap.h"
#include "shell/harness.h"
#include "shell/loop.h"

static const struct {
    const char *name;
    int slot;
} actionNames[] = {
    {"p1.left", BIND_P1_LEFT}, {"p1.right", BIND_P1_RIGHT}, {"p1.up", BIND_P1_UP},
    {"p1.down", BIND_P1_DOWN}, {"p1.fire", BIND_P1_FIRE},   {"p1.jump", BIND_P1_ACTION},
    {"p1.bomb", BIND_P1_BOMB}, {"p2.left", BIND_P2_LEFT},   {"p2.right", BIND_P2_RIGHT},
    {"p2.up", BIND_P2_UP},     {"p2.down", BIND_P2_DOWN},   {"p2.fire", BIND_P2_FIRE},
    {"p2.jump", BIND_P2_ACTION}, {"p2.bomb", BIND_P2_BOMB},
};

static int actionSlot(const char *name)
{
    for (const auto &a : actionNames)
        if (strcmp(a.name, name) == 0)
            return a.slot;
    return -1;
}

static int arenaId(const char *name)
{
    if (strcmp(name, "hell") == 0)
        return ARENA_HELL;
    if (strcmp(name, "london") == 0)
        return ARENA_LONDON;
    if (strcmp(name, "tutorial") == 0)
        return SCREEN_TUTORIAL;
    return -1;
}

static int fail(char *err, int errSize, int lineNo, const char *what)
{
    snprintf(err, errSize, "line %d: %s", lineNo, what);
    return -1;
}

// One line, already cut at its end and stripped of comments; words split on blanks.
static int parseLine(char *line, int lineNo, RecordScript *s, char *err, int errSize)
{
    char *words[RECORD_MAX_ACTIONS + 3];
    int n = 0;
    for (char *w = strtok(line, " \t\r"); w; w = strtok(NULL, " \t\r")) {
        if (n == (int)(sizeof words / sizeof words[0]))
            return fail(err, errSize, lineNo, "too many words");
        words[n++] = w;
    }
    if (n == 0)
        return 0;
    const char *cmd = words[0];
    if (strcmp(cmd, "seed") == 0 && n == 2) {
        s->seed = (unsigned)strtoul(words[1], NULL, 10);
    } else if (strcmp(cmd, "arena") == 0 && n == 2) {
        s->arena = arenaId(words[1]);
        if (s->arena < 0)
            return fail(err, errSize, lineNo, "arena is hell, london or tutorial");
    } else if (strcmp(cmd, "player2") == 0 && (n == 2 || n == 3)) {
        if (strcmp(words[1], "cpu") == 0)
            s->p2cpu = 1;
        else if (strcmp(words[1], "human") == 0)
            s->p2cpu = 0;
        else
            return fail(err, errSize, lineNo, "player2 is human or cpu");
        if (n == 3)
            s->aiLevel = atoi(words[2]);
    } else if (strcmp(cmd, "ticks") == 0 && n == 2) {
        s->ticks = atoi(words[1]);
        if (s->ticks < 0 || s->ticks > 1000000)
            return fail(err, errSize, lineNo, "ticks out of range");
    } else if (strcmp(cmd, "hold") == 0 && n >= 4) {
        if (s->holdCount == RECORD_MAX_HOLDS)
            return fail(err, errSize, lineNo, "too many holds");
        RecordHold &h = s->holds[s->holdCount++];
        h.from = atoi(words[1]);
        h.to = atoi(words[2]);
        h.actionCount = 0;
        for (int i = 3; i < n; i++) {
            int slot = actionSlot(words[i]);
            if (slot < 0)
                return fail(err, errSize, lineNo, "unknown action (p1.left ... p2.bomb)");
            h.actions[h.actionCount++] = slot;
        }
    } else if (strcmp(cmd, "spawn") == 0 && n == 3) {
        if (s->spawnCount == RECORD_MAX_SPAWNS)
            return fail(err, errSize, lineNo, "too many spawns");
        RecordSpawn &sp = s->spawns[s->spawnCount++];
        sp.tick = atoi(words[1]);
        sp.fighter = strcmp(words[2], "p1") == 0 ? 1 : strcmp(words[2], "p2") == 0 ? 2 : 0;
        if (!sp.fighter)
            return fail(err, errSize, lineNo, "spawn names p1 or p2");
    } else if (strcmp(cmd, "frame") == 0 && (n == 3 || n == 7)) {
        if (s->frameCount == RECORD_MAX_FRAMES)
            return fail(err, errSize, lineNo, "too many frames");
        RecordFrame &f = s->frames[s->frameCount++];
        f.tick = atoi(words[1]);
        snprintf(f.file, sizeof f.file, "%s", words[2]);
        f.x = 0;
        f.y = 0;
        f.w = 1600;
        f.h = 1200;
        if (n == 7) {
            f.x = atoi(words[3]);
            f.y = atoi(words[4]);
            f.w = atoi(words[5]);
            f.h = atoi(words[6]);
            if (f.w <= 0 || f.h <= 0)
                return fail(err, errSize, lineNo, "frame size must be positive");
        }
    } else {
        return fail(err, errSize, lineNo, "unknown command or wrong number of words");
    }
    return 0;
}

int parseRecordScript(const char *text, RecordScript *s, char *err, int errSize)
{
    memset(s, 0, sizeof *s);
    s->seed = 1;
    s->arena = ARENA_HELL;
    s->aiLevel = 1;
    char line[1024];
    int lineNo = 0;
    while (*text) {
        lineNo++;
        size_t len = strcspn(text, "\n");
        if (len >= sizeof line)
            return fail(err, errSize, lineNo, "line too long");
        memcpy(line, text, len);
        line[len] = 0;
        text += len + (text[len] == '\n');
        char *hash = strchr(line, '#');
        if (hash)
            *hash = 0;
        if (parseLine(line, lineNo, s, err, errSize) != 0)
            return -1;
    }
    return 0;
}

void startRecordedBout(const RecordScript &s)
{
    harnessStart(s.seed);
    // No music: decoding a track is slow and changes no picture.
    musicOn = 0;
    p2cpu = s.p2cpu;
    AIcomp = s.aiLevel;
    // The fighters and pools as the map pre-screen rebuilds them: start-up built them (and
    // rolled the computer's timers, the bout-start cubes and the angles and spins the free
    // gore slots keep turning at) before the seed was set.
    setupPlayer();
    setupPlayer2();
    setupBoutPools();
    powerupspawncount = 38;
    if (s.arena == ARENA_LONDON)
        setupLondon();
    else if (s.arena == SCREEN_TUTORIAL)
        setupTutorial();
    else
        setupHell();
    playersActive = 1;
}

void prepareRecordTick(const RecordScript &s, int tick)
{
    for (int i = 0; i < s.spawnCount; i++) {
        if (s.spawns[i].tick != tick)
            continue;
        if (s.spawns[i].fighter == 1) {
            harnessLeaveBooth(player, booth, FACING_RIGHT);
            player->hasSpawned = 1;
        } else {
            harnessLeaveBooth(player2, booth2, FACING_LEFT);
        }
    }
    harnessReleaseInput();
    for (int i = 0; i < s.holdCount; i++) {
        const RecordHold &h = s.holds[i];
        if (tick < h.from || tick >= h.to)
            continue;
        for (int a = 0; a < h.actionCount; a++) {
            int index = keyIndexOfCode(keyBindings[h.actions[a]].code);
            if (index >= 0)
                key[index] = 1;
        }
    }
}

// Clips the rectangle to the bitmap; 0 when nothing is left.
static int clipRect(BITMAP *bmp, int *x, int *y, int *w, int *h)
{
    int x2 = *x + *w, y2 = *y + *h;
    if (*x < 0) *x = 0;
    if (*y < 0) *y = 0;
    if (x2 > bmp->w) x2 = bmp->w;
    if (y2 > bmp->h) y2 = bmp->h;
    *w = x2 - *x;
    *h = y2 - *y;
    return *w > 0 && *h > 0;
}

uint64_t frameHash(BITMAP *bmp, int x, int y, int w, int h)
{
    uint64_t hash = 1469598103934665603ull;
    if (!bmp || !clipRect(bmp, &x, &y, &w, &h))
        return hash;
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++) {
            int c = getpixel(bmp, i, j);
            const int parts[3] = {getr(c), getg(c), getb(c)};
            for (int p : parts) {
                hash ^= (uint64_t)p;
                hash *= 1099511628211ull;
            }
        }
    return hash;
}

// ---- PNG through libpng: 8-bit RGB rows, compressed.

static int writePng(BITMAP *bmp, const char *path, int x, int y, int w, int h)
{
    FILE *f = fopen(path, "wb");
    if (!f)
        return -1;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png ? png_create_info_struct(png) : NULL;
    unsigned char *row = (unsigned char *)malloc((size_t)w * 3);
    int ok = png && info && row;
    if (ok && setjmp(png_jmpbuf(png)))
        ok = 0;
    else if (ok) {
        png_init_io(png, f);
        png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int j = 0; j < h; j++) {
            unsigned char *p = row;
            for (int i = 0; i < w; i++) {
                int c = getpixel(bmp, x + i, y + j);
                *p++ = getr(c);
                *p++ = getg(c);
                *p++ = getb(c);
            }
            png_write_row(png, row);
        }
        png_write_end(png, NULL);
    }
    png_destroy_write_struct(png ? &png : NULL, info ? &info : NULL);
    free(row);
    if (fclose(f) != 0)
        ok = 0;
    return ok ? 0 : -1;
}

int writeFrameImage(BITMAP *bmp, const char *path, int x, int y, int w, int h)
{
    if (!bmp || !clipRect(bmp, &x, &y, &w, &h))
        return -1;
    const char *dot = strrchr(path, '.');
    if (dot && strcmp(dot, ".bmp") == 0) {
        BITMAP *part = create_sub_bitmap(bmp, x, y, w, h);
        if (!part)
            return -1;
        int r = save_bitmap(path, part, NULL);
        destroy_bitmap(part);
        return r;
    }
    return writePng(bmp, path, x, y, w, h);
}
