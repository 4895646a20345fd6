#include "tools/recorder/statehash.h"

#include <stdlib.h>

#include <initializer_list>

#include "ai/tutorial.h"
#include "arena/forcefields.h"
#include "arena/weather.h"
#include "core/clock.h"
#include "core/match.h"
#include "core/tutorial.h"
#include "core/world.h"

namespace {

template <class Record>
void hashRecord(StateHasher &h, Record *r)
{
    if (!r) {
        h(-1);
        return;
    }
    eachField(*r, h);
}

template <class Record, int N>
void hashPool(StateHasher &h, Record *(&pool)[N])
{
    for (Record *r : pool)
        hashRecord(h, r);
}

// The state words of rand()'s generator, with its position: switching generators hands
// back the old state with the position written into its first word, and switching back
// restores it untouched.
void hashRandState(StateHasher &h)
{
    static char scratch[128];
    char *old = initstate(1, scratch, sizeof scratch);
    h.bytes(old, sizeof scratch);
    setstate(old);
}

void hashHell(StateHasher &h)
{
    hashPool(h, lavabubble);
    hashPool(h, t_flame);
    for (const int *points : {points1, points2, points3, points4, points5, points6, points7,
                              points8, points9, points10})
        for (int i = 0; i < 8; i++)
            h(points[i]);
    for (int v : {points1y1, points2y1, points3y1, points4y1, points5y1, points6y1, points7y1,
                  points8y1, points9y1, points10y1, points1y2, points2y2, points3y2, points4y2,
                  points5y2, points6y2, points7y2, points8y2, points9y2, points10y2, points1dir1,
                  points2dir1, points3dir1, points4dir1, points5dir1, points6dir1, points7dir1,
                  points8dir1, points9dir1, points10dir1, points1dir2, points2dir2, points3dir2,
                  points4dir2, points5dir2, points6dir2, points7dir2, points8dir2, points9dir2,
                  points10dir2})
        h(v);
}

}  // namespace

uint64_t playStateHash()
{
    StateHasher h;
    for (int v : {map, playersActive, secondscount, secondsdelay, seconds, cubespawncount,
                  cubespawncount2, powerupspawncount, timersecs, timermins, timerhours,
                  initialcubes, cube1spawn, cube1spawnR, GameLengthCurrent, playerOnePower,
                  playerTwoPower, playerOneFrags, playerTwoFrags})
        h(v);
    hashRecord(h, player);
    hashRecord(h, player2);
    hashRecord(h, arms);
    hashRecord(h, arms2);
    hashRecord(h, booth);
    hashRecord(h, booth2);
    hashRecord(h, greenforcefield);
    hashRecord(h, purpleforcefield);
    hashRecord(h, cubespawner);

    hashPool(h, bullet), hashPool(h, plasma), hashPool(h, homorocket);
    hashPool(h, mummrathruster), hashPool(h, blaster);
    hashPool(h, bullet2), hashPool(h, plasma2), hashPool(h, homorocket2);
    hashPool(h, mummrathruster2), hashPool(h, fakeHomer), hashPool(h, fakeBullet);
    hashPool(h, bomb1), hashPool(h, bomb2);
    hashPool(h, bombblastleft), hashPool(h, bombblastright), hashPool(h, bombblastup);

    hashPool(h, greenblood), hashPool(h, purpleblood), hashPool(h, greengib);
    hashPool(h, purplegib), hashPool(h, greenhead), hashPool(h, purplehead);
    hashPool(h, greentorso), hashPool(h, purpletorso), hashPool(h, greenarm);
    hashPool(h, purplearm), hashPool(h, greenleg), hashPool(h, purpleleg);
    hashPool(h, gibcasing), hashPool(h, zapzapcasing), hashPool(h, homocasing);

    hashPool(h, cubefrazzle), hashPool(h, respawnbubble), hashPool(h, homotrail);
    hashPool(h, greenffpart), hashPool(h, purpleffpart), hashPool(h, lightning);
    hashPool(h, minilightning), hashPool(h, rain), hashPool(h, snow), hashPool(h, lazer);
    hashPool(h, spark), hashPool(h, puppart), hashPool(h, puppartspawner);
    hashPool(h, blueflame), hashPool(h, poo), hashPool(h, speedLine), hashPool(h, bubble);
    hashPool(h, groundBit), hashPool(h, magnobit);

    hashPool(h, boom), hashPool(h, mine), hashPool(h, cube), hashPool(h, powerup);
    hashPool(h, aiNode);
    h(totalNodes), h(iNodeCount), h(jNodeCount);
    // A level's own state is kept from its last bout (and rolled at start-up, before any
    // seed was set): it counts only while that level is played.
    if (map == ARENA_HELL)
        hashHell(h);
    if (map == ARENA_LONDON)
        h(raining), h(weather);
    if (map == SCREEN_TUTORIAL)
        for (int v : {tutorial, tutorialWait, tutWaitCount, seenJump, seenUp, seenDown,
                      seenDoubleJump, seenWallJump, seenLadderTrick, seenBackFire, seenSlide,
                      seenBomb})
            h(v);
    hashRandState(h);
    return h.hash;
}
