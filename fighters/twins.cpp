#include "fighters/twins.h"

#include <allegro.h>
#include <stdlib.h>

#include "arena/forcefields.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/world.h"
#include "gore/gore.h"

int insideWindow(const Window &w, double x, double y)
{
    return w.left < x && x < w.right && w.top < y && y < w.bottom;
}

// A base window from `left` to `right`, from the field's top to the booth's bottom; empty
// while the fields are not placed.
static Window baseWindow(const ForceField *field, const Booth *b, double left, double right)
{
    if (!field || !b)
        return Window{0, 0, 0, 0};
    return Window{left, right, field->y, b->y + b->h};
}

FighterSide sideOne()
{
    FighterSide s = {};
    s.self = player;
    s.opponent = player2;
    s.gun = arms;
    s.ownBooth = booth;
    s.enemyBooth = booth2;
    s.enemyField = purpleforcefield;
    s.enemyThruster = mummrathruster2;
    s.left = &d1;
    s.right = &d2;
    s.up = &up1;
    s.down = &down1;
    s.jump = &jump1;
    s.fire = &fire1;
    s.laybomb = &laybomb1;
    s.team = 1;
    s.enemyBaseOnRight = 1;
    s.jumpSample = SND_JUMP;
    s.doubleJumpFreq = 800;
    s.wallJumpOffLeftFreq = 850;
    s.wallJumpOffRightFreq = 910;
    s.rocketPackRules = 1;
    s.climbUpTakesBackFall = 0;
    s.armsSlideLength = 0;
    s.slideLiftReach = 80;
    s.computerDriven = 0;
    s.countsFallTimer = 0;
    s.gravityNeedsSwitch = 0;
    s.clampsNegativeFall = 1;
    s.secondCeilingSweep = 0;
    s.topKillNeedsAlive = 1;
    s.snowSpread = 120;

    s.bullets = bullet;
    s.plasmas = plasma;
    s.rocket = homorocket;
    s.thruster = mummrathruster;
    s.blasters = blaster;
    const ForceField *gf = greenforcefield, *pf = purpleforcefield;
    if (gf && pf && booth && booth2) {
        s.enemyBaseForShots = baseWindow(pf, booth2, pf->x, booth2->x + booth2->w);
        s.enemyBaseForThruster = s.enemyBaseForShots;
        s.ownBaseForBullets = baseWindow(gf, booth, booth->x + booth->w, gf->x + gf->w + 18);
    }
    s.bulletMarksByArena = 1;
    s.rocketProbesAfterEdge = 1;
    s.thrusterLeftLimit = 50;
    s.standingCatchUsesVictimLatch = 1;

    s.boothFacing = FACING_RIGHT;
    s.respawnBubbleX = 26;
    s.spawnThrowX = 10;
    s.spawnFreq = 800;
    s.gibberFreq = 1000;
    s.releaseCutsGibberFlash = 0;
    s.keepsMoonrakerFlash = 1;
    s.laserBehindSpread = 40;
    s.laserTurnsComputer = p2cpu;
    s.cashInInsetLeft = 0;
    s.cashInInsetRight = 50;
    s.cashInFreq = 1200;
    s.threeCubeBonusTimer = 0;
    s.wallGrabFreq = 700;
    return s;
}

FighterSide sideTwo()
{
    FighterSide s = {};
    s.self = player2;
    s.opponent = player;
    s.gun = arms2;
    s.ownBooth = booth2;
    s.enemyBooth = booth;
    s.enemyField = greenforcefield;
    s.enemyThruster = mummrathruster;
    s.left = &pd1;
    s.right = &pd2;
    s.up = &up2;
    s.down = &down2;
    s.jump = &jump2;
    s.fire = &fire2;
    s.laybomb = &laybomb2;
    s.team = 2;
    s.enemyBaseOnRight = 0;
    s.jumpSample = SND_JUMP2;
    s.doubleJumpFreq = 920;
    s.wallJumpOffLeftFreq = 730;
    s.wallJumpOffRightFreq = 790;
    s.rocketPackRules = 0;
    s.climbUpTakesBackFall = 1;
    s.armsSlideLength = 1;
    s.slideLiftReach = -15;
    s.computerDriven = p2cpu;
    s.countsFallTimer = 1;
    s.gravityNeedsSwitch = 1;
    s.clampsNegativeFall = 0;
    s.secondCeilingSweep = 1;
    s.topKillNeedsAlive = 0;
    s.snowSpread = 100;

    s.bullets = bullet2;
    s.plasmas = plasma2;
    s.rocket = homorocket2;
    s.thruster = mummrathruster2;
    s.blasters = NULL;
    const ForceField *gf = greenforcefield, *pf = purpleforcefield;
    if (gf && pf && booth && booth2) {
        s.enemyBaseForShots = baseWindow(gf, booth, booth->x, gf->x + gf->w);
        s.enemyBaseForThruster = baseWindow(gf, booth, booth->x, gf->x);
        s.ownBaseForBullets = baseWindow(pf, booth2, pf->x + pf->w - 18, booth2->x);
    }
    s.bulletMarksByArena = 0;
    s.rocketProbesAfterEdge = 0;
    s.thrusterLeftLimit = 80;
    s.standingCatchUsesVictimLatch = 0;

    s.boothFacing = FACING_LEFT;
    s.respawnBubbleX = 30;
    s.spawnThrowX = -10;
    s.spawnFreq = 700;
    s.gibberFreq = 1100;
    s.releaseCutsGibberFlash = 1;
    s.keepsMoonrakerFlash = 0;
    s.laserBehindSpread = 60;
    s.laserTurnsComputer = 0;
    s.cashInInsetLeft = 50;
    s.cashInInsetRight = 0;
    s.cashInFreq = 1000;
    s.threeCubeBonusTimer = 500;
    s.wallGrabFreq = 500;
    return s;
}

int standingState(const Fighter *f)
{
    return f->facing == FACING_LEFT ? FIGHTER_STAND_LEFT : FIGHTER_STAND_RIGHT;
}

void spawnTeamBlood(int team, int x, int y)
{
    if (team == 1)
        spawnBlood(x, y);
    else
        spawnBlood2(x, y);
}

void spillCarryBlood(const FighterSide &s)
{
    Fighter *f = s.self;
    for (int i = 0; i < 20; i++) {
        int dy = rand() % 20 - 10;
        int dx = rand() % 20 - 10;
        spawnTeamBlood(s.team, f->x + f->w / 2 + dx, f->y + f->h / 2 + dy);
    }
}

int teamSparkKind(int team) { return team == 1 ? 3 : 4; }
