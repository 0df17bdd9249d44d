#pragma once

#include "terminal/traffic/hex_dump.h"

#include <QAbstractScrollArea>
#include <QTimer>
#include <deque>

namespace wirevane {

// The traffic as a hex dump (see HexDump), sent lines in their own colour. It keeps the newest
// kMaxLines lines and paints only those in sight, so a flood costs the formatting of its lines
// and one repaint a frame, not a text document's layout; while the view is at its end it
// follows the traffic. Copy puts the lines kept on the clipboard. It cannot be edited: keys
// typed into it go to the window's text area, which sends them.
class HexTrafficView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr std::size_t kMaxLines = 100000;

    explicit HexTrafficView(QWidget* parent = nullptr);

    void Feed(TrafficDirection direction, std::span<const uint8_t> bytes);
    void Clear();
    // Brings the scroll range and the picture up to date now rather than at the next frame.
    void FlushPending();
    void CopyAll() const;
    // Where typed keys go.
    void SetKeyTarget(QWidget* target) { m_keyTarget = target; }

    const std::deque<HexLine>& lines() const { return m_lines; }
    static QColor SentColour() { return QColor(0x15, 0x65, 0xC0); }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void UpdateScrollRange();
    int LineHeight() const;
    int LineWidth() const;

    HexDump m_dump;
    std::deque<HexLine> m_lines;
    QTimer m_flushTimer;
    QWidget* m_keyTarget = nullptr;
};

} // namespace wirevane
