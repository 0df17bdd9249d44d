#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

// One step of drawing appended line-form text at the end of the view.
struct DisplayOp {
    enum Kind {
        Text,         // characters drawn as they are
        Mark,         // one control character drawn as a small dimmed mark
        LineBreak,    // a CR LF: the next line starts
        WrapBreak,    // the line goes on in the next display piece
        RetractMark,  // the CR drawn last as a mark turned out to start a CR LF
        OwnLineBreak, // the next line starts though the text has no line end: a line of its
                      // own (a report) begins or has ended
    };
    Kind kind;
    std::u16string text;
};

// Characters below 0x20 other than TAB have no glyph of their own; a lone CR or LF is one of
// them, a CR LF pair is a line break instead.
inline bool IsMarkedControl(char16_t ch)
{
    return ch < 0x20 && ch != u'\t';
}

// The short name a mark shows: "CR", "LF", "ESC", ...
std::u16string_view ControlMarkLabel(char16_t control);

// Turns appended line-form text into drawing steps. A line is shown in pieces of at most the
// piece length, so no appended character makes the view lay out more than one piece again; a
// piece break is made only before a character that needs it, so a line of exactly that length
// has no empty piece.
class DisplayFeed {
public:
    explicit DisplayFeed(std::size_t pieceLength) : m_pieceLength(pieceLength) {}

    // ownLineBreaks: the offsets in lineForm, in order, where a line starts without a CR LF;
    // an offset may be lineForm's size.
    std::vector<DisplayOp> Feed(std::u16string_view lineForm,
                                std::span<const std::size_t> ownLineBreaks = {});
    // After the view was changed other than by Feed (backspace, clearing).
    void Reset(std::size_t column, bool endsInLoneCr);

private:
    void Put(std::vector<DisplayOp>& ops, DisplayOp::Kind kind, char16_t ch);

    std::size_t m_pieceLength;
    std::size_t m_column = 0;
    bool m_endsInLoneCr = false;
};

} // namespace wirevane
