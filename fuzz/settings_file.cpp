// Any gorSetup.cfg: whatever the file holds, the settings come out inside the ranges the
// game offers (the computer's level within what its arithmetic holds) and no binding
// reads outside the key table, a pad's buttons or the labels; saved over it with whatever
// else it holds, the library reads each one back at once, whatever the file's blank lines,
// they read back the same from the file (but the teams, which no list names), so do all its
// other keys, and none of its comment lines is lost.
#include <allegro.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/assets.h"
#include "core/settings.h"
#include "shell/harness.h"

// The settings file is read from the working directory: each input is read in a folder of
// our own, so no real settings file is touched, and the fuzzer's own paths stay valid.
static char dir[] = "/tmp/gor-fuzz-settings-XXXXXX";
static int home = -1;

static void removeFolder()
{
    char path[64];
    snprintf(path, sizeof path, "%s/gorSetup.cfg", dir);
    unlink(path);
    rmdir(dir);
}

// Every section, key and value of the library's current configuration, in sorted order
// (a new key may stand elsewhere in the saved text than in the library's list).
static std::string everyValue()
{
    std::vector<std::string> all;
    const char **sections = NULL;
    const int count = list_config_sections(&sections);
    for (int i = -1; i < count; i++) {
        const char *section = i < 0 ? NULL : sections[i];
        const char **names = NULL;
        const int n = list_config_entries(section, &names);
        for (int k = 0; k < n; k++)
            all.push_back(std::string(section ? section : "") + "\n" + names[k] + " = " +
                          get_config_string(section, names[k], ""));
        if (names)
            free_config_entries(&names);
    }
    if (sections)
        free_config_entries(&sections);
    std::sort(all.begin(), all.end());
    std::string text;
    for (const std::string &line : all)
        text += line + "\n";
    return text;
}

// Lines whose first character but spaces is '#' (a line ends at '\r' or '\n').
static int commentLines(const std::string &text)
{
    int count = 0;
    for (size_t at = 0; (at = text.find_first_not_of(" \t\f\v", at)) != std::string::npos; at++) {
        count += text[at] == '#';
        if ((at = text.find_first_of("\r\n", at)) == std::string::npos)
            break;
    }
    return count;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    home = open(".", O_RDONLY);
    if (home < 0 || !mkdtemp(dir))
        abort();
    atexit(removeFolder);
    set_uformat(U_ASCII);   // as the game starts the library
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        abort();
    num_joysticks = 2;
    for (int j = 0; j < 2; j++) {
        joy[j].num_buttons = MAX_JOYSTICK_BUTTONS;
        for (int b = 0; b < MAX_JOYSTICK_BUTTONS; b++)
            joy[j].button[b].b = 1;
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *bytes, size_t size)
{
    if (chdir(dir) != 0)
        abort();
    FILE *f = fopen("gorSetup.cfg", "wb");
    if (!f)
        abort();
    fwrite(bytes, 1, size, f);
    fclose(f);
    get_settings();
    const int read[] = {resx, resy, musicOn, TitleWobble, p2cpu, AIcomp, GameLength, credhigh,
                        credunlocked};
    KeyBinding bindings[BIND_COUNT];
    memcpy(bindings, keyBindings, sizeof bindings);
    set_settings();
    const char *names[] = {"resx", "resy", "musicOn", "TitleWobble", "p2cpu", "AIcomp",
                           "GameLength", "CredHiScore", "CredUnlocked"};
    for (size_t i = 0; i < sizeof names / sizeof names[0]; i++)
        if (get_config_int("Settings", names[i], INT_MIN) != read[i])
            abort();
    const std::string saved = everyValue();
    get_settings();
    const std::string text = harnessReadFile("gorSetup.cfg");
    if (everyValue() != saved ||
        commentLines(std::string((const char *)bytes, size)) != commentLines(text))
        abort();
    const int again[] = {resx, resy, musicOn, TitleWobble, p2cpu, AIcomp, GameLength, credhigh,
                         credunlocked};
    if (memcmp(read, again, sizeof read) != 0 || memcmp(bindings, keyBindings, sizeof bindings))
        abort();
    if (fchdir(home) != 0)
        abort();

    if (GameLength < GAME_LENGTH_MIN || GameLength > GAME_LENGTH_MAX ||
        TitleWobble < TITLE_WOBBLE_MIN || TitleWobble > TITLE_WOBBLE_MAX ||
        GreenTeam_list < -1 || PurpleTeam_list < -1 || AIcomp > AI_LEVEL_LIMIT ||
        AIcomp < -AI_LEVEL_LIMIT)
        abort();
    for (int slot = 0; slot < BIND_COUNT; slot++) {
        int code = keyBindings[slot].code;
        if (slot < BIND_KEY_COUNT) {
            bindingKeyDown(code);
            keyLabel(code);
        } else {
            padButtonDown(slot >= BIND_P2_PAD_FIRE, code);
            padButtonLabel(code);
        }
    }
    return 0;
}
