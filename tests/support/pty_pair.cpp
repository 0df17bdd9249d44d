#include "support/pty_pair.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace wirevane::test {

PtyPair::PtyPair()
{
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    m_slavePath = name;
    termios raw{};
    tcgetattr(m_slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_slave, TCSANOW, &raw);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
}

PtyPair::~PtyPair()
{
    CloseMaster();
    CloseSlave();
}

std::u16string PtyPair::slavePathU16() const
{
    return std::u16string(m_slavePath.begin(), m_slavePath.end());
}

void PtyPair::WriteMaster(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = write(m_master, bytes.data(), bytes.size());
        if (put > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(put));
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EINTR)
            throw std::runtime_error("write to the pty master failed");
        pollfd fd{m_master, POLLOUT, 0};
        poll(&fd, 1, 100);
    }
}

std::string PtyPair::ReadMaster(std::size_t count, std::chrono::milliseconds deadline)
{
    std::string got;
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (got.size() < count && std::chrono::steady_clock::now() < end) {
        pollfd fd{m_master, POLLIN, 0};
        poll(&fd, 1, 50);
        got += ReadMasterAvailable();
    }
    return got;
}

std::string PtyPair::ReadMasterAvailable()
{
    std::string got;
    char chunk[4096];
    for (;;) {
        const ssize_t n = read(m_master, chunk, sizeof chunk);
        if (n <= 0)
            break;
        got.append(chunk, static_cast<std::size_t>(n));
    }
    return got;
}

std::size_t PtyPair::SlaveInputPending() const
{
    int pending = 0;
    if (m_slave < 0 || ioctl(m_slave, FIONREAD, &pending) != 0)
        return 0;
    return static_cast<std::size_t>(pending);
}

void PtyPair::CloseMaster()
{
    if (m_master >= 0)
        close(m_master);
    m_master = -1;
}

void PtyPair::CloseSlave()
{
    if (m_slave >= 0)
        close(m_slave);
    m_slave = -1;
}

} // namespace wirevane::test
