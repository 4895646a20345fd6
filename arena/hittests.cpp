#include "arena/hittests.h"

#include <stdlib.h>

#include "arena/explosions.h"
#include "core/shots.h"

// Only the first slot is looked at: a lone shot in flight always sits there.
static int takeShot(Projectile *p, int left, int right, int bottom, int top, int isBullet)
{
    if (!p)
        return 0;
    double cx = p->x + p->w / 2, cy = p->y + p->h / 2;
    if (!(left < cx && cx < right) || !(top < cy && cy < bottom) || p->active != 1)
        return 0;
    p->active = 0;
    if (isBullet) {
        int r = rand() % 10 + 15;
        if (p->direction == 0)
            spawnExplosion(p->x + p->w, p->y + p->h / 2, EXPLOSION_CUBE_HIT, r);
        else if (p->direction == 1)
            spawnExplosion(p->x, p->y + p->h / 2, EXPLOSION_CUBE_HIT, r);
    }
    return 1;
}

int hitbullet(int l, int r, int b, int t) { return takeShot(bullet[0], l, r, b, t, 1); }
int hitbullet2(int l, int r, int b, int t) { return takeShot(bullet2[0], l, r, b, t, 1); }
int hitplasma(int l, int r, int b, int t) { return takeShot(plasma[0], l, r, b, t, 0); }
int hitplasma2(int l, int r, int b, int t) { return takeShot(plasma2[0], l, r, b, t, 0); }
int hithomo(int l, int r, int b, int t) { return takeShot(homorocket[0], l, r, b, t, 0); }
int hithomo2(int l, int r, int b, int t) { return takeShot(homorocket2[0], l, r, b, t, 0); }
