#include "core/pixelpass.h"

#include <allegro.h>
#include <string.h>

#include "core/world.h"

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
    pass->layout565 = shifts[1] == 5 && shifts[0] + shifts[2] == 11 &&
                      (shifts[0] == 0 || shifts[0] == 11) &&
                      makecol16(255, 0, 0) == 31 << shifts[0] &&
                      makecol16(0, 255, 0) == 63 << shifts[1] &&
                      makecol16(0, 0, 255) == 31 << shifts[2];
    // Each channel's result depends on that channel alone, so its bits of the table at the
    // pixel holding only that channel are its result for every pixel.
    static const int places[3][2] = {{11, 31}, {5, 63}, {0, 31}};
    for (int i = 0; i < 3 && pass->layout565; i++)
        for (int c = 0; c < 64; c++) {
            const int shift = places[i][0], mask = places[i][1];
            pass->placed[i][c] = (uint16_t)(pass->table[(c & mask) << shift] & (mask << shift));
        }
    pass->vectorised = pass->layout565;
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

// The closed form of one channel over 16 pixels at a time, in the compiler's generic
// vectors: built once for the processor's widest lanes (AVX2) and once for any x86-64,
// the right one picked when the program loads. Channel values are below 64, so signed
// 16-bit lanes serve; the shift of the red channel drags its top bit down, which the
// channel mask then drops.
typedef int16_t Lanes __attribute__((vector_size(32)));
enum { LANES = 16 };

struct ChannelLanes {
    int shift;
    Lanes mask, keep, far, nearStep, farStep;
};

// The lanes go in and out through pointers and the step is always inlined, so they never
// pass by value between functions built for different processors (whose ways of passing
// them differ, and which one compiler refuses outright).
static inline __attribute__((always_inline)) void lowerChannel(const Lanes *v,
                                                               const ChannelLanes *k, Lanes *out)
{
    const Lanes c = (*v >> k->shift) & k->mask;
    Lanes step = c < k->far ? k->nearStep : k->farStep;
    step = c > k->keep ? step : Lanes{};
    *out = (c >= step ? c - step : Lanes{}) << k->shift;
}

// One row; 1 when a pixel changed.
__attribute__((target_clones("avx2", "default"))) static int runClosedRow(
    const ChannelLanes *lanes, uint16_t *row)
{
    const ChannelLanes r = lanes[0], g = lanes[1], b = lanes[2];
    Lanes changed{};
    for (int x = 0; x < PLAYFIELD_W; x += LANES) {
        Lanes v;
        memcpy(&v, row + x, sizeof v);
        Lanes red, green, blue;
        lowerChannel(&v, &r, &red);
        lowerChannel(&v, &g, &green);
        lowerChannel(&v, &b, &blue);
        const Lanes out = red | green | blue;
        changed |= out ^ v;
        memcpy(row + x, &out, sizeof out);
    }
    uint64_t words[4];
    memcpy(words, &changed, sizeof words);
    return (words[0] | words[1] | words[2] | words[3]) != 0;
}

int pixelPassLookups = 1;

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define PIXELPASS_HAS_LOOKUPS 1

// One row, 32 pixels at a time: each channel's bits index its own results (the word
// permutes read only the low 5 bits of an index, or 6 for the two-table one).
__attribute__((target("avx512f,avx512bw"))) static int runLookupRow(const PixelPass *pass,
                                                                    uint16_t *row)
{
    const __m512i top = _mm512_loadu_si512(pass->placed[0]);
    const __m512i middleLo = _mm512_loadu_si512(pass->placed[1]);
    const __m512i middleHi = _mm512_loadu_si512(pass->placed[1] + 32);
    const __m512i low = _mm512_loadu_si512(pass->placed[2]);
    __mmask32 changed = 0;
    for (int x = 0; x < PLAYFIELD_W; x += 32) {
        const __m512i v = _mm512_loadu_si512(row + x);
        const __m512i out = _mm512_or_si512(
            _mm512_or_si512(_mm512_permutexvar_epi16(_mm512_srli_epi16(v, 11), top),
                            _mm512_permutex2var_epi16(middleLo, _mm512_srli_epi16(v, 5),
                                                      middleHi)),
            _mm512_permutexvar_epi16(v, low));
        changed |= _mm512_cmpneq_epi16_mask(out, v);
        _mm512_storeu_si512(row + x, out);
    }
    return changed != 0;
}

static int processorLooksUp()
{
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
}
#else
static int processorLooksUp() { return 0; }
#endif

static const int looksUp = processorLooksUp();

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
    ChannelLanes lanes[3];
    for (int i = 0; i < 3 && pass->vectorised; i++) {
        ChannelLanes &k = lanes[i];
        k.shift = pass->shift[i];
        for (int j = 0; j < LANES; j++) {
            k.mask[j] = (int16_t)pass->mask[i];
            k.keep[j] = (int16_t)pass->keep[i];
            k.far[j] = (int16_t)pass->far[i];
            k.nearStep[j] = (int16_t)pass->nearStep[i];
            k.farStep[j] = (int16_t)pass->farStep[i];
        }
    }
    const int lookups = pixelPassLookups && looksUp && pass->layout565;
    for (int y = 0; y < PLAYFIELD_H; y++) {
        if (skipRow && skipRow[y])
            continue;
        uint16_t *row = (uint16_t *)bmp->line[y];
        int changed;
#ifdef PIXELPASS_HAS_LOOKUPS
        if (lookups)
            changed = runLookupRow(pass, row);
        else
#endif
            changed = pass->vectorised ? runClosedRow(lanes, row) : runTableRow(pass, row);
        if (rowChanged)
            rowChanged[y] = (uint8_t)changed;
    }
}
