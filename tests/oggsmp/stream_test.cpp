// Streaming: blocks read in order equal the whole decode, the end is padded,
// and the refill reports the end one block after the source ran dry.
//
// Headless there is no sound driver: the audio stream's voice never moves, so
// it hands out its initially free buffers and then none, which is what the
// refill tests lean on.
#include <allegro.h>
#include <gtest/gtest.h>
#include <string.h>

#include "ogg_fixtures.h"
#include "oggsmp/oggsmp.h"
#include "support/test_env.h"

namespace {

class OggStreaming : public ::testing::Test {
protected:
    void SetUp() override { startHeadlessAllegro(); }
};

// The padding of a block of `size` bytes that decoded n: a stereo block repeats
// the last decoded 16-bit value and leaves an odd last byte as it was (0x11), a
// mono block repeats the last decoded byte; silence (0x8000) when n is 0.
void expectPadded(const Bytes &buf, int n, int size, int stereo) {
    for (int i = n; i < size; i++) {
        int want;
        if (stereo && i == n + (size - n) / 2 * 2)
            want = 0x11;
        else if (n == 0)
            want = i % 2 ? 0x80 : 0x00;
        else if (stereo)
            want = buf[n - 2 + (i - n) % 2];
        else
            want = buf[n - 1];
        ASSERT_EQ(buf[i], want) << "pad byte " << i << " of " << size << ", " << n << " decoded";
    }
}

// Reads blocks (one byte longer than `block`, so that each ends on an odd byte)
// until the source is exhausted; returns the decoded bytes and checks the
// padding of every block.
Bytes readAllBlocks(OggStream *s, int block, int frameBytes) {
    int size = block + 1;
    Bytes all, buf(size);
    for (;;) {
        memset(buf.data(), 0x11, buf.size());
        int n = oggsmp_read_stream_data(s, buf.data(), size);
        EXPECT_GE(n, 0);
        EXPECT_EQ(n % frameBytes, 0);
        expectPadded(buf, n, size, frameBytes == 4);
        if (n <= 0)
            break;
        all.insert(all.end(), buf.begin(), buf.begin() + n);
    }
    // after the end: a block of silence
    memset(buf.data(), 0x11, buf.size());
    EXPECT_EQ(oggsmp_read_stream_data(s, buf.data(), size), 0);
    expectPadded(buf, 0, size, frameBytes == 4);
    return all;
}

TEST_F(OggStreaming, BlocksInOrderEqualTheWholeDecode) {
    REQUIRE_OGG_TOOLS();
    for (const char *name : {"stereo22.ogg", "mono44n.ogg", "six.ogg"}) {
        SCOPED_TRACE(name);
        SAMPLE *whole = oggsmp_load_ogg(fixture(name).c_str());
        ASSERT_NE(whole, nullptr);
        Bytes expected = sampleBytes(whole);
        int frameBytes = whole->stereo ? 4 : 2;
        Bytes ogg = readBytes(fixture(name));

        OggMemorySource source = {(int)ogg.size(), 77, ogg.data()};
        OggStream *s = oggsmpint_start_streaming_datogg(&source, 4096);
        ASSERT_NE(s, nullptr);
        ASSERT_NE(oggsmp_get_audio_stream(s), nullptr);
        EXPECT_EQ(oggsmp_get_audio_stream(s)->len, 4096 / frameBytes);
        EXPECT_EQ(oggsmp_get_vorbis_file(s), s->vorbisFile);
        EXPECT_TRUE(readAllBlocks(s, 4096, frameBytes) == expected);
        EXPECT_EQ(oggsmp_stop_streaming(s), 0);
        EXPECT_EQ(source.position, 0);  // the memory source is rewound

        // a block size that is not a whole number of frames is cut to one
        DATAFILE object = {(void *)ogg.data(), DAT_OGG_VORBIS, (long)ogg.size(), nullptr};
        s = oggsmp_start_streaming_datafile(&object, 4099);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->blockSize, 4099 / frameBytes * frameBytes);
        EXPECT_TRUE(readAllBlocks(s, s->blockSize, frameBytes) == expected);
        oggsmp_stop_streaming(s);

        s = oggsmp_start_streaming(fixture(name).c_str(), 1000);
        ASSERT_NE(s, nullptr);
        EXPECT_TRUE(readAllBlocks(s, s->blockSize, frameBytes) == expected);
        oggsmp_stop_streaming(s);
        destroy_sample(whole);
    }
}

TEST_F(OggStreaming, RefillQueuesOneSilentBlockThenReportsTheEnd) {
    REQUIRE_OGG_TOOLS();
    SAMPLE *whole = oggsmp_load_ogg(fixture("tiny.ogg").c_str());
    ASSERT_NE(whole, nullptr);
    const int block = 1024;
    int dataBlocks = (int)((whole->len * 4 + block - 1) / block);
    destroy_sample(whole);

    OggStream *s = oggsmp_start_streaming(fixture("tiny.ogg").c_str(), block);
    ASSERT_NE(s, nullptr);
    for (int i = 0; i < dataBlocks; i++) {
        EXPECT_EQ(oggsmp_update_streaming(s), 1);
        EXPECT_EQ(s->finished, 0);
    }
    EXPECT_EQ(oggsmp_update_streaming(s), 1);  // the block that found the end
    EXPECT_EQ(s->finished, 1);
    EXPECT_EQ(oggsmp_update_streaming(s), 0);
    oggsmp_stop_streaming(s);

    // with no free buffer the refill decodes nothing and goes on
    s = oggsmp_start_streaming(fixture("stereo48.ogg").c_str(), 4096);
    ASSERT_NE(s, nullptr);
    ogg_int64_t last = -1;
    for (int i = 0; i < 100 && ov_pcm_tell(s->vorbisFile) != last; i++) {
        last = ov_pcm_tell(s->vorbisFile);
        EXPECT_EQ(oggsmp_update_streaming(s), 1);
    }
    EXPECT_EQ(ov_pcm_tell(s->vorbisFile), last);
    EXPECT_EQ(s->finished, 0);
    oggsmp_stop_streaming(s);
}

TEST_F(OggStreaming, CallerRefillAndFailedStarts) {
    REQUIRE_OGG_TOOLS();
    Bytes ogg = readBytes(fixture("mono8.ogg"));
    OggMemorySource source = {(int)ogg.size(), 0, ogg.data()};
    static void *seen;
    OggStream *s = oggsmp_start_streaming_callbacks(
        &source, memory_callbacks, 2048, [](OggStream *, void *src) { seen = src; return 7; });
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(oggsmp_get_audio_stream(s)->len, 1024);  // mono: 2 bytes a frame
    EXPECT_EQ(oggsmp_update_streaming(s), 7);
    EXPECT_EQ(seen, &source);
    oggsmp_stop_streaming(s);

    Bytes junk(5000, 'q');
    OggMemorySource bad = {(int)junk.size(), 0, junk.data()};
    oggsmp_error_code = 0;
    EXPECT_EQ(oggsmpint_start_streaming_datogg(&bad, 4096), nullptr);
    EXPECT_EQ(oggsmp_error_code, OV_ENOTVORBIS);
    DATAFILE object = {(void *)junk.data(), DAT_OGG_VORBIS, (long)junk.size(), nullptr};
    EXPECT_EQ(oggsmp_start_streaming_datafile(&object, 4096), nullptr);
    EXPECT_EQ(oggsmp_start_streaming(fixture("missing.ogg").c_str(), 4096), nullptr);
    EXPECT_EQ(oggsmpint_start_streaming_datogg(nullptr, 4096), nullptr);
    // a block smaller than one frame cannot be played; the data-file source record is
    // released by the decoder's close and not a second time (glibc aborts on that)
    EXPECT_EQ(oggsmpint_start_streaming_datogg(&source, 1), nullptr);
    DATAFILE good = {(void *)ogg.data(), DAT_OGG_VORBIS, (long)ogg.size(), nullptr};
    for (int block : {1, 0, -4})
        EXPECT_EQ(oggsmp_start_streaming_datafile(&good, block), nullptr);
}

}  // namespace
