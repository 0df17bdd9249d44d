#include "terminal/traffic/hex_dump.h"

namespace wirevane {

namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

} // namespace

std::u16string FormatHexLine(TrafficDirection direction, uint64_t offset,
                             std::span<const uint8_t> bytes)
{
    std::u16string line = direction == TrafficDirection::Received ? u"RX " : u"TX ";
    for (int shift = 28; shift >= 0; shift -= 4)
        line += kHexDigits[(offset >> shift) & 0x0F];
    line += u' ';
    for (std::size_t i = 0; i < HexDump::kBytesPerLine; ++i) {
        line += i == 8 ? u"  " : u" ";
        if (i < bytes.size()) {
            line += kHexDigits[bytes[i] >> 4];
            line += kHexDigits[bytes[i] & 0x0F];
        } else {
            line += u"  ";
        }
    }
    line += u"  ";
    for (uint8_t byte : bytes)
        line += byte >= 0x20 && byte < 0x7F ? char16_t(byte) : u'.';
    return line;
}

HexDump::Update HexDump::Feed(TrafficDirection direction, std::span<const uint8_t> bytes)
{
    Update update;
    if (bytes.empty())
        return update;
    if (m_direction != direction) {
        m_direction = direction;
        m_line.clear();
    }
    update.replacesLast = !m_line.empty();
    uint64_t& offset = m_offsets[Index(direction)];
    while (!bytes.empty()) {
        if (m_line.empty())
            m_lineOffset = offset;
        const std::size_t room = kBytesPerLine - m_line.size();
        const std::span<const uint8_t> taken = bytes.first(std::min(room, bytes.size()));
        m_line.insert(m_line.end(), taken.begin(), taken.end());
        offset += taken.size();
        bytes = bytes.subspan(taken.size());
        update.lines.push_back({direction, FormatHexLine(direction, m_lineOffset, m_line)});
        if (m_line.size() == kBytesPerLine)
            m_line.clear();
    }
    return update;
}

void HexDump::Clear()
{
    m_direction.reset();
    m_offsets = {};
    m_line.clear();
}

} // namespace wirevane
