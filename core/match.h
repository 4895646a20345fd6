// The match's state, in the ground (core/) because the screens between bouts, the fighters
// (who book frags and deaths) and the tutorial all read it: the mouse latch of the
// mouse-driven screens, the match's bouts and totals, the team statistics, and the
// title-page flags the other screens read. The screens' helpers that latch the pointer and
// use it are frontend/screen.h's.
#pragma once

// Pointer and left button latched once a tick (page pixels), and the click debounce:
// while `clicking` is 1 no debounced button reacts; `clickdelay` counts down only while
// the button is up.
extern int mx, my, mbL;
extern int clicking, clickdelay;

// The back-to-menu button's position; each screen that shows it sets it when it opens.
extern int backtomenux, backtomenuy;

// The match: its bouts' arenas, the current bout (0 before the first), and the totals
// summed over its bouts by the result screen.
extern int GLarena1, GLarena2, GLarena3, GLarena4, GLarena5;
extern int GameLengthCurrent;
extern int playerOnePower, playerTwoPower, playerOneFrags, playerTwoFrags;

// 1 once the title screen has started its title music sample.
extern int titlemusic;

// Title page (1 main, 2 quick bout, 3 options, 4 teams) and the teams page's two flags.
extern int TitleScreenPhase, createTeamActive, confirmDelete;

// Team statistics, never reset while the program runs. The fighters' code books the frags
// and deaths at each death; the result screen books the rest.
extern int GreenPlayed, GreenWon, GreenLost, GreenDrew, GreenFrags, GreenDeaths, GreenAvScore,
    GreenPercentage;
extern int PurplePlayed, PurpleWon, PurpleLost, PurpleDrew, PurpleFrags, PurpleDeaths,
    PurpleAvScore, PurplePercentage;
// A side whose team is chosen has its statistics file written; nothing sets them yet.
extern int GreenActive, PurpleActive;
extern char GreenTeamName[32], PurpleTeamName[32];

// Scratch colour components of the per-pixel fades.
extern int bufferR, bufferG, bufferB;

// Where the title screen's set-up places its go button; the result screen offers the next
// bout's go button there too.
extern int textGox, textGoy;
