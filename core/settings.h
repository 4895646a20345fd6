// Settings file "gorSetup.cfg" and the 20 key and pad bindings. The settings live in
// globals from start-up on, in the ground (core/) where every subsystem reads them; only
// shut-down writes them back.
#pragma once

struct FileList;

// Display mode, from the settings; defined with the world state (core/world.h).
extern int resx, resy;
extern int musicOn;        // 1 = music during bouts
extern int TitleWobble;    // title screen wobble, 1..8
extern int p2cpu;          // 1 = the computer drives player 2
extern int AIcomp;         // the computer opponent's level, 1..3
extern int GameLength;     // bouts per match, 1..5
extern int credhigh;       // kept and written back unchanged
extern int credunlocked;   // the credits code once arena 27 has been played, else 0
extern int GreenTeam_list, PurpleTeam_list;   // index into team_list, -1 = none
// The list of team names; nothing fills it.
extern FileList team_list;

// The ranges of the values the file reader holds in range (the others are kept as read).
// The computer's level is kept as read up to AI_LEVEL_LIMIT either way (its shot delays
// multiply the level by itself, which leaves an int not far beyond); past that it becomes
// the nearest level the title screen offers.
enum {
    GAME_LENGTH_MIN = 1, GAME_LENGTH_MAX = 5,
    TITLE_WOBBLE_MIN = 1, TITLE_WOBBLE_MAX = 8,
    AI_LEVEL_MIN = 1, AI_LEVEL_MAX = 3, AI_LEVEL_LIMIT = 10000
};

// One input binding: the code (a keyboard slot holds a key code in the settings file's
// numbering, a pad slot a button 0..9), where the options page draws its label, and the
// waiting flag (1 while the options page waits for a new key or button).
struct KeyBinding {
    int code;
    int x, y;
    int active;
};

// The 20 slots, in the order of the globals, of the capture and of the options page.
enum KeyBindingSlot {
    BIND_P1_LEFT, BIND_P1_RIGHT, BIND_P1_UP, BIND_P1_DOWN, BIND_P1_FIRE, BIND_P1_ACTION,
    BIND_P1_BOMB,
    BIND_P2_LEFT, BIND_P2_RIGHT, BIND_P2_UP, BIND_P2_DOWN, BIND_P2_FIRE, BIND_P2_ACTION,
    BIND_P2_BOMB,
    BIND_P1_PAD_FIRE, BIND_P1_PAD_ACTION, BIND_P1_PAD_BOMB,
    BIND_P2_PAD_FIRE, BIND_P2_PAD_ACTION, BIND_P2_PAD_BOMB,
    BIND_COUNT,
    BIND_KEY_COUNT = BIND_P1_PAD_FIRE   // slots below this are keyboard slots
};

extern KeyBinding keyBindings[BIND_COUNT];
// Each slot's four fields under their own names: p1left, p1leftx, p1lefty, p1leftactive.
extern int &p1left, &p1leftx, &p1lefty, &p1leftactive;
extern int &p1right, &p1rightx, &p1righty, &p1rightactive;
extern int &p1up, &p1upx, &p1upy, &p1upactive;
extern int &p1down, &p1downx, &p1downy, &p1downactive;
extern int &p1fire, &p1firex, &p1firey, &p1fireactive;
extern int &p1action, &p1actionx, &p1actiony, &p1actionactive;
extern int &p1bomb, &p1bombx, &p1bomby, &p1bombactive;
extern int &p2left, &p2leftx, &p2lefty, &p2leftactive;
extern int &p2right, &p2rightx, &p2righty, &p2rightactive;
extern int &p2up, &p2upx, &p2upy, &p2upactive;
extern int &p2down, &p2downx, &p2downy, &p2downactive;
extern int &p2fire, &p2firex, &p2firey, &p2fireactive;
extern int &p2action, &p2actionx, &p2actiony, &p2actionactive;
extern int &p2bomb, &p2bombx, &p2bomby, &p2bombactive;
extern int &p1padfire, &p1padfirex, &p1padfirey, &p1padfireactive;
extern int &p1padaction, &p1padactionx, &p1padactiony, &p1padactionactive;
extern int &p1padbomb, &p1padbombx, &p1padbomby, &p1padbombactive;
extern int &p2padfire, &p2padfirex, &p2padfirey, &p2padfireactive;
extern int &p2padaction, &p2padactionx, &p2padactiony, &p2padactionactive;
extern int &p2padbomb, &p2padbombx, &p2padbomby, &p2padbombactive;

// The file's key numbering is the 4.0 library's: codes 0..102 are the installed library's
// too, 103..114 (the modifiers, KEY_LSHIFT 103 ... KEY_CAPSLOCK 114) are its 115..126.
enum { KEY_CODE_COUNT = 115, KEY_CODE_LSHIFT = 103, KEY_CODE_LCONTROL = 105 };
// Index of `key[]` for a file code, or -1 when the code names no key.
int keyIndexOfCode(int code);
// File code of a `key[]` index, or -1 when the key has none.
int keyCodeOfIndex(int index);

// 1 while the key bound under `code` (settings-file numbering) is held; 0 for a code that
// names no key.
int bindingKeyDown(int code);
// 1 while button `button` (0..9) of pad `pad` is held; 0 for a pad or button that is not
// there.
int padButtonDown(int pad, int button);

void get_settings();
void set_settings();
// Says on the terminal, where the settings file is there but could not be read when the
// values in play were, why, and that those (the defaults) will not be saved over it: at start,
// once its last read is done, so the player knows before he changes anything.
void tellSettingsUnread();
// The bindings of the options page's DEFAULTS button (not the same as a first start's).
void setDefaultBindings();

// Keyboard capture: blocks until some key changes state (pressed or released) and
// returns its code in the file's numbering; the lowest code wins when several change.
int detect_key();
// Called between two looks at the keyboard while detect_key waits: polls the keyboard
// when the driver needs it and sleeps 1 ms. Tests put their own key source here.
extern void (*keyCaptureWait)();

// The 14 keyboard capture readers: capture a key into the slot and stop its waiting;
// Escape stops the waiting and leaves the slot's key as it was.
void readPlayer1KeyLeft();
void readPlayer1KeyRight();
void readPlayer1KeyUp();
void readPlayer1KeyDown();
void readPlayer1KeyFire();
void readPlayer1KeyAction();
void readPlayer1KeyBomb();
void readPlayer2KeyLeft();
void readPlayer2KeyRight();
void readPlayer2KeyUp();
void readPlayer2KeyDown();
void readPlayer2KeyFire();
void readPlayer2KeyAction();
void readPlayer2KeyBomb();
// The 6 pad capture readers: one look at buttons 0..9 of the slot's pad (pad 0 for
// player 1, pad 1 for player 2); the highest pressed button becomes the code and ends the
// waiting. With nothing pressed the slot keeps waiting.
void detect_pad1_firekey();
void detect_pad1_actionkey();
void detect_pad1_bombkey();
void detect_pad2_firekey();
void detect_pad2_actionkey();
void detect_pad2_bombkey();
// The same for any slot, by number.
void readBindingKey(int slot);
void detectPadButton(int slot);
// Runs the reader of every waiting slot, in slot order (the options page, every tick).
void captureWaitingBindings();
