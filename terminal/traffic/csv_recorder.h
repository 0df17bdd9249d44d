#pragma once

#include "core/measurement.h"
#include "terminal/traffic/log_file.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace wirevane {

// Readings as CSV that spreadsheet programs on both systems read: UTF-8 with no byte-order mark,
// CR LF line ends, one reading a line:
//   time,elapsed_s,series,value,unit,mode,reading
//   2026-12-08T19:32:24.123+09:00,0.000,meter,-0.01234,V,AC,AC -12.34 mV
// time in local time with milliseconds and the UTC offset; elapsed_s since the first reading;
// value in SI base units, empty for over-range; text fields quoted where CSV requires it.
std::string CsvHeaderLine();
std::string CsvLine(const Measurement& m, std::chrono::system_clock::time_point first);

// Writes each reading as it comes, gathered and flushed as the traffic log is: the owner calls
// FlushIfDue at least every LogFile::kFlushInterval, so a killed program loses at most about
// twice that. The first write error closes the file; failure() says why.
class CsvRecorder : public MeasurementSink {
public:
    // Creates or replaces the file and writes the header. The file is made as saved files are:
    // a device, a FIFO or a link that names nothing is refused, and left as it was. An error
    // text, empty on success.
    std::u16string Open(const std::filesystem::path& path);
    void Close();
    bool IsOpen() const { return m_file.IsOpen(); }
    void AddMeasurement(const Measurement& m) override;
    void FlushIfDue(LogFile::Clock::time_point now = LogFile::Clock::now());

    const std::optional<platform::FileError>& failure() const { return m_file.failure(); }

private:
    LogFile m_file;
    std::optional<std::chrono::system_clock::time_point> m_first;
};

// Saves what a chart holds in one write, elapsed_s counted from the first of them, with the same
// file rules as CsvRecorder::Open. An error text, empty on success.
std::u16string SaveCsv(const std::filesystem::path& path, std::span<const Measurement> all);

} // namespace wirevane
