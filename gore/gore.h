// Gore and debris: blood drops, gibs, heads, torsos, arms and legs of both teams, and the
// spent shell casings.
#pragma once

void setupBlood();
void setupBlood2();
void setupCasings();
void updateBlood();
void updateGibs();
void updateHead();
void updateTorso();
void updateArm();
void updateLeg();
void updateBlood2();
void updateGibs2();
void updateHead2();
void updateTorso2();
void updateArm2();
void updateLeg2();
void updateGibCasing();
void updateZapZapCasing();
void updateHomoCasing();
void drawBlood();
