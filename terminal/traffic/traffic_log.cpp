#include "terminal/traffic/traffic_log.h"

#include "platform/codepage.h"
#include "platform/utf_text.h"

namespace wirevane {

platform::FileError TrafficLog::Start(const LogChoice& choice)
{
    m_choice = choice;
    return m_file.Open(choice.file, choice.append);
}

platform::FileError TrafficLog::Stop()
{
    return m_file.Close();
}

bool TrafficLog::OnShown(std::u16string_view text, LogFile::Clock::time_point now)
{
    if (!running() || m_choice.content != LogChoice::ShownText || text.empty())
        return true;
    if (m_choice.encoding == LogChoice::Utf8) {
        m_buffer.clear();
        platform::AppendUtf8(text, m_buffer);
    } else {
        // As saving does: a character code page 932 lacks becomes "?", the rest is kept.
        m_buffer = platform::GetCodePage932().EncodeReplacing(text);
    }
    return m_file.Write(m_buffer, now);
}

bool TrafficLog::OnTraffic(TrafficDirection direction, std::span<const uint8_t> bytes,
                           TrafficTime time, LogFile::Clock::time_point now)
{
    if (!running() || m_choice.content != LogChoice::RawBytes || bytes.empty())
        return true;
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    const std::string stamp = LogStamp(time);
    m_buffer.assign(stamp.begin(), stamp.end());
    for (char ch : std::string_view(direction == TrafficDirection::Received ? " RX" : " TX"))
        m_buffer.push_back(static_cast<uint8_t>(ch));
    for (uint8_t byte : bytes) {
        m_buffer.push_back(' ');
        m_buffer.push_back(static_cast<uint8_t>(kHexDigits[byte >> 4]));
        m_buffer.push_back(static_cast<uint8_t>(kHexDigits[byte & 0x0F]));
    }
    m_buffer.push_back('\n');
    return m_file.Write(m_buffer, now);
}

bool TrafficLog::FlushIfDue(LogFile::Clock::time_point now)
{
    return !running() || m_file.FlushIfDue(now);
}

} // namespace wirevane
