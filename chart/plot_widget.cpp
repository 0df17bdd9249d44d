#include "chart/plot_widget.h"

#include "chart/model/decimation.h"

#include <QDateTime>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace wirevane {

namespace {

constexpr int kLeft = 72;
constexpr int kRight = 16;
constexpr int kTop = 12;
constexpr int kBottom = 44;
constexpr int kTimeLabelGapPx = 90;
constexpr int kNearestReachPx = 12;
// Points looked at around the mouse; a column can hold many more, and the readout must not
// make the mouse slow.
constexpr std::size_t kNearestScanLimit = 20000;
const QColor kOutside(0xd3, 0x2f, 0x2f);

QString Text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QString ValueText(double value)
{
    return QString::number(value, 'g', 7);
}

QString ClockText(int64_t ms, int64_t stepMs, bool withDate)
{
    const QDateTime time = QDateTime::fromMSecsSinceEpoch(ms);
    QString format = stepMs < 60'000 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm");
    if (withDate)
        format.prepend(QStringLiteral("MM-dd "));
    return time.toString(format);
}

int64_t UtcOffsetMs()
{
    return int64_t{QDateTime::currentDateTime().offsetFromUtc()} * 1000;
}

} // namespace

PlotWidget::PlotWidget(const chart::ChartModel& model, QWidget* parent)
    : QWidget(parent), m_model(model)
{
    setMouseTracking(true);
    setMinimumSize(320, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotWidget::SetHeld(bool held)
{
    m_held = held;
    m_heldEnd = held ? m_model.lastTime() : std::nullopt;
    ViewChanged();
}

void PlotWidget::SetSpan(chart::ChartSpan span)
{
    m_span = span;
    ViewChanged();
}

void PlotWidget::SetFixedRange(std::optional<chart::ValueRange> range)
{
    m_fixedRange = range;
    ViewChanged();
}

void PlotWidget::Reset()
{
    m_hover.reset();
    m_first.reset();
    m_second.reset();
    m_heldEnd.reset();
    ShowReadout();
    ViewChanged();
}

void PlotWidget::ModelChanged()
{
    ViewChanged();
}

void PlotWidget::ViewChanged()
{
    m_frameFresh = false;
    update();
}

const std::optional<PlotWidget::Frame>& PlotWidget::CurrentFrame() const
{
    if (!m_frameFresh || m_frameSize != size()) {
        m_frame = FrameFor(size());
        m_frameSize = size();
        m_frameFresh = true;
    }
    return m_frame;
}

std::optional<chart::TimeRange> PlotWidget::VisibleRange() const
{
    if (!m_model.firstTime())
        return std::nullopt;
    // A view held while there was nothing to hold follows the readings.
    const int64_t end = m_heldEnd ? *m_heldEnd : *m_model.lastTime();
    return chart::VisibleRange(m_span, std::min(*m_model.firstTime(), end), end);
}

std::optional<PlotWidget::Frame> PlotWidget::FrameFor(QSize size) const
{
    const std::optional<chart::TimeRange> range = VisibleRange();
    const QRect plot(kLeft, kTop, size.width() - kLeft - kRight, size.height() - kTop - kBottom);
    if (!range || plot.width() <= 0 || plot.height() <= 0)
        return std::nullopt;
    Frame frame{plot, *range, {}, {}};
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    for (const auto& series : m_model.series()) {
        frame.decimated.push_back(
            chart::Decimate(series->ring, range->fromMs, range->toMs, plot.width()));
        low = std::min(low, frame.decimated.back().stats.min);
        high = std::max(high, frame.decimated.back().stats.max);
    }
    frame.value = m_fixedRange ? *m_fixedRange : chart::AutoRange(low, high);
    return frame;
}

QColor PlotWidget::SeriesColour(std::size_t index)
{
    // Told apart by people with the commoner colour blindness, and none of them the red of an
    // out-of-range reading.
    static const QColor colours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0x2c, 0xa0, 0x2c),
                                     QColor(0xff, 0x7f, 0x0e), QColor(0x94, 0x67, 0xbd),
                                     QColor(0x8c, 0x56, 0x4b), QColor(0x17, 0xbe, 0xcf),
                                     QColor(0xbc, 0xbd, 0x22), QColor(0x7f, 0x7f, 0x7f)};
    return colours[index % std::size(colours)];
}

void PlotWidget::paintEvent(QPaintEvent*)
{
    const auto start = std::chrono::steady_clock::now();
    QPainter painter(this);
    Paint(painter, size());
    m_lastPaintTime = std::chrono::steady_clock::now() - start;
}

void PlotWidget::Paint(QPainter& painter, QSize size) const
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const std::optional<Frame> other = size == this->size() ? std::nullopt : FrameFor(size);
    const std::optional<Frame>& frame = size == this->size() ? CurrentFrame() : other;
    if (!frame) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter,
                         tr("読み取り値はまだありません"));
        return;
    }
    const QRect& plot = frame->plot;
    const QFontMetrics metrics(font());
    painter.setFont(font());

    // The grid and its labels.
    const QColor gridColour(0xe0, 0xe0, 0xe0);
    const QColor labelColour(0x40, 0x40, 0x40);
    for (const double tick : chart::ValueTicks(frame->value, std::max(plot.height() / 40, 2))) {
        const double y = frame->Y(tick);
        painter.setPen(gridColour);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(labelColour);
        painter.drawText(QRectF(0, y - 10, kLeft - 6, 20), Qt::AlignRight | Qt::AlignVCenter,
                         ValueText(tick));
    }
    const chart::TimeTicks ticks =
        chart::ChooseTimeTicks(frame->time, plot.width(), kTimeLabelGapPx, UtcOffsetMs());
    const bool withDate = frame->time.toMs - frame->time.fromMs > 86'400'000;
    for (const int64_t tick : ticks.ticks) {
        const double x = frame->X(tick);
        painter.setPen(gridColour);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(labelColour);
        painter.drawText(QRectF(x - kTimeLabelGapPx / 2.0, plot.bottom() + 4, kTimeLabelGapPx, 18),
                         Qt::AlignCenter, ClockText(tick, ticks.stepMs, withDate));
    }
    painter.drawText(QRect(plot.left(), plot.bottom() + 22, plot.width(), 18), Qt::AlignCenter,
                     tr("時刻 (目盛 %1)").arg(Text(chart::StepText(ticks.stepMs))));
    std::set<std::string> units;
    for (const auto& series : m_model.series()) {
        if (!series->unit.empty())
            units.insert(series->unit);
    }
    QStringList unitTexts;
    for (const std::string& unit : units)
        unitTexts << Text(unit);
    painter.save();
    painter.translate(12, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-plot.height() / 2, -10, plot.height(), 20), Qt::AlignCenter,
                     unitTexts.join(QStringLiteral(", ")));
    painter.restore();

    painter.save();
    painter.setClipRect(plot);
    // The series the frame holds: one that came since it was made waits for the next refresh.
    for (std::size_t s = 0; s < frame->decimated.size(); ++s) {
        const chart::ChartSeries& series = *m_model.series()[s];
        const auto& columns = frame->decimated[s].columns;
        const chart::SeriesLimits limits = m_model.LimitsOf(series.key);
        QVector<QLineF> lines;
        QVector<QRectF> outside;
        const chart::ColumnRange* previous = nullptr;
        double previousX = 0;
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const chart::ColumnRange& column = columns[k];
            if (!column.any)
                continue;
            const double x = plot.left() + double(k) + 0.5;
            if (previous != nullptr)
                lines.append(
                    QLineF(previousX, frame->Y(previous->last), x, frame->Y(column.first)));
            lines.append(QLineF(x, frame->Y(column.min), x, frame->Y(column.max)));
            if (limits.high && column.max > *limits.high)
                outside.append(QRectF(x - 2, frame->Y(column.max) - 2, 4, 4));
            if (limits.low && column.min < *limits.low)
                outside.append(QRectF(x - 2, frame->Y(column.min) - 2, 4, 4));
            previous = &column;
            previousX = x;
        }
        painter.setPen(QPen(SeriesColour(s), 1.5));
        painter.drawLines(lines);
        QPen limitPen(SeriesColour(s), 1, Qt::DashLine);
        painter.setPen(limitPen);
        for (const std::optional<double>& limit : {limits.low, limits.high}) {
            if (limit)
                painter.drawLine(QPointF(plot.left(), frame->Y(*limit)),
                                 QPointF(plot.right(), frame->Y(*limit)));
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(kOutside);
        painter.drawRects(outside);
        painter.setBrush(Qt::NoBrush);
    }
    // The marks and the reading under the mouse.
    const auto drawMark = [&](const Mark& mark, const QString& label) {
        const QPointF at(frame->X(mark.timeMs), frame->Y(mark.value));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawEllipse(at, 4, 4);
        if (!label.isEmpty())
            painter.drawText(at + QPointF(6, -6), label);
    };
    if (m_hover) {
        painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 1, Qt::DotLine));
        const double x = frame->X(m_hover->timeMs);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        drawMark(*m_hover, QString());
    }
    if (m_first)
        drawMark(*m_first, QStringLiteral("1"));
    if (m_second)
        drawMark(*m_second, QStringLiteral("2"));
    painter.restore();

    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(plot.adjusted(0, 0, -1, -1));

    // The legend, in the plot's top left corner.
    int y = plot.top() + 6;
    int width = 0;
    for (const auto& series : m_model.series())
        width = std::max(width, metrics.horizontalAdvance(Text(series->key)));
    const int rowHeight = metrics.height() + 2;
    const QRect legend(plot.left() + 6, y, width + 30,
                       rowHeight * int(m_model.series().size()) + 6);
    painter.fillRect(legend, QColor(255, 255, 255, 220));
    painter.setPen(QColor(0xb0, 0xb0, 0xb0));
    painter.drawRect(legend);
    y += 3;
    for (std::size_t s = 0; s < m_model.series().size(); ++s) {
        painter.fillRect(QRect(legend.left() + 6, y + rowHeight / 2 - 2, 14, 4), SeriesColour(s));
        painter.setPen(Qt::black);
        painter.drawText(QRect(legend.left() + 24, y, width + 4, rowHeight), Qt::AlignVCenter,
                         Text(m_model.series()[s]->key));
        y += rowHeight;
    }
}

std::optional<PlotWidget::Mark> PlotWidget::NearestTo(QPoint at) const
{
    const std::optional<Frame>& frame = CurrentFrame();
    if (!frame || !frame->plot.adjusted(-kNearestReachPx, 0, kNearestReachPx, 0).contains(at))
        return std::nullopt;
    std::optional<Mark> nearest;
    double best = std::numeric_limits<double>::infinity();
    const int64_t from = frame->TimeAt(at.x() - kNearestReachPx);
    const int64_t to = frame->TimeAt(at.x() + kNearestReachPx);
    for (std::size_t s = 0; s < m_model.series().size(); ++s) {
        const chart::SeriesRing& ring = m_model.series()[s]->ring;
        const std::size_t end = std::min(ring.size(), ring.LowerBound(from) + kNearestScanLimit);
        for (std::size_t i = ring.LowerBound(std::max(from, frame->time.fromMs)); i < end; ++i) {
            const chart::ChartPoint& point = ring[i];
            if (point.timeMs > std::min(to, frame->time.toMs))
                break;
            if (std::isnan(point.value))
                continue;
            const double dx = frame->X(point.timeMs) - at.x();
            const double dy = frame->Y(point.value) - at.y();
            const double distance = dx * dx + dy * dy;
            if (distance < best) {
                best = distance;
                nearest = Mark{s, point.timeMs, point.value};
            }
        }
    }
    return nearest;
}

QString PlotWidget::MarkText(const Mark& mark) const
{
    const chart::ChartSeries& series = *m_model.series()[mark.series];
    return QStringLiteral("%1  %2  %3 %4")
        .arg(Text(series.key),
             QDateTime::fromMSecsSinceEpoch(mark.timeMs).toString(QStringLiteral("HH:mm:ss.zzz")),
             ValueText(mark.value), Text(series.unit))
        .trimmed();
}

void PlotWidget::ShowReadout()
{
    QString text;
    if (m_first && m_second) {
        text =
            tr("1: %1   2: %2   差: %3 s, %4")
                .arg(MarkText(*m_first), MarkText(*m_second),
                     QString::number(
                         static_cast<double>(m_second->timeMs - m_first->timeMs) / 1000.0, 'f', 3),
                     ValueText(m_second->value - m_first->value));
    } else if (m_first) {
        text = tr("1: %1   (2 点目をクリック)").arg(MarkText(*m_first));
    } else if (m_hover) {
        text = MarkText(*m_hover);
    }
    if (text == m_readout)
        return;
    m_readout = text;
    emit ReadoutChanged(text);
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event)
{
    m_hover = NearestTo(event->position().toPoint());
    ShowReadout();
    update();
}

void PlotWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const std::optional<Mark> mark = NearestTo(event->position().toPoint());
    if (!mark)
        return;
    if (!m_first || m_second) {
        m_first = mark;
        m_second.reset();
    } else {
        m_second = mark;
    }
    ShowReadout();
    update();
}

void PlotWidget::leaveEvent(QEvent*)
{
    m_hover.reset();
    ShowReadout();
    update();
}

} // namespace wirevane
