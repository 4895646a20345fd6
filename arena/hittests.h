// Whether something touches a fighter's body box, or a fighter's shot has flown into a box.
#pragma once

// Point tests: 1 when (px, py) lies strictly inside the box; no side effects. `hit` and
// `hitcrouch` test player 2 (the whole box, its lower half); `hit2`, `hit2crouch` player 1.
int hit(int px, int py);
int hitcrouch(int px, int py);
int hit2(int px, int py);
int hit2crouch(int px, int py);
// The same two tests on any fighter's box.
struct Fighter;
int insideBody(const Fighter *f, int px, int py);
int insideLowerHalf(const Fighter *f, int px, int py);

// Pool tests on the shot in slot 0 of a pool: 1 when it is live and its centre lies strictly
// inside left..right, top..bottom (bottom the larger y); the shot then ends. The bullet
// tests also start a small explosion at the bullet's trailing end.
int hitbullet(int left, int right, int bottom, int top);
int hitbullet2(int left, int right, int bottom, int top);
int hitplasma(int left, int right, int bottom, int top);
int hitplasma2(int left, int right, int bottom, int top);
int hithomo(int left, int right, int bottom, int top);
int hithomo2(int left, int right, int bottom, int top);
