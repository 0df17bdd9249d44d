#include "tools/wirevane-sim/meter_frame.h"
#include "tools/wirevane-sim/sim_options.h"

#include <gtest/gtest.h>
#include <tuple>

namespace wirevane::sim {
namespace {

// The message of a refused command line; empty when it was accepted.
std::string Refusal(const std::vector<std::string>& args)
{
    std::string message;
    return ParseOptions(args, message) ? std::string() : message;
}

SimOptions Parsed(const std::vector<std::string>& args)
{
    std::string message;
    const auto options = ParseOptions(args, message);
    EXPECT_TRUE(options) << message;
    return options.value_or(SimOptions{});
}

TEST(SimOptions, AMissingOrBadValueIsNamedAndValuesAreCheckedAsTheyAreRead)
{
    EXPECT_EQ(Refusal({"--reply"}), "--reply needs a value");
    EXPECT_EQ(Refusal({"--echo", "--script"}), "--script needs a value");
    EXPECT_EQ(Refusal({"--ports-dir"}), "--ports-dir needs a value");
    EXPECT_EQ(Refusal({"--delay"}), "--delay: milliseconds expected");
    EXPECT_EQ(Refusal({"--rate"}), "--rate: frames per second expected (0.001 to 10000)");
    EXPECT_EQ(Refusal({"--byte"}), "--byte: one hexadecimal byte expected");
    EXPECT_EQ(Refusal({"--close-after"}), "--close-after: a byte count expected");
    EXPECT_EQ(Refusal({"--lines", "-x"}), "unknown argument -x (see --help)");
    // A value is taken whatever it looks like, even an option's name.
    EXPECT_EQ(Parsed({"--log", "--echo"}).logPath, "--echo");

    // Values are checked as they are read.
    EXPECT_EQ(Refusal({"--delay", "-1"}), "--delay: milliseconds expected");
    EXPECT_EQ(Refusal({"--delay", "5ms"}), "--delay: milliseconds expected");
    // Not a number, and a period too long for the clock, made the device queue frames without
    // end.
    for (const char* rate : {"0", "nan", "1e-10", "10001"})
        EXPECT_EQ(Refusal({"--rate", rate}), "--rate: frames per second expected (0.001 to 10000)")
            << rate;
    EXPECT_EQ(Parsed({"--rate", "0.001"}).rateHz, 0.001);
    EXPECT_EQ(Refusal({"--byte", "0102"}), "--byte: one hexadecimal byte expected");
    EXPECT_EQ(Refusal({"--name", "a/b"}), "--name: a name without slashes expected");
    EXPECT_EQ(Refusal({"--reply-end", "crcr"}), "--reply-end: cr, lf, crlf or none, not crcr");

    const SimOptions lines = Parsed({"--lines", "--reply", "A\\x42", "--reply-end", "none",
                                     "--delay", "7", "--close-after", "3", "--byte", "7f"});
    EXPECT_EQ(
        std::tuple(lines.reply, lines.replyEnd, lines.delayMs, lines.closeAfter, lines.floodByte),
        std::tuple("AB", "", 7, 3u, 0x7f));
    EXPECT_EQ(Parsed({"--reply-end", "lf"}).replyEnd, "\n");
}

TEST(SimOptions, TheLastModeWinsTheMeterFrameIsMadeOnceAllAreReadAndASweepShowsEveryStep)
{
    EXPECT_EQ(Parsed({"--flood", "10", "--lines"}).mode, Mode::Lines);
    EXPECT_EQ(Parsed({"--echo", "--script", "steps.txt"}).mode, Mode::Script);

    const std::string given(14, '\x01');
    const std::string hex = "01 01 01 01 01 01 01 01 01 01 01 01 01 01";
    // A frame given is sent whichever comes first; a reading alone gives its own frame.
    EXPECT_EQ(Parsed({"--frame", hex, "--reading", "AC -12.34 V"}).frame, given);
    EXPECT_EQ(Parsed({"--reading", "AC -12.34 V", "--frame", hex}).frame, given);
    EXPECT_EQ(Parsed({"--reading", "AC -12.34 V"}).frame, MeterFrame("AC -12.34 V").value());
    EXPECT_EQ(Parsed({"--meter"}).frame, MeterFrame("DC 01.23 V").value());
    // A reading the meter cannot show matters only when the meter runs.
    EXPECT_EQ(Refusal({"--reading", "AC 12345 V"}), "--reading: cannot show AC 12345 V");
    EXPECT_EQ(Parsed({"--reading", "AC 12345 V", "--echo"}).mode, Mode::Echo);

    // Each step of the last digit is a frame of its own, both ways, in the finer end's steps.
    const auto frames = [](std::initializer_list<const char*> readings) {
        std::vector<std::string> all;
        for (const char* reading : readings)
            all.push_back(MeterFrame(reading).value());
        return all;
    };
    const SimOptions up = Parsed(
        {"--reading", "AC 1.0 mA", "--reading-sweep", "-0.1", "0.2", "--sweep-seconds", "3"});
    EXPECT_EQ(up.sweep, frames({"AC -0.1 mA", "AC 0.0 mA", "AC 0.1 mA", "AC 0.2 mA"}));
    EXPECT_EQ(up.sweepSeconds, 3);
    EXPECT_EQ(Parsed({"--reading-sweep", "1", "0.98"}).sweep,
              frames({"DC 1.00 V", "DC 0.99 V", "DC 0.98 V"}));
    EXPECT_EQ(Refusal({"--reading-sweep", "0"}), "--reading-sweep needs two values");
    EXPECT_EQ(Refusal({"--reading-sweep", "0", "12345"}),
              "--reading-sweep: cannot show 0 to 12345 as DC 01.23 V");
    EXPECT_EQ(Refusal({"--reading-sweep", "0", "0.00001"}),
              "--reading-sweep: cannot show 0 to 0.00001 as DC 01.23 V");
    EXPECT_EQ(Refusal({"--sweep-seconds", "0"}),
              "--sweep-seconds: whole seconds from 1 to 86400 expected");
}

TEST(MeterFrame, APrefixAndOverRangeGiveTheMetersOwnFrames)
{
    EXPECT_EQ(MeterFrame("DC 04.71 kohm"),
              std::string("\x14\x27\x3D\x42\x57\x69\x75\x80\x95\xA2\xB0\xC4\xD0\xE0"));
    EXPECT_EQ(MeterFrame("DC OL Mohm"),
              std::string("\x14\x20\x30\x47\x5D\x66\x78\x80\x90\xA0\xB2\xC4\xD0\xE0"));
}

} // namespace
} // namespace wirevane::sim
