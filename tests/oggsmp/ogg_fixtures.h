// Ogg Vorbis test files made at run time with sox and oggenc, and the raw
// output of an independent decoder (oggdec) to compare against.
#pragma once

#include <string>
#include <vector>

struct SAMPLE;

typedef std::vector<unsigned char> Bytes;

// Folder holding the fixtures (made once per process), or "" when sox, oggenc
// or oggdec is missing.
const std::string &fixtureDir();
std::string fixture(const char *name);  // path of a fixture file
bool haveOggTools();

Bytes readBytes(const std::string &path);
void writeBytes(const std::string &path, const Bytes &bytes);
// oggdec's raw output: unsigned 16-bit little-endian, channels interleaved.
Bytes oggdecRaw(const std::string &path);
// The sample's data as bytes (len frames).
Bytes sampleBytes(const SAMPLE *s);
// Runs a shell command, returns its standard output.
std::string runCommand(const std::string &command, int *status = nullptr);

#define REQUIRE_OGG_TOOLS()                                                \
    do {                                                                   \
        if (!haveOggTools())                                               \
            GTEST_SKIP() << "sox, oggenc or oggdec missing (scripts/setup.sh installs them)"; \
    } while (0)
