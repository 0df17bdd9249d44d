#include "app/paint_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace wirevane {

namespace {

constexpr double kFallbackHz = 60.0;

void AskToPaint(QObject* window)
{
    QCoreApplication::postEvent(window, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

} // namespace

PaintPacer::PaintPacer(std::chrono::nanoseconds frame) : m_frame(frame)
{
    m_clock.start();
    QCoreApplication::instance()->installEventFilter(this);
}

// Qt asks a window to paint once and waits for that paint before it asks again, so a request
// held back here must reach the window, or it would never paint again.
PaintPacer::~PaintPacer()
{
    for (const auto& [window, pace] : m_paces) {
        if (pace.held)
            AskToPaint(window);
    }
}

bool PaintPacer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::UpdateRequest)
        return false;
    const auto* window = qobject_cast<QWidget*>(watched);
    if (!window || !window->isWindow())
        return false;
    auto [found, added] = m_paces.try_emplace(watched);
    if (added)
        connect(watched, &QObject::destroyed, this, [this, watched] { m_paces.erase(watched); });
    Pace& pace = found->second;
    const int64_t now = m_clock.nsecsElapsed();
    const int64_t frame = FrameNs(*window);
    const int64_t since = now - pace.lastPaintNs;
    if (!pace.painted || since >= frame) {
        pace.painted = true;
        pace.held = false;
        pace.lastPaintNs = now;
        return false;
    }
    if (!pace.held) {
        pace.held = true;
        const auto waitMs = static_cast<int>((frame - since + 999'999) / 1'000'000);
        QTimer::singleShot(waitMs, Qt::PreciseTimer, this, [this, watched] { Release(watched); });
    }
    return true;
}

int64_t PaintPacer::FrameNs(const QWidget& window) const
{
    if (m_frame.count() > 0)
        return m_frame.count();
    const QScreen* screen = window.screen();
    const double hz = screen && screen->refreshRate() > 1.0 ? screen->refreshRate() : kFallbackHz;
    return static_cast<int64_t>(1e9 / hz);
}

void PaintPacer::Release(QObject* window)
{
    const auto found = m_paces.find(window);
    if (found == m_paces.end() || !found->second.held)
        return;
    // Not held any more: should the request arrive before the frame is over after all, it is
    // held again, with a timer of its own.
    found->second.held = false;
    AskToPaint(window);
}

} // namespace wirevane
