// The front-end tests' fixture: the game started headless once, a 1600x1200 memory
// display (so pointer and page pixels are the same), a fresh title before each test, and
// the settings put back before the shared game folder's settings file is written.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

// The display position the game last put the pointer at (the headless library has no
// mouse to move; a test puts mouse_x, mouse_y there itself).
extern int placedMouseX, placedMouseY;

class FrontEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static void tick(int n);
    static void pointAt(int x, int y);
    // The left button down over (x, y) for one tick.
    static void press(int x, int y);
    // The same, then released long enough for any debounce to run out.
    static void pressAndRelease(int x, int y);
    // The logo settled: the menu can slide in.
    static void settleLogo();
    // The logo settled and the main menu's labels in place.
    static void showMenu();
    // The settings file as set_settings writes it now (written in a scratch folder).
    static std::string savedSettings();
    // 1 when every opaque pixel of `pic` lies in the page at (x, y).
    static bool sameAsSprite(BITMAP *pic, int x, int y);
};
