#include "core/turn.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <math.h>
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

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

// Pictures turned often (the explosions', the gore's) keep, for each angle and each row the
// mapper draws, how many masked pixels begin and end the row: a turned explosion's rows
// start and end in the masked pixels around its cloud, nearly two pixels in five of all it
// reads. The rows of
// an angle are kept from its first draw that the clipping rectangle does not cut: each row
// is scanned then. Where the clipping rectangle cuts a later draw, the mapper draws it, and
// a row that has the very picture position, steps and length of a kept one skips its masked
// ends (any other is drawn whole). Where it does not cut it, the mapper is not needed: it
// would draw every row as it did the first time, moved by the same whole pixels (its rows,
// their first pixels and picture positions are worked out from the corners alone, and the
// corners of one angle differ only by the place), so the kept rows are drawn straight.
struct KeptRow {
    fixed u, v;          // the picture position of the row's first pixel
    int16_t n;           // pixels in the row; 0 for a row the mapper does not draw
    int16_t front, back; // masked pixels at its start and at its end
    int16_t left;        // its first pixel, from the first corner's whole pixels
};

struct KeptAngle {
    fixed du, dv;        // the steps of the angle's rows
    fixed corner[8];     // the corners, less the first corner's whole pixels
    int complete;        // 1 once the rows are kept
};

struct KeptPicture {
    BITMAP *pic;
    int evenlySpaced;    // rowsEvenlySpaced, worked out once
    int rows;            // rows kept per angle: as many as the picture can cover turned
    KeptAngle angle[256];
    KeptRow *row;        // rows * 256 entries, angle after angle
};

enum { KEPT_PICTURES = 32 };
static KeptPicture kept[KEPT_PICTURES];

// While the mapper draws a kept picture: its rows at the angle, the row they count from, the
// first corner's whole pixels across, the angle, and while the rows are being kept 1 before
// the first row and 2 after it (0 otherwise).
static KeptRow *keptRows;
static int keptCount, keptTop, keptLeft, keptWriting;
static KeptAngle *keptAngle;

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

static void drawKeptRow(uint16_t *out, const KeptRow *r, fixed du, fixed dv)
{
    const int front = r->front, count = r->n - r->front - r->back;
    if (count > 0)
        drawRow(out + front, count, (fixed)((uint32_t)r->u + (uint32_t)front * (uint32_t)du),
                (fixed)((uint32_t)r->v + (uint32_t)front * (uint32_t)dv), du, dv);
}

// The mapper's row callback: pixels l_bmp_x >> 16 to r_bmp_x >> 16 of row bmp_y.
static void turnRow16(BITMAP *bmp, BITMAP *, fixed l_bmp_x, int bmp_y, fixed r_bmp_x,
                      fixed l_spr_x, fixed l_spr_y, fixed spr_dx, fixed spr_dy)
{
    const int left = l_bmp_x >> 16, right = r_bmp_x >> 16;
    uint16_t *out = (uint16_t *)bmp->line[bmp_y] + left;
    const int n = right - left + 1;
    if (!keptRows) {   // a picture that keeps no rows, or an angle not kept yet nor now
        drawRow(out, n, l_spr_x, l_spr_y, spr_dx, spr_dy);
        return;
    }
    const int at = bmp_y - keptTop;
    const int fits = at >= 0 && at < keptCount && n > 0 && n <= INT16_MAX &&
                     left - keptLeft >= INT16_MIN && left - keptLeft <= INT16_MAX;
    if (keptWriting) {
        if (keptWriting == 1) {
            keptAngle->du = spr_dx;
            keptAngle->dv = spr_dy;
            keptWriting = 2;
        }
        if (fits && keptAngle->du == spr_dx && keptAngle->dv == spr_dy) {
            scanRow(&keptRows[at], n, l_spr_x, l_spr_y, spr_dx, spr_dy);
            keptRows[at].left = (int16_t)(left - keptLeft);
        } else {
            keptWriting = 0;   // a row that cannot be kept: the angle stays unkept
        }
    }
    if (fits) {
        const KeptRow *r = &keptRows[at];
        if (r->n == n && r->u == l_spr_x && r->v == l_spr_y && keptAngle->du == spr_dx &&
            keptAngle->dv == spr_dy) {
            drawKeptRow(out, r, spr_dx, spr_dy);
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

// The kept picture of `pic`, or NULL. Found through a small table by the picture's address
// (every turned picture is looked for, many a frame); each kept picture sits in the first
// free place from its own.
enum { KEPT_PLACES = 128 };
static KeptPicture *keptPlaces[KEPT_PLACES];

static unsigned keptPlace(const BITMAP *pic)
{
    return (unsigned)(((uintptr_t)pic >> 4) * 2654435761u) % KEPT_PLACES;
}

static KeptPicture *keptPicture(BITMAP *pic)
{
    for (unsigned i = keptPlace(pic), n = 0; n < KEPT_PLACES && keptPlaces[i];
         i = (i + 1) % KEPT_PLACES, n++)
        if (keptPlaces[i]->pic == pic)
            return keptPlaces[i];
    return NULL;
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
        unsigned i = keptPlace(pic);
        while (keptPlaces[i])
            i = (i + 1) % KEPT_PLACES;
        keptPlaces[i] = &k;
        k.evenlySpaced = rowsEvenlySpaced(pic);
        k.rows = rows;
        k.row = row;
        for (KeptAngle &a : k.angle)
            a = KeptAngle();
        return;
    }
}

void forgetTurnedPictures()
{
    for (KeptPicture *&place : keptPlaces)
        place = NULL;
    for (KeptPicture &k : kept) {
        free(k.row);
        k.row = NULL;
        k.pic = NULL;
    }
}

// 1 when the parallelogram, and a pixel around it, lies inside the rectangle the mapper
// clips to.
static int insideClip(const BITMAP *dest, const int xs[4], const int ys[4])
{
    int x0 = xs[0], x1 = xs[0], y0 = ys[0], y1 = ys[0];
    for (int i = 1; i < 4; i++) {
        x0 = xs[i] < x0 ? xs[i] : x0;
        x1 = xs[i] > x1 ? xs[i] : x1;
        y0 = ys[i] < y0 ? ys[i] : y0;
        y1 = ys[i] > y1 ? ys[i] : y1;
    }
    const int cl = dest->clip ? dest->cl : 0, cr = dest->clip ? dest->cr : dest->w;
    const int ct = dest->clip ? dest->ct : 0, cb = dest->clip ? dest->cb : dest->h;
    return (x0 >> 16) - 1 >= cl && (x1 >> 16) + 1 < cr && (y0 >> 16) - 1 >= ct &&
           (y1 >> 16) + 1 < cb;
}

void mapTurnedPicture(BITMAP *dest, BITMAP *pic, int xs[4], int ys[4], int angle)
{
    KeptPicture *k = angle >= 0 && angle < 256 ? keptPicture(pic) : NULL;
    const int ours = dest != pic && is_memory_bitmap(dest) && is_memory_bitmap(pic) &&
                     bitmap_color_depth(dest) == 16 && bitmap_color_depth(pic) == 16 &&
                     (k ? k->evenlySpaced : rowsEvenlySpaced(pic));
    if (!ours) {
        _parallelogram_map_standard(dest, pic, xs, ys);
        return;
    }
    pictureTop = pic->line[0];
    picturePitch = pic->h > 1 ? pic->line[1] - pic->line[0] : 0;
    pictureShort = picturePitch >= 0 && picturePitch < 32768 && pic->h < 32768 && pic->w < 16384;
    if (!k) {
        _parallelogram_map(dest, pic, xs, ys, turnRow16, FALSE);
        return;
    }
    KeptAngle *a = &k->angle[angle];
    KeptRow *rows = k->row + (size_t)angle * k->rows;
    const int left = xs[0] >> 16, up = ys[0] >> 16;
    fixed corner[8];
    int top = ys[0];
    for (int i = 0; i < 4; i++) {
        corner[i] = xs[i] - left * 0x10000;
        corner[4 + i] = ys[i] - up * 0x10000;
        top = ys[i] < top ? ys[i] : top;
    }
    const int inside = insideClip(dest, xs, ys);
    const int same = a->complete && memcmp(corner, a->corner, sizeof corner) == 0;
    if (inside && same) {
        for (int at = 0; at < k->rows; at++)
            if (rows[at].n > 0)
                drawKeptRow((uint16_t *)dest->line[(top >> 16) + at] + left + rows[at].left,
                            &rows[at], a->du, a->dv);
        return;
    }
    keptWriting = inside && !a->complete;
    if (keptWriting) {
        memset(rows, 0, (size_t)k->rows * sizeof *rows);
        memcpy(a->corner, corner, sizeof corner);
    }
    keptRows = a->complete || keptWriting ? rows : NULL;
    keptCount = k->rows;
    keptTop = top >> 16;
    keptLeft = left;
    keptAngle = a;
    _parallelogram_map(dest, pic, xs, ys, turnRow16, FALSE);
    if (keptWriting)
        a->complete = 1;
    keptRows = NULL;
    keptWriting = 0;
}
