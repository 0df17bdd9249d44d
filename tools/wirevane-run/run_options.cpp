#include "tools/wirevane-run/run_options.h"

#include <charconv>
#include <limits>

namespace wirevane::runner {

namespace {

constexpr std::string_view kUsage =
    R"(Usage: wirevane-run [options] FILE.ini

Runs the send table of a Wirevane settings file against a serial port, without a window,
and writes the terminal's text to standard output as UTF-8.

The file's SERIAL section names the port and its line settings; its rows, line end and
encoding are used as the window would use them.

Options:
  --port PATH       open PATH (a device path such as /dev/ttyUSB0, or a port name such as
                    ttyUSB0) instead of the file's PORT
  --cycles N        run the table N times in cyclic mode (default 1; 0 repeats until
                    interrupted)
  --tester          show received bytes as the multimeter's frames and readings
  --echo            show each sent row's text (local echo)
  --detail          show the progress marker lines (<送信済>, <受信待>, ...)
  --timeout SECONDS give up when an awaited answer does not come within SECONDS
  --report FILE     write a JSON timing report: one entry per row sent
  --linger MS       after the run ends (its last row's wait and pause kept), go on showing
                    what the device sends for MS milliseconds more (default 200; 0: none)
  --help            show this text and exit

Exit status:
  0    the table ran to its end
  2    a halt row stopped the run
  3    an awaited answer did not come within --timeout
  1    an error (file not readable, port not found or busy, settings refused, port lost,
       a row the port did not take or the encoding cannot carry)
  130  interrupted by Ctrl-C
)";

bool ParseCount(std::string_view text, int minimum, int& value)
{
    int parsed = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, parsed);
    if (text.empty() || result.ec != std::errc{} || result.ptr != end || parsed < minimum)
        return false;
    value = parsed;
    return true;
}

// The largest timeout whose milliseconds still fit a timer period.
constexpr int kMaxTimeoutSeconds = std::numeric_limits<int>::max() / 1000;

} // namespace

std::string_view UsageText()
{
    return kUsage;
}

ParsedOptions ParseRunOptions(std::span<const std::string_view> arguments)
{
    ParsedOptions parsed;
    RunOptions& options = parsed.options;
    bool fileSeen = false;
    bool optionsEnded = false;
    auto fail = [&parsed](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (optionsEnded || !argument.starts_with("--")) {
            if (fileSeen)
                return fail("more than one settings file given: " + std::string(argument));
            options.settingsFile = std::filesystem::path(std::string(argument));
            fileSeen = true;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::string_view name = argument;
        std::optional<std::string_view> inlineValue;
        if (const auto equals = argument.find('='); equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            inlineValue = argument.substr(equals + 1);
        }
        auto flag = [&](bool& target) {
            if (inlineValue)
                return false;
            target = true;
            return true;
        };
        if (name == "--help" || name == "--tester" || name == "--echo" || name == "--detail") {
            bool& target = name == "--help"     ? options.help
                           : name == "--tester" ? options.tester
                           : name == "--echo"   ? options.echo
                                                : options.detail;
            if (!flag(target))
                return fail(std::string(name) + " takes no value");
            continue;
        }
        if (name != "--port" && name != "--cycles" && name != "--timeout" && name != "--report" &&
            name != "--linger")
            return fail("unknown option " + std::string(name) + " (see --help)");
        std::string_view value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return fail(std::string(name) + " needs a value");
        }
        if (name == "--port") {
            if (value.empty())
                return fail("--port needs a device path or port name");
            options.port = std::string(value);
        } else if (name == "--cycles") {
            if (!ParseCount(value, 0, options.cycles))
                return fail("--cycles needs a whole number of 0 or more, not '" +
                            std::string(value) + "'");
        } else if (name == "--timeout") {
            int seconds = 0;
            if (!ParseCount(value, 1, seconds) || seconds > kMaxTimeoutSeconds)
                return fail("--timeout needs a whole number of seconds from 1 to " +
                            std::to_string(kMaxTimeoutSeconds) + ", not '" + std::string(value) +
                            "'");
            options.timeoutSeconds = seconds;
        } else if (name == "--linger") {
            if (!ParseCount(value, 0, options.lingerMs))
                return fail("--linger needs a whole number of milliseconds, 0 or more, not '" +
                            std::string(value) + "'");
        } else {
            if (value.empty())
                return fail("--report needs a file name");
            options.report = std::filesystem::path(std::string(value));
        }
    }
    if (!options.help && !fileSeen)
        return fail("no settings file given (see --help)");
    return parsed;
}

} // namespace wirevane::runner
