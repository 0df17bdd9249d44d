#include "platform/awake_processors.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace wirevane::platform {

namespace {

// The system-wide latency request of the kernel's power management: an open descriptor holding
// a value in microseconds. 0 accepts no exit latency at all, which leaves idle processors only
// the polling state; the request ends when the descriptor closes, also when the program dies.
constexpr const char* kLatencyRequest = "/dev/cpu_dma_latency";
constexpr int32_t kNoExitLatencyUs = 0;

} // namespace

AwakeProcessors::~AwakeProcessors()
{
    Release();
}

std::optional<RealtimeRefusal> AwakeProcessors::Hold()
{
    if (held())
        return std::nullopt;
    const int request = open(kLatencyRequest, O_WRONLY | O_CLOEXEC);
    const bool made = request >= 0 && write(request, &kNoExitLatencyUs, sizeof kNoExitLatencyUs) ==
                                          static_cast<ssize_t>(sizeof kNoExitLatencyUs);
    if (made) {
        m_request = request;
        return std::nullopt;
    }
    const int error = errno;
    if (request >= 0)
        close(request);
    return RealtimeRefusal{std::strerror(error),
                           "write access to /dev/cpu_dma_latency (a udev rule such as "
                           "KERNEL==\"cpu_dma_latency\", GROUP=\"dialout\", MODE=\"0660\")"};
}

void AwakeProcessors::Release()
{
    if (!held())
        return;
    close(m_request);
    m_request = -1;
}

} // namespace wirevane::platform
