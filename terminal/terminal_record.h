#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace wirevane {

// What the view must drop from its top after the record trimmed: whole lines first, then
// whole display pieces of the line that is now first.
struct RecordTrim {
    std::size_t lines = 0;
    std::size_t pieces = 0;

    // Folds a later trim into this one: once a later trim removes lines, the pieces counted
    // before belonged to a line that is now gone as a whole.
    void Add(const RecordTrim& later);
    bool empty() const { return lines == 0 && pieces == 0; }
};

// The terminal's text in line form: only a CR LF pair ends a line, a lone CR or LF is part of
// its line, as in the text the user saves; the one exception is a line appended as a line of
// its own (a report), which starts and ends a line whatever its text ends with. It keeps at most
// its limit of the newest characters and never clears by itself: when an append passes the limit it
// drops the oldest whole lines, and only when one line alone is longer than what is left, that
// line's oldest display pieces (a line is shown broken into pieces of the piece length). Appending
// and trimming cost in proportion to the characters appended and dropped, never to the length of
// the record or of its current line.
class TerminalRecord {
public:
    static constexpr std::size_t kDefaultLimit = 16u * 1024 * 1024;
    // A piece is laid out and painted whole whenever it is on screen, however little of it
    // the window shows; during a flood every frame lays out the pieces it shows, so a wide
    // piece multiplies the cost of each frame.
    static constexpr std::size_t kDefaultPieceLength = 1024;

    // The limit is at least one piece, so a trim always leaves text to show.
    explicit TerminalRecord(std::size_t limit = kDefaultLimit,
                            std::size_t pieceLength = kDefaultPieceLength);

    void Append(std::u16string_view text);
    // Appends text that stands on a line of its own: a line starts before it unless the record
    // is at a line start already, and one starts after it. The text is kept as it is. Answers
    // where lines were started that the text itself does not start.
    struct OwnLineBreaks {
        bool before = false;
        bool after = false;
    };
    OwnLineBreaks AppendOwnLine(std::u16string_view text);
    // Whether the next character appended would start a line.
    bool AtLineStart() const;
    // Backspace under local echo; answers false when the record is empty.
    bool RemoveLast();
    void Clear();

    std::u16string_view Text() const;
    std::size_t size() const { return m_text.size() - m_start; }
    bool empty() const { return size() == 0; }
    bool EndsWith(std::u16string_view tail) const { return Text().ends_with(tail); }
    std::size_t limit() const { return m_limit; }
    std::size_t pieceLength() const { return m_pieceLength; }
    // Older text was dropped since the last Clear.
    bool trimmed() const { return m_trimmed; }

    // The trims since the last call, for the view to follow.
    RecordTrim TakeTrim();

private:
    void TrimToLimit();
    void Compact();

    std::size_t m_limit;
    std::size_t m_pieceLength;
    // The live text is m_text from m_start; the dropped prefix is erased once it reaches a
    // quarter of the limit, so trimming copies a few characters per character it drops and
    // the text never needs much more room than the limit.
    std::u16string m_text;
    std::size_t m_start = 0;
    // Offsets in m_text where a line starts after a CR LF or around a line of its own, oldest
    // first.
    std::deque<std::size_t> m_lineStarts;
    bool m_trimmed = false;
    RecordTrim m_pendingTrim;
};

} // namespace wirevane
