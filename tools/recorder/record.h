// Scripted bouts on the headless harness: a small script of inputs, the bout it drives, and
// the frame images and hashes it yields. Used by the frame recorder, the renderer's tests
// and the benchmark. The script format is described in main.cpp.
#pragma once

#include <stdint.h>

struct BITMAP;

enum { RECORD_MAX_HOLDS = 64, RECORD_MAX_FRAMES = 64, RECORD_MAX_ACTIONS = 14,
       RECORD_MAX_SPAWNS = 16 };

// Keys held from tick `from` up to, not including, tick `to` (tick 0 is the first run).
struct RecordHold {
    int from, to;
    int actionCount;
    int actions[RECORD_MAX_ACTIONS];   // binding slots (KeyBindingSlot)
};

// A picture taken after `tick` ticks have run: the playfield or a part of it.
struct RecordFrame {
    int tick;
    char file[256];     // .png or .bmp; "-" writes no file
    int x, y, w, h;
};

// Before tick `tick`, fighter 1 or 2 leaves his booth as a finished respawn leaves him.
struct RecordSpawn {
    int tick;
    int fighter;        // 1 or 2
};

struct RecordScript {
    unsigned seed;
    int arena;          // map id of the arena: 5 Hell, 10 London, 29 tutorial
    int p2cpu, aiLevel;
    int ticks;
    int holdCount, frameCount, spawnCount;
    RecordHold holds[RECORD_MAX_HOLDS];
    RecordFrame frames[RECORD_MAX_FRAMES];
    RecordSpawn spawns[RECORD_MAX_SPAWNS];
};

// Parses a script; 0 on success, else -1 with a message naming the line in `err`.
int parseRecordScript(const char *text, RecordScript *s, char *err, int errSize);
// Starts the game headless from the game folder and sets up the script's arena.
void startRecordedBout(const RecordScript &s);
// Sets up tick `tick` before it runs: the keys the script holds then go into key[], and
// the fighters it sends out leave their booths.
void prepareRecordTick(const RecordScript &s, int tick);
// FNV-1a over the colour components of a rectangle of `bmp`, clipped to the bitmap.
uint64_t frameHash(BITMAP *bmp, int x, int y, int w, int h);
// Writes a rectangle of `bmp` as a PNG or BMP file (by the name's extension); 0 on success.
int writeFrameImage(BITMAP *bmp, const char *path, int x, int y, int w, int h);
