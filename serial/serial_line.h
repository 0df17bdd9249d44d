#pragma once

#include "platform/serial_codes.h"
#include "platform/serial_device.h"

#include <cstdint>
#include <optional>

namespace wirevane {

class CSerial;

// Everything a port keeps about its line: rate and character format, flow control, the event
// character and the watched events.
struct SerialLine {
    platform::LineSettings settings;
    uint32_t handshake = HandshakeOff;
    uint32_t eventMask = 0;
    uint8_t eventCharacter = 0;

    bool operator==(const SerialLine&) const = default;
};

// The parts of a line in the order a change sets them.
enum class LinePart { Settings, Handshake, EventCharacter, EventMask };

struct LineRefusal {
    LinePart part = LinePart::Settings;
    uint32_t error = 0;
};

// The open port's whole line as it reads back now; none when the port cannot be asked.
std::optional<SerialLine> ReadSerialLine(CSerial& port);

// Puts a whole line on the open port as one change: every part is set, the line is read back
// and compared, and on a refusal or a mismatch the port gets back the line it had, so a refused
// value never leaves it half-changed. None when the port took the line; otherwise the first part
// refused (or read back otherwise, ERROR_INVALID_PARAMETER) and its error.
std::optional<LineRefusal> ChangeSerialLine(CSerial& port, const SerialLine& wanted);

} // namespace wirevane
