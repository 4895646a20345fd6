// Feeds arbitrary bytes to the Ogg Vorbis decoder through the memory source:
// seekable and unseekable whole-file decoding, the info query and streaming.
#include <allegro.h>
#include <stddef.h>
#include <stdint.h>

#include "oggsmp/oggsmp.h"

// libvorbisfile 1.3.7 itself loses a few bytes when it gives up on some
// damaged chained files; that is not ours to find.
extern "C" const char *__lsan_default_suppressions() { return "leak:libvorbisfile.so\n"; }

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > (1 << 20))
        return 0;
    OggMemorySource source = {(int)size, 0, data};
    if (SAMPLE *s = load_via_callbacks(&source, memory_callbacks))
        destroy_sample(s);

    // the same bytes as a source that cannot seek (length unknown, sample grows)
    ov_callbacks unseekable = memory_callbacks;
    unseekable.seek_func = NULL;
    unseekable.tell_func = NULL;
    source.position = 0;
    if (SAMPLE *s = load_via_callbacks(&source, unseekable))
        destroy_sample(s);

    source.position = 0;
    int channels = 0, rate = 0;
    float seconds = 0;
    oggsmpint_get_info(&source, &channels, &rate, &seconds);

    if (OggStream *stream = oggsmpint_start_streaming_datogg(&source, 4099)) {
        unsigned char block[4099];
        for (int i = 0; i < 8 && oggsmp_read_stream_data(stream, block, sizeof block) > 0; i++) {
        }
        oggsmp_stop_streaming(stream);
    }
    return 0;
}
