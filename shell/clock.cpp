#include "shell/clock.h"

#include "core/clock.h"
#include "core/fighter.h"
#include "core/world.h"
#include "fighters/fighter.h"
#include "frontend/pause.h"

void secondsfunct()
{
    secondscount += 1;
    if (secondscount > secondsdelay) {
        secondscount = 0;
        if (playersActive == 1 && paused == 0) {
            seconds += 1;
            cubespawncount -= 1;
            cubespawncount2 -= 1;
            powerupspawncount -= 1;
            timersecs += 1;
            // Both pools wait for fighter 1's first spawn.
            if (player->power > 0 && player->hasSpawned == 1)
                player->power -= 1;
            if (player2->power > 0 && player->hasSpawned == 1)
                player2->power -= 1;
            if (map != SCREEN_CREDITS) {
                playerPower();
                if (map != SCREEN_CREDITS)
                    player2Power();
            }
            if (player->powerupTimer > 0)
                player->powerupTimer -= 1;
            if (player2->powerupTimer > 0)
                player2->powerupTimer -= 1;
        }
    }
    if (timersecs > 59) {
        timersecs = 0;
        timermins += 1;
    }
    if (timermins > 59) {
        timermins = 0;
        timerhours += 1;
    }
}
