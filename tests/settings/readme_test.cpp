// The README's table of keys says what the keys are on a first start and after the options
// page's DEFAULTS button: both columns are read from the README and checked against the game.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/settings.h"
#include "support/test_env.h"

namespace {

// The README's word for each key code the two sets use (settings-file numbering).
const char *keyName(int code)
{
    static const struct { int code; const char *name; } names[] = {
        {1, "A"}, {4, "D"}, {7, "G"}, {8, "H"}, {10, "J"}, {19, "S"}, {23, "W"},
        {38, "keypad 1"}, {39, "keypad 2"}, {40, "keypad 3"}, {43, "keypad 6"},
        {75, "Space"}, {82, "cursor left"}, {83, "cursor right"}, {84, "cursor up"},
        {85, "cursor down"}, {89, "keypad +"}, {91, "keypad Enter"},
        {KEY_CODE_LSHIFT, "left Shift"}, {KEY_CODE_LCONTROL, "left Control"},
    };
    for (const auto &n : names)
        if (n.code == code)
            return n.name;
    return "?";
}

// The cells of the table rows under "## How to play", header and rule left out.
std::vector<std::vector<std::string>> readmeKeyRows()
{
    std::vector<std::vector<std::string>> rows;
    const char *src = getenv("GOR_SOURCE_DIR");
    std::ifstream in(std::string(src ? src : ".") + "/README.md");
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (line.rfind("## ", 0) == 0)
            inSection = line == "## How to play";
        if (!inSection || line.rfind("|", 0) != 0 || line.rfind("|---", 0) == 0)
            continue;
        std::vector<std::string> cells;
        std::stringstream ss(line.substr(1));
        std::string cell;
        while (std::getline(ss, cell, '|')) {
            cell.erase(0, cell.find_first_not_of(' '));
            cell.erase(cell.find_last_not_of(' ') + 1);
            cells.push_back(cell);
        }
        rows.push_back(cells);
    }
    if (!rows.empty())
        rows.erase(rows.begin()); // the header
    return rows;
}

std::string padCell(int jump, int fire, int bomb, int pad)
{
    std::ostringstream s;
    s << "buttons " << jump << ", " << fire << ", " << bomb << " of pad " << pad;
    return s.str();
}

// The rows as the game's bindings give them: name of the control, then player 1 and player 2.
std::vector<std::vector<std::string>> rowsOfBindings()
{
    static const struct { int p1, p2; } keyRows[] = {
        {BIND_P1_LEFT, BIND_P2_LEFT}, {BIND_P1_RIGHT, BIND_P2_RIGHT},
        {BIND_P1_UP, BIND_P2_UP}, {BIND_P1_DOWN, BIND_P2_DOWN},
        {BIND_P1_ACTION, BIND_P2_ACTION}, {BIND_P1_FIRE, BIND_P2_FIRE},
        {BIND_P1_BOMB, BIND_P2_BOMB},
    };
    std::vector<std::vector<std::string>> rows;
    for (const auto &r : keyRows)
        rows.push_back({keyName(keyBindings[r.p1].code), keyName(keyBindings[r.p2].code)});
    rows.push_back({padCell(p1padaction, p1padfire, p1padbomb, 1),
                    padCell(p2padaction, p2padfire, p2padbomb, 2)});
    return rows;
}

TEST(Readme, KeyTableMatchesAFirstStartAndTheDefaultsButton)
{
    startHeadlessAllegro();
    // A first start: no settings file in the folder.
    char home[1024], dir[] = "/tmp/gor-readme-XXXXXX";
    ASSERT_NE(getcwd(home, sizeof home), nullptr);
    ASSERT_NE(mkdtemp(dir), nullptr);
    ASSERT_EQ(chdir(dir), 0);
    get_settings();
    std::vector<std::vector<std::string>> firstStart = rowsOfBindings();
    setDefaultBindings();
    std::vector<std::vector<std::string>> afterDefaults = rowsOfBindings();
    ASSERT_EQ(chdir(home), 0);
    rmdir(dir);

    std::vector<std::vector<std::string>> readme = readmeKeyRows();
    ASSERT_EQ(readme.size(), firstStart.size()) << "rows of the key table in README.md";
    for (size_t r = 0; r < readme.size(); r++) {
        ASSERT_EQ(readme[r].size(), 5u) << "README key row " << r;
        EXPECT_EQ(readme[r][1], firstStart[r][0]) << readme[r][0] << ", player 1";
        EXPECT_EQ(readme[r][2], afterDefaults[r][0]) << readme[r][0] << ", player 1, DEFAULTS";
        EXPECT_EQ(readme[r][3], firstStart[r][1]) << readme[r][0] << ", player 2";
        EXPECT_EQ(readme[r][4], afterDefaults[r][1]) << readme[r][0] << ", player 2, DEFAULTS";
    }
}

} // namespace
