#include "render/scene.h"

#include <allegro.h>
#include <map>
#include <utility>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "core/assets.h"
#include "core/fighter.h"
#include "core/shots.h"
#include "fighters/bombs.h"
#include "fighters/weapons.h"
#include "gore/gore.h"
#include "shell/render.h"
#include "shell/startup.h"
#include "support/test_env.h"

Fighter sceneFighter1, sceneFighter2;
GunAnchor sceneArms1, sceneArms2;
Booth sceneBooth1, sceneBooth2;

static std::map<BITMAP *, std::pair<int, int>> colours;   // fill, marker
static int nextColour = 1;

static int uniqueColour()
{
    for (;;) {
        int i = nextColour++;
        int r = (i % 32) * 8, g = ((i / 32) % 64) * 4, b = ((i / 2048) % 32) * 8;
        int c = makecol(r, g, b);
        if (c != makecol(255, 0, 255))
            return c;
    }
}

static BITMAP *fake(int w, int h)
{
    BITMAP *b = create_bitmap(w, h);
    int fill = uniqueColour(), mark = uniqueColour();
    clear_to_color(b, fill);
    vline(b, 0, 0, h - 1, mark);
    colours[b] = {fill, mark};
    return b;
}

static void fakeAll(BITMAP **pics, int n, int w, int h)
{
    for (int i = 0; i < n; i++)
        pics[i] = fake(w, h);
}

#define FAKE_ARRAY(a, w, h) fakeAll(a, (int)(sizeof(a) / sizeof(a[0])), w, h)

#define FAKE_FIGHTER(P)                                                                     \
    FAKE_ARRAY(P##still, 33, 48);                                                           \
    FAKE_ARRAY(P##still_cryo, 33, 48);                                                      \
    FAKE_ARRAY(P##run, 33, 48);                                                             \
    FAKE_ARRAY(P##run_cryo, 33, 48);                                                        \
    FAKE_ARRAY(P##runsonic, 33, 48);                                                        \
    P##jump = fake(33, 48);                                                                 \
    P##jump_cryo = fake(33, 48);                                                            \
    P##grab = fake(33, 48);                                                                 \
    P##grab_cryo = fake(33, 48);                                                            \
    P##crouch = fake(33, 31);                                                               \
    P##crouch_cryo = fake(33, 31);                                                          \
    FAKE_ARRAY(P##slide, 49, 48);                                                           \
    FAKE_ARRAY(P##slide_cryo, 49, 48);                                                      \
    P##hitfloor = fake(33, 48);                                                             \
    P##hitfloor_cryo = fake(33, 48);                                                        \
    FAKE_ARRAY(P##climb, 33, 48);                                                           \
    FAKE_ARRAY(P##climb_cryo, 33, 48);                                                      \
    FAKE_ARRAY(P##respawn_bigcock, 33, 48);                                                 \
    FAKE_ARRAY(P##respawn_smallcock, 33, 48)

void makePlaceholderPictures()
{
    startHeadlessAllegro();
    if (!colours.empty())
        return;
    FAKE_FIGHTER(player_);
    FAKE_FIGHTER(player2_);
    FAKE_FIGHTER(grey_);
    for (int look = 0; look < ARM_LOOK_COUNT; look++)
        for (int w = 0; w < ARM_WEAPON_COUNT; w++)
            for (int c = 0; c < 2 * ARM_POSE_COUNT; c++)
                *armPicture[look][w][c] = fake(38, 20);
    gibberflash = fake(23, 21);
    plasmaflash = fake(20, 16);
    moonrakerflash = fake(20, 16);
    rocketpack = fake(12, 24);
    bullet_image = fake(8, 4);
    plasma_image = fake(10, 6);
    greenhomo_image = fake(16, 6);
    purplehomo_image = fake(16, 6);
    greenmummra_image = fake(16, 8);
    purplemummra_image = fake(16, 8);
    bomb_image = fake(10, 10);
    powerup_image = fake(13, 13);
    cube_image = fake(11, 11);
    FAKE_ARRAY(mine_image, 14, 8);
    FAKE_ARRAY(mine_green_image, 14, 8);
    FAKE_ARRAY(mine_purple_image, 14, 8);
    FAKE_ARRAY(cubefrazzle_image, 21, 17);
    bombblasthorizontal_image = fake(46, 20);
    bombblastvertical_image = fake(20, 46);
    FAKE_ARRAY(greenbooth, 97, 131);
    FAKE_ARRAY(purplebooth, 97, 131);
    tutorialBooth = fake(97, 131);
    FAKE_ARRAY(greenhealthbar, 37, 2);
    FAKE_ARRAY(purplehealthbar, 37, 2);
    FAKE_ARRAY(digits, 8, 13);
    FAKE_ARRAY(cubescore, 3, 13);
    ammotext = fake(60, 16);
    FAKE_ARRAY(ammocount, 25, 19);
    FAKE_ARRAY(poweruptext, 90, 40);
    fragtext = fake(60, 14);
    FAKE_ARRAY(fragdigits, 30, 23);
    for (BITMAP *&s : static_image) {
        s = create_bitmap(90, 40);
        clear_to_color(s, bitmap_mask_color(s));
    }
    explosion_image = fake(190, 190);
    explosion_image2 = fake(300, 300);
    explosionelec_image = fake(190, 190);
    explosionelec2_image = fake(300, 300);
    explosiongreen_image = fake(190, 190);
    explosiongreen2_image = fake(300, 300);
    explosionpurple_image = fake(190, 190);
    explosionpurple2_image = fake(300, 300);
    explosionhomo_image = fake(76, 76);
    explosionhomo2_image = fake(120, 120);
    blood_image = fake(4, 4);
    greengib_image = fake(5, 5);
    purplegib_image = fake(5, 5);
    FAKE_ARRAY(head_image, 22, 22);
    greentorso_image = fake(13, 20);
    purpletorso_image = fake(13, 20);
    greenarm_image = fake(6, 16);
    purplearm_image = fake(6, 16);
    greenleg_image = fake(6, 18);
    purpleleg_image = fake(6, 18);
    gibcasing_image = fake(4, 2);
    zapzapcasing_image = fake(4, 2);
    homocasing_image = fake(6, 3);
    poo_image = fake(6, 6);
}

static void freshBitmap(BITMAP *&b, int w, int h)
{
    if (!b)
        b = create_bitmap(w, h);
    clear_to_color(b, makecol(0, 0, 0));
}

static Fighter emptyFighter()
{
    Fighter f = {};
    f.w = 33;
    f.h = 48;
    f.facing = FACING_RIGHT;
    f.state = FIGHTER_STAND_RIGHT;
    return f;
}

void resetScene()
{
    makePlaceholderPictures();
    freshBitmap(buffer, BUFFER_W, BUFFER_H);
    freshBitmap(prebuffer, PLAYFIELD_W, PLAYFIELD_H);
    static BITMAP *display;
    freshBitmap(display, 800, 600);
    screen = display;
    sceneFighter1 = emptyFighter();
    sceneFighter2 = emptyFighter();
    sceneFighter2.facing = FACING_LEFT;
    sceneArms1 = GunAnchor{100, 100, 38, 20};
    sceneArms2 = GunAnchor{500, 500, 38, 20};
    sceneBooth1 = Booth{15.0, 581.0, 97, 131, 0, 0, 0};
    sceneBooth2 = Booth{1490.0, 581.0, 97, 131, 0, 0, 0};
    player = &sceneFighter1;
    player2 = &sceneFighter2;
    arms = &sceneArms1;
    arms2 = &sceneArms2;
    booth = &sceneBooth1;
    booth2 = &sceneBooth2;
    setupEffects();
    setupExplosions();
    setupMines();
    setupcubespawner();
    setupBombs();
    setupBombs2();
    setupBombblastLeft();
    setupBombblastRight();
    setupBombblastUp();
    setupBlood();
    setupBlood2();
    setupCasings();
    setupProjectilePool(bullet, BULLET_COUNT, 8, 4, 12);
    setupProjectilePool(bullet2, BULLET_COUNT, 8, 4, 12);
    setupProjectilePool(plasma, PLASMA_COUNT, 10, 6, 20);
    setupProjectilePool(plasma2, PLASMA_COUNT, 10, 6, 20);
    setupProjectilePool(homorocket, HOMOROCKET_COUNT, 16, 6, 0);
    setupProjectilePool(homorocket2, HOMOROCKET_COUNT, 16, 6, 0);
    setupProjectilePool(mummrathruster, MUMMRATHRUSTER_COUNT, 16, 8, 0);
    setupProjectilePool(mummrathruster2, MUMMRATHRUSTER_COUNT, 16, 8, 0);
    setupProjectilePool(blaster, BLASTER_COUNT, 5, 5, 0);
}

int shownAsStored(BITMAP *bmp, BITMAP *pic, int x, int y)
{
    auto c = colours.at(pic);
    return getpixel(bmp, x, y + 1) == c.second && getpixel(bmp, x + pic->w - 1, y + 1) == c.first;
}

int shownMirrored(BITMAP *bmp, BITMAP *pic, int x, int y)
{
    auto c = colours.at(pic);
    return getpixel(bmp, x + pic->w - 1, y + 1) == c.second && getpixel(bmp, x, y + 1) == c.first;
}

int fillAt(BITMAP *bmp, BITMAP *pic, int x, int y)
{
    return getpixel(bmp, x, y) == colours.at(pic).first;
}

int markAt(BITMAP *bmp, BITMAP *pic, int x, int y)
{
    return getpixel(bmp, x, y) == colours.at(pic).second;
}

void placeStanding(Fighter *f, GunAnchor *a, int x, int y)
{
    f->x = x;
    f->y = y;
    f->facing = FACING_RIGHT;
    f->state = FIGHTER_STAND_RIGHT;
    f->alive = 1;
    f->respawning = 0;
    f->weapon = WEAPON_GIBBER;
    f->power = 200;
    f->health = 12;
    a->x = x + 2;
    a->y = y + 18;
}
