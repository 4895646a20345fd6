// Data sources, the whole-file decoder and the info query.
#include "oggsmp/oggsmp.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>

int oggsmp_error_code = 0;

// ---- C FILE source -------------------------------------------------------

size_t file_read(void *buffer, size_t size, size_t count, void *source) {
    return fread(buffer, size, count, (FILE *)source);
}

int file_seek(void *source, ogg_int64_t offset, int whence) {
    return fseeko((FILE *)source, (off_t)offset, whence);
}

// The caller opened the file and closes it.
int file_close(void *) { return 0; }

long file_tell(void *source) { return ftell((FILE *)source); }

// ---- packfile source (cannot seek) ---------------------------------------

size_t packfile_read(void *buffer, size_t size, size_t count, void *source) {
    if (size == 0 || count > (size_t)LONG_MAX / size)
        return 0;
    long got = pack_fread(buffer, (long)(size * count), (PACKFILE *)source);
    return got > 0 ? (size_t)got / size : 0;
}

int packfile_seek(void *, ogg_int64_t, int) { return -1; }
int packfile_close(void *) { return 0; }
long packfile_tell(void *) { return -1; }

// ---- memory source -------------------------------------------------------

size_t memory_read(void *buffer, size_t size, size_t count, void *source) {
    OggMemorySource *m = (OggMemorySource *)source;
    if (!m || m->position < 0 || m->position >= m->length || size == 0)
        return 0;
    size_t left = (size_t)(m->length - m->position);
    size_t want = count > left / size ? left : size * count;
    memcpy(buffer, m->data + m->position, want);
    m->position += (int)want;
    return want;
}

// Negative targets, targets past what an int32 holds and unknown whence values
// are refused, leaving the position where it was.
int memory_seek(void *source, ogg_int64_t offset, int whence) {
    OggMemorySource *m = (OggMemorySource *)source;
    if (!m)
        return -1;
    ogg_int64_t base;
    switch (whence) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = m->position; break;
    case SEEK_END: base = m->length; break;
    default: return -1;
    }
    if (offset > INT_MAX || offset < -(ogg_int64_t)INT_MAX)
        return -1;
    ogg_int64_t target = base + offset;
    if (target < 0 || target > INT_MAX)
        return -1;
    m->position = (int)target;
    return 0;
}

int memory_close(void *source) {
    if (source)
        ((OggMemorySource *)source)->position = 0;
    return 0;
}

// The record belongs to the decoder; the bytes belong to the data file.
int memory_close_free(void *source) {
    free(source);
    return 0;
}

long memory_tell(void *source) {
    return source ? ((OggMemorySource *)source)->position : -1;
}

const ov_callbacks file_callbacks = {file_read, file_seek, file_close, file_tell};
const ov_callbacks packfile_callbacks = {packfile_read, packfile_seek, packfile_close,
                                         packfile_tell};
const ov_callbacks memory_callbacks = {memory_read, memory_seek, memory_close, memory_tell};
const ov_callbacks datafile_callbacks = {memory_read, memory_seek, memory_close_free,
                                         memory_tell};

// ---- decoding ------------------------------------------------------------

void oggsmp_init() {}
void oggsmp_exit() {}

long read_ogg_data(OggVorbis_File *stream, char *buffer, int length, int word, int sgned,
                   int *bitstream) {
    return ov_read(stream, buffer, length, 0, word, sgned, bitstream);
}

// Which side each channel of a Vorbis link feeds in a stereo downmix
// (0 left, 1 right, 2 both, -1 none), in Vorbis channel order for 3..8 channels.
static int downmix_side(int channels, int c) {
    static const signed char sides[9][8] = {
        {0},
        {2},
        {0, 1},
        {0, 2, 1},                    // L C R
        {0, 1, 0, 1},                 // FL FR RL RR
        {0, 2, 1, 0, 1},              // FL C FR RL RR
        {0, 2, 1, 0, 1, -1},          // FL C FR RL RR LFE
        {0, 2, 1, 0, 1, 2, -1},       // FL C FR SL SR RC LFE
        {0, 2, 1, 0, 1, 0, 1, -1},    // FL C FR SL SR RL RR LFE
    };
    if (channels <= 8)
        return sides[channels][c];
    return c % 2;
}

// One frame of `channels` unsigned 16-bit values into outChannels values.
static void convert_frame(const unsigned char *in, int channels, unsigned char *out,
                          int outChannels) {
    long sum[2] = {0, 0}, n[2] = {0, 0};
    for (int c = 0; c < channels; c++) {
        long v = (long)(in[2 * c] | (in[2 * c + 1] << 8)) - 32768;
        int side = outChannels == 1 ? 0 : downmix_side(channels, c);
        if (side == 0 || side == 2) { sum[0] += v; n[0]++; }
        if (side == 1 || side == 2) { sum[1] += v; n[1]++; }
    }
    for (int o = 0; o < outChannels; o++) {
        unsigned v = (unsigned)((n[o] ? sum[o] / n[o] : 0) + 32768);
        out[2 * o] = (unsigned char)(v & 0xff);
        out[2 * o + 1] = (unsigned char)(v >> 8);
    }
}

long oggsmpint_pull_frames(OggVorbis_File *vf, OggPcmPending *pending, unsigned char *out,
                           long maxFrames, int outChannels) {
    if (pending->next >= pending->frames) {
        // A hole is lost or damaged data and is the caller's error, except the
        // one libvorbisfile reports when a source that cannot seek crosses into
        // the next link of a chain: that read has moved on to the new link.
        long n;
        int link;
        do {
            link = vf->current_link;
            n = read_ogg_data(vf, (char *)pending->bytes, (int)sizeof pending->bytes, 2, 0, NULL);
        } while (n == OV_HOLE && vf->current_link != link);
        if (n <= 0)
            return n;
        vorbis_info *info = ov_info(vf, -1);
        int channels = info && info->channels > 0 ? info->channels : 1;
        pending->channels = channels;
        pending->frames = (int)(n / (2 * channels));  // ov_read hands out whole frames
        pending->next = 0;
        if (pending->frames == 0)
            return OV_EREAD;
    }
    long frames = pending->frames - pending->next;
    if (frames > maxFrames)
        frames = maxFrames;
    int ch = pending->channels;
    const unsigned char *in = pending->bytes + (size_t)pending->next * 2 * ch;
    if (ch == outChannels)
        memcpy(out, in, (size_t)frames * 2 * ch);
    else
        for (long f = 0; f < frames; f++)
            convert_frame(in + f * 2 * ch, ch, out + f * 2 * outChannels, outChannels);
    pending->next += (int)frames;
    return frames;
}

// Announced lengths are trusted for the first allocation only up to this
// size; anything longer grows as it actually decodes.
static const long TRUSTED_BYTES = 64L * 1024 * 1024;

static void fill_silence(unsigned char *p, long bytes) {
    for (long i = 0; i + 1 < bytes; i += 2) {
        p[i] = 0x00;
        p[i + 1] = 0x80;
    }
}

// Decodes the opened stream whole.  The sample is mono or stereo (more than two
// channels are mixed down to stereo, chained links of other widths converted);
// every read is capped at the room left in the sample, and the sample never
// holds more than a stream of known length announced.
SAMPLE *load_ov(OggVorbis_File *stream) {
    vorbis_info *info = ov_info(stream, -1);
    if (!info || info->channels < 1 || info->rate < 1) {
        ov_clear(stream);
        return NULL;
    }
    int outChannels = info->channels > 1 ? 2 : 1;
    long frameBytes = 2 * outChannels;
    ogg_int64_t total = ov_pcm_total(stream, -1);
    int known = total >= 0;
    // limit: the most bytes the sample may hold
    long limit = LONG_MAX / 2;
    if (known) {
        if (total > (ogg_int64_t)(INT_MAX / frameBytes))
            known = 0;  // cannot be made as one sample; decode what is really there
        else
            limit = (long)(total < 1 ? 1 : total) * frameBytes;
    }
    if (!known)
        limit = (long)(INT_MAX / frameBytes) * frameBytes;
    long capacity = known ? (limit < TRUSTED_BYTES ? limit : TRUSTED_BYTES - TRUSTED_BYTES % frameBytes)
                          : 0;
    long step = 65536;

    SAMPLE *s = create_sample(16, outChannels > 1, info->rate,
                              known ? (int)(capacity / frameBytes) : 1);
    if (!s) {
        ov_clear(stream);
        return NULL;
    }
    OggPcmPending *pending = (OggPcmPending *)malloc(sizeof(OggPcmPending));
    if (!pending) {
        destroy_sample(s);
        ov_clear(stream);
        return NULL;
    }
    pending->frames = pending->next = 0;
    pending->channels = info->channels;

    long position = 0;
    for (;;) {
        if (position + 4096 > capacity && capacity < limit) {
            long grown = capacity + step;
            if (grown > limit || grown < capacity)
                grown = limit;
            grown -= grown % frameBytes;
            step += step / 2;
            void *data = realloc(s->data, (size_t)grown);
            if (!data) {
                free(pending);
                destroy_sample(s);
                ov_clear(stream);
                return NULL;
            }
            s->data = data;
            capacity = grown;
        }
        long room = (capacity - position) / frameBytes;
        if (room <= 0)
            break;  // a known-length stream delivering more than it announced
        long n = oggsmpint_pull_frames(stream, pending, (unsigned char *)s->data + position,
                                       room < 4096 / frameBytes ? room : 4096 / frameBytes,
                                       outChannels);
        if (n == 0)
            break;
        if (n < 0) {
            oggsmp_error_code = (int)n;
            free(pending);
            destroy_sample(s);
            ov_clear(stream);
            return NULL;
        }
        position += n * frameBytes;
    }
    free(pending);
    ov_clear(stream);

    long frames;
    if (known && capacity == limit) {
        // the length the stream announced; a short decode ends in silence
        fill_silence((unsigned char *)s->data + position, capacity - position);
        frames = capacity / frameBytes;
    } else {
        frames = position / frameBytes;
        if (frames < 1) {
            frames = 1;
            fill_silence((unsigned char *)s->data, frameBytes);
        }
        if (frames * frameBytes < capacity) {
            void *data = realloc(s->data, (size_t)(frames * frameBytes));
            if (data)
                s->data = data;
        }
    }
    s->len = (unsigned long)frames;
    s->loop_start = 0;
    s->loop_end = (unsigned long)frames;
    lock_sample(s);
    return s;
}

SAMPLE *load_via_callbacks(void *source, ov_callbacks table) {
    OggVorbis_File stream;
    int r = ov_open_callbacks(source, &stream, NULL, 0, table);
    if (r < 0) {
        oggsmp_error_code = r;
        return NULL;
    }
    return load_ov(&stream);
}

SAMPLE *load_ogg_from_file(FILE *f) {
    if (!f)
        return NULL;
    return load_via_callbacks(f, file_callbacks);
}

SAMPLE *load_ogg_from_packfile(PACKFILE *p) {
    if (!p)
        return NULL;
    return load_via_callbacks(p, packfile_callbacks);
}

SAMPLE *oggsmp_load_ogg(const char *filename) {
    if (!filename)
        return NULL;
    FILE *f = fopen(filename, "rb");
    if (f) {
        SAMPLE *s = load_ogg_from_file(f);
        fclose(f);
        return s;
    }
    PACKFILE *p = pack_fopen(filename, "r");
    if (!p)
        return NULL;
    SAMPLE *s = load_ogg_from_packfile(p);
    pack_fclose(p);
    return s;
}

OggMemorySource *oggsmpint_datafile_source(DATAFILE *object) {
    if (!object || !object->dat || object->size < 0 || object->size > INT_MAX)
        return NULL;
    OggMemorySource *source = (OggMemorySource *)malloc(sizeof(OggMemorySource));
    if (!source)
        return NULL;
    source->length = (int)object->size;
    source->position = 0;
    source->data = (const unsigned char *)object->dat;
    return source;
}

SAMPLE *oggsmp_create_sample(DATAFILE *object) {
    if (!object || object->type != DAT_OGG_VORBIS)
        return NULL;
    OggMemorySource *source = oggsmpint_datafile_source(object);
    if (!source)
        return NULL;
    OggVorbis_File stream;
    int r = ov_open_callbacks(source, &stream, NULL, 0, datafile_callbacks);
    if (r < 0) {
        // a failed open does not call the close callback: the record is ours to free
        oggsmp_error_code = r;
        free(source);
        return NULL;
    }
    return load_ov(&stream);
}

int oggsmpint_get_info(OggMemorySource *source, int *channels, int *rate, float *seconds) {
    if (!source)
        return 0;
    // libvorbisfile can search for ever when a seekable source does not start
    // at its beginning; a failed open elsewhere leaves the position anywhere
    source->position = 0;
    OggVorbis_File stream;
    if (ov_open_callbacks(source, &stream, NULL, 0, memory_callbacks) < 0)
        return -1;
    vorbis_info *info = ov_info(&stream, -1);
    if (info) {
        if (channels)
            *channels = info->channels;
        if (rate)
            *rate = (int)info->rate;
    }
    if (seconds)
        *seconds = (float)ov_time_total(&stream, -1);
    ov_clear(&stream);
    return info ? 0 : 1;
}
