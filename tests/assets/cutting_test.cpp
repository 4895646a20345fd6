// Cutting on a small data file made here: every sheet is exactly its cut region and full of
// noise, so each frame can be compared pixel for pixel with the rectangle it must come from.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <utility>

#include "core/assets.h"
#include "core/sound.h"
#include "shell/startup.h"
#include "support/test_env.h"
#include "assets/cut_regions.h"

namespace {

BITMAP *noiseBitmap(int w, int h)
{
    BITMAP *b = create_bitmap(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            putpixel(b, x, y, makecol(rand() & 255, rand() & 255, rand() & 255));
    return b;
}

// A complete data file in memory: sheets at their cut region, 6x5 single pictures,
// short samples, 1x1 pictures for the unread entries.
DATAFILE *makeDataFile()
{
    srand(7);
    DATAFILE *d = (DATAFILE *)calloc(DAT_ENTRY_COUNT + 1, sizeof(DATAFILE));
    for (int i = 0; i < DAT_ENTRY_COUNT; i++) {
        const char *name = dataEntryName(i);
        if (name && strncmp(name, "DAT_SND_", 8) == 0) {
            d[i].type = DAT_SAMPLE;
            d[i].dat = create_sample(8, 0, 11025, 16);
            continue;
        }
        int w = name ? 6 : 1, h = name ? 5 : 1;
        for (const CutRegion &s : cutRegions)
            if (s.entry == i) {
                w = s.w;
                h = s.h;
            }
        d[i].type = DAT_BITMAP;
        d[i].dat = noiseBitmap(w, h);
    }
    d[DAT_ENTRY_COUNT].type = DAT_END;
    return d;
}

BITMAP *sheet(int entry)
{
    return (BITMAP *)data[entry].dat;
}

// The frame has size w x h and holds exactly the sheet's rectangle at (x, y).
::testing::AssertionResult cutFrom(BITMAP *frame, int entry, int x, int y, int w, int h)
{
    if (!frame)
        return ::testing::AssertionFailure() << "no frame";
    if (frame->w != w || frame->h != h)
        return ::testing::AssertionFailure() << "frame is " << frame->w << "x" << frame->h;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            if (getpixel(frame, i, j) != getpixel(sheet(entry), x + i, y + j))
                return ::testing::AssertionFailure()
                       << "pixel (" << i << "," << j << ") differs from the sheet";
    return ::testing::AssertionSuccess();
}

class Cutting : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        startHeadlessAllegro();
        fake = makeDataFile();
        data = fake;
        load_files();
        setupGraphics();
        setupSound();
    }
    void SetUp() override { data = fake; }
    static DATAFILE *fake;
};
DATAFILE *Cutting::fake = NULL;

TEST_F(Cutting, FighterFramesAndTheirFrozenTwins)
{
    EXPECT_TRUE(cutFrom(player_run[0], DAT_FIGHTER_GREEN, 0, 48, 33, 48));
    EXPECT_TRUE(cutFrom(player_still_cryo[10], DAT_FIGHTER_GREEN, 693, 0, 33, 48));
    EXPECT_TRUE(cutFrom(player_slide_cryo[3], DAT_FIGHTER_GREEN, 609, 96, 49, 48));
    EXPECT_TRUE(cutFrom(player_grab_cryo, DAT_FIGHTER_GREEN, 396, 96, 33, 48));
    EXPECT_TRUE(cutFrom(player_hitfloor, DAT_FIGHTER_GREEN, 297, 96, 33, 48));
    EXPECT_TRUE(cutFrom(player2_crouch, DAT_FIGHTER_PURPLE, 66, 114, 33, 31));
    EXPECT_TRUE(cutFrom(player2_crouch_cryo, DAT_FIGHTER_PURPLE, 429, 114, 33, 31));
    EXPECT_TRUE(cutFrom(player2_climb_cryo[6], DAT_FIGHTER_PURPLE, 561, 144, 33, 48));
    EXPECT_TRUE(cutFrom(player2_jump_cryo, DAT_FIGHTER_PURPLE, 363, 96, 33, 48));
    EXPECT_TRUE(cutFrom(grey_respawn_smallcock[18], DAT_FIGHTER_GREY, 594, 240, 33, 48));
    EXPECT_TRUE(cutFrom(grey_respawn_bigcock[0], DAT_FIGHTER_GREY, 0, 192, 33, 48));
    EXPECT_TRUE(cutFrom(grey_runsonic[10], DAT_FIGHTER_GREY, 330, 288, 33, 48));
}

TEST_F(Cutting, GunArmsByWeaponRowAndPoseColumn)
{
    EXPECT_TRUE(cutFrom(zapzap_slide, DAT_ARMS_GREEN, 114, 20, 38, 20));
    EXPECT_TRUE(cutFrom(moonraker2_cryo, DAT_ARMS_PURPLE, 190, 80, 38, 20));
    EXPECT_TRUE(cutFrom(grey_dualgibber_hitfloor_cryo, DAT_ARMS_GREY, 342, 120, 38, 20));
    EXPECT_TRUE(cutFrom(gibber_climb, DAT_ARMS_GREEN, 38, 0, 38, 20));
    EXPECT_TRUE(cutFrom(minedrop2_grab_cryo, DAT_ARMS_PURPLE, 266, 100, 38, 20));
    EXPECT_EQ(*armPicture[ARM_LOOK_PURPLE][4][ARM_POSE_COUNT], moonraker2_cryo);
    EXPECT_EQ(*armPicture[ARM_LOOK_GREEN][1][ARM_POSE_SLIDE], zapzap_slide);
}

TEST_F(Cutting, OtherSheets)
{
    for (int k = 0; k < 2; k++) {
        EXPECT_TRUE(cutFrom(greenbooth[k], DAT_BOOTHS, 97 * k, 0, 97, 131));
        EXPECT_TRUE(cutFrom(purplebooth[k], DAT_BOOTHS, 97 * k, 0, 97, 131));
        EXPECT_NE(greenbooth[k], purplebooth[k]);
    }
    EXPECT_TRUE(cutFrom(mine_purple_image[8], DAT_MINES, 112, 16, 14, 8));
    EXPECT_TRUE(cutFrom(greenhealthbar[12], DAT_HEALTH_BAR_GREEN, 444, 0, 37, 2));
    EXPECT_TRUE(cutFrom(premap_image[1], DAT_PREMAP_IMAGES, 1100, 0, 1100, 595));
    EXPECT_TRUE(cutFrom(textmeddetail, DAT_TEXT_DETAIL, 0, 28, 171, 14));
    EXPECT_TRUE(cutFrom(textplayer2cpu, DAT_TEXT_PLAYER2, 0, 14, 200, 14));
    EXPECT_TRUE(cutFrom(letter[35], DAT_LETTERS, 490, 0, 14, 14));
    EXPECT_TRUE(cutFrom(padspecialkey[5], DAT_PAD_KEYS, 710, 14, 142, 14));
    EXPECT_TRUE(cutFrom(shiftkey[0], DAT_KEY_LABELS, 312, 14, 78, 14));
    EXPECT_TRUE(cutFrom(shiftkey[5], DAT_KEY_LABELS, 702, 14, 78, 14));
    EXPECT_TRUE(cutFrom(cursorkey[3], DAT_KEY_LABELS, 234, 14, 78, 14));
    EXPECT_TRUE(cutFrom(poweruptext[13], DAT_POWERUP_TEXT, 1170, 0, 90, 40));
    EXPECT_TRUE(cutFrom(gibberflash, DAT_GIBBER_FLASH, 0, 0, 23, 21));
    EXPECT_TRUE(cutFrom(cubescore[3], DAT_CUBE_SCORE, 9, 0, 3, 13));
    EXPECT_TRUE(cutFrom(retronums[9], DAT_RETRO_NUMS, 540, 0, 60, 100));
}

TEST_F(Cutting, SinglePicturesAreTheFilesOwnBitmaps)
{
    EXPECT_EQ(bomb_image, sheet(DAT_BOMB));
    EXPECT_EQ(textAICompetence, sheet(DAT_TEXT_AI_COMPETENCE));
    EXPECT_EQ(splashZombies, sheet(DAT_SPLASH_ZOMBIES));
    EXPECT_EQ(paused_image, sheet(DAT_PAUSED));
    EXPECT_EQ(waterSplash, sheet(DAT_WATER_SPLASH));
}

TEST_F(Cutting, GrabframeWrapsRowsAndLeavesOutsideTransparent)
{
    BITMAP *s = sheet(DAT_FIGHTER_GREEN);
    EXPECT_TRUE(cutFrom(grabframe(s, 33, 48, 0, 0, 11, 11), DAT_FIGHTER_GREEN, 0, 48, 33, 48));
    // Half of this frame lies past the sheet's right edge.
    BITMAP *f = grabframe(s, 33, 48, 710, 0, 1, 0);
    EXPECT_EQ(getpixel(f, 0, 0), getpixel(s, 710, 0));
    EXPECT_EQ(getpixel(f, 20, 10), bitmap_mask_color(f));
}

TEST_F(Cutting, KeyLabelsByCode)
{
    const std::pair<int, BITMAP *> labels[] = {
        {1, letter[0]},       {19, letter[18]},    {36, letter[35]},         {37, padkey[0]},
        {63, specialkey[0]},  {75, specialkey[12]}, {82, cursorkey[0]},      {91, padspecialkey[5]},
        {103, shiftkey[0]},   {108, shiftkey[5]}};
    for (const auto &l : labels)
        EXPECT_EQ(keyLabel(l.first), l.second) << l.first;
    for (int none : {-1, 0, 47, 59, 62, 76, 81, 92, 102, 109, 114, 115, 127})
        EXPECT_EQ(keyLabel(none), nullptr) << none;
    EXPECT_EQ(padButtonLabel(0), letter[26]);
    EXPECT_EQ(padButtonLabel(5), letter[31]);
    EXPECT_EQ(padButtonLabel(10), nullptr);
    EXPECT_EQ(padButtonLabel(-1), nullptr);
}

TEST_F(Cutting, SampleSlots)
{
    EXPECT_EQ(sounds[SND_JUMP], data[DAT_SND_JUMP].dat);
    EXPECT_EQ(sounds[SND_JUMP2], sounds[SND_JUMP]);
    EXPECT_EQ(sounds[SND_STEP_1], data[DAT_SND_STEP_1].dat);
    EXPECT_EQ(sounds[SND_PREMAP], data[DAT_SND_PREMAP].dat);
    EXPECT_EQ(sounds[SND_ALARM], data[DAT_SND_ALARM].dat);
    int filled = 0;
    for (SAMPLE *s : sounds)
        filled += s != NULL;
    EXPECT_EQ(filled, 38);
    EXPECT_EQ(sounds[SND_MAP2_STEP], nullptr);
    EXPECT_EQ(sounds[32], nullptr);
}

TEST_F(Cutting, DataFileCheckNamesTheFirstBadEntry)
{
    EXPECT_EQ(findBadDataEntry(fake), -1);
    EXPECT_EQ(findDataFileFault(fake), nullptr);
    EXPECT_EQ(findBadDataEntry(NULL), 0);

    DATAFILE saved = fake[DAT_FIGHTER_GREEN];
    fake[DAT_FIGHTER_GREEN].type = DAT_SAMPLE;
    EXPECT_EQ(findBadDataEntry(fake), DAT_FIGHTER_GREEN);
    EXPECT_NE(strstr(findDataFileFault(fake), "DAT_FIGHTER_GREEN"), nullptr);
    fake[DAT_FIGHTER_GREEN] = saved;

    saved = fake[DAT_SND_JUMP];
    fake[DAT_SND_JUMP].type = DAT_BITMAP;
    EXPECT_EQ(findBadDataEntry(fake), DAT_SND_JUMP);
    fake[DAT_SND_JUMP] = saved;

    // The unread entries may hold anything.
    saved = fake[45];
    fake[45].type = DAT_SAMPLE;
    EXPECT_EQ(findBadDataEntry(fake), -1);
    fake[45] = saved;

    // A file that ends early.
    saved = fake[150];
    fake[150].type = DAT_END;
    EXPECT_EQ(findBadDataEntry(fake), 150);
    EXPECT_NE(strstr(findDataFileFault(fake), "missing"), nullptr);
    fake[150] = saved;
}

}  // namespace
