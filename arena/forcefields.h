// Team bases and the force fields that close them. A team's base reaches from the outer edge
// of its booth to the outer edge of its force field, and from the field's top down to the
// booth's bottom; the green base lies left of its field, the purple base right of its field.
// A field has no picture: it shows only by the glowing particles that fall inside it.
#pragma once

struct ForceField;

extern ForceField *greenforcefield, *purpleforcefield;

// Size of every force field.
enum { FORCEFIELD_W = 35, FORCEFIELD_H = 136 };

// Places the pair of force fields from the booths' positions at this moment. Runs at every
// world rebuild, after the booths exist; the records of the first build are reused.
void setupForcefields();

// 1 when (x, y) lies strictly inside the base of `team` (1 green, 2 purple): a point on an
// edge is outside.
int insideBase(int team, int x, int y);
// The same test against the base widened by `margin` px on every side, its top taken from
// the booth's top instead of the field's (where new cubes may not appear).
int nearBase(int team, int x, int y, int margin);

// One particle of that side's pool, falling inside its field near (x, y).
void spawnGreenFFPart(int x, int y);
void spawnPurpleFFPart(int x, int y);
// One tick of that side's particles, including the chance of a new one. The fighter of the
// field's own team holds back and drags the particles that fall through his box.
void updateGreenFFPart();
void updatePurpleFFPart();
