#include "tools/wirevane-sim/sim_options.h"

#include "tools/wirevane-sim/meter_frame.h"
#include "tools/wirevane-sim/sim_text.h"

#include <charconv>
#include <string_view>
#include <utility>

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
      --rate HZ          frames per second, 0.001 to 10000 (default 2)
      --reading-sweep FROM TO
                         the number shown goes from FROM to TO (e.g. 0.00 5.00) in steps of
                         their last digit, evenly over the sweep's period, then starts again
                         at FROM; kind and unit as --reading gives them
      --sweep-seconds S  the sweep's period in whole seconds (default 10)
  --flood N              send N bytes as fast as the port takes them, then idle
      --byte HH          the byte value (default: counting 00, 01, ... FF, 00, ...)
  --script FILE          run the steps of FILE, one per line:
                           expect TEXT   wait until TEXT was received
                           send TEXT     send TEXT (escapes as for --reply)
                           delay MS      wait
                           close         close the port and exit
                         blank lines and lines starting with # are skipped; FILE may be
                         a pipe; a script longer than 4 MiB is refused

Options:
  --log FILE             append every received byte to FILE, unchanged
  --hex-log FILE         append each received chunk to FILE as one line "41 42 0D"
  --close-after N        close the port once N bytes were received, then exit
  --name NAME            base of the announced port name (default wvsim; NAME0, NAME1, ...);
                         names of the system's ports (tty..., what /dev has) are not taken
  --ports-dir DIR        announce in DIR instead of the system's ports folder
                         ($WIREVANE_PORTS_DIR, $XDG_RUNTIME_DIR/wirevane/ports or
                         /tmp/wirevane-ports-UID); the folder must be this user's and
                         writable by no one else
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

// The options so far, and what the meter's frame is made of once all are read.
struct Parsing {
    SimOptions options;
    std::string reading = "DC 01.23 V";
    bool frameGiven = false;
    std::optional<std::pair<std::string, std::string>> sweep;
};

// Each applies an option's value; on a refused value it sets message and answers false.
using Apply = bool (*)(Parsing& parsing, const std::string& value, std::string& message);

// A missing checked value is handed over as empty text, which the option refuses with its own
// message rather than the general "needs a value".
// A pair's two values are handed over as one text, parted by a newline.
enum class Takes { Nothing, Value, CheckedValue, Pair };

struct Option {
    std::string_view name;
    Takes takes;
    Apply apply;
};

bool SetMode(Parsing& parsing, Mode mode)
{
    parsing.options.mode = mode;
    return true;
}

bool ApplyReply(Parsing& parsing, const std::string& value, std::string& message)
{
    const auto bytes = UnescapeText(value);
    if (!bytes) {
        message = "--reply: broken escape in " + value;
        return false;
    }
    parsing.options.reply = *bytes;
    return true;
}

bool ApplyReplyEnd(Parsing& parsing, const std::string& value, std::string& message)
{
    static const std::pair<std::string_view, std::string_view> kEnds[] = {
        {"cr", "\r"}, {"lf", "\n"}, {"crlf", "\r\n"}, {"none", ""}};
    for (const auto& [name, end] : kEnds) {
        if (value == name) {
            parsing.options.replyEnd = end;
            return true;
        }
    }
    message = "--reply-end: cr, lf, crlf or none, not " + value;
    return false;
}

bool ApplyDelay(Parsing& parsing, const std::string& value, std::string& message)
{
    if (!ParseNumber(value, parsing.options.delayMs) || parsing.options.delayMs < 0) {
        message = "--delay: milliseconds expected";
        return false;
    }
    return true;
}

bool ApplyFrame(Parsing& parsing, const std::string& value, std::string& message)
{
    const auto bytes = ParseHex(value);
    if (!bytes || bytes->size() != 14) {
        message = "--frame: 14 hexadecimal bytes expected";
        return false;
    }
    parsing.options.frame = *bytes;
    parsing.frameGiven = true;
    return SetMode(parsing, Mode::Meter);
}

// Written so that "nan" fails too. The lowest rate keeps a frame's period far inside what the
// clock counts: a period of centuries wrapped around to a negative one, and the device then
// queued frames without end until the memory ran out.
bool ApplyRate(Parsing& parsing, const std::string& value, std::string& message)
{
    double& rate = parsing.options.rateHz;
    if (!ParseNumber(value, rate) || !(rate >= kLowestRateHz && rate <= kHighestRateHz)) {
        message = "--rate: frames per second expected (0.001 to 10000)";
        return false;
    }
    return true;
}

bool ApplySweep(Parsing& parsing, const std::string& value, std::string& message)
{
    const std::size_t newline = value.find('\n');
    if (newline == std::string::npos) {
        message = "--reading-sweep: two numbers expected, FROM and TO";
        return false;
    }
    parsing.sweep.emplace(value.substr(0, newline), value.substr(newline + 1));
    return SetMode(parsing, Mode::Meter);
}

bool ApplySweepSeconds(Parsing& parsing, const std::string& value, std::string& message)
{
    int& seconds = parsing.options.sweepSeconds;
    if (!ParseNumber(value, seconds) || seconds < 1 || seconds > 86400) {
        message = "--sweep-seconds: whole seconds from 1 to 86400 expected";
        return false;
    }
    return true;
}

bool ApplyFlood(Parsing& parsing, const std::string& value, std::string& message)
{
    if (!ParseNumber(value, parsing.options.floodCount)) {
        message = "--flood: a byte count expected";
        return false;
    }
    return SetMode(parsing, Mode::Flood);
}

bool ApplyByte(Parsing& parsing, const std::string& value, std::string& message)
{
    const auto bytes = ParseHex(value);
    if (!bytes || bytes->size() != 1) {
        message = "--byte: one hexadecimal byte expected";
        return false;
    }
    parsing.options.floodByte = static_cast<uint8_t>(bytes->front());
    return true;
}

bool ApplyCloseAfter(Parsing& parsing, const std::string& value, std::string& message)
{
    uint64_t count = 0;
    if (!ParseNumber(value, count)) {
        message = "--close-after: a byte count expected";
        return false;
    }
    parsing.options.closeAfter = count;
    return true;
}

bool ApplyName(Parsing& parsing, const std::string& value, std::string& message)
{
    if (value.empty() || value.find('/') != std::string::npos) {
        message = "--name: a name without slashes expected";
        return false;
    }
    parsing.options.name = value;
    return true;
}

const Option kOptions[] = {
    {"--help", Takes::Nothing,
     [](Parsing& p, const std::string&, std::string&) {
         p.options.help = true;
         return true;
     }},
    {"--echo", Takes::Nothing,
     [](Parsing& p, const std::string&, std::string&) { return SetMode(p, Mode::Echo); }},
    {"--lines", Takes::Nothing,
     [](Parsing& p, const std::string&, std::string&) { return SetMode(p, Mode::Lines); }},
    {"--meter", Takes::Nothing,
     [](Parsing& p, const std::string&, std::string&) { return SetMode(p, Mode::Meter); }},
    {"--reply", Takes::Value, ApplyReply},
    {"--reply-end", Takes::Value, ApplyReplyEnd},
    {"--delay", Takes::CheckedValue, ApplyDelay},
    {"--reading", Takes::Value,
     [](Parsing& p, const std::string& value, std::string&) {
         p.reading = value;
         return SetMode(p, Mode::Meter);
     }},
    {"--frame", Takes::Value, ApplyFrame},
    {"--rate", Takes::CheckedValue, ApplyRate},
    {"--reading-sweep", Takes::Pair, ApplySweep},
    {"--sweep-seconds", Takes::CheckedValue, ApplySweepSeconds},
    {"--flood", Takes::CheckedValue, ApplyFlood},
    {"--byte", Takes::CheckedValue, ApplyByte},
    {"--script", Takes::Value,
     [](Parsing& p, const std::string& value, std::string&) {
         p.options.scriptPath = value;
         return SetMode(p, Mode::Script);
     }},
    {"--log", Takes::Value,
     [](Parsing& p, const std::string& value, std::string&) {
         p.options.logPath = value;
         return true;
     }},
    {"--hex-log", Takes::Value,
     [](Parsing& p, const std::string& value, std::string&) {
         p.options.hexLogPath = value;
         return true;
     }},
    {"--close-after", Takes::CheckedValue, ApplyCloseAfter},
    {"--name", Takes::Value, ApplyName},
    {"--ports-dir", Takes::Value,
     [](Parsing& p, const std::string& value, std::string&) {
         p.options.portsDir = value;
         return true;
     }},
    {"--no-announce", Takes::Nothing,
     [](Parsing& p, const std::string&, std::string&) {
         p.options.announce = false;
         return true;
     }},
};

const Option* FindOption(std::string_view name)
{
    for (const Option& option : kOptions) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

// The meter sends the frame given, else the one that shows the reading, or the sweep's.
bool MakeMeterFrame(Parsing& parsing, std::string& message)
{
    if (parsing.options.mode != Mode::Meter || parsing.frameGiven)
        return true;
    if (parsing.sweep) {
        parsing.options.sweep =
            MeterSweepFrames(parsing.reading, parsing.sweep->first, parsing.sweep->second);
        if (parsing.options.sweep.empty()) {
            message = "--reading-sweep: cannot show " + parsing.sweep->first + " to " +
                      parsing.sweep->second + " as " + parsing.reading;
            return false;
        }
    }
    const auto frame = MeterFrame(parsing.reading);
    if (!frame) {
        message = "--reading: cannot show " + parsing.reading;
        return false;
    }
    parsing.options.frame = *frame;
    return true;
}

} // namespace

std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args, std::string& message)
{
    Parsing parsing;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const Option* option = FindOption(arg);
        if (option == nullptr) {
            message = "unknown argument " + arg + " (see --help)";
            return std::nullopt;
        }
        std::string value;
        if (option->takes == Takes::Pair) {
            if (i + 2 >= args.size()) {
                message = arg + " needs two values";
                return std::nullopt;
            }
            value = args[i + 1] + "\n" + args[i + 2];
            i += 2;
        } else if (option->takes != Takes::Nothing && i + 1 < args.size()) {
            value = args[++i];
        } else if (option->takes == Takes::Value) {
            message = arg + " needs a value";
            return std::nullopt;
        }
        if (!option->apply(parsing, value, message))
            return std::nullopt;
    }
    if (!MakeMeterFrame(parsing, message))
        return std::nullopt;
    return parsing.options;
}

} // namespace wirevane::sim
