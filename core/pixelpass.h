// Whole-page colour passes: every 16-bit pixel of the playfield has each of its colour
// channels changed by a rule that depends on that channel's own value only, as the
// library's 16-bit colour helpers split and pack it. A drawing helper of the ground (core/),
// beside the turned pictures and the quickened drawing: the pause tint, the result fade and
// the quit prompt's darkening (frontend/) and the tutorial's hint pause (ai/) each give it
// their own rule.
#pragma once

#include <stdint.h>

struct BITMAP;

// The rule of one channel (0 red, 1 green, 2 blue): its new 8-bit value from the old one.
typedef int (*ChannelRule)(int channel, int value);

struct PixelPass {
    int built;
    uint16_t table[65536];    // every pixel value's result
    // In a 5-6-5 layout (green in the middle), each channel's results on their own: the
    // channel's bits of table[v] for every value of its bits in v, top (bits 11-15),
    // middle (5-10) and low (0-4), each left in its place. Looked up 32 pixels at a time
    // where the processor has AVX-512.
    int layout565;
    uint16_t placed[3][64];
    // The same results in closed form, per channel: unchanged up to `keep`, then lowered
    // by `nearStep` below `far` and by `farStep` from it on, never below 0. Used 16 pixels
    // at a time when it agrees with the table on every pixel value.
    int vectorised;
    int shift[3], mask[3], keep[3], far[3], nearStep[3], farStep[3];
};

// 1 (the default) to look channels up 32 pixels at a time where the processor can; 0 to
// keep to the closed form or the table. The tests run both.
extern int pixelPassLookups;

// Builds the pass's table (and its closed form, where one fits) from the rule.
void buildPixelPass(PixelPass *pass, ChannelRule rule);
// Runs the pass over the 1600x1200 playfield of `bmp` (a 16-bit memory bitmap), leaving
// out the rows whose `skipRow` entry is set (none when it is NULL); `rowChanged`, unless
// NULL, gets 1 for each row run that the pass changed, 0 for one it left as it was.
void runPixelPass(const PixelPass *pass, BITMAP *bmp, const uint8_t *skipRow = 0,
                  uint8_t *rowChanged = 0);
