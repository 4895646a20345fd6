// The frame renderer: layer order, index-major passes, the on-screen gates, angles that
// are never wrapped, colour packing and the stretch onto the display.
#include <allegro.h>
#include <gtest/gtest.h>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/mines.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/shots.h"
#include "fighters/bombs.h"
#include "render/scene.h"
#include "shell/loop.h"
#include "shell/render.h"
#include "shell/startup.h"

namespace {

class Render : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetScene();
        map = ARENA_SMOG_CITY;   // an arena with no level back- or foreground
        seconds = 0;
        // Fighters out of the way unless a test places them.
        placeStanding(&sceneFighter1, &sceneArms1, 300, 300);
        placeStanding(&sceneFighter2, &sceneArms2, 1200, 300);
    }
    static void shoot(Projectile *p, int x, int y, int direction)
    {
        p->active = 1;
        p->x = x;
        p->y = y;
        p->direction = direction;
    }
};

TEST_F(Render, EmptyFrameIsTheStainLayerWithBoothsAndFighters)
{
    clear_to_color(prebuffer, makecol(10, 20, 30));
    draw();
    EXPECT_EQ(getpixel(buffer, 800, 900), makecol(10, 20, 30));
    EXPECT_TRUE(shownAsStored(buffer, greenbooth[0], 15, 581));
    EXPECT_TRUE(shownMirrored(buffer, purplebooth[0], 1490, 581));
    EXPECT_TRUE(fillAt(buffer, player_still[0], 310, 340));
    EXPECT_TRUE(fillAt(buffer, player2_still[0], 1210, 340));
    // Nothing reaches the spare rows below the playfield.
    EXPECT_EQ(getpixel(buffer, 800, 1250), makecol(0, 0, 0));
}

TEST_F(Render, FighterOneCoversFighterTwoAndTheSlowedLookComesLast)
{
    placeStanding(&sceneFighter2, &sceneArms2, 300, 300);
    draw();
    EXPECT_TRUE(fillAt(buffer, player_still[0], 310, 340));

    sceneFighter2.slowed = 1;
    draw();
    EXPECT_TRUE(fillAt(buffer, grey_still[0], 310, 340));

    // A slowed fighter is drawn in the grey look only.
    sceneFighter2.slowed = 0;
    placeStanding(&sceneFighter2, &sceneArms2, 1200, 300);
    sceneFighter1.slowed = 1;
    draw();
    EXPECT_TRUE(fillAt(buffer, grey_still[0], 310, 340));
    EXPECT_TRUE(shownAsStored(buffer, grey_still[0], 300, 300));
}

TEST_F(Render, ShotPassIsIndexMajor)
{
    // Same index: fighter 2's bullet lies on fighter 1's. Next index: fighter 1's on top.
    shoot(bullet[3], 600, 700, FACING_RIGHT);
    shoot(bullet2[3], 598, 700, FACING_LEFT);
    shoot(bullet[4], 603, 702, FACING_RIGHT);
    draw();
    EXPECT_TRUE(markAt(buffer, bullet_image, 605, 701));   // fighter 2's, mirrored, on top
    EXPECT_TRUE(markAt(buffer, bullet_image, 603, 703));   // index 4 covers index 3
    EXPECT_TRUE(markAt(buffer, bullet_image, 605, 700));

    // A direction other than 0 or 1 draws nothing.
    bullet[3]->direction = 2;
    bullet2[3]->active = bullet[4]->active = 0;
    draw();
    EXPECT_FALSE(markAt(buffer, bullet_image, 600, 701));
    EXPECT_FALSE(markAt(buffer, bullet_image, 605, 701));
}

TEST_F(Render, MineGateAtTheEdgesButNotTheBomb)
{
    mine[0]->active = 1;
    mine[0]->owner = TEAM_GREEN;
    mine[0]->blinkFrame = 4;
    mine[0]->x = 1596 - mine[0]->w;
    mine[0]->y = 600;
    bomb1[0]->active = 1;
    bomb1[0]->x = 1596 - mine[0]->w;
    bomb1[0]->y = 700;
    draw();
    EXPECT_FALSE(fillAt(buffer, mine_green_image[4], (int)mine[0]->x + 5, 603));
    EXPECT_TRUE(shownAsStored(buffer, bomb_image, (int)bomb1[0]->x, 700));
    mine[0]->x -= 1;
    draw();
    EXPECT_TRUE(fillAt(buffer, mine_green_image[4], (int)mine[0]->x + 5, 603));
    mine[0]->y = 8;
    draw();
    EXPECT_FALSE(fillAt(buffer, mine_green_image[4], (int)mine[0]->x + 5, 11));
}

TEST_F(Render, ExplosionGateAndLayers)
{
    boom[0]->active = 1;
    boom[0]->type = EXPLOSION_ROCKET;
    boom[0]->x = 800.5;
    boom[0]->y = 1198;
    draw();
    EXPECT_FALSE(fillAt(buffer, explosionhomo_image, 800, 1190));
    boom[0]->y = 600.7;
    draw();
    // The small layer lies on the large one, its top-left at the centre less 38.
    EXPECT_TRUE(shownAsStored(buffer, explosionhomo_image, 762, 562));
    EXPECT_TRUE(fillAt(buffer, explosionhomo2_image, 745, 600));
    boom[0]->type = EXPLOSION_CUBE_HIT;
    draw();
    EXPECT_FALSE(fillAt(buffer, explosionhomo2_image, 745, 600));
}

TEST_F(Render, AnglesPastOneTurnDrawAsTheirTurnWithinIt)
{
    BITMAP *a = create_bitmap(40, 40), *b = create_bitmap(40, 40);
    clear_to_color(a, makecol(0, 0, 0));
    clear_to_color(b, makecol(0, 0, 0));
    drawTurned(a, mine_image[0], 10, 10, 40000);   // long past where angle << 16 overflows
    drawTurned(b, mine_image[0], 10, 10, 40000 & 255);
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 40; x++)
            ASSERT_EQ(getpixel(a, x, y), getpixel(b, x, y)) << x << "," << y;
    destroy_bitmap(a);
    destroy_bitmap(b);
}

TEST_F(Render, ColourComponentsAreClampedWhenPacked)
{
    EXPECT_EQ(packColour(256, 300, -5), makecol(255, 255, 0));
    EXPECT_EQ(packColour(12, 34, 56), makecol(12, 34, 56));
}

TEST_F(Render, BlueFlameInnerCircleOnlyWhileGreenAbove20)
{
    FlameParticle *f = blueflame[0];
    f->active = 1;
    f->x = 700;
    f->y = 800;
    f->size = 10;
    f->red = 40;
    f->blue = 250;
    f->green = 21;
    FlameParticle *g = blueflame[1];
    *g = *f;
    g->x = 760;
    g->green = 20;
    draw();
    EXPECT_EQ(getpixel(buffer, 700, 800), makecol(40, 1, 250));
    EXPECT_EQ(getpixel(buffer, 700, 808), makecol(40, 21, 250));
    EXPECT_EQ(getpixel(buffer, 760, 800), makecol(40, 20, 250));
}

// Every size as the library draws it on a plain page, the inner circle of radius size - 3
// included (at sizes 1 and 2 the library's small cross); at the playfield's corners clipped
// to it, nothing in the spare rows below.
TEST_F(Render, RespawnBubblesOfEverySizeAreTheLibrarysCircles)
{
    const int ground = makecol(10, 20, 30), spare = makecol(1, 2, 3);
    const struct {
        int x, y, size;
    } bubbles[] = {{600, 800, 1}, {650, 800, 2}, {700, 800, 3}, {750, 800, 5},
                   {1, 1, 1},     {1598, 1198, 1}, {0, 1199, 2}};
    BITMAP *page = create_bitmap(21, 21);
    for (const auto &b : bubbles) {
        SCOPED_TRACE(testing::Message() << "size " << b.size << " at " << b.x << "," << b.y);
        clear_to_color(page, ground);
        circlefill(page, 10, 10, b.size, makecol(160, 0, 0));
        circlefill(page, 10, 10, b.size - 3, makecol(255, 0, 0));
        putpixel(page, 12, 9, makecol(255, 255, 255));
        clear_to_color(prebuffer, ground);
        clear_to_color(buffer, spare);
        EffectParticle *e = respawnbubble[3];
        e->active = 1;
        e->x = b.x;
        e->y = b.y;
        e->size = b.size;
        draw();
        e->active = 0;
        for (int dy = -10; dy <= 10; dy++) {
            for (int dx = -10; dx <= 10; dx++) {
                const int x = b.x + dx, y = b.y + dy;
                if (x < 0 || x >= BUFFER_W || y < 0 || y >= BUFFER_H)
                    continue;
                const int want = y < PLAYFIELD_H ? getpixel(page, 10 + dx, 10 + dy) : spare;
                ASSERT_EQ(getpixel(buffer, x, y), want) << "at " << x << "," << y;
            }
        }
    }
    destroy_bitmap(page);
}

TEST_F(Render, StretchLeavesTheDisplaysLastRowAndColumn)
{
    clear_to_color(prebuffer, makecol(200, 100, 50));
    clear_to_color(screen, makecol(0, 0, 255));
    draw();
    EXPECT_EQ(getpixel(screen, 798, 598), makecol(200, 100, 50));
    EXPECT_EQ(getpixel(screen, 799, 300), makecol(0, 0, 255));
    EXPECT_EQ(getpixel(screen, 400, 599), makecol(0, 0, 255));
}

TEST_F(Render, SpeedLineReadsInsideThePlayfield)
{
    EffectParticle *s = speedLine[0];
    s->active = 1;
    s->x = 10;          // reads 30 px to its left: outside the playfield
    s->y = 1199;
    s->lineDirection = 1;
    s->size = 5;
    clear_to_color(prebuffer, makecol(230, 40, 0));
    draw();
    EXPECT_EQ(s->red, 255);
    EXPECT_EQ(s->green, getg(makecol(230, 40, 0)) + 20);
}

}  // namespace
