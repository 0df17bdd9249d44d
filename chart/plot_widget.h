#pragma once

#include "chart/model/chart_axes.h"
#include "chart/model/chart_model.h"
#include "chart/model/decimation.h"

#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace wirevane {

// The plot of a chart model: a real time axis on the local clock, one colour per series with a
// legend, the unit on the value axis, limits as dashed lines with the readings outside them in
// red. The mouse shows the nearest reading; a click marks a reading, a second click shows the
// time and value from the first to it, a third starts again. It paints from the model each time
// it is shown, one pass over the readings in view whatever their number.
class PlotWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlotWidget(const chart::ChartModel& model, QWidget* parent = nullptr);

    // A held view ends where it was when it was held; the readings still come into the model.
    void SetHeld(bool held);
    bool held() const { return m_held; }
    void SetSpan(chart::ChartSpan span);
    chart::ChartSpan span() const { return m_span; }
    // No range: autoscale to what is in view.
    void SetFixedRange(std::optional<chart::ValueRange> range);
    const std::optional<chart::ValueRange>& fixedRange() const { return m_fixedRange; }
    // Forgets the marks, for a cleared chart.
    void Reset();
    // The model has changed: the next paint shows it. Until then, paints (the mouse's among
    // them) draw and search what the last one drew, without going over the points again.
    void ModelChanged();

    // The time range in view now; none while the model is empty.
    std::optional<chart::TimeRange> VisibleRange() const;
    // The readout under the plot: the reading under the mouse, or the two marked and their
    // difference.
    QString ReadoutText() const { return m_readout; }

    // Paints the whole chart into any device, the window's or an image's.
    void Paint(QPainter& painter, QSize size) const;
    // How long the window's last paint took.
    std::chrono::steady_clock::duration lastPaintTime() const { return m_lastPaintTime; }
    static QColor SeriesColour(std::size_t index);

signals:
    void ReadoutChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Mark {
        std::size_t series = 0;
        int64_t timeMs = 0;
        double value = 0;
    };
    // The plot area, the ranges and the points in view, reduced to the plot's columns.
    struct Frame {
        QRect plot;
        chart::TimeRange time;
        chart::ValueRange value;
        std::vector<chart::Decimated> decimated;

        double X(int64_t ms) const
        {
            return plot.left() + double(ms - time.fromMs) * plot.width() /
                                     double(std::max<int64_t>(time.toMs - time.fromMs, 1));
        }
        double Y(double v) const
        {
            return plot.bottom() - chart::ValueFraction(value, v) * plot.height();
        }
        int64_t TimeAt(int x) const
        {
            return time.fromMs + int64_t(double(x - plot.left()) * double(time.toMs - time.fromMs) /
                                         std::max(plot.width(), 1));
        }
    };
    std::optional<Frame> FrameFor(QSize size) const;
    // The frame of the widget's own size, made again only when something it shows changed.
    const std::optional<Frame>& CurrentFrame() const;
    void ViewChanged();
    std::optional<Mark> NearestTo(QPoint at) const;
    QString MarkText(const Mark& mark) const;
    void ShowReadout();

    const chart::ChartModel& m_model;
    chart::ChartSpan m_span = chart::ChartSpan::TenMinutes;
    bool m_held = false;
    std::optional<int64_t> m_heldEnd;
    std::optional<chart::ValueRange> m_fixedRange;
    std::optional<Mark> m_hover;
    std::optional<Mark> m_first;
    std::optional<Mark> m_second;
    std::chrono::steady_clock::duration m_lastPaintTime{};
    mutable std::optional<Frame> m_frame;
    mutable QSize m_frameSize;
    mutable bool m_frameFresh = false;
    QString m_readout;
};

} // namespace wirevane
