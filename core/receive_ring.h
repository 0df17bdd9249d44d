#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace wirevane {

// Received bytes not yet shown, 16 MiB at most. A full ring drops further bytes from display
// only; the wait check sees every byte regardless.
class ReceiveRing {
public:
    static constexpr int32_t kCapacity = 0x1000000;

    // Allocates the buffer; false when the memory cannot be had.
    bool Allocate();
    bool IsAllocated() const { return m_buffer != nullptr; }

    bool Push(uint8_t byte); // false when full: the byte is dropped
    // Stores the bytes that fit, in order, and drops the rest; answers how many were stored.
    std::size_t PushSome(std::span<const uint8_t> bytes);
    uint8_t Peek() const { return m_buffer[m_readIndex]; }
    // The byte offset places after the read index; offset < Count().
    uint8_t PeekAt(int32_t offset) const { return m_buffer[(m_readIndex + offset) & kIndexMask]; }
    uint8_t Take();
    // Moves the next count bytes (count <= Count()) to the end of out.
    void TakeInto(std::vector<uint8_t>& out, int32_t count);
    int32_t Count() const { return m_count; }
    // Forgets every byte held, a character still waiting for its rest included.
    void Clear();

private:
    // The capacity is a power of two, so an index wraps by masking.
    static constexpr int32_t kIndexMask = kCapacity - 1;
    static_assert((kCapacity & kIndexMask) == 0);

    std::unique_ptr<uint8_t[]> m_buffer;
    int32_t m_writeIndex = 0;
    int32_t m_readIndex = 0;
    int32_t m_count = 0;
};

} // namespace wirevane
