// Streaming Ogg Vorbis into an Allegro audio stream, one block per refill.
#include "oggsmp/oggsmp.h"

#include <stdlib.h>
#include <string.h>

// Sets *opened once the decoder holds the source: from then on a failed start clears the
// decoder, which runs the source's close callback.
static OggStream *startStreaming(void *source, ov_callbacks table, int blockSize,
                                 OggStreamUpdate update, int *opened) {
    *opened = 0;
    OggStream *s = (OggStream *)calloc(1, sizeof(OggStream));
    if (!s)
        return NULL;
    s->read = table.read_func;
    s->seek = table.seek_func;
    s->close = table.close_func;
    s->tell = table.tell_func;
    s->source = source;
    s->update = update ? update : oggsmpint_basic_streamer_update;
    s->vorbisFile = (OggVorbis_File *)malloc(sizeof(OggVorbis_File));
    if (!s->vorbisFile) {
        free(s);
        return NULL;
    }
    int r = ov_open_callbacks(source, s->vorbisFile, NULL, 0, table);
    if (r < 0) {
        oggsmp_error_code = r;
        free(s->vorbisFile);
        free(s);
        return NULL;
    }
    *opened = 1;
    vorbis_info *info = ov_info(s->vorbisFile, -1);
    s->channels = info && info->channels > 1 ? 2 : 1;
    // A block is a whole number of frames, or the refill would write past the
    // audio stream's buffer.
    int frameBytes = 2 * s->channels;
    int frames = blockSize > 0 ? blockSize / frameBytes : 0;
    if (!info || info->rate < 1 || frames < 1) {
        ov_clear(s->vorbisFile);
        free(s->vorbisFile);
        free(s);
        return NULL;
    }
    s->blockSize = frames * frameBytes;
    s->audioStream = play_audio_stream(frames, 16, s->channels > 1, (int)info->rate, 255, 128);
    if (!s->audioStream) {
        ov_clear(s->vorbisFile);
        free(s->vorbisFile);
        free(s);
        return NULL;
    }
    return s;
}

OggStream *oggsmp_start_streaming_callbacks(void *source, ov_callbacks table, int blockSize,
                                            OggStreamUpdate update) {
    int opened;
    return startStreaming(source, table, blockSize, update, &opened);
}

// The stream owns the packfile it opened and closes it when it stops.
OggStream *oggsmp_start_streaming(const char *filename, int blockSize) {
    if (!filename)
        return NULL;
    PACKFILE *p = pack_fopen(filename, "r");
    if (!p)
        return NULL;
    OggStream *s = oggsmp_start_streaming_callbacks(p, packfile_callbacks, blockSize, NULL);
    if (!s) {
        pack_fclose(p);
        return NULL;
    }
    s->ownedPackfile = p;
    return s;
}

OggStream *oggsmp_start_streaming_datafile(DATAFILE *object, int blockSize) {
    OggMemorySource *source = oggsmpint_datafile_source(object);
    if (!source)
        return NULL;
    int opened;
    OggStream *s = startStreaming(source, datafile_callbacks, blockSize, NULL, &opened);
    if (!opened)
        free(source);  // a failed open does not call the close callback that releases it
    return s;
}

OggStream *oggsmpint_start_streaming_datogg(OggMemorySource *source, int blockSize) {
    if (!source)
        return NULL;
    source->position = 0;
    return oggsmp_start_streaming_callbacks(source, memory_callbacks, blockSize, NULL);
}

int oggsmpint_basic_streamer_update(OggStream *stream, void *) {
    void *buffer = get_audio_stream_buffer(stream->audioStream);
    if (!buffer)
        return 1;
    // never more than the audio stream's buffer holds
    int size = stream->blockSize;
    int room = stream->audioStream->len * 2 * stream->channels;
    int n = oggsmp_read_stream_data(stream, buffer, size < room ? size : room);
    free_audio_stream_buffer(stream->audioStream);
    if (stream->finished)
        return 0;
    if (n == 0)
        stream->finished = 1;
    return 1;
}

int oggsmp_update_streaming(OggStream *s) {
    if (!s)
        return 0;
    return s->update(s, s->source);
}

// Fills buffer with decoded frames in the audio stream's layout.  What the
// source cannot fill is padded: a stereo block with copies of the last decoded
// 16-bit value (an odd last byte is left alone), a mono block byte by byte with
// copies of the last decoded byte; silence (0x8000) when nothing was decoded.
int oggsmp_read_stream_data(OggStream *s, void *buffer, int size) {
    if (!s || !buffer || size <= 0)
        return 0;
    unsigned char *out = (unsigned char *)buffer;
    int frameBytes = 2 * s->channels;
    int maxFrames = size / frameBytes;
    int got = 0;  // frames
    while (got < maxFrames) {
        long n = oggsmpint_pull_frames(s->vorbisFile, &s->pending, out + got * frameBytes,
                                       maxFrames - got, s->channels);
        if (n == 0)
            break;
        if (n < 0) {
            if (got == 0) {
                oggsmp_error_code = (int)n;
                return (int)n;
            }
            break;
        }
        got += (int)n;
    }
    int bytes = got * frameBytes;
    unsigned char pad[2] = {0x00, 0x80};
    if (got > 0 && s->channels > 1) {
        pad[0] = out[bytes - 2];
        pad[1] = out[bytes - 1];
    } else if (got > 0) {
        pad[0] = pad[1] = out[bytes - 1];
    }
    int end = s->channels > 1 ? bytes + (size - bytes) / 2 * 2 : size;
    for (int i = bytes; i < end; i++)
        out[i] = pad[(i - bytes) % 2];
    return bytes;
}

int oggsmp_stop_streaming(OggStream *s) {
    if (!s)
        return 0;
    if (s->audioStream)
        stop_audio_stream(s->audioStream);
    ov_clear(s->vorbisFile);  // calls the source's close callback
    if (s->ownedPackfile)
        pack_fclose(s->ownedPackfile);
    free(s->vorbisFile);
    free(s);
    return 0;
}

AUDIOSTREAM *oggsmp_get_audio_stream(OggStream *s) { return s ? s->audioStream : NULL; }

OggVorbis_File *oggsmp_get_vorbis_file(OggStream *s) { return s ? s->vorbisFile : NULL; }
