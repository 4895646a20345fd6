// Gravity and the movement state machine of both fighters. One tick is a flat sequence of
// rules; each sees what the earlier ones changed, so the order below is the behaviour.
#include "fighters/fighter.h"

#include <stdlib.h>

#include "arena/effects.h"
#include "arena/weather.h"
#include "core/fighter.h"
#include "core/probes.h"
#include "core/settings.h"
#include "core/sound.h"
#include "fighters/actions.h"

// Player 1's rocket-pack fields gate his moves; player 2 has no such rule.
static int packIdle(const FighterSide &s) { return !s.rocketPackRules || s.self->rocketPack == 0; }
static int packLiftIdle(const FighterSide &s)
{
    return !s.rocketPackRules || s.self->rocketLift == 0;
}

static void gravityStep(const FighterSide &s)
{
    Fighter *f = s.self;
    if ((!s.gravityNeedsSwitch || f->gravityOn == 1) && f->jumpPhase == JUMP_NONE &&
        f->onGround == 0 && f->climbing == 0 && f->wallGrabTimer == 0 && f->onLadderTop == 0 &&
        f->respawning == 0) {
        f->y += f->fallSpeed;
        f->fallSpeed += 1;
        if (f->fallSpeed > 11) {
            // A long drop becomes a jump fall, which the falling rule moves from now on.
            f->state = standingState(f);
            f->jumpPhase = JUMP_FALLING;
            f->sliding = 0;
        }
    }
    if (f->fallSpeed > f->maxFallSpeed)
        f->fallSpeed = f->maxFallSpeed;
    if (s.clampsNegativeFall && f->fallSpeed < 0)
        f->fallSpeed = 0;
}

// One tick of an animation: after `ticksPerFrame` + 1 ticks the frame steps by `direction`,
// wrapping around at either end.
static void stepAnimation(int &tick, int ticksPerFrame, int &frame, int lastFrame, int direction)
{
    tick += 1;
    if (tick > ticksPerFrame) {
        tick = 0;
        frame += direction;
        if (frame > lastFrame)
            frame = 0;
        if (frame < 0)
            frame = lastFrame;
    }
}

static void runStep(Fighter *f, int held, int facing, int runState, int sign)
{
    if (!held || f->state == FIGHTER_CROUCH || f->state == FIGHTER_SLIDE ||
        f->wallGrabTimer != 0 || f->alive != 1 || f->floorTimer != 0 || f->frozen != 0)
        return;
    if (f->runSpeed < f->maxRunSpeed)
        f->runSpeed += 1.0;   // may pass the cap by less than one
    f->facing = facing;
    f->state = runState;
    f->x = (int)(f->x + sign * f->runSpeed);
    f->climbing = 0;
    stepAnimation(f->animTick, f->runTicksPerFrame, f->runFrame, f->runLastFrame, 1);
}

static void jumpSteps(const FighterSide &s, int jump, int down)
{
    Fighter *f = s.self;
    // A fighter who has just walked off a ledge may still jump until gravity marks him falling.
    if (jump && f->jumpPhase == JUMP_NONE && f->state != FIGHTER_CROUCH && !down &&
        f->sliding == 0 && f->climbing == 0 && f->jumpLatch == 0 && f->alive == 1 &&
        f->knockedBack == 0 && f->floorTimer == 0 && f->frozen == 0 && packIdle(s)) {
        f->jumpPhase = JUMP_RISING;
        f->jumpImpulse = f->jumpStrength;
        f->jumpLatch = 1;
        f->climbing = 0;
        f->slideArmed = 0;
    }
    if (f->jumpPhase == JUMP_RISING && f->jumpImpulse > 0) {
        f->y -= f->jumpImpulse;
        f->jumpImpulse -= 1;
        // The double jump: jump released since the take-off and held again at the apex.
        if (f->jumpImpulse == 0 && jump && f->doubleJumpReady == 1 && f->jumpLatch == 0 &&
            packIdle(s)) {
            f->jumpImpulse = 10;
            playSample(s.jumpSample, 25, f->pan, s.doubleJumpFreq);
            f->doubleJumpReady = 0;
        }
    }
    if (f->jumpImpulse < 1 && f->jumpPhase == JUMP_RISING) {
        f->jumpPhase = JUMP_FALLING;
        f->jumpImpulse = 0;
    }
    if (f->jumpPhase == JUMP_FALLING) {
        f->y += f->fallSpeed;
        if (f->runSpeed > 1.7)
            f->runSpeed -= 0.2;
        f->fallSpeed += 1;
    }
    if (!jump && packIdle(s))
        f->jumpLatch = 0;
}

static void wallJump(const FighterSide &s, int frequency)
{
    Fighter *f = s.self;
    f->doubleJumpReady = 0;
    f->fallSpeed = 0;
    f->jumpImpulse = 14;
    f->jumpPhase = JUMP_RISING;
    f->wallGrabTimer = 0;
    playSample(s.jumpSample, 50, f->pan, frequency);
}

static void wallSteps(const FighterSide &s, int left, int right, int jump)
{
    Fighter *f = s.self;
    // wallSide comes from the previous tick's collision; x != prevX means he ran into it.
    int canGrab = jump && f->wallGrabTimer == 0 && f->x != f->prevX && f->jumpLatch == 0 &&
                  packIdle(s);
    int intoWall = (f->facing == FACING_RIGHT && f->wallSide == 2) ||
                   (f->facing == FACING_LEFT && f->wallSide == 1);
    if (canGrab && intoWall) {
        f->wallGrabTimer = 80;
        f->jumpLatch = 1;
        f->runFrame = 0;
        // Only a grab facing left cancels the knock-back.
        if (f->facing == FACING_LEFT) {
            f->knockX = 0;
            f->knockY = 0;
        }
    }
    // Wall jumps, away from a wall on the left first.
    if (f->wallGrabTimer != 0 && f->wallSide == 1 && right)
        wallJump(s, s.wallJumpOffLeftFreq);
    if (f->wallGrabTimer != 0 && f->wallSide == 2 && left)
        wallJump(s, s.wallJumpOffRightFreq);
    if (f->wallGrabTimer > 0 && jump && packIdle(s)) {
        f->y = f->prevY;
        f->wallGrabTimer -= 1;
        f->fallSpeed = 0;
        // Pressed into the wall; the collision pushes him back out.
        f->x += f->facing == FACING_RIGHT ? 5 : -5;
    } else {
        f->wallGrabTimer = 0;
    }
    if (f->wallGrabTimer < 1)
        f->wallSide = 0;
}

static void standStep(Fighter *f, int left, int right)
{
    if (left || right || f->state == FIGHTER_CLIMB_UP || f->state == FIGHTER_CLIMB_DOWN ||
        f->state == FIGHTER_SLIDE || f->floorTimer != 0 || f->frozen != 0)
        return;
    // Releasing the direction keys, in the air too, drops the run speed at once.
    f->state = standingState(f);
    f->climbing = 0;
    f->slideArmed = 0;
    f->runSpeed = 0.0;
    f->runFrame = 0;
    stepAnimation(f->animTick, f->idleTicksPerFrame, f->idleFrame, f->idleLastFrame, 1);
}

static void stepClimbTick(Fighter *f, int direction)
{
    stepAnimation(f->climbTick, f->climbTicksPerFrame, f->climbFrame, f->climbLastFrame,
                  direction);
}

static void ladderSteps(const FighterSide &s, int up, int down)
{
    Fighter *f = s.self;
    int canClimb = f->onLadder == 1 && f->sliding == 0 && f->wallGrabTimer == 0 &&
                   f->frozen == 0 && f->floorTimer == 0 && packLiftIdle(s) && f->flipTimer == 0;
    if (up && canClimb) {
        if (s.climbUpTakesBackFall)
            f->y -= f->fallSpeed;
        f->y -= f->climbSpeed;
        f->knockX = 0;
        f->knockY = 0;
        f->jumpPhase = JUMP_NONE;
        f->runSpeed = 0.0;
        f->fallSpeed = 0;
        f->state = FIGHTER_CLIMB_UP;
        f->climbing = 1;
        stepClimbTick(f, 1);
    }
    if (down && canClimb && f->onGround == 0) {
        // This tick's gravity is taken back.
        f->y = f->y - f->fallSpeed + f->climbSpeed;
        f->knockX = 0;
        f->knockY = 0;
        f->fallSpeed = 0;
        f->state = FIGHTER_CLIMB_DOWN;
        f->jumpPhase = JUMP_NONE;
        f->climbing = 1;
        stepClimbTick(f, -1);
    }
    if (f->climbing == 1 && f->onLadder == 0) {
        f->climbing = 0;
        f->state = standingState(f);
    }
}

static void slideMotion(const FighterSide &s, int facing)
{
    Fighter *f = s.self;
    if (f->sliding != 1 || f->runSpeed <= 0.0 || f->facing != facing)
        return;
    f->slideTick += 1;
    // Sliding right pauses on stairs, keeping its speed; sliding left does not.
    if (f->slideTick > f->slideTicksPerStep && (facing == FACING_LEFT || f->onStairs == 0)) {
        f->state = FIGHTER_SLIDE;
        f->x = (int)(f->x + (facing == FACING_RIGHT ? f->runSpeed : -f->runSpeed));
        f->slideTick = 0;
        f->slideArmed = 0;
        f->runSpeed -= 0.2;
        if (f->runSpeed < 0.2) {
            f->sliding = 0;
            f->state = facing == FACING_RIGHT ? FIGHTER_STAND_RIGHT : FIGHTER_STAND_LEFT;
        }
    }
    f->slideAnimTick += 1;
    if (f->slideAnimTick > f->slideTicksPerFrame) {
        f->slideAnimTick = 0;
        if (f->slideFrame < f->slideLastFrame)
            f->slideFrame += 1;
    }
}

static void crouchFlipSlideSteps(const FighterSide &s, int left, int right, int down, int jump)
{
    Fighter *f = s.self;
    if (down && (f->state == FIGHTER_STAND_LEFT || f->state == FIGHTER_STAND_RIGHT) &&
        f->jumpPhase == JUMP_NONE && f->onLadderTop == 0 && f->frozen == 0 &&
        f->floorTimer == 0 && packIdle(s)) {
        f->state = FIGHTER_CROUCH;
        f->slideArmed = 0;
    }
    if (f->state == FIGHTER_CROUCH && right)
        f->state = FIGHTER_RUN_RIGHT;
    if (f->state == FIGHTER_CROUCH && left)
        f->state = FIGHTER_RUN_LEFT;

    // The back flip: he turns about and is thrown the way he faced before.
    if (f->state == FIGHTER_CROUCH && jump && f->flipReady == 1) {
        int wasLeft = f->facing == FACING_LEFT;
        if (wasLeft || f->facing == FACING_RIGHT) {
            f->jumpPhase = JUMP_RISING;
            f->jumpImpulse = 10;
            f->state = wasLeft ? FIGHTER_STAND_LEFT : FIGHTER_STAND_RIGHT;
            f->facing = wasLeft ? FACING_RIGHT : FACING_LEFT;
            f->knockX = wasLeft ? -15 : 15;
            f->doubleJumpReady = 0;
            f->flipTimer = 25;
            f->flipReady = 0;
        }
    }

    if (f->onGround == 1 && f->runFrame > 0)
        f->flipReady = 1;
    if (f->runFrame == 10 && f->sliding == 0) {
        f->slideArmed = 1;   // a full running cycle arms the slide
        if (s.armsSlideLength)
            f->slideLength = 20;
    }
    if (down && jump && f->sliding == 0 && f->slideArmed == 1 && f->jumpPhase == JUMP_NONE &&
        f->frozen == 0 && f->floorTimer == 0 && packIdle(s)) {
        f->sliding = 1;
        f->slideArmed = 0;
        f->runFrame = 0;
    }
    slideMotion(s, FACING_RIGHT);
    slideMotion(s, FACING_LEFT);
    if (f->sliding == 0)
        f->slideFrame = 0;

    // A slide into the own booth lifts the fighter over its sill.
    Booth *b = s.ownBooth;
    if (f->sliding == 1 && f->y > b->y && f->y + f->h < b->y + b->h + 10.0) {
        int inReach = s.slideLiftReach > 0 ? f->x < b->x + s.slideLiftReach
                                            : f->x > b->x + s.slideLiftReach;
        if (inReach)
            f->y -= 4;
    }
}

static void knockBackSteps(const FighterSide &s)
{
    Fighter *f = s.self;
    if (f->knockX != 0 || f->knockY != 0) {
        f->knockedBack = 1;
        f->jumpPhase = JUMP_RISING;
        f->state = standingState(f);
    }
    if (f->knockY > 17) f->knockY = 17;
    if (f->knockY < -17) f->knockY = -17;
    if (f->knockX > 15) f->knockX = 15;
    if (f->knockX < -15) f->knockX = -15;
    // Knock-back moves a fighter only below the top strip of the arena.
    if (f->knockedBack == 1 && f->y > 20) {
        f->x += f->knockX;
        f->y += f->knockY;
        if (f->onGround == 1 && f->knockY > 0)
            f->knockY = 0;
        f->knockTickX += 1;
        if (f->knockTickX > f->knockPeriodX) {
            f->knockTickX = 0;
            f->knockX += f->knockX > 0 ? -1 : (f->knockX < 0 ? 1 : 0);
        }
        f->knockTickY += 1;
        if (f->knockTickY > f->knockPeriodY) {
            f->knockTickY = 0;
            f->knockY += f->knockY > 0 ? -1 : (f->knockY < 0 ? 1 : 0);
        }
    }
    if (f->y < 20) {
        f->knockY = 0;
        f->jumpImpulse = 0;
        f->y = 20;
    }
    if (f->knockX == 0 && f->knockY == 0)
        f->knockedBack = 0;
    if (f->floorTimer > 0) {
        f->floorTimer -= 1;
        f->slideArmed = 0;
        if (s.computerDriven)
            f->aiLadderLock = 10;
    }
    if (f->floorTimer < 0) f->floorTimer = 0;
    if (f->floorTimer > 15) f->floorTimer = 15;
    if (f->fallSpeed > f->maxFallSpeed)
        f->overspeedFrames += 1;
}

// The rocket pack, worn only after a power-up outcome the box never draws.
static void rocketPackSteps(const FighterSide &s, int jump, int down)
{
    Fighter *f = s.self;
    if (f->rocketPack != 1)
        return;
    if (jump && f->rocketLift < 10 && f->y > 30 && f->frozen == 0) {
        f->rocketLift += down ? -1 : 7;
        f->rocketPackTimer -= 1;
        int right = f->facing == FACING_RIGHT;
        spawnBlueFlame(f->x + (right ? 0 : 15), f->y + 40);
        spawnBlueFlame(f->x + (right ? 16 : 30), f->y + 40);
    }
    f->maxRunSpeed = jump && f->frozen == 0 ? 14.0 : 8.0;
    if (f->rocketPackTimer <= 0) {
        f->rocketPack = 0;
        return;
    }
    if (jump && f->rocketSoundLatch == 0) {
        playSample(SND_BOOST, 90, f->pan, 1000 + rand() % 800);
        f->rocketSoundLatch = 1;
    }
    if (!jump)
        f->rocketSoundLatch = 0;
    if (f->y > 30)
        f->knockY -= f->rocketLift;
    if (!jump && f->rocketLift > 0)
        f->rocketLift -= 7;
    if (f->y < 30)
        f->rocketLift -= 6;
    if (f->rocketLift > 8)
        f->rocketLift -= 6;
    f->floorTimer = 0;
    f->overspeedFrames = 0;
}

// Carried by the opponent's thruster: pushed ever faster toward the arena's edge, bleeding.
static void thrusterCarry(const FighterSide &s)
{
    Fighter *f = s.self;
    if (f->thrusterCaught == THRUSTER_CARRY_LEFT) {
        f->x -= f->thrusterPush;
        f->knockX = 0;   // only a carry to the left cancels the knock-back
        f->knockY = 0;
    } else if (f->thrusterCaught == THRUSTER_CARRY_RIGHT) {
        f->x += f->thrusterPush;
    } else {
        return;
    }
    f->jumpPhase = JUMP_FALLING;
    f->fallSpeed = 0;
    f->thrusterPush += 1;
    spillCarryBlood(s);
}

static void ladderTopJump(const FighterSide &s, int jump, int down)
{
    Fighter *f = s.self;
    for (int i = 0; i <= 4; i++) {
        if (!laddertop(f->x + f->w / 2, f->y + i + 1))
            continue;
        int ready = f->jumpPhase == JUMP_NONE && f->state == FIGHTER_CLIMB_UP && !down &&
                    f->sliding == 0 && f->jumpLatch == 0 && f->alive == 1 &&
                    f->knockedBack == 0 && f->floorTimer == 0 && f->frozen == 0 && packIdle(s);
        if (!ready)
            continue;
        if (!s.computerDriven) {
            if (!jump)
                continue;
        } else {
            // The computer at its top level takes this jump by itself while evading, and
            // turns toward its opponent.
            if (AIcomp != 3 || f->aiEvadeTimer == 0)
                continue;
            f->aiJumpTargetY = f->y - 2 * f->h;
        }
        f->jumpPhase = JUMP_RISING;
        f->jumpImpulse = 18;
        f->jumpLatch = 1;
        f->climbing = 0;
        f->slideArmed = 0;
        f->flipTimer = 45;
        if (!s.computerDriven) {
            f->state = standingState(f);
        } else if (s.opponent->x < f->x) {
            f->aiMove = AI_MOVE_LEFT;
            f->facing = FACING_LEFT;
            f->aiJumpTargetX = 0;
        } else if (s.opponent->x > f->x) {
            f->aiMove = AI_MOVE_RIGHT;
            f->facing = FACING_RIGHT;
            f->aiJumpTargetX = 1590;
        }
    }
}

static void frozenSnow(const FighterSide &s)
{
    Fighter *f = s.self;
    if (f->frozen == 1 && f->y > 110 && f->x < 1440) {
        int dy = rand() % 75;
        int dx = rand() % s.snowSpread;
        spawnSnow(f->x + dx, f->y - dy, 0, 0);
    }
}

static void moveFighter(const FighterSide &s)
{
    Fighter *f = s.self;
    int left = *s.left, right = *s.right, up = *s.up, down = *s.down, jump = *s.jump;

    f->prevX = f->x;
    f->prevY = f->y;
    f->pan = (int)(f->x / 1600.0 * 255.0);

    // Right first, then left: with both held he gains speed twice and ends facing left.
    runStep(f, right, FACING_RIGHT, FIGHTER_RUN_RIGHT, 1);
    runStep(f, left, FACING_LEFT, FIGHTER_RUN_LEFT, -1);
    jumpSteps(s, jump, down);
    wallSteps(s, left, right, jump);
    standStep(f, left, right);
    ladderSteps(s, up, down);
    crouchFlipSlideSteps(s, left, right, down, jump);

    fighterRespawn(s);
    fighterDeath(s);

    knockBackSteps(s);

    fighterFire(s);
    fighterCashIn(s);
    fighterBombBaseAndPowerups(s);

    if (s.rocketPackRules)
        rocketPackSteps(s, jump, down);
    thrusterCarry(s);

    if (s.countsFallTimer) {
        if (f->onGround == 1)
            f->fallTimer = 0;
        else if (f->fallSpeed > f->maxFallSpeed / 2 && f->fallTimer < f->fallTimerMax)
            f->fallTimer += 1;
    }

    ladderTopJump(s, jump, down);
    if (f->flipTimer > 0)
        f->flipTimer -= 1;   // no ladders while it runs
    frozenSnow(s);
}

void playerGravity() { gravityStep(sideOne()); }
void player2Gravity() { gravityStep(sideTwo()); }
void playerMove() { moveFighter(sideOne()); }
void player2Move() { moveFighter(sideTwo()); }
