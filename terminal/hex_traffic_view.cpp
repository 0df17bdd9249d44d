#include "terminal/hex_traffic_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

namespace wirevane {

namespace {

constexpr int kFlushDelayMs = 16;

} // namespace

HexTrafficView::HexTrafficView(QWidget* parent) : QPlainTextEdit(parent)
{
    setUndoRedoEnabled(false);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setMaximumBlockCount(kMaxLines);
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(kFlushDelayMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &HexTrafficView::FlushPending);
}

void HexTrafficView::Feed(TrafficDirection direction, std::span<const uint8_t> bytes)
{
    HexDump::Update update = m_dump.Feed(direction, bytes);
    if (update.lines.empty())
        return;
    if (update.replacesLast) {
        if (!m_pending.empty())
            m_pending.pop_back();
        else
            m_replaceShownLast = true;
    }
    for (HexLine& line : update.lines)
        m_pending.push_back(std::move(line));
    // A flood between two frames: only its newest lines can stay in the view.
    if (m_pending.size() > std::size_t(2 * kMaxLines)) {
        m_pending.erase(m_pending.begin(), m_pending.end() - kMaxLines);
        m_replaceAll = true;
    }
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void HexTrafficView::Clear()
{
    m_flushTimer.stop();
    m_pending.clear();
    m_replaceShownLast = false;
    m_replaceAll = false;
    m_dump.Clear();
    clear();
}

void HexTrafficView::FlushPending()
{
    m_flushTimer.stop();
    if (m_pending.empty())
        return;
    if (m_replaceAll)
        clear();
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    // An empty document has one empty block to write into; so has a last line taken away.
    bool blockEmpty = document()->isEmpty();
    if (m_replaceShownLast && !m_replaceAll && !blockEmpty) {
        cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        blockEmpty = true;
    }
    QTextCharFormat received;
    QTextCharFormat sent;
    sent.setForeground(SentColour());
    for (const HexLine& line : m_pending) {
        if (!blockEmpty)
            cursor.insertBlock();
        blockEmpty = false;
        cursor.insertText(QString::fromStdU16String(line.text),
                          line.direction == TrafficDirection::Sent ? sent : received);
    }
    cursor.endEditBlock();
    m_pending.clear();
    m_replaceShownLast = false;
    m_replaceAll = false;
    if (!textCursor().hasSelection()) {
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        setTextCursor(end);
        ensureCursorVisible();
    }
}

void HexTrafficView::keyPressEvent(QKeyEvent* event)
{
    const bool keepHere = event->matches(QKeySequence::Copy) ||
                          event->matches(QKeySequence::SelectAll) || event->text().isEmpty();
    if (m_keyTarget == nullptr || keepHere) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                   event->isAutoRepeat(), ushort(event->count()));
    QApplication::sendEvent(m_keyTarget, &copy);
}

} // namespace wirevane
