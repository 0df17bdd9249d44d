#pragma once

#include "platform/file_error.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace wirevane::runner {

// The timing of one run, one entry per row of the table that was sent, however often: its
// bytes, the write and answer times of its last sending, and how many sendings there were,
// how many were answered and their shortest, longest and mean turnaround. A run that repeats
// for a week keeps as many entries as a single pass. Times are microseconds on a monotonic
// clock, counted from the program's start.
class TimingReport {
public:
    struct Row {
        int index = 0;
        std::vector<uint8_t> bytes;
        int64_t writtenUs = 0;
        std::optional<int64_t> answeredUs;
        int64_t sent = 0;
        int64_t answered = 0;
        int64_t turnaroundMinUs = 0;
        int64_t turnaroundMaxUs = 0;
        int64_t turnaroundSumUs = 0;
        // The last check of a row with an expected answer, texts in UTF-8.
        struct Check {
            std::string expect;
            bool passed = false;
            std::vector<uint8_t> received;
            std::string receivedText;
        };
        std::optional<Check> check;
    };

    // startedUtc: the wall-clock start, as text, so a report can be matched with other logs.
    explicit TimingReport(std::string startedUtc = {});

    void RowWritten(int index, std::span<const uint8_t> bytes, int64_t writtenUs);
    // The awaited byte of the last row written arrived; a second answer to the same sending is
    // ignored.
    void AwaitedByteArrived(int64_t arrivedUs);
    // The verdict on the answer to the last sending of the row.
    void RowChecked(int index, Row::Check check);

    // In the order the rows were first sent.
    const std::vector<Row>& rows() const { return m_rows; }

    std::string ToJson() const;
    // Written whole or not at all: an existing report is replaced only by a complete one.
    platform::FileError WriteTo(const std::filesystem::path& file) const;

private:
    std::string m_startedUtc;
    std::vector<Row> m_rows;
    // The entry of the sending an answer belongs to; none once it was answered.
    std::optional<std::size_t> m_awaiting;
};

} // namespace wirevane::runner
