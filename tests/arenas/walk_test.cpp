// Fighters moved over the generated arenas by the game's own movement and collision code:
// a respawned fighter comes to rest where he can cash in, every ladder climbs up onto its
// ladder top and back down, and Hell's lava pools hold nothing up.
#include <allegro.h>
#include <gtest/gtest.h>

#include "shell/harness.h"
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "arena/forcefields.h"
#include "core/assets.h"
#include "core/fighter.h"
#include "core/settings.h"
#include "fighters/fighter.h"
#include "shell/loop.h"
#include "support/test_env.h"
#include "tilemap/tilemap.h"
#include "tools/gendata/arena_grid.h"
#include "tools/gendata/arenas.h"

namespace {

class ArenaWalk : public ::testing::Test {
 protected:
  ArenaGrid grid;

  // Loads the generated map of `arena` and both fighters with their booths; false (test
  // skipped) when the game folder has no maps.
  bool start(int arena) {
    startHeadlessAllegro();
    const char *dir = getenv("GOR_GAME_DIR"), *src = getenv("GOR_SOURCE_DIR");
    std::string path = std::string(dir ? dir : ".") + "/" + arenaPlaces[arena].mapFile;
    if (!dir || !exists(path.c_str())) return false;
    std::string why;
    EXPECT_TRUE(loadArenaGrid(arena, (std::string(src ? src : ".") + "/data").c_str(), grid, why)) << why;
    maptargetdepth = 16;
    mapgfxinbitmaps = 2;
    EXPECT_EQ(0, MapRealLoad(path.c_str()));
    if (!player_run[0]) player_run[0] = create_bitmap(33, 48);  // the body box
    for (BITMAP **b : {&gibber, &gibber2})
      if (!*b) *b = create_bitmap(38, 20);
    for (BITMAP **b : {&greenbooth[0], &purplebooth[0]})
      if (!*b) *b = create_bitmap(BOOTH_W, BOOTH_H);
    p2cpu = 0;
    srand(7);
    setupPlayer();
    setupPlayer2();
    booth->y = booth2->y = arenaPlaces[arena].boothY;
    setupForcefields();
    put(player, BOOTH_GREEN_X + 32, arenaPlaces[arena].boothY + 57);
    put(player2, BOOTH_PURPLE_X + 32, arenaPlaces[arena].boothY + 57);
    return true;
  }
  void TearDown() override { MapFreeMem(); }

  static void put(Fighter *f, int x, int y) {
    f->alive = 1;
    f->respawning = 0;
    f->health = 12;
    f->x = f->prevX = x;
    f->y = f->prevY = y;
    f->runSpeed = 0;
    f->fallSpeed = 0;
    f->jumpPhase = JUMP_NONE;
    f->climbing = 0;
    f->state = f == player ? FIGHTER_STAND_RIGHT : FIGHTER_STAND_LEFT;
  }

  // Game frames of fighter steps. Player 1 holds the keys named in `keys1` ('l' left, 'r'
  // right, 'u' up, 'd' down); player 2 holds right when `right2` is set, else stands still.
  static void tick(const char *keys1, int count, int right2 = 0) {
    for (int i = 0; i < count; i++) {
      d1 = strchr(keys1, 'l') != NULL;
      d2 = strchr(keys1, 'r') != NULL;
      up1 = strchr(keys1, 'u') != NULL;
      down1 = strchr(keys1, 'd') != NULL;
      jump1 = 0;
      pd2 = right2;
      pd1 = up2 = down2 = jump2 = 0;
      harnessFighterSteps();
    }
  }

  int surfaceBelow(int x, int y) const {
    while (y < ARENA_ROWS * ARENA_BLOCK && !arenaSolidAt(grid, x, y)) y++;
    return y;
  }
};

TEST_F(ArenaWalk, RespawnedFightersRestOnTheBoothFloorWhereTheyCanCashIn) {
  for (int a = 0; a < ARENA_COUNT; a++) {
    if (!start(a)) GTEST_SKIP() << "no generated maps";
    const int by = arenaPlaces[a].boothY;
    tick("", 100);
    // From the respawn spot each walks back into his booth to cash in.
    tick("l", 40, 1);
    tick("", 20);
    for (Fighter *f : {player, player2}) {
      const int bx = f == player ? BOOTH_GREEN_X : BOOTH_PURPLE_X;
      const int cx = f->x + f->w / 2, cy = f->y + f->h / 2;
      const char *who = f == player ? " green" : " purple";
      EXPECT_EQ(1, f->onGround) << arenaPlaces[a].name << who;
      const int feet = f->y + f->h, floor = surfaceBelow(cx, f->y);
      EXPECT_TRUE(feet == floor - 1 || feet == floor - 2) << arenaPlaces[a].name << who << " feet " << feet;
      EXPECT_GT(f->y, by + 15) << arenaPlaces[a].name << who;
      EXPECT_LT(cy, by + BOOTH_H) << arenaPlaces[a].name << who;
      if (f == player) {
        EXPECT_TRUE(cx > bx && cx < bx + 47) << arenaPlaces[a].name << who << " cx " << cx;
      } else {
        EXPECT_TRUE(cx > bx + 50 && cx < bx + BOOTH_W) << arenaPlaces[a].name << who << " cx " << cx;
      }
      EXPECT_TRUE(insideBase(f == player ? 1 : 2, cx, cy)) << arenaPlaces[a].name << who;
    }
    MapFreeMem();
  }
}

TEST_F(ArenaWalk, EveryLadderClimbsUpOntoItsTopAndBackDownToItsFoot) {
  int ladders = 0;
  for (int a = 0; a < ARENA_COUNT; a++) {
    if (!start(a)) GTEST_SKIP() << "no generated maps";
    for (int r = 0; r < ARENA_ROWS; r++)
      for (int c = 0; c < ARENA_COLS; c++) {
        if (grid.cell[r][c] != CELL_LADDER_TOP) continue;
        ladders++;
        const int top = r * ARENA_BLOCK, foot = surfaceBelow(c * ARENA_BLOCK + 16, top + ARENA_BLOCK);
        const std::string where =
            std::string(arenaPlaces[a].name) + " ladder " + std::to_string(c) + "," + std::to_string(r);
        put(player, c * ARENA_BLOCK, foot - 49);
        tick("", 10);
        ASSERT_GE(player->y + player->h, foot - 2) << where << ": not standing at the foot";
        ASSERT_LE(player->y + player->h, foot - 1) << where << ": not standing at the foot";
        tick("u", 120);
        tick("", 10);
        EXPECT_EQ(1, player->onLadderTop) << where;
        EXPECT_GE(player->y + player->h, top - 2) << where << ": not standing on the top";
        EXPECT_LE(player->y + player->h, top - 1) << where << ": not standing on the top";
        tick("d", 150);
        tick("", 10);
        // A downward climb stops when the ground is 5 px under the feet.
        EXPECT_GE(player->y + player->h, foot - 6) << where << ": not back at the foot";
        EXPECT_LE(player->y + player->h, foot - 1) << where << ": not back at the foot";
        EXPECT_EQ(1, player->alive) << where;
      }
    MapFreeMem();
  }
  EXPECT_EQ(20, ladders);
}

TEST_F(ArenaWalk, EveryStairLiftsARunnerOntoItsStep) {
  int flights = 0;
  for (int a = 0; a < ARENA_COUNT; a++) {
    if (!start(a)) GTEST_SKIP() << "no generated maps";
    for (int r = 0; r < ARENA_ROWS; r++)
      for (int c = 0; c < ARENA_COLS; c++) {
        if (grid.cell[r][c] != CELL_STAIRS) continue;
        flights++;
        const bool upRight = grid.cell[r][c + 1] == CELL_SOLID;
        const int low = (r + 1) * ARENA_BLOCK, step = r * ARENA_BLOCK;
        const std::string where =
            std::string(arenaPlaces[a].name) + " stairs " + std::to_string(c) + "," + std::to_string(r);
        put(player, (c + (upRight ? -3 : 3)) * ARENA_BLOCK, low - 49);
        tick("", 10);
        ASSERT_EQ(low - 1, player->y + player->h) << where;
        // Run until the middle of the body is over the step.
        const int stepCol = c + (upRight ? 1 : -1);
        for (int t = 0; t < 60 && (player->x + player->w / 2) / ARENA_BLOCK != stepCol; t++)
          tick(upRight ? "r" : "l", 1);
        tick("", 10);
        EXPECT_GE(player->y + player->h, step - 2) << where << ": not up on the step";
        EXPECT_LE(player->y + player->h, step - 1) << where << ": not up on the step";
      }
    MapFreeMem();
  }
  EXPECT_EQ(4, flights);
}

TEST_F(ArenaWalk, NothingInHellsLavaHoldsAFighterAboveTheDeathLine) {
  if (!start(GEN_ARENA_HELL)) GTEST_SKIP() << "no generated maps";
  for (const auto &p : lavaPoolX) {
    int mid = (p[0] + p[1]) / 2;
    put(player, mid - 16, 1000);
    int deepest = 0;
    for (int t = 0; t < 60; t++) {
      tick("", 1);
      deepest = std::max(deepest, player->y + player->h);
    }
    EXPECT_GT(deepest, LAVA_DEATH_Y) << "pool at x " << p[0];
  }
}

}  // namespace
