// The data generator's shared pieces: the sources read from data/gendata/, the painting
// helpers every picture module uses, the picture and sound makers, and the data-file writer.
#pragma once

#include <allegro.h>

#include <string>
#include <vector>

// ---- sources (data/gendata/*.txt) ------------------------------------------------------

// Reads colours.txt, texts.txt, font.txt and sounds.txt under dataDir/gendata. Returns false
// (after printing why) when a file is missing or a line cannot be parsed.
bool loadSources(const char *dataDir);

// A named colour of colours.txt as a 16-bit pixel value; an unknown name stops the program.
int col(const char *name);
// A text of texts.txt; an unknown key stops the program.
const char *text(const char *key);
// Splits "a|b|c" into its parts.
std::vector<std::string> splitList(const char *s);
// A '|'-separated text of texts.txt as its parts; a count outside minParts..maxParts stops
// the program (the pictures have room for that many lines or labels).
std::vector<std::string> textList(const char *key, size_t minParts, size_t maxParts);

// A glyph of the label font (font.txt): 7 rows of 'X' (ink) and '.', all as wide as the glyph.
enum { LABEL_FONT_ROWS = 7 };
struct LabelGlyph {
    std::vector<std::string> rows;
};
// The label font's glyph for c; NULL when the font has none.
const LabelGlyph *labelGlyph(char c);

// One line of a sound recipe: a wave sweeping from f0 to f1 Hz over dur seconds from start.
struct SoundLayer {
    std::string wave; // sine, square, saw, tri, noise
    float f0, f1, start, dur, vol, attack, decay;
};
// A melody voice: notes as MIDI numbers (-1 = rest) with their lengths in beats.
struct SoundVoice {
    std::string wave;
    float vol;
    std::vector<int> notes;
    std::vector<float> beats;
};
struct SoundRecipe {
    std::string name;
    int rate;
    float tempo; // beats a minute, melodies only
    std::vector<SoundLayer> layers;
    std::vector<SoundVoice> voices;
};
const SoundRecipe *soundRecipe(const char *name);

// ---- painting helpers -----------------------------------------------------------------

extern int MASK; // the mask colour (255,0,255)

// A new 16-bit bitmap cleared to the mask colour (or to fill when fill >= 0).
BITMAP *newPic(int w, int h, int fill = -1);
int rgb(int r, int g, int b);
int mixCol(int c1, int c2, int t256);          // blend two pixel values, t256 of c2
int shadeCol(int c, int pct);                  // brighten (>100) or darken (<100)
void thickLine(BITMAP *b, float x1, float y1, float x2, float y2, float r, int c);
// Text of the built-in 8x8 font, scaled: each glyph pixel becomes sx x sy pixels.
void bigText(BITMAP *b, const char *s, int x, int y, int sx, int sy, int c);
int bigTextWidth(const char *s, int sx);
// Deterministic random numbers for textures.
void seedRand(unsigned s);
int rnd(int n);
float frnd();
// Replaces every mask-colour pixel with c (pictures that may be drawn opaque).
void fillMask(BITMAP *b, int c);
// Puts a 1-px outline of colour oc around every opaque pixel region.
void outlineSprite(BITMAP *b, int oc);
// The frozen look: every opaque pixel turned to pale ice, keeping light and dark.
void tintIce(BITMAP *b);

// ---- picture makers (one per data-file picture or sheet) ------------------------------

enum Team { TEAM_GREEN = 0, TEAM_PURPLE = 1, TEAM_GREY = 2 };

BITMAP *makeFighterSheet(int team);
BITMAP *makeArmSheet(int team);
BITMAP *makeBooths();
BITMAP *makeTutorialBooth();

BITMAP *makeItemPicture(int entry);   // projectiles, pick-ups, gore, casings, flashes...
BITMAP *makeExplosion(int entry);
BITMAP *makeItemSheet(int entry);     // mines, heads, frazzle, flames, bars, pips...

BITMAP *makeTextPicture(int entry);   // menu labels, buttons, banners
BITMAP *makeDigitSheet(int entry);
BITMAP *makeKeySheet(int entry);
BITMAP *makeScreenPicture(int entry); // splash, credits, comics, pre-screen, thumbnails...
BITMAP *makeTutorialSheet(int entry);

// ---- samples --------------------------------------------------------------------------

SAMPLE *makeSample(const char *recipeName);

// ---- the data file --------------------------------------------------------------------

struct DatObject {
    std::string name;
    BITMAP *bmp; // exactly one of bmp / smp is set
    SAMPLE *smp;
};
// Writes the objects in order as an uncompressed data file; false on an I/O failure.
bool writeDatafile(const char *path, const std::vector<DatObject> &objs);

// Text in a box: glyph height h, align 0 = left, 1 = centred in w. Returns the width used.
// Text under SMALL_TEXT_H is set in the label font at exactly LABEL_SCALE times its size
// (LABEL_TEXT_H tall, centred on h), so that halving the playfield for the 800x600 display
// keeps every stroke; text that does not fit w that way stops the program. Taller text is
// the built-in font's 7 drawn rows scaled to h, squeezed when its natural width passes w.
enum { SMALL_TEXT_H = 16, LABEL_SCALE = 2, LABEL_TEXT_H = LABEL_FONT_ROWS * LABEL_SCALE };
int fitText(BITMAP *b, const char *s, int x, int y, int w, int h, int c, int align);
// The width fitText gives s at glyph height h when w is no limit.
int textWidth(const char *s, int h);
// A seven-segment digit d in the w x h box at (x, y), strokes t pixels thick.
void segDigit(BITMAP *b, int d, int x, int y, int w, int h, int t, int c);

// A picture already made for an earlier-built entry (fighters, booths, backgrounds), so that
// screens can show the game's own sprites; NULL when that entry is not made yet.
BITMAP *generatedPicture(int entry);
// Writes a picture of both soldiers in their poses with weapons at the gun anchors, full
// size and halved; false when the file cannot be written.
bool writeScenePreview(const char *path);
// Writes the green booth of each arena layered as in the game, full size and halved.
bool writeBoothPreview(const char *path);
// Writes a busy moment on each arena (soldiers, shots, pick-ups, gore), halved.
bool writeArenaScenePreview(const char *path);
// Writes every picture of the data file on one page with its entry number.
bool writeContactSheet(const char *path);
// Writes the end splash with all its pictures in place, halved.
bool writeEndSplashPreview(const char *path);
