#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

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
    uint8_t Peek() const { return m_buffer[m_readIndex]; }
    uint8_t Take();
    int32_t Count() const { return m_count; }

private:
    std::unique_ptr<uint8_t[]> m_buffer;
    int32_t m_writeIndex = 0;
    int32_t m_readIndex = 0;
    int32_t m_count = 0;
};

} // namespace wirevane
