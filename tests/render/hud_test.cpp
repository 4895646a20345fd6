// Booth read-outs, the camera rectangles, the monitor copies into the stain layer (one
// frame late, clipped to the back buffer) and the overlays.
#include <allegro.h>
#include <gtest/gtest.h>

#include "arena/levels.h"
#include "core/fighter.h"
#include "render/scene.h"
#include "core/assets.h"
#include "core/clock.h"
#include "shell/hud.h"
#include "shell/loop.h"
#include "shell/render.h"
#include "shell/startup.h"

namespace {

class Hud : public ::testing::Test {
protected:
    Fighter &f1 = sceneFighter1;
    Fighter &f2 = sceneFighter2;
    void SetUp() override
    {
        resetScene();
        map = ARENA_SMOG_CITY;
        seconds = 0;
        placeStanding(&f1, &a1(), 300, 300);
        placeStanding(&f2, &a2(), 1200, 300);
        f1.hasSpawned = 1;
        greenmonitorx = 128, greenmonitory = 584, greenmonitorwidth = 90, greenmonitorheight = 40;
        purplemonitorx = 1389, purplemonitory = 584, purplemonitorwidth = 90,
        purplemonitorheight = 40;
        greenmonitor2x = 203, greenmonitor2y = 662, greenmonitor2width = 26,
        greenmonitor2height = 16;
        purplemonitor2x = 1365, purplemonitor2y = 661, purplemonitor2width = 26,
        purplemonitor2height = 16;
    }
    static GunAnchor &a1() { return sceneArms1; }
    static GunAnchor &a2() { return sceneArms2; }
    // Count of pixels of a rectangle of `bmp` with colour `c`.
    static int countColour(BITMAP *bmp, int x, int y, int w, int h, int c)
    {
        int n = 0;
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++)
                n += getpixel(bmp, i, j) == c;
        return n;
    }
};

TEST_F(Hud, PowerDigitsHealthAndCubes)
{
    f1.power = 57;
    f1.powerHundreds = 0, f1.powerTens = 5, f1.powerOnes = 7;
    f1.health = 9;
    f1.cubesCarried = 2;
    f2.power = 0;   // an empty pool shows 000 whatever its digits hold
    f2.powerHundreds = 3, f2.powerTens = 4, f2.powerOnes = 5;
    f2.health = -3;
    f2.cubesCarried = 3;
    draw();
    EXPECT_TRUE(shownAsStored(buffer, digits[0], 15 + 39, 581 + 22));
    EXPECT_TRUE(shownAsStored(buffer, digits[5], 15 + 47, 581 + 22));
    EXPECT_TRUE(shownAsStored(buffer, digits[7], 15 + 55, 581 + 22));
    EXPECT_TRUE(shownAsStored(buffer, greenhealthbar[9], 15 + 29, 581 + 37));
    EXPECT_TRUE(markAt(buffer, cubescore[2], 15 + 30, 581 + 22));
    for (int k = 0; k < 3; k++)
        EXPECT_TRUE(shownAsStored(buffer, digits[0], 1490 + 34 + 8 * k, 581 + 22));
    EXPECT_TRUE(shownAsStored(buffer, purplehealthbar[0], 1490 + 31, 581 + 37));
    EXPECT_TRUE(markAt(buffer, cubescore[3], 1490 + 64, 581 + 22));

    // Before fighter 1's first spawn no booth shows its power.
    f1.hasSpawned = 0;
    draw();
    EXPECT_FALSE(shownAsStored(buffer, digits[5], 15 + 47, 581 + 22));
    EXPECT_FALSE(shownAsStored(buffer, digits[0], 1490 + 34, 581 + 22));
}

// The camera's rectangle as x, y, w, h (-1: not asked).
::testing::AssertionResult framed(const Fighter &f, int x, int y, int w, int h)
{
    const int got[4] = {f.cameraX, f.cameraY, f.cameraW, f.cameraH}, want[4] = {x, y, w, h};
    for (int i = 0; i < 4; i++)
        if (want[i] >= 0 && got[i] != want[i])
            return ::testing::AssertionFailure() << "camera " << got[0] << "," << got[1] << " "
                                                 << got[2] << "x" << got[3];
    return ::testing::AssertionSuccess();
}

TEST_F(Hud, CameraRectangles)
{
    // Waiting in the booth with the gun: the booth's inside.
    f2.respawning = 1;
    player2Camera();
    EXPECT_TRUE(framed(f2, 1490 + 30, 581 + 60, 34, 24));
    // With another weapon, also while waiting, his own body in the tight framing.
    f2.weapon = WEAPON_HOMO;
    player2Camera();
    EXPECT_TRUE(framed(f2, 1200 - 24, 300 - 8, 33 + 35, 48 + 16));
    // Near the edge the wide framing stops at 0; frozen is the body widened by 5.
    f1.x = 30;
    f1.y = 5;
    player1Camera();
    EXPECT_TRUE(framed(f1, 0, 0, 33 + 80, -1));
    f1.frozen = 1;
    player1Camera();
    EXPECT_TRUE(framed(f1, 30, -1, 38, 48));
    // Weapon 0 before the first spawn: the rectangle stays as it was.
    f1.frozen = 0;
    f1.weapon = 0;
    f1.cameraX = 77;
    player1Camera();
    EXPECT_EQ(f1.cameraX, 77);
}

TEST_F(Hud, FragDigitsAndTheirOverlay)
{
    f1.frags = 7;
    player1Camera();
    EXPECT_TRUE(f1.fragHundreds == 0 && f1.fragTens == 0 && f1.fragOnes == 7);
    // Past what three digits show, the count shows as 999.
    f2.frags = 1234;
    player2Camera();
    EXPECT_TRUE(f2.fragHundreds == 9 && f2.fragTens == 9 && f2.fragOnes == 9);

    // Fighter 1's frags show while fighter 2 is dead and he has no ammunition count.
    f2.respawning = 1;
    draw();
    EXPECT_TRUE(shownAsStored(buffer, fragtext, 128, 584));
    EXPECT_TRUE(shownAsStored(buffer, fragdigits[0], 128, 600));
    EXPECT_TRUE(shownAsStored(buffer, fragdigits[7], 188, 600));
    EXPECT_FALSE(shownAsStored(buffer, fragtext, 1389, 584));
    // Not while a power-up message shows.
    booth->messageTimer = 10;
    booth->messageId = 4;
    draw();
    EXPECT_FALSE(shownAsStored(buffer, fragtext, 128, 584));
    EXPECT_TRUE(shownAsStored(buffer, poweruptext[4], 128, 584));
    EXPECT_TRUE(shownAsStored(buffer, poweruptext[4], 1389, 584));
}

TEST_F(Hud, AmmoCountOnlyForOneToNine)
{
    struct { int weapon, ammo, shown; } cases[] = {
        {WEAPON_GIBBER, 0, 0}, {WEAPON_ZAPZAP, 5, 1}, {WEAPON_DUALGIBBER, 999, 0},
        {WEAPON_HOMO, 9, 1}, {WEAPON_HOMO, 10, 0}};
    for (auto c : cases) {
        f2.weapon = c.weapon;
        f2.ammo = c.ammo;
        draw();
        EXPECT_EQ(shownAsStored(buffer, ammotext, 1389, 584), c.shown) << c.ammo;
        if (c.shown) {
            EXPECT_TRUE(shownAsStored(buffer, ammocount[c.ammo], 1391, 604));
        }
    }
}

TEST_F(Hud, MonitorsPaintIntoTheStainLayerOneFrameLate)
{
    const int old = makecol(1, 2, 3);
    clear_to_color(prebuffer, old);
    // Two seconds in, nothing is copied yet.
    seconds = 1;
    player1Camera();
    player2Camera();
    draw();
    EXPECT_EQ(countColour(prebuffer, 128, 584, 90, 40, old), 90 * 40);

    seconds = 2;
    draw();
    // The stain layer took the close-up; this frame still shows the old picture there.
    EXPECT_LT(countColour(prebuffer, 128, 584, 90, 40, old), 90 * 40 * 9 / 10);
    EXPECT_LT(countColour(prebuffer, 1389, 584, 90, 40, old), 90 * 40 * 9 / 10);
    EXPECT_GE(countColour(buffer, 128, 584, 90, 40, old), 90 * 38);
    // The small monitors wait one more second.
    EXPECT_EQ(countColour(prebuffer, 203, 662, 26, 16, old), 26 * 16);

    // Next frame the buffer shows the picture (the scan lines may cross two rows).
    draw();
    int same = 0;
    for (int y = 584; y < 624; y++) {
        int row = 0;
        for (int x = 128; x < 218; x++)
            row += getpixel(buffer, x, y) == getpixel(prebuffer, x, y);
        same += row == 90;
    }
    EXPECT_GE(same, 38);

    seconds = 3;
    draw();
    EXPECT_LT(countColour(prebuffer, 203, 662, 26, 16, old), 26 * 16);
}

TEST_F(Hud, MonitorSourcesStayInsideTheBackBuffer)
{
    // A fighter at the right edge with the wide framing, one at the top-left corner.
    placeStanding(&f1, &a1(), 1596 - 33, 4);
    placeStanding(&f2, &a2(), 4, 4);
    player1Camera();
    player2Camera();
    EXPECT_GT(f1.cameraX + f1.cameraW, 1600);
    seconds = 5;
    draw();   // reads past the edges would be caught by the sanitizer build

    // The clipped copy moves the rectangle inside and keeps its scale.
    BITMAP *src = create_bitmap(100, 100), *dst = create_bitmap(20, 20);
    clear_to_color(src, makecol(0, 0, 0));
    rectfill(src, 90, 0, 99, 99, makecol(255, 255, 255));
    clear_to_color(dst, makecol(9, 9, 9));
    stretchClipped(src, dst, 95, -5, 10, 10, 0, 0, 10, 10);
    EXPECT_EQ(getpixel(dst, 0, 0), makecol(255, 255, 255));
    EXPECT_EQ(getpixel(dst, 9, 9), makecol(255, 255, 255));
    EXPECT_EQ(getpixel(dst, 10, 10), makecol(9, 9, 9));
    destroy_bitmap(src);
    destroy_bitmap(dst);
}

}  // namespace
