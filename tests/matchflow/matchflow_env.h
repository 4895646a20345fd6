// Shared set-up of the match-flow tests: the game started headless in a folder of its own
// (links to the generated data), so the files the screens write land there and nowhere
// else; pointer and button helpers; picture checks.
#pragma once

#include <gtest/gtest.h>

struct BITMAP;

class MatchFlowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
};

// Puts the pointer on page pixel (x, y), whatever the display size.
void pointAt(int x, int y);
// Points at the middle of `pic` drawn at (x, y).
void pointInto(BITMAP *pic, int x, int y);
// 1 when every opaque pixel of `pic` shows at (x, y) of the back buffer.
int shownAt(BITMAP *pic, int x, int y);
// The back buffer's pixel as 8-bit components.
void pixelAt(int x, int y, int *r, int *g, int *b);
