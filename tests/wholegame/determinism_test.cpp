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
     {0xf1e86e68435cfa5dull, 0x7cff7c70552d944cull, 0xdaf636e5f95dbffcull,
      0x57f06778eba0cdadull, 0xc9d89261ede82611ull, 0x8af228f97f16e951ull,
      0x8813d442c8e150a9ull, 0x3d178f553558e452ull, 0xa3e1a0af093b06f0ull,
      0x38bed5e2cd1ee510ull}},
    {"LondonTwoHumans",
     {0x2e756841dd221fd7ull, 0x6c41678f47cbc61eull, 0x83a6c0861ffbb2e3ull,
      0x6e26665af81ef1adull, 0x7e36e568309a1386ull, 0xa52eb0c268caab5bull,
      0xcf46e33a8a2427b8ull, 0x2e05e75d7f7b9b5bull, 0x2572bd76ce2a1dd8ull,
      0x4ead3f1573ee612aull}},
    {"Tutorial",
     {0xa90bf2d838c5c1b3ull, 0xadafd6ff16b2c079ull, 0x3a9a35d179b53eceull,
      0xf933c5597231fc77ull, 0x79c7cec318c7631cull, 0xec30c0a642ca3138ull,
      0x94063d002f114700ull, 0xf6db1ef009852138ull, 0x30d6d8b3ff48373bull,
      0xb3fc697dab03f22full}},
    {"HellComputer",
     {0xf4e358fbcaac1f17ull, 0x4bd49b520d8f2b5eull, 0x1ab4bdaf776e6167ull,
      0x2819755499b8e530ull, 0x6ce2a6e83b47f73bull, 0xa7440e1275343300ull,
      0x653b967e215b68dbull, 0x3c7faa978d8b568eull, 0xe7c84facfcb1d8e9ull,
      0x258dd481c6114184ull}},
    {"LondonComputer",
     {0xe8fec790dfe021ccull, 0x4516f81f9ab53c75ull, 0xec6520d105cf53ccull,
      0xde09e775350ca94full, 0xe6889ed2fde89a68ull, 0xb7dd63bcead2904aull,
      0x5b604689ff54f1c8ull, 0xfd583db8f5d4b8c1ull, 0xbf1c851f2504a1d0ull,
      0xe67b893b2141a09full}},
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
