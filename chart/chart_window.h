#pragma once

#include "chart/model/chart_model.h"
#include "core/measurement.h"
#include "terminal/traffic/csv_recorder.h"

#include <QMainWindow>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace wirevane {

class PlotWidget;

// The chart window: the readings of the meter or the numbers of the device's lines against real
// time, with pause, clear, the visible span, a fixed or automatic value range, limits per series,
// statistics, and CSV (recording as readings come, or saving what the chart holds). It takes
// every reading whether it is shown or not, so nothing is missed while it is closed; closing
// only hides it, and its data and choices last for the program's run. Widgets and actions carry
// object names that the tests use.
class ChartWindow : public QMainWindow, public MeasurementSink {
    Q_OBJECT
public:
    // filesFolder: where the file dialogs start. pointsPerSeries bounds the memory (16 bytes a
    // point).
    explicit ChartWindow(std::function<std::filesystem::path()> filesFolder,
                         std::size_t pointsPerSeries = chart::SeriesRing::kDefaultCapacity,
                         QWidget* parent = nullptr);
    ~ChartWindow() override;

    void AddMeasurement(const Measurement& m) override;

    // The statistics, the series lists and the notices, as the refresh timer brings them up to
    // date after readings came.
    void Refresh();
    void Clear();
    void SetPaused(bool paused);

    // The limits as the settings file keeps them; told whenever the user changes them.
    void SetStoredLimits(std::string_view text);
    std::function<void(const std::string& text)> limitsChanged;

    // Errors as texts, empty on success.
    std::u16string StartCsv(const std::filesystem::path& path);
    void StopCsv();
    bool IsRecordingCsv() const { return m_recorder.IsOpen(); }
    std::u16string SaveCsvTo(const std::filesystem::path& path) const;
    // The start of a recording as the user asks for it, from this window or the terminal.
    void StartCsvFrom(QWidget* dialogParent);

    const chart::ChartModel& model() const { return m_model; }
    PlotWidget& plot() { return *m_plot; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // How long the next refresh waits after readings came: longer when painting is slow.
    std::chrono::milliseconds RefreshDelay() const;
    void BuildActions();
    void BuildMenus();
    QWidget* BuildSidePanel();
    void ApplyRange();
    void ApplyLimits();
    void ShowLimitsOfChosenSeries();
    void ShowCsvState();
    void FlushCsv();
    void SaveCsvFrom(QWidget* dialogParent);
    QString StatisticsText() const;
    void Refused(QLineEdit* field, const QString& why);

    chart::ChartModel m_model;
    CsvRecorder m_recorder;
    std::filesystem::path m_csvPath;
    std::function<std::filesystem::path()> m_filesFolder;
    QTimer m_refresh;
    QTimer m_csvFlush;

    PlotWidget* m_plot = nullptr;
    QAction* m_pause = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_spans[4] = {};
    QAction* m_startCsv = nullptr;
    QAction* m_stopCsv = nullptr;
    QAction* m_saveCsv = nullptr;
    QCheckBox* m_autoscale = nullptr;
    QLineEdit* m_rangeLow = nullptr;
    QLineEdit* m_rangeHigh = nullptr;
    QComboBox* m_limitSeries = nullptr;
    QLineEdit* m_limitLow = nullptr;
    QLineEdit* m_limitHigh = nullptr;
    QLabel* m_stats = nullptr;
    QLabel* m_notice = nullptr;
    QLabel* m_readout = nullptr;
    QLabel* m_csvPane = nullptr;
};

} // namespace wirevane
