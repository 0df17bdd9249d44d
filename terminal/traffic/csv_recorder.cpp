#include "terminal/traffic/csv_recorder.h"

#include "platform/atomic_file.h"
#include "platform/local_time.h"
#include "platform/utf_text.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace wirevane {

namespace {

// Days since 1970-01-01 of a civil date (H. Hinnant's algorithm), for the UTC offset.
long long DaysFromCivil(long long year, unsigned month, unsigned day)
{
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

// Millisecond counts split by floor division, so times before the epoch and negative spans keep
// 0..999 milliseconds.
struct SplitMillis {
    long long seconds;
    int millis;
};

SplitMillis Split(long long milliseconds)
{
    long long seconds = milliseconds / 1000;
    long long millis = milliseconds % 1000;
    if (millis < 0) {
        millis += 1000;
        --seconds;
    }
    return {seconds, static_cast<int>(millis)};
}

// "2026-12-08T19:32:24.123+09:00": the offset is the local fields read as UTC minus the time
// itself, which needs no call that one of the systems lacks.
std::string IsoLocalTime(std::chrono::system_clock::time_point time)
{
    using namespace std::chrono;
    const SplitMillis split = Split(duration_cast<milliseconds>(time.time_since_epoch()).count());
    const std::tm local = platform::LocalTimeOf(static_cast<std::time_t>(split.seconds));
    const long long localSeconds =
        DaysFromCivil(local.tm_year + 1900LL, static_cast<unsigned>(local.tm_mon + 1),
                      static_cast<unsigned>(local.tm_mday)) *
            86400 +
        local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec;
    const long long offsetMinutes = (localSeconds - split.seconds) / 60;
    const long long absolute = std::llabs(offsetMinutes);
    char text[48];
    const int length = std::snprintf(
        text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02lld:%02lld",
        local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
        local.tm_sec, split.millis, offsetMinutes < 0 ? '-' : '+', absolute / 60, absolute % 60);
    return std::string(text, static_cast<std::size_t>(length));
}

std::string ElapsedSeconds(std::chrono::system_clock::duration elapsed)
{
    using namespace std::chrono;
    const long long millis = duration_cast<milliseconds>(elapsed).count();
    const long long absolute = millis < 0 ? -millis : millis;
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%s%lld.%03lld", millis < 0 ? "-" : "",
                                     absolute / 1000, absolute % 1000);
    return std::string(text, static_cast<std::size_t>(length));
}

// The shortest text that reads back as the same double.
std::string ValueText(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void AppendField(std::string& line, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        line += field;
        return;
    }
    line += '"';
    for (char c : field) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

std::string_view ModeText(MeasureMode mode)
{
    switch (mode) {
    case MeasureMode::Ac:
        return "AC";
    case MeasureMode::Dc:
        return "DC";
    case MeasureMode::None:
        break;
    }
    return "";
}

std::u16string ErrorText(const platform::FileError& error)
{
    const std::string& message = error.message;
    return platform::DecodeUtf8(
        std::span(reinterpret_cast<const uint8_t*>(message.data()), message.size()));
}

std::span<const uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

} // namespace

std::string CsvHeaderLine()
{
    return "time,elapsed_s,series,value,unit,mode,reading\r\n";
}

std::string CsvLine(const Measurement& m, std::chrono::system_clock::time_point first)
{
    std::string line = IsoLocalTime(m.time);
    line += ',';
    line += ElapsedSeconds(m.time - first);
    line += ',';
    AppendField(line, m.series);
    line += ',';
    if (m.value)
        line += ValueText(*m.value);
    line += ',';
    AppendField(line, m.unit);
    line += ',';
    line += ModeText(m.mode);
    line += ',';
    AppendField(line, m.reading);
    line += "\r\n";
    return line;
}

// The header goes in through the atomic replace, which holds the rules for what may be replaced;
// once it stands, the file is a regular file and the readings are added to its end.
std::u16string CsvRecorder::Open(const std::filesystem::path& path)
{
    Close();
    m_first.reset();
    if (const platform::FileError error =
            platform::ReplaceFileAtomically(path, Bytes(CsvHeaderLine()));
        !error.ok())
        return ErrorText(error);
    if (const platform::FileError error = m_file.Open(path, true); !error.ok())
        return ErrorText(error);
    return {};
}

void CsvRecorder::Close()
{
    m_file.Close();
}

void CsvRecorder::AddMeasurement(const Measurement& m)
{
    if (!IsOpen())
        return;
    if (!m_first)
        m_first = m.time;
    m_file.Write(Bytes(CsvLine(m, *m_first)), LogFile::Clock::now());
}

void CsvRecorder::FlushIfDue(LogFile::Clock::time_point now)
{
    m_file.FlushIfDue(now);
}

std::u16string SaveCsv(const std::filesystem::path& path, std::span<const Measurement> all)
{
    std::string text = CsvHeaderLine();
    for (const Measurement& m : all)
        text += CsvLine(m, all.front().time);
    const platform::FileError error = platform::ReplaceFileAtomically(path, Bytes(text));
    return error.ok() ? std::u16string{} : ErrorText(error);
}

} // namespace wirevane
