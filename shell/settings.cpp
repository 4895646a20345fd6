#include "shell/settings.h"

#include <allegro.h>

#include "shell/startup.h"

// Stand-in until the settings module lands: the defaults a first start uses.
int musicOn = 1, TitleWobble = 3, p2cpu = 0, AIcomp = 1, GameLength = 1;
int credhigh = 0, credunlocked = 0, GreenTeam_list = -1, PurpleTeam_list = -1;
int p1left = 1, p1right = 4, p1up = 23, p1down = 19, p1fire = 7, p1action = 8, p1bomb = 10;
int p2left = 82, p2right = 83, p2up = 84, p2down = 85, p2fire = 38, p2action = 39, p2bomb = 40;
int p1padfire = 3, p1padaction = 2, p1padbomb = 0, p2padfire = 3, p2padaction = 2, p2padbomb = 0;

void get_settings() {}
void set_settings() {}

int bindingKeyDown(int code)
{
    // The file numbers the modifier keys as the 4.0 library did; this library moved them.
    if (code >= 103 && code <= 114)
        code += 12;
    else if (code < 0 || code > 102)
        return 0;
    return key[code] != 0;
}

int padButtonDown(int pad, int button)
{
    if (pad < 0 || pad >= num_joysticks || button < 0 || button >= joy[pad].num_buttons)
        return 0;
    return joy[pad].button[button].b != 0;
}
