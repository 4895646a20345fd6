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
     {0xeaae47521a1be060ull, 0x076ece20c58e9608ull, 0x6f75bcd0e6ad9330ull,
      0x94c2e40fe74edaebull, 0xcd864bf75053b89full, 0x47b3057b0d978690ull,
      0x274399b307c93d0full, 0x3717a2d142130eb2ull, 0x30a2d687d8e9f771ull,
      0x5e3edcf3d67113c8ull}},
    {"LondonTwoHumans",
     {0xf6be17dbe4381f86ull, 0x461c857d6de58d2dull, 0xb2aefd631709298dull,
      0x16f8deb4801aa610ull, 0xfdbc8a2b38d65924ull, 0xc256ec57ee43d11full,
      0x8c5765f157967446ull, 0x462408b42ea3590dull, 0x734096fefbdb8420ull,
      0xdf657d60fdecb86bull}},
    {"Tutorial",
     {0x94ea7cf44e79cb5eull, 0x2896a3456d3200b8ull, 0xec7bf1515aa2f277ull,
      0xac5c1622584373f6ull, 0xe2649e6e0ab9eec5ull, 0xfb0eb1970e08155full,
      0xa7fb559b3f0c265full, 0x47900057e5651ef6ull, 0x178d9cb522cc952aull,
      0xcf62f5ae35e6fef2ull}},
    {"HellComputer",
     {0xb3f2d4f5d4e67fbaull, 0xe6b701fe3c7d07a0ull, 0x0fa3b625a100a578ull,
      0x2335ae2fc4758943ull, 0x0f7ee0b7343db52cull, 0xfcaa9585de022246ull,
      0x0a4efe2264516e32ull, 0x678fcbab383f60fbull, 0x3f59ad8c692aa13dull,
      0xa18e5123d584b5abull}},
    {"LondonComputer",
     {0x4491eaef96e9c6c6ull, 0x645836c08b5b06b4ull, 0xfddb24aa11300886ull,
      0xb30551789647161cull, 0xeb162b9099e47c4dull, 0x2f1280c8379b5553ull,
      0x74ae84adb76f1d78ull, 0x5878791056fcf4a8ull, 0xe15dcf7685e7e646ull,
      0x4741639e1c4db56eull}},
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
