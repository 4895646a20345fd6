#include "arena/forcefields.h"

#include <stdlib.h>

#include "arena/effects.h"
#include "core/fighter.h"

ForceField *greenforcefield = NULL;
ForceField *purpleforcefield = NULL;

// Where each field stands relative to its booth.
static const int GREEN_FIELD_FROM_BOOTH = 275;
static const int PURPLE_FIELD_FROM_BOOTH = -212;
static const int FIELD_ABOVE_BOOTH = 5;

void setupForcefields()
{
    if (!greenforcefield)
        greenforcefield = new ForceField();
    if (!purpleforcefield)
        purpleforcefield = new ForceField();
    *greenforcefield = ForceField();
    *purpleforcefield = ForceField();
    greenforcefield->x = booth->x + GREEN_FIELD_FROM_BOOTH;
    greenforcefield->y = booth->y - FIELD_ABOVE_BOOTH;
    purpleforcefield->x = booth2->x + PURPLE_FIELD_FROM_BOOTH;
    purpleforcefield->y = booth2->y - FIELD_ABOVE_BOOTH;
    greenforcefield->w = purpleforcefield->w = FORCEFIELD_W;
    greenforcefield->h = purpleforcefield->h = FORCEFIELD_H;
}

// The base rectangle of a team: from the booth's outer edge to the field's outer edge, from
// the field's top (or `top` when given) to the booth's bottom.
static void baseEdges(int team, double *left, double *right, double *top, double *bottom)
{
    if (team == 1) {
        *left = booth->x;
        *right = greenforcefield->x + greenforcefield->w;
        *top = greenforcefield->y;
        *bottom = booth->y + booth->h;
    } else {
        *left = purpleforcefield->x;
        *right = booth2->x + booth2->w;
        *top = purpleforcefield->y;
        *bottom = booth2->y + booth2->h;
    }
}

int insideBase(int team, int x, int y)
{
    double left, right, top, bottom;
    baseEdges(team, &left, &right, &top, &bottom);
    return x > left && x < right && y > top && y < bottom;
}

int nearBase(int team, int x, int y, int margin)
{
    double left, right, top, bottom;
    baseEdges(team, &left, &right, &top, &bottom);
    top = (team == 1 ? booth->y : booth2->y);
    return x > left - margin && x < right + margin && y > top - margin && y < bottom + margin;
}

static void spawnFFPart(EffectParticle *(&pool)[FFPART_COUNT], int x, int y, int spawnOffset)
{
    EffectParticle *p = takeFreeRecord(pool);
    if (!p)
        return;
    p->x = x + spawnOffset + rand() % 10;
    p->y = y;
    p->size = rand() % 5 + 1;
    p->speedY = rand() % 8 + 1;
}

// Green particles fall in the right-hand part of the green field, purple ones in the
// left-hand part of the purple field.
static const int GREEN_SPAWN_OFFSET = 20, PURPLE_SPAWN_OFFSET = 5;
static const int GREEN_DRIFT_LOW = -2, PURPLE_DRIFT_LOW = -1;

void spawnGreenFFPart(int x, int y)
{
    spawnFFPart(greenffpart, x, y, GREEN_SPAWN_OFFSET);
}

void spawnPurpleFFPart(int x, int y)
{
    spawnFFPart(purpleffpart, x, y, PURPLE_SPAWN_OFFSET);
}

// Particles start this far below the field's top.
static const int FFPART_START_BELOW_TOP = 5;

static void updateFFParts(EffectParticle *(&pool)[FFPART_COUNT], ForceField *field,
                          Fighter *fighter, int spawnOffset, int driftLow)
{
    if (rand() % 10 < 4)
        spawnFFPart(pool, (int)field->x, (int)(field->y + FFPART_START_BELOW_TOP), spawnOffset);
    double fieldBottom = field->y + field->h;
    for (EffectParticle *p : pool) {
        if (p->active == 1 && fieldBottom > p->y + p->h) {
            p->y += p->speedY;
            p->x += rand() % 4 + driftLow;
            int cx = (int)(p->x + p->w / 2);
            int cy = (int)(p->y + p->h / 2);
            // Only the field's own team's fighter holds its particles back.
            int held = fighter == player ? hit2(cx, cy) : hit(cx, cy);
            if (held) {
                p->speedY = 1;
                p->x += fighter->facing == 1 ? fighter->runSpeed : -fighter->runSpeed;
            }
        } else {
            p->active = 0;
        }
    }
}

void updateGreenFFPart()
{
    updateFFParts(greenffpart, greenforcefield, player, GREEN_SPAWN_OFFSET, GREEN_DRIFT_LOW);
}

void updatePurpleFFPart()
{
    updateFFParts(purpleffpart, purpleforcefield, player2, PURPLE_SPAWN_OFFSET,
                  PURPLE_DRIFT_LOW);
}
