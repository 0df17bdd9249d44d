// wirevane-run: runs a settings file's send table against a serial port without a window.

#include "platform/command_line.h"
#include "platform/standard_streams.h"
#include "tools/wirevane-run/headless_run.h"
#include "tools/wirevane-run/run_options.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    using namespace wirevane;
    platform::KeepStandardStreamsOpen();
    platform::OutliveAGoneReader();
    const std::vector<std::string> words = platform::CommandLineArguments(argc, argv);
    const std::vector<std::string_view> arguments(words.begin(), words.end());
    const runner::ParsedOptions parsed = runner::ParseRunOptions(arguments);
    if (!parsed.ok())
        return runner::FailWith(parsed.error);
    if (parsed.options.help) {
        const std::string_view usage = runner::UsageText();
        std::fwrite(usage.data(), 1, usage.size(), stdout);
        return 0;
    }
    runner::HeadlessRun run(parsed.options);
    return run.Execute();
}
