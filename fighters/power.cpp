// Each team's power pool: kept in range, split into the booth display's digits, and the
// end of the bout when it runs dry (on the tutorial, a pause on the hint until its last
// stage). Only these two routines clamp the pools and end a bout, so they open the result
// screen: the one call from play code up into the screens between bouts (frontend/).
#include "fighters/fighter.h"

#include "core/fighter.h"
#include "core/music.h"
#include "core/tutorial.h"
#include "core/world.h"
#include "frontend/result.h"

// `drawMarksBoth`: player 1's check marks both fighters as winners when the other pool is
// empty too; player 2's never marks himself.
static void checkPool(Fighter *own, Fighter *other, int drawMarksBoth)
{
    if (own->power >= 0) {
        int p = own->power < 999 ? own->power : 999;
        own->powerHundreds = p / 100;
        own->powerTens = (p % 100) / 10;
        own->powerOnes = p % 10;
    }
    if (own->power < 0)
        own->power = 0;   // the digits stay stale until the next call
    if (own->power == 0 && map != SCREEN_TUTORIAL) {
        other->won = 1;
        if (drawMarksBoth && other->power < 1)
            own->won = 1;
        own->power = 0;
        playersActive = 0;
        if (music == 1)
            stopTrack();
        // Both pools may run dry in one second: the result screen is set up once.
        if (map != SCREEN_RESULT)
            setupResultScreen(map);
        map = SCREEN_RESULT;
    }
    if (own->power > 999)
        own->power = 999;
    if (own->power == 0 && map == SCREEN_TUTORIAL) {
        other->won = 1;
        own->power = 0;
        playersActive = 0;
        if (tutorial <= 11) {
            tutorialWait = 1;   // the tutorial holds on its hint
        } else {
            setupResultScreen(SCREEN_TUTORIAL);
            map = SCREEN_RESULT;
        }
    }
}

void playerPower() { checkPool(player, player2, 1); }
void player2Power() { checkPool(player2, player, 0); }
