// Whole-file decoding against oggdec, the four data sources, and hostile input.
#include <allegro.h>
#include <gtest/gtest.h>
#include <string.h>

#include <functional>
#include <vector>

#include "ogg_fixtures.h"
#include "oggsmp/oggsmp.h"
#include "support/test_env.h"

namespace {

// A data file holding one object of type "OGGV" named MUSIC.
std::string writeOggDatafile(const Bytes &ogg, const std::string &path) {
    PACKFILE *p = pack_fopen(path.c_str(), F_WRITE_NOPACK);
    if (!p)
        return "";
    pack_mputl(DAT_MAGIC, p);
    pack_mputl(1, p);
    pack_mputl(DAT_PROPERTY, p);
    pack_mputl(DAT_NAME, p);
    pack_mputl(5, p);
    pack_fwrite("MUSIC", 5, p);
    pack_mputl(DAT_OGG_VORBIS, p);
    pack_mputl((long)ogg.size(), p);
    pack_mputl((long)ogg.size(), p);
    pack_fwrite(ogg.data(), (long)ogg.size(), p);
    pack_fclose(p);
    return path;
}

SAMPLE *decodeMemory(const Bytes &bytes) {
    OggMemorySource source = {(int)bytes.size(), 0, bytes.data()};
    return load_via_callbacks(&source, memory_callbacks);
}

class OggDecode : public ::testing::Test {
protected:
    void SetUp() override { startHeadlessAllegro(); }
};

TEST_F(OggDecode, AgreesByteForByteWithOggdec) {
    REQUIRE_OGG_TOOLS();
    struct Case { const char *file; int stereo, freq; };
    const Case cases[] = {
        {"mono44.ogg", 0, 44100},         {"stereo22.ogg", 1, 22050},
        {"mono8.ogg", 0, 8000},           {"stereo48.ogg", 1, 48000},
        {"chain_stereo.ogg", 1, 44100},  // two links
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        Bytes expected = oggdecRaw(fixture(c.file));
        ASSERT_GT(expected.size(), 1000u);
        SAMPLE *s = oggsmp_load_ogg(fixture(c.file).c_str());
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->bits, 16);
        EXPECT_EQ(s->stereo, c.stereo);
        EXPECT_EQ(s->freq, c.freq);
        EXPECT_EQ(s->loop_end, s->len);
        EXPECT_TRUE(sampleBytes(s) == expected) << "decoded " << sampleBytes(s).size()
                                                << " bytes, oggdec " << expected.size();
        destroy_sample(s);
    }

    // oggdec refuses links of another rate: compare with its links decoded apart
    Bytes expected = oggdecRaw(fixture("stereo22.ogg"));
    Bytes second = oggdecRaw(fixture("stereo48.ogg"));
    expected.insert(expected.end(), second.begin(), second.end());
    SAMPLE *s = oggsmp_load_ogg(fixture("chain_rates.ogg").c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->freq, 22050);
    EXPECT_TRUE(sampleBytes(s) == expected);
    destroy_sample(s);
}

TEST_F(OggDecode, FilePackfileMemoryAndDatafileSourcesAgree) {
    REQUIRE_OGG_TOOLS();
    Bytes ogg = readBytes(fixture("stereo48.ogg"));
    SAMPLE *fromFile = oggsmp_load_ogg(fixture("stereo48.ogg").c_str());
    ASSERT_NE(fromFile, nullptr);
    Bytes expected = sampleBytes(fromFile);

    // only the packfile functions can open "file.dat#OBJECT": the unseekable path
    std::string dat = writeOggDatafile(ogg, fixture("music.dat"));
    SAMPLE *fromPackfile = oggsmp_load_ogg((dat + "#MUSIC").c_str());
    ASSERT_NE(fromPackfile, nullptr);
    EXPECT_TRUE(sampleBytes(fromPackfile) == expected);
    EXPECT_EQ(fromPackfile->len, fromFile->len);
    EXPECT_EQ(fromPackfile->loop_end, fromFile->len);

    SAMPLE *fromMemory = decodeMemory(ogg);
    ASSERT_NE(fromMemory, nullptr);
    EXPECT_TRUE(sampleBytes(fromMemory) == expected);

    DATAFILE *data = load_datafile(dat.c_str());
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(data[0].type, DAT_OGG_VORBIS);
    SAMPLE *fromObject = oggsmp_create_sample(&data[0]);
    ASSERT_NE(fromObject, nullptr);
    EXPECT_TRUE(sampleBytes(fromObject) == expected);
    // the object keeps its bytes: a second decode works the same
    SAMPLE *again = oggsmp_create_sample(&data[0]);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(sampleBytes(again) == expected);

    DATAFILE wrongType = data[0];
    wrongType.type = DAT_SAMPLE;
    EXPECT_EQ(oggsmp_create_sample(&wrongType), nullptr);
    EXPECT_EQ(oggsmp_create_sample(nullptr), nullptr);
    Bytes junk(600, 'j');
    DATAFILE junkObject = {junk.data(), DAT_OGG_VORBIS, (long)junk.size(), nullptr};
    oggsmp_error_code = 0;
    EXPECT_EQ(oggsmp_create_sample(&junkObject), nullptr);  // and its source record freed
    EXPECT_EQ(oggsmp_error_code, OV_ENOTVORBIS);

    for (SAMPLE *s : {fromFile, fromPackfile, fromMemory, fromObject, again})
        destroy_sample(s);
    unload_datafile(data);

    EXPECT_EQ(oggsmp_load_ogg(fixture("no-such-file.ogg").c_str()), nullptr);
    EXPECT_EQ(load_ogg_from_file(nullptr), nullptr);
    EXPECT_EQ(load_ogg_from_packfile(nullptr), nullptr);
}

TEST_F(OggDecode, InfoQuery) {
    REQUIRE_OGG_TOOLS();
    Bytes ogg = readBytes(fixture("stereo22.ogg"));
    OggMemorySource source = {(int)ogg.size(), 0, ogg.data()};
    int channels = 0, rate = 0;
    float seconds = 0;
    EXPECT_EQ(oggsmpint_get_info(&source, &channels, &rate, &seconds), 0);
    EXPECT_EQ(channels, 2);
    EXPECT_EQ(rate, 22050);
    EXPECT_NEAR(seconds, 1.1f, 0.01f);
    EXPECT_EQ(source.position, 0);  // rewound by the close
    source.position = 2000;  // left anywhere: the query starts from the beginning
    channels = 0;
    EXPECT_EQ(oggsmpint_get_info(&source, &channels, &rate, &seconds), 0);
    EXPECT_EQ(channels, 2);

    const char text[] = "this is not an Ogg Vorbis stream at all, just some text";
    OggMemorySource junk = {(int)sizeof text, 0, (const unsigned char *)text};
    channels = rate = 77;
    EXPECT_EQ(oggsmpint_get_info(&junk, &channels, &rate, &seconds), -1);
    EXPECT_EQ(channels, 77);
    EXPECT_EQ(rate, 77);
    EXPECT_EQ(oggsmpint_get_info(nullptr, &channels, &rate, &seconds), 0);
}

TEST_F(OggDecode, MemorySourceSeeksAndReadsWithinBounds) {
    unsigned char bytes[100];
    for (int i = 0; i < 100; i++)
        bytes[i] = (unsigned char)i;
    OggMemorySource m = {100, 0, bytes};
    EXPECT_EQ(memory_seek(&m, -10, SEEK_END), 0);
    EXPECT_EQ(memory_tell(&m), 90);
    unsigned char out[128];
    memset(out, 0xEE, sizeof out);
    EXPECT_EQ(memory_read(out, 1, 64, &m), 10u);  // only what is left
    EXPECT_EQ(out[0], 90);
    EXPECT_EQ(out[9], 99);
    EXPECT_EQ(out[10], 0xEE);
    EXPECT_EQ(memory_read(out, 1, 64, &m), 0u);
    EXPECT_EQ(memory_seek(&m, 5, SEEK_SET), 0);
    EXPECT_EQ(memory_seek(&m, 3, SEEK_CUR), 0);
    EXPECT_EQ(memory_tell(&m), 8);
    // refused, position unchanged: unknown whence, before the start, past 32 bits
    EXPECT_EQ(memory_seek(&m, 0, 7), -1);
    EXPECT_EQ(memory_seek(&m, -9, SEEK_CUR), -1);
    EXPECT_EQ(memory_seek(&m, (ogg_int64_t)1 << 32, SEEK_SET), -1);
    EXPECT_EQ(memory_tell(&m), 8);
    EXPECT_EQ(memory_seek(nullptr, 0, SEEK_SET), -1);
    // a huge count does not overflow the size check
    EXPECT_EQ(memory_read(out, 4, (size_t)-1 / 2, &m), 92u);
    EXPECT_EQ(memory_close(&m), 0);
    EXPECT_EQ(memory_tell(&m), 0);
}

// Streams a game never ships but a file may hold: more channels than two and chains whose links
// change width must neither overflow the sample nor lose their length.
TEST_F(OggDecode, ManyChannelsAndMixedChainsFitTheSample) {
    REQUIRE_OGG_TOOLS();
    Bytes six = oggdecRaw(fixture("six.ogg"));
    ASSERT_EQ(six.size() % 12, 0u);
    SAMPLE *s = oggsmp_load_ogg(fixture("six.ogg").c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->stereo, 1);
    EXPECT_EQ(s->len, six.size() / 12);
    destroy_sample(s);

    // mono then stereo: a mono sample, the stereo link mixed down
    Bytes mono = oggdecRaw(fixture("mono44n.ogg"));
    Bytes stereo = oggdecRaw(fixture("stereo44b.ogg"));
    s = oggsmp_load_ogg(fixture("chain_mono_stereo.ogg").c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->stereo, 0);
    ASSERT_EQ(s->len, mono.size() / 2 + stereo.size() / 4);
    Bytes got = sampleBytes(s);
    EXPECT_TRUE(std::equal(mono.begin(), mono.end(), got.begin()));
    size_t frame = mono.size() / 2 + 1000;
    int l = stereo[4000] | stereo[4001] << 8, r = stereo[4002] | stereo[4003] << 8;
    int mixed = got[2 * frame] | got[2 * frame + 1] << 8;
    EXPECT_NEAR(mixed, (l + r) / 2, 1);
    destroy_sample(s);

    // stereo then mono, through the unseekable path too
    Bytes chain = readBytes(fixture("chain_stereo_mono.ogg"));
    s = oggsmp_load_ogg(fixture("chain_stereo_mono.ogg").c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->stereo, 1);
    EXPECT_EQ(s->len, stereo.size() / 4 + mono.size() / 2);
    got = sampleBytes(s);
    frame = stereo.size() / 4 + 500;  // the mono link, copied to both sides
    EXPECT_EQ(got[4 * frame], mono[1000]);
    EXPECT_EQ(got[4 * frame + 2], mono[1000]);
    EXPECT_EQ(got[4 * frame + 3], mono[1001]);
    std::string dat = writeOggDatafile(chain, fixture("chain.dat"));
    SAMPLE *unseekable = oggsmp_load_ogg((dat + "#MUSIC").c_str());
    ASSERT_NE(unseekable, nullptr);
    EXPECT_TRUE(sampleBytes(unseekable) == got);
    destroy_sample(unseekable);
    destroy_sample(s);
}

// A page lost in the middle of the audio is a read error whatever the source:
// no sample (the partial one is destroyed) and the decoder's code for a hole.
TEST_F(OggDecode, DamagedPageGivesNullAndTheHoleCode) {
    REQUIRE_OGG_TOOLS();
    Bytes damaged = readBytes(fixture("stereo48.ogg"));
    std::vector<size_t> pages;
    for (size_t i = 0; i + 27 <= damaged.size(); i++)
        if (memcmp(&damaged[i], "OggS", 4) == 0)
            pages.push_back(i);
    ASSERT_GE(pages.size(), 5u);  // two of headers, three or more of audio
    size_t page = pages[pages.size() - 2];  // between two pages of audio
    damaged[page + 27 + damaged[page + 26] + 10] ^= 0x5A;  // a body byte: the checksum fails
    writeBytes(fixture("damaged.ogg"), damaged);
    std::string dat = writeOggDatafile(damaged, fixture("damaged.dat"));
    DATAFILE object = {damaged.data(), DAT_OGG_VORBIS, (long)damaged.size(), nullptr};
    const struct {
        const char *source;
        std::function<SAMPLE *()> decode;
    } cases[] = {
        {"file", [&] { return oggsmp_load_ogg(fixture("damaged.ogg").c_str()); }},
        {"packfile", [&] { return oggsmp_load_ogg((dat + "#MUSIC").c_str()); }},
        {"memory", [&] { return decodeMemory(damaged); }},
        {"data-file object", [&] { return oggsmp_create_sample(&object); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        oggsmp_error_code = 0;
        SAMPLE *s = c.decode();
        EXPECT_EQ(s, nullptr);
        EXPECT_EQ(oggsmp_error_code, OV_HOLE);
        if (s)
            destroy_sample(s);
    }
}

TEST_F(OggDecode, HostileInputGivesNullAndAnErrorCode) {
    REQUIRE_OGG_TOOLS();
    Bytes good = readBytes(fixture("stereo22.ogg"));
    Bytes full = oggdecRaw(fixture("stereo22.ogg"));

    oggsmp_error_code = 0;
    EXPECT_EQ(decodeMemory(Bytes()), nullptr);
    EXPECT_LT(oggsmp_error_code, 0);

    Bytes text(3000, 'x');
    oggsmp_error_code = 0;
    EXPECT_EQ(decodeMemory(text), nullptr);
    EXPECT_EQ(oggsmp_error_code, OV_ENOTVORBIS);

    writeBytes(fixture("empty.ogg"), Bytes());
    oggsmp_error_code = 0;
    EXPECT_EQ(oggsmp_load_ogg(fixture("empty.ogg").c_str()), nullptr);
    EXPECT_LT(oggsmp_error_code, 0);

    // cut inside the headers: nothing; cut inside the audio: what is there
    for (size_t cut : {(size_t)1, (size_t)30, (size_t)200, (size_t)3000, good.size() / 2,
                       good.size() - 1}) {
        SCOPED_TRACE(cut);
        Bytes part(good.begin(), good.begin() + (long)cut);
        SAMPLE *s = decodeMemory(part);
        if (cut <= 3000) {
            EXPECT_EQ(s, nullptr);
        } else {
            ASSERT_NE(s, nullptr);
            EXPECT_LE(s->len, full.size() / 4);
            EXPECT_GT(s->len, 0u);
        }
        if (s)
            destroy_sample(s);
        writeBytes(fixture("cut.ogg"), part);
        s = oggsmp_load_ogg(fixture("cut.ogg").c_str());
        if (s)
            destroy_sample(s);
    }

    // garbage in the middle of the audio: the file still ends safely
    Bytes damaged = good;
    for (size_t i = damaged.size() / 2; i < damaged.size() / 2 + 400; i++)
        damaged[i] ^= 0x5A;
    SAMPLE *s = decodeMemory(damaged);
    if (s) {
        EXPECT_LE(s->len, full.size() / 4);
        destroy_sample(s);
    }
}

}  // namespace
