#include "platform/linux/serial_device_posix.h"

#include "platform/linux/low_latency_flag.h"
#include "platform/linux/serial_errno.h"
#include "platform/linux/terminal_node.h"
#include "platform/serial_codes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace wirevane::platform {

namespace {

constexpr int kLineLookMs = 20;
constexpr int kDrainLookMs = 10;

int RemainingMs(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<int64_t>(left.count(), 0, 60'000));
}

bool Gone(short revents)
{
    return (revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

// Takes an eventfd's whole count, so its next poll waits for a new signal.
void ClearSignal(int eventFd)
{
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t cleared = read(eventFd, &count, sizeof count);
}

} // namespace

PosixSerialDevice::PosixSerialDevice(int fd, int wakeFd, int dataFd, const TtyControl& original)
    : m_fd(fd), m_wakeFd(wakeFd), m_dataFd(dataFd),
      m_cancelFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), m_original(original)
{
    int lines = 0;
    if (ReadLineCounters(m_fd, m_counters) == 0)
        m_watch = LineWatch::Counters;
    else if (ioctl(m_fd, TIOCMGET, &lines) == 0)
        m_watch = LineWatch::ModemLines;
    GetModemStatus(m_modemLines);
}

PosixSerialDevice::~PosixSerialDevice()
{
    // Hand the device back as it was found; a gone device just refuses.
    WriteTtyControl(m_fd, m_original);
    if (m_originalSerialFlags)
        RestoreLowLatencyFlag(m_fd, *m_originalSerialFlags);
    ioctl(m_fd, TIOCNXCL);
    close(m_fd);
    close(m_wakeFd);
    close(m_dataFd);
    if (m_cancelFd >= 0)
        close(m_cancelFd);
}

uint32_t PosixSerialDevice::SetLowLatency(bool on)
{
    int failure = 0;
    int before = 0;
    if (on)
        failure = RequestLowLatency(m_fd, before);
    else if (m_originalSerialFlags)
        failure = RestoreLowLatencyFlag(m_fd, *m_originalSerialFlags);
    if (failure)
        return SerialErrorFromErrno(failure);
    if (on && !m_originalSerialFlags)
        m_originalSerialFlags = before;
    return ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::SetEventMask(uint32_t mask)
{
    m_mask = mask;
    ++m_maskGeneration;
    Signal(m_wakeFd);
    return ERROR_SUCCESS;
}

void PosixSerialDevice::LeaveReceivingToOwner(bool on)
{
    m_ownerReceives = on;
    Signal(m_wakeFd);
}

bool PosixSerialDevice::TakeReceived(uint32_t& events, std::size_t& count)
{
    events = 0;
    count = 0;
    if (DrainIntoQueue(events, count))
        return true;
    // The loss is told where it always is: the event wait ends with it.
    m_lostByOwner = true;
    Signal(m_wakeFd);
    return false;
}

void PosixSerialDevice::Signal(int eventFd)
{
    const uint64_t one = 1;
    // An eventfd's counter only saturates after 2^64 - 2 signals; a failed write loses nothing
    // because the reader clears the whole count anyway.
    [[maybe_unused]] const ssize_t written = write(eventFd, &one, sizeof one);
}

void PosixSerialDevice::CollectLineChanges()
{
    std::lock_guard guard(m_lineLock);
    LineChange change;
    if (m_watch == LineWatch::Counters) {
        LineCounters now;
        if (ReadLineCounters(m_fd, now) != 0)
            return;
        change = CompareCounters(m_counters, now);
        m_counters = now;
    } else if (m_watch == LineWatch::ModemLines) {
        uint32_t now = 0;
        if (GetModemStatus(now) != 0)
            return;
        change = CompareModemLines(m_modemLines, now);
        m_modemLines = now;
    }
    m_pendingEvents |= change.events;
    m_errors |= change.errors;
}

// A read that comes back short has emptied the tty: asking again would only find EAGAIN, and
// bytes that arrive after it make the descriptor readable for the next wait.
bool PosixSerialDevice::DrainIntoQueue(uint32_t& events, std::size_t& count)
{
    std::lock_guard guard(m_inputLock);
    uint8_t chunk[4096];
    const uint8_t eventCharacter = m_eventCharacter;
    while (m_input.size() < m_inputLimit) {
        const std::size_t room = std::min(sizeof chunk, m_inputLimit - m_input.size());
        const ssize_t got = read(m_fd, chunk, room);
        if (got > 0) {
            m_input.insert(m_input.end(), chunk, chunk + got);
            count += static_cast<std::size_t>(got);
            events |= EV_RXCHAR;
            if (std::find(chunk, chunk + got, eventCharacter) != chunk + got)
                events |= EV_RXFLAG;
            if (static_cast<std::size_t>(got) < room)
                break;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno == EAGAIN)
            break;
        return false; // 0: hung up; EIO, ENODEV: unplugged
    }
    // Only a blocking Read waits on the signal; it sets its mode before it takes this lock, so
    // a reader that could miss these bytes is always seen here.
    if ((events & EV_RXCHAR) && m_blocking)
        Signal(m_dataFd);
    return true;
}

uint32_t PosixSerialDevice::WaitForEvent(uint32_t& events, uint32_t timeoutMs)
{
    events = 0;
    const bool finite = timeoutMs != INFINITE;
    const auto deadline = Clock::now() + std::chrono::milliseconds(finite ? timeoutMs : 0);
    const uint64_t generation = m_maskGeneration;
    for (;;) {
        if (m_maskGeneration != generation)
            return ERROR_SUCCESS;
        if (m_lostByOwner)
            return ERROR_IO_DEVICE;
        const uint32_t mask = m_mask;
        const bool watchLines =
            m_watch != LineWatch::None &&
            (mask & (EV_CTS | EV_DSR | EV_RLSD | EV_RING | EV_BREAK | EV_ERR)) != 0;
        if (watchLines)
            CollectLineChanges();
        uint32_t seen = m_pendingEvents.exchange(0);
        const bool watchDrain = (mask & EV_TXEMPTY) && m_txPending;
        if (watchDrain) {
            int queued = 0;
            if (ioctl(m_fd, TIOCOUTQ, &queued) == 0 && queued == 0) {
                m_txPending = false;
                seen |= EV_TXEMPTY;
            }
        }
        events = seen & mask;
        if (events != 0)
            return ERROR_SUCCESS;

        bool queueFull = false;
        {
            std::lock_guard guard(m_inputLock);
            queueFull = m_input.size() >= m_inputLimit;
        }
        const bool wantBytes =
            !m_ownerReceives && (mask & (EV_RXCHAR | EV_RXFLAG)) != 0 && !queueFull;
        pollfd fds[2] = {{m_fd, static_cast<short>(wantBytes ? POLLIN : 0), 0},
                         {m_wakeFd, POLLIN, 0}};
        int waitMs = finite ? RemainingMs(deadline) : -1;
        if (watchLines)
            waitMs = waitMs < 0 ? kLineLookMs : std::min(waitMs, kLineLookMs);
        if ((mask & EV_TXEMPTY) && m_txPending)
            waitMs = waitMs < 0 ? kDrainLookMs : std::min(waitMs, kDrainLookMs);
        const int ready = poll(fds, 2, waitMs);
        if (ready < 0 && errno != EINTR)
            return SerialErrorFromErrno(errno);
        if (ready > 0 && Gone(fds[0].revents))
            return ERROR_IO_DEVICE;
        if (ready > 0 && (fds[1].revents & POLLIN))
            ClearSignal(m_wakeFd);
        // The owner may have taken the reading while this poll waited: the bytes are its own then,
        // and its watch sees them.
        if (ready > 0 && (fds[0].revents & POLLIN) && !m_ownerReceives) {
            uint32_t received = 0;
            std::size_t count = 0;
            if (!DrainIntoQueue(received, count))
                return ERROR_IO_DEVICE;
            m_pendingEvents |= received;
        }
        if (finite && Clock::now() >= deadline && m_pendingEvents == 0)
            return ERROR_TIMEOUT;
    }
}

uint32_t PosixSerialDevice::ClearErrors(uint32_t& errors)
{
    if (m_watch == LineWatch::Counters)
        CollectLineChanges();
    errors = m_errors.exchange(0);
    return ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::SetReadBlocking(bool blocking)
{
    m_blocking = blocking;
    return ERROR_SUCCESS;
}

std::size_t PosixSerialDevice::TakeFromQueue(std::span<uint8_t> buffer)
{
    const std::size_t count = std::min(buffer.size(), m_input.size());
    std::copy_n(m_input.begin(), count, buffer.begin());
    m_input.erase(m_input.begin(), m_input.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

uint32_t PosixSerialDevice::Read(std::span<uint8_t> buffer, std::size_t& bytesRead,
                                 uint32_t timeoutMs)
{
    bytesRead = 0;
    const bool finite = timeoutMs != INFINITE;
    const auto deadline = Clock::now() + std::chrono::milliseconds(finite ? timeoutMs : 0);
    for (;;) {
        bool lost = false;
        bool freedRoom = false;
        {
            std::lock_guard guard(m_inputLock);
            const bool wasFull = m_input.size() >= m_inputLimit;
            const bool queued = !m_input.empty();
            bytesRead += TakeFromQueue(buffer.subspan(bytesRead));
            freedRoom = wasFull && m_input.size() < m_inputLimit;
            // Queued bytes came first, so reading the device under the same lock keeps order.
            // Whoever queued them has just emptied the device, and what arrived since wakes its
            // drainer again: a read of the device now would mostly find nothing. While the owner
            // takes the reading, every byte goes through its drain, which counts them to hand a
            // flood to the event thread.
            const bool ownerDrains = m_ownerReceives && !m_blocking;
            while (!queued && !ownerDrains && bytesRead < buffer.size()) {
                const ssize_t got =
                    read(m_fd, buffer.data() + bytesRead, buffer.size() - bytesRead);
                if (got > 0) {
                    bytesRead += static_cast<std::size_t>(got);
                    continue;
                }
                if (got < 0 && errno == EINTR)
                    continue;
                lost = !(got < 0 && errno == EAGAIN);
                break;
            }
        }
        if (freedRoom)
            Signal(m_wakeFd);
        if (lost)
            return bytesRead > 0 ? ERROR_SUCCESS : ERROR_IO_DEVICE;
        if (!m_blocking || bytesRead == buffer.size())
            return ERROR_SUCCESS;
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_dataFd, POLLIN, 0}};
        const int ready = poll(fds, 2, finite ? RemainingMs(deadline) : -1);
        if (ready < 0 && errno != EINTR)
            return SerialErrorFromErrno(errno);
        if (ready > 0 && Gone(fds[0].revents))
            return ERROR_IO_DEVICE;
        if (ready > 0 && (fds[1].revents & POLLIN))
            ClearSignal(m_dataFd);
        if (ready == 0 && finite)
            return ERROR_TIMEOUT;
    }
}

std::chrono::microseconds PosixSerialDevice::CharacterTime() const
{
    return std::chrono::microseconds(m_characterMicros.load());
}

uint32_t PosixSerialDevice::Write(std::span<const uint8_t> bytes, std::size_t& bytesWritten,
                                  uint32_t timeoutMs)
{
    bytesWritten = 0;
    const auto flowBound =
        std::chrono::duration_cast<Clock::duration>(CharacterTime() * bytes.size()) +
        std::chrono::milliseconds(m_writeGraceMs.load());
    auto deadline = Clock::now() + flowBound;
    if (timeoutMs != INFINITE)
        deadline = std::min(deadline, Clock::now() + std::chrono::milliseconds(timeoutMs));
    // What the driver still holds of a write that ends unfinished is dropped, so it cannot leave
    // later, when the far end no longer expects it.
    const auto dropHeld = [&] {
        int queued = 0;
        if (ioctl(m_fd, TIOCOUTQ, &queued) != 0)
            queued = 0;
        tcflush(m_fd, TCOFLUSH);
        bytesWritten -= std::min(bytesWritten, static_cast<std::size_t>(queued));
    };
    while (bytesWritten < bytes.size()) {
        if (m_writeCancelled.load()) {
            ClearWriteCancel();
            dropHeld();
            return ERROR_OPERATION_ABORTED;
        }
        if (const int failure = PutWhatFits(bytes, bytesWritten))
            return SerialErrorFromErrno(failure);
        if (bytesWritten == bytes.size())
            break;
        const int waitMs = RemainingMs(deadline);
        pollfd fds[] = {{m_fd, POLLOUT, 0}, {m_cancelFd, POLLIN, 0}};
        const int ready = waitMs > 0 ? poll(fds, 2, waitMs) : 0;
        if (ready < 0 && errno != EINTR)
            return SerialErrorFromErrno(errno);
        if (ready > 0 && Gone(fds[0].revents))
            return ERROR_IO_DEVICE;
        if (ready == 0) {
            dropHeld();
            return ERROR_TIMEOUT;
        }
    }
    NoteWritten(bytesWritten);
    return ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::WriteWithoutWaiting(std::span<const uint8_t> bytes,
                                                std::size_t& bytesWritten)
{
    bytesWritten = 0;
    if (const int failure = PutWhatFits(bytes, bytesWritten))
        return SerialErrorFromErrno(failure);
    NoteWritten(bytesWritten);
    return ERROR_SUCCESS;
}

int PosixSerialDevice::PutWhatFits(std::span<const uint8_t> bytes, std::size_t& bytesWritten)
{
    while (bytesWritten < bytes.size()) {
        const ssize_t put = write(m_fd, bytes.data() + bytesWritten, bytes.size() - bytesWritten);
        if (put > 0) {
            bytesWritten += static_cast<std::size_t>(put);
            continue;
        }
        if (put < 0 && errno == EINTR)
            continue;
        return put < 0 && errno != EAGAIN ? errno : 0;
    }
    return 0;
}

void PosixSerialDevice::NoteWritten(std::size_t bytesWritten)
{
    if (bytesWritten > 0 && (m_mask & EV_TXEMPTY)) {
        m_txPending = true;
        Signal(m_wakeFd);
    }
}

void PosixSerialDevice::SetWriteGrace(std::chrono::milliseconds grace)
{
    m_writeGraceMs = grace.count();
}

void PosixSerialDevice::CancelWrite()
{
    m_writeCancelled = true;
    Signal(m_cancelFd);
}

void PosixSerialDevice::ClearWriteCancel()
{
    m_writeCancelled = false;
    ClearSignal(m_cancelFd);
}

uint32_t PosixSerialDevice::GetModemStatus(uint32_t& status)
{
    status = 0;
    int lines = 0;
    if (ioctl(m_fd, TIOCMGET, &lines) != 0)
        return errno == ENOTTY || errno == EINVAL ? ERROR_SUCCESS : SerialErrorFromErrno(errno);
    status = ModemStatusFromLines(lines);
    return ERROR_SUCCESS;
}

uint32_t PosixSerialDevice::SetBreak(bool on)
{
    if (ioctl(m_fd, on ? TIOCSBRK : TIOCCBRK) != 0 && errno != ENOTTY && errno != EINVAL)
        return SerialErrorFromErrno(errno);
    return ERROR_SUCCESS;
}

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::filesystem::path& path,
                                               PortOpenError& error)
{
    error = {};
    auto refuse = [&error](int errnoValue) -> std::unique_ptr<SerialDevice> {
        error = {SerialErrorFromErrno(errnoValue), errnoValue, std::strerror(errnoValue)};
        return nullptr;
    };
    if (const int failure = RefuseNonTerminalNode(path))
        return refuse(failure);
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(errno);
    auto fail = [&refuse, fd](int errnoValue) {
        close(fd);
        return refuse(errnoValue);
    };
    TtyControl original;
    if (const int failure = ReadTtyControl(fd, original))
        return fail(failure);
    // flock keeps out every other holder, root included; TIOCEXCL additionally stops
    // programs that do not take the lock, except root's.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail(errno == EWOULDBLOCK ? EBUSY : errno);
    ioctl(fd, TIOCEXCL);

    TtyControl control = original;
    MakeRaw(control);
    EncodeLineSettings(LineSettings{}, control);
    EncodeHandshake(HandshakeOff, control);
    if (const int failure = WriteTtyControl(fd, control))
        return fail(failure);
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, TIOCMBIS, &lines);

    const int wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0)
        return fail(errno);
    const int dataFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (dataFd < 0) {
        const int failure = errno;
        close(wakeFd);
        return fail(failure);
    }
    return std::make_unique<PosixSerialDevice>(fd, wakeFd, dataFd, original);
}

} // namespace wirevane::platform
