#include "serial/serial_mfc.h"

namespace wirevane {

CSerialMFC::CSerialMFC(CallPoster postToOwner) : m_postToOwner(std::move(postToOwner)) {}

CSerialMFC::~CSerialMFC()
{
    CSerialMFC::Close();
}

uint32_t CSerialMFC::Open(const std::u16string& path,
                          std::unique_ptr<platform::MessageTarget> window, uint32_t message,
                          intptr_t messageParam, uint32_t inputQueueSize, uint32_t outputQueueSize)
{
    if (IsOpen()) {
        m_lastError = ERROR_ALREADY_INITIALIZED;
        return ERROR_ALREADY_INITIALIZED;
    }
    m_target = std::move(window);
    const uint32_t error = CSerialWnd::Open(path, m_target.get(), message, messageParam,
                                            inputQueueSize, outputQueueSize);
    if (!IsOpen())
        m_target.reset();
    else
        m_writer = std::make_unique<SerialWriter>(*m_handle);
    return error;
}

uint32_t CSerialMFC::Close()
{
    // Joined before the device goes; what it still held ends as cancelled.
    m_writer.reset();
    const uint32_t result = CSerialWnd::Close();
    m_target.reset();
    return result;
}

uint32_t CSerialMFC::QueueWrite(std::span<const uint8_t> bytes, WriteDone done)
{
    // A row that awaits its answer is written after the wait is set up, so the owner's loop
    // watches for the answer before it can come.
    FollowOwnerAwaiting();
    m_lastError = ERROR_SUCCESS;
    if (!m_writer) {
        if (done)
            done(ERROR_INVALID_HANDLE);
        return Fail(ERROR_INVALID_HANDLE);
    }
    // What the idle line took at once needs neither a copy nor a hand-over to the writer thread.
    const SerialWriter::Handed handed = m_writer->WriteIfIdle(bytes);
    if (handed.idle && (handed.error != 0 || handed.written == bytes.size())) {
        if (done)
            done(handed.error);
        return handed.error != 0 ? Fail(handed.error) : ERROR_SUCCESS;
    }
    m_writer->Queue({bytes.begin() + static_cast<std::ptrdiff_t>(handed.written), bytes.end()},
                    [post = m_postToOwner, done](uint32_t error) {
                        if (done)
                            post([done, error] { done(error); });
                    });
    return ERROR_SUCCESS;
}

std::size_t CSerialMFC::BytesNotOut()
{
    return m_writer ? m_writer->BytesNotOut() : 0;
}

void CSerialMFC::CancelWrites()
{
    if (m_writer)
        m_writer->CancelAll();
}

} // namespace wirevane
