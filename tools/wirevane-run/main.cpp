// wirevane-run: runs a settings file's send table against a serial port without a window.

#include "platform/qt/port_message_receiver.h"
#include "platform/qt/qt_step_timer.h"
#include "platform/utf_text.h"
#include "serial/qt/serial_mfc.h"
#include "serial/serial_port_access.h"
#include "terminal/traffic/received_text_sink.h"
#include "terminal/traffic/traffic_tap.h"
#include "tools/wirevane-run/headless_terminal.h"
#include "tools/wirevane-run/interrupt_notifier.h"
#include "tools/wirevane-run/port_error_text.h"
#include "tools/wirevane-run/port_path.h"
#include "tools/wirevane-run/run_driver.h"
#include "tools/wirevane-run/run_options.h"
#include "tools/wirevane-run/utf8_output_sink.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace wirevane;
using namespace wirevane::runner;

namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "wirevane-run: %s\n", message.c_str());
    return 1;
}

// Microseconds on the monotonic clock since the program started, for the timing report.
int64_t MonotonicUs()
{
    using namespace std::chrono;
    static const steady_clock::time_point started = steady_clock::now();
    return duration_cast<microseconds>(steady_clock::now() - started).count();
}

std::string Utf8(const std::u16string& text)
{
    std::vector<uint8_t> bytes;
    platform::appendUtf8(text, bytes);
    return {bytes.begin(), bytes.end()};
}

// Line settings and handshake as loading the file on an open port applies them; a value the
// port refuses ends the run before anything is sent.
std::string ApplyPortSettings(CSerial& port, const CapturedPortSettings& settings)
{
    const uint32_t line = port.SetLineSettings(
        settings.baudRate(), static_cast<uint32_t>(settings.dataBits()),
        static_cast<uint32_t>(settings.parity()), static_cast<uint32_t>(settings.stopBits()));
    if (line != 0)
        return "the port refuses the line settings (BAUD=" + std::to_string(settings.baudRate()) +
               " DATA=" + std::to_string(settings.dataBits()) +
               " PARITY=" + std::to_string(settings.parity()) +
               " STOP=" + std::to_string(settings.stopBits()) + "): " + PortErrorText(line);
    const uint32_t handshake = port.SetHandshake(static_cast<uint32_t>(settings.handshake()));
    if (handshake != 0)
        return "the port refuses the handshake HNDSHK=" + std::to_string(settings.handshake()) +
               ": " + PortErrorText(handshake);
    return {};
}

struct PortCloser {
    CSerial& port;
    ~PortCloser() { port.Close(); }
};

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParsedOptions parsed = ParseRunOptions(arguments);
    if (!parsed.ok())
        return Fail(parsed.error);
    const RunOptions& options = parsed.options;
    if (options.help) {
        std::fwrite(UsageText().data(), 1, UsageText().size(), stdout);
        return 0;
    }

    MonotonicUs();
    QCoreApplication app(argc, argv);
    Utf8OutputSink output(stdout, options.echo);
    HeadlessTerminal terminal(output, stderr, options.timestamps);
    CSerialMFC port;
    SerialPortAccess access(port);
    TrafficTap tap(&access, SystemTrafficClock());
    tap.SetListener([&](TrafficDirection direction, std::span<const uint8_t> bytes,
                        TrafficTime time) { terminal.OnTraffic(direction, bytes, time); });
    ReceivedTextSink receivedText(terminal, tap);
    RunDriver* driver = nullptr;
    const auto settle = [&] {
        if (driver && driver->finished())
            app.exit(0);
    };
    platform::QtStepTimer stepTimer([&] {
        driver->OnStepTimer();
        settle();
    });
    platform::QtStepTimer answerTimer([&] {
        driver->OnAnswerTimeout();
        settle();
    });
    RunDriver run(tap, terminal, stepTimer, answerTimer, MonotonicUs, PortErrorText, &receivedText);
    driver = &run;

    const std::string file = options.settingsFile.string();
    if (const platform::FileError error = run.Load(options.settingsFile); !error.ok())
        return Fail("cannot read " + file + ": " + error.message);
    if (!run.Allocate())
        return Fail("not enough memory for the receive buffers");

    const std::string portName =
        options.port ? *options.port : Utf8(run.portSettings().deviceName());
    const std::string path = PortPath(portName);
    platform::PortMessageReceiver messages([&](uint32_t, uintptr_t word) {
        run.OnSerialMessage(static_cast<uint32_t>(word));
        settle();
    });
    // Declared after the receiver, so on every way out the port's event thread is joined
    // before the object it posts to goes away.
    const PortCloser closer{port};
    if (const uint32_t error =
            port.Open(std::u16string(path.begin(), path.end()), &messages, 0, 0, 0, 0);
        error != 0 || !port.IsOpen())
        return Fail(
            PortOpenErrorText(path == portName ? path : portName + " (" + path + ")", path, error));
    if (const std::string refused = ApplyPortSettings(port, run.portSettings()); !refused.empty())
        return Fail(path + ": " + refused);

    QTimer logFlush;
    if (options.log) {
        const LogChoice choice{*options.log, options.logAppend,
                               options.logRaw ? LogChoice::RawBytes : LogChoice::ShownText,
                               options.logUtf8 ? LogChoice::Utf8 : LogChoice::Cp932};
        if (const platform::FileError error = terminal.StartLog(choice); !error.ok())
            return Fail("cannot write the log " + options.log->string() + ": " + error.message);
        QObject::connect(&logFlush, &QTimer::timeout, [&] { terminal.FlushLog(); });
        logFlush.start(50);
    }

    InterruptNotifier interrupt([&] {
        run.Interrupt();
        settle();
    });
    RunSettings settings;
    settings.cycles = options.cycles;
    settings.tester = options.tester;
    settings.detail = options.detail;
    settings.timeoutSeconds = options.timeoutSeconds;
    settings.lingerMs = options.lingerMs;
    run.Start(settings);
    if (!run.finished())
        app.exec();
    stepTimer.Kill();
    answerTimer.Kill();
    terminal.StopLog();

    int status = ExitStatus(run.outcome());
    if (status == 0 && terminal.failed())
        status = 1;
    if (!run.message().empty())
        std::fprintf(stderr, "wirevane-run: %s\n", run.message().c_str());
    if (options.report) {
        if (const platform::FileError error = run.report().WriteTo(*options.report); !error.ok()) {
            std::fprintf(stderr, "wirevane-run: cannot write the report %s: %s\n",
                         options.report->string().c_str(), error.message.c_str());
            status = 1;
        }
    }
    return status;
}
