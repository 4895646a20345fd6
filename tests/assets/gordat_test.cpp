// The generated gor.dat: every entry usable, every sheet large enough for its cuts, and
// start-up's cutting and sample table complete.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include "shell/assets.h"
#include "shell/sound.h"
#include "shell/startup.h"
#include "support/test_env.h"

namespace {

struct Region {
    int entry, w, h;
};

// Sheets must hold every cut; a smaller sheet would leave frames blank.
const Region cutRegions[] = {
    {DAT_FIGHTER_GREEN, 726, 336}, {DAT_FIGHTER_PURPLE, 726, 336}, {DAT_FIGHTER_GREY, 726, 336},
    {DAT_ARMS_GREEN, 380, 140},    {DAT_ARMS_PURPLE, 380, 140},    {DAT_ARMS_GREY, 380, 140},
    {DAT_BOOTHS, 194, 131},        {DAT_HEALTH_BAR_GREEN, 481, 2}, {DAT_HEALTH_BAR_PURPLE, 481, 2},
    {DAT_HEALTH_BAR_WHITE, 481, 2}, {DAT_CUBE_FRAZZLE, 105, 17},   {DAT_MINES, 126, 24},
    {DAT_HEADS, 88, 22},           {DAT_TORCH_FLAME, 192, 40},     {DAT_PREMAP_IMAGES, 2200, 595},
    {DAT_MAP_THUMBS, 1200, 112},   {DAT_MAP_TITLES, 448, 50},      {DAT_TEXT_PLAYER2, 200, 28},
    {DAT_TEXT_DETAIL, 171, 42},    {DAT_TEXT_MUSIC, 123, 28},      {DAT_LETTERS, 504, 14},
    {DAT_PAD_KEYS, 1420, 28},      {DAT_KEY_LABELS, 1014, 28},     {DAT_DIGITS, 80, 13},
    {DAT_FRAG_DIGITS, 300, 23},    {DAT_RETRO_NUMS, 600, 100},     {DAT_TV_STATIC, 540, 40},
    {DAT_AMMO_DIGITS, 250, 19},    {DAT_POWERUP_TEXT, 1260, 40},   {DAT_GIBBER_FLASH, 23, 21},
    {DAT_CUBE_SCORE, 12, 13},      {DAT_CANDLE_FLAME, 64, 8},      {DAT_TUTORIAL_TEXT, 3400, 100},
    {DAT_TUTORIAL_TEXT_BIG, 8370, 248},
};

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
    for (const Region &r : cutRegions) {
        BITMAP *b = (BITMAP *)dat[r.entry].dat;
        EXPECT_GE(b->w, r.w) << dataEntryName(r.entry);
        EXPECT_GE(b->h, r.h) << dataEntryName(r.entry);
        EXPECT_EQ(bitmap_color_depth(b), 16) << dataEntryName(r.entry);
    }

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
