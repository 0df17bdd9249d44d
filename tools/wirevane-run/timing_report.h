#pragma once

#include "platform/file_error.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace wirevane::runner {

// The per-row timing of one run: for each row sent, its bytes, when the last of them was handed
// to the port and, for a row that waits, when the awaited byte came. Times are microseconds on a
// monotonic clock, counted from the program's start.
class TimingReport {
public:
    struct Row {
        int index = 0;
        std::vector<uint8_t> bytes;
        int64_t writtenUs = 0;
        std::optional<int64_t> answeredUs;
    };

    // startedUtc: the wall-clock start, as text, so a report can be matched with other logs.
    explicit TimingReport(std::string startedUtc = {});

    void RowWritten(int index, std::span<const uint8_t> bytes, int64_t writtenUs);
    // The awaited byte of the last row written arrived; a second answer to the same row is
    // ignored.
    void AwaitedByteArrived(int64_t arrivedUs);

    const std::vector<Row>& rows() const { return m_rows; }

    std::string ToJson() const;
    // Written whole or not at all: an existing report is replaced only by a complete one.
    platform::FileError WriteTo(const std::filesystem::path& file) const;

private:
    std::string m_startedUtc;
    std::vector<Row> m_rows;
};

} // namespace wirevane::runner
