// A hash of everything play depends on, taken once a tick: both fighters, gun anchors,
// booths and force fields, every pool of shots, bombs, gore, effects, explosions, pick-ups,
// mines and the level scripts, the computer opponent's path nodes, the clock and spawn
// timers, the match totals and the position of rand()'s sequence. Two runs of the same
// inputs from the same seed must give the same hash on every tick, in any build.
//
// Records are hashed field by field (never as raw memory: padding bytes hold whatever was
// there) and doubles by their bit patterns; a missing record hashes as a marker of its own.
// A field added to a record must be added to its list below.
#pragma once

#include <stdint.h>

#include "arena/effects.h"
#include "arena/explosions.h"
#include "arena/levels.h"
#include "arena/mines.h"
#include "arena/pickups.h"
#include "core/fighter.h"
#include "core/nodes.h"
#include "core/shots.h"
#include "fighters/bombs.h"
#include "gore/gore.h"

uint64_t playStateHash();

// FNV-1a, fed with whole values.
struct StateHasher {
    uint64_t hash = 1469598103934665603ull;
    void bytes(const void *p, int n)
    {
        for (int i = 0; i < n; i++) {
            hash ^= ((const unsigned char *)p)[i];
            hash *= 1099511628211ull;
        }
    }
    void operator()(int v) { bytes(&v, sizeof v); }
    void operator()(double v) { bytes(&v, sizeof v); }
    template <int N>
    void operator()(const int (&a)[N])
    {
        for (int v : a)
            (*this)(v);
    }
};

// The hashed fields of each record, in declaration order.
template <class F>
void eachField(Fighter &r, F &&f)
{
    f(r.alive); f(r.x); f(r.y); f(r.w); f(r.h); f(r.runFrame); f(r.runLastFrame); f(r.animTick);
    f(r.runTicksPerFrame); f(r.idleTicksPerFrame); f(r.idleFrame); f(r.idleLastFrame);
    f(r.slideFrame); f(r.slideLastFrame); f(r.slideTicksPerFrame); f(r.gravityOn); f(r.fallSpeed);
    f(r.maxFallSpeed); f(r.maxRunSpeed); f(r.runSpeed); f(r.facing); f(r.prevX); f(r.prevY);
    f(r.state); f(r.jumpImpulse); f(r.jumpPhase); f(r.doubleJumpReady); f(r.jumpLatch);
    f(r.jumpStrength); f(r.onGround); f(r.onLadder); f(r.climbing); f(r.onStairs); f(r.climbFrame);
    f(r.climbLastFrame); f(r.climbTick); f(r.climbTicksPerFrame); f(r.respawnFrame);
    f(r.respawnLastFrame); f(r.respawnTick); f(r.respawnTicksPerFrame); f(r.sliding);
    f(r.slideTick); f(r.slideLength); f(r.slideTicksPerStep); f(r.slideArmed); f(r.wallSide);
    f(r.wallGrabTimer); f(r.slideAnimTick); f(r.onLadderTop); f(r.respawning); f(r.health);
    f(r.power); f(r.powerOnes); f(r.powerTens); f(r.powerHundreds); f(r.knockX); f(r.knockY);
    f(r.knockTickX); f(r.knockPeriodX); f(r.knockTickY); f(r.knockPeriodY); f(r.knockedBack);
    f(r.floorTimer); f(r.overspeedFrames); f(r.fallTimer); f(r.fallTimerMax); f(r.pan);
    f(r.soundLatch); f(r.fireLatch); f(r.frags); f(r.deathCounted); f(r.gibberFlash);
    f(r.zapzapFlash); f(r.moonrakerFlash); f(r.dualFlash); f(r.cubesCarried); f(r.bonusTimer);
    f(r.won); f(r.weapon); f(r.ammo); f(r.bombLatch); f(r.climbSpeed); f(r.inBase);
    f(r.powerupTimer); f(r.savedWeapon); f(r.savedAmmo); f(r.armless); f(r.frozen); f(r.sonic);
    f(r.magnet); f(r.thrusterCaught); f(r.thrusterPush); f(r.respawnSoundLatch);
    f(r.thrusterSoundLatch); f(r.cameraX); f(r.cameraY); f(r.cameraW); f(r.cameraH); f(r.fragOnes);
    f(r.fragTens); f(r.fragHundreds); f(r.rocketPack); f(r.rocketLift); f(r.rocketSoundLatch);
    f(r.rocketPackTimer); f(r.hasSpawned); f(r.slowed); f(r.autoFireCounter); f(r.flipTimer);
    f(r.aiShotCooldown); f(r.aiCubeDistance); f(r.aiCubeIndex); f(r.aiCubeHunting); f(r.aiMove);
    f(r.aiGoalX); f(r.aiGoalY); f(r.aiLadderLock); f(r.aiJumpTargetX); f(r.aiJumpTargetY);
    f(r.aiJumpRequest); f(r.aiBombTimer); f(r.aiMineTimer); f(r.aiTurnCooldown); f(r.aiEvadeTimer);
    f(r.flipReady); f(r.aiStallCounter); f(r.aiLockTimer); f(r.aiSecondTimer); f(r.aiStuckX);
    f(r.aiStuckY); f(r.aiStuckClimbX); f(r.aiStuckClimbY); f(r.aiNoUpDown);
}

template <class F>
void eachField(GunAnchor &r, F &&f)
{
    f(r.x); f(r.y); f(r.w); f(r.h);
}

template <class F>
void eachField(Booth &r, F &&f)
{
    f(r.x); f(r.y); f(r.w); f(r.h); f(r.messageTimer); f(r.messageId); f(r.lightningTimer);
}

template <class F>
void eachField(ForceField &r, F &&f)
{
    f(r.x); f(r.y); f(r.w); f(r.h);
}

template <class F>
void eachField(Projectile &r, F &&f)
{
    f(r.x); f(r.y); f(r.active); f(r.w); f(r.h); f(r.direction); f(r.speed); f(r.pan);
    f(r.attached); f(r.attachX); f(r.attachY); f(r.stepX); f(r.stepY); f(r.life); f(r.colour);
    f(r.red); f(r.green); f(r.blue);
}

template <class F>
void eachField(Bomb &r, F &&f)
{
    f(r.x); f(r.y); f(r.active); f(r.w); f(r.h); f(r.fallSpeed); f(r.maxFallSpeed); f(r.fuse);
    f(r.pan);
}

template <class F>
void eachField(DebrisParticle &r, F &&f)
{
    f(r.x); f(r.y); f(r.active); f(r.w); f(r.h); f(r.angle); f(r.spin); f(r.xVel); f(r.yImpulse);
    f(r.frictionCount); f(r.frictionPeriod); f(r.fallSpeed); f(r.maxFallSpeed); f(r.pan);
    f(r.restTimer); f(r.imageIndex); f(r.groundTimer);
}

template <class F>
void eachField(EffectParticle &r, F &&f)
{
    f(r.x); f(r.y); f(r.w); f(r.h); f(r.active); f(r.animTick); f(r.animPeriod); f(r.animFrame);
    f(r.side); f(r.size); f(r.aux1); f(r.aux2); f(r.speedY); f(r.speedX); f(r.endY); f(r.life);
    f(r.points); f(r.colour); f(r.xVel); f(r.yVel); f(r.frictionCount); f(r.frictionPeriod);
    f(r.frictionCountY); f(r.frictionPeriodY); f(r.fallSpeed); f(r.maxFallSpeed); f(r.trail);
    f(r.aux3); f(r.red); f(r.green); f(r.blue); f(r.kind); f(r.direction); f(r.aux4);
    f(r.settleOffset); f(r.lineDirection); f(r.aux5); f(r.topY);
}

template <class F>
void eachField(TrailPuff &r, F &&f)
{
    f(r.active); f(r.x); f(r.y); f(r.phase); f(r.size); f(r.red); f(r.green); f(r.blue); f(r.life);
}

template <class F>
void eachField(FlameParticle &r, F &&f)
{
    f(r.active); f(r.x); f(r.y); f(r.originX); f(r.originY); f(r.size); f(r.riseSpeed); f(r.sway);
    f(r.red); f(r.green); f(r.blue); f(r.fade); f(r.aux1); f(r.aux2); f(r.life);
}

template <class F>
void eachField(PooParticle &r, F &&f)
{
    f(r.active); f(r.x); f(r.y); f(r.w); f(r.h); f(r.xVel); f(r.fallSpeed); f(r.maxFallSpeed);
}

template <class F>
void eachField(MagnoBit &r, F &&f)
{
    f(r.active); f(r.x); f(r.y); f(r.stepX); f(r.stepY); f(r.stepTick); f(r.stepPeriod);
    f(r.fadeCount); f(r.life); f(r.fighterIndex);
}

template <class F>
void eachField(Explosion &r, F &&f)
{
    f(r.x); f(r.y); f(r.active); f(r.w); f(r.h); f(r.radius); f(r.life); f(r.pan); f(r.angleA);
    f(r.angleB); f(r.spin); f(r.type); f(r.rayPoints); f(r.raySweep);
}

template <class F>
void eachField(LavaBubble &r, F &&f)
{
    f(r.active); f(r.x); f(r.y); f(r.unused1); f(r.riseSpeed); f(r.unused2); f(r.radius);
    f(r.shrinkDelay); f(r.unused3);
}

template <class F>
void eachField(TorchFlame &r, F &&f)
{
    f(r.unused1); f(r.unused2); f(r.animFrame); f(r.animTick); f(r.animPeriod); f(r.unused3);
}

template <class F>
void eachField(Mine &r, F &&f)
{
    f(r.x); f(r.y); f(r.active); f(r.w); f(r.h); f(r.fallSpeed); f(r.maxFallSpeed); f(r.xVel);
    f(r.yVel); f(r.frictionCount); f(r.frictionPeriod); f(r.pan); f(r.angle); f(r.spin);
    f(r.triggered); f(r.fuse); f(r.bounceSoundDelay); f(r.blinkFrame); f(r.blinkTick);
    f(r.blinkPeriod); f(r.owner);
}

template <class F>
void eachField(Cube &r, F &&f)
{
    f(r.x); f(r.y); f(r.active); f(r.w); f(r.h); f(r.fallSpeed); f(r.maxFallSpeed); f(r.xVel);
    f(r.yVel); f(r.frictionCount); f(r.frictionPeriod); f(r.pan); f(r.angle); f(r.spin);
    f(r.countdown); f(r.materialise); f(r.life); f(r.particleTimer); f(r.particlePeriod);
    f(r.inGreenBase); f(r.noPoints);
}

template <class F>
void eachField(SpawnPoint &r, F &&f)
{
    f(r.x); f(r.y);
}

template <class F>
void eachField(AiNode &r, F &&f)
{
    f(r.x); f(r.y); f(r.active); f(r.spare0); f(r.spare1); f(r.spare2); f(r.spare3);
    f(r.advice); f(r.ladderUp); f(r.ladderDown); f(r.type); f(r.unused); f(r.cooldown);
    f(r.chance);
}
