// The recorder's script: what it accepts, what it refuses and where.
#include <gtest/gtest.h>
#include <string.h>

#include "shell/loop.h"
#include "core/settings.h"
#include "tools/recorder/record.h"

namespace {

TEST(RecordScript, ReadsEveryCommand)
{
    static RecordScript s;
    char err[200] = "";
    const char *text = "# a comment\n"
                       "seed 42\n"
                       "arena london   # trailing comment\n"
                       "player2 cpu 3\n"
                       "ticks 900\n"
                       "hold 10 20 p1.left p2.bomb\n"
                       "frame 15 out.png 100 200 30 40\n"
                       "frame 16 -\n"
                       "spawn 12 p2\n";
    ASSERT_EQ(parseRecordScript(text, &s, err, sizeof err), 0) << err;
    EXPECT_EQ(s.seed, 42u);
    EXPECT_EQ(s.arena, ARENA_LONDON);
    EXPECT_EQ(s.p2cpu, 1);
    EXPECT_EQ(s.aiLevel, 3);
    EXPECT_EQ(s.ticks, 900);
    ASSERT_EQ(s.holdCount, 1);
    EXPECT_EQ(s.holds[0].from, 10);
    EXPECT_EQ(s.holds[0].to, 20);
    ASSERT_EQ(s.holds[0].actionCount, 2);
    EXPECT_EQ(s.holds[0].actions[0], BIND_P1_LEFT);
    EXPECT_EQ(s.holds[0].actions[1], BIND_P2_BOMB);
    ASSERT_EQ(s.frameCount, 2);
    EXPECT_STREQ(s.frames[0].file, "out.png");
    EXPECT_EQ(s.frames[0].x, 100);
    EXPECT_EQ(s.frames[0].h, 40);
    EXPECT_EQ(s.frames[1].w, 1600);   // no rectangle: the whole playfield
    ASSERT_EQ(s.spawnCount, 1);
    EXPECT_EQ(s.spawns[0].tick, 12);
    EXPECT_EQ(s.spawns[0].fighter, 2);
}

TEST(RecordScript, RefusesBadLinesNamingThem)
{
    static RecordScript s;
    const struct {
        const char *text, *line;
    } cases[] = {
        {"seed 1\nfly 3\n", "line 2"},
        {"arena mars\n", "line 1"},
        {"ticks 5\nhold 0 5 p3.left\n", "line 2"},
        {"frame 5 a.png 0 0 0 10\n", "line 1"},
        {"ticks -1\n", "line 1"},
        {"player2 robot\n", "line 1"},
        {"ticks 3\nspawn 1 p3\n", "line 2"},
    };
    for (auto c : cases) {
        char err[200] = "";
        EXPECT_EQ(parseRecordScript(c.text, &s, err, sizeof err), -1) << c.text;
        EXPECT_TRUE(strstr(err, c.line)) << err;
    }
    // Too many holds is an error, not an overflow.
    std::string many;
    for (int i = 0; i <= RECORD_MAX_HOLDS; i++)
        many += "hold 0 1 p1.fire\n";
    char err[200] = "";
    EXPECT_EQ(parseRecordScript(many.c_str(), &s, err, sizeof err), -1);
}

}  // namespace
