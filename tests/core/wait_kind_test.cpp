#include "core/wait_kind.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace wirevane {
namespace {

// The settings file stores the number, the wait cell shows the name; both must name one kind.
struct NamedKind {
    int32_t stored;
    std::u16string_view name;
    uint8_t matchByte;
};

class WaitKindNames : public ::testing::TestWithParam<NamedKind> {};

TEST_P(WaitKindNames, NumberAndNameNameTheSameKind)
{
    const NamedKind& c = GetParam();
    const auto kind = static_cast<WaitKind>(c.stored);
    ASSERT_TRUE(IsNamed(kind));
    EXPECT_EQ(kWaitKinds[c.stored], kind) << "the list's order is the order of the numbers";
    EXPECT_EQ(WaitKindName(kind), c.name);
    EXPECT_EQ(WaitKindFromName(c.name), kind);
    EXPECT_EQ(MatchByte(kind), c.matchByte);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, WaitKindNames,
                         ::testing::Values(NamedKind{0, u"なし", 0}, NamedKind{1, u"CR", 0x0D},
                                           NamedKind{2, u"NL", 0x0A}, NamedKind{3, u"Any", 0}));

class UnnamedWaitKind : public ::testing::TestWithParam<int32_t> {};

TEST_P(UnnamedWaitKind, ShowsAsNoneAndWaitsForNoByte)
{
    const auto kind = static_cast<WaitKind>(GetParam());
    EXPECT_FALSE(IsNamed(kind));
    EXPECT_EQ(WaitKindName(kind), u"なし");
    EXPECT_EQ(MatchByte(kind), 0);
}

INSTANTIATE_TEST_SUITE_P(FromAFile, UnnamedWaitKind, ::testing::Values(-1, 4, 7, INT32_MIN));

// A cell's text names a kind only when it is one of the names exactly.
class UnknownWaitName : public ::testing::TestWithParam<std::u16string_view> {};

TEST_P(UnknownWaitName, NamesNoKind)
{
    EXPECT_FALSE(WaitKindFromName(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(NearMisses, UnknownWaitName,
                         ::testing::Values(u"", u"cr", u"Any ", u" NL", u"None", u"0"));

} // namespace
} // namespace wirevane
