#include "core/assets.h"

#include <allegro.h>
#include <stdio.h>
#include <string.h>

#include "core/turn.h"
#include "core/world.h"

// Picture globals. The pointers start out NULL and are set once at start-up.
BITMAP *player_still[11], *player_still_cryo[11], *player_run[11], *player_run_cryo[11],
    *player_jump, *player_jump_cryo, *player_grab, *player_grab_cryo, *player_crouch,
    *player_crouch_cryo, *player_slide[4], *player_slide_cryo[4], *player_hitfloor,
    *player_hitfloor_cryo, *player_climb[7], *player_climb_cryo[7],
    *player_respawn_bigcock[19], *player_respawn_smallcock[19], *player_runsonic[11];
BITMAP *player2_still[11], *player2_still_cryo[11], *player2_run[11],
    *player2_run_cryo[11], *player2_jump, *player2_jump_cryo, *player2_grab,
    *player2_grab_cryo, *player2_crouch, *player2_crouch_cryo, *player2_slide[4],
    *player2_slide_cryo[4], *player2_hitfloor, *player2_hitfloor_cryo, *player2_climb[7],
    *player2_climb_cryo[7], *player2_respawn_bigcock[19], *player2_respawn_smallcock[19],
    *player2_runsonic[11];
BITMAP *grey_still[11], *grey_still_cryo[11], *grey_run[11], *grey_run_cryo[11],
    *grey_jump, *grey_jump_cryo, *grey_grab, *grey_grab_cryo, *grey_crouch, *grey_crouch_cryo,
    *grey_slide[4], *grey_slide_cryo[4], *grey_hitfloor, *grey_hitfloor_cryo, *grey_climb[7],
    *grey_climb_cryo[7], *grey_respawn_bigcock[19], *grey_respawn_smallcock[19],
    *grey_runsonic[11];
BITMAP *gibber, *gibber_climb, *gibber_grab, *gibber_slide, *gibber_hitfloor,
    *gibber_cryo, *gibber_climb_cryo, *gibber_grab_cryo, *gibber_slide_cryo,
    *gibber_hitfloor_cryo;
BITMAP *zapzap, *zapzap_climb, *zapzap_grab, *zapzap_slide, *zapzap_hitfloor,
    *zapzap_cryo, *zapzap_climb_cryo, *zapzap_grab_cryo, *zapzap_slide_cryo,
    *zapzap_hitfloor_cryo;
BITMAP *homo, *homo_climb, *homo_grab, *homo_slide, *homo_hitfloor, *homo_cryo,
    *homo_climb_cryo, *homo_grab_cryo, *homo_slide_cryo, *homo_hitfloor_cryo;
BITMAP *mummra, *mummra_climb, *mummra_grab, *mummra_slide, *mummra_hitfloor,
    *mummra_cryo, *mummra_climb_cryo, *mummra_grab_cryo, *mummra_slide_cryo,
    *mummra_hitfloor_cryo;
BITMAP *moonraker, *moonraker_climb, *moonraker_grab, *moonraker_slide,
    *moonraker_hitfloor, *moonraker_cryo, *moonraker_climb_cryo, *moonraker_grab_cryo,
    *moonraker_slide_cryo, *moonraker_hitfloor_cryo;
BITMAP *minedrop, *minedrop_climb, *minedrop_grab, *minedrop_slide, *minedrop_hitfloor,
    *minedrop_cryo, *minedrop_climb_cryo, *minedrop_grab_cryo, *minedrop_slide_cryo,
    *minedrop_hitfloor_cryo;
BITMAP *dualgibber, *dualgibber_climb, *dualgibber_grab, *dualgibber_slide,
    *dualgibber_hitfloor, *dualgibber_cryo, *dualgibber_climb_cryo, *dualgibber_grab_cryo,
    *dualgibber_slide_cryo, *dualgibber_hitfloor_cryo;
BITMAP *gibber2, *gibber2_climb, *gibber2_grab, *gibber2_slide, *gibber2_hitfloor,
    *gibber2_cryo, *gibber2_climb_cryo, *gibber2_grab_cryo, *gibber2_slide_cryo,
    *gibber2_hitfloor_cryo;
BITMAP *zapzap2, *zapzap2_climb, *zapzap2_grab, *zapzap2_slide, *zapzap2_hitfloor,
    *zapzap2_cryo, *zapzap2_climb_cryo, *zapzap2_grab_cryo, *zapzap2_slide_cryo,
    *zapzap2_hitfloor_cryo;
BITMAP *homo2, *homo2_climb, *homo2_grab, *homo2_slide, *homo2_hitfloor, *homo2_cryo,
    *homo2_climb_cryo, *homo2_grab_cryo, *homo2_slide_cryo, *homo2_hitfloor_cryo;
BITMAP *mummra2, *mummra2_climb, *mummra2_grab, *mummra2_slide, *mummra2_hitfloor,
    *mummra2_cryo, *mummra2_climb_cryo, *mummra2_grab_cryo, *mummra2_slide_cryo,
    *mummra2_hitfloor_cryo;
BITMAP *moonraker2, *moonraker2_climb, *moonraker2_grab, *moonraker2_slide,
    *moonraker2_hitfloor, *moonraker2_cryo, *moonraker2_climb_cryo, *moonraker2_grab_cryo,
    *moonraker2_slide_cryo, *moonraker2_hitfloor_cryo;
BITMAP *minedrop2, *minedrop2_climb, *minedrop2_grab, *minedrop2_slide,
    *minedrop2_hitfloor, *minedrop2_cryo, *minedrop2_climb_cryo, *minedrop2_grab_cryo,
    *minedrop2_slide_cryo, *minedrop2_hitfloor_cryo;
BITMAP *dualgibber2, *dualgibber2_climb, *dualgibber2_grab, *dualgibber2_slide,
    *dualgibber2_hitfloor, *dualgibber2_cryo, *dualgibber2_climb_cryo, *dualgibber2_grab_cryo,
    *dualgibber2_slide_cryo, *dualgibber2_hitfloor_cryo;
BITMAP *grey_gibber, *grey_gibber_climb, *grey_gibber_grab, *grey_gibber_slide,
    *grey_gibber_hitfloor, *grey_gibber_cryo, *grey_gibber_climb_cryo, *grey_gibber_grab_cryo,
    *grey_gibber_slide_cryo, *grey_gibber_hitfloor_cryo;
BITMAP *grey_zapzap, *grey_zapzap_climb, *grey_zapzap_grab, *grey_zapzap_slide,
    *grey_zapzap_hitfloor, *grey_zapzap_cryo, *grey_zapzap_climb_cryo, *grey_zapzap_grab_cryo,
    *grey_zapzap_slide_cryo, *grey_zapzap_hitfloor_cryo;
BITMAP *grey_homo, *grey_homo_climb, *grey_homo_grab, *grey_homo_slide,
    *grey_homo_hitfloor, *grey_homo_cryo, *grey_homo_climb_cryo, *grey_homo_grab_cryo,
    *grey_homo_slide_cryo, *grey_homo_hitfloor_cryo;
BITMAP *grey_mummra, *grey_mummra_climb, *grey_mummra_grab, *grey_mummra_slide,
    *grey_mummra_hitfloor, *grey_mummra_cryo, *grey_mummra_climb_cryo, *grey_mummra_grab_cryo,
    *grey_mummra_slide_cryo, *grey_mummra_hitfloor_cryo;
BITMAP *grey_moonraker, *grey_moonraker_climb, *grey_moonraker_grab,
    *grey_moonraker_slide, *grey_moonraker_hitfloor, *grey_moonraker_cryo,
    *grey_moonraker_climb_cryo, *grey_moonraker_grab_cryo, *grey_moonraker_slide_cryo,
    *grey_moonraker_hitfloor_cryo;
BITMAP *grey_minedrop, *grey_minedrop_climb, *grey_minedrop_grab, *grey_minedrop_slide,
    *grey_minedrop_hitfloor, *grey_minedrop_cryo, *grey_minedrop_climb_cryo,
    *grey_minedrop_grab_cryo, *grey_minedrop_slide_cryo, *grey_minedrop_hitfloor_cryo;
BITMAP *grey_dualgibber, *grey_dualgibber_climb, *grey_dualgibber_grab,
    *grey_dualgibber_slide, *grey_dualgibber_hitfloor, *grey_dualgibber_cryo,
    *grey_dualgibber_climb_cryo, *grey_dualgibber_grab_cryo, *grey_dualgibber_slide_cryo,
    *grey_dualgibber_hitfloor_cryo;
BITMAP *greenbooth[2], *purplebooth[2];
BITMAP *greenhealthbar[13], *purplehealthbar[13], *whitehealthbar[13];
BITMAP *cubefrazzle_image[5];
BITMAP *mine_image[9], *mine_green_image[9], *mine_purple_image[9];
BITMAP *head_image[4];
BITMAP *torchflame[8];
BITMAP *premap_image[2];
BITMAP *mapthumbs[8];
BITMAP *mapTitles[4];
BITMAP *textplayer2human, *textplayer2cpu;
BITMAP *texthighdetail, *textlowdetail, *textmeddetail;
BITMAP *textmusicon, *textmusicoff;
BITMAP *digits[10], *fragdigits[10], *retronums[10], *ammocount[10];
BITMAP *static_image[6];
BITMAP *poweruptext[14];
BITMAP *gibberflash;
BITMAP *cubescore[4];
BITMAP *letter[36];
BITMAP *padkey[10], *padspecialkey[6];
BITMAP *specialkey[13], *cursorkey[4], *shiftkey[6];
BITMAP *candleflame[8];
BITMAP *londonlight;
BITMAP *tutorialtext[17], *tutorialtextBig[18], *tutorialBooth;
BITMAP *cube_image;
BITMAP *credits_image;
BITMAP *textAICompetence, *splashAlien, *blood_image, *splashBlub, *bomb_image,
    *bombblasthorizontal_image, *splashBounce, *bullet_image, *textCredits, *defaults,
    *draw_text, *explosion_image2, *explosion_image, *explosionelec_image,
    *explosionelec2_image, *explosiongreen2_image, *explosiongreen_image,
    *explosionhomo2_image, *explosionhomo_image, *explosionpurple2_image,
    *explosionpurple_image, *textgamelength, *velmora_image, *gibcasing_image, *greenarm_image,
    *greengib_image, *greenhomo_image, *greenleg_image, *greenmummra_image, *green_text,
    *homocasing_image, *info_image, *joypad_image, *keyboard_image, *splashLeaf, *outrologo,
    *mangaOne, *mangaTwo, *outnow_image, *percentage_image, *plasma_image, *poo_image,
    *purplearm_image, *purplegib_image, *purplehomo_image, *purpleleg_image,
    *purplemummra_image, *purple_text, *scoreexp, *splashSonic, *textBack, *textGo,
    *textkeysetup, *textkeysetuppad, *textOpt, *textplayerone, *textplayertwo, *textPower,
    *textQB, *textQuit, *textBacktoMenu, *textTeams, *textTotal, *purpletorso_image,
    *greentorso_image, *splashTrain, *splashVolcano, *playwarning, *website_image, *wins_text,
    *zapzapcasing_image, *splashZombies;
BITMAP *ammotext, *bombblastvertical_image, *fragtext, *grassFG1, *greentext_image,
    *moonrakerflash, *paused_image, *plasmaflash, *powerup_image, *purpletext_image,
    *rocketpack, *waterSplash;

static const char *const entryNames[DAT_ENTRY_COUNT] = {
    "DAT_TEXT_AI_COMPETENCE", "DAT_SPLASH_ALIEN", "DAT_LETTERS", "DAT_AMMO_DIGITS",
    "DAT_AMMO_TEXT", "DAT_ARMS_PURPLE", "DAT_ARMS_GREEN", "DAT_SND_MINE_BEEP", "DAT_BLOOD",
    "DAT_SPLASH_BLUB", "DAT_BOMB", "DAT_SND_BOMB_EXPLODE", "DAT_BOMB_BLAST_HORIZONTAL",
    "DAT_BOMB_BLAST_VERTICAL", "DAT_BOOTHS", "DAT_SPLASH_BOUNCE", "DAT_BULLET",
    "DAT_CANDLE_FLAME", NULL, "DAT_SND_CUBE_PICKUP", NULL, "DAT_CREDITS", "DAT_TEXT_CREDITS",
    "DAT_CUBE", "DAT_CUBE_FRAZZLE", "DAT_CUBE_SCORE", "DAT_HEADS", "DAT_TEXT_DEFAULTS",
    "DAT_SND_DEFAULTS", "DAT_DIGITS", "DAT_SND_ITEM_BOUNCE", "DAT_TEXT_DRAW",
    "DAT_SND_CUBE_RAIN", "DAT_SND_SPARE_29", "DAT_SND_EXPLOSION", "DAT_EXPLOSION_2",
    "DAT_EXPLOSION", "DAT_EXPLOSION_ELEC", "DAT_EXPLOSION_ELEC_2", "DAT_EXPLOSION_GREEN_2",
    "DAT_EXPLOSION_GREEN", "DAT_EXPLOSION_HOMO_2", "DAT_EXPLOSION_HOMO",
    "DAT_EXPLOSION_PURPLE_2", "DAT_EXPLOSION_PURPLE", NULL, "DAT_FRAG_DIGITS", "DAT_FRAG_TEXT",
    "DAT_TEXT_GAME_LENGTH", "DAT_VELMORA_IMAGE", "DAT_SND_RESULT_JINGLE", "DAT_SND_TITLE_MUSIC",
    "DAT_GIB_CASING", "DAT_GIBBER_FLASH", "DAT_SND_WALL_GRAB", "DAT_GRASS_FG", "DAT_GREEN_ARM",
    "DAT_GREEN_GIB", "DAT_GREEN_HOMO", "DAT_GREEN_LEG", "DAT_GREEN_MUMMRA", "DAT_GREEN_LABEL",
    "DAT_GREEN_WINS_TEXT", "DAT_ARMS_GREY", "DAT_FIGHTER_GREY", "DAT_HEALTH_BAR_PURPLE",
    "DAT_HEALTH_BAR_GREEN", "DAT_HEALTH_BAR_WHITE", "DAT_HELL_BACKGROUND",
    "DAT_SND_HOMING_FIRE", "DAT_HOMO_CASING", "DAT_SND_JUMP", "DAT_INFO_IMAGE",
    "DAT_JOYPAD_IMAGE", "DAT_KEYBOARD_IMAGE", "DAT_PAD_KEYS", "DAT_KEY_LABELS", NULL,
    "DAT_SND_LADDER_1", "DAT_SND_LADDER_2", "DAT_SND_LAND", "DAT_SND_MOONRAKER_FIRE",
    "DAT_SPLASH_LEAF", "DAT_OUTRO_LOGO", "DAT_LONDON_BACKGROUND", "DAT_LONDON_LIGHT",
    "DAT_MANGA_ONE", "DAT_MANGA_TWO", "DAT_MAP_THUMBS", "DAT_MAP_TITLES", "DAT_MINES",
    "DAT_MOONRAKER_FLASH", "DAT_SND_MUMMRA_FIRE", "DAT_SND_THRUSTER", "DAT_OUTNOW_IMAGE",
    "DAT_PAUSED", "DAT_PERCENTAGE_IMAGE", "DAT_SND_SPAWN", "DAT_PLASMA", "DAT_PLASMA_FLASH",
    "DAT_SND_PLASMA_HIT", "DAT_FIGHTER_GREEN", "DAT_FIGHTER_PURPLE", "DAT_POINTER", "DAT_POO",
    "DAT_POWERUP", "DAT_SND_CUBE_CASHIN", "DAT_SND_POWERUP_APPEAR", "DAT_POWERUP_TEXT",
    "DAT_SND_ALARM", "DAT_PREMAP_IMAGES", "DAT_SND_PREMAP", "DAT_PURPLE_ARM", "DAT_PURPLE_GIB",
    "DAT_PURPLE_HOMO", "DAT_PURPLE_LEG", "DAT_PURPLE_MUMMRA", "DAT_PURPLE_LABEL",
    "DAT_PURPLE_WINS_TEXT", "DAT_SND_POWERUP_PICKUP", "DAT_SND_RESPAWN", "DAT_RETRO_NUMS",
    "DAT_ROCKET_PACK", "DAT_SND_BOOST", "DAT_SCORE_EXPLANATION", "DAT_SND_CLICK",
    "DAT_SND_GIBBER_FIRE", "DAT_SND_DUALGIBBER_FIRE", "DAT_SND_SLIDE", "DAT_SPLASH_SONIC",
    "DAT_TV_STATIC", "DAT_SND_STEP_1", "DAT_SND_STEP_2", "DAT_SND_SPARE_21",
    "DAT_SND_SPLASH_STING", "DAT_TEXT_BACK", "DAT_TEXT_DETAIL", "DAT_TEXT_GO",
    "DAT_TEXT_KEY_SETUP", "DAT_TEXT_KEY_SETUP_PAD", "DAT_TEXT_MUSIC", "DAT_TEXT_OPTIONS",
    "DAT_TEXT_PLAYER2", "DAT_TEXT_PLAYER_ONE", "DAT_TEXT_PLAYER_TWO", "DAT_TEXT_POWER",
    "DAT_TEXT_QUICK_BOUT", "DAT_TEXT_QUIT", "DAT_TEXT_BACK_TO_MENU", "DAT_TEXT_TEAMS",
    "DAT_TEXT_TOTAL", "DAT_TORCH_FLAME", "DAT_PURPLE_TORSO", "DAT_GREEN_TORSO",
    "DAT_SPLASH_TRAIN", "DAT_TUTORIAL_BACKGROUND", "DAT_TUTORIAL_TEXT_BIG",
    "DAT_TUTORIAL_BOOTH", "DAT_TUTORIAL_TEXT", "DAT_SPLASH_VOLCANO", "DAT_PLAY_WARNING",
    "DAT_WATER_SPLASH", "DAT_WEBSITE_IMAGE", "DAT_WINS_TEXT", "DAT_SND_ZAPZAP_FIRE",
    "DAT_ZAPZAP_CASING", "DAT_SPLASH_ZOMBIES",
};

const char *dataEntryName(int entry)
{
    if (entry < 0 || entry >= DAT_ENTRY_COUNT)
        return NULL;
    return entryNames[entry];
}

// What the game takes an entry as: its samples are exactly the DAT_SND_ entries, the four
// unnamed entries are never read and may hold anything.
enum EntryKind { ENTRY_ANY, ENTRY_BITMAP, ENTRY_SAMPLE };

static EntryKind entryKind(int entry)
{
    const char *name = entryNames[entry];
    if (!name)
        return ENTRY_ANY;
    return strncmp(name, "DAT_SND_", 8) == 0 ? ENTRY_SAMPLE : ENTRY_BITMAP;
}

int findBadDataEntry(const DATAFILE *dat)
{
    if (!dat)
        return 0;
    for (int i = 0; i < DAT_ENTRY_COUNT; i++) {
        if (dat[i].type == DAT_END)
            return i;
        EntryKind kind = entryKind(i);
        if (kind == ENTRY_ANY)
            continue;
        if (!dat[i].dat)
            return i;
        if (kind == ENTRY_BITMAP && dat[i].type != DAT_BITMAP)
            return i;
        if (kind == ENTRY_SAMPLE && dat[i].type != DAT_SAMPLE)
            return i;
    }
    return -1;
}

const char *findDataFileFault(const DATAFILE *dat)
{
    static char why[120];
    int bad = findBadDataEntry(dat);
    if (bad < 0)
        return NULL;
    if (!dat) {
        snprintf(why, sizeof why, "no data file loaded");
        return why;
    }
    const char *name = entryNames[bad];
    if (dat[bad].type == DAT_END)
        snprintf(why, sizeof why, "entry %d (%s) is missing: the file holds only %d entries",
                 bad, name ? name : "unused", bad);
    else
        snprintf(why, sizeof why, "entry %d (%s) is not a %s", bad, name,
                 entryKind(bad) == ENTRY_SAMPLE ? "sample" : "bitmap");
    return why;
}

BITMAP *grabframe(BITMAP *sheet, int w, int h, int startX, int startY, int columns, int frame)
{
    BITMAP *pic = create_bitmap(w, h);
    if (!pic)
        return NULL;
    // Anything the sheet does not cover stays transparent.
    clear_to_color(pic, bitmap_mask_color(pic));
    blit(sheet, pic, startX + (frame % columns) * w, startY + (frame / columns) * h, 0, 0, w, h);
    return pic;
}

// ---- Cutting tables.

// One row of frames: `count` frames of w x h, frame i at (x0 + i*w, y0) of the entry.
struct SheetCut {
    BITMAP **frames;
    int entry;
    int w, h, x0, y0, count;
};

// A single picture that is the data file's own bitmap.
struct PictureLink {
    BITMAP **picture;
    int entry;
};

static BITMAP *entryBitmap(int entry)
{
    return (BITMAP *)data[entry].dat;
}

static void cutSheets(const SheetCut *cuts, int n)
{
    for (int c = 0; c < n; c++) {
        BITMAP *sheet = entryBitmap(cuts[c].entry);
        for (int i = 0; i < cuts[c].count; i++)
            cuts[c].frames[i] = grabframe(sheet, cuts[c].w, cuts[c].h, cuts[c].x0, cuts[c].y0,
                                          cuts[c].count, i);
    }
}

static void linkPictures(const PictureLink *links, int n)
{
    for (int i = 0; i < n; i++)
        *links[i].picture = entryBitmap(links[i].entry);
}

// The three fighter sheets share one layout; the frozen twin lies 363 pixels (11 frames
// of 33) to the right of its normal frame.
enum { CRYO_DX = 363 };
#define FIGHTER_CUTS(P, E)                                                                  \
    {P##still, E, 33, 48, 0, 0, 11}, {P##still_cryo, E, 33, 48, CRYO_DX, 0, 11},              \
    {P##run, E, 33, 48, 0, 48, 11}, {P##run_cryo, E, 33, 48, CRYO_DX, 48, 11},                \
    {&P##jump, E, 33, 48, 0, 96, 1}, {&P##jump_cryo, E, 33, 48, CRYO_DX, 96, 1},              \
    {&P##grab, E, 33, 48, 33, 96, 1}, {&P##grab_cryo, E, 33, 48, 33 + CRYO_DX, 96, 1},        \
    {&P##crouch, E, 33, 31, 66, 114, 1}, {&P##crouch_cryo, E, 33, 31, 66 + CRYO_DX, 114, 1},  \
    {P##slide, E, 49, 48, 99, 96, 4}, {P##slide_cryo, E, 49, 48, 99 + CRYO_DX, 96, 4},        \
    {&P##hitfloor, E, 33, 48, 297, 96, 1},                                                  \
    {&P##hitfloor_cryo, E, 33, 48, 297 + CRYO_DX, 96, 1},                                   \
    {P##climb, E, 33, 48, 0, 144, 7}, {P##climb_cryo, E, 33, 48, CRYO_DX, 144, 7},            \
    {P##respawn_bigcock, E, 33, 48, 0, 192, 19}, {P##respawn_smallcock, E, 33, 48, 0, 240, 19}, \
    {P##runsonic, E, 33, 48, 0, 288, 11}

// Sheets cut by load_files.
static const SheetCut loadFilesCuts[] = {
    FIGHTER_CUTS(player_, DAT_FIGHTER_GREEN),
    FIGHTER_CUTS(player2_, DAT_FIGHTER_PURPLE),
    FIGHTER_CUTS(grey_, DAT_FIGHTER_GREY),
    // Both booth arrays come from the same two pictures.
    {greenbooth, DAT_BOOTHS, 97, 131, 0, 0, 2},
    {purplebooth, DAT_BOOTHS, 97, 131, 0, 0, 2},
    {greenhealthbar, DAT_HEALTH_BAR_GREEN, 37, 2, 0, 0, 13},
    {purplehealthbar, DAT_HEALTH_BAR_PURPLE, 37, 2, 0, 0, 13},
    {cubefrazzle_image, DAT_CUBE_FRAZZLE, 21, 17, 0, 0, 5},
    {mine_image, DAT_MINES, 14, 8, 0, 0, 9},
    {mine_green_image, DAT_MINES, 14, 8, 0, 8, 9},
    {mine_purple_image, DAT_MINES, 14, 8, 0, 16, 9},
    {head_image, DAT_HEADS, 22, 22, 0, 0, 4},
    {torchflame, DAT_TORCH_FLAME, 24, 40, 0, 0, 8},
    {premap_image, DAT_PREMAP_IMAGES, 1100, 595, 0, 0, 2},
    {mapthumbs, DAT_MAP_THUMBS, 150, 112, 0, 0, 8},
    {mapTitles, DAT_MAP_TITLES, 112, 50, 0, 0, 4},
    {&textplayer2human, DAT_TEXT_PLAYER2, 200, 14, 0, 0, 1},
    {&textplayer2cpu, DAT_TEXT_PLAYER2, 200, 14, 0, 14, 1},
    {&texthighdetail, DAT_TEXT_DETAIL, 171, 14, 0, 0, 1},
    {&textlowdetail, DAT_TEXT_DETAIL, 171, 14, 0, 14, 1},
    {&textmeddetail, DAT_TEXT_DETAIL, 171, 14, 0, 28, 1},
    {&textmusicon, DAT_TEXT_MUSIC, 123, 14, 0, 0, 1},
    {&textmusicoff, DAT_TEXT_MUSIC, 123, 14, 0, 14, 1},
    {letter, DAT_LETTERS, 14, 14, 0, 0, 36},
    {padkey, DAT_PAD_KEYS, 142, 14, 0, 0, 10},
    {padspecialkey, DAT_PAD_KEYS, 142, 14, 0, 14, 6},
    {specialkey, DAT_KEY_LABELS, 78, 14, 0, 0, 13},
    {cursorkey, DAT_KEY_LABELS, 78, 14, 0, 14, 4},
    {shiftkey, DAT_KEY_LABELS, 78, 14, 312, 14, 6},
};

// Sheets cut by setupGraphics.
static const SheetCut setupGraphicsCuts[] = {
    {whitehealthbar, DAT_HEALTH_BAR_WHITE, 37, 2, 0, 0, 13},
    {digits, DAT_DIGITS, 8, 13, 0, 0, 10},
    {fragdigits, DAT_FRAG_DIGITS, 30, 23, 0, 0, 10},
    {retronums, DAT_RETRO_NUMS, 60, 100, 0, 0, 10},
    {static_image, DAT_TV_STATIC, 90, 40, 0, 0, 6},
    {ammocount, DAT_AMMO_DIGITS, 25, 19, 0, 0, 10},
    {poweruptext, DAT_POWERUP_TEXT, 90, 40, 0, 0, 14},
    {&gibberflash, DAT_GIBBER_FLASH, 23, 21, 0, 0, 1},
    {cubescore, DAT_CUBE_SCORE, 3, 13, 0, 0, 4},
};

static const PictureLink loadFilesPictures[] = {
    {&textAICompetence, DAT_TEXT_AI_COMPETENCE},
    {&splashAlien, DAT_SPLASH_ALIEN},
    {&blood_image, DAT_BLOOD},
    {&splashBlub, DAT_SPLASH_BLUB},
    {&bomb_image, DAT_BOMB},
    {&bombblasthorizontal_image, DAT_BOMB_BLAST_HORIZONTAL},
    {&splashBounce, DAT_SPLASH_BOUNCE},
    {&bullet_image, DAT_BULLET},
    {&textCredits, DAT_TEXT_CREDITS},
    {&defaults, DAT_TEXT_DEFAULTS},
    {&draw_text, DAT_TEXT_DRAW},
    {&explosion_image2, DAT_EXPLOSION_2},
    {&explosion_image, DAT_EXPLOSION},
    {&explosionelec_image, DAT_EXPLOSION_ELEC},
    {&explosionelec2_image, DAT_EXPLOSION_ELEC_2},
    {&explosiongreen2_image, DAT_EXPLOSION_GREEN_2},
    {&explosiongreen_image, DAT_EXPLOSION_GREEN},
    {&explosionhomo2_image, DAT_EXPLOSION_HOMO_2},
    {&explosionhomo_image, DAT_EXPLOSION_HOMO},
    {&explosionpurple2_image, DAT_EXPLOSION_PURPLE_2},
    {&explosionpurple_image, DAT_EXPLOSION_PURPLE},
    {&textgamelength, DAT_TEXT_GAME_LENGTH},
    {&velmora_image, DAT_VELMORA_IMAGE},
    {&gibcasing_image, DAT_GIB_CASING},
    {&greenarm_image, DAT_GREEN_ARM},
    {&greengib_image, DAT_GREEN_GIB},
    {&greenhomo_image, DAT_GREEN_HOMO},
    {&greenleg_image, DAT_GREEN_LEG},
    {&greenmummra_image, DAT_GREEN_MUMMRA},
    {&green_text, DAT_GREEN_WINS_TEXT},
    {&homocasing_image, DAT_HOMO_CASING},
    {&info_image, DAT_INFO_IMAGE},
    {&joypad_image, DAT_JOYPAD_IMAGE},
    {&keyboard_image, DAT_KEYBOARD_IMAGE},
    {&splashLeaf, DAT_SPLASH_LEAF},
    {&outrologo, DAT_OUTRO_LOGO},
    {&mangaOne, DAT_MANGA_ONE},
    {&mangaTwo, DAT_MANGA_TWO},
    {&outnow_image, DAT_OUTNOW_IMAGE},
    {&percentage_image, DAT_PERCENTAGE_IMAGE},
    {&plasma_image, DAT_PLASMA},
    {&poo_image, DAT_POO},
    {&purplearm_image, DAT_PURPLE_ARM},
    {&purplegib_image, DAT_PURPLE_GIB},
    {&purplehomo_image, DAT_PURPLE_HOMO},
    {&purpleleg_image, DAT_PURPLE_LEG},
    {&purplemummra_image, DAT_PURPLE_MUMMRA},
    {&purple_text, DAT_PURPLE_WINS_TEXT},
    {&scoreexp, DAT_SCORE_EXPLANATION},
    {&splashSonic, DAT_SPLASH_SONIC},
    {&textBack, DAT_TEXT_BACK},
    {&textGo, DAT_TEXT_GO},
    {&textkeysetup, DAT_TEXT_KEY_SETUP},
    {&textkeysetuppad, DAT_TEXT_KEY_SETUP_PAD},
    {&textOpt, DAT_TEXT_OPTIONS},
    {&textplayerone, DAT_TEXT_PLAYER_ONE},
    {&textplayertwo, DAT_TEXT_PLAYER_TWO},
    {&textPower, DAT_TEXT_POWER},
    {&textQB, DAT_TEXT_QUICK_BOUT},
    {&textQuit, DAT_TEXT_QUIT},
    {&textBacktoMenu, DAT_TEXT_BACK_TO_MENU},
    {&textTeams, DAT_TEXT_TEAMS},
    {&textTotal, DAT_TEXT_TOTAL},
    {&purpletorso_image, DAT_PURPLE_TORSO},
    {&greentorso_image, DAT_GREEN_TORSO},
    {&splashTrain, DAT_SPLASH_TRAIN},
    {&splashVolcano, DAT_SPLASH_VOLCANO},
    {&playwarning, DAT_PLAY_WARNING},
    {&website_image, DAT_WEBSITE_IMAGE},
    {&wins_text, DAT_WINS_TEXT},
    {&zapzapcasing_image, DAT_ZAPZAP_CASING},
    {&splashZombies, DAT_SPLASH_ZOMBIES},
};

static const PictureLink setupGraphicsPictures[] = {
    {&ammotext, DAT_AMMO_TEXT},
    {&bombblastvertical_image, DAT_BOMB_BLAST_VERTICAL},
    {&fragtext, DAT_FRAG_TEXT},
    {&grassFG1, DAT_GRASS_FG},
    {&greentext_image, DAT_GREEN_LABEL},
    {&moonrakerflash, DAT_MOONRAKER_FLASH},
    {&paused_image, DAT_PAUSED},
    {&plasmaflash, DAT_PLASMA_FLASH},
    {&powerup_image, DAT_POWERUP},
    {&purpletext_image, DAT_PURPLE_LABEL},
    {&rocketpack, DAT_ROCKET_PACK},
    {&waterSplash, DAT_WATER_SPLASH},
};

// Gun arms: one row per weapon (20 pixels apart), one 38-pixel column per pose, the
// frozen poses in columns 5 to 9 (190 pixels to the right).
#define ARM_POSES(n)                                                                        \
    {&n, &n##_climb, &n##_grab, &n##_slide, &n##_hitfloor, &n##_cryo, &n##_climb_cryo,        \
     &n##_grab_cryo, &n##_slide_cryo, &n##_hitfloor_cryo}

BITMAP **const armPicture[ARM_LOOK_COUNT][ARM_WEAPON_COUNT][2 * ARM_POSE_COUNT] = {
    {ARM_POSES(gibber), ARM_POSES(zapzap), ARM_POSES(homo), ARM_POSES(mummra),
     ARM_POSES(moonraker), ARM_POSES(minedrop), ARM_POSES(dualgibber)},
    {ARM_POSES(gibber2), ARM_POSES(zapzap2), ARM_POSES(homo2), ARM_POSES(mummra2),
     ARM_POSES(moonraker2), ARM_POSES(minedrop2), ARM_POSES(dualgibber2)},
    {ARM_POSES(grey_gibber), ARM_POSES(grey_zapzap), ARM_POSES(grey_homo), ARM_POSES(grey_mummra),
     ARM_POSES(grey_moonraker), ARM_POSES(grey_minedrop), ARM_POSES(grey_dualgibber)},
};

static const int armSheet[ARM_LOOK_COUNT] = {DAT_ARMS_GREEN, DAT_ARMS_PURPLE, DAT_ARMS_GREY};

static void cutArms()
{
    for (int look = 0; look < ARM_LOOK_COUNT; look++) {
        BITMAP *sheet = entryBitmap(armSheet[look]);
        for (int w = 0; w < ARM_WEAPON_COUNT; w++)
            for (int col = 0; col < 2 * ARM_POSE_COUNT; col++)
                *armPicture[look][w][col] = grabframe(sheet, 38, 20, col * 38, w * 20, 1, 0);
    }
}

#define COUNT_OF(a) ((int)(sizeof(a) / sizeof((a)[0])))

// The pictures drawn turned every frame, each of which keeps its turned rows: the
// explosions', and those of the gore and the casings (of which full pools draw hundreds a
// frame). All are cut by the end of setupGraphics (the cube's is taken later, by the cube
// spawner, and is not kept).
static BITMAP **const turnedPictures[] = {
    &explosion_image2,     &explosion_image,       &explosionelec_image,
    &explosionelec2_image, &explosiongreen2_image, &explosiongreen_image,
    &explosionhomo2_image, &explosionhomo_image,   &explosionpurple2_image,
    &explosionpurple_image, &blood_image,          &greengib_image,
    &purplegib_image,      &greentorso_image,      &purpletorso_image,
    &greenarm_image,       &purplearm_image,       &greenleg_image,
    &purpleleg_image,      &head_image[0],         &head_image[1],
    &head_image[2],        &head_image[3],         &gibcasing_image,
    &zapzapcasing_image,   &homocasing_image};

void load_files()
{
    cutSheets(loadFilesCuts, COUNT_OF(loadFilesCuts));
    cutArms();
    linkPictures(loadFilesPictures, COUNT_OF(loadFilesPictures));
    // The turned pictures' tables were for the pictures loaded before (a test harness loads
    // the data afresh for each game it starts); setupGraphics makes them for these.
    forgetTurnedPictures();
}

void setupGraphics()
{
    cutSheets(setupGraphicsCuts, COUNT_OF(setupGraphicsCuts));
    linkPictures(setupGraphicsPictures, COUNT_OF(setupGraphicsPictures));
    // Every picture is cut by now.
    for (BITMAP **pic : turnedPictures)
        prepareTurnedPicture(*pic);
}

BITMAP *keyLabel(int code)
{
    if (code >= 1 && code <= 36)
        return letter[code - 1];
    if (code >= 37 && code <= 46)
        return padkey[code - 37];
    if (code >= 63 && code <= 75)
        return specialkey[code - 63];
    if (code >= 82 && code <= 85)
        return cursorkey[code - 82];
    if (code >= 86 && code <= 91)
        return padspecialkey[code - 86];
    if (code >= 103 && code <= 108)
        return shiftkey[code - 103];
    return NULL;
}

BITMAP *padButtonLabel(int button)
{
    if (button < 0 || button > 9)
        return NULL;
    return letter[26 + button];
}
