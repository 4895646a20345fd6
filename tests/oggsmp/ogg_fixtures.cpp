#include "ogg_fixtures.h"

#include <allegro.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>


std::string runCommand(const std::string &command, int *status) {
    std::string out;
    FILE *p = popen(command.c_str(), "r");
    if (!p) {
        if (status) *status = -1;
        return out;
    }
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    int r = pclose(p);
    if (status) *status = r;
    return out;
}

// Removes the fixture folder when the test process ends.
struct FixtureFolder {
    std::string path;
    ~FixtureFolder() {
        if (!path.empty())
            runCommand("rm -rf '" + path + "'");
    }
};
static FixtureFolder folder;

static std::string makeFixtures() {
    int status = 0;
    runCommand("command -v sox && command -v oggenc && command -v oggdec", &status);
    if (status != 0)
        return "";
    char pattern[] = "/tmp/oggsmp-fixtures-XXXXXX";
    if (!mkdtemp(pattern))
        return "";
    std::string dir = pattern;
    folder.path = dir;
    // Different rates, widths and signals; chains are concatenated streams.
    std::string script = "set -e; cd " + dir + "\n"
        "sox -n -r 44100 -c 1 -b 16 m44.wav synth 1.3 sine 440 vol 0.7\n"
        "sox -n -r 22050 -c 2 -b 16 s22.wav synth 1.1 sine 300 square 500 vol 0.5\n"
        "sox -n -r 8000 -c 1 -b 16 m8.wav synth 0.9 pinknoise vol 0.4\n"
        "sox -n -r 48000 -c 2 -b 16 s48.wav synth 1.7 sine 200-2000 sine 700 vol 0.6\n"
        "sox -n -r 44100 -c 2 -b 16 s44.wav synth 0.8 sine 523 sine 659 vol 0.6\n"
        "sox -n -r 44100 -c 2 -b 16 s44b.wav synth 0.7 pinknoise vol 0.3\n"
        "sox -n -r 44100 -c 1 -b 16 m44n.wav synth 1.2 pinknoise vol 0.3\n"
        "sox -n -r 22050 -c 2 -b 16 tiny.wav synth 0.05 sine 440 vol 0.5\n"
        "sox -n -r 44100 -c 6 -b 16 six.wav synth 0.6 sine 100 sine 200 sine 300 sine 400 sine 500 sine 600 vol 0.5\n"
        "oggenc -Q --serial 11 -q 2 m44.wav -o mono44.ogg\n"
        "oggenc -Q --serial 12 -q 4 s22.wav -o stereo22.ogg\n"
        "oggenc -Q --serial 13 -q 0 m8.wav -o mono8.ogg\n"
        "oggenc -Q --serial 14 -q 6 s48.wav -o stereo48.ogg\n"
        "oggenc -Q --serial 15 -q 3 s44.wav -o stereo44.ogg\n"
        "oggenc -Q --serial 16 -q 3 six.wav -o six.ogg\n"
        "oggenc -Q --serial 17 -q 3 s44b.wav -o stereo44b.ogg\n"
        "oggenc -Q --serial 18 -q 3 m44n.wav -o mono44n.ogg\n"
        "oggenc -Q --serial 19 -q 3 tiny.wav -o tiny.ogg\n"
        "cat stereo44b.ogg stereo44.ogg > chain_stereo.ogg\n"
        "cat stereo22.ogg stereo48.ogg > chain_rates.ogg\n"
        "cat mono44n.ogg stereo44b.ogg > chain_mono_stereo.ogg\n"
        "cat stereo44b.ogg mono44n.ogg > chain_stereo_mono.ogg\n"
        "rm -f *.wav\n";
    runCommand("sh -c '" + script + "' 2>&1", &status);
    return status == 0 ? dir : "";
}

const std::string &fixtureDir() {
    static std::string dir = makeFixtures();
    return dir;
}

bool haveOggTools() { return !fixtureDir().empty(); }

std::string fixture(const char *name) { return fixtureDir() + "/" + name; }

Bytes readBytes(const std::string &path) {
    Bytes bytes;
    FILE *f = fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    unsigned char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    fclose(f);
    return bytes;
}

void writeBytes(const std::string &path, const Bytes &bytes) {
    FILE *f = fopen(path.c_str(), "wb");
    if (!f)
        return;
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

Bytes oggdecRaw(const std::string &path) {
    std::string out = path + ".raw";
    runCommand("oggdec -Q -R -b 16 -e 0 -s 0 -o '" + out + "' '" + path + "' 2>&1");
    Bytes raw = readBytes(out);
    remove(out.c_str());
    return raw;
}

Bytes sampleBytes(const SAMPLE *s) {
    size_t n = (size_t)s->len * (s->bits / 8) * (s->stereo ? 2 : 1);
    const unsigned char *p = (const unsigned char *)s->data;
    return Bytes(p, p + n);
}
