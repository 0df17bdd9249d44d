#include "serial/serial_line.h"

#include "serial/serial.h"

namespace wirevane {

namespace {

// Sets every part in order; the first refusal stops it.
std::optional<LineRefusal> SetParts(CSerial& port, const SerialLine& line)
{
    const platform::LineSettings& s = line.settings;
    if (const uint32_t error = port.SetLineSettings(s.baudRate, s.dataBits, s.parity, s.stopBits))
        return LineRefusal{LinePart::Settings, error};
    if (const uint32_t error = port.SetHandshake(line.handshake))
        return LineRefusal{LinePart::Handshake, error};
    // The mask is a part of its own; the character must not add its event to it.
    if (const uint32_t error = port.SetEventCharacter(line.eventCharacter, false))
        return LineRefusal{LinePart::EventCharacter, error};
    if (const uint32_t error = port.SetEventMask(line.eventMask))
        return LineRefusal{LinePart::EventMask, error};
    return std::nullopt;
}

LinePart FirstDifference(const SerialLine& a, const SerialLine& b)
{
    if (a.settings != b.settings)
        return LinePart::Settings;
    if (a.handshake != b.handshake)
        return LinePart::Handshake;
    return a.eventCharacter != b.eventCharacter ? LinePart::EventCharacter : LinePart::EventMask;
}

} // namespace

std::optional<SerialLine> ReadSerialLine(CSerial& port)
{
    SerialLine line;
    if (port.ReadLineSettings(line.settings) != 0)
        return std::nullopt;
    line.handshake = port.GetHandshake();
    if (line.handshake == kQueryFailed)
        return std::nullopt;
    line.eventMask = port.GetEventMask();
    line.eventCharacter = port.GetEventCharacter();
    return line;
}

std::optional<LineRefusal> ChangeSerialLine(CSerial& port, const SerialLine& wanted)
{
    const std::optional<SerialLine> before = ReadSerialLine(port);
    if (!before)
        return LineRefusal{LinePart::Settings, port.GetLastErrorCode()};
    std::optional<LineRefusal> refusal = SetParts(port, wanted);
    if (!refusal) {
        const std::optional<SerialLine> after = ReadSerialLine(port);
        if (after == wanted)
            return std::nullopt;
        refusal = after ? LineRefusal{FirstDifference(*after, wanted), ERROR_INVALID_PARAMETER}
                        : LineRefusal{LinePart::Settings, port.GetLastErrorCode()};
    }
    // Putting back what the port had: its own values, which it took before.
    SetParts(port, *before);
    return refusal;
}

} // namespace wirevane
