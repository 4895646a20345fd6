#include "core/settings.h"

#include <allegro.h>
#include <errno.h>
#include <stdio.h>

#include "core/configfile.h"
#include "core/music.h"
#include "core/wholefile.h"
#include "core/world.h"

int musicOn = 1, TitleWobble = 3, p2cpu = 0, AIcomp = 1, GameLength = 1;
int credhigh = 0, credunlocked = 0, GreenTeam_list = -1, PurpleTeam_list = -1;
FileList team_list;

static const char SETTINGS_FILE[] = "gorSetup.cfg";

// Per slot: the file key (also the global's name) and the code of the DEFAULTS button.
struct SlotInfo {
    const char *name;
    int defaults;
};

static const SlotInfo slotInfo[BIND_COUNT] = {
    {"p1left", 1}, {"p1right", 4}, {"p1up", 23}, {"p1down", 19}, {"p1fire", 75},
    {"p1action", 103}, {"p1bomb", 105}, {"p2left", 38}, {"p2right", 39}, {"p2up", 43},
    {"p2down", 40}, {"p2fire", 89}, {"p2action", 91}, {"p2bomb", 83}, {"p1padfire", 3},
    {"p1padaction", 2}, {"p1padbomb", 0}, {"p2padfire", 3}, {"p2padaction", 2},
    {"p2padbomb", 0},
};

// What a first start uses (no file, or a key missing from it), with the label positions.
#define FIRST_START_BINDINGS                                                                \
    {                                                                                       \
        {1, 550, 650, 0}, {4, 550, 666, 0}, {23, 550, 682, 0}, {19, 550, 698, 0},           \
        {7, 550, 714, 0}, {8, 550, 730, 0}, {10, 550, 746, 0}, {82, 1165, 650, 0},          \
        {83, 1165, 666, 0}, {84, 1165, 682, 0}, {85, 1165, 698, 0}, {38, 1165, 714, 0},     \
        {39, 1165, 730, 0}, {40, 1165, 746, 0}, {3, 550, 800, 0}, {2, 550, 816, 0},         \
        {0, 550, 832, 0}, {3, 1165, 800, 0}, {2, 1165, 816, 0}, {0, 1165, 832, 0},          \
    }
static const KeyBinding firstStart[BIND_COUNT] = FIRST_START_BINDINGS;
KeyBinding keyBindings[BIND_COUNT] = FIRST_START_BINDINGS;

int &p1left = keyBindings[BIND_P1_LEFT].code, &p1leftx = keyBindings[BIND_P1_LEFT].x,
    &p1lefty = keyBindings[BIND_P1_LEFT].y, &p1leftactive = keyBindings[BIND_P1_LEFT].active;
int &p1right = keyBindings[BIND_P1_RIGHT].code, &p1rightx = keyBindings[BIND_P1_RIGHT].x,
    &p1righty = keyBindings[BIND_P1_RIGHT].y, &p1rightactive = keyBindings[BIND_P1_RIGHT].active;
int &p1up = keyBindings[BIND_P1_UP].code, &p1upx = keyBindings[BIND_P1_UP].x,
    &p1upy = keyBindings[BIND_P1_UP].y, &p1upactive = keyBindings[BIND_P1_UP].active;
int &p1down = keyBindings[BIND_P1_DOWN].code, &p1downx = keyBindings[BIND_P1_DOWN].x,
    &p1downy = keyBindings[BIND_P1_DOWN].y, &p1downactive = keyBindings[BIND_P1_DOWN].active;
int &p1fire = keyBindings[BIND_P1_FIRE].code, &p1firex = keyBindings[BIND_P1_FIRE].x,
    &p1firey = keyBindings[BIND_P1_FIRE].y, &p1fireactive = keyBindings[BIND_P1_FIRE].active;
int &p1action = keyBindings[BIND_P1_ACTION].code, &p1actionx = keyBindings[BIND_P1_ACTION].x,
    &p1actiony = keyBindings[BIND_P1_ACTION].y, &p1actionactive = keyBindings[BIND_P1_ACTION].active;
int &p1bomb = keyBindings[BIND_P1_BOMB].code, &p1bombx = keyBindings[BIND_P1_BOMB].x,
    &p1bomby = keyBindings[BIND_P1_BOMB].y, &p1bombactive = keyBindings[BIND_P1_BOMB].active;
int &p2left = keyBindings[BIND_P2_LEFT].code, &p2leftx = keyBindings[BIND_P2_LEFT].x,
    &p2lefty = keyBindings[BIND_P2_LEFT].y, &p2leftactive = keyBindings[BIND_P2_LEFT].active;
int &p2right = keyBindings[BIND_P2_RIGHT].code, &p2rightx = keyBindings[BIND_P2_RIGHT].x,
    &p2righty = keyBindings[BIND_P2_RIGHT].y, &p2rightactive = keyBindings[BIND_P2_RIGHT].active;
int &p2up = keyBindings[BIND_P2_UP].code, &p2upx = keyBindings[BIND_P2_UP].x,
    &p2upy = keyBindings[BIND_P2_UP].y, &p2upactive = keyBindings[BIND_P2_UP].active;
int &p2down = keyBindings[BIND_P2_DOWN].code, &p2downx = keyBindings[BIND_P2_DOWN].x,
    &p2downy = keyBindings[BIND_P2_DOWN].y, &p2downactive = keyBindings[BIND_P2_DOWN].active;
int &p2fire = keyBindings[BIND_P2_FIRE].code, &p2firex = keyBindings[BIND_P2_FIRE].x,
    &p2firey = keyBindings[BIND_P2_FIRE].y, &p2fireactive = keyBindings[BIND_P2_FIRE].active;
int &p2action = keyBindings[BIND_P2_ACTION].code, &p2actionx = keyBindings[BIND_P2_ACTION].x,
    &p2actiony = keyBindings[BIND_P2_ACTION].y, &p2actionactive = keyBindings[BIND_P2_ACTION].active;
int &p2bomb = keyBindings[BIND_P2_BOMB].code, &p2bombx = keyBindings[BIND_P2_BOMB].x,
    &p2bomby = keyBindings[BIND_P2_BOMB].y, &p2bombactive = keyBindings[BIND_P2_BOMB].active;
int &p1padfire = keyBindings[BIND_P1_PAD_FIRE].code, &p1padfirex = keyBindings[BIND_P1_PAD_FIRE].x,
    &p1padfirey = keyBindings[BIND_P1_PAD_FIRE].y, &p1padfireactive = keyBindings[BIND_P1_PAD_FIRE].active;
int &p1padaction = keyBindings[BIND_P1_PAD_ACTION].code, &p1padactionx = keyBindings[BIND_P1_PAD_ACTION].x,
    &p1padactiony = keyBindings[BIND_P1_PAD_ACTION].y, &p1padactionactive = keyBindings[BIND_P1_PAD_ACTION].active;
int &p1padbomb = keyBindings[BIND_P1_PAD_BOMB].code, &p1padbombx = keyBindings[BIND_P1_PAD_BOMB].x,
    &p1padbomby = keyBindings[BIND_P1_PAD_BOMB].y, &p1padbombactive = keyBindings[BIND_P1_PAD_BOMB].active;
int &p2padfire = keyBindings[BIND_P2_PAD_FIRE].code, &p2padfirex = keyBindings[BIND_P2_PAD_FIRE].x,
    &p2padfirey = keyBindings[BIND_P2_PAD_FIRE].y, &p2padfireactive = keyBindings[BIND_P2_PAD_FIRE].active;
int &p2padaction = keyBindings[BIND_P2_PAD_ACTION].code, &p2padactionx = keyBindings[BIND_P2_PAD_ACTION].x,
    &p2padactiony = keyBindings[BIND_P2_PAD_ACTION].y, &p2padactionactive = keyBindings[BIND_P2_PAD_ACTION].active;
int &p2padbomb = keyBindings[BIND_P2_PAD_BOMB].code, &p2padbombx = keyBindings[BIND_P2_PAD_BOMB].x,
    &p2padbomby = keyBindings[BIND_P2_PAD_BOMB].y, &p2padbombactive = keyBindings[BIND_P2_PAD_BOMB].active;

// The file lists player 1's keys, his pad, player 2's keys, his pad.
static const int fileSlotOrder[BIND_COUNT] = {
    BIND_P1_LEFT, BIND_P1_RIGHT, BIND_P1_UP, BIND_P1_DOWN, BIND_P1_FIRE, BIND_P1_ACTION,
    BIND_P1_BOMB, BIND_P1_PAD_FIRE, BIND_P1_PAD_ACTION, BIND_P1_PAD_BOMB,
    BIND_P2_LEFT, BIND_P2_RIGHT, BIND_P2_UP, BIND_P2_DOWN, BIND_P2_FIRE, BIND_P2_ACTION,
    BIND_P2_BOMB, BIND_P2_PAD_FIRE, BIND_P2_PAD_ACTION, BIND_P2_PAD_BOMB,
};

// ---- Key codes.

// The installed library moved the modifiers up by 12 and put other keys at 103..114.
enum { MODIFIER_SHIFT = 12, FIRST_MODIFIER = 103, LAST_CODE = KEY_CODE_COUNT - 1 };

int keyIndexOfCode(int code)
{
    if (code >= 0 && code < FIRST_MODIFIER)
        return code;
    if (code >= FIRST_MODIFIER && code <= LAST_CODE)
        return code + MODIFIER_SHIFT;
    return -1;
}

int keyCodeOfIndex(int index)
{
    if (index >= 0 && index < FIRST_MODIFIER)
        return index;
    if (index >= FIRST_MODIFIER + MODIFIER_SHIFT && index <= LAST_CODE + MODIFIER_SHIFT &&
        index < KEY_MAX)
        return index - MODIFIER_SHIFT;
    return -1;
}

int bindingKeyDown(int code)
{
    int index = keyIndexOfCode(code);
    return index >= 0 && index < KEY_MAX && key[index] != 0;
}

enum { PAD_BUTTONS = 10 };

int padButtonDown(int pad, int button)
{
    if (pad < 0 || pad >= num_joysticks || button < 0 || button >= PAD_BUTTONS ||
        button >= joy[pad].num_buttons)
        return 0;
    return joy[pad].button[button].b != 0;
}

// ---- The settings file.

static int clampInt(int v, int lo, int hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

// The file is kept as it says: a resolution is tried as stored (start-up falls back when the
// display refuses it or could not show it), and the switches and the computer's level are
// compared, never used as indexes. Only values that would divide by zero, index a table or
// overflow are held in range: the wobble is a modulus, the bout count is shown as one
// digit, a team is a list entry, the computer's level is squared.
static void holdSettingsInRange()
{
    if (AIcomp > AI_LEVEL_LIMIT || AIcomp < -AI_LEVEL_LIMIT)
        AIcomp = AIcomp > 0 ? AI_LEVEL_MAX : AI_LEVEL_MIN;
    TitleWobble = clampInt(TitleWobble, TITLE_WOBBLE_MIN, TITLE_WOBBLE_MAX);
    GameLength = clampInt(GameLength, GAME_LENGTH_MIN, GAME_LENGTH_MAX);
    int lastTeam = (int)(sizeof team_list.name / sizeof team_list.name[0]) - 1;
    GreenTeam_list = clampInt(GreenTeam_list, -1, lastTeam);
    PurpleTeam_list = clampInt(PurpleTeam_list, -1, lastTeam);
}

// Why the settings file could not be read when the values in play were (0: it was read
// whole, or was not there). The game then plays on the defaults, which are not the player's
// and are never saved over his file. A folder or a device at its name holds no settings of
// his: its saves say why they cannot be made.
static int settingsUnread;

void get_settings()
{
    const int unread = selectConfigFile(SETTINGS_FILE);
    settingsUnread = unread == EISDIR || unread == SAVE_NOT_PLAIN_FILE ? 0 : unread;
    resx = get_config_int("Settings", "resx", 800);
    resy = get_config_int("Settings", "resy", 600);
    musicOn = get_config_int("Settings", "musicOn", 1);
    TitleWobble = get_config_int("Settings", "TitleWobble", 3);
    p2cpu = get_config_int("Settings", "p2cpu", 0);
    AIcomp = get_config_int("Settings", "AIcomp", 1);
    GameLength = get_config_int("Settings", "GameLength", 1);
    // Binding codes are kept as read: one that names no key or button binds nothing.
    for (int slot : fileSlotOrder)
        keyBindings[slot].code =
            get_config_int("Settings", slotInfo[slot].name, firstStart[slot].code);
    credhigh = get_config_int("Settings", "CredHiScore", 0);
    GreenTeam_list = get_config_int("Teams", "Green", -1);
    PurpleTeam_list = get_config_int("Teams", "Purple", -1);
    credunlocked = get_config_int("Settings", "CredUnlocked", 0);
    holdSettingsInRange();
}

void set_settings()
{
    selectConfigFile(SETTINGS_FILE);
    set_config_int("Settings", "resx", resx);
    set_config_int("Settings", "resy", resy);
    set_config_int("Settings", "musicOn", musicOn);
    set_config_int("Settings", "TitleWobble", TitleWobble);
    set_config_int("Settings", "p2cpu", p2cpu);
    set_config_int("Settings", "AIcomp", AIcomp);
    set_config_int("Settings", "GameLength", GameLength);
    for (int slot : fileSlotOrder)
        set_config_int("Settings", slotInfo[slot].name, keyBindings[slot].code);
    set_config_int("Settings", "CredHiScore", credhigh);
    int haveTeams = team_list.count > 0;
    set_config_int("Teams", "Green", haveTeams ? GreenTeam_list : -1);
    set_config_int("Teams", "Purple", haveTeams ? PurpleTeam_list : -1);
    set_config_int("Settings", "CredUnlocked", credunlocked);
    saveConfigFile(SETTINGS_FILE, settingsUnread);
}

void tellSettingsUnread()
{
    if (settingsUnread)
        fprintf(stderr,
                "gor: cannot read %s: %s; playing on the default settings, which will not be "
                "saved over it\n",
                SETTINGS_FILE, saveFailureText(settingsUnread));
}

void setDefaultBindings()
{
    for (int slot = 0; slot < BIND_COUNT; slot++)
        keyBindings[slot].code = slotInfo[slot].defaults;
}

// ---- Capture.

static void waitForKeyboard()
{
    rest(1);
    if (keyboard_needs_poll())
        poll_keyboard();
}

void (*keyCaptureWait)() = waitForKeyboard;

static void snapshotKeys(char *snapshot)
{
    for (int code = 0; code < KEY_CODE_COUNT; code++)
        snapshot[code] = (char)bindingKeyDown(code);
}

int detect_key()
{
    char snapshot[KEY_CODE_COUNT];
    if (keyboard_needs_poll())
        poll_keyboard();
    snapshotKeys(snapshot);
    for (;;) {
        keyCaptureWait();
        // A key held when the capture starts is caught when it is released.
        for (int code = 0; code < KEY_CODE_COUNT; code++)
            if (bindingKeyDown(code) != snapshot[code])
                return code;
    }
}

void readBindingKey(int slot)
{
    // Escape gives the wait up and the slot keeps its key: bound to Escape, the action would
    // open the quit prompt in play. Its release counts the same, so an Escape pressed just
    // after the click is not caught when it is let go.
    int code = detect_key();
    if (code != keyCodeOfIndex(KEY_ESC))
        keyBindings[slot].code = code;
    keyBindings[slot].active = 0;
}

void detectPadButton(int slot)
{
    int pad = slot >= BIND_P2_PAD_FIRE ? 1 : 0;
    for (int button = 0; button < PAD_BUTTONS; button++) {
        if (padButtonDown(pad, button)) {
            keyBindings[slot].code = button;
            keyBindings[slot].active = 0;
        }
    }
    rest(1);
}

void captureWaitingBindings()
{
    for (int slot = 0; slot < BIND_COUNT; slot++) {
        if (!keyBindings[slot].active)
            continue;
        if (slot < BIND_KEY_COUNT)
            readBindingKey(slot);
        else
            detectPadButton(slot);
    }
}

void readPlayer1KeyLeft() { readBindingKey(BIND_P1_LEFT); }
void readPlayer1KeyRight() { readBindingKey(BIND_P1_RIGHT); }
void readPlayer1KeyUp() { readBindingKey(BIND_P1_UP); }
void readPlayer1KeyDown() { readBindingKey(BIND_P1_DOWN); }
void readPlayer1KeyFire() { readBindingKey(BIND_P1_FIRE); }
void readPlayer1KeyAction() { readBindingKey(BIND_P1_ACTION); }
void readPlayer1KeyBomb() { readBindingKey(BIND_P1_BOMB); }
void readPlayer2KeyLeft() { readBindingKey(BIND_P2_LEFT); }
void readPlayer2KeyRight() { readBindingKey(BIND_P2_RIGHT); }
void readPlayer2KeyUp() { readBindingKey(BIND_P2_UP); }
void readPlayer2KeyDown() { readBindingKey(BIND_P2_DOWN); }
void readPlayer2KeyFire() { readBindingKey(BIND_P2_FIRE); }
void readPlayer2KeyAction() { readBindingKey(BIND_P2_ACTION); }
void readPlayer2KeyBomb() { readBindingKey(BIND_P2_BOMB); }
void detect_pad1_firekey() { detectPadButton(BIND_P1_PAD_FIRE); }
void detect_pad1_actionkey() { detectPadButton(BIND_P1_PAD_ACTION); }
void detect_pad1_bombkey() { detectPadButton(BIND_P1_PAD_BOMB); }
void detect_pad2_firekey() { detectPadButton(BIND_P2_PAD_FIRE); }
void detect_pad2_actionkey() { detectPadButton(BIND_P2_PAD_ACTION); }
void detect_pad2_bombkey() { detectPadButton(BIND_P2_PAD_BOMB); }
