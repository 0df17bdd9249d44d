#include "tools/wirevane-sim/meter_frame.h"

#include <array>
#include <cctype>
#include <sstream>
#include <vector>

namespace wirevane::sim {

namespace {

// Seven-segment patterns, segment a = 1 ... g = 64.
constexpr int kDigitSegments[] = {63, 6, 91, 79, 102, 109, 125, 7, 127, 111};
constexpr int kLetterL = 56;

struct Nibbles {
    std::array<int, 14> low{};
    void Set(int byte, int bit) { low[static_cast<std::size_t>(byte)] |= 1 << bit; }
};

void PutDigit(Nibbles& frame, int position, int segments)
{
    const int p = 1 + 2 * position;
    const int q = 2 + 2 * position;
    const auto has = [segments](int bit) { return (segments & bit) != 0; };
    if (has(1)) // a
        frame.Set(p, 0);
    if (has(32)) // f
        frame.Set(p, 1);
    if (has(16)) // e
        frame.Set(p, 2);
    if (has(2)) // b
        frame.Set(q, 0);
    if (has(64)) // g
        frame.Set(q, 1);
    if (has(4)) // c
        frame.Set(q, 2);
    if (has(8)) // d
        frame.Set(q, 3);
}

// Digits and the position of the point (0: none, else before that digit), or false.
bool PutNumber(Nibbles& frame, std::string number)
{
    if (number == "OL") {
        PutDigit(frame, 1, kDigitSegments[0]);
        PutDigit(frame, 2, kLetterL);
        return true;
    }
    if (!number.empty() && number.front() == '-') {
        frame.Set(1, 3);
        number.erase(0, 1);
    }
    std::string digits;
    int pointAfter = -1; // digits before the point
    for (char c : number) {
        if (c == '.' && pointAfter < 0)
            pointAfter = static_cast<int>(digits.size());
        else if (std::isdigit(static_cast<unsigned char>(c)))
            digits.push_back(c);
        else
            return false;
    }
    if (digits.empty() || digits.size() > 4)
        return false;
    const int padding = 4 - static_cast<int>(digits.size());
    digits.insert(0, static_cast<std::size_t>(padding), '0');
    for (int k = 0; k < 4; ++k)
        PutDigit(frame, k, kDigitSegments[digits[static_cast<std::size_t>(k)] - '0']);
    if (pointAfter >= 0 && pointAfter < static_cast<int>(digits.size()) - padding) {
        const int before = pointAfter + padding;
        if (before < 1 || before > 3)
            return false;
        frame.Set(1 + 2 * before, 3);
    }
    return true;
}

bool PutUnit(Nibbles& frame, std::string unit)
{
    if (unit.size() > 1 && unit != "ohm" && unit != "Hz") {
        switch (unit.front()) {
        case 'n':
            frame.Set(9, 2);
            break;
        case 'u':
            frame.Set(9, 3);
            break;
        case 'm':
            frame.Set(10, 3);
            break;
        case 'k':
            frame.Set(9, 1);
            break;
        case 'M':
            frame.Set(10, 1);
            break;
        default:
            return false;
        }
        unit.erase(0, 1);
    }
    if (unit == "V")
        frame.Set(12, 2);
    else if (unit == "A")
        frame.Set(12, 3);
    else if (unit == "ohm")
        frame.Set(11, 2);
    else if (unit == "F")
        frame.Set(11, 3);
    else if (unit == "Hz")
        frame.Set(12, 1);
    else if (unit == "%")
        frame.Set(10, 2);
    else
        return false;
    return true;
}

std::vector<std::string> Words(std::string_view text)
{
    std::istringstream words{std::string(text)};
    std::vector<std::string> parts;
    for (std::string word; words >> word;)
        parts.push_back(word);
    return parts;
}

// A number as a count of its last digit's steps, and how many decimals it has.
struct Fixed {
    long long steps = 0;
    int decimals = 0;
};

std::optional<Fixed> ParseFixed(std::string_view text)
{
    Fixed fixed;
    bool negative = false;
    bool point = false;
    bool digits = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i == 0 && c == '-') {
            negative = true;
        } else if (c == '.' && !point) {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c)) && fixed.steps < 100000) {
            fixed.steps = fixed.steps * 10 + (c - '0');
            fixed.decimals += point ? 1 : 0;
            digits = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    fixed.steps = negative ? -fixed.steps : fixed.steps;
    return fixed;
}

std::string FormatFixed(long long steps, int decimals)
{
    std::string digits = std::to_string(steps < 0 ? -steps : steps);
    if (decimals > 0) {
        if (digits.size() <= static_cast<std::size_t>(decimals))
            digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
    }
    return (steps < 0 ? "-" : "") + digits;
}

} // namespace

std::vector<std::string> MeterSweepFrames(std::string_view reading, std::string_view from,
                                          std::string_view to)
{
    std::optional<Fixed> first = ParseFixed(from);
    std::optional<Fixed> last = ParseFixed(to);
    std::vector<std::string> parts = Words(reading);
    const std::size_t number = !parts.empty() && (parts[0] == "AC" || parts[0] == "DC") ? 1 : 0;
    // The display has four digits: more decimals than that cannot be shown.
    if (!first || !last || number >= parts.size() || first->decimals > 4 || last->decimals > 4)
        return {};
    // Both ends counted in the finer one's steps.
    while (first->decimals < last->decimals) {
        first->steps *= 10;
        ++first->decimals;
    }
    while (last->decimals < first->decimals) {
        last->steps *= 10;
        ++last->decimals;
    }
    const long long direction = last->steps >= first->steps ? 1 : -1;
    std::vector<std::string> frames;
    for (long long steps = first->steps;; steps += direction) {
        parts[number] = FormatFixed(steps, first->decimals);
        std::string text;
        for (const std::string& part : parts)
            text += (text.empty() ? "" : " ") + part;
        const std::optional<std::string> frame = MeterFrame(text);
        if (!frame)
            return {};
        frames.push_back(*frame);
        if (steps == last->steps)
            return frames;
    }
}

std::optional<std::string> MeterFrame(std::string_view reading)
{
    const std::vector<std::string> parts = Words(reading);
    Nibbles frame;
    std::size_t next = 0;
    if (next < parts.size() && (parts[next] == "AC" || parts[next] == "DC")) {
        frame.Set(0, parts[next] == "AC" ? 3 : 2);
        ++next;
    }
    if (next >= parts.size() || !PutNumber(frame, parts[next++]))
        return std::nullopt;
    if (next < parts.size() && !PutUnit(frame, parts[next++]))
        return std::nullopt;
    if (next != parts.size())
        return std::nullopt;
    std::string bytes;
    for (int k = 0; k < 14; ++k)
        bytes.push_back(static_cast<char>(((k + 1) << 4) | frame.low[static_cast<std::size_t>(k)]));
    return bytes;
}

} // namespace wirevane::sim
