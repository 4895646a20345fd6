// Encoding: round trips keep length and pitch; the stream is valid and tagged.
#include <allegro.h>
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>

#include "ogg_fixtures.h"
#include "oggsmp/oggsmp.h"
#include "support/test_env.h"

namespace {

// A sine of hz (right channel at twice hz) at three quarters of full scale.
SAMPLE *makeTone(int bits, int stereo, int freq, int frames, double hz) {
    SAMPLE *s = create_sample(bits, stereo, freq, frames);
    int channels = stereo ? 2 : 1;
    for (int f = 0; f < frames; f++)
        for (int c = 0; c < channels; c++) {
            double v = 0.75 * sin(2 * M_PI * hz * (c + 1) * f / freq);
            if (bits == 8)
                ((unsigned char *)s->data)[f * channels + c] = (unsigned char)lrint(128 + 127 * v);
            else
                ((unsigned short *)s->data)[f * channels + c] =
                    (unsigned short)lrint(32768 + 32767 * v);
        }
    return s;
}

// Frequency of one channel of a 16-bit sample from its zero crossings.
double dominantHz(const SAMPLE *s, int channel) {
    int channels = s->stereo ? 2 : 1;
    const unsigned short *d = (const unsigned short *)s->data;
    long from = (long)s->len / 10, to = (long)s->len * 9 / 10, crossings = 0;
    for (long f = from + 1; f < to; f++) {
        bool before = d[(f - 1) * channels + channel] >= 32768;
        bool now = d[f * channels + channel] >= 32768;
        crossings += before != now;
    }
    return crossings / 2.0 * s->freq / (double)(to - from);
}

long appendBytes(const void *bytes, long count, void *user) {
    Bytes *out = (Bytes *)user;
    const unsigned char *p = (const unsigned char *)bytes;
    out->insert(out->end(), p, p + count);
    return count;
}

class OggEncode : public ::testing::Test {
protected:
    void SetUp() override { startHeadlessAllegro(); }
};

TEST_F(OggEncode, RoundTripKeepsLengthAndPitch) {
    struct Case { int bits, stereo, freq, frames; double hz; };
    const Case cases[] = {
        {8, 0, 22050, 30000, 440}, {8, 1, 11025, 20000, 300},
        {16, 0, 44100, 50000, 1000}, {16, 1, 32000, 40000, 250},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, stereo " << c.stereo);
        SAMPLE *in = makeTone(c.bits, c.stereo, c.freq, c.frames, c.hz);
        Bytes ogg;
        OggEncoder *e = oggsmp_start_encoding(c.stereo ? 2 : 1, c.freq, 0.3f, 0, nullptr,
                                              appendBytes, &ogg);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(oggsmp_update_encoding(e, in->data, c.frames, c.stereo ? 2 : 1, c.bits), 1);
        EXPECT_EQ(oggsmp_stop_encoding(e), 1);

        OggMemorySource source = {(int)ogg.size(), 0, ogg.data()};
        SAMPLE *out = load_via_callbacks(&source, memory_callbacks);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(out->len, (unsigned long)c.frames);
        EXPECT_EQ(out->freq, c.freq);
        EXPECT_EQ(out->stereo, c.stereo);
        EXPECT_NEAR(dominantHz(out, 0), c.hz, c.hz * 0.02);
        if (c.stereo) {
            EXPECT_NEAR(dominantHz(out, 1), 2 * c.hz, c.hz * 0.04);
        }
        destroy_sample(in);
        destroy_sample(out);
    }
}

TEST_F(OggEncode, SavedFileIsValidAndTaggedInOrder) {
    REQUIRE_OGG_TOOLS();
    SAMPLE *in = makeTone(16, 1, 44100, 44100, 440);
    std::string path = fixture("saved.ogg");
    char c1[] = "TITLE=Test tone", c2[] = "ARTIST=nobody", c3[] = "TITLE=second title";
    char *comments[] = {c1, c2, c3};
    ASSERT_EQ(oggsmp_save_ogg_param(path.c_str(), in, 0.5f, 3, comments), 1);
    int status = -1;
    runCommand("ogginfo '" + path + "' 2>&1", &status);
    EXPECT_EQ(status, 0);
    std::string tags = runCommand("vorbiscomment -l '" + path + "'");
    EXPECT_EQ(tags,
              "ENCODER=oggsmp 1.3.4 Ogg/Vorbis sample codec\n"
              "OGGSMP VERSION=1.3.4\n"
              "TITLE=Test tone\n"
              "ARTIST=nobody\n"
              "TITLE=second title\n");

    srand(5);  // the stream's serial number
    ASSERT_EQ(oggsmp_save_ogg(fixture("plain.ogg").c_str(), in), 1);
    EXPECT_EQ(runCommand("vorbiscomment -l '" + fixture("plain.ogg") + "'"),
              "ENCODER=oggsmp 1.3.4 Ogg/Vorbis sample codec\nOGGSMP VERSION=1.3.4\n");
    srand(5);  // the plain save is the save at quality 0.5, byte for byte
    ASSERT_EQ(oggsmp_save_ogg_param(fixture("half.ogg").c_str(), in, 0.5f, 0, nullptr), 1);
    EXPECT_TRUE(readBytes(fixture("plain.ogg")) == readBytes(fixture("half.ogg")));

    // a path that cannot be created: 0 and nothing written
    std::string bad = fixture("no-such-dir/out.ogg");
    EXPECT_EQ(oggsmp_save_ogg(bad.c_str(), in), 0);
    EXPECT_TRUE(readBytes(bad).empty());
    destroy_sample(in);
}

TEST_F(OggEncode, SampleValuesBecomeFloats) {
    unsigned char eight[3] = {0, 128, 255};
    unsigned short sixteen[3] = {0, 32768, 65535};
    float a[3], b[3];
    float *buffers[1] = {a};
    encode_buffers(buffers, eight, 3, 1, 8);
    EXPECT_EQ(a[0], -1.0f);
    EXPECT_EQ(a[1], 0.0f);
    EXPECT_EQ(a[2], 0.9921875f);
    float *stereo[2] = {a, b};
    unsigned short pairs[4] = {0, 32768, 65535, 16384};
    encode_buffers(stereo, pairs, 2, 2, 16);
    EXPECT_EQ(a[0], -1.0f);
    EXPECT_EQ(b[0], 0.0f);
    EXPECT_EQ(a[1], 32767.0f / 32768.0f);
    EXPECT_EQ(b[1], -0.5f);
    encode_buffers(buffers, sixteen, 3, 1, 16);
    EXPECT_EQ(a[1], 0.0f);
}

TEST_F(OggEncode, RefusesWhatItCannotEncode) {
    SAMPLE *in = makeTone(16, 0, 22050, 5000, 500);
    oggsmp_error_code = 0;
    EXPECT_EQ(oggsmp_start_encoding(0, 22050, 0.5f, 0, nullptr, nullptr, nullptr), nullptr);
    EXPECT_LT(oggsmp_error_code, 0);

    // output discarded when there is no write function
    OggEncoder *e = oggsmp_start_encoding(1, 22050, 0.5f, 0, nullptr, nullptr, nullptr);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(oggsmp_update_encoding(e, in->data, 5000, 1, 24), 0);
    EXPECT_EQ(oggsmp_update_encoding(e, in->data, 5000, 2, 16), 0);  // not the encoder's width
    EXPECT_EQ(oggsmp_update_encoding(e, in->data, 5000, 1, 16), 1);
    EXPECT_EQ(oggsmp_update_encoding(e, in->data, 5000, 1, 16), 0);  // the stream has ended
    EXPECT_EQ(oggsmp_stop_encoding(e), 1);

    // a write that fails makes the start fail
    e = oggsmp_start_encoding(1, 22050, 0.5f, 0, nullptr,
                              [](const void *, long, void *) -> long { return 0; }, nullptr);
    EXPECT_EQ(e, nullptr);
    destroy_sample(in);
}

}  // namespace
