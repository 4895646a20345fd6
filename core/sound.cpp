#include "core/sound.h"

#include <allegro.h>

#include "core/assets.h"
#include "core/world.h"

SAMPLE *sounds[SND_SLOT_COUNT];

struct SoundSlot {
    int slot;
    int entry;
};

static const SoundSlot soundSlots[] = {
    {SND_STEP_1, DAT_SND_STEP_1},
    {SND_STEP_2, DAT_SND_STEP_2},
    {SND_LAND, DAT_SND_LAND},
    {SND_LADDER_1, DAT_SND_LADDER_1},
    {SND_LADDER_2, DAT_SND_LADDER_2},
    {SND_WALL_GRAB, DAT_SND_WALL_GRAB},
    {SND_SLIDE, DAT_SND_SLIDE},
    {SND_JUMP, DAT_SND_JUMP},
    {SND_JUMP2, DAT_SND_JUMP},
    {SND_GIBBER_FIRE, DAT_SND_GIBBER_FIRE},
    {SND_CUBE_PICKUP, DAT_SND_CUBE_PICKUP},
    {SND_CUBE_CASHIN, DAT_SND_CUBE_CASHIN},
    {SND_SPAWN, DAT_SND_SPAWN},
    {SND_ZAPZAP_FIRE, DAT_SND_ZAPZAP_FIRE},
    {SND_PLASMA_HIT, DAT_SND_PLASMA_HIT},
    {SND_ITEM_BOUNCE, DAT_SND_ITEM_BOUNCE},
    {SND_EXPLOSION, DAT_SND_EXPLOSION},
    {SND_SPLASH_STING, DAT_SND_SPLASH_STING},
    {SND_POWERUP_APPEAR, DAT_SND_POWERUP_APPEAR},
    {SND_POWERUP_PICKUP, DAT_SND_POWERUP_PICKUP},
    {SND_MOONRAKER_FIRE, DAT_SND_MOONRAKER_FIRE},
    {SND_SPARE_21, DAT_SND_SPARE_21},
    {SND_RESPAWN, DAT_SND_RESPAWN},
    {SND_BOMB_EXPLODE, DAT_SND_BOMB_EXPLODE},
    {SND_THRUSTER, DAT_SND_THRUSTER},
    {SND_MUMMRA_FIRE, DAT_SND_MUMMRA_FIRE},
    {SND_HOMING_FIRE, DAT_SND_HOMING_FIRE},
    {SND_CUBE_RAIN, DAT_SND_CUBE_RAIN},
    {SND_MINE_BEEP, DAT_SND_MINE_BEEP},
    {SND_SPARE_29, DAT_SND_SPARE_29},
    {SND_DUALGIBBER_FIRE, DAT_SND_DUALGIBBER_FIRE},
    {SND_BOOST, DAT_SND_BOOST},
    {SND_ALARM, DAT_SND_ALARM},
    {SND_TITLE_MUSIC, DAT_SND_TITLE_MUSIC},
    {SND_RESULT_JINGLE, DAT_SND_RESULT_JINGLE},
    {SND_CLICK, DAT_SND_CLICK},
    {SND_DEFAULTS, DAT_SND_DEFAULTS},
    {SND_PREMAP, DAT_SND_PREMAP},
};

void setupSound()
{
    for (const SoundSlot &s : soundSlots)
        sounds[s.slot] = (SAMPLE *)data[s.entry].dat;
}

void (*sampleCallHook)(const SampleCall &call) = nullptr;

static int filledSlot(int slot) { return slot >= 0 && slot < SND_SLOT_COUNT && sounds[slot]; }

void playSample(int slot, int volume, int pan, int frequency)
{
    if (sampleCallHook)
        sampleCallHook(SampleCall{slot, volume, pan, frequency, 0});
    if (filledSlot(slot))
        play_sample(sounds[slot], volume, pan, frequency, 0);
}

void stopSample(int slot)
{
    if (sampleCallHook)
        sampleCallHook(SampleCall{slot, 0, 0, 0, 1});
    if (filledSlot(slot))
        stop_sample(sounds[slot]);
}
