#pragma once

#include "platform/wait_loop.h"
#include "serial/run_priority.h"
#include "serial/serial_mfc.h"
#include "serial/serial_port_access.h"
#include "terminal/traffic/csv_recorder.h"
#include "terminal/traffic/received_text_sink.h"
#include "terminal/traffic/traffic_tap.h"
#include "tools/wirevane-run/headless_terminal.h"
#include "tools/wirevane-run/line_number_feed.h"
#include "tools/wirevane-run/run_driver.h"
#include "tools/wirevane-run/run_options.h"
#include "tools/wirevane-run/utf8_output_sink.h"

#include <string>

namespace wirevane::runner {

// Writes "wirevane-run: MESSAGE" to standard error; the exit status of a failed run.
int FailWith(const std::string& message);

// One run of the command line's table on the system's own event loop, standard output and
// serial port, from loading the file to the exit status.
class HeadlessRun {
public:
    explicit HeadlessRun(const RunOptions& options);
    // The port's event thread is joined before the loop it posts to goes.
    ~HeadlessRun();
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    // The exit status.
    int Execute();

private:
    // Each answers the reason the run cannot start, empty when it can.
    std::string LoadTable();
    std::string CheckResultFiles();
    std::string OpenPort();
    std::string StartLog();
    std::string StartCsv();
    void FlushFiles();
    // False when the CSV file stopped on a write error; standard error says why.
    bool StopCsv();
    int Finish();

    const RunOptions& m_options;
    platform::WaitLoop m_loop;
    Utf8OutputSink m_output;
    HeadlessTerminal m_terminal;
    // Its notifications and write completions come back as calls on the loop.
    CSerialMFC m_port;
    RunPriority m_priority{m_port};
    SerialPortAccess m_access;
    TrafficTap m_tap;
    ReceivedTextSink m_receivedText;
    platform::LoopStepTimer m_stepTimer;
    platform::LoopStepTimer m_answerTimer;
    // Writes the log and the CSV file out every 50 ms while the run goes on.
    platform::LoopStepTimer m_logFlush;
    CsvRecorder m_csv;
    LineNumberFeed m_lines{m_csv};
    RunDriver m_run;
};

} // namespace wirevane::runner
