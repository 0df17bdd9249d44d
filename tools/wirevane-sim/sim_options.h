#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wirevane::sim {

enum class Mode { Echo, Lines, Meter, Flood, Script };

// The meter's frames per second.
inline constexpr double kLowestRateHz = 0.001;
inline constexpr double kHighestRateHz = 10000;

struct SimOptions {
    Mode mode = Mode::Echo;
    std::string reply = "OK";           // lines: the answer, escapes allowed
    std::string replyEnd = "\r\n";      // lines: cr, lf, crlf or none
    int delayMs = 0;                    // lines: wait before answering
    std::string frame;                  // meter: the 14 bytes sent
    double rateHz = 2.0;                // meter: frames per second
    std::vector<std::string> sweep;     // meter: frames shown one after another, over...
    int sweepSeconds = 10;              // ...this period, then again from the first
    uint64_t floodCount = 0;            // flood: bytes to send
    std::optional<uint8_t> floodByte;   // flood: one value, else a counting pattern
    std::string scriptPath;             // script: the steps file
    std::string logPath;                // received bytes, raw
    std::string hexLogPath;             // received bytes, one hexadecimal line per chunk
    std::optional<uint64_t> closeAfter; // close the port after this many received bytes
    std::string name = "wvsim";         // base of the announced port name
    std::string portsDir;               // empty: the system's ports folder
    bool announce = true;
    bool help = false;
};

// Parses the arguments after the program name; on error returns nothing and sets message.
std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args, std::string& message);

extern const char* const kUsage;

} // namespace wirevane::sim
