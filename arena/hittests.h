// Whether a fighter's shot has flown into a box: the pick-ups' tests on the shot pools (their
// records are core/shots.h's). The point tests on a fighter's box are core/fighter.h's.
#pragma once

// Pool tests on the shot in slot 0 of a pool: 1 when it is live and its centre lies strictly
// inside left..right, top..bottom (bottom the larger y); the shot then ends. The bullet
// tests also start a small explosion at the bullet's trailing end.
int hitbullet(int left, int right, int bottom, int top);
int hitbullet2(int left, int right, int bottom, int top);
int hitplasma(int left, int right, int bottom, int top);
int hitplasma2(int left, int right, int bottom, int top);
int hithomo(int left, int right, int bottom, int top);
int hithomo2(int left, int right, int bottom, int top);
