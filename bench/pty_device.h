#pragma once

// The device end of a pseudo-terminal for the engine benchmarks: the benchmark plays the device
// on the master side and times everything there, on one clock, whoever sits on the port side.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace wirevane::bench {

inline int64_t NowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// A pseudo-terminal in raw mode. The device keeps its own handle on the port side open so the
// master never sees a hang-up between two programs using the port.
class PtyDevice {
public:
    PtyDevice()
    {
        char name[128] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
            std::perror("openpty");
            return;
        }
        termios raw{};
        tcgetattr(m_slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(m_slave, TCSANOW, &raw);
        m_path = name;
    }
    ~PtyDevice()
    {
        if (m_master >= 0)
            close(m_master);
        if (m_slave >= 0)
            close(m_slave);
    }
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

    bool ok() const { return !m_path.empty(); }
    int fd() const { return m_master; }
    const std::string& portPath() const { return m_path; }

    // Waits up to timeoutMs for bytes; 0 on time-out, -1 when the port side is gone.
    ssize_t ReadSome(uint8_t* buffer, std::size_t size, int timeoutMs)
    {
        pollfd p{m_master, POLLIN, 0};
        const int ready = poll(&p, 1, timeoutMs);
        if (ready <= 0)
            return 0;
        const ssize_t got = read(m_master, buffer, size);
        return got < 0 && errno == EAGAIN ? 0 : (got <= 0 ? -1 : got);
    }

    bool WriteAll(const uint8_t* bytes, std::size_t size)
    {
        while (size > 0) {
            const ssize_t put = write(m_master, bytes, size);
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0 && errno == EAGAIN) {
                pollfd p{m_master, POLLOUT, 0};
                poll(&p, 1, 1000);
                continue;
            }
            if (put <= 0)
                return false;
            bytes += put;
            size -= static_cast<std::size_t>(put);
        }
        return true;
    }

    // Throws away what the port side sent before the measured exchange starts.
    void Drain()
    {
        uint8_t buffer[4096];
        while (ReadSome(buffer, sizeof buffer, 0) > 0) {
        }
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

struct Spread {
    double median = 0;
    double p99 = 0;
    std::size_t count = 0;
};

// Median and 99th percentile (nearest rank) of the samples.
inline Spread SpreadOf(std::vector<double> samples)
{
    Spread spread;
    spread.count = samples.size();
    if (samples.empty())
        return spread;
    std::sort(samples.begin(), samples.end());
    spread.median = samples[samples.size() / 2];
    const std::size_t rank = (samples.size() * 99 + 99) / 100;
    spread.p99 = samples[std::min(samples.size(), std::max<std::size_t>(rank, 1)) - 1];
    return spread;
}

} // namespace wirevane::bench
