#include "terminal/record_view.h"

#include "platform/screen_frame.h"
#include "terminal/control_mark.h"

#include <QAbstractTextDocumentLayout>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace wirevane {

namespace {

// Block states of the view: a piece that goes on the line of the block before it, the notice
// at the top of a trimmed record, and a line started around a line of its own, where the text
// has no line end. Other blocks start a line of the record after a CR LF.
constexpr int kContinuation = 1;
constexpr int kNotice = 2;
constexpr int kOwnLine = 3;

// A flood gathers this much before the frame is up; showing it at once keeps each flush, and
// so each pause of the window, as short as one flush of this size.
constexpr std::size_t kFlushAtOnceChars = 128 * 1024;

} // namespace

RecordView::RecordView(QWidget* parent)
    : QPlainTextEdit(parent), m_shown(std::min(m_record.limit(), kDefaultShownLimit)),
      m_feed(m_record.pieceLength()), m_marks(new ControlMark(this)), m_glyphs(*document())
{
    // The record is edited only through this class; undo over traffic would only cost.
    setUndoRedoEnabled(false);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    document()->documentLayout()->registerHandler(ControlMark::kObjectType, m_marks);
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(kScreenFrameMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &RecordView::FlushPending);
}

void RecordView::SetRecordLimit(std::size_t limit, std::size_t pieceLength, std::size_t shownLimit)
{
    Clear();
    m_record = TerminalRecord(limit, pieceLength);
    m_shown = TerminalRecord(std::min(m_record.limit(), shownLimit), m_record.pieceLength());
    m_feed = DisplayFeed(m_record.pieceLength());
}

void RecordView::AppendAtEnd(std::u16string_view lineForm)
{
    if (lineForm.empty())
        return;
    m_record.Append(lineForm);
    Show(lineForm);
}

void RecordView::AppendOwnLine(std::u16string_view lineForm)
{
    if (lineForm.empty())
        return;
    m_record.AppendOwnLine(lineForm);
    // The view follows the shown part, which starts and ends its lines where the record does.
    const std::size_t at = m_pending.size();
    const TerminalRecord::OwnLineBreaks breaks = m_shown.AppendOwnLine(lineForm);
    if (breaks.before)
        m_pendingBreaks.push_back(at);
    if (breaks.after)
        m_pendingBreaks.push_back(at + lineForm.size());
    Queue(lineForm);
}

void RecordView::AppendShownOnly(std::u16string_view lineForm)
{
    if (lineForm.empty())
        return;
    Show(lineForm);
}

void RecordView::AppendShownAs(std::u16string_view lineForm, std::u16string_view shown)
{
    if (lineForm.empty())
        return;
    m_record.Append(lineForm);
    Show(shown);
}

void RecordView::Show(std::u16string_view lineForm)
{
    m_shown.Append(lineForm);
    Queue(lineForm);
}

void RecordView::Queue(std::u16string_view lineForm)
{
    if (m_pending.empty())
        m_pendingSince.start();
    m_pending += lineForm;
    // While a flood keeps the event loop busy, Qt runs timers only when nothing else is
    // waiting, so the frame timer alone would show nothing until the flood ends or the
    // size cap is hit; the age of the pending text keeps the frames coming.
    if (m_pending.size() >= kFlushAtOnceChars || m_pendingSince.elapsed() >= kScreenFrameMs)
        FlushPending();
    else if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void RecordView::FlushPending()
{
    m_flushTimer.stop();
    if (m_pending.empty())
        return;
    const std::vector<DisplayOp> ops = m_feed.Feed(m_pending, m_pendingBreaks);
    m_pending.clear();
    m_pendingBreaks.clear();
    Apply(ops);
    ApplyTrim(m_shown.TakeTrim());
    // A user who is selecting keeps the selection; otherwise the caret follows the text.
    if (!textCursor().hasSelection()) {
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        setTextCursor(end);
        ensureCursorVisible();
    }
    m_glyphs.KeepOnly(LinesInSight());
}

void RecordView::Apply(const std::vector<DisplayOp>& ops)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    const QTextCharFormat plain;
    cursor.beginEditBlock();
    for (const DisplayOp& op : ops) {
        switch (op.kind) {
        case DisplayOp::Text:
            cursor.insertText(QString::fromStdU16String(op.text), plain);
            break;
        case DisplayOp::Mark:
            for (char16_t control : op.text)
                cursor.insertText(QString(QChar::ObjectReplacementCharacter),
                                  ControlMark::Format(control));
            break;
        case DisplayOp::LineBreak:
            cursor.insertBlock(QTextBlockFormat(), plain);
            break;
        case DisplayOp::WrapBreak:
            cursor.insertBlock(QTextBlockFormat(), plain);
            cursor.block().setUserState(kContinuation);
            break;
        case DisplayOp::OwnLineBreak:
            cursor.insertBlock(QTextBlockFormat(), plain);
            cursor.block().setUserState(kOwnLine);
            break;
        case DisplayOp::RetractMark: {
            cursor.deletePreviousChar();
            const QTextBlock block = cursor.block();
            if (block.length() == 1 && block.userState() == kContinuation &&
                block.previous().isValid() && block.previous().userState() != kNotice)
                cursor.deletePreviousChar();
            break;
        }
        }
    }
    cursor.endEditBlock();
}

std::vector<QTextBlock> RecordView::LinesInSight() const
{
    std::vector<QTextBlock> lines;
    const QPointF offset = contentOffset();
    const qreal bottom = viewport()->height();
    for (QTextBlock line = firstVisibleBlock(); line.isValid(); line = line.next()) {
        if (blockBoundingGeometry(line).translated(offset).top() > bottom)
            break;
        lines.push_back(line);
    }
    return lines;
}

void RecordView::ShowTrimNotice()
{
    QTextDocument* doc = document();
    const int firstState = doc->firstBlock().userState();
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::Start);
    QTextCharFormat dim;
    dim.setForeground(palette().placeholderText());
    // With a record larger than the view, what leaves the view is still saved and copied
    // from the record until the record's own limit drops it.
    const QString notice =
        m_shown.limit() < m_record.limit()
            ? tr("[古い受信テキストは表示から外しました。表示は最新の %1 文字、"
                 "保存は最新の %2 文字まで残しています]")
                  .arg(qulonglong(m_shown.limit()))
                  .arg(qulonglong(m_record.limit()))
            : tr("[古い受信テキストは削除されました。最新の %1 文字を残しています]")
                  .arg(qulonglong(m_record.limit()));
    cursor.insertText(notice, dim);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    doc->firstBlock().setUserState(kNotice);
    doc->firstBlock().next().setUserState(firstState);
    m_noticeShown = true;
}

void RecordView::ApplyTrim(const RecordTrim& trim)
{
    if (trim.empty())
        return;
    if (!m_noticeShown)
        ShowTrimNotice();
    const QTextBlock first = document()->firstBlock().next();
    QTextBlock keep = first;
    for (std::size_t i = 0; i < trim.lines && keep.isValid(); ++i) {
        keep = keep.next();
        while (keep.isValid() && keep.userState() == kContinuation)
            keep = keep.next();
    }
    for (std::size_t i = 0; i < trim.pieces && keep.isValid(); ++i)
        keep = keep.next();
    if (!keep.isValid())
        return;
    const int state = keep.userState();
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.setPosition(first.position());
    cursor.setPosition(keep.position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.block().setUserState(state);
    cursor.endEditBlock();
}

void RecordView::Clear()
{
    m_flushTimer.stop();
    m_pending.clear();
    m_pendingBreaks.clear();
    m_record.Clear();
    m_shown.Clear();
    m_feed.Reset(0, false);
    m_noticeShown = false;
    clear();
}

void RecordView::ResetFeedFromView()
{
    const QTextBlock last = document()->lastBlock();
    m_feed.Reset(std::size_t(last.length() - 1), m_record.EndsWith(u"\r"));
}

void RecordView::RemoveLastCharacter()
{
    FlushPending();
    const bool endedInLineBreak = m_record.EndsWith(u"\r\n");
    if (!m_record.RemoveLast())
        return;
    m_shown.RemoveLast();
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // A line the view started after a line of its own holds no character of the record yet;
    // it goes together with the character before it.
    if (cursor.block().length() == 1 && cursor.block().userState() == kOwnLine) {
        const int state = cursor.block().previous().userState();
        cursor.deletePreviousChar();
        cursor.block().setUserState(state);
    }
    // Deleting a line break merges the empty last block into the one before, and the merged
    // block does not keep that block's state: a piece that continued its line would become a
    // line of its own.
    const int stateBefore = cursor.block().previous().userState();
    cursor.deletePreviousChar();
    if (endedInLineBreak) {
        cursor.block().setUserState(stateBefore);
        // The CR that stays is now a lone one.
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), ControlMark::Format(u'\r'));
    } else {
        const QTextBlock block = cursor.block();
        if (block.length() == 1 && block.userState() == kContinuation &&
            block.previous().isValid() && block.previous().userState() != kNotice)
            cursor.deletePreviousChar();
    }
    ResetFeedFromView();
}

void RecordView::SelectLastCharacter()
{
    FlushPending();
    if (m_record.empty())
        return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

std::u16string RecordView::LineFormBetween(int from, int to, std::vector<int>* positions) const
{
    std::u16string out;
    const auto put = [&](std::u16string_view text, int position) {
        out += text;
        if (positions != nullptr)
            for (std::size_t i = 0; i < text.size(); ++i)
                positions->push_back(position + int(i));
    };
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        if (block.userState() == kNotice)
            continue;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(fragment.position(), from);
            const int end = std::min(fragment.position() + fragment.length(), to);
            if (start >= end)
                continue;
            if (const char16_t control = ControlMark::ControlOf(fragment.charFormat())) {
                for (int at = start; at < end; ++at)
                    put(std::u16string_view(&control, 1), at);
            } else {
                const QString text = fragment.text().mid(start - fragment.position(), end - start);
                put(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                        std::size_t(text.size())),
                    start);
            }
        }
        const int separator = block.position() + block.length() - 1;
        const QTextBlock next = block.next();
        if (next.isValid() && separator >= from && separator < to &&
            next.userState() != kContinuation && next.userState() != kOwnLine) {
            // Both characters of the pair stand at the one separator of the view.
            put(u"\r", separator);
            put(u"\n", separator);
        }
    }
    return out;
}

RecordView::ShownLineForm RecordView::ShownWithPositions()
{
    FlushPending();
    ShownLineForm shown;
    shown.text = LineFormBetween(0, document()->characterCount(), &shown.positions);
    return shown;
}

std::u16string RecordView::ShownText() const
{
    return LineFormBetween(0, document()->characterCount());
}

std::u16string RecordView::SelectedLineForm() const
{
    const QTextCursor cursor = textCursor();
    return LineFormBetween(cursor.selectionStart(), cursor.selectionEnd());
}

QMimeData* RecordView::createMimeDataFromSelection() const
{
    auto* mime = new QMimeData;
    mime->setText(QString::fromStdU16String(SelectedLineForm()));
    return mime;
}

} // namespace wirevane
