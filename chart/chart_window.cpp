#include "chart/chart_window.h"

#include "chart/model/decimation.h"
#include "chart/plot_widget.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace wirevane {

namespace {

// Often enough to follow a meter, rarely enough that a flood of lines costs the window little.
constexpr int kRefreshMs = 100;
// A paint goes over every point in view: eight series of eight million points, the span "all"
// after a few hours of a fast device, take a third of a second or more. Refreshed every 100 ms the
// window would do little else, and its port and terminal would wait behind it. The next refresh
// waits this many times the last paint, so painting keeps at most a fifth of the window's time.
constexpr int kPaintWaitFactor = 4;
// As the terminal's log: a crash loses at most the recorder's flush interval and this.
constexpr int kCsvFlushTurnMs = 50;

QString Text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QString Number(double value)
{
    return std::isfinite(value) ? QString::number(value, 'g', 7) : QStringLiteral("-");
}

QString Clock(int64_t ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

// Empty is no value; anything else must be a finite number.
bool ReadField(const QLineEdit* field, std::optional<double>& value)
{
    const QString text = field->text().trimmed();
    value.reset();
    if (text.isEmpty())
        return true;
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return false;
    value = number;
    return true;
}

QString FieldText(const std::optional<double>& value)
{
    return value ? QString::number(*value, 'g', 12) : QString();
}

QLineEdit* MakeField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setClearButtonEnabled(true);
    return field;
}

} // namespace

ChartWindow::ChartWindow(std::function<std::filesystem::path()> filesFolder,
                         std::size_t pointsPerSeries, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_model(pointsPerSeries),
      m_filesFolder(std::move(filesFolder))
{
    setObjectName(QStringLiteral("chart"));
    setWindowTitle(tr("グラフ"));
    setWindowIcon(style()->standardIcon(QStyle::SP_ComputerIcon));

    m_plot = new PlotWidget(m_model, this);
    m_plot->setObjectName(QStringLiteral("plot"));
    BuildActions();
    BuildMenus();

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    auto* plotColumn = new QVBoxLayout;
    plotColumn->addWidget(m_plot, 1);
    m_readout = new QLabel(central);
    m_readout->setObjectName(QStringLiteral("readout"));
    m_readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    plotColumn->addWidget(m_readout);
    m_stats = new QLabel(central);
    m_stats->setObjectName(QStringLiteral("stats"));
    m_stats->setTextFormat(Qt::RichText);
    m_stats->setTextInteractionFlags(Qt::TextSelectableByMouse);
    plotColumn->addWidget(m_stats);
    layout->addLayout(plotColumn, 1);
    layout->addWidget(BuildSidePanel());
    setCentralWidget(central);
    connect(m_plot, &PlotWidget::ReadoutChanged, m_readout, &QLabel::setText);

    m_csvPane = new QLabel(statusBar());
    m_csvPane->setObjectName(QStringLiteral("csv-pane"));
    statusBar()->addWidget(m_csvPane, 1);

    m_refresh.setSingleShot(true);
    connect(&m_refresh, &QTimer::timeout, this, &ChartWindow::Refresh);
    m_csvFlush.setInterval(kCsvFlushTurnMs);
    connect(&m_csvFlush, &QTimer::timeout, this, &ChartWindow::FlushCsv);
    ShowCsvState();
    Refresh();
    resize(960, 600);
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::BuildActions()
{
    m_pause = new QAction(tr("一時停止"), this);
    m_pause->setObjectName(QStringLiteral("pause"));
    m_pause->setCheckable(true);
    m_pause->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    m_pause->setToolTip(tr("表示を止めます。読み取り値はその間も記録されます"));
    connect(m_pause, &QAction::toggled, this, &ChartWindow::SetPaused);

    m_clear = new QAction(tr("クリア"), this);
    m_clear->setObjectName(QStringLiteral("clear"));
    m_clear->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    connect(m_clear, &QAction::triggered, this, &ChartWindow::Clear);

    const char* names[4] = {"span-1min", "span-10min", "span-1h", "span-all"};
    const QString texts[4] = {tr("1 分"), tr("10 分"), tr("1 時間"), tr("すべて")};
    auto* group = new QActionGroup(this);
    for (int i = 0; i < 4; ++i) {
        m_spans[i] = new QAction(texts[i], this);
        m_spans[i]->setObjectName(QString::fromLatin1(names[i]));
        m_spans[i]->setCheckable(true);
        group->addAction(m_spans[i]);
        connect(m_spans[i], &QAction::triggered, this,
                [this, i] { m_plot->SetSpan(static_cast<chart::ChartSpan>(i)); });
    }
    m_spans[static_cast<int>(m_plot->span())]->setChecked(true);

    m_startCsv = new QAction(tr("CSV 記録開始..."), this);
    m_startCsv->setObjectName(QStringLiteral("csv-start"));
    connect(m_startCsv, &QAction::triggered, this, [this] { StartCsvFrom(this); });
    m_stopCsv = new QAction(tr("CSV 記録停止"), this);
    m_stopCsv->setObjectName(QStringLiteral("csv-stop"));
    connect(m_stopCsv, &QAction::triggered, this, &ChartWindow::StopCsv);
    m_saveCsv = new QAction(tr("CSV に保存..."), this);
    m_saveCsv->setObjectName(QStringLiteral("csv-save"));
    connect(m_saveCsv, &QAction::triggered, this, [this] { SaveCsvFrom(this); });
}

void ChartWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("ファイル"));
    file->addAction(m_startCsv);
    file->addAction(m_stopCsv);
    file->addAction(m_saveCsv);
    file->addSeparator();
    file->addAction(tr("閉じる"), this, &QWidget::hide);

    QMenu* view = menuBar()->addMenu(tr("表示"));
    view->addAction(m_pause);
    view->addAction(m_clear);
    view->addSeparator();
    for (QAction* span : m_spans)
        view->addAction(span);

    QToolBar* bar = addToolBar(tr("グラフ"));
    bar->setObjectName(QStringLiteral("chart-toolbar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addAction(m_pause);
    bar->addAction(m_clear);
    bar->addSeparator();
    for (QAction* span : m_spans)
        bar->addAction(span);
}

QWidget* ChartWindow::BuildSidePanel()
{
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    auto* range = new QGroupBox(tr("値の範囲"), panel);
    auto* rangeForm = new QFormLayout(range);
    m_autoscale = new QCheckBox(tr("自動"), range);
    m_autoscale->setObjectName(QStringLiteral("autoscale"));
    m_autoscale->setChecked(true);
    m_rangeLow = MakeField("range-low", range);
    m_rangeHigh = MakeField("range-high", range);
    rangeForm->addRow(m_autoscale);
    rangeForm->addRow(tr("下"), m_rangeLow);
    rangeForm->addRow(tr("上"), m_rangeHigh);
    connect(m_autoscale, &QCheckBox::toggled, this, &ChartWindow::ApplyRange);
    connect(m_rangeLow, &QLineEdit::returnPressed, this, &ChartWindow::ApplyRange);
    connect(m_rangeHigh, &QLineEdit::returnPressed, this, &ChartWindow::ApplyRange);
    column->addWidget(range);

    auto* limits = new QGroupBox(tr("リミット"), panel);
    auto* limitsForm = new QFormLayout(limits);
    m_limitSeries = new QComboBox(limits);
    m_limitSeries->setObjectName(QStringLiteral("limit-series"));
    m_limitSeries->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_limitLow = MakeField("limit-low", limits);
    m_limitHigh = MakeField("limit-high", limits);
    auto* apply = new QPushButton(tr("設定"), limits);
    apply->setObjectName(QStringLiteral("limit-apply"));
    limitsForm->addRow(tr("系列"), m_limitSeries);
    limitsForm->addRow(tr("下限"), m_limitLow);
    limitsForm->addRow(tr("上限"), m_limitHigh);
    limitsForm->addRow(apply);
    connect(apply, &QPushButton::clicked, this, &ChartWindow::ApplyLimits);
    connect(m_limitLow, &QLineEdit::returnPressed, this, &ChartWindow::ApplyLimits);
    connect(m_limitHigh, &QLineEdit::returnPressed, this, &ChartWindow::ApplyLimits);
    connect(m_limitSeries, &QComboBox::currentIndexChanged, this,
            &ChartWindow::ShowLimitsOfChosenSeries);
    column->addWidget(limits);

    m_notice = new QLabel(panel);
    m_notice->setObjectName(QStringLiteral("notice"));
    m_notice->setWordWrap(true);
    m_notice->setMaximumWidth(220);
    column->addWidget(m_notice);
    column->addStretch(1);
    return panel;
}

void ChartWindow::AddMeasurement(const Measurement& m)
{
    m_model.AddMeasurement(m);
    if (m_recorder.IsOpen())
        m_recorder.AddMeasurement(m);
    if (!m_refresh.isActive())
        m_refresh.start(RefreshDelay());
}

std::chrono::milliseconds ChartWindow::RefreshDelay() const
{
    const auto paint =
        std::chrono::ceil<std::chrono::milliseconds>(m_plot->lastPaintTime() * kPaintWaitFactor);
    return std::max(std::chrono::milliseconds(kRefreshMs), paint);
}

void ChartWindow::Refresh()
{
    // The series a limit can be set for: those with readings and those with stored limits.
    QStringList keys;
    for (const auto& series : m_model.series())
        keys << Text(series->key);
    for (const auto& [key, limits] : m_model.limits()) {
        if (!keys.contains(Text(key)))
            keys << Text(key);
    }
    QStringList shown;
    for (int i = 0; i < m_limitSeries->count(); ++i)
        shown << m_limitSeries->itemText(i);
    if (shown != keys) {
        const QString chosen = m_limitSeries->currentText();
        const QSignalBlocker blocker(m_limitSeries);
        m_limitSeries->clear();
        m_limitSeries->addItems(keys);
        m_limitSeries->setCurrentIndex(std::max<int>(int(keys.indexOf(chosen)), 0));
        ShowLimitsOfChosenSeries();
    }

    QStringList notices;
    if (m_model.wrapped())
        notices << tr("メモリの上限 (系列ごとに %1 点、1 点 16 バイト) に達したため、"
                      "古い読み取り値から捨てています")
                       .arg(m_model.pointsPerSeries());
    if (m_model.ignoredReadings() > 0)
        notices << tr("系列は %1 個までです。ほかの系列の読み取り値 %2 個は表示しません")
                       .arg(chart::ChartModel::kMaxSeries)
                       .arg(m_model.ignoredReadings());
    m_notice->setText(notices.join(u'\n'));
    m_stats->setText(StatisticsText());
    m_plot->ModelChanged();
}

QString ChartWindow::StatisticsText() const
{
    if (m_model.series().empty())
        return QString();
    const std::optional<chart::TimeRange> range = m_plot->VisibleRange();
    // A gap of about two characters after each column, so that neighbouring numbers, which
    // are of any width, never read as one.
    const int gap = 2 * m_stats->fontMetrics().horizontalAdvance(u'0');
    QString html = QStringLiteral("<style>th, td { padding: 2px %1px 2px 2px; }</style>"
                                  "<table cellspacing=\"0\"><tr>")
                       .arg(gap);
    for (const QString& head : {tr("系列"), tr("範囲"), tr("個数"), tr("最小"), tr("最大"),
                                tr("平均"), tr("最新"), tr("範囲外"), tr("最後の範囲外")})
        html += QStringLiteral("<th align=\"left\">%1</th>").arg(head.toHtmlEscaped());
    html += QStringLiteral("</tr>");
    const auto row = [&](const QString& series, const QString& which,
                         const chart::SeriesStats& stats, const QString& outside,
                         const QString& lastOutside) {
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td>"
                               "<td>%6</td><td>%7</td><td>%8</td><td>%9</td></tr>")
                    .arg(series.toHtmlEscaped(), which, QString::number(stats.count),
                         Number(stats.min), Number(stats.max), Number(stats.mean()),
                         Number(stats.last), outside, lastOutside);
    };
    for (const auto& series : m_model.series()) {
        const chart::SeriesStats visible =
            range ? chart::Decimate(series->ring, range->fromMs, range->toMs, 1).stats
                  : chart::SeriesStats{};
        row(Text(series->key), tr("表示中"), visible, QString(), QString());
        const bool limited = m_model.LimitsOf(series->key).set();
        const QString outside = limited ? QString::number(series->outside) : QString();
        QString lastOutside;
        if (series->lastOutside)
            lastOutside = QStringLiteral("<span style=\"color:#d32f2f\">%1</span>")
                              .arg(Clock(*series->lastOutside));
        row(QString(), tr("全体"), series->all, outside, lastOutside);
    }
    return html + QStringLiteral("</table>");
}

void ChartWindow::Clear()
{
    m_model.Clear();
    m_plot->Reset();
    Refresh();
}

void ChartWindow::SetPaused(bool paused)
{
    if (m_pause->isChecked() != paused)
        m_pause->setChecked(paused);
    m_plot->SetHeld(paused);
    Refresh();
}

void ChartWindow::Refused(QLineEdit* field, const QString& why)
{
    field->setStyleSheet(QStringLiteral("background: #ffebee;"));
    statusBar()->showMessage(why, 5000);
    field->setFocus();
}

void ChartWindow::ApplyRange()
{
    m_rangeLow->setStyleSheet(QString());
    m_rangeHigh->setStyleSheet(QString());
    m_rangeLow->setEnabled(!m_autoscale->isChecked());
    m_rangeHigh->setEnabled(!m_autoscale->isChecked());
    if (m_autoscale->isChecked()) {
        m_plot->SetFixedRange(std::nullopt);
        return;
    }
    std::optional<double> low;
    std::optional<double> high;
    if (!ReadField(m_rangeLow, low) || !low)
        return Refused(m_rangeLow, tr("数値を入力してください"));
    if (!ReadField(m_rangeHigh, high) || !high)
        return Refused(m_rangeHigh, tr("数値を入力してください"));
    if (!(*low < *high))
        return Refused(m_rangeHigh, tr("上は下より大きくしてください"));
    m_plot->SetFixedRange(chart::ValueRange{*low, *high});
}

void ChartWindow::ShowLimitsOfChosenSeries()
{
    const chart::SeriesLimits limits = m_model.LimitsOf(m_limitSeries->currentText().toStdString());
    m_limitLow->setText(FieldText(limits.low));
    m_limitHigh->setText(FieldText(limits.high));
    m_limitLow->setStyleSheet(QString());
    m_limitHigh->setStyleSheet(QString());
}

void ChartWindow::ApplyLimits()
{
    if (m_limitSeries->currentText().isEmpty())
        return;
    m_limitLow->setStyleSheet(QString());
    m_limitHigh->setStyleSheet(QString());
    chart::SeriesLimits limits;
    if (!ReadField(m_limitLow, limits.low))
        return Refused(m_limitLow, tr("数値を入力するか、空にしてください"));
    if (!ReadField(m_limitHigh, limits.high))
        return Refused(m_limitHigh, tr("数値を入力するか、空にしてください"));
    if (limits.low && limits.high && *limits.low > *limits.high)
        return Refused(m_limitHigh, tr("上限は下限以上にしてください"));
    const std::string key = m_limitSeries->currentText().toStdString();
    if (m_model.LimitsOf(key) == limits)
        return;
    m_model.SetLimits(key, limits);
    if (limitsChanged)
        limitsChanged(chart::LimitsText(m_model.limits()));
    Refresh();
}

void ChartWindow::SetStoredLimits(std::string_view text)
{
    for (const auto& [key, limits] : chart::ParseLimitsText(text))
        m_model.SetLimits(key, limits);
    Refresh();
}

void ChartWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

} // namespace wirevane
