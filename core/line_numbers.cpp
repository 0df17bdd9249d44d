#include "core/line_numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace wirevane {

namespace {

struct FoundNumber {
    std::string series;
    double value;
    std::string_view text;
};

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r' || c == '\n';
}

bool IsMarker(char c)
{
    return c == ':' || c == '=';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool EqualsIgnoringCase(std::string_view text, std::string_view lower)
{
    return std::equal(text.begin(), text.end(), lower.begin(), lower.end(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

enum class NumberKind { None, Finite, NotFinite };

struct ParsedToken {
    NumberKind kind = NumberKind::None;
    double value = 0.0;
};

// A token is a number when it starts like one (a digit, or a sign or point before one) and what
// follows the number has no digits; or when it is a spelled-out NaN or infinity, which holds
// its column but is not kept.
ParsedToken ParseToken(std::string_view token)
{
    std::string_view body = token;
    if (!body.empty() && (body.front() == '+' || body.front() == '-'))
        body.remove_prefix(1);
    if (EqualsIgnoringCase(body, "nan") || EqualsIgnoringCase(body, "inf") ||
        EqualsIgnoringCase(body, "infinity"))
        return {NumberKind::NotFinite, 0.0};
    const bool startsNumeric =
        !body.empty() &&
        (IsDigit(body.front()) || (body.front() == '.' && body.size() > 1 && IsDigit(body[1])));
    if (!startsNumeric)
        return {};
    // from_chars takes a minus but no plus.
    const char* first = token.front() == '+' ? token.data() + 1 : token.data();
    const char* last = token.data() + token.size();
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::invalid_argument)
        return {};
    if (std::any_of(end, last, [](char c) { return IsDigit(c) || c == '.'; }))
        return {};
    if (error == std::errc::result_out_of_range || !std::isfinite(value))
        return {NumberKind::NotFinite, 0.0};
    return {NumberKind::Finite, value};
}

std::vector<FoundNumber> FindNumbers(std::string_view line)
{
    std::vector<FoundNumber> found;
    std::string_view label;
    std::size_t column = 0;
    std::size_t i = 0;
    while (i < line.size() && column < kMaxLineNumbers) {
        if (IsSeparator(line[i])) {
            ++i;
            continue;
        }
        if (IsMarker(line[i])) {
            label = {};
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && !IsSeparator(line[end]) && !IsMarker(line[end]))
            ++end;
        const std::string_view token = line.substr(i, end - i);
        std::size_t next = end;
        while (next < line.size() && (line[next] == ' ' || line[next] == '\t'))
            ++next;
        const ParsedToken parsed = ParseToken(token);
        if (parsed.kind == NumberKind::None && next < line.size() && IsMarker(line[next])) {
            label = token.size() <= kMaxLabelBytes ? token : std::string_view{};
            i = next + 1;
            continue;
        }
        i = end;
        if (parsed.kind == NumberKind::None) {
            label = {};
            continue;
        }
        ++column;
        if (parsed.kind == NumberKind::Finite)
            found.push_back(
                {label.empty() ? std::to_string(column) : std::string(label), parsed.value, token});
        label = {};
    }
    return found;
}

} // namespace

std::vector<LineNumber> ParseLineNumbers(std::string_view line)
{
    std::vector<LineNumber> numbers;
    for (FoundNumber& number : FindNumbers(line))
        numbers.push_back({std::move(number.series), number.value});
    return numbers;
}

std::vector<Measurement> MeasurementsFromLine(std::string_view line,
                                              std::chrono::system_clock::time_point time)
{
    std::vector<Measurement> measurements;
    for (FoundNumber& number : FindNumbers(line)) {
        Measurement m;
        m.time = time;
        m.series = std::move(number.series);
        m.value = number.value;
        m.reading = std::string(number.text);
        measurements.push_back(std::move(m));
    }
    return measurements;
}

} // namespace wirevane
