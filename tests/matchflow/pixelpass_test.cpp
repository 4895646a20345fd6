// Whole-page colour passes give, for every 16-bit pixel value, what the library's own
// split-change-pack gives, whether the pass looks channels up, runs in closed form or by
// table.
#include <allegro.h>
#include <gtest/gtest.h>

#include "core/pixelpass.h"
#include "matchflow_env.h"
#include "shell/startup.h"

namespace {

int darker(int, int c) { return c > 10 ? c - 10 : 0; }
int tintEqual(int ch, int c)
{
    const int above[3] = {110, 100, 90};
    return c > above[ch] ? c - 10 : c;
}
int tintPurple(int ch, int c)
{
    const int above[3] = {130, 0, 205}, step[3] = {10, 10, 1};
    const int v = c > above[ch] ? c - step[ch] : c;
    return v < 0 ? 0 : v;
}
int halve(int, int c) { return c / 2; }   // no closed form: the table serves

using PixelPassTest = MatchFlowTest;

TEST_F(PixelPassTest, EveryPixelValueComesOutAsTheLibraryWouldPackIt)
{
    const struct {
        ChannelRule rule;
        int closedForm;
    } cases[] = {{darker, 1}, {tintEqual, 1}, {tintPurple, 1}, {halve, 0}};
    BITMAP *page = create_bitmap(PLAYFIELD_W, PLAYFIELD_H);
    ASSERT_TRUE(page);
    static PixelPass pass;
    for (auto c : cases) {
        pass = PixelPass();
        buildPixelPass(&pass, c.rule);
        EXPECT_EQ(pass.vectorised, c.closedForm);
        for (int lookups = 0; lookups < 2; lookups++) {
            pixelPassLookups = lookups;
            for (int v = 0; v < 65536; v++)
                ((uint16_t *)page->line[v / PLAYFIELD_W])[v % PLAYFIELD_W] = (uint16_t)v;
            runPixelPass(&pass, page);
            int wrong = 0;
            for (int v = 0; v < 65536; v++) {
                const int want = makecol16(c.rule(0, getr16(v)), c.rule(1, getg16(v)),
                                           c.rule(2, getb16(v)));
                wrong += ((uint16_t *)page->line[v / PLAYFIELD_W])[v % PLAYFIELD_W] != want;
            }
            EXPECT_EQ(wrong, 0) << (lookups ? "looked up" : "closed form or table");
        }
    }
    pixelPassLookups = 1;
    destroy_bitmap(page);
}

}  // namespace
