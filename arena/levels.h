// The level scripts of the two playable arenas. Hell: candles, torches, a wobbling lava lake
// with rising bubbles and a lava line that kills. London: a weather roll per bout (rain, snow
// or clear), a flickering street light, sparks from a broken lamp and a route hint for the
// computer opponent. Both set-ups load the arena's tile map, make its background the stain
// layer and place the booths, force fields and monitor insets.
#pragma once

struct BITMAP;

// Monitor insets beside the booths: each fighter's close-up in his own booth's big monitor,
// the opponent in the small one. The level set-ups place them from the booths' positions.
extern int greenmonitorx, greenmonitory, greenmonitorwidth, greenmonitorheight;
extern int purplemonitorx, purplemonitory, purplemonitorwidth, purplemonitorheight;
extern int greenmonitor2x, greenmonitor2y, greenmonitor2width, greenmonitor2height;
extern int purplemonitor2x, purplemonitor2y, purplemonitor2width, purplemonitor2height;

// Places the sixteen monitor globals from the booths' current positions.
void placeMonitors();

// What every level set-up shares. Loads the level's tile map (a missing or broken file ends
// the program); moves both booths to the height `boothY` at the arena's two outer edges and
// the force fields in front of them; starts the level's screen state with the tick counter
// and the seconds at 0.
void loadLevelMap(const char *file);
void placeBases(double boothY);
void startLevelScreen(int arena);

// ---- Hell (arena 5).

// One rising lava bubble; (x, y) is its centre.
struct LavaBubble {
    int active;
    int x, y;
    int unused1[4];
    int riseSpeed;       // px per tick, 1..3
    int unused2[2];
    int radius;          // shrinks once shrinkDelay has run out
    int shrinkDelay;
    int unused3[4];
};

// One torch's flame animation.
struct TorchFlame {
    int unused1[2];
    int unused2[4];
    int animFrame;       // frame of torchflame, 0..7
    int animTick;
    int animPeriod;      // the frame changes when animTick exceeds this
    int unused3[10];
};

enum { LAVABUBBLE_COUNT = 60, TORCH_COUNT = 6, LAVA_SPLINE_COUNT = 10, HELL_CANDLE_COUNT = 23 };

// A fighter whose box bottom passes this line sinks into the lava and dies.
enum { HELL_LAVA_LINE = 1150 };

extern LavaBubble *lavabubble[LAVABUBBLE_COUNT];
extern TorchFlame *t_flame[TORCH_COUNT];

// The lava surface: ten Bezier curves whose two middle control points wander up and down.
// Kept for the whole run, so a later bout on Hell finds the lava where it was left.
extern int points1[8], points2[8], points3[8], points4[8], points5[8], points6[8], points7[8],
    points8[8], points9[8], points10[8];
extern int points1y1, points2y1, points3y1, points4y1, points5y1, points6y1, points7y1,
    points8y1, points9y1, points10y1;
extern int points1y2, points2y2, points3y2, points4y2, points5y2, points6y2, points7y2,
    points8y2, points9y2, points10y2;
extern int points1dir1, points2dir1, points3dir1, points4dir1, points5dir1, points6dir1,
    points7dir1, points8dir1, points9dir1, points10dir1;
extern int points1dir2, points2dir2, points3dir2, points4dir2, points5dir2, points6dir2,
    points7dir2, points8dir2, points9dir2, points10dir2;

// The bounds the wandering control points turn back at.
enum { LAVA_SURFACE_TOP = 1042, LAVA_SURFACE_BOTTOM = 1080 };

void setupHell();
void updateHell();
void drawHellBG();
void drawHellFG();
// The torch, bubble spawn and bubble update steps on their own; updateHell does the same
// steps itself.
void updateFlameTorch();
void spawnLavabubble(int x, int y);
void updateLavabubble();

// ---- London (arena 10).

void setupLondon();
void updateLondon();
void drawLondonBG();
