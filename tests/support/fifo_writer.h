#pragma once

#include <atomic>
#include <filesystem>
#include <sys/types.h>
#include <thread>

namespace wirevane::test {

// A FIFO with a writer waiting in its open(), as a program that feeds a pipe waits for its
// reader: a test shows that a name it refuses is not opened, for that open would release the
// writer. The writer is released and its end closed when this goes.
class WaitingFifoWriter {
public:
    explicit WaitingFifoWriter(std::filesystem::path fifo);
    ~WaitingFifoWriter();
    WaitingFifoWriter(const WaitingFifoWriter&) = delete;
    WaitingFifoWriter& operator=(const WaitingFifoWriter&) = delete;

    // True once the writer is blocked in its open(), false after 5 s without it.
    bool waitsInOpen() const;
    // True when the writer's open() has returned, looked at after a pause long enough for a
    // released writer to get there.
    bool released() const;

private:
    std::filesystem::path m_fifo;
    std::atomic<int> m_writer{-2};
    std::atomic<pid_t> m_thread{0};
    std::thread m_waiting;
};

} // namespace wirevane::test
