// gendata: makes the game's data file "gor.dat" (167 entries in number order) and the three
// arena tile maps from the sources under data/.
//
//   gendata <data dir> <game dir>          write gor.dat and the tile maps into <game dir>
//   gendata --preview <data dir> <dir>     write every picture as a BMP into <dir> (to look at)
#include "tools/gendata/arenas.h"
#include "tools/gendata/gen.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

enum Kind {
    K_NONE,       // never read by the game: a 1x1 placeholder keeps the numbering
    K_FIGHTER,    // param = team
    K_ARMS,       // param = team
    K_BOOTHS,
    K_TUTBOOTH,
    K_ITEM,
    K_EXPLOSION,
    K_ITEMSHEET,
    K_TEXT,
    K_DIGITS,
    K_KEYS,
    K_SCREEN,     // made after the rest: may show other entries' pictures
    K_TUTORIAL,
    K_BACKGROUND, // param = GenArena
    K_SAMPLE,
};

struct EntryDef {
    const char *name;
    Kind kind;
    int param;
};

// Every entry of gor.dat, index = entry number. Names are stored as the objects' NAME
// property; the game itself only uses the numbers.
const EntryDef ENTRIES[] = {
    {"TEXT_AI_COMPETENCE", K_TEXT, 0},          // 0
    {"SPLASH_ALIEN", K_SCREEN, 0},
    {"LETTERS", K_DIGITS, 0},
    {"AMMO_DIGITS", K_DIGITS, 0},
    {"AMMO_TEXT", K_TEXT, 0},
    {"ARMS_PURPLE", K_ARMS, TEAM_PURPLE},       // 5
    {"ARMS_GREEN", K_ARMS, TEAM_GREEN},
    {"SND_MINE_BEEP", K_SAMPLE, 0},
    {"BLOOD", K_ITEM, 0},
    {"SPLASH_BLUB", K_SCREEN, 0},
    {"BOMB", K_ITEM, 0},                        // 10
    {"SND_BOMB_EXPLODE", K_SAMPLE, 0},
    {"BOMB_BLAST_HORIZONTAL", K_ITEM, 0},
    {"BOMB_BLAST_VERTICAL", K_ITEM, 0},
    {"BOOTHS", K_BOOTHS, 0},
    {"SPLASH_BOUNCE", K_SCREEN, 0},             // 15
    {"BULLET", K_ITEM, 0},
    {"CANDLE_FLAME", K_ITEMSHEET, 0},
    {"UNUSED_18", K_NONE, 0},
    {"SND_CUBE_PICKUP", K_SAMPLE, 0},
    {"UNUSED_20", K_NONE, 0},                   // 20
    {"CREDITS", K_SCREEN, 0},
    {"TEXT_CREDITS", K_TEXT, 0},
    {"CUBE", K_ITEM, 0},
    {"CUBE_FRAZZLE", K_ITEMSHEET, 0},
    {"CUBE_SCORE", K_ITEMSHEET, 0},             // 25
    {"HEADS", K_ITEMSHEET, 0},
    {"TEXT_DEFAULTS", K_TEXT, 0},
    {"SND_DEFAULTS", K_SAMPLE, 0},
    {"DIGITS", K_DIGITS, 0},
    {"SND_ITEM_BOUNCE", K_SAMPLE, 0},           // 30
    {"TEXT_DRAW", K_TEXT, 0},
    {"SND_CUBE_RAIN", K_SAMPLE, 0},
    {"SND_SPARE_29", K_SAMPLE, 0},
    {"SND_EXPLOSION", K_SAMPLE, 0},
    {"EXPLOSION_2", K_EXPLOSION, 0},            // 35
    {"EXPLOSION", K_EXPLOSION, 0},
    {"EXPLOSION_ELEC", K_EXPLOSION, 0},
    {"EXPLOSION_ELEC_2", K_EXPLOSION, 0},
    {"EXPLOSION_GREEN_2", K_EXPLOSION, 0},
    {"EXPLOSION_GREEN", K_EXPLOSION, 0},        // 40
    {"EXPLOSION_HOMO_2", K_EXPLOSION, 0},
    {"EXPLOSION_HOMO", K_EXPLOSION, 0},
    {"EXPLOSION_PURPLE_2", K_EXPLOSION, 0},
    {"EXPLOSION_PURPLE", K_EXPLOSION, 0},
    {"UNUSED_45", K_NONE, 0},                   // 45
    {"FRAG_DIGITS", K_DIGITS, 0},
    {"FRAG_TEXT", K_TEXT, 0},
    {"TEXT_GAME_LENGTH", K_TEXT, 0},
    {"VELMORA_IMAGE", K_SCREEN, 0},
    {"SND_RESULT_JINGLE", K_SAMPLE, 0},         // 50
    {"SND_TITLE_MUSIC", K_SAMPLE, 0},
    {"GIB_CASING", K_ITEM, 0},
    {"GIBBER_FLASH", K_ITEM, 0},
    {"SND_WALL_GRAB", K_SAMPLE, 0},
    {"GRASS_FG", K_ITEM, 0},                    // 55
    {"GREEN_ARM", K_ITEM, 0},
    {"GREEN_GIB", K_ITEM, 0},
    {"GREEN_HOMO", K_ITEM, 0},
    {"GREEN_LEG", K_ITEM, 0},
    {"GREEN_MUMMRA", K_ITEM, 0},                // 60
    {"GREEN_LABEL", K_TEXT, 0},
    {"GREEN_WINS_TEXT", K_TEXT, 0},
    {"ARMS_GREY", K_ARMS, TEAM_GREY},
    {"FIGHTER_GREY", K_FIGHTER, TEAM_GREY},
    {"HEALTH_BAR_PURPLE", K_ITEMSHEET, 0},      // 65
    {"HEALTH_BAR_GREEN", K_ITEMSHEET, 0},
    {"HEALTH_BAR_WHITE", K_ITEMSHEET, 0},
    {"HELL_BACKGROUND", K_BACKGROUND, GEN_ARENA_HELL},
    {"SND_HOMING_FIRE", K_SAMPLE, 0},
    {"HOMO_CASING", K_ITEM, 0},                 // 70
    {"SND_JUMP", K_SAMPLE, 0},
    {"INFO_IMAGE", K_TEXT, 0},
    {"JOYPAD_IMAGE", K_SCREEN, 0},
    {"KEYBOARD_IMAGE", K_SCREEN, 0},
    {"PAD_KEYS", K_KEYS, 0},                    // 75
    {"KEY_LABELS", K_KEYS, 0},
    {"UNUSED_77", K_NONE, 0},
    {"SND_LADDER_1", K_SAMPLE, 0},
    {"SND_LADDER_2", K_SAMPLE, 0},
    {"SND_LAND", K_SAMPLE, 0},                  // 80
    {"SND_MOONRAKER_FIRE", K_SAMPLE, 0},
    {"SPLASH_LEAF", K_SCREEN, 0},
    {"OUTRO_LOGO", K_SCREEN, 0},
    {"LONDON_BACKGROUND", K_BACKGROUND, GEN_ARENA_LONDON},
    {"LONDON_LIGHT", K_ITEM, 0},                // 85
    {"MANGA_ONE", K_SCREEN, 0},
    {"MANGA_TWO", K_SCREEN, 0},
    {"MAP_THUMBS", K_SCREEN, 0},
    {"MAP_TITLES", K_TEXT, 0},
    {"MINES", K_ITEMSHEET, 0},                  // 90
    {"MOONRAKER_FLASH", K_ITEM, 0},
    {"SND_MUMMRA_FIRE", K_SAMPLE, 0},
    {"SND_THRUSTER", K_SAMPLE, 0},
    {"OUTNOW_IMAGE", K_SCREEN, 0},
    {"PAUSED", K_TEXT, 0},                      // 95
    {"PERCENTAGE_IMAGE", K_ITEM, 0},
    {"SND_SPAWN", K_SAMPLE, 0},
    {"PLASMA", K_ITEM, 0},
    {"PLASMA_FLASH", K_ITEM, 0},
    {"SND_PLASMA_HIT", K_SAMPLE, 0},            // 100
    {"FIGHTER_GREEN", K_FIGHTER, TEAM_GREEN},
    {"FIGHTER_PURPLE", K_FIGHTER, TEAM_PURPLE},
    {"POINTER", K_ITEM, 0},
    {"POO", K_ITEM, 0},
    {"POWERUP", K_ITEM, 0},                     // 105
    {"SND_CUBE_CASHIN", K_SAMPLE, 0},
    {"SND_POWERUP_APPEAR", K_SAMPLE, 0},
    {"POWERUP_TEXT", K_TEXT, 0},
    {"SND_ALARM", K_SAMPLE, 0},
    {"PREMAP_IMAGES", K_SCREEN, 0},             // 110
    {"SND_PREMAP", K_SAMPLE, 0},
    {"PURPLE_ARM", K_ITEM, 0},
    {"PURPLE_GIB", K_ITEM, 0},
    {"PURPLE_HOMO", K_ITEM, 0},
    {"PURPLE_LEG", K_ITEM, 0},                  // 115
    {"PURPLE_MUMMRA", K_ITEM, 0},
    {"PURPLE_LABEL", K_TEXT, 0},
    {"PURPLE_WINS_TEXT", K_TEXT, 0},
    {"SND_POWERUP_PICKUP", K_SAMPLE, 0},
    {"SND_RESPAWN", K_SAMPLE, 0},               // 120
    {"RETRO_NUMS", K_DIGITS, 0},
    {"ROCKET_PACK", K_ITEM, 0},
    {"SND_BOOST", K_SAMPLE, 0},
    {"SCORE_EXPLANATION", K_SCREEN, 0},
    {"SND_CLICK", K_SAMPLE, 0},                 // 125
    {"SND_GIBBER_FIRE", K_SAMPLE, 0},
    {"SND_DUALGIBBER_FIRE", K_SAMPLE, 0},
    {"SND_SLIDE", K_SAMPLE, 0},
    {"SPLASH_SONIC", K_SCREEN, 0},
    {"TV_STATIC", K_ITEMSHEET, 0},              // 130
    {"SND_STEP_1", K_SAMPLE, 0},
    {"SND_STEP_2", K_SAMPLE, 0},
    {"SND_SPARE_21", K_SAMPLE, 0},
    {"SND_SPLASH_STING", K_SAMPLE, 0},
    {"TEXT_BACK", K_TEXT, 0},                   // 135
    {"TEXT_DETAIL", K_TEXT, 0},
    {"TEXT_GO", K_TEXT, 0},
    {"TEXT_KEY_SETUP", K_TEXT, 0},
    {"TEXT_KEY_SETUP_PAD", K_TEXT, 0},
    {"TEXT_MUSIC", K_TEXT, 0},                  // 140
    {"TEXT_OPTIONS", K_TEXT, 0},
    {"TEXT_PLAYER2", K_TEXT, 0},
    {"TEXT_PLAYER_ONE", K_TEXT, 0},
    {"TEXT_PLAYER_TWO", K_TEXT, 0},
    {"TEXT_POWER", K_TEXT, 0},                  // 145
    {"TEXT_QUICK_BOUT", K_TEXT, 0},
    {"TEXT_QUIT", K_TEXT, 0},
    {"TEXT_BACK_TO_MENU", K_TEXT, 0},
    {"TEXT_TEAMS", K_TEXT, 0},
    {"TEXT_TOTAL", K_TEXT, 0},                  // 150
    {"TORCH_FLAME", K_ITEMSHEET, 0},
    {"PURPLE_TORSO", K_ITEM, 0},
    {"GREEN_TORSO", K_ITEM, 0},
    {"SPLASH_TRAIN", K_SCREEN, 0},
    {"TUTORIAL_BACKGROUND", K_BACKGROUND, GEN_ARENA_TUTORIAL}, // 155
    {"TUTORIAL_TEXT_BIG", K_TUTORIAL, 0},
    {"TUTORIAL_BOOTH", K_TUTBOOTH, 0},
    {"TUTORIAL_TEXT", K_TUTORIAL, 0},
    {"SPLASH_VOLCANO", K_SCREEN, 0},
    {"PLAY_WARNING", K_ITEM, 0},                // 160
    {"WATER_SPLASH", K_ITEM, 0},
    {"WEBSITE_IMAGE", K_SCREEN, 0},
    {"WINS_TEXT", K_TEXT, 0},
    {"SND_ZAPZAP_FIRE", K_SAMPLE, 0},
    {"ZAPZAP_CASING", K_ITEM, 0},               // 165
    {"SPLASH_ZOMBIES", K_SCREEN, 0},
};
const int ENTRY_COUNT = (int)(sizeof ENTRIES / sizeof ENTRIES[0]);
static_assert(sizeof ENTRIES / sizeof ENTRIES[0] == 167, "gor.dat has entries 0..166");

BITMAP *pictures[167];
const char *dataDir;

BITMAP *makePicture(int i)
{
    const EntryDef &e = ENTRIES[i];
    switch (e.kind) {
    case K_NONE: return newPic(1, 1, 0);
    case K_FIGHTER: return makeFighterSheet(e.param);
    case K_ARMS: return makeArmSheet(e.param);
    case K_BOOTHS: return makeBooths();
    case K_TUTBOOTH: return makeTutorialBooth();
    case K_ITEM: return makeItemPicture(i);
    case K_EXPLOSION: return makeExplosion(i);
    case K_ITEMSHEET: return makeItemSheet(i);
    case K_TEXT: return makeTextPicture(i);
    case K_DIGITS: return makeDigitSheet(i);
    case K_KEYS: return makeKeySheet(i);
    case K_SCREEN: return makeScreenPicture(i);
    case K_TUTORIAL: return makeTutorialSheet(i);
    case K_BACKGROUND: {
        BITMAP *b = paintArenaBackground(e.param, dataDir);
        if (!b) {
            fprintf(stderr, "gendata: no background for %s\n", e.name);
            exit(1);
        }
        return b;
    }
    case K_SAMPLE: break;
    }
    return nullptr;
}

// Screens and tutorial pictures come last because they show other entries' pictures.
void makeAllPictures()
{
    for (int pass = 0; pass < 2; pass++)
        for (int i = 0; i < ENTRY_COUNT; i++)
            if (ENTRIES[i].kind != K_SAMPLE &&
                (ENTRIES[i].kind == K_SCREEN || ENTRIES[i].kind == K_TUTORIAL) == (pass == 1))
                pictures[i] = makePicture(i);
}

// A plain 16-bit mono WAV of a sample, to listen to.
bool writeWav(const char *path, SAMPLE *s)
{
    FILE *f = fopen(path, "wb");
    if (!f)
        return false;
    unsigned bytes = (unsigned)s->len * 2;
    auto u32 = [f](unsigned v) { for (int k = 0; k < 4; k++) fputc((v >> (8 * k)) & 255, f); };
    auto u16 = [f](unsigned v) { fputc(v & 255, f); fputc((v >> 8) & 255, f); };
    fwrite("RIFF", 1, 4, f);
    u32(36 + bytes);
    fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1);
    u16(1);
    u32((unsigned)s->freq);
    u32((unsigned)s->freq * 2);
    u16(2);
    u16(16);
    fwrite("data", 1, 4, f);
    u32(bytes);
    const unsigned short *d = (const unsigned short *)s->data;
    for (unsigned long i = 0; i < s->len; i++)
        u16((unsigned)(d[i] ^ 0x8000)); // unsigned -> signed
    return fclose(f) == 0;
}

int writePreview(const char *dir)
{
    for (int i = 0; i < ENTRY_COUNT; i++) {
        char path[1024];
        if (ENTRIES[i].kind == K_SAMPLE) {
            snprintf(path, sizeof path, "%s/%03d_%s.wav", dir, i, ENTRIES[i].name);
            SAMPLE *s = makeSample(ENTRIES[i].name);
            int failed = !writeWav(path, s);
            destroy_sample(s);
            if (failed) {
                fprintf(stderr, "gendata: cannot write %s\n", path);
                return 1;
            }
            continue;
        }
        snprintf(path, sizeof path, "%s/%03d_%s.bmp", dir, i, ENTRIES[i].name);
        if (save_bmp(path, pictures[i], nullptr) != 0) {
            fprintf(stderr, "gendata: cannot write %s\n", path);
            return 1;
        }
    }
    return 0;
}

} // namespace

BITMAP *generatedPicture(int entry)
{
    return entry >= 0 && entry < 167 ? pictures[entry] : nullptr;
}

int main(int argc, char **argv)
{
    bool preview = argc == 4 && strcmp(argv[1], "--preview") == 0;
    if (!preview && argc != 3) {
        fprintf(stderr, "usage: gendata <data dir> <game dir>\n"
                        "       gendata --preview <data dir> <picture dir>\n");
        return 2;
    }
    dataDir = preview ? argv[2] : argv[1];
    const char *outDir = preview ? argv[3] : argv[2];
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "gendata: cannot start Allegro\n");
        return 1;
    }
    set_color_depth(16);
    set_color_conversion(COLORCONV_NONE);
    if (!loadSources(dataDir))
        return 1;

    makeAllPictures();
    if (preview) {
        std::string scene = std::string(outDir) + "/scene_soldiers.bmp";
        std::string booths = std::string(outDir) + "/scene_booths.bmp";
        std::string arenas = std::string(outDir) + "/scene_arenas.bmp";
        std::string contact = std::string(outDir) + "/contact_sheet.bmp";
        std::string splash = std::string(outDir) + "/scene_end_splash.bmp";
        if (!writeScenePreview(scene.c_str()) || !writeBoothPreview(booths.c_str()) ||
            !writeArenaScenePreview(arenas.c_str()) || !writeContactSheet(contact.c_str()) ||
            !writeEndSplashPreview(splash.c_str()))
            return 1;
        return writePreview(outDir);
    }

    std::vector<DatObject> objs;
    for (int i = 0; i < ENTRY_COUNT; i++) {
        DatObject o;
        o.name = ENTRIES[i].name;
        o.bmp = pictures[i];
        o.smp = ENTRIES[i].kind == K_SAMPLE ? makeSample(ENTRIES[i].name) : nullptr;
        objs.push_back(o);
    }
    std::string datPath = std::string(outDir) + "/gor.dat";
    bool ok = writeDatafile(datPath.c_str(), objs) && writeArenaMaps(dataDir, outDir);
    for (DatObject &o : objs) {
        if (o.bmp)
            destroy_bitmap(o.bmp);
        if (o.smp)
            destroy_sample(o.smp);
    }
    return ok ? 0 : 1;
}
