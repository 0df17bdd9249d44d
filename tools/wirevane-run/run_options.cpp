#include "tools/wirevane-run/run_options.h"

#include "platform/command_line.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>
#include <utility>

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
  --timeout SECONDS give up when an awaited answer does not come within SECONDS (without
                    it, a row with an expected answer gives up after 1 s, others wait on)
  --report FILE     write a JSON timing report at the end: one entry per row of the table
                    that was sent, however often, with its bytes, the times of its last
                    sending, and how many sendings there were, how many were answered and
                    their shortest, longest and mean turnaround (without --report, nothing
                    of the sent rows is kept); a row with an expected answer adds "expect",
                    "verdict" (pass or fail) and the "received" bytes of its last answer
  --junit FILE      write a JUnit XML file at the end (also after a halt, a time-out or
                    Ctrl-C, with what ran so far): one testcase per checked row and cycle,
                    the first 100000 of them; the suite's counts take in every check
  --keep-going      go on after a failed check (without it the first failure ends the run)
  --linger MS       after the run ends (its last row's wait and pause kept), go on showing
                    what the device sends for MS milliseconds more (default 200; 0: none)
  --log FILE        log the terminal's text to FILE while the run goes on (code page 932,
                    as the window's save; written at least every 100 ms and at the end)
  --log-append      add to an existing log instead of replacing it
  --log-utf8        write the log in UTF-8
  --log-raw         log the raw bytes instead: one line per chunk read or sent, as
                    "2026-12-07 23:59:01.123 RX 4F 4B 0D 0A"
  --timestamps      put the read time "HH:MM:SS.mmm " before each received line, on
                    standard output and in the log
  --csv FILE        with --tester, write each of the meter's readings to FILE as CSV;
                    with --numbers, each number of each received line. The columns:
                      time,elapsed_s,series,value,unit,mode,reading
                    time in local ISO 8601 with milliseconds and the UTC offset, elapsed_s
                    since the first reading, value in SI base units (empty when the meter
                    shows over-range), UTF-8 with CR LF line ends, written at least every
                    100 ms and at the end. To log a meter for a while, give a table whose
                    rows do not wait and --linger for the time (Ctrl-C ends it early and
                    still closes the file)
  --numbers         read each received line (ended by CR, LF or both) as numbers: "12.5",
                    "1.0, 2.0, 3.0", "temp:21.4 hum=48"; a label before ':' or '=' names the
                    series, unlabelled columns are 1, 2, ...; at most 32 numbers a line, NaN,
                    infinities and out-of-range values left out (needs --csv)
  --realtime        run the loop and the port's event thread at realtime priority, so that
                    busy programs beside it do not make delays and answers late, and on
                    Linux keep idle processors awake, so that no answer waits for one to
                    wake; the priority is granted by an rtprio limit (a line "@dialout -
                    rtprio 1" in /etc/security/limits.conf) or CAP_SYS_NICE, the processors
                    by write access to /dev/cpu_dma_latency; what is refused, the run goes
                    on without, with one line on standard error
  --help            show this text and exit

Exit status (when several apply, the first in this list):
  130  interrupted by Ctrl-C, kill (SIGTERM) or a hang-up (SIGHUP: the terminal closed)
  1    an error (file not readable, port not found or busy, settings refused, port lost,
       a row the port did not take or the encoding cannot carry; a log, report, CSV or
       JUnit file that cannot be written, or that names the settings file or another of
       them, ends the run before anything is sent, and one that fails later, like the
       standard output, is given up while the run goes on;
       a reader of the output that goes away is not an error)
  3    an awaited answer to a row without a check did not come within --timeout
  4    a check failed (a checked row's answer that does not come is a failed check)
  2    a halt row stopped the run
  0    the table ran to its end
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

bool* FlagNamed(RunOptions& options, std::string_view name)
{
    const std::pair<std::string_view, bool*> flags[] = {{"--help", &options.help},
                                                        {"--tester", &options.tester},
                                                        {"--echo", &options.echo},
                                                        {"--detail", &options.detail},
                                                        {"--log-append", &options.logAppend},
                                                        {"--log-utf8", &options.logUtf8},
                                                        {"--log-raw", &options.logRaw},
                                                        {"--timestamps", &options.timestamps},
                                                        {"--numbers", &options.numbers},
                                                        {"--keep-going", &options.keepGoing},
                                                        {"--realtime", &options.realtime}};
    const auto found = std::find_if(std::begin(flags), std::end(flags),
                                    [&](const auto& entry) { return entry.first == name; });
    return found == std::end(flags) ? nullptr : found->second;
}

bool TakesValue(std::string_view name)
{
    return name == "--port" || name == "--cycles" || name == "--timeout" || name == "--report" ||
           name == "--linger" || name == "--log" || name == "--csv" || name == "--junit";
}

// Stores the value of one of the options that take one; the reason it is refused, empty when
// it is taken.
std::string TakeValue(RunOptions& options, std::string_view name, std::string_view value)
{
    const std::string quoted = "'" + std::string(value) + "'";
    if (name == "--port") {
        if (value.empty())
            return "--port needs a device path or port name";
        options.port = std::string(value);
    } else if (name == "--cycles") {
        if (!ParseCount(value, 0, options.cycles))
            return "--cycles needs a whole number of 0 or more, not " + quoted;
    } else if (name == "--timeout") {
        int seconds = 0;
        if (!ParseCount(value, 1, seconds) || seconds > kMaxTimeoutSeconds)
            return "--timeout needs a whole number of seconds from 1 to " +
                   std::to_string(kMaxTimeoutSeconds) + ", not " + quoted;
        options.timeoutSeconds = seconds;
    } else if (name == "--linger") {
        if (!ParseCount(value, 0, options.lingerMs))
            return "--linger needs a whole number of milliseconds, 0 or more, not " + quoted;
    } else if (name == "--log") {
        if (value.empty())
            return "--log needs a file name";
        options.log = platform::PathFromUtf8(value);
    } else if (name == "--csv") {
        if (value.empty())
            return "--csv needs a file name";
        options.csv = platform::PathFromUtf8(value);
    } else if (name == "--junit") {
        if (value.empty())
            return "--junit needs a file name";
        options.junit = platform::PathFromUtf8(value);
    } else {
        if (value.empty())
            return "--report needs a file name";
        options.report = platform::PathFromUtf8(value);
    }
    return {};
}

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
        const std::string_view argument = arguments[i];
        if (optionsEnded || !argument.starts_with("--")) {
            if (fileSeen)
                return fail("more than one settings file given: " + std::string(argument));
            options.settingsFile = platform::PathFromUtf8(argument);
            fileSeen = true;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const bool inlineValue = equals != std::string_view::npos;
        if (bool* flag = FlagNamed(options, name)) {
            if (inlineValue)
                return fail(std::string(name) + " takes no value");
            *flag = true;
            continue;
        }
        if (!TakesValue(name))
            return fail("unknown option " + std::string(name) + " (see --help)");
        if (!inlineValue && i + 1 >= arguments.size())
            return fail(std::string(name) + " needs a value");
        const std::string_view value = inlineValue ? argument.substr(equals + 1) : arguments[++i];
        // "--report --echo FILE" forgot the report's name; taking the next option for it would
        // write a file named --echo and lose the option.
        if (!inlineValue && value.starts_with("--"))
            return fail(std::string(name) + " needs a value, not the option " + std::string(value) +
                        " (a value that starts with -- is given as " + std::string(name) +
                        "=VALUE)");
        if (std::string refused = TakeValue(options, name, value); !refused.empty())
            return fail(std::move(refused));
    }
    if (!options.help && !fileSeen)
        return fail("no settings file given (see --help)");
    if (!options.log && (options.logAppend || options.logUtf8 || options.logRaw))
        return fail("--log-append, --log-utf8 and --log-raw need --log FILE");
    if (options.tester && options.numbers)
        return fail("--tester and --numbers read the port in two different ways; give one");
    if (options.csv && !options.tester && !options.numbers)
        return fail("--csv needs --tester or --numbers to say what the readings are");
    if (options.numbers && !options.csv)
        return fail("--numbers needs --csv FILE");
    return parsed;
}

} // namespace wirevane::runner
