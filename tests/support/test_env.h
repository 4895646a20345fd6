// Shared helpers of the headless tests.
#pragma once

#include <gtest/gtest.h>

// Starts Allegro on SYSTEM_NONE with 16-bit colour once per test process.
void startHeadlessAllegro();

// Tests of drawing on bitmaps of their own, Allegro started headless first.
class HeadlessAllegroTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startHeadlessAllegro(); }
};

// While one lives, the test acts as a player who owns none of the files it made, so that a
// file or folder without write bits is one he may read but not write. Root, whom the system
// lets write anything, borrows an unprivileged user id for the time.
struct AsAnotherUser {
    AsAnotherUser();
    ~AsAnotherUser();
};

// The pixels of 16-bit bitmap `a` that differ from those of `b` at the same places.
struct BITMAP;
int differingPixels(BITMAP *a, BITMAP *b);

// A bout on `arena` (Hell, London or the tutorial) as the pre-screen and its next button, or
// the title's tutorial picture, start one: fresh fighters, shot and bomb pools, effects and
// fields, the level script, the frame's gates open.
void startTestBout(int arena);

// Tests on the generated game data through the headless harness, started once per process;
// skipped when the data is missing. Each test begins with no input held, two human players,
// music off and rand() seeded alike.
class HarnessTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
};
