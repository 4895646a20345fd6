// The sample table: every sound effect and the two jingles are samples of gor.dat, kept in
// `sounds` under fixed slot numbers. Players of a slot pass the slot's sample with their
// own volume, pan and frequency to the library's sample player. In the ground (core/):
// every subsystem plays its sounds through it.
#pragma once

struct SAMPLE;

enum SoundId {
    SND_STEP_1 = 0,
    SND_STEP_2 = 1,
    SND_LAND = 2,
    SND_LADDER_1 = 3,
    SND_LADDER_2 = 4,
    SND_WALL_GRAB = 5,
    SND_SLIDE = 6,
    SND_JUMP = 7,           // fighter 1's jumps; the same sample as SND_JUMP2
    SND_JUMP2 = 8,          // fighter 2's jumps
    SND_GIBBER_FIRE = 9,
    SND_CUBE_PICKUP = 10,
    SND_CUBE_CASHIN = 11,
    SND_SPAWN = 12,
    SND_ZAPZAP_FIRE = 13,
    SND_PLASMA_HIT = 14,
    SND_ITEM_BOUNCE = 15,
    SND_EXPLOSION = 16,
    SND_SPLASH_STING = 17,
    SND_POWERUP_APPEAR = 18,
    SND_POWERUP_PICKUP = 19,
    SND_MOONRAKER_FIRE = 20,
    SND_SPARE_21 = 21,      // loaded, never played
    SND_RESPAWN = 22,
    SND_BOMB_EXPLODE = 23,
    SND_THRUSTER = 24,
    SND_MUMMRA_FIRE = 25,
    SND_HOMING_FIRE = 26,
    SND_CUBE_RAIN = 27,
    SND_MINE_BEEP = 28,
    SND_SPARE_29 = 29,      // loaded, never played
    SND_DUALGIBBER_FIRE = 30,
    SND_BOOST = 31,
    SND_MAP2_STEP = 35,     // never filled: only an arena without a level would play it
    SND_ALARM = 49,
    SND_TITLE_MUSIC = 54,
    SND_RESULT_JINGLE = 55,
    SND_CLICK = 61,
    SND_DEFAULTS = 62,
    SND_PREMAP = 64,
    SND_SLOT_COUNT = 68
};

// The samples by slot; slots not listed above stay NULL. The samples belong to the data
// file and are released with it.
extern SAMPLE *sounds[SND_SLOT_COUNT];

// Stores each slot's sample from the data file. Safe to call again: it stores the same
// pointers.
void setupSound();

// The game starts and stops its sound effects only through these two: a slot's sample,
// not looped, at the volume, pan (0..255) and frequency (1000 the recorded pitch) given.
// An empty slot plays nothing. Stopping a slot stops every voice of its sample.
void playSample(int slot, int volume, int pan, int frequency);
void stopSample(int slot);

// One call of the two above, as the game made it (`stopped` 1 for a stop).
struct SampleCall {
    int slot, volume, pan, frequency, stopped;
};
// When set, sees every call before the library does; tests record the game's sounds here.
extern void (*sampleCallHook)(const SampleCall &call);
