#include "shell/startup.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include "ai/tutorial.h"
#include "arena/levels.h"
#include "core/assets.h"
#include "core/music.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/turn.h"
#include "fighters/fighter.h"
#include "frontend/comic.h"
#include "frontend/premap.h"
#include "frontend/result.h"
#include "frontend/screen.h"
#include "frontend/title.h"
#include "oggsmp/oggsmp.h"
#include "shell/datacheck.h"
#include "shell/loop.h"
#include "tilemap/tilemap.h"

int (*installSoundHook)(int digi, int midi) = NULL;

// The textdetailx global belongs to the options page; start-up only places the label.
extern int textdetailx;

static int trySetGfxMode(int card, int w, int h)
{
    if (setGfxModeHook)
        return setGfxModeHook(card, w, h);
    return set_gfx_mode(card, w, h, 0, 0);
}

static int tryInstallSound(int digi, int midi)
{
    if (installSoundHook)
        return installSoundHook(digi, midi);
    return install_sound(digi, midi, NULL);
}

int reservedDigiVoices = -1;

static void reserveVoices(int digi, int midi)
{
    reservedDigiVoices = digi;
    reserve_voices(digi, midi);
}

static void closeButtonPressed()
{
    closeRequested = 1;
}
END_OF_FUNCTION(closeButtonPressed)

static int openDisplay()
{
    set_color_depth(16);
    if (headless) {
        screen = create_bitmap(resx, resy);
        if (!screen)
            fatalError("cannot make a %dx%d memory screen", resx, resy);
        clear_bitmap(screen);
        return 1;
    }
    if (trySetGfxMode(GFX_AUTODETECT_FULLSCREEN, resx, resy) == 0)
        return 1;
    resx = 800;
    resy = 600;
    set_color_depth(16);
    if (trySetGfxMode(GFX_AUTODETECT_FULLSCREEN, 800, 600) == 0)
        return 1;
    set_color_depth(16);
    return trySetGfxMode(GFX_AUTODETECT_WINDOWED, 800, 600) == 0;
}

// Full-screen at the configured size, else full-screen at 800x600 (which replaces the
// configured size until the settings are read again), else a window at 800x600. A size
// that could not be shown is treated as one the display refuses.
void setupDisplay()
{
    if (!displayModeFits(resx, resy)) {
        resx = 800;
        resy = 600;
    }
    if (!openDisplay())
        fatalError("no 16-bit display mode could be set (%s)", allegro_error);
    if (!headless) {
        LOCK_FUNCTION(closeButtonPressed);
        set_close_button_callback(closeButtonPressed);
        set_window_title("gor");
    }
}

void setupSoundDevice()
{
    if (headless)
        return;
    reserveVoices(24, 1);
    if (tryInstallSound(DIGI_AUTODETECT, MIDI_AUTODETECT) != 0) {
        // A player at a terminal reads it there; the box takes the display away to be
        // answered, then the game goes on without sound.
        // (The library's own reason, when no card answers, is about voices: not said.)
        fprintf(stderr, "gor: no sound card found; the game goes on without sound\n");
        showMessageBox("Unable to Detect Sound Card");
        setupDisplay();
        // Carry on silently: the no-sound driver has no voices, so reserve none.
        reserveVoices(0, 0);
        tryInstallSound(DIGI_NONE, MIDI_NONE);
    }
}

void loadDataFile()
{
    // The library's loader trusts every count and size in the file and crashes on a damaged
    // one: the file's structure is checked first, and a damaged file is as good as none.
    if (findDataFileDamage("gor.dat") || !(data = load_datafile("gor.dat")))
        fatalError("cannot load the data file \"gor.dat\" from the working directory");
    const char *fault = findDataFileFault(data);
    if (fault)
        fatalError("the data file \"gor.dat\" is not usable: %s", fault);
}

int startLibrary(int systemId)
{
    // Every text the game handles is plain 8-bit: with the library's default UTF-8 a
    // settings file holding stray bytes (0xFF, say) makes its parser loop for ever.
    set_uformat(U_ASCII);
    return system_driver ? 0 : install_allegro(systemId, &errno, atexit);
}

void setupScreen()
{
    if (startLibrary(headless ? SYSTEM_NONE : SYSTEM_AUTODETECT) != 0)
        fatalError("cannot start the Allegro library: %s", allegro_error[0] ? allegro_error
                                                                          : "no display?");
    oggsmp_init();
    get_settings();
    if (!headless) {
        install_timer();
        install_keyboard();
        install_joystick(JOY_TYPE_AUTODETECT);
        poll_joystick();
    }
    srand(time(0));
    if (!headless) {
        LOCK_VARIABLE(speed_counter);
        LOCK_FUNCTION(increment_speed_counter);
        install_int_ex(increment_speed_counter, BPS_TO_TIMER(60));
    }
    setupDisplay();
    set_mouse_range(0, 0, PLAYFIELD_W, PLAYFIELD_H);
    textdetailx = 707;
    setupSoundDevice();

    buffer = create_bitmap(BUFFER_W, BUFFER_H);
    if (!buffer)
        fatalError("out of memory for the world back buffer");
    clear_to_color(buffer, 0);
    // The library's flood fill (the lava) lists the spans it fills in a shared scratch block
    // that it grows whenever a fill meets more spans than any before, as gore splitting the
    // lava does; sized now, it never grows during play.
    _grow_scratch_mem(256 * 1024);
    textprintf_centre_ex(screen, font, displayW() / 2, displayH() / 2, makecol(255, 255, 255),
                         -1, "...loading...");

    loadDataFile();

    if (!headless)
        install_mouse();
    mouse_callback = noteMousePress;
    pollMouse();
    pointer = (BITMAP *)data[DAT_POINTER].dat;
    if (!headless)
        set_mouse_sprite(pointer);
}

void firstPass()
{
    setupScreen();
    load_files();
    setupPlayer();
    setupPlayer2();
    setupGraphics();
    setupSound();
    setupBoutPools();

    // The level set-ups below only place things; each level cuts its own extra pictures
    // at its first real start.
    loadedTutorial = loadedHell = loadedLondon = loadedCredits = 1;
    setupTutorial();
    setupHell();
    setupLondon();
    setupManga();
    setupPreMap(1);
    setupResultScreen(1);
    loadedTutorial = loadedHell = loadedLondon = loadedCredits = 0;

    // The set-ups above change some settings (the tutorial clears p2cpu); the file holds
    // what the player chose, and the display fallback is not written back.
    get_settings();
    tellSettingsUnread();
    if (countMusic == 0) {
        listTracks();
        countMusic = 1;
    }
    initsetup = 1;
}

static void releaseAll()
{
    set_settings();
    MapFreeMem();
    set_mouse_sprite(NULL);
    releaseTrack();
    oggsmp_exit();
    if (data) {
        forgetTurnedPictures();
        unload_datafile(data);
        data = NULL;
    }
    remove_sound();
}

void shutdownGame()
{
    releaseAll();
    allegro_exit();
}

void cleanups() { releaseAll(); }
void quit() { releaseAll(); }
