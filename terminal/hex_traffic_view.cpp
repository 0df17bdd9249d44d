#include "terminal/hex_traffic_view.h"

#include "grid/fixed_pitch_font.h"
#include "platform/screen_frame.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

namespace wirevane {

namespace {

constexpr int kMargin = 4;
// "RX 00000000" and 16 bytes with their gaps and their text: the longest line there is.
constexpr int kLineLength = 78;

} // namespace

HexTrafficView::HexTrafficView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFont(FixedPitchFont(QFontInfo(font()).pixelSize()));
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(kScreenFrameMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &HexTrafficView::FlushPending);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
}

int HexTrafficView::LineWidth() const
{
    return fontMetrics().horizontalAdvance(QString(kLineLength, u'0')) + 2 * kMargin;
}

QSize HexTrafficView::minimumSizeHint() const
{
    // The whole line, so the text column is never pushed out of sight beside the text area.
    const int frame = 2 * frameWidth();
    return QSize(LineWidth() + verticalScrollBar()->sizeHint().width() + frame,
                 QAbstractScrollArea::minimumSizeHint().height());
}

QSize HexTrafficView::sizeHint() const
{
    return minimumSizeHint().expandedTo(QAbstractScrollArea::sizeHint());
}

int HexTrafficView::LineHeight() const
{
    return fontMetrics().lineSpacing();
}

void HexTrafficView::Feed(TrafficDirection direction, std::span<const uint8_t> bytes)
{
    HexDump::Update update = m_dump.Feed(direction, bytes);
    if (update.lines.empty())
        return;
    if (update.replacesLast && !m_lines.empty())
        m_lines.pop_back();
    for (HexLine& line : update.lines)
        m_lines.push_back(std::move(line));
    while (m_lines.size() > kMaxLines)
        m_lines.pop_front();
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void HexTrafficView::Clear()
{
    m_flushTimer.stop();
    m_lines.clear();
    m_dump.Clear();
    UpdateScrollRange();
    viewport()->update();
}

void HexTrafficView::UpdateScrollRange()
{
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    const int visible = std::max(1, (viewport()->height() - 2 * kMargin) / LineHeight());
    bar->setPageStep(visible);
    bar->setRange(0, std::max(0, int(m_lines.size()) - visible));
    if (atEnd)
        bar->setValue(bar->maximum());
    const int width = LineWidth();
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
}

void HexTrafficView::FlushPending()
{
    m_flushTimer.stop();
    UpdateScrollRange();
    viewport()->update();
}

void HexTrafficView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setFont(font());
    const int height = LineHeight();
    const int ascent = fontMetrics().ascent();
    const int x = kMargin - horizontalScrollBar()->value();
    const std::size_t first = std::size_t(verticalScrollBar()->value());
    const QColor received = palette().color(QPalette::Text);
    for (std::size_t i = first, row = 0; i < m_lines.size(); ++i, ++row) {
        const int y = kMargin + int(row) * height;
        if (y > viewport()->height())
            break;
        const HexLine& line = m_lines[i];
        painter.setPen(line.direction == TrafficDirection::Sent ? SentColour() : received);
        painter.drawText(x, y + ascent, QString::fromStdU16String(line.text));
    }
}

void HexTrafficView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void HexTrafficView::CopyAll() const
{
    QString all;
    for (const HexLine& line : m_lines)
        all += QString::fromStdU16String(line.text) + u'\n';
    QApplication::clipboard()->setText(all);
}

void HexTrafficView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopyAll();
        return;
    }
    if (m_keyTarget == nullptr || event->text().isEmpty()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                   event->isAutoRepeat(), ushort(event->count()));
    QApplication::sendEvent(m_keyTarget, &copy);
}

void HexTrafficView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("すべてコピー"));
    copy->setEnabled(!m_lines.empty());
    connect(copy, &QAction::triggered, this, &HexTrafficView::CopyAll);
    menu.exec(event->globalPos());
}

} // namespace wirevane
