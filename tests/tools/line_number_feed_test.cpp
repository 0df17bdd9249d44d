#include "tools/wirevane-run/line_number_feed.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wirevane::runner {
namespace {

struct Recorded final : MeasurementSink {
    void AddMeasurement(const Measurement& m) override
    {
        taken.push_back(m.series + "=" + m.reading);
    }
    std::vector<std::string> taken;
};

// A line's numbers are read once its end has come, whichever read brought it and whichever
// end the device uses; a line too long to keep is dropped whole, never read from its tail.
TEST(LineNumberFeed, LinesEndAtCrLfOrBothAndAnOverlongLineIsDroppedWhole)
{
    const TrafficTime t{};
    Recorded sink;
    LineNumberFeed feed(sink);
    feed.Take(u"a=1", t);
    EXPECT_TRUE(sink.taken.empty());
    feed.Take(u"2 b=3\r\nc=4\rd=5\n\n6", t);
    EXPECT_EQ(sink.taken, (std::vector<std::string>{"a=12", "b=3", "c=4", "d=5"}));
    sink.taken.clear();
    feed.Take(u"\r" + std::u16string(LineNumberFeed::kMaxLineBytes, u'x'), t);
    feed.Take(u" 7\r\n\u00b0=8\n", t);
    EXPECT_EQ(sink.taken, (std::vector<std::string>{"1=6", "\u00b0=8"}));
}

} // namespace
} // namespace wirevane::runner
