// A level file that cannot be loaded ends the program with a message naming it.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include "arena/levels.h"
#include "support/test_env.h"

namespace {

void enterEmptyFolder()
{
    startHeadlessAllegro();
    char dir[] = "/tmp/gor_levels_XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0)
        abort();
}

TEST(MissingLevelDeathTest, EachLevelEndsWithAMessageNamingItsFileAndAFailureStatus)
{
    EXPECT_EXIT((enterEmptyFolder(), setupHell()), ::testing::ExitedWithCode(1), "Hell\\.FMP");
    EXPECT_EXIT((enterEmptyFolder(), setupLondon()), ::testing::ExitedWithCode(1),
                "london\\.fmp");
}

}  // namespace
