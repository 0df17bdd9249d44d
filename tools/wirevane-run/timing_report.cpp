#include "tools/wirevane-run/timing_report.h"

#include "platform/atomic_file.h"

#include <string_view>

namespace wirevane::runner {

namespace {

void AppendHex(std::string& out, std::span<const uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (uint8_t byte : bytes) {
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0x0F];
    }
}

// The start time is made by the program, but a report must stay valid JSON whatever it holds.
void AppendJsonString(std::string& out, std::string_view text)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    out += '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kDigits[byte >> 4];
            out += kDigits[byte & 0x0F];
        } else {
            out += c;
        }
    }
    out += '"';
}

} // namespace

TimingReport::TimingReport(std::string startedUtc) : m_startedUtc(std::move(startedUtc)) {}

void TimingReport::RowWritten(int index, std::span<const uint8_t> bytes, int64_t writtenUs)
{
    m_rows.push_back(Row{index, {bytes.begin(), bytes.end()}, writtenUs, std::nullopt});
}

void TimingReport::AwaitedByteArrived(int64_t arrivedUs)
{
    if (m_rows.empty() || m_rows.back().answeredUs)
        return;
    m_rows.back().answeredUs = arrivedUs;
}

std::string TimingReport::ToJson() const
{
    std::string out = "{\n  \"started_utc\": ";
    AppendJsonString(out, m_startedUtc);
    out += ",\n  \"rows\": [";
    bool first = true;
    for (const Row& row : m_rows) {
        out += first ? "\n" : ",\n";
        first = false;
        out += "    {\"index\": " + std::to_string(row.index) + ", \"bytes\": \"";
        AppendHex(out, row.bytes);
        out += "\", \"written_us\": " + std::to_string(row.writtenUs);
        if (row.answeredUs) {
            out += ", \"answered_us\": " + std::to_string(*row.answeredUs);
            out += ", \"turnaround_us\": " + std::to_string(*row.answeredUs - row.writtenUs);
        } else {
            out += ", \"answered_us\": null, \"turnaround_us\": null";
        }
        out += '}';
    }
    out += first ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

platform::FileError TimingReport::WriteTo(const std::filesystem::path& file) const
{
    const std::string json = ToJson();
    return platform::ReplaceFileAtomically(
        file, std::span(reinterpret_cast<const uint8_t*>(json.data()), json.size()));
}

} // namespace wirevane::runner
