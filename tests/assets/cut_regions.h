// The smallest sheet that holds every cut of each cut entry.
#pragma once

#include "core/assets.h"

struct CutRegion {
    int entry, w, h;
};

inline const CutRegion cutRegions[] = {
    {DAT_FIGHTER_GREEN, 726, 336}, {DAT_FIGHTER_PURPLE, 726, 336}, {DAT_FIGHTER_GREY, 726, 336},
    {DAT_ARMS_GREEN, 380, 140},    {DAT_ARMS_PURPLE, 380, 140},    {DAT_ARMS_GREY, 380, 140},
    {DAT_BOOTHS, 194, 131},        {DAT_HEALTH_BAR_GREEN, 481, 2}, {DAT_HEALTH_BAR_PURPLE, 481, 2},
    {DAT_HEALTH_BAR_WHITE, 481, 2}, {DAT_CUBE_FRAZZLE, 105, 17},   {DAT_MINES, 126, 24},
    {DAT_HEADS, 88, 22},           {DAT_TORCH_FLAME, 192, 40},     {DAT_PREMAP_IMAGES, 2200, 595},
    {DAT_MAP_THUMBS, 1200, 112},   {DAT_MAP_TITLES, 448, 50},      {DAT_TEXT_PLAYER2, 200, 28},
    {DAT_TEXT_DETAIL, 171, 42},    {DAT_TEXT_MUSIC, 123, 28},      {DAT_LETTERS, 504, 14},
    {DAT_PAD_KEYS, 1420, 28},      {DAT_KEY_LABELS, 1014, 28},     {DAT_DIGITS, 80, 13},
    {DAT_FRAG_DIGITS, 300, 23},    {DAT_RETRO_NUMS, 600, 100},     {DAT_TV_STATIC, 540, 40},
    {DAT_AMMO_DIGITS, 250, 19},    {DAT_POWERUP_TEXT, 1260, 40},   {DAT_GIBBER_FLASH, 23, 21},
    {DAT_CUBE_SCORE, 12, 13},
    // Cut later by the level and tutorial set-ups.
    {DAT_CANDLE_FLAME, 64, 8},     {DAT_TUTORIAL_TEXT, 3400, 100}, {DAT_TUTORIAL_TEXT_BIG, 8370, 248},
};
