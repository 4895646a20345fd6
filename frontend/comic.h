// The comic panels of the map pre-screen (frontend/, with the other screens between bouts):
// one per team, sliding in from its side with speed
// streaks in its team's colours, a comic picture panning in its window and the team's
// rating (or the computer's level) on a gauge below.
#pragma once

struct EffectParticle;

struct MangaPanel {
    int x, y;       // top-left, page pixels
    int active;     // 1 while shown and moving
    int side;       // 0 the left (green) panel, 1 the right (purple) one
    int speed;      // slide-in speed, px per frame
    int step;       // drift per frame: added above y 250, taken off below
    int flip;       // drawn at spawn, unused by the drawing
};

enum { MANGA_COUNT = 2, MANGABIT_COUNT = 200 };
extern MangaPanel *manga[MANGA_COUNT];          // 0 left, 1 right
extern EffectParticle *mangaBit[MANGABIT_COUNT]; // the streaks

// Pan offset of the comic pictures and the step of the next frame.
extern int mangaOneX, mangaOneSpeed;

// Builds the two panels and the streaks, all free. Records of an earlier build are reused.
void setupManga();
void spawnManga(int x, int y, int side, int speed, int step);
// One frame: new streaks, the streaks moved, the panels slid in or out.
void updateManga();
void drawManga();
// The last row that drawManga paints over whole with the page colour, from row 0 down
// (whatever was there before), or -1 when it paints no row whole.
int mangaCoversRowsTo();
// Makes the run-length copies of the comic pictures that drawManga draws (each pre-screen's
// set-up remakes them); with `make` 0 frees them, and the pictures are drawn as they are.
void makeMangaRuns(int make);
// 1 when a free record took the streak.
int spawnMangaBit(int x, int y, int speedX, int speedY, int red, int green, int blue,
                  int direction, int w, int h);
void updateMangaBit();
void drawMangaBit();
// Frees both panels and every streak.
void stopManga();
