#include "chart/model/series_limits.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace wirevane::chart {

namespace {

std::string Escaped(std::string_view name)
{
    std::string out;
    for (const char c : name) {
        if (c == '%' || c == ',' || c == ';') {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= text.size())
            return std::nullopt;
        const auto [end, error] =
            std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (error != std::errc() || end != text.data() + i + 3)
            return std::nullopt;
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

std::string NumberText(const std::optional<double>& value)
{
    if (!value)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", *value);
    return text;
}

// Empty is unset; anything but a finite number makes the entry unreadable.
bool ReadNumber(std::string_view text, std::optional<double>& value)
{
    if (text.empty())
        return true;
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(number))
        return false;
    value = number;
    return true;
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

} // namespace

std::string LimitsText(const LimitsBySeries& limits)
{
    std::string text;
    for (const auto& [series, limit] : limits) {
        if (!limit.set())
            continue;
        if (!text.empty())
            text += ';';
        text += Escaped(series) + ',' + NumberText(limit.low) + ',' + NumberText(limit.high);
    }
    return text;
}

LimitsBySeries ParseLimitsText(std::string_view text)
{
    LimitsBySeries limits;
    for (const std::string_view entry : Split(text, ';')) {
        const std::vector<std::string_view> fields = Split(entry, ',');
        if (fields.size() != 3)
            continue;
        const std::optional<std::string> series = Unescaped(fields[0]);
        SeriesLimits limit;
        if (!series || series->empty() || !ReadNumber(fields[1], limit.low) ||
            !ReadNumber(fields[2], limit.high) || !limit.set())
            continue;
        limits[*series] = limit;
    }
    return limits;
}

} // namespace wirevane::chart
