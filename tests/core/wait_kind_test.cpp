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

// A number from a file that names no kind shows as none and waits for no byte; a cell's text
// names a kind only when it is one of the names exactly.
TEST(WaitKind, OtherNumbersAndNamesNameNoKind)
{
    for (const int32_t stored : {-1, 4, 7, INT32_MIN}) {
        const auto kind = static_cast<WaitKind>(stored);
        EXPECT_FALSE(IsNamed(kind)) << stored;
        EXPECT_EQ(WaitKindName(kind), u"なし") << stored;
        EXPECT_EQ(MatchByte(kind), 0) << stored;
    }
    for (const std::u16string_view name : {u"", u"cr", u"Any ", u" NL", u"None", u"0"})
        EXPECT_FALSE(WaitKindFromName(name).has_value()) << std::string(name.begin(), name.end());
}

} // namespace
} // namespace wirevane
