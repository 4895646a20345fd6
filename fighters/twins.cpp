#include "fighters/twins.h"

#include <allegro.h>
#include <stdlib.h>

#include "arena/forcefields.h"
#include "gore/gore.h"
#include "shell/world.h"
#include "shell/settings.h"
#include "shell/sound.h"

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

void playFighterSample(int slot, int volume, int pan, int frequency)
{
    if (slot >= 0 && slot < SND_SLOT_COUNT && sounds[slot])
        play_sample(sounds[slot], volume, pan, frequency, 0);
}
