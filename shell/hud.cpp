#include "shell/hud.h"

#include <allegro.h>
#include <stdlib.h>

#include "arena/levels.h"
#include "core/assets.h"
#include "core/clock.h"
#include "core/fighter.h"
#include "core/world.h"
#include "shell/render.h"
#include "shell/startup.h"

static int clampInt(int v, int lo, int hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

static int notBelowZero(int v)
{
    return v > 0 ? v : 0;
}

// Framing around the body box: margins left, extra width, top, extra height.
static void frameBody(Fighter *f, int left, int extraW, int top, int extraH)
{
    f->cameraX = notBelowZero(f->x - left);
    f->cameraW = f->w + extraW;
    f->cameraY = notBelowZero(f->y - top);
    f->cameraH = f->h + extraH;
    if (f->cameraW >= 1598)
        f->cameraW = 1600;
    if (f->cameraH >= 1199)
        f->cameraH = 1199;
}

void updateCamera(Fighter *f, const Booth *b, int boothOffsetX)
{
    // Later rules overwrite earlier ones; with none applying the rectangle stays.
    if (f->respawning == 1) {
        f->cameraX = (int)(b->x + boothOffsetX);
        f->cameraY = (int)(b->y + 60);
        f->cameraW = 34;
        f->cameraH = 24;
    }
    if (f->respawning == 0 && f->weapon == WEAPON_GIBBER && f->frozen == 0)
        frameBody(f, 40, 80, 10, 20);
    if (f->weapon != 0 && f->weapon != WEAPON_GIBBER && f->frozen == 0)
        frameBody(f, 24, 35, 8, 16);
    if (f->frozen == 1)
        frameBody(f, 0, 5, 0, 0);
    // Three digit pictures: counts past 999 show as 999.
    int shown = clampInt(f->frags, 0, 999);
    f->fragHundreds = shown / 100;
    f->fragTens = (shown % 100) / 10;
    f->fragOnes = shown % 10;
}

void player1Camera() { updateCamera(player, booth, 35); }
void player2Camera() { updateCamera(player2, booth2, 30); }

// Unlike the screens' digitPicture, a value past 9 shows as 9 (and below 0 as 0).
static BITMAP *clampedDigit(BITMAP **pics, int digit)
{
    return pics[clampInt(digit, 0, 9)];
}

// One booth's read-outs; offsets from the booth's top-left differ between the two booths.
struct BoothHudPlace {
    int healthX, powerX, cubeX;
};

static void drawOneBoothHud(const Fighter *f, const Booth *b, BITMAP **healthbar,
                            const BoothHudPlace &at)
{
    const double x = b->x, y = b->y;
    putPicture(healthbar[clampInt(f->health, 0, 12)], (int)(x + at.healthX), (int)(y + 37));
    if (player->hasSpawned == 1) {
        const int empty = f->power < 1;
        putPicture(clampedDigit(digits, empty ? 0 : f->powerHundreds), (int)(x + at.powerX), (int)(y + 22));
        putPicture(clampedDigit(digits, empty ? 0 : f->powerTens), (int)(x + at.powerX + 8), (int)(y + 22));
        putPicture(clampedDigit(digits, empty ? 0 : f->powerOnes), (int)(x + at.powerX + 16), (int)(y + 22));
    }
    putPicture(cubescore[clampInt(f->cubesCarried, 0, 3)], (int)(x + at.cubeX), (int)(y + 21));
}

void drawBoothHud()
{
    drawOneBoothHud(player, booth, greenhealthbar, BoothHudPlace{29, 39, 30});
    drawOneBoothHud(player2, booth2, purplehealthbar, BoothHudPlace{31, 34, 64});
}

void stretchClipped(BITMAP *src, BITMAP *dest, int sx, int sy, int sw, int sh, int dx, int dy,
                    int dw, int dh)
{
    // An empty source (a camera never framed) leaves the monitor's last picture.
    if (!src || !dest || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0)
        return;
    sw = clampInt(sw, 1, src->w);
    sh = clampInt(sh, 1, src->h);
    sx = clampInt(sx, 0, src->w - sw);
    sy = clampInt(sy, 0, src->h - sh);
    stretch_blit(src, dest, sx, sy, sw, sh, dx, dy, dw, dh);
}

static void drawMonitorPictures()
{
    if (seconds > 1) {
        stretchClipped(buffer, prebuffer, player->cameraX, player->cameraY, player->cameraW,
                       player->cameraH, greenmonitorx, greenmonitory, greenmonitorwidth,
                       greenmonitorheight);
        stretchClipped(buffer, prebuffer, player2->cameraX, player2->cameraY, player2->cameraW,
                       player2->cameraH, purplemonitorx, purplemonitory, purplemonitorwidth,
                       purplemonitorheight);
    }
    if (seconds > 2) {
        stretchClipped(buffer, prebuffer, player2->x - 9, player2->y - 8, 49, 66, greenmonitor2x,
                       greenmonitor2y, greenmonitor2width, greenmonitor2height);
        stretchClipped(buffer, prebuffer, player->x - 9, player->y - 8, 49, 66, purplemonitor2x,
                       purplemonitor2y, purplemonitor2width, purplemonitor2height);
    }
}

static void drawAmmo(const Fighter *f, int mx, int my)
{
    if (f->ammo >= 1 && f->ammo <= 9) {
        putPicture(ammotext, mx, my);
        putPicture(ammocount[f->ammo], mx + 2, my + 20);
    }
}

// A fighter's frags show on his own large monitor while his opponent is dead and he is
// alive with no ammunition count of his own.
static void drawFrags(const Fighter *f, const Fighter *opponent, int mx, int my)
{
    if (opponent->respawning == 1 && f->respawning == 0 &&
        (f->ammo == 0 || f->weapon == WEAPON_DUALGIBBER)) {
        putPicture(fragtext, mx, my);
        putPicture(clampedDigit(fragdigits, f->fragHundreds), mx, my + 16);
        putPicture(clampedDigit(fragdigits, f->fragTens), mx + 30, my + 16);
        putPicture(clampedDigit(fragdigits, f->fragOnes), mx + 60, my + 16);
    }
}

static void drawOverlays()
{
    const int gmx = greenmonitorx, gmy = greenmonitory, gmw = greenmonitorwidth;
    const int pmx = purplemonitorx, pmy = purplemonitory, pmw = purplemonitorwidth;
    // The power-up message is the green booth's and shows on both large monitors.
    const int message = booth->messageTimer != 0;

    if (!message) {
        drawAmmo(player, gmx, gmy);
        drawAmmo(player2, pmx, pmy);
    }
    if (message) {
        BITMAP *text = poweruptext[clampInt(booth->messageId, 0, 13)];
        putPicture(text, gmx, gmy);
        putPicture(text, pmx, pmy);
    }
    if (!message) {
        drawFrags(player, player2, gmx, gmy);
        drawFrags(player2, player, pmx, pmy);
    }

    const int g = rand() % 255;
    const int grey = makecol(g, g, g);
    const int gy1 = gmy + rand() % 40;
    const int py1 = pmy + rand() % 40;
    const int gy2 = gmy + rand() % 40;
    const int py2 = pmy + rand() % 40;
    putPicture(static_image[rand() % 6], gmx, gmy);
    if (!message) {
        line(buffer, gmx, gy1, gmx + gmw, gy1, grey);
        line(buffer, gmx, gy2, gmx + gmw, gy2, grey);
    }
    putPicture(static_image[rand() % 6], pmx, pmy);
    if (!message) {
        line(buffer, pmx, py1, pmx + pmw, py1, grey);
        line(buffer, pmx, py2, pmx + pmw, py2, grey);
    }
}

void drawMonitors()
{
    drawMonitorPictures();
    drawOverlays();
}
