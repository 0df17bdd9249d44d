#include "core/receive_ring.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace wirevane {
namespace {

std::vector<uint8_t> Sequence(std::size_t size, uint8_t first)
{
    std::vector<uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

// Drives the indices to the end of the buffer so stores and takes have to wrap around.
TEST(ReceiveRing, BulkStoreAndTakeWrapAroundTheEndInOrder)
{
    ReceiveRing ring;
    ASSERT_TRUE(ring.Allocate());
    std::vector<uint8_t> out;
    const std::vector<uint8_t> fill(ReceiveRing::kCapacity - 3, 0x55);
    ASSERT_EQ(ring.PushSome(fill), fill.size());
    ring.TakeInto(out, static_cast<int32_t>(fill.size()));
    EXPECT_EQ(out, fill);
    EXPECT_EQ(ring.Count(), 0);

    EXPECT_EQ(ring.PushSome(Sequence(8, 1)), 8u);
    EXPECT_EQ(ring.PeekAt(0), 1);
    EXPECT_EQ(ring.PeekAt(3), 4); // the first byte stored at the start of the buffer
    EXPECT_EQ(ring.Take(), 1);
    EXPECT_TRUE(ring.Push(9));
    out.clear();
    ring.TakeInto(out, 8);
    EXPECT_EQ(out, (std::vector<uint8_t>{2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(ring.Count(), 0);
}

TEST(ReceiveRing, AFullRingKeepsTheFirstBytesAndAnUnallocatedOneStoresNothing)
{
    ReceiveRing ring;
    ASSERT_TRUE(ring.Allocate());
    const std::vector<uint8_t> almost(ReceiveRing::kCapacity - 2, 0x41);
    ASSERT_EQ(ring.PushSome(almost), almost.size());
    EXPECT_EQ(ring.PushSome(Sequence(5, 1)), 2u);
    EXPECT_FALSE(ring.Push(9));
    EXPECT_EQ(ring.PushSome(Sequence(1, 7)), 0u);
    EXPECT_EQ(ring.Count(), ReceiveRing::kCapacity);
    std::vector<uint8_t> out;
    ring.TakeInto(out, ReceiveRing::kCapacity);
    EXPECT_EQ(std::vector<uint8_t>(out.end() - 3, out.end()), (std::vector<uint8_t>{0x41, 1, 2}));

    // An unallocated ring stores nothing.
    ReceiveRing unallocated;
    EXPECT_EQ(unallocated.PushSome(Sequence(3, 1)), 0u);
    EXPECT_FALSE(unallocated.Push(1));
    EXPECT_EQ(unallocated.Count(), 0);
}

} // namespace
} // namespace wirevane
