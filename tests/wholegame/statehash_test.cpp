// The state hash takes every field of every record it covers: a field left out of its
// list (a new field, say) leaves bytes of the record that no hashed field holds and that
// alignment does not explain.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "tools/recorder/statehash.h"

namespace {

struct FieldSpan {
    int offset, size, align;
    bool operator<(const FieldSpan &o) const { return offset < o.offset; }
};

// The byte ranges of `Record` that no listed field holds, beyond the padding its
// alignment puts before a field and at the end; "" when there are none.
template <class Record>
std::string unhashedBytes()
{
    static Record r{};
    std::vector<FieldSpan> spans;
    eachField(r, [&](auto &v) {
        spans.push_back({(int)((const char *)&v - (const char *)&r), (int)sizeof v,
                         (int)alignof(std::remove_reference_t<decltype(v)>)});
    });
    std::sort(spans.begin(), spans.end());
    std::string gaps;
    int at = 0;
    auto gap = [&](int from, int to, int align) {
        if (to != from && !(to - from < align && to % align == 0))
            gaps += " " + std::to_string(from) + ".." + std::to_string(to);
    };
    for (const FieldSpan &s : spans) {
        gap(at, s.offset, s.align);
        at = std::max(at, s.offset + s.size);
    }
    gap(at, (int)sizeof(Record), (int)alignof(Record));
    return gaps;
}

TEST(StateHash, EveryFieldOfEveryRecordIsHashed)
{
    EXPECT_EQ(unhashedBytes<Fighter>(), "");
    EXPECT_EQ(unhashedBytes<GunAnchor>(), "");
    EXPECT_EQ(unhashedBytes<Booth>(), "");
    EXPECT_EQ(unhashedBytes<ForceField>(), "");
    EXPECT_EQ(unhashedBytes<Projectile>(), "");
    EXPECT_EQ(unhashedBytes<Bomb>(), "");
    EXPECT_EQ(unhashedBytes<DebrisParticle>(), "");
    EXPECT_EQ(unhashedBytes<EffectParticle>(), "");
    EXPECT_EQ(unhashedBytes<TrailPuff>(), "");
    EXPECT_EQ(unhashedBytes<FlameParticle>(), "");
    EXPECT_EQ(unhashedBytes<PooParticle>(), "");
    EXPECT_EQ(unhashedBytes<MagnoBit>(), "");
    EXPECT_EQ(unhashedBytes<Explosion>(), "");
    EXPECT_EQ(unhashedBytes<LavaBubble>(), "");
    EXPECT_EQ(unhashedBytes<TorchFlame>(), "");
    EXPECT_EQ(unhashedBytes<Mine>(), "");
    EXPECT_EQ(unhashedBytes<Cube>(), "");
    EXPECT_EQ(unhashedBytes<SpawnPoint>(), "");
    EXPECT_EQ(unhashedBytes<AiNode>(), "");
}

// The hash follows the position in rand()'s sequence without moving it.
TEST(StateHash, TakesRandsPositionAndLeavesItWhereItWas)
{
    srand(5);
    const uint64_t atStart = playStateHash();
    const int first = rand();
    const uint64_t oneOn = playStateHash();
    const int second = rand();
    EXPECT_NE(oneOn, atStart);

    srand(5);
    EXPECT_EQ(playStateHash(), atStart);
    EXPECT_EQ(rand(), first);
    EXPECT_EQ(playStateHash(), oneOn);
    EXPECT_EQ(rand(), second);
}

}  // namespace
