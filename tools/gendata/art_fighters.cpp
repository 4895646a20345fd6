// The soldiers: body sheets (every animation, with frozen twins 363 px to the right) and the
// weapon-arm sheets (seven weapons in five poses, frozen twins 190 px to the right).
//
// A body frame is a stick skeleton (hip, neck, head, knees, feet, arms) fleshed out with
// thick strokes and outlined so it still reads at half size. The held weapon is a separate
// picture drawn at the gun anchor, so each body frame draws its front upper arm from the
// shoulder to the anchor's elbow point: the two layers then join whatever the frame.
#include "tools/gendata/gen.h"

#include <cmath>

namespace {

const float PI = 3.14159265f;

struct Palette {
    int main, dark, light, skin, visor, boot, outline, pack;
};

Palette teamPalette(int team)
{
    const char *base = team == TEAM_GREEN ? "green" : team == TEAM_PURPLE ? "purple" : "grey";
    std::string n(base);
    Palette p;
    p.main = col((n + "_main").c_str());
    p.dark = col((n + "_dark").c_str());
    p.light = col((n + "_light").c_str());
    p.skin = col("skin");
    p.visor = col(team == TEAM_GREY ? "grey_visor" : "visor");
    p.boot = col("boot");
    p.outline = col("outline");
    p.pack = col("pack");
    return p;
}

struct Pt { float x, y; };

Pt limb(Pt from, float angle, float len)
{
    return {from.x + std::sin(angle) * len, from.y + std::cos(angle) * len};
}

// A side-view skeleton, facing right. Angles in radians from straight down, positive forward.
struct Body {
    Pt hip, neck, head;
    Pt kneeF, footF, kneeB, footB;
    Pt elbowB, handB;
    Pt shoulderF, elbowF; // front upper arm, drawn when hasFrontArm
    bool hasFrontArm;
    bool back;            // symmetric, seen from behind (climbing)...
    bool front;           // ...or from the front (with back also set)
    Pt handF;             // climbing: second hand on the rungs
};

Body sideBody(float hipX, float hipY, float lean, float thF, float shF, float thB, float shB)
{
    Body b{};
    b.hip = {hipX, hipY};
    b.neck = {hipX + std::sin(lean) * 13, hipY - std::cos(lean) * 13};
    b.head = {b.neck.x + std::sin(lean) * 6 + 1, b.neck.y - std::cos(lean) * 6};
    b.kneeF = limb(b.hip, thF, 10);
    b.footF = limb(b.kneeF, shF, 10);
    b.kneeB = limb(b.hip, thB, 10);
    b.footB = limb(b.kneeB, shB, 10);
    b.shoulderF = {b.neck.x - 1, b.neck.y + 3};
    b.elbowB = limb(b.shoulderF, -0.3f, 7);
    b.handB = limb(b.elbowB, 0.6f, 6);
    return b;
}

// A side-view pose given point by point, for the poses the joint angles do not reach
// (sliding, lying flat); the front upper arm runs to elbowF, where the weapon picture begins.
Body posedBody(Pt hip, Pt neck, Pt head, Pt kneeF, Pt footF, Pt kneeB, Pt footB, Pt shoulderF,
               Pt elbowB, Pt handB, Pt elbowF)
{
    Body b{};
    b.hip = hip;
    b.neck = neck;
    b.head = head;
    b.kneeF = kneeF;
    b.footF = footF;
    b.kneeB = kneeB;
    b.footB = footB;
    b.shoulderF = shoulderF;
    b.elbowB = elbowB;
    b.handB = handB;
    b.hasFrontArm = true;
    b.elbowF = elbowF;
    return b;
}

void drawBoot(BITMAP *bm, Pt knee, Pt foot, int c, bool back)
{
    thickLine(bm, foot.x, foot.y - 1, foot.x, foot.y - 1, 2.5f, c);
    if (!back) {
        float dx = foot.x - knee.x, dy = foot.y - knee.y;
        float len = std::sqrt(dx * dx + dy * dy);
        // toe points forward, perpendicular to the shin
        float tx = dy / len * 3, ty = -dx / len * 3;
        thickLine(bm, foot.x, foot.y - 1, foot.x + tx, foot.y - 1 + ty, 1.5f, c);
    }
}

void drawLeg(BITMAP *bm, const Body &b, Pt knee, Pt foot, int c, const Palette &p)
{
    thickLine(bm, b.hip.x, b.hip.y, knee.x, knee.y, 2.8f, c);
    thickLine(bm, knee.x, knee.y, foot.x, foot.y - 2, 2.4f, c);
    drawBoot(bm, knee, foot, p.boot, b.back);
}

void drawSoldier(BITMAP *bm, const Body &b, const Palette &p)
{
    // back leg and arm first, in the shaded colour; trousers darker than the jacket
    drawLeg(bm, b, b.kneeB, b.footB, shadeCol(p.dark, 70), p);
    if (!b.back) {
        thickLine(bm, b.shoulderF.x - 2, b.shoulderF.y, b.elbowB.x, b.elbowB.y, 2.2f, p.dark);
        thickLine(bm, b.elbowB.x, b.elbowB.y, b.handB.x, b.handB.y, 2.0f, p.dark);
        thickLine(bm, b.handB.x, b.handB.y, b.handB.x, b.handB.y, 1.5f, p.skin);
    }
    // backpack behind the torso
    if (!b.back) {
        float bx = (b.neck.x + b.hip.x) / 2 - 5, by = (b.neck.y + b.hip.y) / 2 - 1;
        rectfill(bm, (int)bx - 2, (int)by - 4, (int)bx + 2, (int)by + 4, p.pack);
    }
    // torso
    thickLine(bm, b.hip.x, b.hip.y - 1, b.neck.x, b.neck.y + 2, 4.6f, p.main);
    float mx = (b.hip.x * 2 + b.neck.x) / 3, my = (b.hip.y * 2 + b.neck.y) / 3;
    thickLine(bm, mx, my + 1, mx + 0.5f, my + 1, 1.0f, p.dark); // belt
    if (b.front) {
        thickLine(bm, b.neck.x, b.neck.y + 4, b.neck.x, my - 2, 1.5f, p.light); // chest plate
    } else if (b.back) {
        // pack on the back, seen from behind
        rectfill(bm, (int)b.neck.x - 4, (int)b.neck.y + 3, (int)b.neck.x + 4, (int)b.neck.y + 10,
                 p.pack);
        rect(bm, (int)b.neck.x - 4, (int)b.neck.y + 3, (int)b.neck.x + 4, (int)b.neck.y + 10,
             p.dark);
    } else {
        // chest plate highlight
        thickLine(bm, b.neck.x + 2, b.neck.y + 4, mx + 2, my - 2, 1.3f, p.light);
    }
    // front leg
    drawLeg(bm, b, b.kneeF, b.footF, p.dark, p);
    // head: helmet with a visor on the facing side
    int hx = (int)std::lround(b.head.x), hy = (int)std::lround(b.head.y);
    circlefill(bm, hx, hy, 6, p.main);
    arc(bm, hx, hy, itofix(20), itofix(110), 5, p.light);
    if (!b.back)
        hline(bm, hx - 6, hy + 1, hx + 1, p.dark); // helmet rim
    if (b.front) {
        rectfill(bm, hx - 4, hy - 1, hx + 4, hy + 2, p.visor);
        hline(bm, hx - 3, hy - 1, hx + 2, col("white"));
        rectfill(bm, hx - 2, hy + 3, hx + 2, hy + 5, p.skin);
    } else if (b.back) {
        hline(bm, hx - 4, hy + 2, hx + 4, p.dark);
    } else {
        rectfill(bm, hx + 1, hy - 1, hx + 6, hy + 2, p.visor);
        hline(bm, hx + 2, hy - 1, hx + 5, col("white"));
        rectfill(bm, hx + 1, hy + 3, hx + 4, hy + 5, p.skin); // chin
    }
    // arms
    if (b.back) {
        thickLine(bm, b.neck.x - 4, b.neck.y + 3, b.elbowB.x, b.elbowB.y, 1.8f, p.light);
        thickLine(bm, b.elbowB.x, b.elbowB.y, b.handB.x, b.handB.y, 1.6f, p.light);
        thickLine(bm, b.neck.x + 4, b.neck.y + 3, b.elbowF.x, b.elbowF.y, 1.8f, p.light);
        thickLine(bm, b.elbowF.x, b.elbowF.y, b.handF.x, b.handF.y, 1.6f, p.light);
        circlefill(bm, (int)b.handB.x, (int)b.handB.y, 1, p.skin);
        circlefill(bm, (int)b.handF.x, (int)b.handF.y, 1, p.skin);
    } else if (b.hasFrontArm) {
        thickLine(bm, b.shoulderF.x, b.shoulderF.y, b.elbowF.x, b.elbowF.y, 2.4f, p.light);
    }
}

// The elbow point of the weapon picture (where its forearm starts), in arm coordinates.
const Pt ARM_ELBOW = {7, 4};

// Front elbow in body coordinates for a weapon drawn at anchor (dx, dy), as stored.
Pt elbowAt(int dx, int dy)
{
    return {dx + ARM_ELBOW.x, dy + ARM_ELBOW.y};
}

BITMAP *finishFrame(BITMAP *f, const Palette &p)
{
    outlineSprite(f, p.outline);
    return f;
}

// Standing, breathing: frame i lifts the chest as the gun anchor table does.
BITMAP *stillFrame(int i, const Palette &p)
{
    static const int anchorDy[11] = {19, 18, 17, 17, 18, 19, 19, 19, 19, 19, 19};
    BITMAP *f = newPic(33, 48);
    float rise = (19 - anchorDy[i]) * 0.5f;
    Body b = sideBody(15, 27 - rise * 0.3f, 0.05f, 0.12f, 0.0f, -0.18f, -0.05f);
    b.neck.y -= rise;
    b.head.y -= rise;
    b.shoulderF.y -= rise;
    b.elbowB = limb(b.shoulderF, -0.2f, 7);
    b.handB = limb(b.elbowB, 0.4f, 6);
    // frames 6..10 glance around: the head bobs a little
    if (i >= 6)
        b.head.x += (i % 2) ? 0.6f : -0.4f;
    b.hasFrontArm = true;
    b.elbowF = elbowAt(2, anchorDy[i]);
    drawSoldier(f, b, p);
    return finishFrame(f, p);
}

const int runDx[11] = {11, 10, 11, 11, 11, 5, 4, 4, 6, 13, 9};
const int runDy[11] = {15, 15, 18, 21, 26, 19, 17, 16, 19, 24, 21};

Body runBody(int i)
{
    float t = i / 11.0f * 2 * PI;
    float s = std::sin(t);
    float bob = std::fabs(std::cos(t)) * 1.5f;
    float thF = 0.75f * s, thB = -0.75f * s;
    // the leg swinging back bends its knee
    float shF = thF - 0.2f - (s < 0 ? 1.1f * -s : 0.1f);
    float shB = thB - 0.2f - (s > 0 ? 1.1f * s : 0.1f);
    Body b = sideBody(15, 26.5f - bob, 0.25f, thF, shF, thB, shB);
    b.elbowB = limb(b.shoulderF, -0.9f * s - 0.2f, 7);
    b.handB = limb(b.elbowB, -0.9f * s + 1.0f, 6);
    return b;
}

BITMAP *runFrame(int i, const Palette &p, bool sonic)
{
    BITMAP *f = newPic(33, 48);
    Body b = runBody(i);
    b.hasFrontArm = true;
    b.elbowF = sonic ? elbowAt(6, 18) : elbowAt(runDx[i], runDy[i]);
    if (sonic) {
        // speed streaks trailing behind
        int streak = col("sonic_streak");
        for (int k = 0; k < 5; k++) {
            int y = 10 + k * 8 + (i + k) % 3;
            hline(f, 0, y, 6 + ((i * 3 + k * 5) % 6), streak);
        }
        // an after-image of the previous stride
        BITMAP *ghost = newPic(33, 48);
        Body g = runBody((i + 8) % 11);
        g.hasFrontArm = false;
        drawSoldier(ghost, g, p);
        for (int y = 0; y < 48; y++)
            for (int x = 0; x < 30; x++)
                if (getpixel(ghost, x + 3, y) != MASK && ((x + y) & 1))
                    putpixel(f, x, y, streak);
        destroy_bitmap(ghost);
    }
    drawSoldier(f, b, p);
    return finishFrame(f, p);
}

BITMAP *jumpFrame(const Palette &p)
{
    BITMAP *f = newPic(33, 48);
    Body b = sideBody(15, 25, 0.15f, 1.2f, -0.2f, 0.3f, -0.9f);
    b.elbowB = limb(b.shoulderF, -1.6f, 7);
    b.handB = limb(b.elbowB, -2.2f, 5);
    b.hasFrontArm = true;
    b.elbowF = elbowAt(2, 17);
    drawSoldier(f, b, p);
    return finishFrame(f, p);
}

BITMAP *grabFrame(const Palette &p)
{
    // Hanging on a wall to his right: free hand and feet against the wall, body turned out.
    BITMAP *f = newPic(33, 48);
    Body b = sideBody(16, 27, -0.1f, 0.9f, 0.1f, 0.7f, -0.3f);
    b.elbowB = {27, 9};
    b.handB = {30, 6};
    b.hasFrontArm = true;
    // weapon is drawn mirrored at (-17, 14): its elbow lands at (20 - 7, 14 + 4)
    b.elbowF = {20 - ARM_ELBOW.x, 14 + ARM_ELBOW.y};
    drawSoldier(f, b, p);
    thickLine(f, 30, 6, 30, 6, 1.8f, p.skin);
    return finishFrame(f, p);
}

BITMAP *crouchFrame(const Palette &p)
{
    // 33x31, drawn 18 px lower than the body box; row 30 stays clear (it touches climb 2).
    BITMAP *f = newPic(33, 31);
    BITMAP *tall = newPic(33, 48);
    Body b = sideBody(13, 41, 0.35f, 1.6f, -0.2f, 0.9f, -0.6f);
    b.neck = {17, 31};
    b.head = {19, 25};
    b.shoulderF = {16, 33};
    b.elbowB = {13, 38};
    b.handB = {17, 41};
    b.kneeF = {22, 38};
    b.kneeB = {18, 42};
    b.footF = {22, 46};
    b.footB = {10, 46};
    b.hasFrontArm = true;
    b.elbowF = elbowAt(6, 27);
    drawSoldier(tall, b, p);
    blit(tall, f, 0, 17, 0, 0, 33, 30);
    destroy_bitmap(tall);
    return finishFrame(f, p);
}

BITMAP *slideFrame(int i, const Palette &p)
{
    BITMAP *f = newPic(49, 48);
    // leaning back, front leg stretched ahead, back leg folded under
    Body b = posedBody({18, 39}, {11, 28}, {10, 21}, {28, 41}, {37, 46}, {22, 45}, {14, 47},
                       {12, 30}, {6, 37}, {5, 44}, elbowAt(8, 30));
    // dust kicked up at the front foot
    int dust = col("dust");
    for (int k = 0; k < 3 + i; k++) {
        int dx = 38 + (k * 5 + i * 3) % 10, dy = 43 - (k * 3 + i) % 6;
        circlefill(f, dx, dy, 1 + (k + i) % 2, dust);
    }
    drawSoldier(f, b, p);
    return finishFrame(f, p);
}

BITMAP *hitfloorFrame(const Palette &p)
{
    // knocked flat on his back, knees up, face to the sky, stars over his head
    BITMAP *f = newPic(33, 48);
    Body b = posedBody({21, 44}, {12, 43}, {6, 41}, {26, 36}, {31, 46}, {28, 39}, {32, 47},
                       {13, 42}, {9, 47}, {3, 47}, elbowAt(0, 26));
    drawSoldier(f, b, p);
    // turn the face up: helmet again, visor and chin on top
    circlefill(f, 6, 41, 5, p.main);
    rectfill(f, 3, 35, 9, 37, p.visor);
    rectfill(f, 4, 38, 8, 39, p.skin);
    int star = col("star");
    for (int k = 0; k < 3; k++) {
        int sx = 4 + k * 7, sy = 28 + (k % 2) * 3;
        putpixel(f, sx, sy, star);
        putpixel(f, sx - 1, sy, star);
        putpixel(f, sx + 1, sy, star);
        putpixel(f, sx, sy - 1, star);
        putpixel(f, sx, sy + 1, star);
    }
    return finishFrame(f, p);
}

const int climbDx[7] = {-8, -6, -4, -2, 0, -2, -4};

BITMAP *climbFrame(int i, const Palette &p)
{
    // Seen from behind, hands on the rungs, limbs alternating.
    BITMAP *f = newPic(33, 48);
    float t = i / 7.0f * 2 * PI;
    float s = std::sin(t);
    Body b{};
    b.back = true;
    b.hip = {16, 28};
    b.neck = {16, 15};
    b.head = {16, 8};
    float lUp = 3 * s, rUp = -3 * s;
    b.kneeB = {11, 36 + lUp};
    b.footB = {11, 46 + lUp * 0.5f};
    b.kneeF = {21, 36 + rUp};
    b.footF = {21, 46 + rUp * 0.5f};
    b.elbowB = {4, 12 - rUp};
    b.handB = {7, 4 - rUp};
    b.elbowF = {28, 12 - lUp};
    b.handF = {25, 4 - lUp};
    if (b.footB.y > 47) b.footB.y = 47;
    if (b.footF.y > 47) b.footF.y = 47;
    (void)climbDx;
    drawSoldier(f, b, p);
    finishFrame(f, p);
    // the top row of climb frame 2 is also the crouch frame's bottom row: keep it clear
    hline(f, 0, 0, 32, MASK);
    return f;
}

// Respawn: the soldier is beamed in from the feet up; "big" ends in a fist-raised cheer
// (his team leads on power), the other ends standing ready.
BITMAP *respawnFrame(int i, bool big, bool front, const Palette &p)
{
    BITMAP *f = newPic(33, 48);
    BITMAP *full = newPic(33, 48);
    // no weapon is drawn during the respawn, so both arms belong to the body
    bool cheer = big && i >= 11; // the team leads on power: both fists up
    if (front) {
        Body b{};
        b.back = b.front = true;
        b.hip = {16, 28};
        b.neck = {16, 15};
        b.head = {16, 8};
        b.kneeB = {12, 37};
        b.footB = {12, 46};
        b.kneeF = {20, 37};
        b.footF = {20, 46};
        b.elbowB = cheer ? Pt{7, 12} : Pt{9, 22};
        b.handB = cheer ? Pt{5, 5} : Pt{8, 28};
        b.elbowF = cheer ? Pt{25, 12} : Pt{23, 22};
        b.handF = cheer ? Pt{27, 5} : Pt{24, 28};
        drawSoldier(full, b, p);
    } else {
        Body b = sideBody(15, 27, 0.0f, 0.15f, 0.0f, -0.15f, 0.0f);
        b.hasFrontArm = true;
        b.elbowF = {b.shoulderF.x + 1, b.shoulderF.y + 7};
        Pt handF = {b.shoulderF.x + 4, b.shoulderF.y + 12};
        if (cheer) {
            b.elbowB = {7, 12};
            b.handB = {4, 5};
            b.elbowF = {25, 12};
            handF = {28, 5};
        }
        drawSoldier(full, b, p);
        thickLine(full, b.elbowF.x, b.elbowF.y, handF.x, handF.y, 2.0f, p.light);
        circlefill(full, (int)handF.x, (int)handF.y, 2, p.skin);
    }
    outlineSprite(full, p.outline);
    int beam = col(big ? "beam_big" : "beam");
    int revealed = (i + 1) * 48 / 14; // whole body by frame 13
    if (revealed > 48) revealed = 48;
    int top = 48 - revealed;
    for (int y = 0; y < 48; y++)
        for (int x = 0; x < 33; x++) {
            int c = getpixel(full, x, y);
            if (c == MASK)
                continue;
            if (y >= top)
                putpixel(f, x, y, c);
            else if (((x + y + i) % 3) == 0)
                putpixel(f, x, y, beam); // ghost outline of what is still to come
        }
    if (i < 14) {
        hline(f, 3, top, 29, col("white"));
        hline(f, 6, top + 1, 26, beam);
    }
    // sparkles around him
    seedRand(1000 + i * 7 + big);
    int sparks = i < 14 ? 6 : (big ? 4 : 1);
    for (int k = 0; k < sparks; k++) {
        int x = 2 + rnd(29), y = 2 + rnd(44);
        int c = k % 2 ? beam : col("white");
        putpixel(f, x, y, c);
        putpixel(f, x - 1, y, c);
        putpixel(f, x + 1, y, c);
        putpixel(f, x, y - 1, c);
        putpixel(f, x, y + 1, c);
    }
    destroy_bitmap(full);
    return f;
}

// Encases the frozen body in a block of ice: the box around his pixels filled with a
// see-through dither and edged, so the frozen look reads even at half size.
void iceBlock(BITMAP *f)
{
    int x1 = f->w, y1 = f->h, x2 = -1, y2 = -1;
    for (int y = 0; y < f->h; y++)
        for (int x = 0; x < f->w; x++)
            if (getpixel(f, x, y) != MASK) {
                x1 = MIN(x1, x);
                y1 = MIN(y1, y);
                x2 = MAX(x2, x);
                y2 = MAX(y2, y);
            }
    int fill = col("ice_fill"), edge = col("ice_edge");
    for (int y = y1; y <= y2; y++)
        for (int x = x1; x <= x2; x++) {
            if (getpixel(f, x, y) != MASK)
                continue;
            if (x == x1 || x == x2 || y == y1 || y == y2)
                putpixel(f, x, y, edge);
            else if (((x + y) & 1) == 0)
                putpixel(f, x, y, fill);
        }
}

void place(BITMAP *sheet, BITMAP *frame, int x, int y, bool withIce)
{
    blit(frame, sheet, 0, 0, x, y, frame->w, frame->h);
    if (withIce) {
        tintIce(frame);
        iceBlock(frame);
        blit(frame, sheet, 0, 0, x + 363, y, frame->w, frame->h);
    }
    destroy_bitmap(frame);
}

// ---- weapons ---------------------------------------------------------------------------

// Draws weapon w (1..7) horizontally with its grip at (gx, gy), barrel to the right.
void drawGun(BITMAP *b, int w, int gx, int gy)
{
    int metal = col("gun_metal"), dark = col("gun_dark"), hi = col("gun_light");
    switch (w) {
    case 1: // gibber: compact machine pistol
        rectfill(b, gx - 3, gy - 3, gx + 12, gy + 1, metal);
        rectfill(b, gx + 12, gy - 2, gx + 18, gy, dark);
        rectfill(b, gx - 1, gy + 1, gx + 2, gy + 5, dark);
        rectfill(b, gx + 5, gy + 1, gx + 7, gy + 4, dark); // magazine
        hline(b, gx - 2, gy - 3, gx + 11, hi);
        break;
    case 2: { // zapzap: plasma gun with glowing coils
        int glow = col("plasma"), glow2 = col("plasma_light");
        rectfill(b, gx - 3, gy - 4, gx + 14, gy + 2, col("zap_body"));
        rectfill(b, gx + 14, gy - 3, gx + 19, gy + 1, dark);
        for (int k = 0; k < 4; k++)
            vline(b, gx + 2 + k * 3, gy - 5, gy + 3, glow);
        hline(b, gx - 2, gy - 1, gx + 13, glow2);
        circlefill(b, gx + 20, gy - 1, 2, glow2);
        rectfill(b, gx - 1, gy + 2, gx + 2, gy + 5, dark);
        break;
    }
    case 3: // homo: rocket launcher tube with the rocket's red nose showing
        rectfill(b, gx - 8, gy - 5, gx + 18, gy + 1, col("launcher"));
        hline(b, gx - 8, gy - 5, gx + 18, hi);
        rectfill(b, gx + 19, gy - 4, gx + 22, gy, col("rocket_nose"));
        rectfill(b, gx - 10, gy - 6, gx - 8, gy + 2, dark);
        rectfill(b, gx + 16, gy - 6, gx + 18, gy + 2, dark);
        rectfill(b, gx - 1, gy + 1, gx + 2, gy + 5, dark);
        break;
    case 4: // mummra: thruster cannon with a flared bell mouth
        rectfill(b, gx - 4, gy - 4, gx + 12, gy + 1, col("thruster_body"));
        triangle(b, gx + 12, gy - 2, gx + 20, gy - 8, gx + 20, gy + 5, col("thruster_bell"));
        vline(b, gx + 20, gy - 7, gy + 4, col("thruster_glow"));
        hline(b, gx - 3, gy - 4, gx + 11, hi);
        rectfill(b, gx - 1, gy + 1, gx + 2, gy + 5, dark);
        break;
    case 5: // moonraker: long silver laser with a red lens
        rectfill(b, gx - 4, gy - 3, gx + 10, gy + 1, col("laser_body"));
        rectfill(b, gx + 10, gy - 2, gx + 22, gy, hi);
        rectfill(b, gx + 23, gy - 3, gx + 24, gy + 1, col("laser_lens"));
        hline(b, gx - 3, gy - 1, gx + 9, col("laser_lens"));
        rectfill(b, gx - 1, gy + 1, gx + 2, gy + 5, dark);
        break;
    case 6: // minedrop: boxy hazard-striped dispenser
        rectfill(b, gx - 3, gy - 6, gx + 13, gy + 2, col("hazard_yellow"));
        for (int k = 0; k < 4; k++)
            line(b, gx - 1 + k * 4, gy + 2, gx + 3 + k * 4, gy - 6, col("hazard_black"));
        rect(b, gx - 3, gy - 6, gx + 13, gy + 2, dark);
        rectfill(b, gx + 13, gy - 1, gx + 16, gy + 3, dark); // chute
        rectfill(b, gx - 1, gy + 2, gx + 2, gy + 5, dark);
        break;
    case 7: // dualgibber: a long upper barrel and a short lower one
        rectfill(b, gx - 3, gy - 8, gx + 23, gy - 5, metal); // reaches its flash at +38
        hline(b, gx - 3, gy - 8, gx + 23, hi);
        rectfill(b, gx - 3, gy - 3, gx + 8, gy + 1, metal);
        hline(b, gx - 3, gy - 3, gx + 8, hi);
        rectfill(b, gx + 2, gy - 5, gx + 4, gy - 3, dark);
        rectfill(b, gx - 1, gy + 1, gx + 2, gy + 5, dark);
        break;
    }
}

// One 38x20 weapon picture: forearm from the elbow point to the hand, the gun in the hand.
BITMAP *armFrame(int weapon, int pose, const Palette &p)
{
    BITMAP *f = newPic(38, 20);
    if (pose == 1) {
        // climbing: the weapon slung across the back, strap over the shoulder
        BITMAP *g = newPic(40, 20);
        drawGun(g, weapon, 10, 11);
        pivot_sprite(f, g, 19, 10, 20, 10, ftofix(-35.0 * 256 / 360));
        destroy_bitmap(g);
        thickLine(f, 12, 2, 26, 16, 0.6f, col("strap"));
        outlineSprite(f, p.outline);
        return f;
    }
    float angle = 0;
    int hx = 15, hy = 9;
    if (pose == 2) angle = -8;              // grab: aimed slightly up, away from the wall
    if (pose == 3) angle = -12;             // slide: tipped up as he leans back
    if (pose == 4) { angle = 15; hy = 8; }  // knocked flat: barrel drooping to the floor
    BITMAP *g = newPic(44, 20);
    drawGun(g, weapon, 12, 10);
    pivot_sprite(f, g, hx, hy, 12, 10, ftofix(angle * 256 / 360));
    destroy_bitmap(g);
    thickLine(f, ARM_ELBOW.x, ARM_ELBOW.y, hx - 1, hy - 1, 2.2f, p.light);
    circlefill(f, hx, hy, 2, p.skin);
    outlineSprite(f, p.outline);
    return f;
}

} // namespace

BITMAP *makeFighterSheet(int team)
{
    Palette p = teamPalette(team);
    BITMAP *s = newPic(726, 336);
    for (int i = 0; i < 11; i++) {
        place(s, stillFrame(i, p), 33 * i, 0, true);
        place(s, runFrame(i, p, false), 33 * i, 48, true);
        place(s, runFrame(i, p, true), 33 * i, 288, false);
    }
    place(s, jumpFrame(p), 0, 96, true);
    place(s, grabFrame(p), 33, 96, true);
    place(s, crouchFrame(p), 66, 114, true);
    for (int i = 0; i < 4; i++)
        place(s, slideFrame(i, p), 99 + 49 * i, 96, true);
    place(s, hitfloorFrame(p), 297, 96, true);
    for (int i = 0; i < 7; i++)
        place(s, climbFrame(i, p), 33 * i, 144, true);
    // Fighter 2 waits in his booth facing left and his respawn is drawn as stored, so the
    // purple sheet holds it mirrored; the slowed look's respawn serves both fighters, so it
    // faces out of the booth.
    for (int i = 0; i < 19; i++)
        for (int big = 0; big < 2; big++) {
            BITMAP *f = respawnFrame(i, big, team == TEAM_GREY, p);
            if (team == TEAM_PURPLE) {
                BITMAP *m = newPic(33, 48);
                draw_sprite_h_flip(m, f, 0, 0);
                destroy_bitmap(f);
                f = m;
            }
            place(s, f, 33 * i, big ? 192 : 240, false);
        }
    return s;
}

BITMAP *makeArmSheet(int team)
{
    Palette p = teamPalette(team);
    BITMAP *s = newPic(380, 140);
    for (int w = 1; w <= 7; w++)
        for (int pose = 0; pose < 5; pose++) {
            BITMAP *f = armFrame(w, pose, p);
            blit(f, s, 0, 0, pose * 38, (w - 1) * 20, 38, 20);
            tintIce(f);
            blit(f, s, 0, 0, 190 + pose * 38, (w - 1) * 20, 38, 20);
            destroy_bitmap(f);
        }
    return s;
}
