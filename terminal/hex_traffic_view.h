#pragma once

#include "terminal/traffic/hex_dump.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <vector>

namespace wirevane {

// The traffic as a hex dump (see HexDump), sent lines in their own colour. Lines come in at any
// rate and are drawn a frame later, all at once; the view keeps the newest kMaxLines lines.
// It cannot be edited: keys typed into it go to the window's text area, which sends them.
class HexTrafficView : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 20000;

    explicit HexTrafficView(QWidget* parent = nullptr);

    void Feed(TrafficDirection direction, std::span<const uint8_t> bytes);
    void Clear();
    void FlushPending();
    // Where typed keys go.
    void SetKeyTarget(QWidget* target) { m_keyTarget = target; }

    static QColor SentColour() { return QColor(0x15, 0x65, 0xC0); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    HexDump m_dump;
    std::vector<HexLine> m_pending;
    // The first pending line replaces the view's last one, or the pending lines replace all.
    bool m_replaceShownLast = false;
    bool m_replaceAll = false;
    QTimer m_flushTimer;
    QWidget* m_keyTarget = nullptr;
};

} // namespace wirevane
