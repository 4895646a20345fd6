// Every picture of the game comes out of gor.dat. The file is addressed only by fixed
// entry numbers; at start-up the sprite sheets are cut into frame arrays and the single
// pictures are pointed at the file's own bitmaps. Everything here lives until the program
// ends: frames are never freed and the data file is unloaded only at shut-down. In the
// ground (core/): every subsystem draws with these pictures.
#pragma once

struct BITMAP;
struct DATAFILE;

// The entries of gor.dat, in file order. Entries 18, 20, 45 and 77 are never read but must
// exist so that every later number stays in place.
enum DataEntry {
    DAT_TEXT_AI_COMPETENCE = 0,
    DAT_SPLASH_ALIEN = 1,
    DAT_LETTERS = 2,
    DAT_AMMO_DIGITS = 3,
    DAT_AMMO_TEXT = 4,
    DAT_ARMS_PURPLE = 5,
    DAT_ARMS_GREEN = 6,
    DAT_SND_MINE_BEEP = 7,
    DAT_BLOOD = 8,
    DAT_SPLASH_BLUB = 9,
    DAT_BOMB = 10,
    DAT_SND_BOMB_EXPLODE = 11,
    DAT_BOMB_BLAST_HORIZONTAL = 12,
    DAT_BOMB_BLAST_VERTICAL = 13,
    DAT_BOOTHS = 14,
    DAT_SPLASH_BOUNCE = 15,
    DAT_BULLET = 16,
    DAT_CANDLE_FLAME = 17,
    DAT_SND_CUBE_PICKUP = 19,
    DAT_CREDITS = 21,
    DAT_TEXT_CREDITS = 22,
    DAT_CUBE = 23,
    DAT_CUBE_FRAZZLE = 24,
    DAT_CUBE_SCORE = 25,
    DAT_HEADS = 26,
    DAT_TEXT_DEFAULTS = 27,
    DAT_SND_DEFAULTS = 28,
    DAT_DIGITS = 29,
    DAT_SND_ITEM_BOUNCE = 30,
    DAT_TEXT_DRAW = 31,
    DAT_SND_CUBE_RAIN = 32,
    DAT_SND_SPARE_29 = 33,
    DAT_SND_EXPLOSION = 34,
    DAT_EXPLOSION_2 = 35,
    DAT_EXPLOSION = 36,
    DAT_EXPLOSION_ELEC = 37,
    DAT_EXPLOSION_ELEC_2 = 38,
    DAT_EXPLOSION_GREEN_2 = 39,
    DAT_EXPLOSION_GREEN = 40,
    DAT_EXPLOSION_HOMO_2 = 41,
    DAT_EXPLOSION_HOMO = 42,
    DAT_EXPLOSION_PURPLE_2 = 43,
    DAT_EXPLOSION_PURPLE = 44,
    DAT_FRAG_DIGITS = 46,
    DAT_FRAG_TEXT = 47,
    DAT_TEXT_GAME_LENGTH = 48,
    DAT_VELMORA_IMAGE = 49,
    DAT_SND_RESULT_JINGLE = 50,
    DAT_SND_TITLE_MUSIC = 51,
    DAT_GIB_CASING = 52,
    DAT_GIBBER_FLASH = 53,
    DAT_SND_WALL_GRAB = 54,
    DAT_GRASS_FG = 55,
    DAT_GREEN_ARM = 56,
    DAT_GREEN_GIB = 57,
    DAT_GREEN_HOMO = 58,
    DAT_GREEN_LEG = 59,
    DAT_GREEN_MUMMRA = 60,
    DAT_GREEN_LABEL = 61,
    DAT_GREEN_WINS_TEXT = 62,
    DAT_ARMS_GREY = 63,
    DAT_FIGHTER_GREY = 64,
    DAT_HEALTH_BAR_PURPLE = 65,
    DAT_HEALTH_BAR_GREEN = 66,
    DAT_HEALTH_BAR_WHITE = 67,
    DAT_HELL_BACKGROUND = 68,
    DAT_SND_HOMING_FIRE = 69,
    DAT_HOMO_CASING = 70,
    DAT_SND_JUMP = 71,
    DAT_INFO_IMAGE = 72,
    DAT_JOYPAD_IMAGE = 73,
    DAT_KEYBOARD_IMAGE = 74,
    DAT_PAD_KEYS = 75,
    DAT_KEY_LABELS = 76,
    DAT_SND_LADDER_1 = 78,
    DAT_SND_LADDER_2 = 79,
    DAT_SND_LAND = 80,
    DAT_SND_MOONRAKER_FIRE = 81,
    DAT_SPLASH_LEAF = 82,
    DAT_OUTRO_LOGO = 83,
    DAT_LONDON_BACKGROUND = 84,
    DAT_LONDON_LIGHT = 85,
    DAT_MANGA_ONE = 86,
    DAT_MANGA_TWO = 87,
    DAT_MAP_THUMBS = 88,
    DAT_MAP_TITLES = 89,
    DAT_MINES = 90,
    DAT_MOONRAKER_FLASH = 91,
    DAT_SND_MUMMRA_FIRE = 92,
    DAT_SND_THRUSTER = 93,
    DAT_OUTNOW_IMAGE = 94,
    DAT_PAUSED = 95,
    DAT_PERCENTAGE_IMAGE = 96,
    DAT_SND_SPAWN = 97,
    DAT_PLASMA = 98,
    DAT_PLASMA_FLASH = 99,
    DAT_SND_PLASMA_HIT = 100,
    DAT_FIGHTER_GREEN = 101,
    DAT_FIGHTER_PURPLE = 102,
    DAT_POINTER = 103,
    DAT_POO = 104,
    DAT_POWERUP = 105,
    DAT_SND_CUBE_CASHIN = 106,
    DAT_SND_POWERUP_APPEAR = 107,
    DAT_POWERUP_TEXT = 108,
    DAT_SND_ALARM = 109,
    DAT_PREMAP_IMAGES = 110,
    DAT_SND_PREMAP = 111,
    DAT_PURPLE_ARM = 112,
    DAT_PURPLE_GIB = 113,
    DAT_PURPLE_HOMO = 114,
    DAT_PURPLE_LEG = 115,
    DAT_PURPLE_MUMMRA = 116,
    DAT_PURPLE_LABEL = 117,
    DAT_PURPLE_WINS_TEXT = 118,
    DAT_SND_POWERUP_PICKUP = 119,
    DAT_SND_RESPAWN = 120,
    DAT_RETRO_NUMS = 121,
    DAT_ROCKET_PACK = 122,
    DAT_SND_BOOST = 123,
    DAT_SCORE_EXPLANATION = 124,
    DAT_SND_CLICK = 125,
    DAT_SND_GIBBER_FIRE = 126,
    DAT_SND_DUALGIBBER_FIRE = 127,
    DAT_SND_SLIDE = 128,
    DAT_SPLASH_SONIC = 129,
    DAT_TV_STATIC = 130,
    DAT_SND_STEP_1 = 131,
    DAT_SND_STEP_2 = 132,
    DAT_SND_SPARE_21 = 133,
    DAT_SND_SPLASH_STING = 134,
    DAT_TEXT_BACK = 135,
    DAT_TEXT_DETAIL = 136,
    DAT_TEXT_GO = 137,
    DAT_TEXT_KEY_SETUP = 138,
    DAT_TEXT_KEY_SETUP_PAD = 139,
    DAT_TEXT_MUSIC = 140,
    DAT_TEXT_OPTIONS = 141,
    DAT_TEXT_PLAYER2 = 142,
    DAT_TEXT_PLAYER_ONE = 143,
    DAT_TEXT_PLAYER_TWO = 144,
    DAT_TEXT_POWER = 145,
    DAT_TEXT_QUICK_BOUT = 146,
    DAT_TEXT_QUIT = 147,
    DAT_TEXT_BACK_TO_MENU = 148,
    DAT_TEXT_TEAMS = 149,
    DAT_TEXT_TOTAL = 150,
    DAT_TORCH_FLAME = 151,
    DAT_PURPLE_TORSO = 152,
    DAT_GREEN_TORSO = 153,
    DAT_SPLASH_TRAIN = 154,
    DAT_TUTORIAL_BACKGROUND = 155,
    DAT_TUTORIAL_TEXT_BIG = 156,
    DAT_TUTORIAL_BOOTH = 157,
    DAT_TUTORIAL_TEXT = 158,
    DAT_SPLASH_VOLCANO = 159,
    DAT_PLAY_WARNING = 160,
    DAT_WATER_SPLASH = 161,
    DAT_WEBSITE_IMAGE = 162,
    DAT_WINS_TEXT = 163,
    DAT_SND_ZAPZAP_FIRE = 164,
    DAT_ZAPZAP_CASING = 165,
    DAT_SPLASH_ZOMBIES = 166,
    DAT_ENTRY_COUNT = 167
};

// The entry's name ("DAT_BOMB"), or NULL for the four unread entries and numbers out of range.
const char *dataEntryName(int entry);

// What the game reads from the data file: the first entry that is missing or not of the
// kind the game takes it as (bitmap or sample), or -1 when every entry is usable.
int findBadDataEntry(const DATAFILE *dat);
// The same check as a message naming the entry, or NULL when the file is usable.
const char *findDataFileFault(const DATAFILE *dat);

// The cutting primitive: a new w x h memory bitmap holding the w x h rectangle of `sheet`
// at (startX + (frame % columns) * w, startY + (frame / columns) * h). Parts of the
// rectangle outside the sheet stay blank (mask colour).
BITMAP *grabframe(BITMAP *sheet, int w, int h, int startX, int startY, int columns, int frame);

// Cuts the fighter, gun-arm, booth, health-bar, gore, mine, menu and key-label sheets and
// points the first group of single pictures at their entries. Must run before the
// fighter set-ups, which take their sizes from these pictures.
void load_files();
// Cuts the HUD and overlay sheets and points the remaining single pictures.
void setupGraphics();

// ---- Fighter bodies: normal look (player_, player2_) and the slowed look (grey_).
// `_cryo` is the frozen twin; the respawn and speed animations have none.
extern BITMAP *player_still[11], *player_still_cryo[11], *player_run[11], *player_run_cryo[11],
    *player_jump, *player_jump_cryo, *player_grab, *player_grab_cryo, *player_crouch,
    *player_crouch_cryo, *player_slide[4], *player_slide_cryo[4], *player_hitfloor,
    *player_hitfloor_cryo, *player_climb[7], *player_climb_cryo[7],
    *player_respawn_bigcock[19], *player_respawn_smallcock[19], *player_runsonic[11];
extern BITMAP *player2_still[11], *player2_still_cryo[11], *player2_run[11],
    *player2_run_cryo[11], *player2_jump, *player2_jump_cryo, *player2_grab,
    *player2_grab_cryo, *player2_crouch, *player2_crouch_cryo, *player2_slide[4],
    *player2_slide_cryo[4], *player2_hitfloor, *player2_hitfloor_cryo, *player2_climb[7],
    *player2_climb_cryo[7], *player2_respawn_bigcock[19], *player2_respawn_smallcock[19],
    *player2_runsonic[11];
extern BITMAP *grey_still[11], *grey_still_cryo[11], *grey_run[11], *grey_run_cryo[11],
    *grey_jump, *grey_jump_cryo, *grey_grab, *grey_grab_cryo, *grey_crouch, *grey_crouch_cryo,
    *grey_slide[4], *grey_slide_cryo[4], *grey_hitfloor, *grey_hitfloor_cryo, *grey_climb[7],
    *grey_climb_cryo[7], *grey_respawn_bigcock[19], *grey_respawn_smallcock[19],
    *grey_runsonic[11];

// ---- Gun arms, one 38x20 picture per weapon and pose: fighter 1 (`gibber`...),
// fighter 2 (`gibber2`...) and the slowed look (`grey_gibber`...).
extern BITMAP *gibber, *gibber_climb, *gibber_grab, *gibber_slide, *gibber_hitfloor,
    *gibber_cryo, *gibber_climb_cryo, *gibber_grab_cryo, *gibber_slide_cryo,
    *gibber_hitfloor_cryo;
extern BITMAP *zapzap, *zapzap_climb, *zapzap_grab, *zapzap_slide, *zapzap_hitfloor,
    *zapzap_cryo, *zapzap_climb_cryo, *zapzap_grab_cryo, *zapzap_slide_cryo,
    *zapzap_hitfloor_cryo;
extern BITMAP *homo, *homo_climb, *homo_grab, *homo_slide, *homo_hitfloor, *homo_cryo,
    *homo_climb_cryo, *homo_grab_cryo, *homo_slide_cryo, *homo_hitfloor_cryo;
extern BITMAP *mummra, *mummra_climb, *mummra_grab, *mummra_slide, *mummra_hitfloor,
    *mummra_cryo, *mummra_climb_cryo, *mummra_grab_cryo, *mummra_slide_cryo,
    *mummra_hitfloor_cryo;
extern BITMAP *moonraker, *moonraker_climb, *moonraker_grab, *moonraker_slide,
    *moonraker_hitfloor, *moonraker_cryo, *moonraker_climb_cryo, *moonraker_grab_cryo,
    *moonraker_slide_cryo, *moonraker_hitfloor_cryo;
extern BITMAP *minedrop, *minedrop_climb, *minedrop_grab, *minedrop_slide, *minedrop_hitfloor,
    *minedrop_cryo, *minedrop_climb_cryo, *minedrop_grab_cryo, *minedrop_slide_cryo,
    *minedrop_hitfloor_cryo;
extern BITMAP *dualgibber, *dualgibber_climb, *dualgibber_grab, *dualgibber_slide,
    *dualgibber_hitfloor, *dualgibber_cryo, *dualgibber_climb_cryo, *dualgibber_grab_cryo,
    *dualgibber_slide_cryo, *dualgibber_hitfloor_cryo;
extern BITMAP *gibber2, *gibber2_climb, *gibber2_grab, *gibber2_slide, *gibber2_hitfloor,
    *gibber2_cryo, *gibber2_climb_cryo, *gibber2_grab_cryo, *gibber2_slide_cryo,
    *gibber2_hitfloor_cryo;
extern BITMAP *zapzap2, *zapzap2_climb, *zapzap2_grab, *zapzap2_slide, *zapzap2_hitfloor,
    *zapzap2_cryo, *zapzap2_climb_cryo, *zapzap2_grab_cryo, *zapzap2_slide_cryo,
    *zapzap2_hitfloor_cryo;
extern BITMAP *homo2, *homo2_climb, *homo2_grab, *homo2_slide, *homo2_hitfloor, *homo2_cryo,
    *homo2_climb_cryo, *homo2_grab_cryo, *homo2_slide_cryo, *homo2_hitfloor_cryo;
extern BITMAP *mummra2, *mummra2_climb, *mummra2_grab, *mummra2_slide, *mummra2_hitfloor,
    *mummra2_cryo, *mummra2_climb_cryo, *mummra2_grab_cryo, *mummra2_slide_cryo,
    *mummra2_hitfloor_cryo;
extern BITMAP *moonraker2, *moonraker2_climb, *moonraker2_grab, *moonraker2_slide,
    *moonraker2_hitfloor, *moonraker2_cryo, *moonraker2_climb_cryo, *moonraker2_grab_cryo,
    *moonraker2_slide_cryo, *moonraker2_hitfloor_cryo;
extern BITMAP *minedrop2, *minedrop2_climb, *minedrop2_grab, *minedrop2_slide,
    *minedrop2_hitfloor, *minedrop2_cryo, *minedrop2_climb_cryo, *minedrop2_grab_cryo,
    *minedrop2_slide_cryo, *minedrop2_hitfloor_cryo;
extern BITMAP *dualgibber2, *dualgibber2_climb, *dualgibber2_grab, *dualgibber2_slide,
    *dualgibber2_hitfloor, *dualgibber2_cryo, *dualgibber2_climb_cryo, *dualgibber2_grab_cryo,
    *dualgibber2_slide_cryo, *dualgibber2_hitfloor_cryo;
extern BITMAP *grey_gibber, *grey_gibber_climb, *grey_gibber_grab, *grey_gibber_slide,
    *grey_gibber_hitfloor, *grey_gibber_cryo, *grey_gibber_climb_cryo, *grey_gibber_grab_cryo,
    *grey_gibber_slide_cryo, *grey_gibber_hitfloor_cryo;
extern BITMAP *grey_zapzap, *grey_zapzap_climb, *grey_zapzap_grab, *grey_zapzap_slide,
    *grey_zapzap_hitfloor, *grey_zapzap_cryo, *grey_zapzap_climb_cryo, *grey_zapzap_grab_cryo,
    *grey_zapzap_slide_cryo, *grey_zapzap_hitfloor_cryo;
extern BITMAP *grey_homo, *grey_homo_climb, *grey_homo_grab, *grey_homo_slide,
    *grey_homo_hitfloor, *grey_homo_cryo, *grey_homo_climb_cryo, *grey_homo_grab_cryo,
    *grey_homo_slide_cryo, *grey_homo_hitfloor_cryo;
extern BITMAP *grey_mummra, *grey_mummra_climb, *grey_mummra_grab, *grey_mummra_slide,
    *grey_mummra_hitfloor, *grey_mummra_cryo, *grey_mummra_climb_cryo, *grey_mummra_grab_cryo,
    *grey_mummra_slide_cryo, *grey_mummra_hitfloor_cryo;
extern BITMAP *grey_moonraker, *grey_moonraker_climb, *grey_moonraker_grab,
    *grey_moonraker_slide, *grey_moonraker_hitfloor, *grey_moonraker_cryo,
    *grey_moonraker_climb_cryo, *grey_moonraker_grab_cryo, *grey_moonraker_slide_cryo,
    *grey_moonraker_hitfloor_cryo;
extern BITMAP *grey_minedrop, *grey_minedrop_climb, *grey_minedrop_grab, *grey_minedrop_slide,
    *grey_minedrop_hitfloor, *grey_minedrop_cryo, *grey_minedrop_climb_cryo,
    *grey_minedrop_grab_cryo, *grey_minedrop_slide_cryo, *grey_minedrop_hitfloor_cryo;
extern BITMAP *grey_dualgibber, *grey_dualgibber_climb, *grey_dualgibber_grab,
    *grey_dualgibber_slide, *grey_dualgibber_hitfloor, *grey_dualgibber_cryo,
    *grey_dualgibber_climb_cryo, *grey_dualgibber_grab_cryo, *grey_dualgibber_slide_cryo,
    *grey_dualgibber_hitfloor_cryo;

// Every gun-arm picture by look, weapon and pose, for code that serves both fighters:
// armPicture[look][weapon - 1][pose + (frozen ? 5 : 0)]; looks green, purple, grey.
enum ArmLook { ARM_LOOK_GREEN, ARM_LOOK_PURPLE, ARM_LOOK_GREY, ARM_LOOK_COUNT };
enum ArmPose { ARM_POSE_NORMAL, ARM_POSE_CLIMB, ARM_POSE_GRAB, ARM_POSE_SLIDE,
               ARM_POSE_HITFLOOR, ARM_POSE_COUNT };
enum { ARM_WEAPON_COUNT = 7 };
extern BITMAP **const armPicture[ARM_LOOK_COUNT][ARM_WEAPON_COUNT][2 * ARM_POSE_COUNT];

// ---- Other sheets.
extern BITMAP *greenbooth[2], *purplebooth[2];          // 0 front, 1 back
extern BITMAP *greenhealthbar[13], *purplehealthbar[13], *whitehealthbar[13];
extern BITMAP *cubefrazzle_image[5];
extern BITMAP *mine_image[9], *mine_green_image[9], *mine_purple_image[9];
extern BITMAP *head_image[4];
extern BITMAP *torchflame[8];
extern BITMAP *premap_image[2];
extern BITMAP *mapthumbs[8];
extern BITMAP *mapTitles[4];
extern BITMAP *textplayer2human, *textplayer2cpu;
extern BITMAP *texthighdetail, *textlowdetail, *textmeddetail;
extern BITMAP *textmusicon, *textmusicoff;
extern BITMAP *digits[10], *fragdigits[10], *retronums[10], *ammocount[10];
extern BITMAP *static_image[6];
extern BITMAP *poweruptext[14];
extern BITMAP *gibberflash;
extern BITMAP *cubescore[4];

// ---- Glyphs and key labels. `letter` holds A..Z then 0..9.
extern BITMAP *letter[36];
extern BITMAP *padkey[10], *padspecialkey[6];
extern BITMAP *specialkey[13], *cursorkey[4], *shiftkey[6];

// The label of a keyboard binding's code (the settings file's numbering), or NULL when
// the key has no label; the label of a pad button (its digit glyph), NULL outside 0..9.
BITMAP *keyLabel(int code);
BITMAP *padButtonLabel(int button);

// ---- Pictures taken later by their own set-ups (defined here, filled there): the Hell
// candles and London's street light at the level's first real start, the tutorial's
// hint pictures and booth overlay, the cube and the credits page.
extern BITMAP *candleflame[8];
extern BITMAP *londonlight;
extern BITMAP *tutorialtext[17], *tutorialtextBig[18], *tutorialBooth;
extern BITMAP *cube_image;
extern BITMAP *credits_image;

// ---- Single pictures: the data file's own bitmaps. Set by load_files:
extern BITMAP *textAICompetence, *splashAlien, *blood_image, *splashBlub, *bomb_image,
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
// Set by setupGraphics:
extern BITMAP *ammotext, *bombblastvertical_image, *fragtext, *grassFG1, *greentext_image,
    *moonrakerflash, *paused_image, *plasmaflash, *powerup_image, *purpletext_image,
    *rocketpack, *waterSplash;
