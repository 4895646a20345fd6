// A damaged gor.dat stops the game with the missing file's message, never a crash in the
// library's loader; every file the library's own writer makes still loads.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "shell/datacheck.h"
#include "shell/harness.h"
#include "shell/startup.h"
#include "core/world.h"
#include "support/test_env.h"

namespace {

void writeBytes(const char *path, const std::string &bytes)
{
    FILE *f = fopen(path, "wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

// An object's name property and type, then its chunk, open for its body.
PACKFILE *openObject(PACKFILE *f, const char *name, int type, bool packed)
{
    pack_mputl(DAT_PROPERTY, f);
    pack_mputl(DAT_NAME, f);
    pack_mputl((long)strlen(name), f);
    pack_fwrite(name, (long)strlen(name), f);
    pack_mputl(type, f);
    return pack_fopen_chunk(f, packed);
}

// A picture and a sample written through the library's own packfile writer, the whole
// file packed or not, each object in a packed chunk or not. The sample holds 40 frames of
// `bits` bits, stereo or not, and says it holds `frames`.
std::string smallDataFile(bool packFile, bool packChunks, int bits = 8, bool stereo = false,
                          int frames = 40)
{
    char path[] = "/tmp/gor-small-dat-XXXXXX";
    int fd = mkstemp(path);
    close(fd);
    PACKFILE *f = pack_fopen(path, packFile ? F_WRITE_PACKED : F_WRITE_NOPACK);
    pack_mputl(DAT_MAGIC, f);
    pack_mputl(2, f);
    f = openObject(f, "PICTURE", DAT_BITMAP, packChunks);
    pack_mputw(16, f);   // depth, width, height, then red rows over green ones
    pack_mputw(5, f);
    pack_mputw(4, f);
    for (int i = 0; i < 20; i++)
        pack_iputw(i < 10 ? 0xF800 : 0x07E0, f);
    f = pack_fclose_chunk(f);
    f = openObject(f, "SOUND", DAT_SAMPLE, packChunks);
    pack_mputw(stereo ? -bits : bits, f);   // bits, frequency, frames, then a ramp
    pack_mputw(11025, f);
    pack_mputl(frames, f);
    for (int i = 0; i < (stereo ? 80 : 40); i++)
        bits == 8 ? pack_putc(128 + i, f) : pack_iputw(i * 300, f);
    f = pack_fclose_chunk(f);
    pack_fclose(f);
    std::string bytes = harnessReadFile(path);
    unlink(path);
    return bytes;
}

class DataFile : public ::testing::Test {
protected:
    void SetUp() override { startHeadlessAllegro(); }
};

TEST_F(DataFile, EveryLayoutTheLibraryWritesIsReadWholeAndEveryTruncationRefused)
{
    for (int layout = 0; layout < 4; layout++) {
        std::string bytes = smallDataFile(layout & 1, layout & 2);
        const char *damage = findDataBytesDamage((const unsigned char *)bytes.data(), bytes.size());
        ASSERT_EQ(damage, nullptr) << "layout " << layout << ": " << damage;
        writeBytes("small.dat", bytes);
        DATAFILE *dat = load_datafile("small.dat");
        ASSERT_NE(dat, nullptr) << "layout " << layout;
        EXPECT_EQ(((BITMAP *)dat[0].dat)->w, 5);
        EXPECT_EQ(((SAMPLE *)dat[1].dat)->len, 40u);
        unload_datafile(dat);
        unlink("small.dat");
        for (size_t n = 0; n < bytes.size(); n++)
            ASSERT_NE(findDataBytesDamage((const unsigned char *)bytes.data(), n), nullptr)
                << "layout " << layout << " cut to " << n << " bytes";
        // Every sample shape: as many frames as it holds pass, one more is refused.
        for (int shape = 0; shape < 4; shape++)
            for (int frames : {40, 41}) {
                const int bits = shape & 1 ? 16 : 8;
                bytes = smallDataFile(layout & 1, layout & 2, bits, shape & 2, frames);
                damage = findDataBytesDamage((const unsigned char *)bytes.data(), bytes.size());
                EXPECT_EQ(damage == nullptr, frames == 40)
                    << "layout " << layout << ", shape " << shape << ", " << frames << " frames";
            }
    }
}

// Offset of the first object's type in a file that is not packed.
size_t firstTypeAt(const std::string &dat)
{
    return dat.find("BMP ");
}

void putBig(std::string &s, size_t at, unsigned v, int bytes)
{
    for (int i = 0; i < bytes; i++)
        s[at + i] = (char)(v >> (8 * (bytes - 1 - i)));
}

TEST_F(DataFile, ADamagedGameDataFileStopsTheGameAsAMissingOneDoes)
{
    std::string real = harnessReadFile((std::string(harnessGameDir()) + "/gor.dat").c_str());
    if (real.empty())
        GTEST_SKIP() << "no generated gor.dat";
    ASSERT_EQ(findDataFileDamage((std::string(harnessGameDir()) + "/gor.dat").c_str()), nullptr);
    size_t type = firstTypeAt(real);

    struct Damage {
        const char *what;
        std::string bytes;
    } damages[] = {
        {"cut to 12 bytes", real.substr(0, 12)},
        {"cut inside the first picture", real.substr(0, type + 200)},
        {"cut to 1 MB", real.substr(0, 1 << 20)},
        {"cut to 20 MB", real.substr(0, 20 << 20)},
        {"one byte short", real.substr(0, real.size() - 1)},
        {"a real header then random bytes", real.substr(0, 12)},
        {"the object count huge", real},
        {"a property length negative", real},
        {"the first chunk's sizes huge", real},
        {"the first picture twice as wide", real},
        {"the first picture's depth unknown", real},
    };
    srand(27);
    for (int i = 0; i < 1 << 16; i++)
        damages[5].bytes += (char)rand();
    putBig(damages[6].bytes, 8, 0x7FFFFFF0, 4);
    putBig(damages[7].bytes, 20, 0xFFFFFFFF, 4);
    putBig(damages[8].bytes, type + 4, 0x7FFFFFF0, 4);
    putBig(damages[8].bytes, type + 8, 0x7FFFFFF0, 4);
    putBig(damages[9].bytes, type + 14, 2 * ((unsigned char)real[type + 14] << 8 |
                                             (unsigned char)real[type + 15]), 2);
    putBig(damages[10].bytes, type + 12, 12, 2);

    char home[1024], dir[] = "/tmp/gor-damaged-XXXXXX";
    ASSERT_NE(getcwd(home, sizeof home), nullptr);
    ASSERT_NE(mkdtemp(dir), nullptr);
    ASSERT_EQ(chdir(dir), 0);
    for (const Damage &d : damages) {
        writeBytes("gor.dat", d.bytes);
        EXPECT_EXIT(loadDataFile(), ::testing::ExitedWithCode(1),
                    "cannot load the data file \"gor.dat\" from the working directory")
            << d.what;
    }
    unlink("gor.dat");
    EXPECT_EXIT(loadDataFile(), ::testing::ExitedWithCode(1),
                "cannot load the data file \"gor.dat\" from the working directory")
        << "missing";
    EXPECT_EQ(chdir(home), 0);
    rmdir(dir);
}

}  // namespace
