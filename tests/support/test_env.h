// Shared helpers of the headless tests.
#pragma once

// Starts Allegro on SYSTEM_NONE with 16-bit colour once per test process.
void startHeadlessAllegro();
