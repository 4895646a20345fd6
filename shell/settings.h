// Settings file "gorSetup.cfg" and the 20 key and pad bindings.
#pragma once

extern int musicOn, TitleWobble, p2cpu, AIcomp, GameLength;
extern int credhigh, credunlocked, GreenTeam_list, PurpleTeam_list;

// Binding codes as stored in the settings file (the library's 4.0 key numbering for
// keyboard slots, button numbers 0..9 for pad slots).
extern int p1left, p1right, p1up, p1down, p1fire, p1action, p1bomb;
extern int p2left, p2right, p2up, p2down, p2fire, p2action, p2bomb;
extern int p1padfire, p1padaction, p1padbomb, p2padfire, p2padaction, p2padbomb;

void get_settings();
void set_settings();

// 1 while the key bound under `code` (settings-file numbering) is held; 0 for a code that
// names no key.
int bindingKeyDown(int code);
// 1 while button `button` of pad `pad` is held; 0 for a pad or button that is not there.
int padButtonDown(int pad, int button);
