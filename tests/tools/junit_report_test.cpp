#include "tools/wirevane-run/junit_report.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace wirevane::runner {
namespace {

// Row 1 in the first cycle: MEAS? sent, OK expected, NG received.
CheckedRow Check(bool passed, int64_t turnaroundUs)
{
    return {1, 0, u"MEAS?", u"OK", passed, {'N', 'G', '\r'}, u"Row 1 check failed", turnaroundUs};
}

std::size_t Occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A run left going for days keeps the first checks whole and counts the rest, so its memory
// stays bounded while the file still says how every check went.
TEST(JunitXml, ChecksPastTheLimitAreCountedButNotListedAndWithoutAFileNoneAreKept)
{
    CheckTally tally(true);
    for (std::size_t i = 0; i < CheckTally::kListedLimit; ++i)
        tally.Add(Check(true, 10));
    tally.Add(Check(false, 1'000'000));
    tally.Add(Check(true, -5)); // a clock step back counts as no time
    tally.Add(Check(true, 10));

    const std::string xml = JunitXml("bench.ini", tally, TextEncoding::Sjis);
    EXPECT_NE(xml.find("<testsuite name=\"bench.ini\" tests=\"100003\" failures=\"1\" "
                       "errors=\"0\" time=\"2.000010\">"),
              std::string::npos)
        << xml.substr(0, 300);
    EXPECT_EQ(Occurrences(xml, "<testcase "), CheckTally::kListedLimit);
    EXPECT_EQ(Occurrences(xml, "<failure "), 0u);
    EXPECT_NE(xml.find("    <system-out>3 more checks after the first 100000 are counted in this "
                       "suite but not listed: 2 passed, 1 failed.</system-out>\n  </testsuite>"),
              std::string::npos)
        << xml.substr(xml.size() - 300);

    // Without a JUnit file nothing is kept, however long the run, but every verdict still reaches
    // the exit status.
    CheckTally unkept;
    unkept.Add(Check(false, 20));
    unkept.Count(true, 30);
    EXPECT_FALSE(unkept.KeepsNext());
    EXPECT_TRUE(unkept.listed().empty());
    EXPECT_EQ(std::tuple(unkept.failed(), unkept.count(), unkept.unlisted()), std::tuple(1, 2, 0));
}

} // namespace
} // namespace wirevane::runner
