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

} // namespace

std::optional<std::string> MeterFrame(std::string_view reading)
{
    std::istringstream words{std::string(reading)};
    std::vector<std::string> parts;
    for (std::string word; words >> word;)
        parts.push_back(word);
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
