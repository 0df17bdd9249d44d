#include "core/receive_ring.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace wirevane {

bool ReceiveRing::Allocate()
{
    if (!m_buffer)
        m_buffer.reset(new (std::nothrow) uint8_t[kCapacity]);
    return m_buffer != nullptr;
}

bool ReceiveRing::Push(uint8_t byte)
{
    if (!m_buffer || m_count >= kCapacity)
        return false;
    m_buffer[m_writeIndex] = byte;
    m_writeIndex = (m_writeIndex + 1) % kCapacity;
    ++m_count;
    return true;
}

std::size_t ReceiveRing::PushSome(std::span<const uint8_t> bytes)
{
    if (!m_buffer)
        return 0;
    const std::size_t stored =
        std::min(bytes.size(), static_cast<std::size_t>(kCapacity - m_count));
    const std::size_t first = std::min(stored, static_cast<std::size_t>(kCapacity - m_writeIndex));
    std::memcpy(m_buffer.get() + m_writeIndex, bytes.data(), first);
    std::memcpy(m_buffer.get(), bytes.data() + first, stored - first);
    m_writeIndex = static_cast<int32_t>((m_writeIndex + stored) & kIndexMask);
    m_count += static_cast<int32_t>(stored);
    return stored;
}

void ReceiveRing::TakeInto(std::vector<uint8_t>& out, int32_t count)
{
    const int32_t first = std::min(count, kCapacity - m_readIndex);
    out.insert(out.end(), m_buffer.get() + m_readIndex, m_buffer.get() + m_readIndex + first);
    out.insert(out.end(), m_buffer.get(), m_buffer.get() + (count - first));
    m_readIndex = (m_readIndex + count) & kIndexMask;
    m_count -= count;
}

void ReceiveRing::Clear()
{
    m_writeIndex = 0;
    m_readIndex = 0;
    m_count = 0;
}

uint8_t ReceiveRing::Take()
{
    const uint8_t byte = m_buffer[m_readIndex];
    m_readIndex = (m_readIndex + 1) % kCapacity;
    --m_count;
    return byte;
}

} // namespace wirevane
