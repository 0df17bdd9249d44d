#include "tools/wirevane-run/utf8_output_sink.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace wirevane::runner {
namespace {

std::string Contents(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text += static_cast<char>(c);
    return text;
}

// Each append is on the stream when AppendText returns, so a pipe reader sees it at once.
TEST(Utf8OutputSink, WritesEachAppendAsUtf8Immediately)
{
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    Utf8OutputSink sink(file, true);
    EXPECT_TRUE(sink.IsLocalEcho());
    sink.AppendText(u"<送信済>\r\n");
    EXPECT_EQ(Contents(file), "<\xE9\x80\x81\xE4\xBF\xA1\xE6\xB8\x88>\r\n");
    std::fseek(file, 0, SEEK_END);
    sink.AppendText(u"\U0001F600");
    EXPECT_EQ(Contents(file).substr(13), "\xF0\x9F\x98\x80");
    std::fclose(file);
}

} // namespace
} // namespace wirevane::runner
