#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

// Puts a stamp at the start of each received line. It follows everything the record gets, so
// it knows where lines start whoever wrote them: as in the record, only a CR LF ends a line,
// also when the CR and the LF come in different appends. A stamp goes in front of a line's
// first character when that character arrives, so a line stamped is a line that has begun.
class LineStamper {
public:
    // Text that is not received (echo, reports): only followed.
    void Follow(std::u16string_view text);
    // Where in received text its lines begin: the places a stamp goes, in order.
    std::vector<std::size_t> LineStarts(std::u16string_view text);
    // Received text with the stamp before each line that begins in it.
    std::u16string Stamp(std::u16string_view text, std::u16string_view stamp);
    // The record was cleared or lost its end; the state is taken from its new end.
    void Restart(bool atLineStart, bool afterCr);

    bool atLineStart() const { return m_atLineStart; }

private:
    void Step(char16_t ch);

    bool m_atLineStart = true;
    bool m_afterCr = false;
};

// The text with the stamp inserted at each of the places, which are in order.
std::u16string InsertStamps(std::u16string_view text, const std::vector<std::size_t>& places,
                            std::u16string_view stamp);

} // namespace wirevane
