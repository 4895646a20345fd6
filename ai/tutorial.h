// The tutorial arena: its level script, one-shot hint triggers, hint pictures and pause, and
// the guidance it gives the computer opponent once it has taken over player 2.
//
// Player 1 walks a fixed course; on first entering each of eight places the game holds on a
// hint picture that teaches the move there, until a key ends the pause. The power-up boxes
// teach the twelve outcomes in order: `tutorial` counts the boxes player 1 has taken.
#pragma once

// Stage 0..12: power-up boxes player 1 has collected here. Player 1 cannot die of damage
// before the last stage, and an empty power pool holds the game instead of ending it.
extern int tutorial;
// 1 while a hint (or an empty pool) holds the game: `waitTutorial` runs instead of the
// game frame.
extern int tutorialWait;
// Ticks since the current pause began; a pause ends on a key only after 20 of them.
extern int tutWaitCount;

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
