// Shared helpers of the headless tests.
#pragma once

// Starts Allegro on SYSTEM_NONE with 16-bit colour once per test process.
void startHeadlessAllegro();

// A bout on `arena` (Hell or London) as the pre-screen and its next button start one: fresh
// fighters, shot and bomb pools, effects and fields, the level script, the frame's gates open.
void startTestBout(int arena);
