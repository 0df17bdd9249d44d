#pragma once

#include "chart/model/line_collector.h"
#include "core/port_access.h"
#include "core/terminal_sink.h"
#include "core/text_encoding.h"
#include "platform/file_error.h"
#include "terminal/comm_edit.h"
#include "terminal/traffic/line_stamper.h"
#include "terminal/traffic/received_text_sink.h"
#include "terminal/traffic/traffic_log.h"
#include "terminal/traffic/traffic_tap.h"

#include <QFont>
#include <QMainWindow>
#include <QTimer>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QAction;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QSplitter;
class QToolBar;

namespace wirevane {

class ChartWindow;
class FindBar;
class HexTrafficView;
class TerminalHost;

// The terminal window: shows the traffic, lets the user type straight to the port, and carries
// the port commands, the shared encoding, the receive line-end conversion, saving, the font and
// the tester-mode switch. Closing it only hides it; its text and choices last for the run.
// Widgets and actions are named by their command or control id (terminal_ids.h).
//
// The window is handed the port its typing goes to and the tap all traffic passes
// (ShowTrafficOf), so it can log the traffic, show it as a hex dump and stamp received lines
// with their read time; the receive handler writes to a ReceivedTextSink over the window so that
// received text is told from report lines. A running log gets what the record gets, as it is
// shown, or the raw bytes; a write error stops it and says so in the record and the status bar,
// and everything else goes on.
class CDialogTerminal : public QMainWindow, public ReceivingTerminal {
    Q_OBJECT
public:
    // How the traffic is shown: the text, the text with the hex dump beside it, or the dump.
    enum class TrafficView { Text, TextAndHex, Hex };

    CDialogTerminal(TerminalHost& host, PortAccess* port, QWidget* parent = nullptr);
    ~CDialogTerminal() override;

    // TerminalSink: appends after the receive conversion, always at the end.
    void AppendText(std::u16string_view text) override;
    // TerminalSink: "[text]\n" after the receive conversion, on a line of its own in the view
    // whatever the conversion; the record and a log keep the text as it is.
    void AppendReport(std::u16string_view text) override;
    // TerminalSink: the markers' words are shown in the interface's language; the record and a
    // log keep them as the engine wrote them, as the saved text always had them.
    void AppendProgress(std::u16string_view words) override;
    bool IsLocalEcho() const override;
    // ReceivingTerminal: as AppendText, each line that begins stamped with the read time when
    // time stamps are on.
    void AppendReceived(std::u16string_view text, TrafficTime readTime) override;

    // Every chunk the tap sees goes to the hex view and a running log; the tap outlives the
    // window.
    void ShowTrafficOf(TrafficTap& tap);

    platform::FileError StartLog(const LogChoice& choice);
    void StopLog();
    bool IsLogging() const { return m_log.running(); }
    // The status bar's log pane: "LOG file" while a log runs, why it stopped after a failure.
    QString LogStatusText() const;
    // The flush turn of a running log, as its timer calls it.
    void FlushLog();

    void SetTimestamps(bool on);
    bool timestamps() const { return m_timestamps; }
    void SetTrafficView(TrafficView view);
    TrafficView trafficView() const { return m_trafficView; }
    HexTrafficView& hexView() { return *m_hexView; }

    void SetStatusText(const QString& text);
    QString StatusText() const;
    // The connection rule's part in this window: connect only while not connected, the other
    // port commands only while connected.
    void UpdateConnectionControls(bool connected);
    // The shared encoding as the main window sets it: menu check marks (SJIS for a value
    // outside 0..2), the combo box and the text area's own field.
    void ShowEncoding(TextEncoding encoding);
    void ShowTesterMode(bool on);
    // The text area alone, as the main window's guard around its dialogs wants it.
    void EnableTextArea(bool enable);

    void ClearText();
    // The whole text as code page 932 bytes without a terminator.
    platform::FileError SaveTextTo(const std::filesystem::path& path);
    void SetTextFont(const QFont& font);

    // The chart is the terminal's: its View menu opens it, its received lines feed it in the
    // numbers-from-lines mode and its File menu records the chart's CSV; it lives as long.
    ChartWindow& chart() { return *m_chart; }
    // Received lines (not in tester mode, whose readings come from the receive handler) go to
    // the chart as the numbers they hold.
    void SetNumbersFromLines(bool on);
    bool numbersFromLines() const { return m_numbersFromLines; }

    CCommEdit& edit() { return *m_edit; }
    FindBar& findBar() { return *m_findBar; }
    const QFont& textFont() const { return m_font; }
    int32_t receiveConversion() const { return m_receiveConversion; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildCentral();
    QSplitter* BuildViews(QWidget* central);
    QHBoxLayout* BuildControlRow(QWidget* central);
    void BuildReceiveCombo(QWidget* central);
    void BuildSendLineEndCombo(QWidget* central);
    void BuildStatusBar();
    int WidthForAWholeHexLine();
    QAction* MakeAction(int id, const QString& text);
    QAction* MakeAction(const char* name, const QString& text);
    void BuildTrafficActions();
    void BuildChartActions();
    void FeedChart(std::u16string_view text, TrafficTime readTime);
    void GroupChoices(QAction* const (&actions)[3], const std::function<void(int)>& chosen);
    void Show(std::u16string_view shown);
    void OnTraffic(TrafficDirection direction, std::span<const uint8_t> bytes, TrafficTime time);
    void OnEchoed(std::u16string_view echoed);
    void OnStartLog();
    void LogFailed();
    void ShowLogState();

    void OnSave();
    void OnChangeFont();
    void OnToggleTester();
    void OnEncodingCombo(int index);

    TerminalHost& m_host;
    QFont m_font;
    int32_t m_receiveConversion = 0;

    LineStamper m_stamper;
    bool m_timestamps = false;
    TrafficLog m_log;
    LogChoice m_lastLog;
    QTimer m_logFlush;
    QString m_logStopped;
    TrafficView m_trafficView = TrafficView::Text;
    std::unique_ptr<ChartWindow> m_chart;
    chart::LineCollector m_lines;
    bool m_numbersFromLines = false;

    CCommEdit* m_edit = nullptr;
    FindBar* m_findBar = nullptr;
    QCheckBox* m_localEchoButton = nullptr;
    QComboBox* m_sendLineEndCombo = nullptr;
    QComboBox* m_receiveCombo = nullptr;
    QComboBox* m_encodingCombo = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_statusPane = nullptr;
    QLabel* m_logPane = nullptr;
    QSplitter* m_views = nullptr;
    HexTrafficView* m_hexView = nullptr;

    QAction* m_connect = nullptr;
    QAction* m_settings = nullptr;
    QAction* m_disconnect = nullptr;
    QAction* m_break = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_fontAction = nullptr;
    QAction* m_tester = nullptr;
    QAction* m_encodingActions[3] = {};
    QAction* m_startLog = nullptr;
    QAction* m_stopLog = nullptr;
    QAction* m_timestampAction = nullptr;
    QAction* m_viewActions[3] = {};
    QAction* m_chartAction = nullptr;
    QAction* m_numbersAction = nullptr;
    QAction* m_startCsv = nullptr;
};

} // namespace wirevane
