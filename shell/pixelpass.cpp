#include "shell/pixelpass.h"

#include <allegro.h>
#include <string.h>

#include "shell/startup.h"

// Channel value c of width `mask` lowered by the closed form.
static int closedForm(const PixelPass *p, int ch, int c)
{
    if (c <= p->keep[ch])
        return c;
    const int step = c < p->far[ch] ? p->nearStep[ch] : p->farStep[ch];
    return c < step ? 0 : c - step;
}

// Fits the closed form to one channel's map m[0..mask].
static void fitChannel(PixelPass *p, int ch, const int *m)
{
    const int top = p->mask[ch];
    int keep = -1;
    while (keep < top && m[keep + 1] == keep + 1)
        keep++;
    p->keep[ch] = keep;
    p->nearStep[ch] = p->farStep[ch] = 0;
    p->far[ch] = top + 1;
    if (keep >= top)
        return;
    // The step of the lowest value not driven to 0, and of the highest.
    int near = keep + 1;
    while (near < top && m[near] == 0)
        near++;
    p->nearStep[ch] = near - m[near];
    p->farStep[ch] = top - m[top];
    int far = near;
    while (far <= top && far - m[far] != p->farStep[ch])
        far++;
    p->far[ch] = far;
}

void buildPixelPass(PixelPass *pass, ChannelRule rule)
{
    for (int v = 0; v < 65536; v++)
        pass->table[v] = makecol16(rule(0, getr16(v)), rule(1, getg16(v)), rule(2, getb16(v)));

    // The closed form needs a 5-6-5 layout, green in the middle, red and blue at either end.
    const int shifts[3] = {_rgb_r_shift_16, _rgb_g_shift_16, _rgb_b_shift_16};
    static const int masks[3] = {31, 63, 31};
    pass->vectorised = shifts[1] == 5 && shifts[0] + shifts[2] == 11 &&
                       (shifts[0] == 0 || shifts[0] == 11) &&
                       makecol16(255, 0, 0) == 31 << shifts[0] &&
                       makecol16(0, 255, 0) == 63 << shifts[1] &&
                       makecol16(0, 0, 255) == 31 << shifts[2];
    for (int ch = 0; ch < 3 && pass->vectorised; ch++) {
        pass->shift[ch] = shifts[ch];
        pass->mask[ch] = masks[ch];
        int m[64];
        for (int c = 0; c <= masks[ch]; c++)
            m[c] = (pass->table[c << shifts[ch]] >> shifts[ch]) & masks[ch];
        fitChannel(pass, ch, m);
    }
    for (int v = 0; v < 65536 && pass->vectorised; v++) {
        int packed = 0;
        for (int ch = 0; ch < 3; ch++)
            packed |= closedForm(pass, ch, (v >> pass->shift[ch]) & pass->mask[ch])
                      << pass->shift[ch];
        if (packed != pass->table[v])
            pass->vectorised = 0;
    }
    pass->built = 1;
}

#ifdef __SSE2__
#include <emmintrin.h>

// The closed form of one channel, eight pixels at a time (channel values are below 64, so
// signed 16-bit compares serve).
struct ChannelLanes {
    int shift;
    int kind;   // 0 unchanged, 1 one step above `keep`, 2 a near and a far step
    __m128i mask, keep, far, nearStep, farStep;
};

template <int Kind>
static inline __m128i lowerChannel(__m128i v, const ChannelLanes &k, int shift)
{
    const __m128i c = _mm_and_si128(_mm_srli_epi16(v, shift), k.mask);
    if (Kind == 0)
        return _mm_slli_epi16(c, shift);
    __m128i step = k.farStep;
    if (Kind == 2) {
        const __m128i isNear = _mm_cmpgt_epi16(k.far, c);
        step = _mm_or_si128(_mm_and_si128(isNear, k.nearStep),
                            _mm_andnot_si128(isNear, k.farStep));
    }
    step = _mm_and_si128(step, _mm_cmpgt_epi16(c, k.keep));
    return _mm_slli_epi16(_mm_subs_epu16(c, step), shift);
}

// One row; 1 when a pixel changed.
template <int R, int G, int B>
static int runRow(const ChannelLanes *lanes, uint16_t *row)
{
    const ChannelLanes r = lanes[0], g = lanes[1], b = lanes[2];
    __m128i changed = _mm_setzero_si128();
    for (int x = 0; x < PLAYFIELD_W; x += 8) {
        const __m128i v = _mm_loadu_si128((const __m128i *)(row + x));
        const __m128i out = _mm_or_si128(
            _mm_or_si128(lowerChannel<R>(v, r, 11), lowerChannel<G>(v, g, 5)),
            lowerChannel<B>(v, b, 0));
        changed = _mm_or_si128(changed, _mm_xor_si128(out, v));
        _mm_storeu_si128((__m128i *)(row + x), out);
    }
    return _mm_movemask_epi8(_mm_cmpeq_epi16(changed, _mm_setzero_si128())) != 0xFFFF;
}

typedef int (*RowRunner)(const ChannelLanes *, uint16_t *);

template <int R, int G>
static RowRunner runnerFor(int b)
{
    return b == 0 ? runRow<R, G, 0> : b == 1 ? runRow<R, G, 1> : runRow<R, G, 2>;
}

template <int R>
static RowRunner runnerFor(int g, int b)
{
    return g == 0 ? runnerFor<R, 0>(b) : g == 1 ? runnerFor<R, 1>(b) : runnerFor<R, 2>(b);
}

static RowRunner runnerFor(int r, int g, int b)
{
    return r == 0 ? runnerFor<0>(g, b) : r == 1 ? runnerFor<1>(g, b) : runnerFor<2>(g, b);
}
#endif

static int runTableRow(const PixelPass *pass, uint16_t *row)
{
    int changed = 0;
    for (int x = 0; x < PLAYFIELD_W; x++) {
        changed |= row[x] ^ pass->table[row[x]];
        row[x] = pass->table[row[x]];
    }
    return changed != 0;
}

void runPixelPass(const PixelPass *pass, BITMAP *bmp, const uint8_t *skipRow,
                  uint8_t *rowChanged)
{
#ifdef __SSE2__
    ChannelLanes ch[3];
    for (int i = 0; i < 3; i++) {
        ch[i].shift = pass->shift[i];
        ch[i].kind = pass->keep[i] >= pass->mask[i]          ? 0
                     : pass->far[i] <= pass->keep[i] + 1 ||
                               pass->nearStep[i] == pass->farStep[i]
                         ? 1
                         : 2;
        ch[i].mask = _mm_set1_epi16((short)pass->mask[i]);
        // 0 is never lowered, so `keep` is at least 0.
        ch[i].keep = _mm_set1_epi16((short)pass->keep[i]);
        ch[i].far = _mm_set1_epi16((short)pass->far[i]);
        ch[i].nearStep = _mm_set1_epi16((short)pass->nearStep[i]);
        ch[i].farStep = _mm_set1_epi16((short)pass->farStep[i]);
    }
    // The lanes in the order of their place in the pixel: bits 11-15, 5-10, 0-4.
    ChannelLanes placed[3];
    for (int i = 0; i < 3; i++)
        placed[ch[i].shift == 11 ? 0 : ch[i].shift == 5 ? 1 : 2] = ch[i];
    const RowRunner runner = runnerFor(placed[0].kind, placed[1].kind, placed[2].kind);
    const int vectorised = pass->vectorised;
#else
    const int vectorised = 0;
#endif
    for (int y = 0; y < PLAYFIELD_H; y++) {
        if (skipRow && skipRow[y])
            continue;
        uint16_t *row = (uint16_t *)bmp->line[y];
#ifdef __SSE2__
        const int changed = vectorised ? runner(placed, row) : runTableRow(pass, row);
#else
        const int changed = runTableRow(pass, row);
#endif
        if (rowChanged)
            rowChanged[y] = (uint8_t)changed;
    }
}
