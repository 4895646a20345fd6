// Runs of rand() values taken in one go are the values rand() itself would give, and leave
// rand() where as many of its own calls would: whatever the seed, run length and the calls
// of rand() between runs.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <vector>

#include "core/rands.h"

namespace {

TEST(Rands, RunsGiveRandsOwnValuesAndLeaveItWhereItsOwnCallsWould)
{
    const unsigned seeds[] = {1, 5, 99, 4321, 0xDEADBEEF};
    const int runs[] = {0, 1, 2, 30, 31, 32, 33, 360, 1600, 5};
    for (unsigned seed : seeds) {
        // Expected: rand() alone.
        srand(seed);
        std::vector<int> want;
        for (int n : runs)
            for (int i = 0; i < n + 3; i++)
                want.push_back(rand());
        // Got: each run taken in one go, three calls of rand() after it.
        srand(seed);
        std::vector<int> got;
        for (int n : runs) {
            std::vector<int> run(n + 1);
            takeRands(run.data(), n);
            got.insert(got.end(), run.begin(), run.begin() + n);
            for (int i = 0; i < 3; i++)
                got.push_back(rand());
        }
        EXPECT_EQ(got, want) << "seed " << seed;
    }
}

}  // namespace
