#include "app/wirevane_app.h"
#include "platform/standard_streams.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr const char* kUsage = R"(Usage: wirevane [--help | --version]
Sends a table of messages to a device over a serial port; see wirevane(1).
  --help      show this text and exit
  --version   show the version and exit
)";

} // namespace

int main(int argc, char** argv)
{
    wirevane::platform::KeepStandardStreamsOpen();
    // A packaged program answers these two without starting; no other argument is read.
    if (argc == 2) {
        const std::string_view argument = argv[1];
        if (argument == "--version") {
            std::printf("wirevane %s\n", WIREVANE_VERSION);
            return 0;
        }
        if (argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    wirevane::CWirevaneApp app;
    return app.InitInstance(argc, argv);
}
