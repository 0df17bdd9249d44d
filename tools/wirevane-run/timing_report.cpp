#include "tools/wirevane-run/timing_report.h"

#include "platform/atomic_file.h"

#include <algorithm>
#include <string_view>
#include <utility>

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

void AppendNumberOrNull(std::string& out, std::string_view name, std::optional<int64_t> value)
{
    out += ", \"";
    out += name;
    out += "\": ";
    out += value ? std::to_string(*value) : "null";
}

} // namespace

TimingReport::TimingReport(std::string startedUtc) : m_startedUtc(std::move(startedUtc)) {}

void TimingReport::RowWritten(int index, std::span<const uint8_t> bytes, int64_t writtenUs)
{
    auto entry = std::find_if(m_rows.begin(), m_rows.end(),
                              [index](const Row& row) { return row.index == index; });
    if (entry == m_rows.end()) {
        entry = m_rows.insert(m_rows.end(), Row{});
        entry->index = index;
    }
    entry->bytes.assign(bytes.begin(), bytes.end());
    entry->writtenUs = writtenUs;
    entry->answeredUs.reset();
    ++entry->sent;
    m_awaiting = static_cast<std::size_t>(entry - m_rows.begin());
}

void TimingReport::AwaitedByteArrived(int64_t arrivedUs)
{
    if (!m_awaiting)
        return;
    Row& row = m_rows[*std::exchange(m_awaiting, std::nullopt)];
    row.answeredUs = arrivedUs;
    const int64_t turnaroundUs = arrivedUs - row.writtenUs;
    row.turnaroundMinUs =
        row.answered == 0 ? turnaroundUs : std::min(row.turnaroundMinUs, turnaroundUs);
    row.turnaroundMaxUs =
        row.answered == 0 ? turnaroundUs : std::max(row.turnaroundMaxUs, turnaroundUs);
    row.turnaroundSumUs += turnaroundUs;
    ++row.answered;
}

void TimingReport::RowChecked(int index, Row::Check check)
{
    const auto entry = std::find_if(m_rows.begin(), m_rows.end(),
                                    [index](const Row& row) { return row.index == index; });
    if (entry != m_rows.end())
        entry->check = std::move(check);
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
        const bool answered = row.answered != 0;
        AppendNumberOrNull(out, "answered_us", row.answeredUs);
        AppendNumberOrNull(out, "turnaround_us",
                           row.answeredUs ? std::optional(*row.answeredUs - row.writtenUs)
                                          : std::nullopt);
        out += ", \"sent\": " + std::to_string(row.sent);
        out += ", \"answered\": " + std::to_string(row.answered);
        AppendNumberOrNull(out, "turnaround_min_us",
                           answered ? std::optional(row.turnaroundMinUs) : std::nullopt);
        AppendNumberOrNull(out, "turnaround_max_us",
                           answered ? std::optional(row.turnaroundMaxUs) : std::nullopt);
        AppendNumberOrNull(out, "turnaround_mean_us",
                           answered ? std::optional(row.turnaroundSumUs / row.answered)
                                    : std::nullopt);
        if (row.check) {
            out += ", \"expect\": ";
            AppendJsonString(out, row.check->expect);
            out += row.check->passed ? ", \"verdict\": \"pass\"" : ", \"verdict\": \"fail\"";
            out += ", \"received\": {\"hex\": \"";
            AppendHex(out, row.check->received);
            out += "\", \"text\": ";
            AppendJsonString(out, row.check->receivedText);
            out += '}';
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
