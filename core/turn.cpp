#include "core/turn.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <math.h>
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

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
// 1 when every row number and column of the picture, and its pitch in bytes, fit in 15
// bits, as the eight-at-a-time rows need.
static int pictureShort;

// Pictures turned often (the explosions) keep, for each angle and each row the mapper draws,
// how many masked pixels begin and end the row: a turned explosion's rows start and end in
// the masked pixels around its cloud, nearly two pixels in five of all it reads. A row is
// scanned for them the first time it is drawn at that angle; later draws of the same row
// skip them. The entry also keeps what the row was drawn from (its first picture position,
// its steps and its length): a row the clipping rectangle cuts differently, or any other
// difference, does not match and is drawn whole, so a skipped pixel is always one that was
// seen masked.
struct KeptRow {
    fixed u, v;          // the picture position of the row's first pixel
    int16_t n;           // pixels in the row; 0 while the row is not yet scanned
    int16_t front, back; // masked pixels at its start and at its end
};

struct KeptPicture {
    BITMAP *pic;
    int rows;            // rows kept per angle: as many as the picture can cover turned
    fixed du[256], dv[256]; // each angle's steps, as its first row was drawn
    uint8_t stepsKnown[256];
    KeptRow *row;        // rows * 256 entries, angle after angle
};

enum { KEPT_PICTURES = 16 };
static KeptPicture kept[KEPT_PICTURES];

// The kept rows of the picture being drawn at its angle, the first row they count from,
// and the angle's steps.
static KeptRow *keptRows;
static int keptCount, keptTop;
static fixed *keptDu, *keptDv;
static uint8_t *keptStepsKnown;

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
// places are worked out together (row and column packed as two 16-bit halves, turned into a
// byte offset by one multiply-add, which is why the picture must be short: see pictureShort),
// the eight pixels read one by one into their lanes (quicker here than the processor's
// gather), and the unmasked ones stored together.
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
    // Low half: the column, times two bytes; high half: the row, times the pitch.
    const __m256i weights = _mm256_set1_epi32((int)(((uint32_t)picturePitch << 16) | 2u));
    const __m256i rowHalf = _mm256_set1_epi32((int)0xffff0000u);
    const __m128i mask = _mm_set1_epi16((short)MASK_COLOR_16);
    int i = 0;
    alignas(32) uint32_t off[8];
    for (; i + 8 <= n; i += 8) {
        const __m256i pairs =
            _mm256_or_si256(_mm256_and_si256(vs, rowHalf), _mm256_srli_epi32(us, 16));
        _mm256_store_si256((__m256i *)off, _mm256_madd_epi16(pairs, weights));
        __m128i lo = _mm_cvtsi32_si128(*(const uint16_t *)(top + off[0]));
        __m128i hi = _mm_cvtsi32_si128(*(const uint16_t *)(top + off[4]));
        lo = _mm_insert_epi16(lo, *(const uint16_t *)(top + off[1]), 1);
        hi = _mm_insert_epi16(hi, *(const uint16_t *)(top + off[5]), 1);
        lo = _mm_insert_epi16(lo, *(const uint16_t *)(top + off[2]), 2);
        hi = _mm_insert_epi16(hi, *(const uint16_t *)(top + off[6]), 2);
        lo = _mm_insert_epi16(lo, *(const uint16_t *)(top + off[3]), 3);
        hi = _mm_insert_epi16(hi, *(const uint16_t *)(top + off[7]), 3);
        const __m128i packed = _mm_unpacklo_epi64(lo, hi);
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

// Pixel k of a row from (u, v) stepping (du, dv): the sums the row drawers reach by adding.
static inline int rowPixel(fixed u, fixed v, fixed du, fixed dv, int k)
{
    return picturePixel((fixed)((uint32_t)u + (uint32_t)k * (uint32_t)du),
                        (fixed)((uint32_t)v + (uint32_t)k * (uint32_t)dv));
}

static void scanRow(KeptRow *r, int n, fixed u, fixed v, fixed du, fixed dv)
{
    int front = 0, back = 0;
    while (front < n && rowPixel(u, v, du, dv, front) == MASK_COLOR_16)
        front++;
    while (back < n - front && rowPixel(u, v, du, dv, n - 1 - back) == MASK_COLOR_16)
        back++;
    r->u = u;
    r->v = v;
    r->n = (int16_t)n;
    r->front = (int16_t)front;
    r->back = (int16_t)back;
}

static void drawRow(uint16_t *out, int n, fixed u, fixed v, fixed du, fixed dv)
{
#ifdef TURN_HAS_WIDE
    if (turnRowsWide && wide && pictureShort && n >= 8) {
        turnPixelsWide(out, n, u, v, du, dv);
        return;
    }
#endif
    turnPixels(out, n, u, v, du, dv);
}

// The mapper's row callback: pixels l_bmp_x >> 16 to r_bmp_x >> 16 of row bmp_y.
static void turnRow16(BITMAP *bmp, BITMAP *, fixed l_bmp_x, int bmp_y, fixed r_bmp_x,
                      fixed l_spr_x, fixed l_spr_y, fixed spr_dx, fixed spr_dy)
{
    const int left = l_bmp_x >> 16, right = r_bmp_x >> 16;
    uint16_t *out = (uint16_t *)bmp->line[bmp_y] + left;
    const int n = right - left + 1;
    const int at = bmp_y - keptTop;
    if (keptRows && !*keptStepsKnown) {
        *keptDu = spr_dx;
        *keptDv = spr_dy;
        *keptStepsKnown = 1;
    }
    if (keptRows && at >= 0 && at < keptCount && n > 0 && n <= INT16_MAX &&
        *keptDu == spr_dx && *keptDv == spr_dy) {
        KeptRow *r = &keptRows[at];
        if (r->n == 0)
            scanRow(r, n, l_spr_x, l_spr_y, spr_dx, spr_dy);
        if (r->n == n && r->u == l_spr_x && r->v == l_spr_y) {
            const int front = r->front, count = n - r->front - r->back;
            if (count > 0)
                drawRow(out + front, count,
                        (fixed)((uint32_t)l_spr_x + (uint32_t)front * (uint32_t)spr_dx),
                        (fixed)((uint32_t)l_spr_y + (uint32_t)front * (uint32_t)spr_dy), spr_dx,
                        spr_dy);
            return;
        }
    }
    drawRow(out, n, l_spr_x, l_spr_y, spr_dx, spr_dy);
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

void prepareTurnedPicture(BITMAP *pic)
{
    if (!pic || bitmap_color_depth(pic) != 16)
        return;
    for (KeptPicture &k : kept) {
        if (k.pic == pic)
            return;
        if (k.pic)
            continue;
        // Turned, the picture covers no more rows than its diagonal is long, and a few for
        // the rounding of its corners.
        const int rows = (int)sqrt((double)pic->w * pic->w + (double)pic->h * pic->h) + 4;
        KeptRow *row = (KeptRow *)calloc((size_t)rows * 256, sizeof(KeptRow));
        if (!row)
            return;
        k.pic = pic;
        k.rows = rows;
        k.row = row;
        for (int a = 0; a < 256; a++) {
            k.du[a] = k.dv[a] = 0;
            k.stepsKnown[a] = 0;
        }
        return;
    }
}

void forgetTurnedPictures()
{
    for (KeptPicture &k : kept) {
        free(k.row);
        k.row = NULL;
        k.pic = NULL;
    }
}

static KeptPicture *keptPicture(BITMAP *pic)
{
    for (KeptPicture &k : kept)
        if (k.pic == pic)
            return &k;
    return NULL;
}

void mapTurnedPicture(BITMAP *dest, BITMAP *pic, int xs[4], int ys[4], int angle)
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
    pictureShort = picturePitch >= 0 && picturePitch < 32768 && pic->h < 32768 && pic->w < 16384;
    KeptPicture *k = angle >= 0 && angle < 256 ? keptPicture(pic) : NULL;
    if (k) {
        // The steps of an angle are the same at every place, and so is each row's picture
        // position: rows are kept by their place below the picture's top corner.
        int top = ys[0];
        for (int i = 1; i < 4; i++)
            top = ys[i] < top ? ys[i] : top;
        keptTop = top >> 16;
        keptCount = k->rows;
        keptRows = k->row + (size_t)angle * k->rows;
        keptDu = &k->du[angle];
        keptDv = &k->dv[angle];
        keptStepsKnown = &k->stepsKnown[angle];
    }
    _parallelogram_map(dest, pic, xs, ys, turnRow16, FALSE);
    keptRows = NULL;
}
