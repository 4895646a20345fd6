// Golden frames: a short scripted bout on Hell (tests/render_golden/hell_bout.rec) is played
// on the headless harness with the generated data, and the hashes of chosen frames must
// match the values below.
//
// When a change alters these frames on purpose (new art from the generator, a new layer,
// fighters that now move), update the values in the same commit and say why. The failing
// test prints the new table ready to paste; the same hashes come from
//   gor_recorder tests/render_golden/hell_bout.rec <build>/game
// which also writes the frames as pictures to look at before accepting them.
#include <gtest/gtest.h>
#include <inttypes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>

#include "shell/harness.h"
#include "shell/startup.h"
#include "tools/recorder/record.h"

namespace {

struct Golden {
    int tick;
    uint64_t hash;
};

// Frames of hell_bout.rec, in the order of its frame lines.
const Golden golden[] = {
    {5, 0x65b28a3ebeca8477ull},
    {70, 0xa1e3b8bbce86df18ull},
    {220, 0x73ca6578b40a21baull},
};

std::string readScript()
{
    const char *src = getenv("GOR_SOURCE_DIR");
    std::string path = std::string(src ? src : ".") + "/tests/render_golden/hell_bout.rec";
    return harnessReadFile(path.c_str());
}

TEST(GoldenFrames, ScriptedBoutOnHell)
{
    if (!harnessGameDataPresent())
        GTEST_SKIP() << "no generated gor.dat and tile maps in " << harnessGameDir()
                     << ": build the gamedata target first";
    std::string text = readScript();
    ASSERT_FALSE(text.empty()) << "cannot read hell_bout.rec (is GOR_SOURCE_DIR set?)";
    static RecordScript script;
    char err[200];
    ASSERT_EQ(parseRecordScript(text.c_str(), &script, err, sizeof err), 0) << err;
    ASSERT_EQ(script.frameCount, (int)(sizeof golden / sizeof golden[0]));

    startRecordedBout(script);
    uint64_t got[RECORD_MAX_FRAMES] = {};
    for (int t = 0; t < script.ticks; t++) {
        prepareRecordTick(script, t);
        harnessTick();
        for (int i = 0; i < script.frameCount; i++) {
            const RecordFrame &f = script.frames[i];
            if (f.tick == t + 1)
                got[i] = frameHash(buffer, f.x, f.y, f.w, f.h);
        }
    }
    harnessStop();

    std::string table;
    bool same = true;
    for (int i = 0; i < script.frameCount; i++) {
        char line[80];
        snprintf(line, sizeof line, "    {%d, 0x%016" PRIx64 "ull},\n", script.frames[i].tick,
                 got[i]);
        table += line;
        same = same && script.frames[i].tick == golden[i].tick && got[i] == golden[i].hash;
    }
    EXPECT_TRUE(same) << "the frames changed; if that is intended, the new table is:\n"
                      << table;
}

}  // namespace
