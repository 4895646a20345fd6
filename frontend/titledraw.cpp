#include <allegro.h>
#include <stdlib.h>

#include <initializer_list>

#include "core/assets.h"
#include "core/clock.h"
#include "core/match.h"
#include "core/settings.h"
#include "core/world.h"
#include "frontend/screen.h"
#include "frontend/title.h"

enum { LOGO_X = 588, LOGO_Y = 360, ARROW_W = 20 };

static int white() { return makecol(255, 255, 255); }
static int hoverBar() { return makecol(117, 143, 173); }
static int pipGrey() { return makecol(130, 130, 130); }

// The wobble: each coordinate of a jittered drawing moves 0..TitleWobble-1 pixels.
static int wobble() { return rand() % TitleWobble; }

static void jittered(BITMAP *pic, int x, int y)
{
    int ox = wobble();
    int oy = wobble();
    putPicture(pic, x + ox, y + oy);
}

static void jitteredTriangle(int x1, int y1, int x2, int y2, int x3, int y3)
{
    int o[6];
    for (int &v : o)
        v = wobble();
    triangle(buffer, x1 + o[0], y1 + o[1], x2 + o[2], y2 + o[3], x3 + o[4], y3 + o[5], white());
}

static int picH(BITMAP *pic) { return pic ? pic->h : 0; }
static int picW(BITMAP *pic) { return pic ? pic->w : 0; }

static void drawLogo()
{
    if (seconds > 1) {
        // The canvas is never cleared: each piece's square leaves a trail.
        for (const TitlePiece &p : titlePiece)
            rectfill(prebuffer, p.x, p.y, p.x + 3, p.y + 3, white());
        rectfill(buffer, 100, 0, 350, titlerecty1, curtainColour());
        rectfill(buffer, 380, titlerecty2, 450, 1200, curtainColour());
    }
    if (titlePiece[0].phase == LOGO_SETTLED_PHASE) {
        const TitlePiece &a = titlePiece[0], &b = titlePiece[5];
        triangle(prebuffer, a.x, a.y - 5, a.x - 10, a.y + 2, a.x, a.y + 8, white());
        triangle(prebuffer, b.x, b.y - 5, b.x + 10, b.y + 2, b.x, b.y + 8, white());
        static const int caption[4] = {3, 4, 12, 14};   // D E M O
        for (int i = 0; i < 4; i++)
            putPicture(letter[caption[i]], 878 + 17 * i, 416);
    }
    blit(prebuffer, buffer, 0, 0, LOGO_X, LOGO_Y, LOGO_W, LOGO_H);
}

static void drawMenuLabels()
{
    struct Label {
        BITMAP *pic;
        int x, y;
    } labels[] = {{textQB, quickboutx, quickbouty}, {textTeams, teamsx, teamsy},
                  {textOpt, optionsx, optionsy}, {textCredits, creditstextx, creditstexty},
                  {textQuit, quitx, quity}};
    for (const Label &l : labels)
        if (l.x > 0)
            putPicture(l.pic, l.x, l.y);
}

static void drawTag(int tag)
{
    jittered(mapTitles[tag], mx + 17, my + 6);
}

// The tag that marks a widget that does nothing.
static void drawEarlyTags()
{
    if (TitleScreenPhase == TITLE_PAGE_MAIN && teamsx > 200 && pointerOn(textTeams, teamsx, teamsy))
        drawTag(3);
    if (TitleScreenPhase != TITLE_PAGE_QUICK_BOUT)
        return;
    if (AIcomp == 2 && pointerInside(textAIrightx, textAICompy, ARROW_W, picH(textAICompetence)))
        drawTag(3);
    if (pointerInside(textGLrightx, textgamelengthy, ARROW_W, picH(textgamelength)))
        drawTag(3);
}

static void drawArrows(int L, int R, int y, int h)
{
    int m = y + h / 2;
    jitteredTriangle(L, m, L + 20, y, L + 20, y + h);
    jitteredTriangle(R, y + h, R, y, R + 20, m);
}

static void drawBackButton()
{
    if (pointerOn(textBack, backqbx, backqby) && clicking == 0)
        rectfill(buffer, 766, backqby, 833, backqby + picH(textBack), hoverBar());
    jittered(textBack, backqbx, backqby);
}

static void drawQuickBoutPage()
{
    int tw = picW(mapthumbs[0]), th = picH(mapthumbs[0]);
    for (int n = 0; n < THUMB_SLOTS; n++) {
        int kind = n < 3 ? n : 3;
        int on = pointerInside(mapThumbx[n], mapThumby[n], tw, th);
        putPicture(mapthumbs[2 * kind + on], mapThumbx[n], mapThumby[n]);
    }
    int T = mapThumbx[THUMB_SLOTS - 1] + tw;
    rectfill(buffer, T + 7, quickbouty - 157, T + 9, mapThumby[0] - 11, white());
    rectfill(buffer, T + 9, quickbouty - 157, quickboutx + 10, quickbouty - 155, white());
    rectfill(buffer, quickboutx + 8, quickbouty - 157, quickboutx + 10, quickbouty, white());

    drawBackButton();

    if (pointerOn(textplayer2human, textplayer2x, textplayer2y) && clicking == 0)
        rectfill(buffer, 700, textplayer2y, 900, textplayer2y + 14, hoverBar());
    jittered(p2cpu == 1 ? textplayer2cpu : textplayer2human, textplayer2x, textplayer2y);

    int y = textAICompy, h = picH(textAICompetence), L = textAIleftx, R = textAIrightx;
    if (p2cpu == 1 && clicking == 0 &&
        (pointerInside(L, y, ARROW_W, h) || pointerInside(R, y, ARROW_W, h)))
        rectfill(buffer, 608, y, 935, y + h, hoverBar());
    jittered(textAICompetence, textAICompx, y);
    if (p2cpu == 1)
        drawArrows(L, R, y, h);
    for (int k = 1; k <= 3; k++) {
        int colour = p2cpu != 1 ? makecol(80, 80, 80) : AIcomp >= k ? white() : pipGrey();
        rectfill(buffer, L + 10 + 20 * k, y, L + 20 + 20 * k, y + h, colour);
    }

    y = textgamelengthy;
    h = picH(textgamelength);
    L = textGLleftx;
    R = textGLrightx;
    int N = textGLnumberx;
    if (clicking == 0 && (pointerInside(L, y, ARROW_W, h) || pointerInside(R, y, ARROW_W, h)))
        rectfill(buffer, 582, y, 945, y + h, hoverBar());
    jittered(textgamelength, textgamelengthx, y);
    drawArrows(L, R, y, h);
    for (int k = 1; k <= 5; k++) {
        int x = N + 20 * (k - 1);
        rectfill(buffer, x, y, x + 10, y + h, k == 1 || GameLength >= k ? white() : pipGrey());
    }

    if (GameLength > 1) {
        putPicture(textGo, textGox, textGoy);
        static const int goSeeds[2][2] = {{5, 5}, {100, 50}};
        if (pointerOn(textGo, textGox, textGoy) && clicking == 0)
            lightButton(textGox, textGoy, goSeeds, 2);
        rect(buffer, textgamelengthx - 3, y - 3, R + 23, y + h + 3, white());
        rect(buffer, textgamelengthx - 4, y - 4, R + 24, y + h + 4, white());
        int g = textGoy + picH(textGo) / 2;
        rectfill(buffer, R + 23, y + h / 2, R + 200, y + h / 2 + 1, white());
        rectfill(buffer, R + 200, y + h / 2, R + 201, g, white());
        rectfill(buffer, R + 200, g, textGox, g + 1, white());
    }

    for (int n = 0; n < THUMB_SLOTS; n++)
        if (pointerInside(mapThumbx[n], mapThumby[n], tw, th))
            drawTag(n < 3 ? n : 3);
}

// The waiting frame's top and bottom per row, relative to the panel.
static const int frameTop[7] = {-2, 15, 32, 49, 66, 83, 100};
static const int frameBottom[7] = {16, 32, 48, 64, 80, 96, 117};

static void drawOptionsPage()
{
    for (int slot = 0; slot < BIND_COUNT; slot++) {
        int x, y, endX;
        bindingRow(slot, &x, &y, &endX);
        if (keyBindings[slot].active == 0 && clicking == 0 &&
            pointerInside(x, y, endX - x, KEY_ROW_H)) {
            int playerOne = x == KEY_ROWS_P1_X;
            rectfill(buffer, x, y, endX, y + KEY_ROW_H,
                     playerOne ? makecol(115, 154, 107) : makecol(167, 133, 170));
        }
    }
    if (pointerOn(defaults, defaultsx, defaultsy) && clicking == 0)
        rectfill(buffer, defaultsx, defaultsy, defaultsx + picW(defaults),
                 defaultsy + picH(defaults), hoverBar());
    if (pointerOn(texthighdetail, textdetailx, textdetaily) && clicking == 0)
        rectfill(buffer, 693, textdetaily, 890, textdetaily + 14, hoverBar());
    if (pointerOn(textmusicon, textmusicx, textmusicy) && clicking == 0)
        rectfill(buffer, textmusicx, textmusicy, textmusicx + picW(textmusicon),
                 textmusicy + picH(textmusicon), hoverBar());
    drawBackButton();
    jittered(defaults, defaultsx, defaultsy);

    int C = optionsx + picW(textOpt) / 2, K = KEY_ROWS_P1_X;
    rectfill(buffer, C, optionsy - 3, C + 2, backqby - 5, white());
    rectfill(buffer, C, backqby - 5, K - 120, backqby - 3, white());
    rectfill(buffer, K - 120, backqby - 5, K - 118, textdetaily - 5, white());
    rectfill(buffer, K - 120, textdetaily - 5, KEY_ROWS_P2_X + 30, textdetaily - 3, white());

    BITMAP *detail = resx == 1600 ? texthighdetail : resx == 1280 ? textmeddetail
                   : resx == 800  ? textlowdetail : NULL;
    if (detail)
        jittered(detail, textdetailx, textdetaily);
    if (musicOn == 1 || musicOn == 0)
        jittered(musicOn == 1 ? textmusicon : textmusicoff, textmusicx, textmusicy);

    jittered(textplayerone, 420, 600);
    jittered(textplayertwo, 1045, 600);
    rectfill(buffer, 420, 620, 565, 622, white());
    rectfill(buffer, 1045, 620, 1190, 622, white());
    putPicture(textkeysetup, KEY_ROWS_P1_X, KEY_ROWS_Y);
    putPicture(textkeysetup, KEY_ROWS_P2_X, KEY_ROWS_Y);

    for (int slot = 0; slot < BIND_COUNT; slot++) {
        if (keyBindings[slot].active != 1)
            continue;
        int x, y, endX;
        bindingRow(slot, &x, &y, &endX);
        int padRow = slot >= BIND_KEY_COUNT;
        int panelY = padRow ? PAD_ROWS_Y : KEY_ROWS_Y;
        int row = (y - panelY) / KEY_ROW_STEP;
        int W = picW(padRow ? textkeysetuppad : textkeysetup);
        rect(buffer, x - 2, panelY + frameTop[row], x + W + 200, panelY + frameBottom[row],
             white());
    }

    drawKeySetup();

    int W = picW(textkeysetup);
    for (int X : {(int)KEY_ROWS_P1_X, (int)KEY_ROWS_P2_X}) {
        int Y = KEY_ROWS_Y;
        jittered(keyboard_image, X - 112, Y);
        rectfill(buffer, X - 35, Y + 15, X - 4, Y + 17, white());
        rectfill(buffer, X - 6, Y - 4, X - 4, Y + 15, white());
        rectfill(buffer, X - 6, Y - 6, X + W, Y - 4, white());
    }
    W = picW(textkeysetuppad);
    int H = picH(textkeysetuppad);
    putPicture(textkeysetuppad, KEY_ROWS_P1_X, PAD_ROWS_Y);
    putPicture(textkeysetuppad, KEY_ROWS_P2_X, PAD_ROWS_Y);
    for (int X : {(int)KEY_ROWS_P1_X, (int)KEY_ROWS_P2_X}) {
        int Y = PAD_ROWS_Y;
        jittered(joypad_image, X - 100, Y);
        rectfill(buffer, X - 35, Y + 20, X - 4, Y + 22, white());
        rectfill(buffer, X - 6, Y + 20, X - 4, Y + H + 4, white());
        rectfill(buffer, X - 6, Y + H + 4, X + W, Y + H + 6, white());
    }
}

// Flood-fill seeds that light each main-menu label's letters.
struct LabelSeeds {
    int n;
    int at[4][2];
};

static void drawMenuHover()
{
    struct Hover {
        BITMAP *pic;
        int x, y;
        LabelSeeds seeds;
    } hovers[] = {
        {textQB, quickboutx, quickbouty, {3, {{5, 5}, {95, 15}, {127, 17}}}},
        {textTeams, teamsx, teamsy, {2, {{5, 5}, {110, 17}}}},
        {textOpt, optionsx, optionsy, {4, {{5, 5}, {60, 17}, {75, 17}, {110, 17}}}},
        {textCredits, creditstextx, creditstexty, {3, {{5, 5}, {76, 17}, {109, 17}}}},
        {textQuit, quitx, quity, {2, {{5, 5}, {107, 17}}}},
    };
    for (const Hover &h : hovers) {
        if (!pointerOn(h.pic, h.x, h.y) || clicking != 0 || h.x <= 299)
            continue;
        lightButton(h.x, h.y, h.seeds.at, h.seeds.n);
    }
}

void DrawTitleScreen()
{
    clear_to_color(buffer, pageBackground());
    if (TitleScreenPhase == TITLE_PAGE_TEAMS) {
        rectfill(buffer, 1220, 0, 1599, 1200, curtainColour());
        rectfill(buffer, 1079, 0, 1190, 1200, curtainColour());
    }
    drawLogo();
    drawMenuLabels();
    drawEarlyTags();
    if (TitleScreenPhase == TITLE_PAGE_QUICK_BOUT && quickbouty > 1099)
        drawQuickBoutPage();
    if (TitleScreenPhase == TITLE_PAGE_OPTIONS && optionsy > 1099 && quickboutx < 0)
        drawOptionsPage();
    drawMenuHover();
    // After a reset the pointer waits at (800, 500) unseen until it moves off that row.
    if (seconds > 5 || (mx != 500 && my != 500))
        drawPagePointer();
    for (int i = 0; i < 4 * TitleWobble - 4; i++) {
        int r = rand() % 1200;
        int g = rand() % 40 + 30;
        line(buffer, 0, r, 1600, r, makecol(g, g, g));
    }
    if (TitleWobble > 1)
        rectfill(buffer, 0, ThickLiney, 1600, ThickLiney + 1, makecol(20, 20, 20));
    presentPage();
}
