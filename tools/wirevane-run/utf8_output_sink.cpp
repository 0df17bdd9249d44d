#include "tools/wirevane-run/utf8_output_sink.h"

#include "platform/utf_text.h"
#include "tools/wirevane-run/control_pictures.h"

#include <cerrno>

namespace wirevane::runner {

namespace {

// A terminal's stream is line-buffered by default and would be written at every line end.
constexpr std::size_t kStreamBufferBytes = 64 * 1024;

} // namespace

Utf8OutputSink::Utf8OutputSink(std::FILE* stream, bool localEcho, bool controlPictures)
    : m_stream(stream), m_localEcho(localEcho), m_controlPictures(controlPictures)
{
    std::setvbuf(m_stream, nullptr, _IOFBF, kStreamBufferBytes);
}

void Utf8OutputSink::AppendText(std::u16string_view text)
{
    if (m_controlPictures) {
        m_pictured.clear();
        AppendWithControlPictures(text, m_pictured);
        text = m_pictured;
    }
    m_buffer.clear();
    platform::AppendUtf8(text, m_buffer);
    if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_stream) != m_buffer.size())
        NoteFailure(errno);
}

void Utf8OutputSink::Flush()
{
    if (std::fflush(m_stream) != 0)
        NoteFailure(errno);
}

void Utf8OutputSink::NoteFailure(int error)
{
    if (m_writeError == 0 && error != EPIPE)
        m_writeError = error != 0 ? error : EIO;
}

} // namespace wirevane::runner
