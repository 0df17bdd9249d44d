#include "support/fifo_writer.h"

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace wirevane::test {

WaitingFifoWriter::WaitingFifoWriter(std::filesystem::path fifo) : m_fifo(std::move(fifo))
{
    if (::mkfifo(m_fifo.c_str(), 0600) != 0)
        return;
    m_waiting = std::thread([this] {
        m_thread = ::gettid();
        m_writer = ::open(m_fifo.c_str(), O_WRONLY | O_CLOEXEC);
    });
}

WaitingFifoWriter::~WaitingFifoWriter()
{
    if (!m_waiting.joinable())
        return;
    const int release = ::open(m_fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    m_waiting.join();
    ::close(release);
    ::close(m_writer);
}

bool WaitingFifoWriter::waitsInOpen() const
{
    for (int i = 0; i < 500; ++i) {
        if (const pid_t tid = m_thread.load(); tid != 0) {
            std::ifstream syscall("/proc/self/task/" + std::to_string(tid) + "/syscall");
            long number = -1;
            if (syscall >> number && number == SYS_openat)
                return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

bool WaitingFifoWriter::released() const
{
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return m_writer != -2;
}

} // namespace wirevane::test
