#include "core/turn.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <stddef.h>
#include <stdint.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TURN_HAS_WIDE 1
#endif

static int processorIsWide()
{
#ifdef TURN_HAS_WIDE
    return __builtin_cpu_supports("avx2");
#else
    return 0;
#endif
}

int turnRowsWide = 1;
static const int wide = processorIsWide();

// The picture being mapped: its first row and the bytes from one row to the next. Set for
// each picture before the mapper calls the row drawer; the rows of every memory bitmap we
// draw lie evenly spaced, which mapTurnedPicture checks.
static const uint8_t *pictureTop;
static ptrdiff_t picturePitch;

static inline int picturePixel(fixed u, fixed v)
{
    return *(const uint16_t *)(pictureTop + (ptrdiff_t)(v >> 16) * picturePitch +
                               (ptrdiff_t)(u >> 16) * 2);
}

// `n` pixels from `u`, `v` stepping by `du`, `dv`, the mask colour left out: the library's
// row, one pixel at a time.
static void turnPixels(uint16_t *out, int n, fixed u, fixed v, fixed du, fixed dv)
{
    for (int i = 0; i < n; i++) {
        const int c = picturePixel(u, v);
        if (c != MASK_COLOR_16)
            out[i] = (uint16_t)c;
        u += du;
        v += dv;
    }
}

#ifdef TURN_HAS_WIDE
// The same row eight pixels at a time. Pixel k of a round sits at u + k du, v + k dv, the
// very sums the one-at-a-time loop reaches (32-bit sums wrap alike either way); the eight
// places are worked out together, the eight pixels read one by one (quicker here than the
// processor's gather) and packed, and the unmasked ones stored together.
__attribute__((target("avx2"))) static void turnPixelsWide(uint16_t *out, int n, fixed u,
                                                           fixed v, fixed du, fixed dv)
{
    const uint8_t *top = pictureTop;
    const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    __m256i us = _mm256_add_epi32(_mm256_set1_epi32(u),
                                  _mm256_mullo_epi32(lane, _mm256_set1_epi32(du)));
    __m256i vs = _mm256_add_epi32(_mm256_set1_epi32(v),
                                  _mm256_mullo_epi32(lane, _mm256_set1_epi32(dv)));
    const __m256i stepU = _mm256_set1_epi32((int)((uint32_t)du * 8u));
    const __m256i stepV = _mm256_set1_epi32((int)((uint32_t)dv * 8u));
    const __m256i pitch = _mm256_set1_epi32((int)picturePitch);
    const __m128i mask = _mm_set1_epi16((short)MASK_COLOR_16);
    int i = 0;
    alignas(32) int off[8];
    for (; i + 8 <= n; i += 8) {
        const __m256i at =
            _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srai_epi32(vs, 16), pitch),
                             _mm256_slli_epi32(_mm256_srai_epi32(us, 16), 1));
        _mm256_store_si256((__m256i *)off, at);
        uint64_t lo = *(const uint16_t *)(top + off[0]);
        lo |= (uint64_t)*(const uint16_t *)(top + off[1]) << 16;
        lo |= (uint64_t)*(const uint16_t *)(top + off[2]) << 32;
        lo |= (uint64_t)*(const uint16_t *)(top + off[3]) << 48;
        uint64_t hi = *(const uint16_t *)(top + off[4]);
        hi |= (uint64_t)*(const uint16_t *)(top + off[5]) << 16;
        hi |= (uint64_t)*(const uint16_t *)(top + off[6]) << 32;
        hi |= (uint64_t)*(const uint16_t *)(top + off[7]) << 48;
        const __m128i packed =
            _mm_insert_epi64(_mm_cvtsi64_si128((long long)lo), (long long)hi, 1);
        const __m128i old = _mm_loadu_si128((const __m128i *)(out + i));
        const __m128i masked = _mm_cmpeq_epi16(packed, mask);
        _mm_storeu_si128((__m128i *)(out + i), _mm_blendv_epi8(packed, old, masked));
        us = _mm256_add_epi32(us, stepU);
        vs = _mm256_add_epi32(vs, stepV);
    }
    if (i < n)
        turnPixels(out + i, n - i, _mm256_extract_epi32(us, 0), _mm256_extract_epi32(vs, 0),
                   du, dv);
}
#endif

// The mapper's row callback: pixels l_bmp_x >> 16 to r_bmp_x >> 16 of row bmp_y.
static void turnRow16(BITMAP *bmp, BITMAP *, fixed l_bmp_x, int bmp_y, fixed r_bmp_x,
                      fixed l_spr_x, fixed l_spr_y, fixed spr_dx, fixed spr_dy)
{
    const int left = l_bmp_x >> 16, right = r_bmp_x >> 16;
    uint16_t *out = (uint16_t *)bmp->line[bmp_y] + left;
    const int n = right - left + 1;
#ifdef TURN_HAS_WIDE
    if (turnRowsWide && wide && n >= 8) {
        turnPixelsWide(out, n, l_spr_x, l_spr_y, spr_dx, spr_dy);
        return;
    }
#endif
    turnPixels(out, n, l_spr_x, l_spr_y, spr_dx, spr_dy);
}

// 1 when row i of `b` starts i pitches after row 0.
static int rowsEvenlySpaced(const BITMAP *b)
{
    const ptrdiff_t pitch = b->h > 1 ? b->line[1] - b->line[0] : 0;
    for (int y = 2; y < b->h; y++)
        if (b->line[y] - b->line[y - 1] != pitch)
            return 0;
    return 1;
}

void mapTurnedPicture(BITMAP *dest, BITMAP *pic, int xs[4], int ys[4])
{
    const int ours = dest != pic && is_memory_bitmap(dest) && is_memory_bitmap(pic) &&
                     bitmap_color_depth(dest) == 16 && bitmap_color_depth(pic) == 16 &&
                     rowsEvenlySpaced(pic);
    if (!ours) {
        _parallelogram_map_standard(dest, pic, xs, ys);
        return;
    }
    pictureTop = pic->line[0];
    picturePitch = pic->h > 1 ? pic->line[1] - pic->line[0] : 0;
    _parallelogram_map(dest, pic, xs, ys, turnRow16, FALSE);
}
