// The generated gor.dat passes start-up's own check, and start-up's cutting and sample table
// come out complete (the entries' kinds and sizes are the generator's tests).
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include "shell/assets.h"
#include "shell/sound.h"
#include "shell/startup.h"
#include "support/test_env.h"

namespace {

TEST(GeneratedDataFile, EveryEntryIsCutAndEverySampleSlotFilled)
{
    char path[1024];
    const char *dir = getenv("GOR_GAME_DIR");
    snprintf(path, sizeof path, "%s/gor.dat", dir ? dir : ".");
    FILE *f = fopen(path, "rb");
    if (!f)
        GTEST_SKIP() << "no generated data at " << path;
    fclose(f);

    startHeadlessAllegro();
    DATAFILE *dat = load_datafile(path);
    ASSERT_NE(dat, nullptr);
    EXPECT_EQ(findDataFileFault(dat), nullptr) << findDataFileFault(dat);
    ASSERT_EQ(findBadDataEntry(dat), -1);

    data = dat;
    load_files();
    setupGraphics();
    setupSound();

    for (int look = 0; look < ARM_LOOK_COUNT; look++)
        for (int w = 0; w < ARM_WEAPON_COUNT; w++)
            for (int p = 0; p < 2 * ARM_POSE_COUNT; p++)
                ASSERT_NE(*armPicture[look][w][p], nullptr);
    BITMAP **runs[] = {player_run, player2_run, grey_run};
    for (BITMAP **run : runs)
        for (int i = 0; i < 11; i++)
            ASSERT_NE(run[i], nullptr);
    EXPECT_EQ(player_run[0]->w, 33);
    EXPECT_EQ(player_run[0]->h, 48);
    EXPECT_EQ(gibber->w, 38);
    EXPECT_EQ(greenbooth[0]->w, 97);
    EXPECT_NE(bullet_image, nullptr);
    EXPECT_NE(waterSplash, nullptr);
    EXPECT_NE(shiftkey[5], nullptr);
    EXPECT_NE(cubescore[3], nullptr);
    int filled = 0;
    for (SAMPLE *s : sounds)
        filled += s != NULL;
    EXPECT_EQ(filled, 38);
}

}  // namespace
