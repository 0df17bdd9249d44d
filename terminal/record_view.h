#pragma once

#include "terminal/display_feed.h"
#include "terminal/glyphs_in_sight.h"
#include "terminal/terminal_record.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

class ControlMark;

// Shows a TerminalRecord, which it owns, read-only. Appends go into the record at once and
// into the view at the next flush, a few milliseconds later, so a flood of small receive
// chunks costs one insertion per frame rather than one per chunk. A line is shown in display
// pieces (see DisplayFeed) and control characters as marks (see ControlMark). The view holds
// only the newest part of the record, at most its shown limit: a text document slows down with
// its size (layout, block removal, memory per block), the record does not. When the shown part
// trims, the view drops the same text from its top and says there that older text is gone
// from the view, or from the record too when the two limits are one.
class RecordView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RecordView(QWidget* parent = nullptr);

    void AppendAtEnd(std::u16string_view lineForm);
    // Text that stands on a line of its own in the view (a report line): the view starts a line
    // before it unless one has just started, and after it, also where the text itself has no
    // line end. The record keeps the text as it is.
    void AppendOwnLine(std::u16string_view lineForm);
    // Text the view shows that is not part of the record (a received line's time stamp): it is
    // not saved, not counted, and never ends with a character that local echo could take back.
    void AppendShownOnly(std::u16string_view lineForm);
    // Text the record keeps as lineForm and the view shows as shown, with the same line ends (a
    // progress marker, its words in the reader's language).
    void AppendShownAs(std::u16string_view lineForm, std::u16string_view shown);
    // Takes the record's last character away, as local echo of a backspace does.
    void RemoveLastCharacter();
    void Clear();

    // The record: what is saved and what the engine counts.
    std::u16string LineFormText() const { return std::u16string(m_record.Text()); }
    qint64 LineFormLength() const { return qint64(m_record.size()); }
    const TerminalRecord& record() const { return m_record; }
    // Enough to scroll back through a long while of traffic; small enough that the document
    // stays quick to lay out, click and clear.
    static constexpr std::size_t kDefaultShownLimit = 1024 * 1024;

    // Starts an empty record with other bounds; the view shows at most the shown limit of it.
    void SetRecordLimit(std::size_t limit,
                        std::size_t pieceLength = TerminalRecord::kDefaultPieceLength,
                        std::size_t shownLimit = kDefaultShownLimit);

    void FlushPending();
    // Appended text still waits for the view's next frame.
    bool HasPendingText() const { return !m_pending.empty(); }
    // What the view shows, back in line form, the trim notice left out; after a flush it is
    // the newest part of the record's text, all of it while the record fits the shown limit.
    std::u16string ShownText() const;
    // The user's selection in line form, as Copy puts it on the clipboard.
    std::u16string SelectedLineForm() const;
    // What the view shows in line form, the text waiting for a frame included, with the
    // position in the document of each of its characters (both of a CR LF at the one break).
    struct ShownLineForm {
        std::u16string text;
        std::vector<int> positions;
    };
    ShownLineForm ShownWithPositions();

protected:
    QMimeData* createMimeDataFromSelection() const override;
    void SelectLastCharacter();

private:
    // Into the shown part and, at the next frame, onto the screen.
    void Show(std::u16string_view lineForm);
    void Queue(std::u16string_view lineForm);
    void Apply(const std::vector<DisplayOp>& ops);
    void ApplyTrim(const RecordTrim& trim);
    std::vector<QTextBlock> LinesInSight() const;
    void ShowTrimNotice();
    std::u16string LineFormBetween(int from, int to, std::vector<int>* positions = nullptr) const;
    void ResetFeedFromView();

    TerminalRecord m_record;
    // The same appends under the shown limit: its trims are what the view drops, so the view
    // and the record's newest text stay aligned line by line and piece by piece.
    TerminalRecord m_shown;
    DisplayFeed m_feed;
    ControlMark* m_marks;
    GlyphsInSight m_glyphs;
    std::u16string m_pending;
    // Where in m_pending the view starts a line that the text does not end.
    std::vector<std::size_t> m_pendingBreaks;
    QTimer m_flushTimer;
    QElapsedTimer m_pendingSince;
    bool m_noticeShown = false;
};

} // namespace wirevane
