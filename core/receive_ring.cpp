#include "core/receive_ring.h"

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

uint8_t ReceiveRing::Take()
{
    const uint8_t byte = m_buffer[m_readIndex];
    m_readIndex = (m_readIndex + 1) % kCapacity;
    --m_count;
    return byte;
}

} // namespace wirevane
