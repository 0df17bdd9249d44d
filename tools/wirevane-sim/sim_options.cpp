#include "tools/wirevane-sim/sim_options.h"

#include "tools/wirevane-sim/meter_frame.h"
#include "tools/wirevane-sim/sim_text.h"

#include <charconv>

namespace wirevane::sim {

const char* const kUsage =
    R"(Usage: wirevane-sim [MODE] [OPTIONS]
A serial device on a pseudo-terminal. The first line on stdout is the device path to open;
the port is announced to Wirevane's port list (a link in the ports folder) until exit.
Exits on SIGINT or SIGTERM; SIGUSR1 closes the port (a lost device) and exits.

Modes:
  --echo                 send back every received byte (default)
  --lines                answer each received line (ended by CR or LF; LF after CR belongs
                         to the same line end) with the reply
      --reply TEXT       the answer (default OK); \r \n \t \0 \\ \xHH are escapes
      --reply-end END    cr, lf, crlf (default) or none
      --delay MS         wait this long before answering (default 0)
  --meter                send a multimeter's 14-byte display frames
      --reading TEXT     the reading shown, e.g. "AC -12.34 V", "DC 04.71 kohm", "DC OL Mohm"
                         (default "DC 01.23 V")
      --frame HEX        the frame itself, 14 hexadecimal bytes
      --rate HZ          frames per second (default 2)
  --flood N              send N bytes as fast as the port takes them, then idle
      --byte HH          the byte value (default: counting 00, 01, ... FF, 00, ...)
  --script FILE          run the steps of FILE, one per line:
                           expect TEXT   wait until TEXT was received
                           send TEXT     send TEXT (escapes as for --reply)
                           delay MS      wait
                           close         close the port and exit
                         blank lines and lines starting with # are skipped

Options:
  --log FILE             append every received byte to FILE, unchanged
  --hex-log FILE         append each received chunk to FILE as one line "41 42 0D"
  --close-after N        close the port once N bytes were received, then exit
  --name NAME            base of the announced port name (default wvsim; NAME0, NAME1, ...)
  --ports-dir DIR        announce in DIR instead of the system's ports folder
                         ($WIREVANE_PORTS_DIR, $XDG_RUNTIME_DIR/wirevane/ports or
                         /tmp/wirevane-ports-UID)
  --no-announce          do not announce; stdout shows the /dev/pts path
  --help                 this text
)";

namespace {

template <typename Number> bool ParseNumber(const std::string& text, Number& value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

} // namespace

std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args, std::string& message)
{
    SimOptions options;
    std::string reading = "DC 01.23 V";
    bool frameGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                message = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string text;
        if (arg == "--help") {
            options.help = true;
        } else if (arg == "--echo") {
            options.mode = Mode::Echo;
        } else if (arg == "--lines") {
            options.mode = Mode::Lines;
        } else if (arg == "--meter") {
            options.mode = Mode::Meter;
        } else if (arg == "--reply") {
            if (!value(text))
                return std::nullopt;
            const auto bytes = UnescapeText(text);
            if (!bytes) {
                message = "--reply: broken escape in " + text;
                return std::nullopt;
            }
            options.reply = *bytes;
        } else if (arg == "--reply-end") {
            if (!value(text))
                return std::nullopt;
            if (text == "cr")
                options.replyEnd = "\r";
            else if (text == "lf")
                options.replyEnd = "\n";
            else if (text == "crlf")
                options.replyEnd = "\r\n";
            else if (text == "none")
                options.replyEnd.clear();
            else {
                message = "--reply-end: cr, lf, crlf or none, not " + text;
                return std::nullopt;
            }
        } else if (arg == "--delay") {
            if (!value(text) || !ParseNumber(text, options.delayMs) || options.delayMs < 0) {
                message = "--delay: milliseconds expected";
                return std::nullopt;
            }
        } else if (arg == "--reading") {
            if (!value(reading))
                return std::nullopt;
            options.mode = Mode::Meter;
        } else if (arg == "--frame") {
            if (!value(text))
                return std::nullopt;
            const auto bytes = ParseHex(text);
            if (!bytes || bytes->size() != 14) {
                message = "--frame: 14 hexadecimal bytes expected";
                return std::nullopt;
            }
            options.frame = *bytes;
            frameGiven = true;
            options.mode = Mode::Meter;
        } else if (arg == "--rate") {
            if (!value(text) || !ParseNumber(text, options.rateHz) || options.rateHz <= 0 ||
                options.rateHz > 10000) {
                message = "--rate: frames per second expected (up to 10000)";
                return std::nullopt;
            }
        } else if (arg == "--flood") {
            if (!value(text) || !ParseNumber(text, options.floodCount)) {
                message = "--flood: a byte count expected";
                return std::nullopt;
            }
            options.mode = Mode::Flood;
        } else if (arg == "--byte") {
            const auto bytes = value(text) ? ParseHex(text) : std::nullopt;
            if (!bytes || bytes->size() != 1) {
                message = "--byte: one hexadecimal byte expected";
                return std::nullopt;
            }
            options.floodByte = static_cast<uint8_t>(bytes->front());
        } else if (arg == "--script") {
            if (!value(options.scriptPath))
                return std::nullopt;
            options.mode = Mode::Script;
        } else if (arg == "--log") {
            if (!value(options.logPath))
                return std::nullopt;
        } else if (arg == "--hex-log") {
            if (!value(options.hexLogPath))
                return std::nullopt;
        } else if (arg == "--close-after") {
            uint64_t count = 0;
            if (!value(text) || !ParseNumber(text, count)) {
                message = "--close-after: a byte count expected";
                return std::nullopt;
            }
            options.closeAfter = count;
        } else if (arg == "--name") {
            if (!value(options.name))
                return std::nullopt;
            if (options.name.empty() || options.name.find('/') != std::string::npos) {
                message = "--name: a name without slashes expected";
                return std::nullopt;
            }
        } else if (arg == "--ports-dir") {
            if (!value(options.portsDir))
                return std::nullopt;
        } else if (arg == "--no-announce") {
            options.announce = false;
        } else {
            message = "unknown argument " + arg + " (see --help)";
            return std::nullopt;
        }
    }
    if (options.mode == Mode::Meter && !frameGiven) {
        const auto frame = MeterFrame(reading);
        if (!frame) {
            message = "--reading: cannot show " + reading;
            return std::nullopt;
        }
        options.frame = *frame;
    }
    return options;
}

} // namespace wirevane::sim
