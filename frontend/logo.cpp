#include <allegro.h>

#include "frontend/title.h"

TitlePiece titlePiece[TITLE_PIECES];

// A leg of a piece's walk: along x or y, by -1 or +1 a step, for `length` pixels.
struct LogoLeg {
    char axis;   // 'x' or 'y'; 0 ends the list
    int dir, length;
};
enum { MAX_LEGS = 7 };

// Walked as trails, the six pieces write "gorblat"; the last legs of pieces 1 and 6
// underline it.
static const LogoLeg logoLegs[TITLE_PIECES][MAX_LEGS] = {
    // g
    {{'x', -1, 25}, {'y', -1, 25}, {'x', 1, 25}, {'y', 1, 32}, {'x', -1, 126}},
    // o
    {{'x', 1, 25}, {'y', 1, 25}, {'x', -1, 25}, {'y', -1, 25}},
    // r
    {{'y', -1, 25}, {'x', 1, 20}, {'y', 1, 7}},
    // b
    {{'y', 1, 40}, {'x', 1, 25}, {'y', -1, 25}, {'x', -1, 25}},
    // la
    {{'y', 1, 40}, {'x', 1, 10}, {'y', -1, 25}, {'x', 1, 25}, {'y', 1, 25}, {'y', -1, 7},
     {'x', -1, 25}},
    // t
    {{'x', 1, 17}, {'x', -1, 10}, {'y', -1, 10}, {'y', 1, 35}, {'x', 1, 120}},
};

enum { CURTAIN_STEP = 6, CURTAIN_END = 1200 };

static void stepPiece(TitlePiece &p, const LogoLeg *legs)
{
    // Legs are tested in order, so the leg after a finished one takes its first pixel in
    // the same step.
    for (int leg = 0; leg < MAX_LEGS && legs[leg].axis; leg++) {
        if (p.phase != leg + 1)
            continue;
        const LogoLeg &l = legs[leg];
        int &pos = l.axis == 'x' ? p.x : p.y;
        int origin = l.axis == 'x' ? p.originX : p.originY;
        if ((pos - origin) * l.dir < l.length)
            pos += l.dir;
        if ((pos - origin) * l.dir >= l.length) {
            p.originX = p.x;
            p.originY = p.y;
            p.phase++;
        }
    }
}

void updateGorblatTitle()
{
    if (titlerecty1 < CURTAIN_END)
        titlerecty1 += CURTAIN_STEP;
    if (titlerecty2 > 0)
        titlerecty2 -= CURTAIN_STEP;
    for (int i = 0; i < TITLE_PIECES; i++)
        stepPiece(titlePiece[i], logoLegs[i]);
}
