// Determinism: the same scripted bout from the same seed plays the same way every time,
// checked by the state hash after every tick; and a few bouts keep their golden hashes
// (one per second of play, over that second's ticks).
//
// Each run is played in a fresh process of its own, so both start from the same untouched
// program state whatever ran before: some state rightly lives on from bout to bout (Hell's
// lava).
//
// When a change moves the golden hashes on purpose (a new rule of play, a new field in a
// record), update the row in the same commit and say why; the failing test prints the new
// row ready to paste.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <inttypes.h>
#include <stdio.h>
#include <stdlib.h>
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
     {0x2a09c8bc4dcd4b58ull, 0xef3b8727bd17e26aull, 0x07af236de8006ae2ull,
      0xbfdc9d429893a771ull, 0xada2ccc3ae1e2402ull, 0xcc60de823c654e0dull,
      0x9d08a516a0495128ull, 0x521d950889feb666ull, 0xca4d6a02e2812557ull,
      0xd7735e99c06ab9f1ull}},
    {"LondonTwoHumans",
     {0xf3cf58911ca47b1bull, 0x8bba1f53f0d6f241ull, 0x70951e80fc8893a8ull,
      0x0c4ef6508990cd9bull, 0x356bcfbae089998eull, 0xd7fb6bc964046651ull,
      0xda417a80410e55feull, 0x6dac8440f7ee28a7ull, 0xa1d1a7e88486a8caull,
      0x514c30a15748b105ull}},
    {"Tutorial",
     {0xd6db5714d4bcfd07ull, 0xde1e05b70b9b87a2ull, 0xe5e865baad947486ull,
      0x78ce7f6c4b147739ull, 0x69be245b9b6548aeull, 0xb42ac826e178c427ull,
      0xbeab097ab8768b22ull, 0xc6026ab0b059ddcaull, 0xdaa5a4d9e03645a9ull,
      0x9ab5e54046de6b22ull}},
    {"HellComputer",
     {0xbd464158b6d34431ull, 0x10c8964731a7a15aull, 0x4d8424054c940cb8ull,
      0x23567d95edd4336aull, 0x1581648562aa702aull, 0x2cb86789d9fc7638ull,
      0xadd40cc11876b0c7ull, 0x90fd4708147a6c99ull, 0x04d9c18ae29bc869ull,
      0xf458ce1c2a7b5e16ull}},
    {"LondonComputer",
     {0x9a18324d674e82cfull, 0x6e06ff2c4d07cc72ull, 0x4d2b301b12300ca6ull,
      0x26e7911f6e150bc9ull, 0xf0d36526a92af785ull, 0x0e4ebd4341193c07ull,
      0x5aada7711fbaf184ull, 0xce8fa604e2fbbdc3ull, 0x960ca5c3bc8875a4ull,
      0x7f300870627fac43ull}},
};

const Golden *goldenOf(const char *name)
{
    for (const Golden &g : golden)
        if (strcmp(g.name, name) == 0)
            return &g;
    return nullptr;
}

// Plays the bout and writes the state hash after every tick to `fd`.
void playAndReport(const RecordScript &script, int fd)
{
    RandomInput input(7);
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

// A run is this test program started afresh, asked by its environment to play one bout
// and report: it does so before any test runs, and ends.
class PlayOnRequest : public ::testing::Environment {
    void SetUp() override
    {
        const char *name = getenv("GOR_PLAY_BOUT"), *fd = getenv("GOR_PLAY_FD");
        if (!name || !fd)
            return;
        static RecordScript script;
        char err[200];
        for (const ScriptedBout &b : bouts)
            if (strcmp(b.name, name) == 0 &&
                parseRecordScript(b.script, &script, err, sizeof err) == 0) {
                playAndReport(script, atoi(fd));
                _exit(0);
            }
        _exit(3);
    }
};
::testing::Environment *const playOnRequest =
    ::testing::AddGlobalTestEnvironment(new PlayOnRequest);

struct ForkedRun {
    pid_t pid;
    int fd;
};

ForkedRun startRun(const char *boutName)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {-1, -1};
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        char fd[16];
        snprintf(fd, sizeof fd, "%d", fds[1]);
        setenv("GOR_PLAY_BOUT", boutName, 1);
        setenv("GOR_PLAY_FD", fd, 1);
        // The test framework's own chatter stays out of the report.
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0)
            dup2(quiet, 1);
        execl("/proc/self/exe", "/proc/self/exe", (char *)nullptr);
        _exit(4);
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
    fflush(nullptr);
    ForkedRun a = startRun(bout.name), b = startRun(bout.name);
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
        const char *gap = s == 0 ? "" : s % 3 ? ", " : ",\n      ";
        snprintf(item, sizeof item, "%s0x%016" PRIx64 "ull", gap, h);
        row += item;
        same = same && h == expected->seconds[s];
    }
    EXPECT_TRUE(same) << "the play changed; if that is intended, the new row is:\n"
                      << row << "}},\n";
}

INSTANTIATE_TEST_SUITE_P(Bouts, Determinism, ::testing::ValuesIn(bouts),
                         [](const ::testing::TestParamInfo<ScriptedBout> &info) {
                             return std::string(info.param.name);
                         });

}  // namespace
