// The result screen, the screen after every bout (frontend/): the bout added to the match
// totals (power + 35 per frag), the winner, the team statistics and their files, the arena
// unlocked, the fade to black, the figures, the play time, and the way on to the next bout
// or back to the menu. Play code opens it: the bout ends when a team's power pool empties
// (fighters/power.cpp), the one call from below into the screens.
#pragma once

extern int ResultsInit;      // 1 once start-up has set the screen up; statistics need it
extern int previousMap;      // the arena (or 29, the tutorial) whose bout just ended
extern int resultcount;      // pixels darkened so far by the fade
extern int player1Total, player2Total;
extern int greenwinsx, purplewinsx, winsx;
extern int greenfragsx, greenfragsy, purplefragsx, purplefragsy;
extern int bouttextx, bouttexty;

// The fade is over once this many pixels have been darkened.
enum { RESULT_FADE_PIXELS = 79999999 };

// The credits code that a bout on the last arena stores in the settings.
enum { CREDITS_CODE = 5093 };

// A team's rating 0..100 from its counters.
int teamRating(int played, int won, int frags, int deaths, int avScore);
// The statistics file name of a team: its name cut to 20 characters plus ".cfg", with
// every character that could leave the game folder or name another file replaced by '_'.
// 0 when the name gives no usable file name (empty, or one of the game's own files).
int teamFileName(const char *teamName, char *out, int outSize);

void setupResultScreen(int endedMap);
void updateResultScreen();
void drawResultScreen();
void drawtimer();
// One step of the fade over the whole playfield of the back buffer.
void fadePage();
