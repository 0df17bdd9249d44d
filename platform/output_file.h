#pragma once

#include "platform/file_error.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace wirevane::platform {

// A file held open for writing while something is logged to it, with no buffering of its own:
// each write goes to the system at once.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens the file to add to its end, or emptied; made when it is not there.
    FileError Open(const std::filesystem::path& path, bool append);
    bool IsOpen() const { return m_handle != kClosed; }
    // Writes every byte or says why not; a device that takes nothing counts as full.
    FileError WriteAll(std::span<const uint8_t> bytes);
    FileError Close();

private:
    static constexpr intptr_t kClosed = -1;
    intptr_t m_handle = kClosed; // a descriptor on Linux, a HANDLE on Windows
};

} // namespace wirevane::platform
