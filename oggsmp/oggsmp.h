// oggsmp: Ogg Vorbis <-> Allegro SAMPLE codec.
//
// Whole-file decoding into a 16-bit unsigned SAMPLE (from a file, a packfile,
// memory or a data-file object), streaming into an AUDIOSTREAM, and encoding a
// SAMPLE into Ogg Vorbis.  Every function returns a new object or null (0) on
// failure and leaves libvorbis' last error in `oggsmp_error_code`; nothing is
// ever reported in words.
#ifndef OGGSMP_OGGSMP_H
#define OGGSMP_OGGSMP_H

#include <stdio.h>
#include <allegro.h>
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>
#include <vorbis/vorbisenc.h>
#include <ogg/ogg.h>

#define OGGSMP_VERSION_MAJOR 1
#define OGGSMP_VERSION_MINOR 3
#define OGGSMP_VERSION_PATCH 4
#define OGGSMP_BANNER "oggsmp 1.3.4 Ogg/Vorbis sample codec"

// Data-file object type of an embedded Ogg Vorbis file.
#define DAT_OGG_VORBIS DAT_ID('O', 'G', 'G', 'V')

// Last libvorbis/libvorbisfile error (negative).  Only ever set, never cleared.
extern int oggsmp_error_code;

// Bytes held in memory, read through the memory callbacks.
struct OggMemorySource {
    int length;      // number of bytes
    int position;    // offset of the next byte to read
    const unsigned char *data;
};

// The four callback tables handed to ov_open_callbacks (read, seek, close, tell).
extern const ov_callbacks file_callbacks;      // a C FILE*, left open on close
extern const ov_callbacks packfile_callbacks;  // a PACKFILE*, cannot seek, left open
extern const ov_callbacks memory_callbacks;    // an OggMemorySource, rewound on close
extern const ov_callbacks datafile_callbacks;  // an OggMemorySource released on close

size_t file_read(void *buffer, size_t size, size_t count, void *source);
int file_seek(void *source, ogg_int64_t offset, int whence);
int file_close(void *source);
long file_tell(void *source);
size_t packfile_read(void *buffer, size_t size, size_t count, void *source);
int packfile_seek(void *source, ogg_int64_t offset, int whence);
int packfile_close(void *source);
long packfile_tell(void *source);
size_t memory_read(void *buffer, size_t size, size_t count, void *source);
int memory_seek(void *source, ogg_int64_t offset, int whence);
int memory_close(void *source);
int memory_close_free(void *source);
long memory_tell(void *source);

// ---- whole-file decoding -------------------------------------------------
void oggsmp_init();
void oggsmp_exit();
SAMPLE *oggsmp_load_ogg(const char *filename);
SAMPLE *oggsmp_create_sample(DATAFILE *object);
// A new memory source over a data-file object's bytes (null when it has none).
OggMemorySource *oggsmpint_datafile_source(DATAFILE *object);
int oggsmpint_get_info(OggMemorySource *source, int *channels, int *rate, float *seconds);
SAMPLE *load_ogg_from_file(FILE *f);
SAMPLE *load_ogg_from_packfile(PACKFILE *p);
SAMPLE *load_via_callbacks(void *source, ov_callbacks table);
SAMPLE *load_ov(OggVorbis_File *stream);
long read_ogg_data(OggVorbis_File *stream, char *buffer, int length, int word, int sgned,
                   int *bitstream);

// Decoded PCM waiting to be copied out: one ov_read's worth, in the channel
// layout of the link that produced it.  Lets the callers pull whole frames in
// their own layout (mono or stereo) whatever the stream's links carry.
struct OggPcmPending {
    unsigned char bytes[4096];
    int frames;    // frames held
    int next;      // first frame not yet copied out
    int channels;  // channels of the held frames
};

// Copies up to maxFrames frames of unsigned 16-bit PCM into out, converted to
// outChannels (1 or 2).  Returns the frames written; 0 at the end of the
// stream; a negative libvorbisfile code on a read error, a hole in the data
// included (nothing written).
long oggsmpint_pull_frames(OggVorbis_File *vf, OggPcmPending *pending, unsigned char *out,
                           long maxFrames, int outChannels);

// ---- streaming -----------------------------------------------------------
struct OggStream;
typedef int (*OggStreamUpdate)(OggStream *stream, void *source);

struct OggStream {
    size_t (*read)(void *, size_t, size_t, void *);
    int (*seek)(void *, ogg_int64_t, int);
    int (*close)(void *);
    long (*tell)(void *);
    void *source;
    AUDIOSTREAM *audioStream;
    OggVorbis_File *vorbisFile;
    int blockSize;     // bytes per refill block, a whole number of frames
    int finished;      // 1 once a refill found the source exhausted
    OggStreamUpdate update;
    PACKFILE *ownedPackfile;  // opened by oggsmp_start_streaming, closed at stop
    int channels;             // 1 or 2: layout of the audio stream
    OggPcmPending pending;
};

OggStream *oggsmp_start_streaming(const char *filename, int blockSize);
OggStream *oggsmp_start_streaming_datafile(DATAFILE *object, int blockSize);
OggStream *oggsmpint_start_streaming_datogg(OggMemorySource *source, int blockSize);
OggStream *oggsmp_start_streaming_callbacks(void *source, ov_callbacks table, int blockSize,
                                            OggStreamUpdate update);
int oggsmpint_basic_streamer_update(OggStream *stream, void *source);
int oggsmp_update_streaming(OggStream *s);
int oggsmp_read_stream_data(OggStream *s, void *buffer, int size);
int oggsmp_stop_streaming(OggStream *s);
AUDIOSTREAM *oggsmp_get_audio_stream(OggStream *s);
OggVorbis_File *oggsmp_get_vorbis_file(OggStream *s);

// ---- encoding ------------------------------------------------------------
// Output function: writes count bytes; returns the number written.
typedef long (*OggWriteFunc)(const void *bytes, long count, void *user);

struct OggEncoder {
    OggWriteFunc write;
    void *user;
    int channels;
    int writeFailed;  // a write returned short
    int ended;        // the end-of-stream page has been written
    ogg_stream_state os;
    ogg_page og;
    ogg_packet op;
    vorbis_info vi;
    vorbis_dsp_state vd;
    vorbis_block vb;
    int stage;  // how far start got: what stop must clear
};

OggEncoder *oggsmp_start_encoding(int channels, int rate, float quality, int numComments,
                                  char **comments, OggWriteFunc write, void *user);
int oggsmp_update_encoding(OggEncoder *e, void *data, int frames, int channels, int bits);
int oggsmp_stop_encoding(OggEncoder *e);
int oggsmp_save_ogg_param(const char *filename, SAMPLE *sample, float quality,
                          int numComments, char **comments);
int oggsmp_save_ogg(const char *filename, SAMPLE *sample);

int write_vorbis_headers(OggEncoder *e, int numComments, char **comments);
void encode_buffers(float **buffers, const void *data, int frames, int channels, int bits);
void encode_buffers_8(float **buffers, const unsigned char *data, int frames, int channels);
void encode_buffers_16(float **buffers, const unsigned short *data, int frames, int channels);

#endif
