#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <chrono>
#include <cstdint>
#include <unordered_map>

class QWidget;

namespace wirevane {

// Lets each of the program's windows paint at most once a frame of its screen. A table that
// answers thousands of rows a second changes the grid's markers and the status line for every
// row, and each change asked for a paint of its own that took ten times as long as the row;
// a screen shows one frame of them anyway. A paint asked for before the frame is over waits for
// its end and then shows everything that changed meanwhile.
//
// It watches the whole application while it exists; a paint it holds back is always given, at
// the frame's end or when the pacer goes.
class PaintPacer final : public QObject {
public:
    // A frame of zero is the window's screen's own.
    explicit PaintPacer(std::chrono::nanoseconds frame = {});
    ~PaintPacer() override;
    PaintPacer(const PaintPacer&) = delete;
    PaintPacer& operator=(const PaintPacer&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Pace {
        int64_t lastPaintNs = 0;
        bool painted = false;
        bool held = false;
    };

    void Release(QObject* window);
    int64_t FrameNs(const QWidget& window) const;

    std::chrono::nanoseconds m_frame;
    std::unordered_map<QObject*, Pace> m_paces;
    QElapsedTimer m_clock;
};

} // namespace wirevane
