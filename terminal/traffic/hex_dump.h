#pragma once

#include "terminal/traffic/traffic_tap.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace wirevane {

// One line of the traffic's hex dump:
//   "RX 00000010  48 65 6C 6C 6F 0D 0A 41  42 43                    Hello..ABC"
// the direction, the offset of the line's first byte among the bytes of that direction, up
// to 16 bytes in hex (a wider gap after the eighth) and the same bytes as text, with a dot for
// each byte that is not printable ASCII.
struct HexLine {
    TrafficDirection direction;
    std::u16string text;
};

std::u16string FormatHexLine(TrafficDirection direction, uint64_t offset,
                             std::span<const uint8_t> bytes);

// Turns the traffic into hex dump lines as it comes. A line holds bytes of one direction only:
// a change of direction ends the line, so what was sent and what came back are never mixed.
// The last line given may still be filling; the next feed then gives it again, grown.
class HexDump {
public:
    static constexpr std::size_t kBytesPerLine = 16;

    struct Update {
        // The first line replaces the last line of the update before.
        bool replacesLast = false;
        std::vector<HexLine> lines;
    };

    Update Feed(TrafficDirection direction, std::span<const uint8_t> bytes);
    void Clear();

private:
    static std::size_t Index(TrafficDirection direction)
    {
        return direction == TrafficDirection::Received ? 0 : 1;
    }

    std::optional<TrafficDirection> m_direction;
    std::array<uint64_t, 2> m_offsets{};
    // The open line's bytes and its offset.
    std::vector<uint8_t> m_line;
    uint64_t m_lineOffset = 0;
};

} // namespace wirevane
