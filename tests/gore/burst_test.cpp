// Whole bouts on Hell and London: a death burst of each fighter flies, comes to rest as
// stains in the stain layer, and the stains stay. With GOR_GORE_FRAMES set to a folder,
// the frames are written there as PNGs (the screen, at half size) to be looked at.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "arena/weather.h"
#include "fighters/fighter.h"
#include "gore_env.h"
#include "shell/harness.h"
#include "shell/loop.h"
#include "shell/startup.h"
#include "tools/recorder/record.h"

namespace {

struct BurstRow {
    const char *arena;
    int x1, floor1, x2, floor2;   // where each fighter stands, on a floor whose top is given
};

// The burst a dying fighter throws: blood and gibs from the upper half of his box, the
// head from its corner, the torso from its centre, then two legs and two arms.
void burst(const Fighter *f, const char *team)
{
    auto kind = [team](const char *part) { return goreKind((std::string(team) + part).c_str()); };
    for (int i = 0; i < 100; i++)
        kind(" blood").spawn(f->x + rand() % f->w, f->y + rand() % f->h / 2);
    for (int i = 0; i < 35; i++)
        kind(" gib").spawn(f->x + rand() % f->w, f->y + rand() % f->h / 2);
    kind(" head").spawn(f->x, f->y);
    kind(" torso").spawn(f->x + f->w / 2, f->y + f->h / 2);
    for (const char *limb : {" leg", " leg", " arm", " arm"})
        kind(limb).spawn(f->x + rand() % f->w, f->y + rand() % f->h / 2);
}

// The screen at half size, and the world around fighter 1 at full size.
void saveFrame(const char *arena, int tick)
{
    const char *dir = getenv("GOR_GORE_FRAMES");
    if (!dir)
        return;
    std::string name = std::string(dir) + "/" + arena + "_burst_" + std::to_string(tick);
    writeFrameImage(screen, (name + ".png").c_str(), 0, 0, screen->w, screen->h);
    writeFrameImage(buffer, (name + "_near.png").c_str(), player->x - 200, player->y - 150, 400,
                    250);
}

class GoreBurst : public ::testing::TestWithParam<BurstRow> {};

TEST_P(GoreBurst, BodiesBurstIntoStainsThatStay)
{
    if (!harnessGameDataPresent())
        GTEST_SKIP() << "skipped: no generated arenas in " << harnessGameDir();
    const BurstRow &r = GetParam();
    static RecordScript script;
    char err[200];
    std::string text = std::string("seed 5\narena ") + r.arena + "\nspawn 1 p1\nspawn 1 p2\n";
    ASSERT_EQ(parseRecordScript(text.c_str(), &script, err, sizeof err), 0) << err;
    startRecordedBout(script);
    weather = 50;   // neither snow nor rain paints over the stains
    int tick = 0;
    for (; tick < 30; tick++) {
        prepareRecordTick(script, tick);
        harnessTick();
    }
    player->x = r.x1;
    player->y = r.floor1 - player->h;
    player2->x = r.x2;
    player2->y = r.floor2 - player2->h;
    player->facing = FACING_RIGHT;
    player2->facing = FACING_LEFT;
    player->runSpeed = player2->runSpeed = 4.0;
    StainWatch clean;
    burst(player, "green");
    burst(player2, "purple");
    // The stains are looked for in a window around each fighter, clear of the monitors
    // that the frame keeps repainting into the stain layer.
    auto stainsNear = [&](const StainWatch &w) {
        return w.changed(r.x1 - 150, r.floor1 - 250, 300, 400) +
               w.changed(r.x2 - 150, r.floor2 - 250, 300, 400);
    };
    for (; tick < 600; tick++) {
        harnessTick();
        if (tick == 40)
            saveFrame(r.arena, tick);
    }
    saveFrame(r.arena, tick);
    EXPECT_GT(stainsNear(clean), 1000);
    StainWatch settled;
    for (; tick < 1800; tick++)
        harnessTick();
    EXPECT_EQ(stainsNear(settled), 0);
}

INSTANTIATE_TEST_SUITE_P(Arenas, GoreBurst,
                         ::testing::Values(BurstRow{"hell", 720, 608, 1200, 704},
                                           BurstRow{"london", 300, 512, 1300, 512}),
                         [](const ::testing::TestParamInfo<BurstRow> &i) {
                             return std::string(i.param.arena);
                         });

}  // namespace
