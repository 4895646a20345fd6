// gor_recorder: plays a scripted bout headless and writes chosen frames as pictures.
//
//   gor_recorder SCRIPT [GAME_DIR]
//
// GAME_DIR is the folder with gor.dat and the tile maps (default: $GOR_GAME_DIR, else
// build/game). Picture paths in the script are taken relative to the directory the
// recorder was started in. For every frame it prints "frame TICK HASH FILE STATE"; HASH is
// the picture's, the one the renderer's golden-frame test compares, and STATE the hash of
// the state of play after that tick (tools/recorder/statehash.h), to find the first tick at
// which two recordings part.
//
// Script: one command per line; '#' starts a comment; words are separated by blanks.
//
//   seed N                  seed of rand() once the game has started (default 1)
//   arena NAME              hell (default), london or tutorial
//   player2 human|cpu [L]   who drives fighter 2 (default human), computer level L (1..3)
//   ticks N                 how many game ticks to run
//   hold FROM TO ACTION...  hold the keys bound to the actions from tick FROM up to, not
//                           including, tick TO (the first tick run is tick 0); actions are
//                           p1.left p1.right p1.up p1.down p1.jump p1.fire p1.bomb and the
//                           same with p2. (keys as bound in the game folder's gorSetup.cfg)
//   spawn T p1|p2           before tick T the fighter leaves his booth as a finished
//                           respawn leaves him (at the respawn spot, with the gun)
//   frame T FILE [X Y W H]  after T ticks have run, write the playfield (or its rectangle
//                           X, Y, W x H) to FILE: .png, or .bmp by its extension; FILE "-"
//                           only prints the hash
//
// Example: fighter 1 runs right and fires, fighter 2 runs left.
//
//   arena hell
//   ticks 240
//   hold 60 200 p1.right p1.fire
//   hold 60 200 p2.left
//   frame 120 run.png
//   frame 200 booth.png 0 500 400 300

#include <allegro.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "shell/harness.h"
#include "shell/startup.h"
#include "tools/recorder/record.h"
#include "tools/recorder/statehash.h"

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: %s SCRIPT [GAME_DIR]\n", argv[0]);
        return 2;
    }
    std::string text = harnessReadFile(argv[1]);
    if (text.empty()) {
        fprintf(stderr, "gor_recorder: cannot read %s\n", argv[1]);
        return 1;
    }
    static RecordScript script;
    char err[200];
    if (parseRecordScript(text.c_str(), &script, err, sizeof err) != 0) {
        fprintf(stderr, "gor_recorder: %s: %s\n", argv[1], err);
        return 1;
    }
    if (argc == 3)
        setenv("GOR_GAME_DIR", argv[2], 1);
    if (!harnessGameDataPresent()) {
        fprintf(stderr, "gor_recorder: no gor.dat and tile maps in %s\n", harnessGameDir());
        return 1;
    }
    char startDir[PATH_MAX];
    if (!getcwd(startDir, sizeof startDir)) {
        fprintf(stderr, "gor_recorder: cannot read the current directory\n");
        return 1;
    }

    startRecordedBout(script);
    int status = 0;
    for (int t = 0; t < script.ticks; t++) {
        prepareRecordTick(script, t);
        harnessTick();
        for (int i = 0; i < script.frameCount; i++) {
            const RecordFrame &f = script.frames[i];
            if (f.tick != t + 1)
                continue;
            printf("frame %d %016llx %s %016llx\n", f.tick,
                   (unsigned long long)frameHash(buffer, f.x, f.y, f.w, f.h), f.file,
                   (unsigned long long)playStateHash());
            if (strcmp(f.file, "-") == 0)
                continue;
            char path[PATH_MAX + 260];
            if (f.file[0] == '/')
                snprintf(path, sizeof path, "%s", f.file);
            else
                snprintf(path, sizeof path, "%s/%s", startDir, f.file);
            if (writeFrameImage(buffer, path, f.x, f.y, f.w, f.h) != 0) {
                fprintf(stderr, "gor_recorder: cannot write %s\n", path);
                status = 1;
            }
        }
    }
    harnessStop();
    return status;
}
