#include "gore/gore.h"

// Stand-ins until gore and debris land.
void setupBlood() {}
void setupBlood2() {}
void setupCasings() {}
void updateBlood() {}
void updateGibs() {}
void updateHead() {}
void updateTorso() {}
void updateArm() {}
void updateLeg() {}
void updateBlood2() {}
void updateGibs2() {}
void updateHead2() {}
void updateTorso2() {}
void updateArm2() {}
void updateLeg2() {}
void updateGibCasing() {}
void updateZapZapCasing() {}
void updateHomoCasing() {}
void drawBlood() {}
