#include "tools/wirevane-run/headless_run.h"

#include "platform/atomic_file.h"
#include "platform/command_line.h"
#include "platform/file_error.h"
#include "platform/same_file.h"
#include "platform/standard_streams.h"
#include "platform/utf_text.h"
#include "serial/serial_line.h"
#include "tools/wirevane-run/junit_report.h"
#include "tools/wirevane-run/port_error_text.h"
#include "tools/wirevane-run/port_path.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace wirevane::runner {

namespace {

constexpr int kLogFlushMs = 50;

// Microseconds on the monotonic clock since the first call, for the timing report.
int64_t MonotonicUs()
{
    using namespace std::chrono;
    static const steady_clock::time_point started = steady_clock::now();
    return duration_cast<microseconds>(steady_clock::now() - started).count();
}

std::string Utf8(const std::u16string& text)
{
    std::vector<uint8_t> bytes;
    platform::AppendUtf8(text, bytes);
    return {bytes.begin(), bytes.end()};
}

// The file's keys hold signed numbers, and the report shows them as the file has them.
std::string KeyValue(uint32_t value)
{
    return std::to_string(static_cast<int32_t>(value));
}

// Line settings and handshake as loading the file on an open port applies them, as one change;
// a value the port refuses ends the run before anything is sent.
std::string ApplyPortSettings(CSerial& port, const CapturedPortSettings& settings)
{
    std::optional<SerialLine> line = ReadSerialLine(port);
    if (!line)
        return "the port's line cannot be read: " + PortErrorText(port.GetLastErrorCode());
    line->settings = settings.lineSettings();
    line->handshake = static_cast<uint32_t>(settings.handshake());
    const std::optional<LineRefusal> refusal = ChangeSerialLine(port, *line);
    if (!refusal)
        return {};
    const platform::LineSettings& asked = settings.lineSettings();
    switch (refusal->part) {
    case LinePart::Settings:
        return "the port refuses the line settings (BAUD=" + KeyValue(asked.baudRate) +
               " DATA=" + KeyValue(asked.dataBits) + " PARITY=" + KeyValue(asked.parity) +
               " STOP=" + KeyValue(asked.stopBits) + "): " + PortErrorText(refusal->error);
    case LinePart::Handshake:
        return "the port refuses the handshake HNDSHK=" + std::to_string(settings.handshake()) +
               ": " + PortErrorText(refusal->error);
    default:
        return "the port does not keep its event settings: " + PortErrorText(refusal->error);
    }
}

RunSettings ToRunSettings(const RunOptions& options)
{
    RunSettings settings;
    settings.cycles = options.cycles;
    settings.tester = options.tester;
    settings.detail = options.detail;
    settings.timeoutSeconds = options.timeoutSeconds;
    settings.lingerMs = options.lingerMs;
    settings.report = options.report.has_value();
    settings.keepGoing = options.keepGoing;
    settings.listChecks = options.junit.has_value();
    return settings;
}

} // namespace

int FailWith(const std::string& message)
{
    std::fprintf(stderr, "wirevane-run: %s\n", message.c_str());
    return 1;
}

HeadlessRun::HeadlessRun(const RunOptions& options)
    : m_options(options), m_output(stdout, options.echo, platform::IsTerminal(stdout)),
      m_terminal(m_output, stderr, options.timestamps),
      m_port([this](std::function<void()> call) { m_loop.Post(std::move(call)); }),
      m_access(m_port), m_tap(&m_access, SystemTrafficClock()), m_receivedText(m_terminal, m_tap),
      m_stepTimer(m_loop, [this] { m_run.OnStepTimer(); }),
      m_answerTimer(m_loop, [this] { m_run.OnAnswerTimeout(); }),
      m_logFlush(m_loop,
                 [this] {
                     FlushFiles();
                     m_logFlush.Arm(kLogFlushMs);
                 }),
      m_run(m_tap, m_terminal, m_stepTimer, m_answerTimer, MonotonicUs, PortErrorText,
            &m_receivedText)
{
    // Whatever ends the run (a timer, a notification, a write's completion, an interrupt) ends
    // the loop with it.
    m_run.SetOnFinished([this] { m_loop.Quit(); });
    // While a row awaits its answer the loop reads the port itself: the answer is decided on
    // and the next row written in the pass the byte arrives.
    m_port.SetOwnerReadsWhile([this] { return m_run.AwaitsAnswer(); });
    m_loop.SetBeforeWait([this] { m_output.Flush(); });
    m_tap.SetListener([this](TrafficDirection direction, std::span<const uint8_t> bytes,
                             TrafficTime time) { m_terminal.OnTraffic(direction, bytes, time); });
}

HeadlessRun::~HeadlessRun()
{
    m_port.Close();
}

int HeadlessRun::Execute()
{
    MonotonicUs();
    if (!m_loop.ok())
        return FailWith("the system gives no event loop wake-up");
    for (const auto step : {&HeadlessRun::LoadTable, &HeadlessRun::CheckResultFiles,
                            &HeadlessRun::OpenPort, &HeadlessRun::StartLog, &HeadlessRun::StartCsv})
        if (const std::string failure = (this->*step)(); !failure.empty())
            return FailWith(failure);
    m_loop.WatchInterrupts([this] { m_run.Interrupt(); });
    // The whole run, lingering included: the program has nothing else to do meanwhile.
    m_priority.SetAllowed(m_options.realtime);
    const RunPriorityRefusals refusals = m_priority.RunChanged(true);
    if (const std::optional<platform::RealtimeRefusal>& refusal = refusals.priority)
        std::fprintf(stderr,
                     "wirevane-run: realtime priority refused (%s), running at normal "
                     "priority; it is granted by %s\n",
                     refusal->reason.c_str(), refusal->remedy.c_str());
    if (const std::optional<platform::RealtimeRefusal>& refusal = refusals.awakeProcessors)
        std::fprintf(stderr,
                     "wirevane-run: idle processors may not be kept awake (%s), running "
                     "without; it is granted by %s\n",
                     refusal->reason.c_str(), refusal->remedy.c_str());
    m_run.Start(ToRunSettings(m_options));
    if (!m_run.finished())
        m_loop.Run();
    m_output.Flush();
    m_priority.RunChanged(false);
    m_stepTimer.Kill();
    m_answerTimer.Kill();
    m_terminal.StopLog();
    const bool csvWritten = StopCsv();
    const int status = Finish();
    return status == 0 && !csvWritten ? 1 : status;
}

std::string HeadlessRun::LoadTable()
{
    if (const platform::FileError error = m_run.Load(m_options.settingsFile); !error.ok())
        return "cannot read " + platform::Utf8FromPath(m_options.settingsFile) + ": " +
               error.message;
    if (!m_run.Allocate())
        return "not enough memory for the receive buffers";
    return {};
}

// The report and the JUnit file are written when the run ends, which can be hours away: a name
// that cannot take them is said now, before the port is opened, rather than after the run. No
// file the run writes may be the settings file or another of its files: each would wipe the
// other, the settings file at once.
std::string HeadlessRun::CheckResultFiles()
{
    struct Output {
        const std::optional<std::filesystem::path>* file;
        const char* what;
        bool writtenAtTheEnd;
    };
    const Output outputs[] = {{&m_options.log, "the log", false},
                              {&m_options.csv, "the CSV file", false},
                              {&m_options.report, "the report", true},
                              {&m_options.junit, "the JUnit file", true}};
    for (auto output = std::begin(outputs); output != std::end(outputs); ++output) {
        if (!*output->file)
            continue;
        const std::filesystem::path& file = **output->file;
        const std::string cannot =
            "cannot write " + std::string(output->what) + " " + platform::Utf8FromPath(file) + ": ";
        if (platform::SameFile(file, m_options.settingsFile))
            return cannot + "it is the settings file being run";
        for (auto other = std::begin(outputs); other != output; ++other)
            if (*other->file && platform::SameFile(file, **other->file))
                return cannot + other->what + " is written there too";
        if (output->writtenAtTheEnd)
            if (const platform::FileError error = platform::CheckReplaceable(file); !error.ok())
                return cannot + error.message;
    }
    return {};
}

std::string HeadlessRun::OpenPort()
{
    const std::string portName =
        m_options.port ? *m_options.port : Utf8(m_run.portSettings().DeviceName());
    const std::string path = PortPath(portName);
    const std::vector<uint8_t> pathBytes(path.begin(), path.end());
    const uint32_t error = m_port.Open(platform::DecodeUtf8(pathBytes),
                                       std::make_unique<platform::LoopMessageTarget>(
                                           m_loop, [this](uint32_t, uintptr_t word, intptr_t) {
                                               m_run.OnSerialMessage(static_cast<uint32_t>(word));
                                           }));
    if (error != 0 || !m_port.IsOpen())
        return PortOpenErrorText(path == portName ? path : portName + " (" + path + ")", path,
                                 error, m_port.LastOpenError());
    if (const std::string refused = ApplyPortSettings(m_port, m_run.portSettings());
        !refused.empty())
        return path + ": " + refused;
    return {};
}

std::string HeadlessRun::StartLog()
{
    if (!m_options.log)
        return {};
    const LogChoice choice{*m_options.log, m_options.logAppend,
                           m_options.logRaw ? LogChoice::RawBytes : LogChoice::ShownText,
                           m_options.logUtf8 ? LogChoice::Utf8 : LogChoice::Cp932};
    if (const platform::FileError error = m_terminal.StartLog(choice); !error.ok())
        return "cannot write the log " + platform::Utf8FromPath(*m_options.log) + ": " +
               error.message;
    m_logFlush.Arm(kLogFlushMs);
    return {};
}

std::string HeadlessRun::StartCsv()
{
    if (!m_options.csv)
        return {};
    if (const std::u16string error = m_csv.Open(*m_options.csv); !error.empty())
        return "cannot write the CSV file " + platform::Utf8FromPath(*m_options.csv) + ": " +
               Utf8(error);
    if (m_options.numbers)
        m_terminal.SetLineFeed(&m_lines);
    else
        m_run.SetMeasurementSink(&m_csv);
    m_logFlush.Arm(kLogFlushMs);
    return {};
}

void HeadlessRun::FlushFiles()
{
    m_terminal.FlushLog();
    m_csv.FlushIfDue();
}

bool HeadlessRun::StopCsv()
{
    if (!m_options.csv)
        return true;
    m_csv.Close();
    if (!m_csv.failure())
        return true;
    std::fprintf(stderr, "wirevane-run: the CSV file %s stopped: %s\n",
                 platform::Utf8FromPath(*m_options.csv).c_str(), m_csv.failure()->message.c_str());
    return false;
}

int HeadlessRun::Finish()
{
    int status = ExitStatus(m_run.outcome());
    if (status == 0 && m_terminal.failed())
        status = 1;
    if (const int error = m_output.writeError()) {
        std::fprintf(stderr,
                     "wirevane-run: cannot write the terminal's text to standard output: %s\n",
                     platform::FileError::fromErrno(error).message.c_str());
        if (status != ExitStatus(RunOutcome::Interrupted))
            status = 1;
    }
    if ((status == 0 || status == 2) && m_run.AnyCheckFailed())
        status = 4;
    if (!m_run.message().empty())
        std::fprintf(stderr, "wirevane-run: %s\n", m_run.message().c_str());
    if (m_options.report && m_run.report()) {
        if (const platform::FileError error = m_run.report()->WriteTo(*m_options.report);
            !error.ok()) {
            std::fprintf(stderr, "wirevane-run: cannot write the report %s: %s\n",
                         platform::Utf8FromPath(*m_options.report).c_str(), error.message.c_str());
            status = 1;
        }
    }
    if (m_options.junit) {
        if (const platform::FileError error = WriteJunit(*m_options.junit, m_options.settingsFile,
                                                         m_run.checks(), m_run.encoding());
            !error.ok()) {
            std::fprintf(stderr, "wirevane-run: cannot write the JUnit file %s: %s\n",
                         platform::Utf8FromPath(*m_options.junit).c_str(), error.message.c_str());
            status = 1;
        }
    }
    return status;
}

} // namespace wirevane::runner
