// The tutorial arena: its level script, one-shot hint triggers, hint pictures and pause, and
// the guidance it gives the computer opponent once it has taken over player 2.
//
// Player 1 walks a fixed course; on first entering each of eight places the game holds on a
// hint picture that teaches the move there, until a key ends the pause. The power-up boxes
// teach the twelve outcomes in order: `tutorial` counts the boxes player 1 has taken. The
// stage and the hold (core/tutorial.h) are read by the fighters, the pick-ups and the title.
#pragma once

// One-shot flags: 1 once that hint has held the game in this tutorial run. `seenBomb` is
// cleared with them and read by nothing.
extern int seenJump, seenUp, seenDown, seenDoubleJump, seenWallJump, seenLadderTrick,
    seenBackFire, seenSlide, seenBomb;

// Builds the tutorial level: tile map, background, booths, fields, monitors, path nodes,
// the hint flags cleared, player 2 under the second player's keys; `map` becomes 29.
void setupTutorial();
// One tick of the tutorial's rules, in the game frame after the computer opponent's step.
void updateTutorial();
// The tutorial's guidance for the computer opponent: climb and jump rules at fixed places.
void tutorialAI();
// One tick of the hint pause: the scene fades while player 1 and the pictures stay bright.
void waitTutorial();
// The small hint pictures beside player 1 and the big stage picture.
void drawTutorialFG();
void drawTutorialBigText();
