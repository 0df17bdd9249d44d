#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace wirevane::runner {

// What the command line asks of one run. Cycles 0 means "repeat until stopped".
struct RunOptions {
    std::filesystem::path settingsFile;
    std::optional<std::string> port;
    int cycles = 1;
    bool tester = false;
    bool echo = false;
    bool detail = false;
    std::optional<int> timeoutSeconds;
    std::optional<std::filesystem::path> report;
    int lingerMs = 200;
    // A log of the terminal's text as written to standard output, or of the raw bytes.
    std::optional<std::filesystem::path> log;
    bool logAppend = false;
    bool logUtf8 = false;
    bool logRaw = false;
    bool timestamps = false;
    // Readings written as CSV: the meter's (with tester) or the numbers of received lines.
    std::optional<std::filesystem::path> csv;
    bool numbers = false;
    // Checks: a failed one ends the run unless keepGoing; a JUnit file of them at the end.
    bool keepGoing = false;
    std::optional<std::filesystem::path> junit;
    // Realtime priority for the run's threads, when the system grants it.
    bool realtime = false;
    bool help = false;
};

// The parsed options, or the one-line reason the command line was refused.
struct ParsedOptions {
    RunOptions options;
    std::string error;

    bool ok() const { return error.empty(); }
};

// Parses the arguments after the program name. Options may come before or after the file and
// take their value as the next argument or after '='; "--" ends the options.
ParsedOptions ParseRunOptions(std::span<const std::string_view> arguments);

std::string_view UsageText();

} // namespace wirevane::runner
