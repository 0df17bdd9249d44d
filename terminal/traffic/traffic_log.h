#pragma once

#include "terminal/traffic/log_file.h"
#include "terminal/traffic/traffic_tap.h"

#include <filesystem>
#include <string_view>

namespace wirevane {

// What a log keeps: the terminal's text as it is shown, in code page 932 (as the save command
// writes it) or UTF-8; or the raw bytes read and sent, one line per chunk:
//   "2026-12-07 23:59:01.123 RX 48 65 6C 6C 6F 0D 0A"
// its local date and time, RX or TX, and the bytes in hex.
struct LogChoice {
    enum Content { ShownText, RawBytes };
    enum Encoding { Cp932, Utf8 };

    std::filesystem::path file;
    bool append = false;
    Content content = ShownText;
    Encoding encoding = Cp932;
};

// A running log of the terminal. The owner passes it everything shown and all traffic; it keeps
// what its choice asks for. A write error stops it; failure() then says why.
class TrafficLog {
public:
    platform::FileError Start(const LogChoice& choice);
    // Writes what is gathered; the first error of the log, if any.
    platform::FileError Stop();
    bool running() const { return m_file.IsOpen(); }
    const LogChoice& choice() const { return m_choice; }

    // Each returns false when the log has just stopped on a write error.
    bool OnShown(std::u16string_view text, LogFile::Clock::time_point now);
    bool OnTraffic(TrafficDirection direction, std::span<const uint8_t> bytes, TrafficTime time,
                   LogFile::Clock::time_point now);
    bool FlushIfDue(LogFile::Clock::time_point now);

    const std::optional<platform::FileError>& failure() const { return m_file.failure(); }

private:
    LogFile m_file;
    LogChoice m_choice;
    std::vector<uint8_t> m_buffer;
};

} // namespace wirevane
