#include "core/fighter.h"

#include <stddef.h>

Fighter *player = NULL, *player2 = NULL;
GunAnchor *arms = NULL, *arms2 = NULL;
Booth *booth = NULL, *booth2 = NULL;

int insideBody(const Fighter *f, int px, int py)
{
    return f->x < px && px < f->x + f->w && f->y < py && py < f->y + f->h;
}

int insideLowerHalf(const Fighter *f, int px, int py)
{
    return f->x < px && px < f->x + f->w && f->y + f->h / 2 < py && py < f->y + f->h;
}

int hit(int px, int py) { return insideBody(player2, px, py); }
int hitcrouch(int px, int py) { return insideLowerHalf(player2, px, py); }
int hit2(int px, int py) { return insideBody(player, px, py); }
int hit2crouch(int px, int py) { return insideLowerHalf(player, px, py); }
