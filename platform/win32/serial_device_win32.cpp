#include "platform/win32/serial_device_win32.h"

#include "platform/serial_codes.h"
#include "platform/win32/port_name.h"
#include "platform/win32/win32_text.h"

#include <algorithm>

namespace wirevane::platform {

namespace {

// Reads that return at once with what the driver holds.
constexpr COMMTIMEOUTS kReturnAtOnce{MAXDWORD, 0, 0, 0, 0};

// Reads that wait for the whole count, up to the constant (0: no limit).
COMMTIMEOUTS WholeCount(DWORD waitMs)
{
    return COMMTIMEOUTS{0, 0, waitMs == INFINITE ? 0 : std::max<DWORD>(waitMs, 1), 0, 0};
}

// A device that was unplugged answers these.
bool IsGone(DWORD error)
{
    return error == ERROR_BAD_COMMAND || error == ERROR_DEVICE_REMOVED ||
           error == ERROR_GEN_FAILURE || error == ERROR_INVALID_HANDLE ||
           error == ERROR_DEVICE_NOT_CONNECTED;
}

// The events the driver is asked to wait for. Received bytes are looked for by the event
// thread itself, which also finds the event character among them, so of the received-data
// events the driver is asked only for EV_RXCHAR: its arrival ends the thread's wait at once.
uint32_t DriverMask(uint32_t mask)
{
    const uint32_t received = (mask & (EV_RXCHAR | EV_RXFLAG)) != 0 ? EV_RXCHAR : 0;
    return (mask & ~(EV_RXCHAR | EV_RXFLAG | EV_TXEMPTY)) | received;
}

// An at-once read should end at once, and does on Windows. wine's serial layer was seen to
// leave one pending until it is cancelled, even after bytes came; a short bound keeps that
// from delaying the bytes, and from holding the input lock, which the event thread and the
// window's Read share.
constexpr DWORD kAtOnceReadBoundMs = 2;

uint32_t Checked(BOOL done)
{
    return done ? ERROR_SUCCESS : GetLastError();
}

// Waits for an overlapped request the caller started: its result, ERROR_TIMEOUT after the time,
// or ERROR_OPERATION_ABORTED when the other handle is set first. An unfinished request is
// cancelled and waited for, so its OVERLAPPED and buffer may go.
uint32_t AwaitRequest(HANDLE port, OVERLAPPED& request, DWORD& transferred, HANDLE other,
                      DWORD timeoutMs)
{
    HANDLE handles[] = {request.hEvent, other};
    const DWORD woke = WaitForMultipleObjects(other ? 2 : 1, handles, FALSE, timeoutMs);
    if (woke == WAIT_OBJECT_0)
        return Checked(GetOverlappedResult(port, &request, &transferred, FALSE));
    CancelIoEx(port, &request);
    GetOverlappedResult(port, &request, &transferred, TRUE);
    return woke == WAIT_TIMEOUT ? ERROR_TIMEOUT : ERROR_OPERATION_ABORTED;
}

DWORD RemainingMs(std::chrono::steady_clock::time_point deadline)
{
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() <= 0 ? 0
                             : static_cast<DWORD>(std::min<int64_t>(left.count(), MAXDWORD - 1));
}

} // namespace

Win32SerialDevice::Win32SerialDevice(HANDLE port)
    : m_port(port), m_wake(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      m_cancel(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    m_readEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_commWait.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

Win32SerialDevice::~Win32SerialDevice()
{
    // Nothing may still write into this object once it is gone. A cleared mask ends a pending
    // WaitCommEvent on Windows; wine's serial layer ignores both that and CancelIoEx for one,
    // so the wait for it is bounded, and closing the handle ends it there.
    PurgeComm(m_port, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    SetCommMask(m_port, 0);
    CancelIoEx(m_port, nullptr);
    if (m_commWaiting)
        WaitForSingleObject(m_commWait.hEvent, 500);
    CloseHandle(m_port);
    for (HANDLE event : {m_wake, m_cancel, m_readEvent, m_commWait.hEvent})
        if (event)
            CloseHandle(event);
}

uint32_t Win32SerialDevice::Initialise()
{
    for (HANDLE event : {m_wake, m_cancel, m_readEvent, m_commWait.hEvent})
        if (!event)
            return GetLastError();
    DCB dcb{};
    if (const uint32_t error = ReadState(dcb))
        return error;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.EvtChar = 0;
    if (!SetCommState(m_port, &dcb))
        return GetLastError();
    if (const uint32_t error = SetLineSettings(LineSettings{}))
        return error;
    if (const uint32_t error = SetHandshake(HandshakeOff))
        return error;
    PurgeComm(m_port, PURGE_TXCLEAR | PURGE_RXCLEAR);
    return ERROR_SUCCESS;
}

uint32_t Win32SerialDevice::SetQueueSizes(uint32_t inputSize, uint32_t outputSize)
{
    if (inputSize != 0) {
        std::lock_guard lock(m_inputLock);
        m_inputLimit = std::max<std::size_t>(inputSize, sizeof m_drainBuffer);
    }
    return Checked(SetupComm(m_port, inputSize, outputSize));
}

uint32_t Win32SerialDevice::SetEventMask(uint32_t mask)
{
    m_mask = mask;
    const uint32_t result =
        m_commWaitUnavailable ? ERROR_SUCCESS : Checked(SetCommMask(m_port, DriverMask(mask)));
    SetEvent(m_wake);
    return result;
}

void Win32SerialDevice::StartCommWait()
{
    if (m_commWaiting || m_commWaitUnavailable || DriverMask(m_mask) == 0)
        return;
    ResetEvent(m_commWait.hEvent);
    m_commEvents = 0;
    if (WaitCommEvent(m_port, &m_commEvents, &m_commWait) || GetLastError() == ERROR_IO_PENDING)
        m_commWaiting = true;
    else
        m_commWaitUnavailable = true;
}

uint32_t Win32SerialDevice::TakeWhatArrived(uint32_t& events, bool& full)
{
    std::lock_guard lock(m_inputLock);
    if (m_gone)
        return ERROR_IO_DEVICE;
    // A full queue waits for the reader; the driver's own queue holds the rest meanwhile.
    full = m_input.size() >= m_inputLimit;
    if (full)
        return ERROR_SUCCESS;
    const DWORD room =
        static_cast<DWORD>(std::min(sizeof m_drainBuffer, m_inputLimit - m_input.size()));
    DWORD got = 0;
    const uint32_t result = ReadAtOnce(m_drainBuffer, room, got);
    if (result != ERROR_SUCCESS) {
        m_gone = IsGone(result);
        return m_gone ? ERROR_IO_DEVICE : result;
    }
    if (got == 0)
        return ERROR_SUCCESS;
    m_input.insert(m_input.end(), m_drainBuffer, m_drainBuffer + got);
    const uint8_t flag = m_eventCharacter;
    if (m_mask & EV_RXCHAR)
        events |= EV_RXCHAR;
    if ((m_mask & EV_RXFLAG) &&
        std::find(m_drainBuffer, m_drainBuffer + got, flag) != m_drainBuffer + got)
        events |= EV_RXFLAG;
    return ERROR_SUCCESS;
}

uint32_t Win32SerialDevice::ReadAtOnce(uint8_t* buffer, DWORD size, DWORD& got)
{
    got = 0;
    COMMTIMEOUTS timeouts = kReturnAtOnce;
    if (!SetCommTimeouts(m_port, &timeouts))
        return GetLastError();
    OVERLAPPED request{};
    request.hEvent = m_readEvent;
    ResetEvent(request.hEvent);
    if (!ReadFile(m_port, buffer, size, nullptr, &request) && GetLastError() != ERROR_IO_PENDING)
        return GetLastError();
    const uint32_t result = AwaitRequest(m_port, request, got, nullptr, kAtOnceReadBoundMs);
    return result == ERROR_TIMEOUT ? ERROR_SUCCESS : result;
}

// Received bytes are taken with reads that return at once, when the driver's EV_RXCHAR ends
// the wait and every few milliseconds besides. The driver's event is what makes an answer
// quick on Windows: there a wait of 2 ms lasts the scheduler's tick, about 15.6 ms, unless the
// process asked for a finer one. The look every few milliseconds serves a driver without it:
// wine's serial layer does not end WaitCommEvent for received bytes, and does not complete a
// read that waits for the first byte (interval and multiplier at MAXDWORD) before its whole
// time-out has passed.
// The driver's wait is started before the input is looked at, so a byte that comes after the
// look ends it.
uint32_t Win32SerialDevice::WaitForEvent(uint32_t& events, uint32_t timeoutMs)
{
    constexpr DWORD kInputLookMs = 2;
    events = 0;
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(timeoutMs == INFINITE ? 0 : timeoutMs);
    while (true) {
        if (m_txPending.exchange(false) && (m_mask & EV_TXEMPTY)) {
            events |= EV_TXEMPTY;
            return ERROR_SUCCESS;
        }
        const bool watchInput = (m_mask & (EV_RXCHAR | EV_RXFLAG)) != 0;
        StartCommWait();
        bool inputFull = false;
        if (watchInput) {
            if (const uint32_t error = TakeWhatArrived(events, inputFull))
                return error;
            if (events != 0)
                return ERROR_SUCCESS;
        }
        // While the queue is full, bytes that keep coming would end the driver's wait again
        // and again with nothing to take: the thread looks every few milliseconds instead,
        // and the driver's other events wait with the bytes for the reader.
        HANDLE handles[2] = {m_wake};
        DWORD count = 1;
        if (m_commWaiting && !inputFull)
            handles[count++] = m_commWait.hEvent;
        DWORD waitMs = timeoutMs == INFINITE ? INFINITE : RemainingMs(deadline);
        if (watchInput)
            waitMs = std::min(waitMs, kInputLookMs);
        const DWORD woke = WaitForMultipleObjects(count, handles, FALSE, waitMs);
        if (woke == WAIT_TIMEOUT) {
            if (timeoutMs != INFINITE && Clock::now() >= deadline)
                return ERROR_TIMEOUT;
            continue;
        }
        if (woke == WAIT_FAILED)
            return GetLastError();
        if (handles[woke - WAIT_OBJECT_0] == m_wake) {
            // The mask was re-applied, or a write finished for EV_TXEMPTY.
            if (m_txPending.exchange(false) && (m_mask & EV_TXEMPTY))
                events |= EV_TXEMPTY;
            return ERROR_SUCCESS;
        }
        DWORD ignored = 0;
        const BOOL done = GetOverlappedResult(m_port, &m_commWait, &ignored, FALSE);
        m_commWaiting = false;
        if (!done && IsGone(GetLastError()))
            return ERROR_IO_DEVICE;
        // Received bytes are reported when they are taken, at the top of the loop.
        events |= m_commEvents & m_mask & ~(EV_RXCHAR | EV_RXFLAG);
        if (events & EV_ERR) {
            DWORD errors = 0;
            ClearCommError(m_port, &errors, nullptr);
            m_errors |= errors;
        }
        if (events != 0)
            return ERROR_SUCCESS;
    }
}

uint32_t Win32SerialDevice::ClearErrors(uint32_t& errors)
{
    DWORD driverErrors = 0;
    COMSTAT status{};
    const BOOL done = ClearCommError(m_port, &driverErrors, &status);
    errors = m_errors.exchange(0) | (done ? driverErrors : 0);
    if (m_gone)
        errors |= CE_IOE;
    return ERROR_SUCCESS;
}

uint32_t Win32SerialDevice::SetReadBlocking(bool blocking)
{
    m_blocking = blocking;
    return ERROR_SUCCESS;
}

std::size_t Win32SerialDevice::TakeFromQueue(std::span<uint8_t> buffer)
{
    const std::size_t count = std::min(buffer.size(), m_input.size());
    std::copy_n(m_input.begin(), count, buffer.begin());
    m_input.erase(m_input.begin(), m_input.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

uint32_t Win32SerialDevice::Read(std::span<uint8_t> buffer, std::size_t& bytesRead,
                                 uint32_t timeoutMs)
{
    bytesRead = 0;
    const bool blocking = m_blocking;
    std::lock_guard lock(m_inputLock);
    bytesRead = TakeFromQueue(buffer);
    if (bytesRead == buffer.size() || (!blocking && bytesRead > 0))
        return ERROR_SUCCESS;
    if (m_gone)
        return ERROR_IO_DEVICE;
    // Under the lock, so the event wait reads nothing beside this and the bytes keep their
    // order. A read without waiting is bounded as the event thread's is: wine's serial layer
    // was seen to leave such a read pending for good, and the window that called it then hung
    // with the input lock, the event thread behind it.
    const std::span<uint8_t> rest = buffer.subspan(bytesRead);
    DWORD got = 0;
    uint32_t result = ERROR_SUCCESS;
    if (!blocking) {
        result = ReadAtOnce(rest.data(), static_cast<DWORD>(rest.size()), got);
    } else {
        COMMTIMEOUTS timeouts = WholeCount(timeoutMs);
        if (!SetCommTimeouts(m_port, &timeouts))
            return GetLastError();
        OVERLAPPED request{};
        request.hEvent = m_readEvent;
        ResetEvent(request.hEvent);
        if (!ReadFile(m_port, rest.data(), static_cast<DWORD>(rest.size()), nullptr, &request) &&
            GetLastError() != ERROR_IO_PENDING)
            result = GetLastError();
        else
            result = AwaitRequest(m_port, request, got, nullptr, INFINITE);
    }
    bytesRead += got;
    if (result != ERROR_SUCCESS) {
        m_gone = IsGone(result);
        return m_gone ? ERROR_IO_DEVICE : result;
    }
    return blocking && bytesRead < buffer.size() ? ERROR_TIMEOUT : ERROR_SUCCESS;
}

std::chrono::microseconds Win32SerialDevice::CharacterTime() const
{
    return std::chrono::microseconds(m_characterMicros.load());
}

uint32_t Win32SerialDevice::Write(std::span<const uint8_t> bytes, std::size_t& bytesWritten,
                                  uint32_t timeoutMs)
{
    bytesWritten = 0;
    if (bytes.empty())
        return ERROR_SUCCESS;
    if (m_writeCancelled.exchange(false)) {
        ResetEvent(m_cancel);
        return ERROR_OPERATION_ABORTED;
    }
    const auto flowBound =
        std::chrono::duration_cast<std::chrono::milliseconds>(CharacterTime() * bytes.size()) +
        std::chrono::milliseconds(m_writeGraceMs.load());
    DWORD waitMs = static_cast<DWORD>(std::min<int64_t>(flowBound.count(), MAXDWORD - 1));
    if (timeoutMs != INFINITE)
        waitMs = std::min<DWORD>(waitMs, timeoutMs);

    OVERLAPPED request{};
    request.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!request.hEvent)
        return GetLastError();
    DWORD put = 0;
    uint32_t result = ERROR_SUCCESS;
    if (!WriteFile(m_port, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &request) &&
        GetLastError() != ERROR_IO_PENDING)
        result = GetLastError();
    else
        result = AwaitRequest(m_port, request, put, m_cancel, waitMs);
    CloseHandle(request.hEvent);
    bytesWritten = put;
    if (result == ERROR_TIMEOUT || result == ERROR_OPERATION_ABORTED) {
        // What the driver still holds of an unfinished write is dropped, so it cannot leave
        // later, when the far end no longer expects it.
        PurgeComm(m_port, PURGE_TXABORT | PURGE_TXCLEAR);
        if (result == ERROR_OPERATION_ABORTED) {
            m_writeCancelled = false;
            ResetEvent(m_cancel);
        }
        return result;
    }
    if (result != ERROR_SUCCESS)
        return IsGone(result) ? ERROR_IO_DEVICE : result;
    if (m_mask & EV_TXEMPTY) {
        m_txPending = true;
        SetEvent(m_wake);
    }
    return ERROR_SUCCESS;
}

void Win32SerialDevice::SetWriteGrace(std::chrono::milliseconds grace)
{
    m_writeGraceMs = grace.count();
}

void Win32SerialDevice::CancelWrite()
{
    m_writeCancelled = true;
    SetEvent(m_cancel);
}

void Win32SerialDevice::ClearWriteCancel()
{
    m_writeCancelled = false;
    ResetEvent(m_cancel);
}

uint32_t Win32SerialDevice::GetModemStatus(uint32_t& status)
{
    DWORD bits = 0;
    if (!GetCommModemStatus(m_port, &bits))
        return GetLastError();
    status = bits & (MS_CTS_ON | MS_DSR_ON | MS_RING_ON | MS_RLSD_ON);
    return ERROR_SUCCESS;
}

uint32_t Win32SerialDevice::SetBreak(bool on)
{
    return Checked(on ? SetCommBreak(m_port) : ClearCommBreak(m_port));
}

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::filesystem::path& path,
                                               PortOpenError& error)
{
    error = {};
    auto refuse = [&error](uint32_t code) -> std::unique_ptr<SerialDevice> {
        error = {code, static_cast<int>(code), SystemMessage(code)};
        return nullptr;
    };
    if (const DWORD refusal = RefuseNonPortName(path); refusal != ERROR_SUCCESS)
        return refuse(refusal);
    // No sharing: a port another program holds answers ERROR_ACCESS_DENIED, as on Windows.
    const HANDLE port = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return refuse(GetLastError());
    auto device = std::make_unique<Win32SerialDevice>(port);
    if (const uint32_t code = device->Initialise(); code != ERROR_SUCCESS)
        return refuse(code);
    return device;
}

} // namespace wirevane::platform
