#include "tools/wirevane-sim/sim_text.h"

#include <cctype>

namespace wirevane::sim {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::string> UnescapeText(std::string_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes.push_back(text[i]);
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case 'r':
            bytes.push_back('\r');
            break;
        case 'n':
            bytes.push_back('\n');
            break;
        case 't':
            bytes.push_back('\t');
            break;
        case '0':
            bytes.push_back('\0');
            break;
        case '\\':
            bytes.push_back('\\');
            break;
        case 'x': {
            if (i + 2 >= text.size())
                return std::nullopt;
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return std::nullopt;
            bytes.push_back(static_cast<char>(high * 16 + low));
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return bytes;
}

std::optional<std::string> ParseHex(std::string_view text)
{
    std::string bytes;
    int high = -1;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) && high < 0)
            continue;
        const int value = HexValue(c);
        if (value < 0)
            return std::nullopt;
        if (high < 0) {
            high = value;
        } else {
            bytes.push_back(static_cast<char>(high * 16 + value));
            high = -1;
        }
    }
    if (high >= 0)
        return std::nullopt;
    return bytes;
}

std::string HexLine(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string line;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (!line.empty())
            line.push_back(' ');
        line.push_back(digits[b >> 4]);
        line.push_back(digits[b & 15]);
    }
    return line;
}

} // namespace wirevane::sim
