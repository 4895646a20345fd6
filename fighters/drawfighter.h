// Drawing of the fighters in their looks: normal, frozen (the `_cryo` pictures, whatever the
// look) and slowed (the grey pictures). A fighter is a stack of sprite layers: rocket pack
// behind, body, weapon arm, muzzle flash, rocket pack in front.
#pragma once

struct BITMAP;
struct Fighter;
struct GunAnchor;

// Fighter 1 (`player`, `arms`) and fighter 2 (`player2`, `arms2`) into `buffer`.
void drawPlayer();
void drawGreyPlayer();
void drawPlayer2();
void drawGreyPlayer2();

// The pictures one look draws with. Frame arrays are indexed by the record's frame fields.
struct FighterLook {
    // Rows of the normal colour (frozen 0).
    BITMAP **still, **run, **runsonic, *jump, *grab, **climb, *crouch, **slide, *hitfloor;
    BITMAP **respawnBig;    // NULL: the look always shows the small respawn animation
    BITMAP **respawnSmall;
    // Rows of the frozen look (frozen 1).
    BITMAP **stillCryo, **runCryo, *jumpCryo, *grabCryo, **climbCryo, *crouchCryo,
        **slideCryo, *hitfloorCryo;
    int armLook;            // ArmLook of the normal arm rows
    int cryoArmLook;        // ArmLook of the frozen arm rows
};

// Where the two fighters are drawn differently.
struct FighterDrawRules {
    int respawnFacing;          // facing whose rules hold the respawn rows (drawn as stored)
    int slideKnockFacing;       // facing whose normal slide row needs knockX 0
    int zapzapGrabFlashRight;   // 1: zapzap flash while grabbing facing right, mirrored at (-30, -8)
    int moonrakerFlash;         // 1: the moonraker shows its muzzle flash
    int rocketPack;             // 1: the worn rocket pack is drawn
};

// Draws fighter `f` with gun anchor `a` into `dest`; `opponentPower` picks the respawn
// animation (the big one only while his own power is greater).
void drawFighter(BITMAP *dest, const Fighter *f, const GunAnchor *a, int opponentPower,
                 const FighterLook &look, const FighterDrawRules &rules);
