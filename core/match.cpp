#include "core/match.h"

int mx, my, mbL;
int clicking, clickdelay;
int backtomenux = 100, backtomenuy = 1100;
int GLarena1, GLarena2, GLarena3, GLarena4, GLarena5;
int GameLengthCurrent;
int playerOnePower, playerTwoPower, playerOneFrags, playerTwoFrags;
int titlemusic;
int TitleScreenPhase = 1, createTeamActive, confirmDelete;
int GreenPlayed, GreenWon, GreenLost, GreenDrew, GreenFrags, GreenDeaths, GreenAvScore,
    GreenPercentage;
int PurplePlayed, PurpleWon, PurpleLost, PurpleDrew, PurpleFrags, PurpleDeaths, PurpleAvScore,
    PurplePercentage;
int GreenActive, PurpleActive;
char GreenTeamName[32], PurpleTeamName[32];
int bufferR, bufferG, bufferB;
int textGox = 1250, textGoy = 1048;
