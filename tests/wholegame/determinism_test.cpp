// Determinism: the same scripted bout from the same seed plays the same way every time,
// checked by the state hash after every tick; and a few bouts keep their golden hashes
// (one per second of play, over that second's ticks).
//
// Each run is played in a process of its own (forked), so both start from the same
// untouched program state: some state rightly lives on from bout to bout (Hell's lava).
//
// When a change moves the golden hashes on purpose (a new rule of play, a new field in a
// record), update the row in the same commit and say why; the failing test prints the new
// row ready to paste.
#include <gtest/gtest.h>
#include <inttypes.h>
#include <stdio.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "randominput.h"
#include "shell/harness.h"
#include "tools/recorder/record.h"
#include "tools/recorder/statehash.h"

namespace {

enum { SECOND_TICKS = 60, GOLDEN_SECONDS = 10, BOUT_TICKS = SECOND_TICKS * GOLDEN_SECONDS };

struct ScriptedBout {
    const char *name;
    const char *script;
};

const ScriptedBout bouts[] = {
    {"HellTwoHumans", "seed 11\narena hell\nplayer2 human\nspawn 10 p1\nspawn 10 p2\n"},
    {"LondonTwoHumans", "seed 12\narena london\nplayer2 human\nspawn 10 p1\nspawn 10 p2\n"},
    {"Tutorial", "seed 13\narena tutorial\nspawn 10 p1\n"},
    {"HellComputer", "seed 14\narena hell\nplayer2 cpu 3\nspawn 10 p1\nspawn 10 p2\n"},
    {"LondonComputer", "seed 15\narena london\nplayer2 cpu 1\nspawn 10 p1\nspawn 10 p2\n"},
};

struct Golden {
    const char *name;
    uint64_t seconds[GOLDEN_SECONDS];
};

const Golden golden[] = {
    {"HellTwoHumans",
     {0xf85860f4e21db365ull, 0x578bd11f26467aa1ull, 0x050afe1267513769ull,
      0x69441817529b8ad1ull, 0x506ac6b5ce46fdf9ull, 0xc0ecb68b713c615cull,
      0x5073da72e574a291ull, 0xda742e32863efe0full, 0xbca41ee0f8f89519ull,
      0x4b8ea92aa1f3574dull}},
    {"LondonTwoHumans",
     {0x5ad776a20bb07aaeull, 0x9ab05a9b96b3a309ull, 0x7b62bb945a349c9full,
      0x4d8bda63f6de1954ull, 0x8f389789635fcd13ull, 0xcae6cf765a99c378ull,
      0xc210e31c9ddb2008ull, 0x4382f8d02ad219cbull, 0x2b68d0486f40b8b7ull,
      0x856df4289ef40404ull}},
    {"Tutorial",
     {0x94ea7cf44e79cb5eull, 0x2896a3456d3200b8ull, 0xec7bf1515aa2f277ull,
      0xac5c1622584373f6ull, 0xe2649e6e0ab9eec5ull, 0xfb0eb1970e08155full,
      0xa7fb559b3f0c265full, 0x47900057e5651ef6ull, 0x178d9cb522cc952aull,
      0xcf62f5ae35e6fef2ull}},
    {"HellComputer",
     {0xf887c99f2569a399ull, 0xac3dfbcbc1e75478ull, 0xf63aae1fd2f266e5ull,
      0xcf90f5714b4fbfa8ull, 0x13dd9cc966b2ffd9ull, 0x3de24560878b43cfull,
      0x4161b0c21e66a7f0ull, 0x67738441f45a72b0ull, 0x8d7c23812fb97b7aull,
      0x5d55942ebdbb74faull}},
    {"LondonComputer",
     {0x70df1b1e39623ac4ull, 0xe91ebf323be625a6ull, 0x34c0667f0a070752ull,
      0xc2d4aa41323cb2feull, 0x383a683365957bd3ull, 0x28cee317f1102621ull,
      0x8f2bdd64d82af379ull, 0x20073f1620dd4015ull, 0xcaea962f26e9f6a9ull,
      0xe574786706796c8bull}},
};

const Golden *goldenOf(const char *name)
{
    for (const Golden &g : golden)
        if (strcmp(g.name, name) == 0)
            return &g;
    return nullptr;
}

// Plays the bout and writes the state hash after every tick to `fd`.
void playAndReport(const RecordScript &script, uint32_t inputSeed, int fd)
{
    RandomInput input(inputSeed);
    startRecordedBout(script);
    std::vector<uint64_t> hashes;
    for (int t = 0; t < BOUT_TICKS; t++) {
        prepareRecordTick(script, t);
        pressRandomKeys(input, t, !script.p2cpu);
        harnessTick();
        hashes.push_back(playStateHash());
    }
    const char *p = (const char *)hashes.data();
    size_t left = hashes.size() * sizeof hashes[0];
    while (left > 0) {
        ssize_t n = write(fd, p, left);
        if (n <= 0)
            _exit(2);
        p += n;
        left -= (size_t)n;
    }
}

struct ForkedRun {
    pid_t pid;
    int fd;
};

ForkedRun startRun(const RecordScript &script, uint32_t inputSeed)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {-1, -1};
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        playAndReport(script, inputSeed, fds[1]);
        _exit(0);
    }
    close(fds[1]);
    return {pid, fds[0]};
}

// The run's hashes, one per tick; fewer when the run failed.
std::vector<uint64_t> finishRun(ForkedRun run)
{
    std::vector<uint64_t> hashes(BOUT_TICKS);
    char *p = (char *)hashes.data();
    size_t got = 0, want = hashes.size() * sizeof hashes[0];
    ssize_t n;
    while (got < want && (n = read(run.fd, p + got, want - got)) > 0)
        got += (size_t)n;
    close(run.fd);
    int status = 0;
    waitpid(run.pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        got = 0;
    hashes.resize(got / sizeof hashes[0]);
    return hashes;
}

uint64_t secondHash(const std::vector<uint64_t> &hashes, int second)
{
    StateHasher h;
    for (int t = second * SECOND_TICKS; t < (second + 1) * SECOND_TICKS; t++)
        h.bytes(&hashes[t], sizeof hashes[t]);
    return h.hash;
}

void PrintTo(const ScriptedBout &bout, std::ostream *os) { *os << bout.name; }

class Determinism : public ::testing::TestWithParam<ScriptedBout> {};

TEST_P(Determinism, TwoRunsAgreeOnEveryTickAndKeepTheGoldenHashes)
{
    if (!harnessGameDataPresent())
        GTEST_SKIP() << "no generated gor.dat and tile maps in " << harnessGameDir();
    const ScriptedBout &bout = GetParam();
    static RecordScript script;
    char err[200];
    ASSERT_EQ(parseRecordScript(bout.script, &script, err, sizeof err), 0) << err;

    fflush(nullptr);
    ForkedRun a = startRun(script, 7), b = startRun(script, 7);
    std::vector<uint64_t> first = finishRun(a), second = finishRun(b);
    ASSERT_EQ(first.size(), (size_t)BOUT_TICKS) << "the first run failed";
    ASSERT_EQ(second.size(), (size_t)BOUT_TICKS) << "the second run failed";
    for (int t = 0; t < BOUT_TICKS; t++)
        ASSERT_EQ(first[t], second[t]) << "the runs part after tick " << t;

    const Golden *expected = goldenOf(bout.name);
    std::string row = "    {\"" + std::string(bout.name) + "\",\n     {";
    bool same = expected != nullptr;
    for (int s = 0; s < GOLDEN_SECONDS; s++) {
        char item[40];
        const uint64_t h = secondHash(first, s);
        snprintf(item, sizeof item, "%s0x%016" PRIx64 "ull", s == 0 ? "" : s % 3 ? ", " : ",\n      ", h);
        row += item;
        same = same && h == expected->seconds[s];
    }
    EXPECT_TRUE(same) << "the play changed; if that is intended, the new row is:\n" << row << "}},\n";
}

INSTANTIATE_TEST_SUITE_P(Bouts, Determinism, ::testing::ValuesIn(bouts),
                         [](const ::testing::TestParamInfo<ScriptedBout> &info) {
                             return std::string(info.param.name);
                         });

}  // namespace
