// A death burst of each fighter on Hell and London flies, comes to rest as stains in the
// stain layer, and the stains stay.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "arena/weather.h"
#include "core/fighter.h"
#include "gore_env.h"
#include "shell/harness.h"
#include "core/world.h"
#include "tools/recorder/record.h"

namespace {

// As a dying fighter throws it: blood and gibs from the upper half of his box, the head
// from its corner, the torso from its centre, two legs and two arms.
void burst(const Fighter *f, const std::string &team)
{
    auto kind = [&team](const char *part) { return goreKind((team + part).c_str()); };
    for (const char *part : {" blood", " gib"})
        for (int i = 0; i < (part[1] == 'b' ? 100 : 35); i++)
            kind(part).spawn(f->x + rand() % f->w, f->y + rand() % f->h / 2);
    kind(" head").spawn(f->x, f->y);
    kind(" torso").spawn(f->x + f->w / 2, f->y + f->h / 2);
    for (const char *limb : {" leg", " leg", " arm", " arm"})
        kind(limb).spawn(f->x + rand() % f->w, f->y + rand() % f->h / 2);
}

class GoreBurst : public ::testing::TestWithParam<const char *> {};

TEST_P(GoreBurst, BodiesBurstIntoStainsThatStay)
{
    if (!harnessGameDataPresent())
        GTEST_SKIP() << "skipped: no generated arenas in " << harnessGameDir();
    const std::string arena = GetParam();
    static RecordScript script;
    char err[200];
    std::string text = "seed 5\narena " + arena + "\nspawn 1 p1\nspawn 1 p2\n";
    ASSERT_EQ(parseRecordScript(text.c_str(), &script, err, sizeof err), 0) << err;
    startRecordedBout(script);
    clearStains();
    weather = 50;   // neither snow nor rain paints over the stains
    for (int tick = 0; tick < 30; tick++) {
        prepareRecordTick(script, tick);
        harnessTick();
    }
    // Each on a floor mid-arena, running into the arena.
    const bool hell = arena == "hell";
    const int x1 = hell ? 720 : 300, floor1 = hell ? 608 : 512;
    const int x2 = hell ? 1200 : 1300, floor2 = hell ? 704 : 512;
    player->x = x1;
    player->y = floor1 - player->h;
    player2->x = x2;
    player2->y = floor2 - player2->h;
    player->facing = FACING_RIGHT;
    player2->facing = FACING_LEFT;
    player->runSpeed = player2->runSpeed = 4.0;
    StainWatch clean;
    burst(player, "green");
    burst(player2, "purple");
    // Looked for near each fighter, clear of the monitors the frame repaints into the layer.
    auto stainsNear = [&](const StainWatch &w) {
        return w.changed(x1 - 150, floor1 - 250, 300, 400) +
               w.changed(x2 - 150, floor2 - 250, 300, 400);
    };
    harnessTicks(570);
    EXPECT_GT(stainsNear(clean), 1000);
    StainWatch settled;
    harnessTicks(1200);
    EXPECT_EQ(stainsNear(settled), 0);
}

INSTANTIATE_TEST_SUITE_P(Arenas, GoreBurst, ::testing::Values("hell", "london"),
                         [](const ::testing::TestParamInfo<const char *> &i) {
                             return std::string(i.param);
                         });

}  // namespace
