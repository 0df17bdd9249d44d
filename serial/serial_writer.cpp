#include "serial/serial_writer.h"

#include "platform/serial_codes.h"

namespace wirevane {

SerialWriter::SerialWriter(platform::SerialDevice& device)
    : m_device(device), m_thread([this] { Run(); })
{
}

SerialWriter::~SerialWriter()
{
    CancelAll();
    {
        std::lock_guard guard(m_lock);
        m_stopping = true;
    }
    m_queued.notify_all();
    m_thread.join();
}

void SerialWriter::Queue(std::vector<uint8_t> bytes, Done done)
{
    {
        std::lock_guard guard(m_lock);
        m_bytesNotOut += bytes.size();
        m_blocks.push_back({std::move(bytes), std::move(done)});
    }
    m_queued.notify_all();
}

SerialWriter::Handed SerialWriter::WriteIfIdle(std::span<const uint8_t> bytes)
{
    Handed handed;
    std::lock_guard guard(m_lock);
    handed.idle = m_blocks.empty() && !m_busy;
    if (handed.idle)
        handed.error = m_device.WriteWithoutWaiting(bytes, handed.written);
    return handed;
}

void SerialWriter::CancelAll()
{
    std::deque<Block> dropped;
    {
        std::lock_guard guard(m_lock);
        dropped.swap(m_blocks);
        for (const Block& block : dropped)
            m_bytesNotOut -= block.bytes.size();
        // Only while a block is being written, so the cancel cannot reach a later one.
        if (m_busy && !m_busyCancelled) {
            m_busyCancelled = true;
            m_device.CancelWrite();
        }
    }
    for (Block& block : dropped) {
        if (block.done)
            block.done(ERROR_OPERATION_ABORTED);
    }
}

std::size_t SerialWriter::BytesNotOut()
{
    std::lock_guard guard(m_lock);
    return m_bytesNotOut;
}

void SerialWriter::Run()
{
    for (;;) {
        Block block;
        {
            std::unique_lock guard(m_lock);
            m_queued.wait(guard, [&] { return m_stopping || !m_blocks.empty(); });
            if (m_blocks.empty())
                return;
            block = std::move(m_blocks.front());
            m_blocks.pop_front();
            m_busy = true;
            m_busyCancelled = false;
        }
        std::size_t written = 0;
        uint32_t error = m_device.Write(block.bytes, written, INFINITE);
        {
            std::lock_guard guard(m_lock);
            m_busy = false;
            m_bytesNotOut -= block.bytes.size();
            if (m_busyCancelled) {
                // The cancel may have come too late to end the write; it must not end the next.
                m_device.ClearWriteCancel();
                error = ERROR_OPERATION_ABORTED;
            }
        }
        if (block.done)
            block.done(error);
    }
}

} // namespace wirevane
