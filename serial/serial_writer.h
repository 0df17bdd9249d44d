#pragma once

#include "platform/serial_device.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace wirevane {

// Writes byte blocks to a device on a thread of its own, one after another in the order they were
// queued, so that a device that holds the line back keeps no caller waiting.
class SerialWriter {
public:
    // 0 once every byte is out, otherwise the device's error; ERROR_OPERATION_ABORTED for a
    // block that was cancelled. Runs on the writer thread, or for a block that never started on
    // the thread that cancelled it.
    using Done = std::function<void(uint32_t error)>;

    explicit SerialWriter(platform::SerialDevice& device);
    // Cancels what is left and joins the thread: the device may be released afterwards.
    ~SerialWriter();
    SerialWriter(const SerialWriter&) = delete;
    SerialWriter& operator=(const SerialWriter&) = delete;

    void Queue(std::vector<uint8_t> bytes, Done done);
    // What WriteIfIdle handed the device, and the device's error; idle false when the line was
    // busy and nothing was tried.
    struct Handed {
        bool idle = false;
        std::size_t written = 0;
        uint32_t error = 0;
    };
    // When nothing is queued or being written, hands the device on the calling thread what it
    // takes without waiting. An idle line so costs no hand-over to the writer thread and back,
    // which a row's delay would otherwise be late by. Nothing is written while the line is busy.
    // The caller queues what is left; it must be the only thread that queues, so that nothing
    // can come between.
    Handed WriteIfIdle(std::span<const uint8_t> bytes);
    // Every queued block and the one being written end with ERROR_OPERATION_ABORTED.
    void CancelAll();
    // The bytes of the queued blocks and of the one being written.
    std::size_t BytesNotOut();

private:
    struct Block {
        std::vector<uint8_t> bytes;
        Done done;
    };

    void Run();

    platform::SerialDevice& m_device;
    std::mutex m_lock;
    std::condition_variable m_queued;
    std::deque<Block> m_blocks;
    bool m_busy = false;
    std::size_t m_bytesNotOut = 0;
    bool m_busyCancelled = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace wirevane
