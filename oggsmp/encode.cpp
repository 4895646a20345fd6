// Encoding a SAMPLE into Ogg Vorbis with libvorbis' VBR encoder.
#include "oggsmp/oggsmp.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// How far oggsmp_start_encoding got, so that a failed start and the stop
// clear exactly what was initialised.
enum { ENC_NONE, ENC_INFO, ENC_DSP, ENC_BLOCK, ENC_STREAM };

static void clear_encoder(OggEncoder *e) {
    if (e->stage >= ENC_STREAM) ogg_stream_clear(&e->os);
    if (e->stage >= ENC_BLOCK) vorbis_block_clear(&e->vb);
    if (e->stage >= ENC_DSP) vorbis_dsp_clear(&e->vd);
    if (e->stage >= ENC_INFO) vorbis_info_clear(&e->vi);
    free(e);
}

static void write_bytes(OggEncoder *e, const void *bytes, long count) {
    if (!e->write || count <= 0)
        return;
    if (e->write(bytes, count, e->user) != count)
        e->writeFailed = 1;
}

static void write_page(OggEncoder *e) {
    write_bytes(e, e->og.header, e->og.header_len);
    write_bytes(e, e->og.body, e->og.body_len);
}

int write_vorbis_headers(OggEncoder *e, int numComments, char **comments) {
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    char version[8];
    snprintf(version, sizeof version, "%d.%d.%d", OGGSMP_VERSION_MAJOR, OGGSMP_VERSION_MINOR,
             OGGSMP_VERSION_PATCH);
    version[7] = 0;
    vorbis_comment_add_tag(&vc, "ENCODER", OGGSMP_BANNER);
    vorbis_comment_add_tag(&vc, "OGGSMP VERSION", version);
    for (int i = 0; comments && i < numComments; i++)
        if (comments[i])
            vorbis_comment_add(&vc, comments[i]);

    ogg_packet header, headerComments, headerCode;
    int r = vorbis_analysis_headerout(&e->vd, &vc, &header, &headerComments, &headerCode);
    vorbis_comment_clear(&vc);
    if (r < 0) {
        oggsmp_error_code = r;
        return 0;
    }
    ogg_stream_packetin(&e->os, &header);
    ogg_stream_packetin(&e->os, &headerComments);
    ogg_stream_packetin(&e->os, &headerCode);
    // the audio starts on a fresh page
    while (ogg_stream_flush(&e->os, &e->og) != 0)
        write_page(e);
    return e->writeFailed ? 0 : 1;
}

OggEncoder *oggsmp_start_encoding(int channels, int rate, float quality, int numComments,
                                  char **comments, OggWriteFunc write, void *user) {
    OggEncoder *e = (OggEncoder *)calloc(1, sizeof(OggEncoder));
    if (!e)
        return NULL;
    e->write = write;
    e->user = user;
    e->channels = channels;

    vorbis_info_init(&e->vi);
    e->stage = ENC_INFO;
    int r = vorbis_encode_init_vbr(&e->vi, channels, rate, quality);
    if (r >= 0) {
        r = vorbis_analysis_init(&e->vd, &e->vi);
        if (r >= 0) e->stage = ENC_DSP;
    }
    if (r >= 0) {
        r = vorbis_block_init(&e->vd, &e->vb);
        if (r >= 0) e->stage = ENC_BLOCK;
    }
    if (r >= 0) {
        r = ogg_stream_init(&e->os, rand());
        if (r >= 0) e->stage = ENC_STREAM;
    }
    if (r < 0) {
        oggsmp_error_code = r;
        clear_encoder(e);
        return NULL;
    }
    if (!write_vorbis_headers(e, numComments, comments)) {
        clear_encoder(e);
        return NULL;
    }
    return e;
}

void encode_buffers_8(float **buffers, const unsigned char *data, int frames, int channels) {
    for (int f = 0; f < frames; f++)
        for (int c = 0; c < channels; c++)
            buffers[c][f] = (float)((int)data[f * channels + c] - 128) * 0.0078125f;
}

void encode_buffers_16(float **buffers, const unsigned short *data, int frames, int channels) {
    for (int f = 0; f < frames; f++)
        for (int c = 0; c < channels; c++)
            buffers[c][f] = (float)((int)data[f * channels + c] - 32768) * 0.000030517578125f;
}

void encode_buffers(float **buffers, const void *data, int frames, int channels, int bits) {
    if (bits == 8)
        encode_buffers_8(buffers, (const unsigned char *)data, frames, channels);
    else
        encode_buffers_16(buffers, (const unsigned short *)data, frames, channels);
}

// Moves every finished block through the encoder and writes the pages.
static int drain_blocks(OggEncoder *e) {
    int r;
    while ((r = vorbis_analysis_blockout(&e->vd, &e->vb)) == 1) {
        if ((r = vorbis_analysis(&e->vb, NULL)) < 0 || (r = vorbis_bitrate_addblock(&e->vb)) < 0)
            break;
        while ((r = vorbis_bitrate_flushpacket(&e->vd, &e->op)) == 1) {
            ogg_stream_packetin(&e->os, &e->op);
            while (!e->ended && ogg_stream_pageout(&e->os, &e->og) != 0) {
                write_page(e);
                if (ogg_page_eos(&e->og))
                    e->ended = 1;
            }
        }
        if (r < 0)
            break;
    }
    if (r < 0) {
        oggsmp_error_code = r;
        return 0;
    }
    return 1;
}

// Encodes the frames and closes the stream: one call takes a whole sample.
int oggsmp_update_encoding(OggEncoder *e, void *data, int frames, int channels, int bits) {
    if (!e || e->ended || channels != e->channels || frames < 0 || (bits != 8 && bits != 16) ||
        (frames > 0 && !data))
        return 0;
    const int chunk = 4096;
    int bytesPerFrame = channels * (bits / 8);
    for (int done = 0; done < frames; done += chunk) {
        int n = frames - done < chunk ? frames - done : chunk;
        float **buffers = vorbis_analysis_buffer(&e->vd, n);
        encode_buffers(buffers, (const unsigned char *)data + (size_t)done * bytesPerFrame, n,
                       channels, bits);
        int r = vorbis_analysis_wrote(&e->vd, n);
        if (r < 0) {
            oggsmp_error_code = r;
            return 0;
        }
        if (!drain_blocks(e))
            return 0;
    }
    int r = vorbis_analysis_wrote(&e->vd, 0);
    if (r < 0) {
        oggsmp_error_code = r;
        return 0;
    }
    if (!drain_blocks(e))
        return 0;
    // the end of stream may still sit in a partly filled page
    while (!e->ended && ogg_stream_flush(&e->os, &e->og) != 0) {
        write_page(e);
        if (ogg_page_eos(&e->og))
            e->ended = 1;
    }
    e->ended = 1;
    return e->writeFailed ? 0 : 1;
}

int oggsmp_stop_encoding(OggEncoder *e) {
    if (e)
        clear_encoder(e);
    return 1;
}

static long packfile_write(const void *bytes, long count, void *user) {
    return pack_fwrite(bytes, count, (PACKFILE *)user);
}

int oggsmp_save_ogg_param(const char *filename, SAMPLE *sample, float quality,
                          int numComments, char **comments) {
    if (!filename || !sample || !sample->data)
        return 0;
    PACKFILE *p = pack_fopen(filename, "w");
    if (!p)
        return 0;
    int channels = sample->stereo ? 2 : 1;
    int ok = 0;
    OggEncoder *e = oggsmp_start_encoding(channels, sample->freq, quality, numComments, comments,
                                          packfile_write, p);
    if (e) {
        ok = !pack_ferror(p);
        ok = oggsmp_update_encoding(e, sample->data, (int)sample->len, channels, sample->bits) &&
             ok;
        ok = oggsmp_stop_encoding(e) && ok;
        ok = ok && !pack_ferror(p);
    }
    if (pack_fclose(p) != 0)
        ok = 0;
    return ok;
}

int oggsmp_save_ogg(const char *filename, SAMPLE *sample) {
    return oggsmp_save_ogg_param(filename, sample, 0.5f, 0, NULL);
}
