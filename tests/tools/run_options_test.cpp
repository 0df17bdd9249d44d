#include "tools/wirevane-run/run_options.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace wirevane::runner {
namespace {

ParsedOptions Parse(std::vector<std::string_view> arguments)
{
    return ParseRunOptions(arguments);
}

TEST(RunOptions, ReadsEveryOptionInBothFormsAndInAnyPlaceAndRefusesBadCommandLinesWithAReason)
{
    const ParsedOptions parsed =
        Parse({"--cycles", "3", "table.ini", "--port=/dev/pts/7", "--tester", "--echo", "--detail",
               "--timeout=2", "--report", "out.json", "--linger", "0"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    const RunOptions& options = parsed.options;
    EXPECT_EQ(std::tuple(options.settingsFile, options.port, options.cycles, options.timeoutSeconds,
                         options.report, options.lingerMs),
              std::tuple("table.ini", "/dev/pts/7", 3, 2, "out.json", 0));
    EXPECT_TRUE(options.tester && options.echo && options.detail && !options.help);
    EXPECT_EQ(Parse({"table.ini"}).options.lingerMs, 200);
    EXPECT_FALSE(options.log || options.logAppend || options.logUtf8 || options.logRaw ||
                 options.timestamps);

    const ParsedOptions logged = Parse(
        {"--log=run.log", "--log-append", "table.ini", "--log-utf8", "--log-raw", "--timestamps"});
    ASSERT_TRUE(logged.ok()) << logged.error;
    EXPECT_EQ(logged.options.log, "run.log");
    EXPECT_TRUE(logged.options.logAppend && logged.options.logUtf8 && logged.options.logRaw &&
                logged.options.timestamps);

    const ParsedOptions numbers = Parse({"--numbers", "table.ini", "--csv=out.csv"});
    ASSERT_TRUE(numbers.ok()) << numbers.error;
    EXPECT_EQ(numbers.options.csv, "out.csv");
    EXPECT_TRUE(numbers.options.numbers);
    // A double dash lets a file name start with dashes.
    EXPECT_EQ(Parse({"--echo", "--", "--odd.ini"}).options.settingsFile, "--odd.ini");

    // Bad command lines are refused with a one-line reason.
    struct Case {
        std::vector<std::string_view> arguments;
        std::string_view reason;
    };
    const std::vector<Case> cases = {
        {{}, "no settings file"},
        {{"a.ini", "b.ini"}, "more than one"},
        {{"a.ini", "--speed", "9"}, "unknown option --speed"},
        {{"a.ini", "--cycles"}, "--cycles needs a value"},
        {{"a.ini", "--cycles", "-1"}, "--cycles needs"},
        {{"a.ini", "--cycles", "3x"}, "'3x'"},
        {{"a.ini", "--cycles="}, "--cycles needs"},
        {{"a.ini", "--timeout", "0"}, "--timeout needs"},
        {{"a.ini", "--timeout", "99999999"}, "--timeout needs"},
        {{"a.ini", "--port="}, "--port needs"},
        {{"a.ini", "--report="}, "--report needs"},
        {{"a.ini", "--echo=1"}, "--echo takes no value"},
        {{"a.ini", "--linger", "-5"}, "--linger needs"},
        {{"a.ini", "--log"}, "--log needs a value"},
        {{"a.ini", "--log="}, "--log needs a file name"},
        {{"a.ini", "--log-raw"}, "need --log FILE"},
        {{"a.ini", "--timestamps=1"}, "--timestamps takes no value"},
        {{"a.ini", "--csv="}, "--csv needs a file name"},
        {{"a.ini", "--csv", "x.csv"}, "--csv needs --tester or --numbers"},
        {{"a.ini", "--numbers"}, "--numbers needs --csv"},
        {{"a.ini", "--tester", "--numbers", "--csv", "x.csv"}, "give one"},
        {{"--report", "--echo", "a.ini"}, "--report needs a value, not the option --echo"},
    };
    for (const Case& c : cases) {
        const ParsedOptions refused = Parse(c.arguments);
        EXPECT_FALSE(refused.ok());
        EXPECT_NE(refused.error.find(c.reason), std::string::npos) << refused.error;
        EXPECT_EQ(refused.error.find('\n'), std::string::npos);
    }
}

} // namespace
} // namespace wirevane::runner
