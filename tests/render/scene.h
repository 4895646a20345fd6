// A small headless scene for the renderer's tests: placeholder pictures whose colours say
// which picture and which way round a pixel came from, and fighters, anchors and booths
// the tests set up field by field.
#pragma once

struct BITMAP;
struct Fighter;
struct GunAnchor;
struct Booth;

// Every picture the renderer draws becomes a placeholder: filled with a colour of its own,
// its leftmost column in a second colour of its own (so a mirrored draw shows it on the
// right). The TV static is left all transparent so it hides nothing.
void makePlaceholderPictures();
// Fresh fighters, anchors and booths; buffer, stain layer and an 800x600 screen; every
// pool built and free.
void resetScene();

extern Fighter sceneFighter1, sceneFighter2;
extern GunAnchor sceneArms1, sceneArms2;
extern Booth sceneBooth1, sceneBooth2;

// 1 when `pic` shows at (x, y) of `bmp` as stored (its marker column at x) or mirrored
// (the marker at x + w - 1), judged on the picture's second row.
int shownAsStored(BITMAP *bmp, BITMAP *pic, int x, int y);
int shownMirrored(BITMAP *bmp, BITMAP *pic, int x, int y);
// 1 when the pixel (x, y) of `bmp` has the fill (marker) colour of `pic`.
int fillAt(BITMAP *bmp, BITMAP *pic, int x, int y);
int markAt(BITMAP *bmp, BITMAP *pic, int x, int y);
// A standing fighter facing right at (x, y), alive, with the gibber and 200 power.
void placeStanding(Fighter *f, GunAnchor *a, int x, int y);
